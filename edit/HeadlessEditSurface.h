// An edit control in memory, for the tool, the fuzzer and the native tests:
// CHeadlessEditSurface answers the masked-edit logic as the system's
// single-line edit control does (measured under Wine), and
// CHeadlessMaskedEdit plays the user's keys, clicks and commands on it the way
// the window passes them to the logic.
#pragma once

#include "edit/EditMask.h"
#include "edit/EditSurface.h"

class CHeadlessEditSurface : public CEditSurface {
public:
    // The edit control's own limit for a new single-line control, and the
    // value it reports once the limit is lifted.
    enum { DefaultLimit = 30000, NoLimit = 0x7FFFFFFE };

    CHeadlessEditSurface();

    DWORD GetEditStyle() override { return m_dwStyle; }
    CString GetEditText() override { return m_strText; }
    // As WM_SETTEXT: the limit does not apply, the caret goes to 0 and the
    // modified flag is cleared.
    void SetEditText(LPCSTR pszText) override;
    void SetEditModify(bool bModified) override { m_bModified = bModified; }
    void GetEditSel(int& nStart, int& nEnd) override;
    // As EM_SETSEL: the anchor takes the start and the caret the end (each a
    // negative value other than a start of -1 counts as past the end, and is
    // then held at the end of the text); a start of -1 collapses the
    // selection onto the caret.
    void SetEditSel(int nStart, int nEnd, bool bNoScroll = false) override;
    void SetEditLimit(int nMax) override { m_nLimit = nMax > 0 ? nMax : (int)NoLimit; }
    int GetEditLimit() override { return m_nLimit; }
    void Beep() override { ++m_nBeeps; }
    bool IsEditKeyDown(int nVirtKey) override;
    bool IsClipboardTextAvailable() override { return m_bClipboardOpens && m_bClipboardHasText; }
    bool GetClipboardText(CString& strText) override;
    bool PutClipboardText(LPCSTR pszText) override;

    // The edit control's own handling of a key-down: Left/Right (and, on a
    // single-line control, Up/Down) move the caret by one, Home/End to the
    // ends; with Shift the anchor stays, so the selection grows or shrinks.
    // Other keys change nothing.
    void DefaultKeyDown(UINT nVirtKey);

    void SetStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    void SetKeyDown(int nVirtKey, bool bDown);
    int GetBeepCount() const { return m_nBeeps; }
    bool GetModify() const { return m_bModified; }
    // The caret end of the selection (the other end is the anchor).
    int GetCaret() const { return m_nCaret; }
    // The clipboard's text, or false when it holds none.
    bool PeekClipboard(CString& strText) const;
    void ClearClipboard()
    {
        m_bClipboardHasText = false;
        m_strClipboard.Empty();
    }
    // While false the clipboard cannot be opened: nothing is read or written.
    void SetClipboardOpens(bool bOpens) { m_bClipboardOpens = bOpens; }

private:
    int ClampPos(int nPos) const;

    CString m_strText;
    int m_nAnchor;
    int m_nCaret;
    DWORD m_dwStyle;
    int m_nLimit;
    bool m_bModified;
    int m_nBeeps;
    bool m_bShift;
    bool m_bControl;
    bool m_bClipboardOpens;
    bool m_bClipboardHasText;
    CString m_strClipboard;
};

// A masked edit without a window: a surface and a model, and the user's
// actions passed to them in the order the window's handlers would.
class CHeadlessMaskedEdit {
public:
    // pModel (a derived model, say) is used instead of an own one; it must
    // outlive this object and is given this object's surface.
    explicit CHeadlessMaskedEdit(CEditMask* pModel = NULL);
    CHeadlessMaskedEdit(const CHeadlessMaskedEdit&) = delete;
    CHeadlessMaskedEdit& operator=(const CHeadlessMaskedEdit&) = delete;

    CEditMask& Model() { return *m_pModel; }
    CHeadlessEditSurface& Surface() { return m_surface; }

    // A key press: key-down, to the logic and, when that leaves it, to the
    // edit control; then the character message for the keys that send one
    // (Backspace sends 8). Shift is held for the press when bShift is set.
    void PressKey(UINT nVirtKey, bool bShift = false);
    // A character key: its key-down, then the character message.
    void TypeChar(char ch);
    void TypeText(LPCSTR pszText);
    // A left click that the edit control placed at nPos (held inside the text).
    void Click(int nPos);
    void Select(int nStart, int nEnd) { m_surface.SetEditSel(nStart, nEnd); }
    // The copy, cut and paste commands of a masked control (a plain edit
    // control's own clipboard messages are not modelled: nothing happens).
    void Copy();
    void Cut();
    void Paste();

    // The key code a character's key sends with its key-down.
    static UINT CharKey(char ch);

private:
    CHeadlessEditSurface m_surface;
    CEditMask m_model;
    CEditMask* m_pModel;
};

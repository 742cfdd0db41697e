// The masked edit's model and its keyboard, clipboard and drop logic, free of
// windows. A mask is a row of positions: a placeholder (# & ? A L U) accepts
// one character of its class, anything else is a literal shown as it stands.
// CEditEx derives from CEdit and from this class, so a host that overrides one
// of the virtual operations below is honoured by every path, the window's and
// the portable one alike. The model reaches its control only through a
// CEditSurface and through the two display hooks.
#pragma once

#include <afx.h>

#include "edit/EditSurface.h"
#include "frame/ExtkitApi.h"

class EXTKIT_API CEditMask {
public:
    // pSurface may be set later with SetSurface; it must outlive the model's use.
    explicit CEditMask(CEditSurface* pSurface = NULL);
    virtual ~CEditMask();

    void SetSurface(CEditSurface* pSurface) { m_pSurface = pSurface; }
    CEditSurface* GetSurface() const { return m_pSurface; }

    // The model's virtual operations, in their slot order.
    virtual bool SetMask(LPCSTR pszMask);
    virtual void SetPromptChar(char chPrompt);
    virtual char GetPromptChar();
    virtual bool SetData(LPCSTR pszData, int nStartPos = 0, bool bInsert = false, bool bKeepPrompt = false);
    virtual void GetData(CString& strData, bool bTrim = true);
    virtual CString& GetRawData();
    virtual bool InsertMode();

protected:
    virtual bool IsCharValid(int nPos, char& ch);
    virtual bool IsMaskChar(char ch);
    virtual void UpdateDisplayStr();
    virtual void ConvertMaskToDisplayStr(CString strMask, CString& strDisplay);
    virtual void ParseMaskString();
    virtual int FindLastFilledDataPos(int nPos);
    virtual bool PushChar(int nPos, char ch, bool bUpdate);
    virtual void PullChar(int nFrom, int nTo);
    virtual int SetCursorPos(int nPos, int nDirection, bool bSelect);
    virtual int GetNextDataPos(int nPos);
    virtual int GetPrevDataPos(int nPos);
    virtual void UpdateDisplay();

public:
    virtual int CanUndo();
    virtual int Undo();
    virtual void EmptyUndoBuffer();
    virtual int IsValidDropData(LPCSTR pszText, int nPos);

    // Empties every data position.
    void ClearData();

    // The parsed mask (escapes removed); empty when there is none.
    const CString& GetMask() const { return m_strMask; }
    bool HasMask() const { return !m_strMask.IsEmpty(); }

    // --- Control logic, called by the window's handlers (and by the headless
    // driver). Each returns true when it handled the input, false when the
    // edit control's own (default) handling should run.

    // The character message.
    bool HandleChar(UINT nChar);
    // The key-down message; Shift is read from the surface.
    bool HandleKeyDown(UINT nVirtKey);
    // After the edit control placed the caret for a click or on focus: with a
    // mask and no selection, moves the caret where it belongs.
    void PlaceCaretAfterClick();

    // The copy, cut and paste commands with a mask (without one the window
    // sends WM_COPY, WM_CUT, WM_PASTE itself).
    void EditCopy();
    void EditCut();
    void EditPaste();

    // Dragging out: the text offered for the selection nStart..nEnd (with a
    // mask the data characters, a blank for each empty position, literals
    // left out; without one the window text in the range).
    CString GetDragText(int nStart, int nEnd);
    // After a drag with the move effect: removes the dragged range and puts
    // the caret at nStart (without a mask the window text loses the range).
    void RemoveDraggedText(int nStart, int nEnd);

    // A drop at character index nIndex: the set-data answer (1 placed, 0 not)
    // and the valid-data answer (0 may be dropped, 1 may not).
    LRESULT DropText(LPCSTR pszText, int nIndex);
    LRESULT ValidateDrop(LPCSTR pszText, int nIndex);

    // The caret placement rule for a position (click, focus, End).
    void PlaceCaret(int nPos);

    bool GetSwallowChar() const { return m_bSwallowChar; }

protected:
    CEditSurface* m_pSurface;

    // Display hooks: show the display string (window text, modified flag set)
    // and set the selection.
    virtual void ShowDisplayString(const CString& strDisplay);
    virtual void ShowSelection(int nStart, int nEnd);

    // The control's style through the surface (0 without one).
    DWORD GetControlStyle() const;

    // Small helpers over the virtual operations.
    int GetMaskLength() const { return m_strMask.GetLength(); }
    // A placeholder position inside the mask.
    bool IsDataPos(int nPos);
    // A position inside the display that holds the prompt character.
    bool IsPromptAt(int nPos) const;
    // The selection through the surface (0, 0 without one).
    void GetSelection(int& nStart, int& nEnd);
    void SetCaret(int nPos) { ShowSelection(nPos, nPos); }
    bool IsReadOnly() const;
    // The data characters of the positions nStart..nEnd-1, a blank for each
    // empty one, literals left out.
    CString CollectData(int nStart, int nEnd);
    // SetData's placement of a text from nPos on, without its checks, its
    // reset at position 0 and its display update.
    void PlaceData(LPCSTR pszData, int nPos, bool bInsert, bool bKeepPrompt);
    // Puts the selection on the clipboard; false when the clipboard took nothing.
    bool CopySelection();

    CString m_strMask;       // parsed mask
    CString m_strDisplay;    // as long as the mask
    char m_chPrompt;         // shown at empty data positions
    CString m_strUndo;       // undo record: the text before the last shown one
    CString m_strLastShown;  // undo record: the text shown last
    bool m_bSwallowChar;     // the next character message belongs to a handled key
    bool m_bInsertMode;      // false: overwrite
};

// CEditEx: the library's edit control. It adds the mask model of CEditMask
// (typing, keys, clipboard and drops that respect the mask), colours for the
// enabled and the disabled state, an optional accelerator table, a pinned
// window position, and dragging text out and in through OLE drag and drop.
// Without a mask it behaves as a plain edit control apart from those extras.
#pragma once

#include <afxwin.h>
#include <afxole.h>

#include "edit/DropTargetText.h"
#include "edit/EditMask.h"
#include "frame/ExtkitApi.h"

// The messages that join COleDropTargetText to the control. wParam: the drop
// point in client coordinates (x low word, y high word); lParam: the dropped
// zero-terminated text.
// Set data answers 1 when the text was placed, else 0.
#define WM_EDITEX_SETDATA (WM_USER + 201)
// Valid data answers 0 when the text may be dropped there, 1 when not.
#define WM_EDITEX_VALIDDATA (WM_USER + 202)

class EXTKIT_API CEditEx : public CEdit, public CEditMask {
    DECLARE_DYNAMIC(CEditEx)
public:
    // Loads accelerator table 1001 from the library's own resources, which
    // hold none: a new control starts without a table.
    CEditEx();
    virtual ~CEditEx();

    // Colours take effect at the next repaint.
    void SetTextColor(COLORREF crText) { m_crText = crText; }
    COLORREF GetTextColor() const { return m_crText; }
    void SetBkColor(COLORREF crBk);
    COLORREF GetBkColor() const { return m_crBk; }
    void SetDisabledBkColor(COLORREF crBk);
    COLORREF GetDisabledBkColor() const { return m_crDisabledBk; }

    // Loads the accelerator table nID from the current resource handle; the
    // result replaces the table held (resource tables need no freeing).
    // Commands it translates go to this control. True when one was loaded.
    bool SetNewAccelerator(UINT nID);

    // Registers the control as a drop target (and so as a drag source) once;
    // later calls do nothing. OLE must be initialised on the thread.
    void EnableDragDrop();

    // Pins the window to rc (parent client coordinates): every later move or
    // resize is turned into this one. An empty rectangle unpins it.
    void SetNewPos(const CRect& rc) { m_rcPinned = rc; }

    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // CEdit has these too; on this control they are the mask model's.
    virtual int CanUndo();
    virtual int Undo();
    virtual void EmptyUndoBuffer();

protected:
    // The mask model's view of this window.
    class EXTKIT_API CWindowSurface : public CEditSurface {
    public:
        explicit CWindowSurface(CEditEx* pEdit) : m_pEdit(pEdit) {}
        virtual DWORD GetEditStyle();
        virtual CString GetEditText();
        virtual void SetEditText(LPCSTR pszText);
        virtual void SetEditModify(bool bModified);
        virtual void GetEditSel(int& nStart, int& nEnd);
        virtual void SetEditSel(int nStart, int nEnd, bool bNoScroll = false);
        virtual void SetEditLimit(int nMax);
        virtual int GetEditLimit();
        virtual void Beep();
        virtual bool IsEditKeyDown(int nVirtKey);
        virtual bool IsClipboardTextAvailable();
        virtual bool GetClipboardText(CString& strText);
        virtual bool PutClipboardText(LPCSTR pszText);

    private:
        CEditEx* m_pEdit;
    };

    // The character index nearest a client point (EM_CHARFROMPOS).
    int CharIndexFromPoint(WPARAM wPoint);

    COLORREF m_crText;
    COLORREF m_crBk;
    CBrush m_brBk;
    COLORREF m_crDisabledBk;
    CBrush m_brDisabledBk;
    HACCEL m_hAccel;
    COleDropTargetText m_dropTarget;
    bool m_bDropTargetRegistered;
    bool m_bDragging;  // this control is the source of the drag under way
    CRect m_rcPinned;
    CWindowSurface m_surface;

    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnEditSelectAll();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditUndo();
    void OnEditCut();
    void OnUpdateEditCopy(CCmdUI* pCmdUI);
    void OnUpdateEditCut(CCmdUI* pCmdUI);
    void OnUpdateEditPaste(CCmdUI* pCmdUI);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSetFocus(CWnd* pOldWnd);
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    LRESULT OnSetData(WPARAM wParam, LPARAM lParam);
    LRESULT OnValidData(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

// Dialog data exchange for a masked field. Saving: raw gets the display
// string and data the entered characters (untrimmed, a blank for each empty
// position). Loading: the field is refilled from data, in which a prompt
// character is a character like any other, not an empty position: where the
// mask refuses it, it is dropped and the data after it close up.
EXTKIT_API void AFXAPI DDX_Mask(CDataExchange* pDX, CEditEx& ctrl, CString& data, CString& raw);

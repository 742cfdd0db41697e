// CToolBarCtrl: a thin wrapper of the toolbar common control; each member
// sends the control's own message. Buttons are addressed by index (position)
// or by command identifier, as each member says; images by their index in the
// toolbar's image list.
#pragma once

#include "win/Platform.h"
#include "win/Wnd.h"

class CBitmap;
class CImageList;

class FRAMEWORK_API CToolBarCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolBarCtrl)
public:
    CToolBarCtrl();
    virtual ~CToolBarCtrl();
    // Tells the control the size of TBBUTTON, as it must be told before use.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // --- Images
    // Adds the images of bitmap resource nBitmapID (looked up from the current
    // resource module through the extension modules), or of a bitmap the
    // caller keeps; nNumButtons images as wide as the toolbar's images. The
    // index of the first, or -1.
    int AddBitmap(int nNumButtons, UINT nBitmapID);
    int AddBitmap(int nNumButtons, CBitmap* pBitmap);
    // The size of the images, and of the buttons around them.
    BOOL SetBitmapSize(CSize size)
    {
        return static_cast<BOOL>(SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(size.cx, size.cy)));
    }
    BOOL SetButtonSize(CSize size)
    {
        return static_cast<BOOL>(SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(size.cx, size.cy)));
    }
    CSize GetButtonSize() const;
    // The lists stay the caller's; each returns the previous list (a
    // temporary object unless one holds it).
    CImageList* SetImageList(CImageList* pImageList);
    CImageList* SetDisabledImageList(CImageList* pImageList);
    CImageList* SetHotImageList(CImageList* pImageList);
    CImageList* GetImageList() const;
    CImageList* GetDisabledImageList() const;
    CImageList* GetHotImageList() const;

    // --- Buttons
    int GetButtonCount() const { return static_cast<int>(::SendMessageA(m_hWnd, TB_BUTTONCOUNT, 0, 0)); }
    BOOL AddButtons(int nNumButtons, LPTBBUTTON lpButtons)
    {
        return static_cast<BOOL>(
            SendMessage(TB_ADDBUTTONSA, static_cast<WPARAM>(nNumButtons), reinterpret_cast<LPARAM>(lpButtons)));
    }
    BOOL InsertButton(int nIndex, LPTBBUTTON lpButton)
    {
        return static_cast<BOOL>(
            SendMessage(TB_INSERTBUTTONA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpButton)));
    }
    BOOL DeleteButton(int nIndex)
    {
        return static_cast<BOOL>(SendMessage(TB_DELETEBUTTON, static_cast<WPARAM>(nIndex)));
    }
    BOOL GetButton(int nIndex, LPTBBUTTON lpButton) const
    {
        return static_cast<BOOL>(
            ::SendMessageA(m_hWnd, TB_GETBUTTON, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpButton)));
    }
    // The index of the button with that command, or -1.
    UINT CommandToIndex(UINT nID) const { return static_cast<UINT>(::SendMessageA(m_hWnd, TB_COMMANDTOINDEX, nID, 0)); }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const
    {
        return static_cast<BOOL>(
            ::SendMessageA(m_hWnd, TB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)));
    }

    // --- State, by command
    BOOL EnableButton(int nID, BOOL bEnable = TRUE)
    {
        return static_cast<BOOL>(SendMessage(TB_ENABLEBUTTON, static_cast<WPARAM>(nID), MAKELPARAM(bEnable, 0)));
    }
    BOOL IsButtonEnabled(int nID) const
    {
        return static_cast<BOOL>(::SendMessageA(m_hWnd, TB_ISBUTTONENABLED, static_cast<WPARAM>(nID), 0));
    }
    BOOL CheckButton(int nID, BOOL bCheck = TRUE)
    {
        return static_cast<BOOL>(SendMessage(TB_CHECKBUTTON, static_cast<WPARAM>(nID), MAKELPARAM(bCheck, 0)));
    }
    BOOL IsButtonChecked(int nID) const
    {
        return static_cast<BOOL>(::SendMessageA(m_hWnd, TB_ISBUTTONCHECKED, static_cast<WPARAM>(nID), 0));
    }
    // The TBSTATE_ bits, or -1 for no such button.
    int GetState(int nID) const
    {
        return static_cast<int>(::SendMessageA(m_hWnd, TB_GETSTATE, static_cast<WPARAM>(nID), 0));
    }
    BOOL SetState(int nID, UINT nState)
    {
        return static_cast<BOOL>(SendMessage(TB_SETSTATE, static_cast<WPARAM>(nID), MAKELPARAM(nState, 0)));
    }

    // Fits the control to its buttons (and to its parent's edge when aligned).
    void AutoSize() { SendMessage(TB_AUTOSIZE); }
};

// CToolBarCtrl: creation, images and image lists.
#include "win/ToolBarCtrl.h"
#include "win/Gdi.h"
#include "win/ImageList.h"
#include "win/ModuleState.h"

IMPLEMENT_DYNAMIC(CToolBarCtrl, CWnd)

CToolBarCtrl::CToolBarCtrl() {}
CToolBarCtrl::~CToolBarCtrl() {}

BOOL CToolBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, dwStyle, rect, pParentWnd, nID);
}

BOOL CToolBarCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CWnd::CreateEx(dwExStyle, TOOLBARCLASSNAMEA, NULL, dwStyle | WS_CHILD, rect, pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return TRUE;
}

int CToolBarCtrl::AddBitmap(int nNumButtons, UINT nBitmapID)
{
    TBADDBITMAP tbab = {};
    tbab.hInst = AfxFindResourceHandle(MAKEINTRESOURCEA(nBitmapID), RT_BITMAP);
    tbab.nID = nBitmapID;
    return static_cast<int>(
        SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(nNumButtons), reinterpret_cast<LPARAM>(&tbab)));
}

int CToolBarCtrl::AddBitmap(int nNumButtons, CBitmap* pBitmap)
{
    if (pBitmap == NULL || pBitmap->GetSafeHandle() == NULL)
        return -1;
    // No instance: the identifier is the bitmap's handle, whose images the
    // control copies.
    TBADDBITMAP tbab = {};
    tbab.hInst = NULL;
    tbab.nID = reinterpret_cast<UINT_PTR>(pBitmap->GetSafeHandle());
    return static_cast<int>(
        SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(nNumButtons), reinterpret_cast<LPARAM>(&tbab)));
}

CSize CToolBarCtrl::GetButtonSize() const
{
    DWORD dwSize = static_cast<DWORD>(::SendMessageA(m_hWnd, TB_GETBUTTONSIZE, 0, 0));
    return CSize(LOWORD(dwSize), HIWORD(dwSize));
}

namespace {

CImageList* ListFromResult(LRESULT lResult)
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(lResult));
}

LPARAM ListHandle(CImageList* pImageList)
{
    return reinterpret_cast<LPARAM>(pImageList != NULL ? pImageList->GetSafeHandle() : NULL);
}

}  // namespace

CImageList* CToolBarCtrl::SetImageList(CImageList* pImageList)
{
    return ListFromResult(SendMessage(TB_SETIMAGELIST, 0, ListHandle(pImageList)));
}

CImageList* CToolBarCtrl::SetDisabledImageList(CImageList* pImageList)
{
    return ListFromResult(SendMessage(TB_SETDISABLEDIMAGELIST, 0, ListHandle(pImageList)));
}

CImageList* CToolBarCtrl::SetHotImageList(CImageList* pImageList)
{
    return ListFromResult(SendMessage(TB_SETHOTIMAGELIST, 0, ListHandle(pImageList)));
}

CImageList* CToolBarCtrl::GetImageList() const
{
    return ListFromResult(::SendMessageA(m_hWnd, TB_GETIMAGELIST, 0, 0));
}

CImageList* CToolBarCtrl::GetDisabledImageList() const
{
    return ListFromResult(::SendMessageA(m_hWnd, TB_GETDISABLEDIMAGELIST, 0, 0));
}

CImageList* CToolBarCtrl::GetHotImageList() const
{
    return ListFromResult(::SendMessageA(m_hWnd, TB_GETHOTIMAGELIST, 0, 0));
}

// CHeaderCtrl: creation and the members that need more than one message.
#include "win/HeaderCtrl.h"
#include "win/ImageList.h"

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)

CHeaderCtrl::CHeaderCtrl() {}
CHeaderCtrl::~CHeaderCtrl() {}

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_HEADERA, NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CHeaderCtrl::GetOrderArray(LPINT piArray, int iCount) const
{
    if (iCount < 0)
        iCount = GetItemCount();
    return static_cast<BOOL>(
        ::SendMessageA(m_hWnd, HDM_GETORDERARRAY, static_cast<WPARAM>(iCount), reinterpret_cast<LPARAM>(piArray)));
}

CImageList* CHeaderCtrl::SetImageList(CImageList* pImageList)
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(
        HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pImageList != NULL ? pImageList->m_hImageList : NULL))));
}

CImageList* CHeaderCtrl::GetImageList() const
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(::SendMessageA(m_hWnd, HDM_GETIMAGELIST, 0, 0)));
}

CImageList* CHeaderCtrl::CreateDragImage(int nIndex)
{
    HIMAGELIST hImageList = reinterpret_cast<HIMAGELIST>(SendMessage(HDM_CREATEDRAGIMAGE, static_cast<WPARAM>(nIndex)));
    return AfxNewImageList(hImageList);
}

void CHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CHeaderCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    return TRUE;
}

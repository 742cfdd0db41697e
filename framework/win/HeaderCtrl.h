// CHeaderCtrl: a thin wrapper of the header control, the row of column
// captions over a report-view list; each member sends the control's own
// message. Positions count items as they were inserted; the order array says
// where each is shown.
#pragma once

#include "win/Platform.h"
#include "win/Wnd.h"

class CImageList;

class FRAMEWORK_API CHeaderCtrl : public CWnd {
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    CHeaderCtrl();
    virtual ~CHeaderCtrl();
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const { return static_cast<int>(::SendMessageA(m_hWnd, HDM_GETITEMCOUNT, 0, 0)); }
    // The members of pHeaderItem->mask are filled; for text, pszText must
    // point to a buffer of cchTextMax characters.
    BOOL GetItem(int nPos, HDITEM* pHeaderItem) const
    {
        return static_cast<BOOL>(
            ::SendMessageA(m_hWnd, HDM_GETITEMA, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(pHeaderItem)));
    }
    BOOL SetItem(int nPos, HDITEM* pHeaderItem)
    {
        return static_cast<BOOL>(
            SendMessage(HDM_SETITEMA, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(pHeaderItem)));
    }
    // The new item's position, or -1.
    int InsertItem(int nPos, HDITEM* phdi)
    {
        return static_cast<int>(
            SendMessage(HDM_INSERTITEMA, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(phdi)));
    }
    BOOL DeleteItem(int nPos) { return static_cast<BOOL>(SendMessage(HDM_DELETEITEM, static_cast<WPARAM>(nPos))); }
    // The item's rectangle in the header's client coordinates.
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const
    {
        return static_cast<BOOL>(
            ::SendMessageA(m_hWnd, HDM_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)));
    }
    BOOL Layout(HDLAYOUT* pHeaderLayout)
    {
        return static_cast<BOOL>(SendMessage(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(pHeaderLayout)));
    }
    // The item at pHeaderHitTestInfo->pt (client coordinates), or -1; the
    // structure's flags say where the point lies.
    int HitTest(LPHDHITTESTINFO pHeaderHitTestInfo)
    {
        return static_cast<int>(SendMessage(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(pHeaderHitTestInfo)));
    }
    // The item shown at place nOrder.
    int OrderToIndex(int nOrder) const
    {
        return static_cast<int>(::SendMessageA(m_hWnd, HDM_ORDERTOINDEX, static_cast<WPARAM>(nOrder), 0));
    }
    // piArray gets, for each place from the left, the position of the item
    // shown there; iCount -1 means every item.
    BOOL GetOrderArray(LPINT piArray, int iCount = -1) const;
    BOOL SetOrderArray(int iCount, LPINT piArray)
    {
        return static_cast<BOOL>(
            SendMessage(HDM_SETORDERARRAY, static_cast<WPARAM>(iCount), reinterpret_cast<LPARAM>(piArray)));
    }
    // Shows the drop mark before place nIndex (-1 removes it); the previous place.
    int SetHotDivider(int nIndex)
    {
        return static_cast<int>(SendMessage(HDM_SETHOTDIVIDER, FALSE, static_cast<LPARAM>(nIndex)));
    }
    // The previous list, a temporary object; the header does not own lists.
    CImageList* SetImageList(CImageList* pImageList);
    CImageList* GetImageList() const;
    // A picture of item nIndex for dragging, which the caller deletes; NULL on failure.
    CImageList* CreateDragImage(int nIndex);

    // An owner-drawn item (HDF_OWNERDRAW) is drawn here when the parent is
    // asked to (nothing is drawn here).
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

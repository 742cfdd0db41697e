// CListBox: a thin wrapper of the list box; each member sends the control's own
// message. Create makes the control a child of pParentWnd with the given ID.
#pragma once

#include "win/Platform.h"
#include "win/Wnd.h"

class FRAMEWORK_API CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)
public:
    CListBox();
    virtual ~CListBox();
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Indexes: the new item's, or LB_ERR / LB_ERRSPACE.
    int AddString(LPCTSTR lpszItem)
    {
        return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszItem)));
    }
    int InsertString(int nIndex, LPCTSTR lpszItem)
    {
        return static_cast<int>(
            SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszItem)));
    }
    // The items left, or LB_ERR.
    int DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(LB_DELETESTRING, nIndex)); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int GetCount() const { return static_cast<int>(::SendMessageA(m_hWnd, LB_GETCOUNT, 0, 0)); }
    int GetCurSel() const { return static_cast<int>(::SendMessageA(m_hWnd, LB_GETCURSEL, 0, 0)); }
    // -1 clears the selection.
    int SetCurSel(int nSelect) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(nSelect))); }
    int GetTextLen(int nIndex) const
    {
        return static_cast<int>(::SendMessageA(m_hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(nIndex), 0));
    }
    // Empty when there is no such item.
    void GetText(int nIndex, CString& rString) const;
    // The first item from after nStartAfter beginning with the prefix (any case), or LB_ERR.
    int FindString(int nStartAfter, LPCTSTR lpszItem) const
    {
        return static_cast<int>(::SendMessageA(m_hWnd, LB_FINDSTRING, static_cast<WPARAM>(nStartAfter),
                                               reinterpret_cast<LPARAM>(lpszItem)));
    }
    int FindStringExact(int nStartAfter, LPCTSTR lpszItem) const
    {
        return static_cast<int>(::SendMessageA(m_hWnd, LB_FINDSTRINGEXACT, static_cast<WPARAM>(nStartAfter),
                                               reinterpret_cast<LPARAM>(lpszItem)));
    }
    int SelectString(int nStartAfter, LPCTSTR lpszItem)
    {
        return static_cast<int>(
            SendMessage(LB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem)));
    }
    DWORD_PTR GetItemData(int nIndex) const
    {
        return static_cast<DWORD_PTR>(::SendMessageA(m_hWnd, LB_GETITEMDATA, static_cast<WPARAM>(nIndex), 0));
    }
    int SetItemData(int nIndex, DWORD_PTR dwItemData)
    {
        return static_cast<int>(
            SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
    }

    // Where lines are, for hit tests and drags (client coordinates).
    int GetItemRect(int nIndex, LPRECT lpRect) const
    {
        return static_cast<int>(
            ::SendMessageA(m_hWnd, LB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)));
    }
    // The line nearest to pt; bOutside is TRUE when pt lies outside every
    // line (below the last one, say).
    UINT ItemFromPoint(CPoint pt, BOOL& bOutside) const;
    int GetItemHeight(int nIndex) const
    {
        return static_cast<int>(::SendMessageA(m_hWnd, LB_GETITEMHEIGHT, static_cast<WPARAM>(nIndex), 0));
    }
    int SetItemHeight(int nIndex, UINT cyItemHeight)
    {
        return static_cast<int>(
            SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex), MAKELPARAM(cyItemHeight, 0)));
    }
    int GetTopIndex() const { return static_cast<int>(::SendMessageA(m_hWnd, LB_GETTOPINDEX, 0, 0)); }
    int SetTopIndex(int nIndex) { return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(nIndex))); }
    // How far, in pixels, the lines can be scrolled horizontally (a list
    // with WS_HSCROLL shows its bar when that is wider than the list).
    int GetHorizontalExtent() const { return static_cast<int>(::SendMessageA(m_hWnd, LB_GETHORIZONTALEXTENT, 0, 0)); }
    void SetHorizontalExtent(int cxExtent) { SendMessage(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(cxExtent)); }

    // Owner drawing: the parent's notifications about this control come back
    // to these (none of them does anything here).
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    // Where a sorted owner-drawn control puts an item: -1, 0 or 1 as item 1
    // sorts before, with or after item 2 (0 here).
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

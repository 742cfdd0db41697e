// CCheckListCtrl: an owner-drawn report list whose rows have a text label in
// the first column and a check cell in each further column. A row's checks are
// a bit mask in its item data (column c owns bit (c - 1) mod 32). One column
// of the whole control is current: the first click on a check cell makes its
// column current, a click in the current column (on any row) or Space toggles
// the check of the focused row, and Left and Right move between the check
// columns. The host fills the control with AddColumns and AddRows and reads
// the masks back with GetChecks; the control sends no message of its own.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "frame/ExtkitApi.h"

class EXTKIT_API CCheckListCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CCheckListCtrl)
public:
    // Loads the check mark from the library's own resources.
    CCheckListCtrl();
    virtual ~CCheckListCtrl();

    // With nSubItem 0: a new row at nItem with the text (and image nImage
    // unless it is -1); its index, or -1. Otherwise: the text (and image) of
    // cell (nItem, nSubItem) of an existing row; nonzero when it was set.
    int AddItem(int nItem, int nSubItem, const char* text, int nImage = -1);
    // A header column at nItem with the LVCF_ mask and LVCFMT_ format given,
    // the caption text and a first width of the caption's length in characters
    // plus 15. With LVCF_SUBITEM in nMask its sub-item is nSubItem, or nItem
    // when nSubItem is -1. The new column's index, or -1.
    int AddColumn(const char* text, int nItem, int nSubItem = -1,
                  int nMask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM, int nFmt = LVCFMT_LEFT);
    // The columns of titles from column 0 (the label column) on, each half as
    // wide again as its caption and at least 50 pixels; they are the control's
    // check columns from then on (Right stops at the last of them). With
    // bFitToClient they then fill the client area less a vertical scroll bar.
    void AddColumns(const CStringArray& titles, bool bFitToClient);
    // Row i gets the label rows[i], image 0 and the check mask checks[i].
    // checks must be as long as rows: the framework's invalid-argument
    // exception once it runs out, the rows added until then staying.
    void AddRows(const CStringArray& rows, const CUIntArray& checks);
    // checks[i] = the mask of row i, for every element the caller sized the
    // array to (0 past the last row).
    void GetChecks(CUIntArray& checks);

protected:
    CBitmap m_bmpCheck;
    int m_nClientWidth;       // of the client area, from the last WM_SIZE
    int m_nCurColumn;         // the current check column; 0: the label is current
    int m_nLastColumn;        // the last column AddColumns made (-1 for none)
    COLORREF m_crText;        // kept for hosts; the drawing does not use it
    COLORREF m_crItemBk;      // the fill of every row
    COLORREF m_crBackground;  // the control's background, behind the item images

    // Toggles the current column's check of the focused row and redraws it.
    void InverseCheck();
    // Repaints the focused row now.
    void RedrawFocusedRow();

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnSize(UINT nType, int cx, int cy);
    void OnKeydown(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnSetBkColor(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // The widths of the header's columns, in order.
    CArray<int, int> m_anWidths;
    const int* ReadColumnWidths(int& nCount);
};

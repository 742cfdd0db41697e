// COXMultiComboBox: an owner-drawn combo box whose rows have several text
// columns. One of them, the master column, is the text the combo box itself
// holds for the row: it shows in the edit part and serves the combo box's
// own keyboard search and selection. The drop-down list shows every column
// side by side with dotted grid lines, is never taller than its rows, and
// scrolls sideways when the columns are wider than the list.
//
// Create it owner-drawn (CBS_OWNERDRAWFIXED or CBS_OWNERDRAWVARIABLE) with
// CBS_HASSTRINGS, under a parent that passes owner-draw notifications back
// to their controls (every framework window does).
//
// Each row is the combo box item's own data; the host's item data live in
// the row, so CB_GETITEMDATA and CB_SETITEMDATA (GetItemData, SetItemData)
// and the owner-draw and delete notifications the host sees carry the
// host's values. Rows are freed with their items and with the window.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "frame/ExtkitApi.h"

// What the drop-down list asks its combo box to do with a horizontal scroll
// request before handling it itself (wParam and lParam of WM_HSCROLL).
#define WM_OX_LISTHSCROLL (WM_APP + 0xE7)

class EXTKIT_API COXMultiComboBox : public CComboBox {
    DECLARE_DYNAMIC(COXMultiComboBox)
public:
    // One row: a text per column and the host's item data.
    class EXTKIT_API COXRowData {
    public:
        COXRowData() : m_dwItemData(0) {}
        CStringArray m_arrTexts;  // sized to the column count
        DWORD_PTR m_dwItemData;   // the host's own, 0 at first
    };

    // The drop-down list, subclassed when it first paints: it decides its
    // scroll bars and keeps its height to its rows.
    class EXTKIT_API COXComboLBox : public CListBox {
    public:
        COXComboLBox();
        virtual ~COXComboLBox();
        void Init(CWnd* pParentCombo);
        // Shows the bars the columns and rows need within the dropped rectangle.
        void AdjustHScroll();

        BOOL m_bVertScroll;
        BOOL m_bHorzScroll;
        COXMultiComboBox* m_pParentCombo;

    protected:
        void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
        void OnWindowPosChanging(WINDOWPOS* lpwndpos);
        void OnSize(UINT nType, int cx, int cy);
        DECLARE_MESSAGE_MAP()

    private:
        BOOL m_bBarsDecided;   // AdjustHScroll has chosen the bars: they stay so
        BOOL m_bRestoringBar;  // the horizontal bar is being put back
        // The tallest list of whole rows that fits the dropped rectangle.
        int GetMaxHeight();
    };

    COXMultiComboBox();
    virtual ~COXMultiComboBox();

    // --- Columns. Each returns TRUE on success; a change makes the list be
    // set up again before it is next shown.
    // Refused when negative or not above the master column; rows keep their
    // first nCount texts, new columns are 60 pixels wide.
    int SetColumnCount(int nCount);
    int GetColumnCount() const { return m_nColumnCount; }
    // -1 sets every column; a negative width is refused.
    int SetColumnWidth(int nColumn, int nWidth);
    // -1 for a column out of range.
    int GetColumnWidth(int nColumn) const;
    // The selected row stays selected.
    int SetMasterColumn(int nColumn);
    int GetMasterColumn() const { return m_nMasterColumn; }
    int GetTotalWidth();
    int GetTotalHeight();

    // --- Rows. Indices of the new row, or -1 when the combo box refused it
    // or nCount is below 1 or above the column count; texts the array does
    // not give (a NULL one among them) are empty.
    int AddString(const char** ppTexts, int nCount);
    int InsertString(int nIndex, const char** ppTexts, int nCount);
    // A row with text in the master column and the other columns empty.
    int AddString(const char* text);
    int InsertString(int nIndex, const char* text);

    // A cell's text. The buffer must hold GetLBTextLen + 1 characters; the
    // length, or -1 (nothing copied) for a row or column out of range.
    int GetLBText(int nIndex, int nColumn, char* buf);
    // Empty for a row or column out of range.
    void GetLBText(int nIndex, int nColumn, CString& text);
    int GetLBTextLen(int nIndex, int nColumn);
    // The same in the master column.
    int GetLBText(int nIndex, char* buf) { return GetLBText(nIndex, m_nMasterColumn, buf); }
    void GetLBText(int nIndex, CString& text) { GetLBText(nIndex, m_nMasterColumn, text); }
    int GetLBTextLen(int nIndex) { return GetLBTextLen(nIndex, m_nMasterColumn); }

    // Searches in a column from the row after nStartAfter (-1: from the
    // first) to the last, without wrapping, case-sensitively: FindString by
    // the cell's beginning, FindStringExact by the whole cell. The row or -1.
    int FindString(int nStartAfter, int nColumn, const char* text);
    int FindStringExact(int nStartAfter, int nColumn, const char* text);
    // Selects the row FindString finds; its index, or -1.
    int SelectString(int nStartAfter, int nColumn, const char* text);
    // The combo box's own prefix search of the master column (any case, wrapping).
    int FindString(int nStartAfter, const char* text) { return CComboBox::FindString(nStartAfter, text); }
    int FindStringExact(int nStartAfter, const char* text)
    {
        return FindStringExact(nStartAfter, m_nMasterColumn, text);
    }
    int SelectString(int nStartAfter, const char* text) { return SelectString(nStartAfter, m_nMasterColumn, text); }

    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    // Does nothing: rows keep the height the combo box gives them.
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    // Always 0: a sorted combo box orders its rows by the master texts.
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    // One cell: its background, its text left-aligned and cut with an
    // ellipsis, then its border. nItem -1 draws an empty cell.
    virtual void DrawColumnItem(HDC hDC, int nItem, int nColumn, const CRect& rect, int nState);
    // The cell's right and bottom grid lines; none in the edit part.
    virtual void DrawColumnBorder(CDC* pDC, const CRect& rect, int nState);

protected:
    // Gives rows to the items a window already had.
    virtual void PreSubclassWindow();
    // The row of an item (its data past the host's view), NULL for none.
    COXRowData* GetRowData(int nIndex) const;
    int SetRowData(int nIndex, COXRowData* pRow);

    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);
    LRESULT OnListHScroll(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetItemData(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetItemData(WPARAM wParam, LPARAM lParam);
    int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    LRESULT OnInsertString(WPARAM wParam, LPARAM lParam);
    LRESULT OnAddString(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    int m_nColumnCount;
    int m_nMasterColumn;
    CArray<int, int> m_arrColumnWidth;
    CPen m_penGrid;
    COXComboLBox m_ComboLBox;
    BOOL m_bListDirty;       // the list is set up again before it next paints
    BOOL m_bChangingMaster;  // the items are being rebuilt: rows stay
    int m_nListClientWidth;  // the page of horizontal scrolling
    int m_nAveCharWidth;     // the step of horizontal line scrolling

private:
    BOOL ChangeMasterColumn(int nColumn);
    // A new row for item nIndex, its master text pszMaster.
    void MakeRow(int nIndex, LPCSTR pszMaster);
    // Fills the texts of a new row from the caller's array.
    int FillRow(int nIndex, const char** ppTexts, int nCount);
    LPCSTR MasterText(const char** ppTexts, int nCount) const;
    void ListChanged();
};

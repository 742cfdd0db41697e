// CDragDropListCtrl: a report list whose rows the user reorders by dragging
// them (one or several selected rows, with a picture of them under the
// pointer, the target row marked and the list scrolling by itself at its top
// and bottom) and whose columns the user reorders by dragging their captions
// (CDragDropHeaderCtrl). It is also a small editable table: a current cell
// moved by the arrow keys and the mouse, editing in place with CEditEx over
// the cell, Insert for a new row, Delete for the current row after a
// question, Ctrl+Insert to copy the cell, optional check boxes, and a
// WM_ITEMLISTCTRLCHNG message to the owner for every change the user makes.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "controls/DragDropHeaderCtrl.h"
#include "frame/ExtkitApi.h"

class CEditEx;

// Sent to the list's owner (the window set with SetOwner, else the parent) for
// each edit, new row, deletion and check change the user makes, not for
// drags. wParam: the row; lParam: a CItemListCtrlChng* valid during the call.
#define WM_ITEMLISTCTRLCHNG (WM_USER + 200)

class EXTKIT_API CItemListCtrlChng {
public:
    enum eOperation {
        opEdit = 0,     // a cell's text was changed by editing
        opInsert = 1,   // the first edit of a row added with Insert was accepted
        opDelete = 2,   // a row was deleted
        opCheck = 3,    // an unchecked row is about to be checked
        opUncheck = 4,  // a checked row is about to be unchecked
    };
    HWND hWndList;
    int nItem;
    int nSubItem;  // -1 for the whole row
    eOperation eOp;
};

class EXTKIT_API CDragDropListCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CDragDropListCtrl)
public:
    enum EScrollDirection { scrollNone = 0, scrollUp = 1, scrollDown = 2 };

    CDragDropListCtrl();
    virtual ~CDragDropListCtrl();

    // --- Columns and rows
    int GetColumnCount();
    // Every column as wide as its caption and half as much again.
    void AutoArrangeColumn();
    // Left-aligned columns with the captions, then AutoArrangeColumn.
    void AddColumns(CStringArray* pTitles);
    // Row i gets the text (*pRows)[i] and a check when (*pChecks)[i] is not 0,
    // for as many rows as the shorter array has elements.
    void AddRows(CStringArray* pRows, CUIntArray* pChecks);
    // The check of every row, in order; the array is emptied first.
    void GetChecks(CUIntArray* pChecks);
    // Rows get check boxes (the state images of bitmap 20000).
    void SetCheckedList();

    // --- The current cell
    // Makes cell (nItem, nSubItem) current, its row selected and focused
    // (bFlag is not used). Nothing happens while a call is already under way.
    void SetSelSubItem(int nItem, int nSubItem, bool bFlag = true);
    // The current cell; false, with both set to 0, when there is none.
    bool GetSelSubItem(int& nItem, int& nSubItem);

    // Whether the user changed the content (edit, new row, deletion, check);
    // the host clears it after saving.
    bool GetModify() const { return m_bModify; }
    void SetModify(bool bModify) { m_bModify = bModify; }

    // True while rows are being dragged.
    bool IsDragging() const { return m_pDragImage != NULL; }

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();

protected:
    CDragDropHeaderCtrl m_wndHeader;
    CImageList m_imgState;
    CDWordArray m_arrDragItems;  // the dragged rows, ascending
    int m_nDropIndex;            // the row marked as the drop target
    CImageList* m_pDragImage;    // the picture being dragged; set exactly while rows are dragged
    int m_nPrevDropItem;         // the row whose selection marks the target
    UINT m_nPrevDropState;       // its LVIS_SELECTED bit before
    DWORD m_dwSavedStyle;        // the style before a drag removed LVS_SINGLESEL; 0 when none was removed
    EScrollDirection m_eScrollDir;
    UINT_PTR m_nScrollTimer;  // 0 when the scroll timer does not run
    CEditEx* m_pEdit;         // the editor while a cell is edited
    bool m_bModify;
    bool m_bCheckedList;
    bool m_bInSetSel;
    bool m_bNewRow;  // the cell being edited belongs to a row just added with Insert

    // --- Editing, for derived classes
    // Opens the editor over cell (nItem, nSubItem), loaded with its text, all
    // of it selected; NULL when the list view gives no editor.
    virtual CEditEx* BeginEdit(int nItem, int nSubItem);
    // The edited text, leading line feeds, carriage returns and spaces
    // removed; false discards the edit (the cell keeps its text and the owner
    // hears nothing).
    virtual bool EndEdit(CEditEx* pEdit, CString& text);
    // Tells the owner window, when there is one, of a change.
    virtual void SendMsgOwner(int nItem, int nSubItem, CItemListCtrlChng::eOperation op);
    // Toggles the check of the current row (row 0 when no cell is current),
    // telling the owner first.
    void CheckedItem();

    // --- Dragging
    // The header's callback: the column nFrom, with its caption, format, width
    // and every row's text, goes to gap nTo.
    void DragColumn(int nFrom, int nTo);
    // A picture of all selected rows for dragging, which the caller deletes;
    // *pHotspot gets the pointer's place in it. NULL on failure.
    CImageList* CreateDragImageEx(POINT* pHotspot);
    // Moves the dragged rows after the marked target row.
    void DropItem();
    // Marks nItem as the drop target (ignored outside the rows).
    void UpdateSelection(int nItem);
    void RestorePrevDropItemState();
    void SetScrollTimer(EScrollDirection dir);
    void KillScrollTimer();
    // The widths of columns 0 .. n added up; all columns for -1 or n past the last.
    int GetAllColWidth(int n);

    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    void OnKeydown(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDblclk(NMHDR* pNMHDR, LRESULT* pResult);
    void OnItemChanging(NMHDR* pNMHDR, LRESULT* pResult);
    void OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnInsertItem(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnDeleteAllItems(NMHDR* pNMHDR, LRESULT* pResult);
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    // The current cell, kept as a pair of the list's own: the list view keeps
    // selection and focus per row only. -1: no current cell.
    int m_nSelItem;
    int m_nSelSubItem;
    bool m_bInDrop;       // rows are being moved by a drop: the current cell is placed afterwards
    bool m_bInBeginEdit;  // the list view's editor is being opened by BeginEdit
    int m_nKeyNotify;     // 0; 1 while a key's notification is ours; 2 while the list view handles the key

    void SubclassHeader();
    // Repaints a row now (nothing for -1).
    void RedrawRow(int nItem);
    // After row nItem went: the row now in its place (or the last) becomes current at column 0.
    void MoveOnFrom(int nItem);
    // The Delete key: asks, then deletes the current row.
    void DeleteCurrentRow();
    // The Insert key: a new empty row at the end, being edited.
    void InsertNewRow();
    // Ctrl+Insert: the current cell's text to the clipboard.
    void CopyCurrentCell();
    // The arrow keys.
    void MoveCurrentCell(UINT nKey);
};

// CDragDropListCtrl as an editable table: the current cell, its keys, editing
// in place with CEditEx, new and deleted rows, check boxes and the owner's
// notifications.
#include "controls/DragDropListCtrl.h"

#include "controls/DragDropLayout.h"
#include "controls/ListCtrlRes.h"
#include "edit/EditEx.h"
#include "frame/Frame.h"

#include <vector>

namespace {
const COLORREF c_crBoxBackground = RGB(255, 0, 0);  // transparent in bitmap 20000
}

void CDragDropListCtrl::SetCheckedList()
{
    if (m_imgState.GetSafeHandle() == NULL) {
        CSetResourceHandle resources(GetExtkitInstance());
        m_imgState.Create(IDB_DRAGDROP_BOXES, 16, 1, c_crBoxBackground);
    }
    SetImageList(&m_imgState, LVSIL_STATE);
    m_bCheckedList = true;
    // Every row shows its box, the unchecked ones too.
    for (int i = 0; i < GetItemCount(); ++i) {
        if (GetItemState(i, LVIS_STATEIMAGEMASK) == 0)
            SetCheck(i, FALSE);
    }
}

void CDragDropListCtrl::AddRows(CStringArray* pRows, CUIntArray* pChecks)
{
    const INT_PTR nCount = pRows->GetSize() < pChecks->GetSize() ? pRows->GetSize() : pChecks->GetSize();
    for (int i = 0; i < nCount; ++i) {
        InsertItem(i, pRows->GetAt(i));
        if (pChecks->GetAt(i) != 0 || m_bCheckedList)
            SetCheck(i, pChecks->GetAt(i) != 0);
    }
}

void CDragDropListCtrl::GetChecks(CUIntArray* pChecks)
{
    pChecks->RemoveAll();
    for (int i = 0; i < GetItemCount(); ++i)
        pChecks->Add(GetCheck(i) ? 1 : 0);
}

// ---------------------------------------------------------------- the current cell

void CDragDropListCtrl::SetSelSubItem(int nItem, int nSubItem, bool bFlag)
{
    if (m_bInSetSel)
        return;
    m_bInSetSel = true;
    const int nOldItem = m_nSelItem;
    m_nSelItem = nItem >= 0 ? nItem : -1;
    m_nSelSubItem = nItem >= 0 ? nSubItem : -1;
    if (nOldItem >= 0 && nOldItem != nItem && nOldItem < GetItemCount())
        SetItemState(nOldItem, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (nItem >= 0)
        SetItemState(nItem, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    // The cell shows itself only in the drawing: the row's state may not change.
    RedrawRow(nOldItem);
    if (nItem != nOldItem)
        RedrawRow(nItem);
    m_bInSetSel = false;
}

bool CDragDropListCtrl::GetSelSubItem(int& nItem, int& nSubItem)
{
    if (m_nSelItem >= 0 && m_nSelItem < GetItemCount() && m_nSelSubItem >= 0 && m_nSelSubItem < GetColumnCount()) {
        nItem = m_nSelItem;
        nSubItem = m_nSelSubItem;
        return true;
    }
    nItem = nSubItem = 0;
    return false;
}

void CDragDropListCtrl::RedrawRow(int nItem)
{
    CRect rc;
    if (nItem >= 0 && GetItemRect(nItem, &rc, LVIR_BOUNDS))
        InvalidateRect(&rc, FALSE);
}

void CDragDropListCtrl::OnItemChanging(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    // Rows marked and moved by a drag, and the row of an open editor, keep the
    // current cell where it is.
    if (IsDragging() || m_bInDrop || m_pEdit != NULL)
        return;
    const NMLISTVIEW* pInfo = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    const UINT nGained = pInfo->uNewState & ~pInfo->uOldState;
    if (m_bInSetSel || !(pInfo->uChanged & LVIF_STATE) || !(nGained & (LVIS_SELECTED | LVIS_FOCUSED)) ||
        pInfo->iItem < 0)
        return;
    // The list view is selecting the row itself: the current cell follows it,
    // and the rows it keeps selected (a multiple selection) stay selected.
    const int nOldItem = m_nSelItem;
    m_nSelItem = pInfo->iItem;
    m_nSelSubItem = 0;
    RedrawRow(nOldItem);
    RedrawRow(m_nSelItem);
}

BOOL CDragDropListCtrl::OnInsertItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    const int nItem = reinterpret_cast<const NMLISTVIEW*>(pNMHDR)->iItem;
    if (!m_bInDrop) {
        if (m_nSelItem >= nItem && m_nSelItem >= 0)
            ++m_nSelItem;
        if (m_bCheckedList && GetItemState(nItem, LVIS_STATEIMAGEMASK) == 0)
            SetCheck(nItem, FALSE);
    }
    return FALSE;
}

BOOL CDragDropListCtrl::OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult)
{
    const int nItem = reinterpret_cast<const NMLISTVIEW*>(pNMHDR)->iItem;
    if (!m_bInDrop && m_nSelItem >= 0) {
        if (nItem < m_nSelItem)
            --m_nSelItem;
        else if (nItem == m_nSelItem)
            m_nSelItem = m_nSelSubItem = -1;
    }
    return FALSE;
}

BOOL CDragDropListCtrl::OnDeleteAllItems(NMHDR* pNMHDR, LRESULT* pResult)
{
    m_nSelItem = m_nSelSubItem = -1;
    return FALSE;
}

void CDragDropListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVCUSTOMDRAW* pDraw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    switch (pDraw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        *pResult = CDRF_NOTIFYITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT:
        if (static_cast<int>(pDraw->nmcd.dwItemSpec) == m_nSelItem)
            *pResult = CDRF_NOTIFYSUBITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        // On the current row only the current cell shows as selected.
        pDraw->nmcd.uItemState &= ~(CDIS_SELECTED | CDIS_FOCUS);
        if (pDraw->iSubItem == m_nSelSubItem) {
            const bool bFocus = ::GetFocus() == m_hWnd;
            pDraw->clrTextBk = ::GetSysColor(bFocus ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
            pDraw->clrText = ::GetSysColor(bFocus ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
        } else {
            pDraw->clrTextBk = GetTextBkColor();
            pDraw->clrText = GetTextColor();
        }
        // The list view hides the label of the row it edits, wherever its
        // editor was moved: the label is drawn again after the row.
        if (pDraw->iSubItem == 0 && m_pEdit != NULL && m_nSelSubItem != 0)
            *pResult = CDRF_NOTIFYPOSTPAINT;
        break;
    }
    case CDDS_ITEMPOSTPAINT | CDDS_SUBITEM: {
        CRect rcLabel;
        const int nItem = static_cast<int>(pDraw->nmcd.dwItemSpec);
        if (pDraw->iSubItem != 0 || m_pEdit == NULL || !GetSubItemRect(nItem, 0, LVIR_LABEL, rcLabel))
            break;
        CDC* pDC = CDC::FromHandle(pDraw->nmcd.hdc);
        const CString strLabel = GetItemText(nItem, 0);
        rcLabel.left += 2;
        const COLORREF crOld = pDC->SetTextColor(GetTextColor());
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(strLabel, -1, &rcLabel, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        pDC->SetBkMode(nOldMode);
        pDC->SetTextColor(crOld);
        break;
    }
    }
}

// ---------------------------------------------------------------- keys

void CDragDropListCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // The list view tells its parent of a key and then acts on it whatever the
    // answer; here the key table's answer decides whether it acts at all.
    NMLVKEYDOWN info = {};
    info.hdr.hwndFrom = m_hWnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    info.hdr.code = LVN_KEYDOWN;
    info.wVKey = static_cast<WORD>(nChar);
    LRESULT lHandled = 0;
    m_nKeyNotify = 1;
    OnKeydown(&info.hdr, &lHandled);
    if (lHandled == 0) {
        // Its own notification of this key is not handled a second time.
        m_nKeyNotify = 2;
        CListCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
    }
    m_nKeyNotify = 0;
}

void CDragDropListCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // The character of a key that opened the editor is the editor's, not the
    // list view's search for a row (which would move the current cell).
    if (m_pEdit != NULL && m_pEdit->GetSafeHwnd() != NULL) {
        m_pEdit->SendMessage(WM_CHAR, nChar, MAKELPARAM(nRepCnt, nFlags));
        return;
    }
    CListCtrl::OnChar(nChar, nRepCnt, nFlags);
}

void CDragDropListCtrl::OnKeydown(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (m_nKeyNotify == 2)
        return;
    const UINT nKey = reinterpret_cast<const NMLVKEYDOWN*>(pNMHDR)->wVKey;
    const unsigned char nModifiers = GetPressedExtKey();
    switch (nKey) {
    case VK_SPACE:
        if (m_bCheckedList && nModifiers == 0)
            CheckedItem();
        return;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        MoveCurrentCell(nKey);
        *pResult = 1;
        return;
    case VK_INSERT:
        if (nModifiers == EXTKEY_CONTROL)
            CopyCurrentCell();
        else
            InsertNewRow();
        return;
    case VK_DELETE:
        if (nModifiers == 0)
            DeleteCurrentRow();
        return;
    }
    if ((nKey >= VK_F1 && nKey <= VK_F12) || nModifiers != 0 || !::IsCharAlphaNumericA(static_cast<char>(nKey)))
        return;
    int nItem = 0, nSubItem = 0;
    GetSelSubItem(nItem, nSubItem);
    if (BeginEdit(nItem, nSubItem) != NULL)
        SetSelSubItem(nItem, nSubItem, true);
}

void CDragDropListCtrl::MoveCurrentCell(UINT nKey)
{
    const int nRows = GetItemCount(), nColumns = GetColumnCount();
    if (nRows <= 0 || nColumns <= 0)
        return;
    int nItem = 0, nSubItem = 0;
    GetSelSubItem(nItem, nSubItem);
    if (nKey == VK_UP || nKey == VK_DOWN) {
        nItem = nKey == VK_UP ? nItem - 1 : nItem + 1;
        nItem = nItem < 0 ? 0 : (nItem > nRows - 1 ? nRows - 1 : nItem);
        SetSelSubItem(nItem, nSubItem, true);
        EnsureVisible(nItem, TRUE);
        return;
    }
    const bool bLeft = nKey == VK_LEFT;
    nSubItem = bLeft ? nSubItem - 1 : nSubItem + 1;
    nSubItem = nSubItem < 0 ? 0 : (nSubItem > nColumns - 1 ? nColumns - 1 : nSubItem);
    SetSelSubItem(nItem, nSubItem, true);
    if (GetScrollLimit(SB_HORZ) <= 0)
        return;
    std::vector<int> widths(nColumns);
    for (int i = 0; i < nColumns; ++i)
        widths[i] = GetColumnWidth(i);
    CRect rcClient;
    GetClientRect(&rcClient);
    const int dx = CDragDropLayout::ScrollToColumn(widths.data(), nColumns, nSubItem, bLeft, GetScrollPos(SB_HORZ),
                                                   rcClient.Width());
    if (dx != 0)
        Scroll(CSize(dx, 0));
}

void CDragDropListCtrl::InsertNewRow()
{
    const int nItem = GetItemCount();
    if (InsertItem(nItem, "") < 0)
        return;
    SetSelSubItem(nItem, 0, true);
    SetCheck(nItem, FALSE);
    EnsureVisible(nItem, FALSE);
    if (BeginEdit(nItem, 0) != NULL) {
        SetSelSubItem(nItem, 0, true);
        m_bNewRow = true;
    }
}

void CDragDropListCtrl::CopyCurrentCell()
{
    int nItem = 0, nSubItem = 0;
    GetSelSubItem(nItem, nSubItem);
    const CString strText = GetItemText(nItem, nSubItem);
    if (strText.IsEmpty())
        return;
    CClipboard clipboard(m_hWnd);
    if (clipboard.IsOpen())
        clipboard.SetText(strText);
}

void CDragDropListCtrl::DeleteCurrentRow()
{
    // Nothing is asked, nor deleted, when no row is current.
    int nItem = 0, nSubItem = 0;
    if (!GetSelSubItem(nItem, nSubItem))
        return;
    int nAnswer = 0;
    {
        CSetResourceHandle resources(GetExtkitInstance());
        nAnswer = AfxMessageBox(IDS_DRAGDROP_DELETE, MB_OKCANCEL | MB_ICONQUESTION);
    }
    // The rows may have changed while the question was open.
    if (nAnswer != IDOK || !GetSelSubItem(nItem, nSubItem))
        return;
    DeleteItem(nItem);
    SendMsgOwner(nItem, -1, CItemListCtrlChng::opDelete);
    SetModify(true);
    MoveOnFrom(nItem);
}

void CDragDropListCtrl::MoveOnFrom(int nItem)
{
    const int nCount = GetItemCount();
    if (nCount > 0)
        SetSelSubItem(nItem < nCount - 1 ? nItem : nCount - 1, 0, true);
}

void CDragDropListCtrl::CheckedItem()
{
    int nItem = 0, nSubItem = 0;
    GetSelSubItem(nItem, nSubItem);
    // Only a row that exists changes, and only then is the owner told.
    if (nItem < 0 || nItem >= GetItemCount() || GetParent() == NULL)
        return;
    const bool bChecked = GetCheck(nItem) != FALSE;
    SendMsgOwner(nItem, -1, bChecked ? CItemListCtrlChng::opUncheck : CItemListCtrlChng::opCheck);
    SetCheck(nItem, !bChecked);
    SetModify(true);
}

void CDragDropListCtrl::OnDblclk(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (m_bCheckedList)
        CheckedItem();
    *pResult = 0;
}

// ---------------------------------------------------------------- editing

CEditEx* CDragDropListCtrl::BeginEdit(int nItem, int nSubItem)
{
    m_bInBeginEdit = true;
    CEdit* pLabelEdit = EditLabel(nItem);
    m_bInBeginEdit = false;
    HWND hEdit = pLabelEdit != NULL ? pLabelEdit->GetSafeHwnd() : NULL;
    if (hEdit == NULL)
        return NULL;
    delete m_pEdit;
    m_pEdit = new CEditEx;
    if (!m_pEdit->SubclassWindow(hEdit)) {
        delete m_pEdit;
        m_pEdit = NULL;
        SendMessage(LVM_CANCELEDITLABEL);
        return NULL;
    }
    CRect rcCell;
    GetSubItemRect(nItem, nSubItem, LVIR_LABEL, rcCell);
    m_pEdit->SetNewPos(rcCell);
    m_pEdit->MoveWindow(&rcCell);
    m_pEdit->SetData(GetItemText(nItem, nSubItem), 0, false, true);
    m_pEdit->SetSel(0, -1);
    return m_pEdit;
}

bool CDragDropListCtrl::EndEdit(CEditEx* pEdit, CString& text)
{
    pEdit->GetWindowText(text);
    text.TrimLeft("\n\r ");
    return true;
}

void CDragDropListCtrl::SendMsgOwner(int nItem, int nSubItem, CItemListCtrlChng::eOperation op)
{
    CWnd* pOwner = GetOwner();
    if (pOwner == NULL || pOwner->GetSafeHwnd() == NULL)
        return;
    CItemListCtrlChng change;
    change.hWndList = m_hWnd;
    change.nItem = nItem;
    change.nSubItem = nSubItem;
    change.eOp = op;
    pOwner->SendMessage(WM_ITEMLISTCTRLCHNG, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&change));
}

void CDragDropListCtrl::OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    // Only the editor BeginEdit opens is read back: one the list view opens
    // by itself (F2, a click on a selected label) would lose what is typed.
    *pResult = m_bInBeginEdit ? 0 : 1;
}

void CDragDropListCtrl::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    // The list view never stores the text itself.
    *pResult = 0;
    if (m_pEdit == NULL)
        return;
    const NMLVDISPINFOA* pInfo = reinterpret_cast<const NMLVDISPINFOA*>(pNMHDR);
    int nItem = 0, nSubItem = 0;
    const bool bCell = GetSelSubItem(nItem, nSubItem);
    // A cancelled edit comes without a text.
    if (pInfo->item.mask != 0 && pInfo->item.pszText != NULL) {
        CString strText;
        if (bCell && EndEdit(m_pEdit, strText)) {
            SetItemText(nItem, nSubItem, strText);
            SetModify(true);
            SendMsgOwner(nItem, nSubItem, m_bNewRow ? CItemListCtrlChng::opInsert : CItemListCtrlChng::opEdit);
        }
    } else if (m_bNewRow && bCell) {
        DeleteItem(nItem);
        MoveOnFrom(nItem);
    }
    m_bNewRow = false;
    CEditEx* pEdit = m_pEdit;
    m_pEdit = NULL;
    pEdit->UnsubclassWindow();
    delete pEdit;
}

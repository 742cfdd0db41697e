#include "controls/MultiComboBox.h"

#include <cstring>

namespace {

const int kDefaultColumnWidth = 60;

// The dropped list's rectangle and the frame and bar sizes it is measured with.
struct CListFrame {
    explicit CListFrame(const COXMultiComboBox& combo)
        : cxBorder(::GetSystemMetrics(SM_CXBORDER)), cyBorder(::GetSystemMetrics(SM_CYBORDER)),
          cxVScroll(::GetSystemMetrics(SM_CXVSCROLL)), cyHScroll(::GetSystemMetrics(SM_CYHSCROLL))
    {
        combo.GetDroppedControlRect(&rcDropped);
    }
    CRect rcDropped;
    int cxBorder, cyBorder, cxVScroll, cyHScroll;
};

}  // namespace

IMPLEMENT_DYNAMIC(COXMultiComboBox, CComboBox)

BEGIN_MESSAGE_MAP(COXMultiComboBox, CComboBox)
    ON_WM_CTLCOLOR()
    ON_WM_DELETEITEM()
    ON_MESSAGE(WM_OX_LISTHSCROLL, OnListHScroll)
    ON_MESSAGE(CB_GETITEMDATA, OnGetItemData)
    ON_MESSAGE(CB_SETITEMDATA, OnSetItemData)
    ON_WM_COMPAREITEM()
    ON_WM_MEASUREITEM()
    ON_WM_DRAWITEM()
    ON_MESSAGE(CB_INSERTSTRING, OnInsertString)
    ON_MESSAGE(CB_ADDSTRING, OnAddString)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(COXMultiComboBox::COXComboLBox, CListBox)
    ON_WM_HSCROLL()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_SIZE()
END_MESSAGE_MAP()

// ---------------------------------------------------------------- the list

COXMultiComboBox::COXComboLBox::COXComboLBox()
    : m_bVertScroll(FALSE), m_bHorzScroll(FALSE), m_pParentCombo(NULL), m_bBarsDecided(FALSE), m_bRestoringBar(FALSE)
{
}

COXMultiComboBox::COXComboLBox::~COXComboLBox() {}

void COXMultiComboBox::COXComboLBox::Init(CWnd* pParentCombo)
{
    m_pParentCombo = static_cast<COXMultiComboBox*>(pParentCombo);
}

void COXMultiComboBox::COXComboLBox::AdjustHScroll()
{
    const int nHeight = m_pParentCombo->GetTotalHeight(), nWidth = m_pParentCombo->GetTotalWidth();
    const CListFrame frame(*m_pParentCombo);
    const int nInsideWidth = frame.rcDropped.Width() - 2 * frame.cxBorder;
    const int nInsideHeight = frame.rcDropped.Height() - 2 * frame.cyBorder;
    // A horizontal bar takes height from the rows, a vertical one width from
    // the columns: each may bring the other.
    if (nHeight > nInsideHeight)
        m_bVertScroll = TRUE;
    else
        m_bVertScroll = nWidth > nInsideWidth && nHeight > nInsideHeight - frame.cyHScroll;
    if (nWidth > nInsideWidth)
        m_bHorzScroll = TRUE;
    else
        m_bHorzScroll = m_bVertScroll && nWidth > nInsideWidth - frame.cxVScroll;
    m_bBarsDecided = FALSE;
    if (m_bHorzScroll)
        ShowScrollBar(SB_BOTH, TRUE);
    else
        ShowScrollBar(SB_HORZ, FALSE);
    ShowScrollBar(SB_VERT, m_bVertScroll);
    // A list that was made without a horizontal bar may have taken it away
    // again meanwhile (OnSize puts it back from now on).
    m_bBarsDecided = TRUE;
    if ((GetStyle() & WS_HSCROLL) == 0 && m_bHorzScroll) {
        m_bRestoringBar = TRUE;
        ShowScrollBar(SB_HORZ, TRUE);
        m_bRestoringBar = FALSE;
    }
}

void COXMultiComboBox::COXComboLBox::OnSize(UINT, int, int)
{
    // Some systems' lists, made without a horizontal bar, hide it whenever
    // they lay themselves out. While the bar is put back the list is not
    // laid out again, or it would take the bar away once more.
    if (m_bRestoringBar)
        return;
    Default();
    if (m_bBarsDecided && m_bHorzScroll && (GetStyle() & WS_HSCROLL) == 0) {
        m_bRestoringBar = TRUE;
        ShowScrollBar(SB_HORZ, TRUE);
        m_bRestoringBar = FALSE;
    }
}

int COXMultiComboBox::COXComboLBox::GetMaxHeight()
{
    const CListFrame frame(*m_pParentCombo);
    const int nBar = m_bHorzScroll ? frame.cyHScroll : 0;
    const int nAvailable = frame.rcDropped.Height() - 2 * frame.cyBorder - nBar;
    int nRows = 0;
    if (m_pParentCombo->GetStyle() & CBS_OWNERDRAWVARIABLE) {
        const int nCount = m_pParentCombo->GetCount();
        for (int i = 0; i < nCount; ++i) {
            const int nItem = m_pParentCombo->GetItemHeight(i);
            if (nRows + nItem > nAvailable)
                break;
            nRows += nItem;
        }
    } else {
        const int nItem = m_pParentCombo->GetItemHeight(0);
        nRows = nItem > 0 && nAvailable > 0 ? nAvailable - nAvailable % nItem : 0;
    }
    return nRows + 2 * frame.cyBorder + nBar;
}

void COXMultiComboBox::COXComboLBox::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    if (m_pParentCombo != NULL && m_pParentCombo->SendMessage(WM_OX_LISTHSCROLL, MAKEWPARAM(nSBCode, nPos), 0) != 0)
        return;
    Default();
}

void COXMultiComboBox::COXComboLBox::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    if (m_pParentCombo != NULL && (lpwndpos->flags & SWP_NOSIZE) == 0) {
        const CListFrame frame(*m_pParentCombo);
        const int nWanted =
            m_pParentCombo->GetTotalHeight() + 2 * frame.cyBorder + (m_bHorzScroll ? frame.cyHScroll : 0);
        lpwndpos->cy = nWanted > frame.rcDropped.Height() ? GetMaxHeight() : nWanted;
    }
    Default();
}

// ---------------------------------------------------------------- the combo box

COXMultiComboBox::COXMultiComboBox()
    : m_nColumnCount(1), m_nMasterColumn(0), m_bListDirty(TRUE), m_bChangingMaster(FALSE), m_nListClientWidth(0),
      m_nAveCharWidth(0)
{
    m_arrColumnWidth.Add(kDefaultColumnWidth);
    LOGBRUSH lb = {BS_SOLID, RGB(0, 0, 0), 0};
    if (!m_penGrid.CreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &lb))
        m_penGrid.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    m_ComboLBox.Init(this);
}

COXMultiComboBox::~COXMultiComboBox()
{
    // While this is still a multi-column combo box, so that its rows go with
    // its items.
    if (m_hWnd != NULL && ::IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    m_penGrid.DeleteObject();
    m_arrColumnWidth.RemoveAll();
}

BOOL COXMultiComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CComboBox::Create(dwStyle, rect, pParentWnd, nID);
}

void COXMultiComboBox::PreSubclassWindow()
{
    CComboBox::PreSubclassWindow();
    const int nCount = GetCount();
    for (int i = 0; i < nCount; ++i) {
        if (GetRowData(i) == NULL) {
            CString strText;
            CComboBox::GetLBText(i, strText);
            MakeRow(i, strText);
        }
    }
}

void COXMultiComboBox::ListChanged()
{
    m_bListDirty = TRUE;
    if (m_ComboLBox.m_hWnd != NULL)
        m_ComboLBox.Invalidate();
}

// ---------------------------------------------------------------- columns

int COXMultiComboBox::SetColumnCount(int nCount)
{
    if (nCount == m_nColumnCount)
        return TRUE;
    if (nCount < 0 || nCount <= m_nMasterColumn)
        return FALSE;
    const int nOld = m_nColumnCount;
    m_arrColumnWidth.SetSize(nCount);
    for (int c = nOld; c < nCount; ++c)
        m_arrColumnWidth[c] = kDefaultColumnWidth;
    const int nRows = GetCount();
    for (int i = 0; i < nRows; ++i) {
        if (COXRowData* pRow = GetRowData(i))
            pRow->m_arrTexts.SetSize(nCount);
    }
    m_nColumnCount = nCount;
    ListChanged();
    return TRUE;
}

int COXMultiComboBox::SetColumnWidth(int nColumn, int nWidth)
{
    if (nWidth < 0 || nColumn < -1 || nColumn >= m_nColumnCount)
        return FALSE;
    for (int c = 0; c < m_nColumnCount; ++c) {
        if (nColumn == -1 || nColumn == c)
            m_arrColumnWidth[c] = nWidth;
    }
    ListChanged();
    return TRUE;
}

int COXMultiComboBox::GetColumnWidth(int nColumn) const
{
    return nColumn >= 0 && nColumn < m_nColumnCount ? m_arrColumnWidth[nColumn] : -1;
}

int COXMultiComboBox::GetTotalWidth()
{
    int nTotal = 0;
    for (int c = 0; c < m_nColumnCount; ++c)
        nTotal += m_arrColumnWidth[c];
    return nTotal;
}

int COXMultiComboBox::GetTotalHeight()
{
    int nTotal = 0;
    const int nCount = GetCount();
    for (int i = 0; i < nCount; ++i)
        nTotal += GetItemHeight(i);
    return nTotal;
}

int COXMultiComboBox::SetMasterColumn(int nColumn)
{
    if (nColumn == m_nMasterColumn)
        return TRUE;
    if (nColumn < 0 || nColumn >= m_nColumnCount)
        return FALSE;
    const int nOldMaster = m_nMasterColumn;
    const int nSel = GetCurSel();
    COXRowData* pSelected = nSel >= 0 ? GetRowData(nSel) : NULL;
    m_nMasterColumn = nColumn;
    if (!ChangeMasterColumn(nColumn)) {
        m_nMasterColumn = nOldMaster;
        return FALSE;
    }
    if (pSelected == NULL)
        return TRUE;
    // The same row, wherever the new master texts put it: by its texts it
    // could be taken for another row that begins alike.
    const int nCount = GetCount();
    for (int i = 0; i < nCount; ++i) {
        if (GetRowData(i) == pSelected) {
            SetCurSel(i);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL COXMultiComboBox::ChangeMasterColumn(int nColumn)
{
    CArray<COXRowData*, COXRowData*> arrRows;
    const int nCount = GetCount();
    for (int i = 0; i < nCount; ++i)
        arrRows.Add(GetRowData(i));
    m_bChangingMaster = TRUE;
    ResetContent();
    BOOL bAdded = TRUE;
    for (INT_PTR i = 0; i < arrRows.GetSize(); ++i) {
        COXRowData* pRow = arrRows[i];
        const int nIndex = bAdded ? CComboBox::AddString(pRow != NULL ? pRow->m_arrTexts[nColumn] : "") : -1;
        if (nIndex < 0) {
            // The combo box is out of room: the rows it cannot take go.
            bAdded = FALSE;
            delete pRow;
            continue;
        }
        SetRowData(nIndex, pRow);
    }
    m_bChangingMaster = FALSE;
    return bAdded;
}

// ---------------------------------------------------------------- rows

COXMultiComboBox::COXRowData* COXMultiComboBox::GetRowData(int nIndex) const
{
    if (nIndex < 0 || m_hWnd == NULL)
        return NULL;
    // Past this class's own handler, which answers with the host's data.
    const LRESULT lData = const_cast<COXMultiComboBox*>(this)->DefWindowProc(CB_GETITEMDATA, nIndex, 0);
    return lData == CB_ERR ? NULL : reinterpret_cast<COXRowData*>(lData);
}

int COXMultiComboBox::SetRowData(int nIndex, COXRowData* pRow)
{
    return static_cast<int>(DefWindowProc(CB_SETITEMDATA, nIndex, reinterpret_cast<LPARAM>(pRow)));
}

void COXMultiComboBox::MakeRow(int nIndex, LPCSTR pszMaster)
{
    COXRowData* pRow = new COXRowData;
    pRow->m_arrTexts.SetSize(m_nColumnCount);
    pRow->m_arrTexts[m_nMasterColumn] = pszMaster != NULL ? pszMaster : "";
    if (SetRowData(nIndex, pRow) == CB_ERR)
        delete pRow;
}

LPCSTR COXMultiComboBox::MasterText(const char** ppTexts, int nCount) const
{
    // An array that stops short of the master column gives it no text.
    if (m_nMasterColumn >= nCount || ppTexts[m_nMasterColumn] == NULL)
        return "";
    return ppTexts[m_nMasterColumn];
}

int COXMultiComboBox::FillRow(int nIndex, const char** ppTexts, int nCount)
{
    if (nIndex < 0)
        return -1;
    if (COXRowData* pRow = GetRowData(nIndex)) {
        for (int c = 0; c < m_nColumnCount; ++c)
            pRow->m_arrTexts[c] = c < nCount && ppTexts[c] != NULL ? ppTexts[c] : "";
    }
    return nIndex;
}

int COXMultiComboBox::AddString(const char** ppTexts, int nCount)
{
    if (ppTexts == NULL || nCount < 1 || nCount > m_nColumnCount)
        return -1;
    return FillRow(CComboBox::AddString(MasterText(ppTexts, nCount)), ppTexts, nCount);
}

int COXMultiComboBox::InsertString(int nIndex, const char** ppTexts, int nCount)
{
    if (ppTexts == NULL || nCount < 1 || nCount > m_nColumnCount)
        return -1;
    return FillRow(CComboBox::InsertString(nIndex, MasterText(ppTexts, nCount)), ppTexts, nCount);
}

int COXMultiComboBox::AddString(const char* text)
{
    const int nIndex = CComboBox::AddString(text != NULL ? text : "");
    return nIndex < 0 ? -1 : nIndex;
}

int COXMultiComboBox::InsertString(int nIndex, const char* text)
{
    const int nNew = CComboBox::InsertString(nIndex, text != NULL ? text : "");
    return nNew < 0 ? -1 : nNew;
}

int COXMultiComboBox::GetLBText(int nIndex, int nColumn, char* buf)
{
    COXRowData* pRow = GetRowData(nIndex);
    if (pRow == NULL || buf == NULL || nColumn < 0 || nColumn >= m_nColumnCount)
        return -1;
    const CString& strText = pRow->m_arrTexts[nColumn];
    std::memcpy(buf, static_cast<LPCSTR>(strText), static_cast<size_t>(strText.GetLength()) + 1);
    return strText.GetLength();
}

void COXMultiComboBox::GetLBText(int nIndex, int nColumn, CString& text)
{
    COXRowData* pRow = GetRowData(nIndex);
    if (pRow == NULL || nColumn < 0 || nColumn >= m_nColumnCount)
        text.Empty();
    else
        text = pRow->m_arrTexts[nColumn];
}

int COXMultiComboBox::GetLBTextLen(int nIndex, int nColumn)
{
    COXRowData* pRow = GetRowData(nIndex);
    if (pRow == NULL || nColumn < 0 || nColumn >= m_nColumnCount)
        return -1;
    return pRow->m_arrTexts[nColumn].GetLength();
}

int COXMultiComboBox::FindString(int nStartAfter, int nColumn, const char* text)
{
    if (nColumn < 0 || nColumn >= m_nColumnCount)
        return -1;
    const char* pszText = text != NULL ? text : "";
    const size_t nLen = std::strlen(pszText);
    const int nCount = GetCount();
    for (int i = (nStartAfter < -1 ? -1 : nStartAfter) + 1; i < nCount; ++i) {
        COXRowData* pRow = GetRowData(i);
        if (pRow != NULL && std::strncmp(pRow->m_arrTexts[nColumn], pszText, nLen) == 0)
            return i;
    }
    return -1;
}

int COXMultiComboBox::FindStringExact(int nStartAfter, int nColumn, const char* text)
{
    if (nColumn < 0 || nColumn >= m_nColumnCount)
        return -1;
    const char* pszText = text != NULL ? text : "";
    const int nCount = GetCount();
    for (int i = (nStartAfter < -1 ? -1 : nStartAfter) + 1; i < nCount; ++i) {
        COXRowData* pRow = GetRowData(i);
        if (pRow != NULL && std::strcmp(pRow->m_arrTexts[nColumn], pszText) == 0)
            return i;
    }
    return -1;
}

int COXMultiComboBox::SelectString(int nStartAfter, int nColumn, const char* text)
{
    const int nFound = FindString(nStartAfter, nColumn, text);
    if (nFound < 0)
        return -1;
    // The row found itself: the combo box's own search by its master text
    // could stop at an earlier row beginning alike.
    return SetCurSel(nFound);
}

// ---------------------------------------------------------------- drawing

void COXMultiComboBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const int nItem = static_cast<int>(lpDrawItemStruct->itemID);
    const CRect rcItem(lpDrawItemStruct->rcItem);
    const int nState = static_cast<int>(lpDrawItemStruct->itemState);
    if (nState & ODS_COMBOBOXEDIT) {
        DrawColumnItem(lpDrawItemStruct->hDC, GetCurSel(), m_nMasterColumn, rcItem, nState);
        return;
    }
    if (nItem == -1 && GetCount() == 0) {
        CDC::FromHandle(lpDrawItemStruct->hDC)->DrawFocusRect(&rcItem);
        return;
    }
    int nLeft = rcItem.left;
    for (int c = 0; c < m_nColumnCount; ++c) {
        int nRight = nLeft + m_arrColumnWidth[c] - 1;
        if (c == m_nColumnCount - 1 && rcItem.right > nRight)
            nRight = rcItem.right;
        DrawColumnItem(lpDrawItemStruct->hDC, nItem, c, CRect(nLeft, rcItem.top, nRight, rcItem.bottom), nState);
        nLeft = nRight + 1;
    }
}

void COXMultiComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

int COXMultiComboBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    return 0;
}

void COXMultiComboBox::DrawColumnItem(HDC hDC, int nItem, int nColumn, const CRect& rect, int nState)
{
    CDC* pDC = CDC::FromHandle(hDC);
    const bool bSelected = (nState & ODS_SELECTED) != 0;
    const COLORREF crText = ::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    const COLORREF crBack = ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    const COLORREF crOldText = pDC->SetTextColor(crText);
    const COLORREF crOldBack = pDC->SetBkColor(crBack);
    pDC->FillSolidRect(&rect, crBack);
    CString strText;
    if (nItem != -1)
        GetLBText(nItem, nColumn, strText);
    CRect rcText(rect);
    rcText.left += LOWORD(::GetDialogBaseUnits()) / 2;
    pDC->DrawText(strText, &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    DrawColumnBorder(pDC, rect, nState);
    pDC->SetTextColor(crOldText);
    pDC->SetBkColor(crOldBack);
}

void COXMultiComboBox::DrawColumnBorder(CDC* pDC, const CRect& rect, int nState)
{
    if (nState & ODS_COMBOBOXEDIT)
        return;
    CPen* pOldPen = pDC->SelectObject(&m_penGrid);
    const CPoint ptOld = pDC->MoveTo(rect.right, rect.top);
    pDC->LineTo(rect.right, rect.bottom - 1);
    pDC->LineTo(rect.left, rect.bottom - 1);
    pDC->MoveTo(ptOld);
    if (pOldPen != NULL)
        pDC->SelectObject(pOldPen);
}

// ---------------------------------------------------------------- messages

HBRUSH COXMultiComboBox::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH hBrush = CComboBox::OnCtlColor(pDC, pWnd, nCtlColor);
    if (nCtlColor != CTLCOLOR_LISTBOX || !m_bListDirty || pWnd == NULL)
        return hBrush;
    m_bListDirty = FALSE;
    if (m_ComboLBox.m_hWnd == NULL) {
        if (!m_ComboLBox.SubclassWindow(pWnd->m_hWnd))
            return hBrush;
        m_ComboLBox.ModifyStyle(0, WS_HSCROLL);
        TEXTMETRIC tm = {};
        pDC->GetTextMetrics(&tm);
        m_nAveCharWidth = tm.tmAveCharWidth;
    }
    m_ComboLBox.SetHorizontalExtent(GetTotalWidth());
    m_ComboLBox.AdjustHScroll();
    if (GetStyle() & CBS_DROPDOWN) {
        // Moved onto itself, the list takes its height anew.
        CRect rcList;
        m_ComboLBox.GetWindowRect(&rcList);
        m_ComboLBox.MoveWindow(&rcList, TRUE);
    }
    if (m_ComboLBox.m_bHorzScroll) {
        CRect rcClient;
        m_ComboLBox.GetClientRect(&rcClient);
        m_nListClientWidth = rcClient.Width();
        SCROLLINFO info = {};
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMin = 0;
        info.nMax = GetTotalWidth();
        info.nPage = static_cast<UINT>(m_nListClientWidth);
        info.nPos = 0;
        m_ComboLBox.SetScrollInfo(SB_HORZ, &info, TRUE);
        m_ComboLBox.SendMessage(WM_HSCROLL, SB_LEFT);
        m_ComboLBox.Invalidate();
    }
    return hBrush;
}

void COXMultiComboBox::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    // From the list, on its way to the parent: the parent hears of the
    // host's data, and the row goes. While the items are rebuilt for a new
    // master column the rows stay, and the parent hears nothing: its data
    // are still in use.
    if (lpDeleteItemStruct->CtlType == ODT_LISTBOX) {
        if (m_bChangingMaster)
            return;
        COXRowData* pRow = reinterpret_cast<COXRowData*>(lpDeleteItemStruct->itemData);
        if (pRow != NULL) {
            lpDeleteItemStruct->itemData = pRow->m_dwItemData;
            delete pRow;
        }
    }
    Default();
}

LRESULT COXMultiComboBox::OnListHScroll(WPARAM wParam, LPARAM)
{
    const int nPos = m_ComboLBox.GetScrollPos(SB_HORZ);
    int nNew = nPos;
    switch (LOWORD(wParam)) {
    case SB_LINELEFT:
        nNew = nPos - m_nAveCharWidth;
        break;
    case SB_LINERIGHT:
        nNew = nPos + m_nAveCharWidth;
        break;
    case SB_PAGELEFT:
        nNew = nPos - (m_nListClientWidth * 2) / 3;
        break;
    case SB_PAGERIGHT:
        nNew = nPos + (m_nListClientWidth * 2) / 3;
        break;
    case SB_THUMBPOSITION:
        nNew = HIWORD(wParam);
        break;
    default:
        // Tracking, the ends: the list's own scrolling.
        return 0;
    }
    // The list's own steps are a pixel a line and leave its bar where it
    // was: it is taken to the new place itself, and its bar with it.
    const int nMax = GetTotalWidth() - m_nListClientWidth;
    if (nNew > nMax)
        nNew = nMax;
    if (nNew < 0)
        nNew = 0;
    m_ComboLBox.DefWindowProc(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, nNew), 0);
    m_ComboLBox.SetScrollPos(SB_HORZ, nNew, TRUE);
    return 1;
}

LRESULT COXMultiComboBox::OnGetItemData(WPARAM wParam, LPARAM)
{
    COXRowData* pRow = GetRowData(static_cast<int>(wParam));
    return pRow != NULL ? static_cast<LRESULT>(pRow->m_dwItemData) : CB_ERR;
}

LRESULT COXMultiComboBox::OnSetItemData(WPARAM wParam, LPARAM lParam)
{
    COXRowData* pRow = GetRowData(static_cast<int>(wParam));
    if (pRow == NULL)
        return CB_ERR;
    pRow->m_dwItemData = static_cast<DWORD_PTR>(lParam);
    return TRUE;
}

int COXMultiComboBox::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    if (COXRowData* pRow = GetRowData(static_cast<int>(lpCompareItemStruct->itemID1)))
        lpCompareItemStruct->itemData1 = pRow->m_dwItemData;
    if (COXRowData* pRow = GetRowData(static_cast<int>(lpCompareItemStruct->itemID2)))
        lpCompareItemStruct->itemData2 = pRow->m_dwItemData;
    return static_cast<int>(Default());
}

void COXMultiComboBox::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if ((GetStyle() & CBS_OWNERDRAWFIXED) == 0) {
        if (COXRowData* pRow = GetRowData(static_cast<int>(lpMeasureItemStruct->itemID)))
            lpMeasureItemStruct->itemData = pRow->m_dwItemData;
    }
    Default();
}

void COXMultiComboBox::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (COXRowData* pRow = GetRowData(static_cast<int>(lpDrawItemStruct->itemID)))
        lpDrawItemStruct->itemData = pRow->m_dwItemData;
    Default();
}

LRESULT COXMultiComboBox::OnInsertString(WPARAM, LPARAM lParam)
{
    m_bListDirty = TRUE;
    const LRESULT lIndex = Default();
    if (lIndex >= 0 && !m_bChangingMaster)
        MakeRow(static_cast<int>(lIndex), (GetStyle() & CBS_HASSTRINGS) ? reinterpret_cast<LPCSTR>(lParam) : "");
    return lIndex;
}

LRESULT COXMultiComboBox::OnAddString(WPARAM wParam, LPARAM lParam)
{
    return OnInsertString(wParam, lParam);
}

// CCheckListCtrl: the check model, the column cursor and the drawing.
#include "controls/CheckListCtrl.h"

#include "controls/CheckListLayout.h"
#include "controls/ListCtrlRes.h"
#include "frame/Frame.h"

IMPLEMENT_DYNAMIC(CCheckListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CCheckListCtrl, CListCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_SIZE()
    ON_WM_DRAWITEM()
    ON_NOTIFY_REFLECT(LVN_KEYDOWN, OnKeydown)
    ON_MESSAGE(LVM_SETBKCOLOR, OnSetBkColor)
END_MESSAGE_MAP()

CCheckListCtrl::CCheckListCtrl()
    : m_nClientWidth(0), m_nCurColumn(0), m_nLastColumn(0), m_crText(::GetSysColor(COLOR_WINDOWTEXT)),
      m_crItemBk(::GetSysColor(COLOR_WINDOW)), m_crBackground(::GetSysColor(COLOR_WINDOW))
{
    // Without the picture the marks are not shown; nothing else depends on it.
    CSetResourceHandle resources(GetExtkitInstance());
    m_bmpCheck.LoadBitmap(IDB_CHECKLIST_MARK);
}

CCheckListCtrl::~CCheckListCtrl()
{
    // The window goes before the picture it draws with.
    DestroyWindow();
    m_bmpCheck.DeleteObject();
}

int CCheckListCtrl::AddItem(int nItem, int nSubItem, const char* text, int nImage)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPSTR>(text);
    if (nImage != -1) {
        item.mask |= LVIF_IMAGE;
        item.iImage = nImage;
    }
    return nSubItem == 0 ? InsertItem(&item) : SetItem(&item);
}

int CCheckListCtrl::AddColumn(const char* text, int nItem, int nSubItem, int nMask, int nFmt)
{
    LVCOLUMNA column = {};
    column.mask = static_cast<UINT>(nMask);
    column.fmt = nFmt;
    column.pszText = const_cast<LPSTR>(text);
    // A first width in characters, not pixels: AddColumns measures afterwards.
    column.cx = static_cast<int>(strlen(text)) + 15;
    if (nMask & LVCF_SUBITEM)
        column.iSubItem = nSubItem != -1 ? nSubItem : nItem;
    return InsertColumn(nItem, &column);
}

void CCheckListCtrl::AddColumns(const CStringArray& titles, bool bFitToClient)
{
    const int nCount = static_cast<int>(titles.GetSize());
    for (int i = 0; i < nCount; ++i) {
        AddColumn(titles[i], i, -1, LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM, LVCFMT_LEFT);
        SetColumnWidth(i, CCheckListLayout::CaptionWidth(GetStringWidth(titles[i])));
    }
    m_nLastColumn = nCount - 1;
    if (!bFitToClient || nCount == 0)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    rcClient.right -= ::GetSystemMetrics(SM_CXVSCROLL);
    CArray<int, int> widths;
    widths.SetSize(nCount);
    for (int i = 0; i < nCount; ++i)
        widths[i] = GetColumnWidth(i);
    CCheckListLayout::FitToWidth(widths.GetData(), nCount, rcClient.Width());
    for (int i = 0; i < nCount; ++i)
        SetColumnWidth(i, widths[i]);
}

void CCheckListCtrl::AddRows(const CStringArray& rows, const CUIntArray& checks)
{
    for (int i = 0; i < rows.GetSize(); ++i) {
        // The mask first: when the masks run out, no row is left without one.
        const UINT nMask = checks.GetAt(i);
        AddItem(i, 0, rows[i], 0);
        SetItemData(i, nMask);
    }
}

void CCheckListCtrl::GetChecks(CUIntArray& checks)
{
    for (int i = 0; i < checks.GetSize(); ++i)
        checks[i] = static_cast<UINT>(GetItemData(i));
}

const int* CCheckListCtrl::ReadColumnWidths(int& nCount)
{
    m_anWidths.RemoveAll();
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH;
    for (int c = 0; GetColumn(c, &column); ++c)
        m_anWidths.Add(column.cx);
    nCount = static_cast<int>(m_anWidths.GetSize());
    return m_anWidths.GetData();
}

void CCheckListCtrl::RedrawFocusedRow()
{
    const int nItem = GetNextItem(-1, LVNI_FOCUSED);
    if (nItem < 0)
        return;
    CRect rc;
    if (GetItemRect(nItem, &rc, LVIR_BOUNDS)) {
        InvalidateRect(&rc, FALSE);
        UpdateWindow();
    }
}

void CCheckListCtrl::InverseCheck()
{
    if (m_nCurColumn <= 0)
        return;
    const int nItem = GetNextItem(-1, LVNI_FOCUSED);
    if (nItem < 0)
        return;
    const UINT nMask = static_cast<UINT>(GetItemData(nItem)) ^ CCheckListLayout::ColumnBit(m_nCurColumn);
    SetItem(nItem, 0, LVIF_PARAM, NULL, 0, 0, 0, static_cast<LPARAM>(nMask));
    // The list view repaints nothing for a change of item data.
    RedrawFocusedRow();
}

void CCheckListCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    // The list view first moves the selection and the focus to the row.
    CListCtrl::OnLButtonDown(nFlags, point);
    int nCount = 0;
    const int* pWidths = ReadColumnWidths(nCount);
    const int nColumn = CCheckListLayout::CheckColumnAt(pWidths, nCount, point.x + GetScrollPos(SB_HORZ));
    if (nColumn != 0 && nColumn == m_nCurColumn) {
        InverseCheck();
        return;
    }
    if (nColumn != 0)
        m_nCurColumn = nColumn;
    RedrawFocusedRow();
}

void CCheckListCtrl::OnSize(UINT nType, int cx, int cy)
{
    m_nClientWidth = cx;
    CListCtrl::OnSize(nType, cx, cy);
}

void CCheckListCtrl::OnKeydown(NMHDR* pNMHDR, LRESULT* pResult)
{
    switch (reinterpret_cast<NMLVKEYDOWN*>(pNMHDR)->wVKey) {
    case VK_SPACE:
        InverseCheck();
        break;
    case VK_LEFT:
        if (m_nCurColumn > 0)
            --m_nCurColumn;
        RedrawFocusedRow();
        break;
    case VK_RIGHT:
        if (m_nCurColumn < m_nLastColumn)
            ++m_nCurColumn;
        RedrawFocusedRow();
        break;
    }
    // The list view moves between the rows as usual.
    *pResult = 0;
}

LRESULT CCheckListCtrl::OnSetBkColor(WPARAM wParam, LPARAM lParam)
{
    m_crBackground = static_cast<COLORREF>(lParam);
    return Default();
}

BOOL CCheckListCtrl::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style &= ~static_cast<DWORD>(LVS_TYPEMASK);
    cs.style |= LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | LVS_OWNERDRAWFIXED;
    return CListCtrl::PreCreateWindow(cs);
}

void CCheckListCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const int nItem = static_cast<int>(lpDrawItemStruct->itemID);

    char szText[260];
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
    item.iItem = nItem;
    item.pszText = szText;
    item.cchTextMax = sizeof(szText);
    item.stateMask = 0xFFFF;
    szText[0] = '\0';
    GetItem(&item);
    szText[sizeof(szText) - 1] = '\0';

    const bool bFocus = ::GetFocus() == m_hWnd;
    const bool bSelected = ((bFocus || (GetStyle() & LVS_SHOWSELALWAYS)) && (item.state & LVIS_SELECTED)) ||
                           (item.state & LVIS_DROPHILITED);

    CRect rcBounds, rcLabel, rcIcon;
    GetItemRect(nItem, &rcBounds, LVIR_BOUNDS);
    GetItemRect(nItem, &rcLabel, LVIR_LABEL);
    GetItemRect(nItem, &rcIcon, LVIR_ICON);
    rcBounds.left = rcLabel.left;
    if (rcBounds.right < m_nClientWidth)
        rcBounds.right = m_nClientWidth;
    pDC->FillSolidRect(&rcBounds, m_crItemBk);

    COLORREF crOldText = 0, crOldBk = 0;
    if (bSelected) {
        crOldText = pDC->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
        crOldBk = pDC->SetBkColor(::GetSysColor(COLOR_HIGHLIGHT));
        // Only the label shows the selection; the check cells keep the row's fill.
        pDC->FillSolidRect(&rcLabel, ::GetSysColor(COLOR_HIGHLIGHT));
    }

    UINT nStyle = ILD_TRANSPARENT;
    COLORREF crImage = m_crBackground;
    if (item.state & LVIS_CUT) {
        nStyle |= ILD_BLEND50;
    } else if (bSelected) {
        crImage = ::GetSysColor(COLOR_HIGHLIGHT);
        nStyle |= ILD_BLEND50;
    }
    const RECT& rcItem = lpDrawItemStruct->rcItem;
    HIMAGELIST hState = reinterpret_cast<HIMAGELIST>(::SendMessageA(m_hWnd, LVM_GETIMAGELIST, LVSIL_STATE, 0));
    if ((item.state & LVIS_STATEIMAGEMASK) != 0 && hState != NULL)
        ::ImageList_Draw(hState, static_cast<int>((item.state & LVIS_STATEIMAGEMASK) >> 12) - 1, pDC->GetSafeHdc(),
                         rcItem.left, rcItem.top, ILD_TRANSPARENT);
    HIMAGELIST hSmall = reinterpret_cast<HIMAGELIST>(::SendMessageA(m_hWnd, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    if (hSmall != NULL && rcItem.left < rcItem.right - 1)
        ::ImageList_DrawEx(hSmall, item.iImage, pDC->GetSafeHdc(), rcIcon.left, rcIcon.top, 16, 16, m_crBackground,
                           crImage, nStyle | (item.state & LVIS_OVERLAYMASK));

    CRect rcText = rcLabel;
    rcText.left += 2;
    rcText.right -= 2;
    pDC->DrawText(szText, -1, &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    CRect rcFocus = rcText;

    CDC dcMark;
    CBitmap* pOldMark = NULL;
    CRect rcCell = rcLabel;
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH;
    const UINT nChecks = static_cast<UINT>(GetItemData(nItem));
    for (int c = 1; GetColumn(c, &column); ++c) {
        rcCell.left = rcCell.right;
        rcCell.right += column.cx;
        if ((item.state & LVIS_FOCUSED) && bFocus && c == m_nCurColumn)
            rcFocus.SetRect(rcCell.left + 1, rcCell.top, rcCell.right, rcCell.bottom - 1);
        if ((nChecks & CCheckListLayout::ColumnBit(c)) == 0 || m_bmpCheck.GetSafeHandle() == NULL)
            continue;
        if (dcMark.GetSafeHdc() == NULL) {
            if (!dcMark.CreateCompatibleDC(NULL))
                continue;
            pOldMark = dcMark.SelectObject(&m_bmpCheck);
        }
        const int nWidth = rcCell.Width();
        pDC->BitBlt(rcCell.left + nWidth / 2 - 10, rcCell.top, nWidth < 20 ? nWidth : 20, 14, &dcMark, 0, 0, SRCAND);
    }
    if (pOldMark != NULL)
        dcMark.SelectObject(pOldMark);

    if (item.state & LVIS_FOCUSED)
        pDC->DrawFocusRect(&rcFocus);
    if (bSelected) {
        pDC->SetTextColor(crOldText);
        pDC->SetBkColor(crOldBk);
    }
}

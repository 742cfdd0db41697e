// CDragDropListCtrl: columns, the row drag with its picture, target marking
// and scrolling, the drop, and the column move the header asks for. The
// editing half is in DragDropListEdit.cpp.
#include "controls/DragDropListCtrl.h"

#include "controls/DragDropLayout.h"
#include "edit/EditEx.h"

#include <vector>

IMPLEMENT_DYNAMIC(CDragDropListCtrl, CListCtrl)

namespace {
const UINT_PTR c_nScrollTimer = 1;
const UINT c_nScrollPeriod = 100;  // ms
// What a dropped row takes along of its state: the state image (its check),
// drop marking, selection and focus.
const UINT c_nDropStateMask = 0xF00B;
}  // namespace

BEGIN_MESSAGE_MAP(CDragDropListCtrl, CListCtrl)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_TIMER()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_NOTIFY_REFLECT(LVN_BEGINDRAG, OnBeginDrag)
    ON_NOTIFY_REFLECT(LVN_KEYDOWN, OnKeydown)
    ON_NOTIFY_REFLECT(NM_DBLCLK, OnDblclk)
    ON_NOTIFY_REFLECT(LVN_ITEMCHANGING, OnItemChanging)
    ON_NOTIFY_REFLECT(LVN_ENDLABELEDITA, OnEndLabelEdit)
    ON_NOTIFY_REFLECT(LVN_ENDLABELEDITW, OnEndLabelEdit)
    ON_NOTIFY_REFLECT(LVN_BEGINLABELEDITA, OnBeginLabelEdit)
    ON_NOTIFY_REFLECT(LVN_BEGINLABELEDITW, OnBeginLabelEdit)
    ON_NOTIFY_REFLECT_EX(LVN_INSERTITEM, OnInsertItem)
    ON_NOTIFY_REFLECT_EX(LVN_DELETEITEM, OnDeleteItem)
    ON_NOTIFY_REFLECT_EX(LVN_DELETEALLITEMS, OnDeleteAllItems)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
END_MESSAGE_MAP()

CDragDropListCtrl::CDragDropListCtrl()
    : m_wndHeader(this, static_cast<CDragDropHeaderCtrl::PFNCOLUMNMOVED>(&CDragDropListCtrl::DragColumn)),
      m_nDropIndex(-1), m_pDragImage(NULL), m_nPrevDropItem(-1), m_nPrevDropState(0), m_dwSavedStyle(0),
      m_eScrollDir(scrollNone), m_nScrollTimer(0), m_pEdit(NULL), m_bModify(false), m_bCheckedList(false),
      m_bInSetSel(false), m_bNewRow(false), m_nSelItem(-1), m_nSelSubItem(-1), m_bInDrop(false), m_bInBeginEdit(false),
      m_nKeyNotify(0)
{
}

CDragDropListCtrl::~CDragDropListCtrl()
{
    DestroyWindow();
    delete m_pDragImage;
    delete m_pEdit;
}

BOOL CDragDropListCtrl::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_EDITLABELS;
    return CListCtrl::PreCreateWindow(cs);
}

void CDragDropListCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    SubclassHeader();
}

int CDragDropListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    // A list made by Create has its header only now.
    const int nResult = CListCtrl::OnCreate(lpCreateStruct);
    SubclassHeader();
    return nResult;
}

void CDragDropListCtrl::SubclassHeader()
{
    if (m_wndHeader.GetSafeHwnd() != NULL || m_hWnd == NULL)
        return;
    HWND hHeader = reinterpret_cast<HWND>(::SendMessageA(m_hWnd, LVM_GETHEADER, 0, 0));
    if (hHeader != NULL)
        m_wndHeader.SubclassWindow(hHeader);
}

void CDragDropListCtrl::OnDestroy()
{
    KillScrollTimer();
    if (m_pDragImage != NULL) {
        CImageList::DragLeave(GetDesktopWindow());
        CImageList::EndDrag();
        delete m_pDragImage;
        m_pDragImage = NULL;
        if (GetCapture() == this)
            ::ReleaseCapture();
    }
    if (m_pEdit != NULL) {
        CEditEx* pEdit = m_pEdit;
        m_pEdit = NULL;
        pEdit->UnsubclassWindow();
        delete pEdit;
    }
    // The list view destroys the lists it was given unless they are shared;
    // the state pictures are this object's.
    if (m_imgState.GetSafeHandle() != NULL)
        SetImageList(NULL, LVSIL_STATE);
    CListCtrl::OnDestroy();
}

int CDragDropListCtrl::GetColumnCount()
{
    HWND hHeader = reinterpret_cast<HWND>(::SendMessageA(m_hWnd, LVM_GETHEADER, 0, 0));
    return hHeader != NULL ? static_cast<int>(::SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

void CDragDropListCtrl::AutoArrangeColumn()
{
    const int nCount = GetColumnCount();
    for (int i = 0; i < nCount; ++i) {
        char szCaption[256] = "";
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT;
        column.pszText = szCaption;
        column.cchTextMax = sizeof(szCaption);
        if (GetColumn(i, &column))
            SetColumnWidth(i, GetStringWidth(szCaption) * 3 / 2);
    }
}

void CDragDropListCtrl::AddColumns(CStringArray* pTitles)
{
    for (int i = 0; i < pTitles->GetSize(); ++i)
        InsertColumn(i, pTitles->GetAt(i), LVCFMT_LEFT);
    AutoArrangeColumn();
}

int CDragDropListCtrl::GetAllColWidth(int n)
{
    const int nCount = GetColumnCount();
    int nSum = 0;
    for (int i = 0; i < nCount && (n < 0 || i <= n); ++i)
        nSum += GetColumnWidth(i);
    return nSum;
}

// ---------------------------------------------------------------- columns

void CDragDropListCtrl::DragColumn(int nFrom, int nTo)
{
    const int nColumns = GetColumnCount();
    const std::vector<int> order = CDragDropLayout::MoveColumn(nColumns, nFrom, nTo);
    // Every column is rewritten in its new place rather than inserted and
    // deleted, which list views of different versions treat differently for
    // column 0. Texts are kept whole.
    struct CColumn {
        int m_nFormat;
        int m_nWidth;
        CString m_strCaption;
        std::vector<CString> m_texts;
    };
    std::vector<CColumn> columns(nColumns);
    const int nRows = GetItemCount();
    for (int i = 0; i < nColumns; ++i) {
        if (order[i] == i)
            continue;
        CColumn& column = columns[order[i]];
        char szCaption[512] = "";
        LVCOLUMNA lvc = {};
        lvc.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        lvc.pszText = szCaption;
        lvc.cchTextMax = sizeof(szCaption);
        GetColumn(order[i], &lvc);
        column.m_nFormat = lvc.fmt;
        column.m_nWidth = lvc.cx;
        column.m_strCaption = szCaption;
        column.m_texts.reserve(nRows);
        for (int nRow = 0; nRow < nRows; ++nRow)
            column.m_texts.push_back(GetItemText(nRow, order[i]));
    }
    for (int i = 0; i < nColumns; ++i) {
        if (order[i] != i && order[i] == m_nSelSubItem) {
            m_nSelSubItem = i;
            break;
        }
    }
    for (int i = 0; i < nColumns; ++i) {
        if (order[i] == i)
            continue;
        const CColumn& column = columns[order[i]];
        LVCOLUMNA lvc = {};
        lvc.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        lvc.fmt = column.m_nFormat;
        lvc.cx = column.m_nWidth;
        lvc.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(column.m_strCaption));
        SetColumn(i, &lvc);
        for (int nRow = 0; nRow < nRows; ++nRow)
            SetItemText(nRow, i, column.m_texts[nRow]);
    }
    Invalidate(TRUE);
}

// ---------------------------------------------------------------- rows

CImageList* CDragDropListCtrl::CreateDragImageEx(POINT* pHotspot)
{
    CRect rcAll;
    std::vector<int> selected;
    for (POSITION pos = GetFirstSelectedItemPosition(); pos != NULL;) {
        const int nItem = GetNextSelectedItem(pos);
        CRect rc;
        GetItemRect(nItem, &rc, LVIR_BOUNDS);
        if (selected.empty())
            rcAll = rc;
        else
            rcAll.UnionRect(&rcAll, &rc);
        selected.push_back(nItem);
    }
    if (rcAll.IsRectEmpty())
        return NULL;
    CClientDC dcClient(this);
    CDC dcMem;
    CBitmap bitmap;
    if (!dcMem.CreateCompatibleDC(&dcClient) ||
        !bitmap.CreateCompatibleBitmap(&dcClient, rcAll.Width(), rcAll.Height()))
        return NULL;
    const COLORREF crMask = RGB(0, 255, 0);
    CBitmap* pOldBitmap = dcMem.SelectObject(&bitmap);
    dcMem.FillSolidRect(0, 0, rcAll.Width(), rcAll.Height(), crMask);
    for (int nItem : selected) {
        POINT ptImage = {};
        CImageList* pRowImage = CreateDragImage(nItem, &ptImage);
        if (pRowImage == NULL)
            continue;
        CRect rc;
        GetItemRect(nItem, &rc, LVIR_BOUNDS);
        pRowImage->DrawIndirect(&dcMem, 0, CPoint(rc.left - rcAll.left, rc.top - rcAll.top), rc.Size(), CPoint(0, 0));
        delete pRowImage;
    }
    dcMem.SelectObject(pOldBitmap);

    CImageList* pImage = new CImageList;
    if (!pImage->Create(rcAll.Width(), rcAll.Height(), ILC_COLOR24 | ILC_MASK, 1, 1) ||
        pImage->Add(&bitmap, crMask) < 0) {
        delete pImage;
        return NULL;
    }
    if (pHotspot != NULL) {
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        ScreenToClient(&ptCursor);
        pHotspot->x = ptCursor.x - rcAll.left;
        pHotspot->y = ptCursor.y - rcAll.top;
    }
    return pImage;
}

void CDragDropListCtrl::OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMLISTVIEW* pInfo = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    m_nPrevDropItem = -1;
    m_nPrevDropState = 0;
    // A drag drops only where it marked a row itself, not where the last one did.
    m_nDropIndex = -1;
    m_arrDragItems.RemoveAll();
    for (POSITION pos = GetFirstSelectedItemPosition(); pos != NULL;)
        m_arrDragItems.Add(static_cast<DWORD>(GetNextSelectedItem(pos)));
    // The target is marked by selecting it while the dragged rows stay selected.
    if (GetStyle() & LVS_SINGLESEL) {
        m_dwSavedStyle = GetStyle();
        ModifyStyle(LVS_SINGLESEL, 0);
    }
    if (m_arrDragItems.GetSize() > 0) {
        delete m_pDragImage;
        CPoint ptHotspot;
        m_pDragImage = CreateDragImageEx(&ptHotspot);
        if (m_pDragImage != NULL) {
            m_pDragImage->BeginDrag(0, ptHotspot);
            CPoint ptStart = pInfo->ptAction;
            ClientToScreen(&ptStart);
            CImageList::DragEnter(GetDesktopWindow(), ptStart);
            SetCapture();
            return;
        }
    }
    // No drag after all: the style goes back now rather than at a later drop.
    if (m_dwSavedStyle != 0) {
        ModifyStyle(0, m_dwSavedStyle);
        m_dwSavedStyle = 0;
    }
}

void CDragDropListCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_pDragImage == NULL) {
        KillScrollTimer();
        CListCtrl::OnMouseMove(nFlags, point);
        return;
    }
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    CImageList::DragMove(ptScreen);
    // The picture is hidden while the list repaints the marked rows.
    CImageList::DragLeave(GetDesktopWindow());
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    // Only the height counts: the row at the list's left edge at this height.
    if (WindowFromPoint(CPoint(rcWindow.left + 8, ptScreen.y)) == this)
        UpdateSelection(HitTest(CPoint(8, point.y)));
    CRect rcRows;
    GetClientRect(&rcRows);
    if (m_wndHeader.GetSafeHwnd() != NULL) {
        CRect rcHeader;
        m_wndHeader.GetClientRect(&rcHeader);
        rcRows.top += rcHeader.Height();
    }
    if (point.y < rcRows.top)
        SetScrollTimer(scrollUp);
    else if (point.y > rcRows.bottom)
        SetScrollTimer(scrollDown);
    else
        KillScrollTimer();
    CImageList::DragEnter(GetDesktopWindow(), ptScreen);
    CListCtrl::OnMouseMove(nFlags, point);
}

void CDragDropListCtrl::UpdateSelection(int nItem)
{
    if (nItem < 0 || nItem >= GetItemCount())
        return;
    RestorePrevDropItemState();
    m_nPrevDropItem = nItem;
    m_nPrevDropState = GetItemState(nItem, LVIS_SELECTED);
    SetItemState(nItem, LVIS_SELECTED, LVIS_SELECTED);
    m_nDropIndex = nItem;
    UpdateWindow();
}

void CDragDropListCtrl::RestorePrevDropItemState()
{
    if (m_nPrevDropItem >= 0 && m_nPrevDropItem < GetItemCount())
        SetItemState(m_nPrevDropItem, m_nPrevDropState, LVIS_SELECTED);
}

void CDragDropListCtrl::SetScrollTimer(EScrollDirection dir)
{
    if (m_nScrollTimer == 0)
        m_nScrollTimer = SetTimer(c_nScrollTimer, c_nScrollPeriod);
    m_eScrollDir = dir;
}

void CDragDropListCtrl::KillScrollTimer()
{
    if (m_nScrollTimer == 0)
        return;
    KillTimer(c_nScrollTimer);
    m_nScrollTimer = 0;
    m_eScrollDir = scrollNone;
}

void CDragDropListCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != c_nScrollTimer || m_pDragImage == NULL) {
        CListCtrl::OnTimer(nIDEvent);
        return;
    }
    const bool bDown = m_eScrollDir == scrollDown;
    const int nTarget = m_nDropIndex + (bDown ? 1 : -1);
    CImageList::DragShowNolock(FALSE);
    SendMessage(WM_VSCROLL, bDown ? SB_LINEDOWN : SB_LINEUP);
    UpdateSelection(nTarget);
    CImageList::DragShowNolock(TRUE);
}

void CDragDropListCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_pDragImage != NULL) {
        KillScrollTimer();
        ::ReleaseCapture();
        CImageList::DragLeave(GetDesktopWindow());
        CImageList::EndDrag();
        delete m_pDragImage;
        m_pDragImage = NULL;
        DropItem();
    } else {
        LVHITTESTINFO info = {};
        info.pt = point;
        if (SubItemHitTest(&info) >= 0 && (info.flags & LVHT_ONITEMLABEL))
            SetSelSubItem(info.iItem, info.iSubItem);
    }
    CListCtrl::OnLButtonUp(nFlags, point);
}

void CDragDropListCtrl::DropItem()
{
    RestorePrevDropItemState();
    const int nCount = GetItemCount();
    std::vector<int> items;
    for (INT_PTR i = 0; i < m_arrDragItems.GetSize(); ++i)
        items.push_back(static_cast<int>(m_arrDragItems[i]));
    // Without a target marked during this drag the rows stay where they are.
    std::vector<CDragDropLayout::CRowMove> moves;
    int nGap = m_nDropIndex;
    if (m_nDropIndex >= 0)
        moves = CDragDropLayout::PlanDrop(nCount, items, m_nDropIndex, &nGap);
    const int nColumns = GetColumnCount() > 0 ? GetColumnCount() : 1;
    m_bInDrop = true;
    size_t nDone = 0;
    for (; nDone < moves.size(); ++nDone) {
        const CDragDropLayout::CRowMove& move = moves[nDone];
        LVITEMA item = {};
        item.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
        item.iItem = move.m_nSource;
        item.stateMask = c_nDropStateMask;
        GetItem(&item);
        const CString strLabel = GetItemText(move.m_nSource, 0);
        const BOOL bChecked = GetCheck(move.m_nSource);
        SetItemState(move.m_nSource, 0, LVIS_SELECTED);
        item.mask |= LVIF_TEXT;
        item.iItem = move.m_nInsertAt;
        item.iSubItem = 0;
        item.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(strLabel));
        item.stateMask = c_nDropStateMask;
        const int nNew = InsertItem(&item);
        if (nNew < 0) {
            // Nothing is deleted that was not copied first.
            SetItemState(move.m_nSource, item.state, LVIS_SELECTED);
            break;
        }
        if (bChecked)
            SetCheck(nNew);
        const int nSource = move.DeletedRow();
        for (int c = 1; c < nColumns; ++c)
            SetItemText(nNew, c, GetItemText(nSource, c));
        DeleteItem(nSource);
    }
    m_bInDrop = false;
    moves.resize(nDone);
    m_nDropIndex = nGap;
    // The current cell goes with its row.
    if (m_nSelItem >= 0 && !moves.empty()) {
        const std::vector<int> rows = CDragDropLayout::ApplyMoves(nCount, moves);
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i] == m_nSelItem) {
                m_nSelItem = static_cast<int>(i);
                break;
            }
        }
    }
    if (m_dwSavedStyle != 0) {
        ModifyStyle(0, m_dwSavedStyle);
        m_dwSavedStyle = 0;
    }
}

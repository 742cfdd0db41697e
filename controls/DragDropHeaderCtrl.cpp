// CDragDropHeaderCtrl: the column drag, its marker and the callback.
#include "controls/DragDropHeaderCtrl.h"

#include "controls/DragDropLayout.h"

IMPLEMENT_DYNAMIC(CDragDropHeaderCtrl, CHeaderCtrl)

BEGIN_MESSAGE_MAP(CDragDropHeaderCtrl, CHeaderCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CDragDropHeaderCtrl::CDragDropHeaderCtrl() : CDragDropHeaderCtrl(NULL, NULL) {}

CDragDropHeaderCtrl::CDragDropHeaderCtrl(CWnd* pTarget, PFNCOLUMNMOVED pfn)
    : m_bButtonDown(false), m_bDragging(false), m_pColumnWidths(NULL), m_nDragColumn(0), m_nDropGap(0),
      m_rcMarker(0, 0, 0, 0), m_pfnColumnMoved(pfn), m_pTarget(pTarget), m_nWidthCount(0)
{
}

CDragDropHeaderCtrl::~CDragDropHeaderCtrl()
{
    delete[] m_pColumnWidths;
}

void CDragDropHeaderCtrl::SetCallback(CWnd* pTarget, PFNCOLUMNMOVED pfn)
{
    m_pTarget = pTarget;
    m_pfnColumnMoved = pfn;
}

void CDragDropHeaderCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    HDHITTESTINFO info = {};
    info.pt = point;
    const int nItem = HitTest(&info);
    if (nItem >= 0 && (info.flags & HHT_ONHEADER)) {
        m_nDragColumn = nItem;
        m_bButtonDown = true;
    }
    CHeaderCtrl::OnLButtonDown(nFlags, point);
}

void CDragDropHeaderCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!(nFlags & MK_LBUTTON)) {
        m_bButtonDown = false;
        if (m_bDragging)
            EndDrag();
        CHeaderCtrl::OnMouseMove(nFlags, point);
        return;
    }
    if (m_bButtonDown) {
        // No distance to cover: the first move with the button held drags.
        m_bButtonDown = false;
        m_bDragging = true;
        m_nDropGap = m_nDragColumn;
        SetCapture();
        delete[] m_pColumnWidths;
        m_nWidthCount = GetItemCount();
        m_pColumnWidths = new int[m_nWidthCount > 0 ? m_nWidthCount : 1];
        for (int i = 0; i < m_nWidthCount; ++i) {
            HDITEMA hdi = {};
            hdi.mask = HDI_WIDTH;
            m_pColumnWidths[i] = GetItem(i, &hdi) ? hdi.cxy : 0;
        }
        return;
    }
    if (!m_bDragging) {
        CHeaderCtrl::OnMouseMove(nFlags, point);
        return;
    }
    int nLeft = 0;
    const int nGap = CDragDropLayout::GapAt(m_pColumnWidths, m_nWidthCount, point.x, &nLeft);
    if (nGap == m_nDropGap)
        return;
    m_nDropGap = nGap;
    InvalidateRect(&m_rcMarker, TRUE);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const int nHeight = rcWindow.Height();
    // An arrow pointing down at the bottom edge, in the context's own pen and brush.
    const POINT aArrow[3] = {{nLeft, nHeight}, {nLeft - 3, nHeight - 7}, {nLeft + 3, nHeight - 7}};
    CClientDC dc(this);
    dc.Polygon(aArrow, 3);
    m_rcMarker.SetRect(nLeft - 4, nHeight - 8, nLeft + 4, nHeight);
}

void CDragDropHeaderCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_bButtonDown = false;
    if (m_bDragging) {
        EndDrag();
        if (CDragDropLayout::IsColumnMove(m_nDragColumn, m_nDropGap) && m_pTarget != NULL && m_pfnColumnMoved != NULL)
            (m_pTarget->*m_pfnColumnMoved)(m_nDragColumn, m_nDropGap);
    }
    CHeaderCtrl::OnLButtonUp(nFlags, point);
}

void CDragDropHeaderCtrl::EndDrag()
{
    m_bDragging = false;
    delete[] m_pColumnWidths;
    m_pColumnWidths = NULL;
    m_nWidthCount = 0;
    if (GetCapture() == this)
        ::ReleaseCapture();
    Invalidate(TRUE);
}

#include "controls/GroupBoxCtrl.h"

namespace {

// WS_CHILD | WS_VISIBLE | WS_GROUP and the static type SS_USERITEM.
const DWORD kGroupBoxStyle = 0x5002000A;
const DWORD kEtchedStyles = WS_BORDER | SS_SUNKEN;
const DWORD kEdgeExStyles = WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE;

}  // namespace

BEGIN_MESSAGE_MAP(CGroupBoxCtrl, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CGroupBoxCtrl::CGroupBoxCtrl() {}

CGroupBoxCtrl::~CGroupBoxCtrl() {}

BOOL CGroupBoxCtrl::Create(DWORD dwStyle, DWORD dwExStyle, const RECT& rect, CWnd* pParent, UINT nID)
{
    return CWnd::CreateEx(dwExStyle, "STATIC", "", dwStyle | kGroupBoxStyle, rect, pParent, nID);
}

void CGroupBoxCtrl::OnPaint()
{
    // The paint context validates the control, but it and every context of
    // the control end at its own edges, while the frame lies around them: it
    // is drawn on the parent's context, over the control's place there.
    CPaintDC dcPaint(this);
    CWnd* pParent = GetParent();
    CRect rc;
    GetClientRect(&rc);
    if (pParent == NULL)
        return;
    ClientToScreen(&rc);
    pParent->ScreenToClient(&rc);
    CDC dc;
    if (!dc.Attach(::GetDCEx(pParent->m_hWnd, NULL, DCX_CACHE)))
        return;
    DrawFrame(dc, rc);
    ::ReleaseDC(pParent->m_hWnd, dc.Detach());
}

void CGroupBoxCtrl::DrawFrame(CDC& dc, CRect rc)
{
    const COLORREF crHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    const int cxEdge = ::GetSystemMetrics(SM_CXEDGE), cyEdge = ::GetSystemMetrics(SM_CYEDGE);
    if (GetStyle() & kEtchedStyles) {
        rc.InflateRect(cxEdge / 2, cyEdge / 2);
        dc.Draw3dRect(&rc, crShadow, crHighlight);
        rc.DeflateRect(cxEdge / 2, cyEdge / 2);
        dc.Draw3dRect(&rc, crHighlight, crShadow);
        return;
    }
    DWORD dwExStyle = GetExStyle();
    if ((dwExStyle & kEdgeExStyles) == 0)
        dwExStyle |= WS_EX_CLIENTEDGE;
    rc.InflateRect(cxEdge, cyEdge);
    if (dwExStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE))
        dc.Draw3dRect(&rc, crShadow, crHighlight);
    else if (dwExStyle & WS_EX_DLGMODALFRAME)
        dc.Draw3dRect(&rc, crHighlight, crShadow);
}

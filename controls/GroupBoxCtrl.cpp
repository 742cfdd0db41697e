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
    CPaintDC dc(this);
    const COLORREF crHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF crShadow = ::GetSysColor(COLOR_BTNSHADOW);
    const int cxEdge = ::GetSystemMetrics(SM_CXEDGE), cyEdge = ::GetSystemMetrics(SM_CYEDGE);
    CRect rc;
    GetClientRect(&rc);
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

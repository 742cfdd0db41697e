// The month calendar with the picture strip.
#include "calc/MonthCalCtrlEx.h"

#include "calc/CalendarRes.h"
#include "frame/Frame.h"

BEGIN_MESSAGE_MAP(CMonthCalCtrlEx, CMonthCalCtrl)
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_PAINT()
    ON_MESSAGE(WM_MONTHCAL_PAINTBTN, OnPaintBtn)
END_MESSAGE_MAP()

CMonthCalCtrlEx::CMonthCalCtrlEx()
{
    // A private copy at the standard icon size: the control destroys it, and
    // destroying the system's shared copy from LoadIcon would be an error.
    m_hIcon = static_cast<HICON>(
        ::LoadImageA(GetExtkitInstance(), MAKEINTRESOURCEA(IDI_CALENDAR_STRIP), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
}

CMonthCalCtrlEx::~CMonthCalCtrlEx()
{
    if (m_hIcon != NULL)
        ::DestroyIcon(m_hIcon);
}

BOOL CMonthCalCtrlEx::OnEraseBkgnd(CDC* pDC)
{
    if (!CMonthCalCtrl::OnEraseBkgnd(pDC))
        return FALSE;
    // The control paints over the strip after the erase; the picture goes on
    // top once that painting is over.
    PostMessage(WM_MONTHCAL_PAINTBTN);
    return TRUE;
}

void CMonthCalCtrlEx::OnLButtonDown(UINT nFlags, CPoint point)
{
    CMonthCalCtrl::OnLButtonDown(nFlags, point);
    // The click may have closed the window holding the control.
    if (::IsWindow(m_hWnd))
        PostMessage(WM_MONTHCAL_PAINTBTN);
}

void CMonthCalCtrlEx::OnPaint()
{
    // A click often makes the control repaint without an erase, and that
    // repaint comes after the picture posted by the click: the picture has to
    // follow every paint to stay visible.
    CMonthCalCtrl::OnPaint();
    PostMessage(WM_MONTHCAL_PAINTBTN);
}

LRESULT CMonthCalCtrlEx::OnPaintBtn(WPARAM wParam, LPARAM lParam)
{
    if (m_hIcon == NULL)
        return 1;
    CWindowDC dc(this);
    const int cx = ::GetSystemMetrics(SM_CXICON);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    ::DrawIconEx(dc.GetSafeHdc(), rcWindow.Width() - cx / 2 - 1, 2, m_hIcon, cx / 2, rcWindow.Height() - 3, 0, NULL,
                 DI_NORMAL | DI_COMPAT);
    return 1;
}

// The month calendar control wrapper.
#include "win/MonthCal.h"

namespace {

// The control's class is registered by the common controls on request.
BOOL RegisterDateClasses()
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_DATE_CLASSES};
    return ::InitCommonControlsEx(&icc);
}

// A day from the control, at 00:00:00: the control does not keep the time.
void DayFromSystemTime(SYSTEMTIME st, COleDateTime& refDateTime)
{
    st.wHour = st.wMinute = st.wSecond = st.wMilliseconds = 0;
    refDateTime = st;
}

}  // namespace

IMPLEMENT_DYNAMIC(CMonthCalCtrl, CWnd)

CMonthCalCtrl::CMonthCalCtrl() {}
CMonthCalCtrl::~CMonthCalCtrl() {}

BOOL CMonthCalCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    RegisterDateClasses();
    return CWnd::Create(MONTHCAL_CLASSA, NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CMonthCalCtrl::Create(DWORD dwStyle, const POINT& pt, CWnd* pParentWnd, UINT nID)
{
    const RECT rect = {pt.x, pt.y, pt.x, pt.y};
    if (!Create(dwStyle, rect, pParentWnd, nID))
        return FALSE;
    return SizeMinReq();
}

BOOL CMonthCalCtrl::GetMinReqRect(RECT* pRect) const
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(pRect)));
}

BOOL CMonthCalCtrl::SizeMinReq(BOOL bRepaint)
{
    RECT rect;
    if (!GetMinReqRect(&rect))
        return FALSE;
    UINT nFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    if (!bRepaint)
        nFlags |= SWP_NOREDRAW;
    return SetWindowPos(NULL, 0, 0, rect.right - rect.left, rect.bottom - rect.top, nFlags);
}

BOOL CMonthCalCtrl::GetCurSel(COleDateTime& refDateTime) const
{
    SYSTEMTIME st = {};
    if (!GetCurSel(&st))
        return FALSE;
    DayFromSystemTime(st, refDateTime);
    return TRUE;
}

BOOL CMonthCalCtrl::GetCurSel(LPSYSTEMTIME pDateTime) const
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(pDateTime)));
}

BOOL CMonthCalCtrl::SetCurSel(const COleDateTime& refDateTime)
{
    SYSTEMTIME st = {};
    if (!refDateTime.GetAsSystemTime(st))
        return FALSE;
    return SetCurSel(&st);
}

BOOL CMonthCalCtrl::SetCurSel(const LPSYSTEMTIME pDateTime)
{
    return static_cast<BOOL>(SendMessage(MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(pDateTime)));
}

BOOL CMonthCalCtrl::GetToday(COleDateTime& refDateTime) const
{
    SYSTEMTIME st = {};
    if (!GetToday(&st))
        return FALSE;
    DayFromSystemTime(st, refDateTime);
    return TRUE;
}

BOOL CMonthCalCtrl::GetToday(LPSYSTEMTIME pDateTime) const
{
    return static_cast<BOOL>(::SendMessageA(m_hWnd, MCM_GETTODAY, 0, reinterpret_cast<LPARAM>(pDateTime)));
}

void CMonthCalCtrl::SetToday(const COleDateTime& refDateTime)
{
    SYSTEMTIME st = {};
    // A null pointer would give the control the system's today back, which is
    // not what an invalid date asks for.
    if (refDateTime.GetAsSystemTime(st))
        SetToday(&st);
}

void CMonthCalCtrl::SetToday(const LPSYSTEMTIME pDateTime)
{
    SendMessage(MCM_SETTODAY, 0, reinterpret_cast<LPARAM>(pDateTime));
}

int CMonthCalCtrl::GetMonthRange(COleDateTime& refMinRange, COleDateTime& refMaxRange, DWORD dwFlags) const
{
    SYSTEMTIME ast[2] = {};
    const int nMonths =
        static_cast<int>(::SendMessageA(m_hWnd, MCM_GETMONTHRANGE, dwFlags, reinterpret_cast<LPARAM>(ast)));
    DayFromSystemTime(ast[0], refMinRange);
    DayFromSystemTime(ast[1], refMaxRange);
    return nMonths;
}

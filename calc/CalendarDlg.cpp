// The drop-down calendar dialog.
#include "calc/CalendarDlg.h"

#include "calc/CalendarRes.h"
#include "frame/Frame.h"

BEGIN_MESSAGE_MAP(CCalendarDlg, CDialog)
    ON_NOTIFY(MCN_SELECT, IDC_CALENDAR_MONTH, OnSelectMonthCalendar)
    ON_WM_ACTIVATEAPP()
END_MESSAGE_MAP()

CCalendarDlg::CCalendarDlg(CWnd* pParent)
    : CDialog(IDD_CALENDAR, pParent), m_date(COleDateTime::GetCurrentTime()), m_pFont(NULL), m_bCenter(FALSE)
{
    // The placement is taken from the parent; without one there is nothing
    // to drop down under.
    if (pParent == NULL)
        AfxThrowInvalidArgException();
    pParent->GetWindowRect(&m_rcParent);
}

CCalendarDlg::~CCalendarDlg() {}

INT_PTR CCalendarDlg::DoModal()
{
    CSetResourceHandle resources(GetExtkitInstance());
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_DATE_CLASSES};
    ::InitCommonControlsEx(&icc);
    return CDialog::DoModal();
}

void CCalendarDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CALENDAR_MONTH, m_ctlCalendar);
}

BOOL CCalendarDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    if (m_pFont != NULL) {
        // The calendar takes its size from the font; the dialog follows it.
        m_ctlCalendar.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_pFont->GetSafeHandle()), FALSE);
        FitToCalendar();
    } else {
        // Where the system draws the calendar bigger than the template allows
        // for, the last weeks would be cut off and could not be picked.
        CRect rcMin, rcCalendar;
        m_ctlCalendar.GetMinReqRect(&rcMin);
        m_ctlCalendar.GetWindowRect(&rcCalendar);
        if (rcMin.Width() > rcCalendar.Width() || rcMin.Height() > rcCalendar.Height())
            FitToCalendar();
    }

    if (m_bCenter) {
        CenterWindow();
    } else {
        // Under the parent, pulled left off the right screen edge, and above
        // the parent when there is no room below it.
        CRect rcDlg;
        GetWindowRect(&rcDlg);
        const CPoint pt = AfxGetDropDownPos(m_rcParent, rcDlg.Size(), TRUE);
        SetWindowPos(NULL, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // An invalid date leaves the structure zeroed, which the control refuses:
    // it then keeps its own default day.
    SYSTEMTIME st = {};
    m_date.GetAsSystemTime(st);
    m_ctlCalendar.SetCurSel(&st);
    return TRUE;
}

void CCalendarDlg::FitToCalendar()
{
    CRect rcCalendar;
    m_ctlCalendar.GetMinReqRect(&rcCalendar);
    rcCalendar.right += ::GetSystemMetrics(SM_CYCAPTION);
    const UINT nFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOOWNERZORDER | SWP_NOACTIVATE;
    m_ctlCalendar.SetWindowPos(NULL, 0, 0, rcCalendar.Width(), rcCalendar.Height(), nFlags);
    SetWindowPos(NULL, 0, 0, rcCalendar.Width() + 2 * ::GetSystemMetrics(SM_CXDLGFRAME),
                 rcCalendar.Height() + 2 * ::GetSystemMetrics(SM_CYDLGFRAME) + ::GetSystemMetrics(SM_CYCAPTION),
                 nFlags);
}

BOOL CCalendarDlg::PreTranslateMessage(MSG* pMsg)
{
    if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP) &&
        (pMsg->wParam == VK_LEFT || pMsg->wParam == VK_RIGHT || pMsg->wParam == VK_UP || pMsg->wParam == VK_DOWN))
        return m_ctlCalendar.PreTranslateMessage(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

void CCalendarDlg::OnOK()
{
    SYSTEMTIME st = {};
    m_ctlCalendar.GetCurSel(&st);
    m_date.SetDate(st.wYear, st.wMonth, st.wDay);
    CDialog::OnOK();
}

void CCalendarDlg::OnSelectMonthCalendar(NMHDR* pNMHDR, LRESULT* pResult)
{
    const SYSTEMTIME& st = reinterpret_cast<NMSELCHANGE*>(pNMHDR)->stSelStart;
    // A click on the day already selected confirms it.
    if (st.wYear == m_date.GetYear() && st.wMonth == m_date.GetMonth() && st.wDay == m_date.GetDay()) {
        OnOK();
        return;
    }
    m_date = st;
    // Time fields the control left out of range must not lose the day.
    if (m_date.GetStatus() != COleDateTime::valid)
        m_date.SetDate(st.wYear, st.wMonth, st.wDay);
    *pResult = 0;
}

void CCalendarDlg::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    CDialog::OnActivateApp(bActive, dwThreadID);
    if (!bActive)
        EndDialog(IDCANCEL);
}

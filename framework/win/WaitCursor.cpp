// CWaitCursor and the application's wait count.
#include "win/WaitCursor.h"
#include "win/WinApp.h"

namespace {

// The wait of a thread that has no application object to keep it.
struct CThreadWait {
    int m_nCount = 0;
    HCURSOR m_hcurRestore = NULL;
};
thread_local CThreadWait t_wait;

// nCode 1 begins a wait, -1 ends one, 0 shows the hourglass again.
void StepWaitCursor(int& nCount, HCURSOR& hcurRestore, int nCode)
{
    if (nCode < 0 && nCount <= 0)
        return;  // an end without a beginning changes nothing
    nCount += nCode;
    if (nCount > 0) {
        HCURSOR hcurPrevious = ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
        if (nCode > 0 && nCount == nCode)
            hcurRestore = hcurPrevious;
    } else {
        nCount = 0;
        ::SetCursor(hcurRestore);
    }
}

void DoWait(int nCode)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
        pApp->DoWaitCursor(nCode);
    else
        StepWaitCursor(t_wait.m_nCount, t_wait.m_hcurRestore, nCode);
}

}  // namespace

void CWinApp::DoWaitCursor(int nCode)
{
    StepWaitCursor(m_nWaitCursorCount, m_hcurWaitCursorRestore, nCode);
}

CWaitCursor::CWaitCursor()
{
    DoWait(1);
}

CWaitCursor::~CWaitCursor()
{
    DoWait(-1);
}

void CWaitCursor::Restore()
{
    DoWait(0);
}

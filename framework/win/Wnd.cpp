// The window handle wrapper.
#include "win/Wnd.h"

IMPLEMENT_DYNAMIC(CWnd, CObject)

CWnd::CWnd() : m_hWnd(NULL)
{
}

CWnd::~CWnd()
{
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    m_hWnd = NULL;
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == NULL || m_hWnd != NULL)
        return FALSE;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    m_hWnd = NULL;
    return hWnd;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    BOOL bResult = ::DestroyWindow(m_hWnd);
    // A window destroyed behind our back leaves nothing worth keeping either.
    if (bResult || !::IsWindow(m_hWnd))
        m_hWnd = NULL;
    return bResult;
}

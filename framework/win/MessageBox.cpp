// AfxMessageBox and the application's message box.
#include "win/MessageBox.h"
#include "core/String.h"
#include "win/WinApp.h"
#include "win/Wnd.h"

namespace {

// The executable's name without folder and extension.
CString ExecutableName()
{
    char szPath[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    CString strName(szPath);
    strName = strName.Mid(strName.ReverseFind('\\') + 1);
    const int nDot = strName.ReverseFind('.');
    return nDot > 0 ? strName.Left(nDot) : strName;
}

// The window a box should be modal to: the one the user works in.
HWND MessageBoxOwner()
{
    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hTop = pMainWnd != NULL ? pMainWnd->GetSafeHwnd() : NULL;
    if (hTop != NULL && ::IsWindow(hTop)) {
        hTop = ::GetAncestor(hTop, GA_ROOT);
        HWND hPopup = ::GetLastActivePopup(hTop);
        return hPopup != NULL && ::IsWindowEnabled(hPopup) ? hPopup : hTop;
    }
    return ::GetActiveWindow();
}

UINT WithDefaultIcon(UINT nType)
{
    if ((nType & MB_ICONMASK) != 0)
        return nType;
    switch (nType & MB_TYPEMASK) {
    case MB_OK:
    case MB_OKCANCEL:
        return nType | MB_ICONEXCLAMATION;
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return nType | MB_ICONQUESTION;
    default:
        return nType;
    }
}

int ShowBox(LPCTSTR lpszPrompt, UINT nType, LPCTSTR lpszCaption)
{
    return ::MessageBoxA(MessageBoxOwner(), lpszPrompt, lpszCaption, WithDefaultIcon(nType));
}

}  // namespace

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt)
{
    const int nResult = ShowBox(lpszPrompt, nType, m_pszAppName != NULL ? m_pszAppName : ExecutableName().GetString());
    // The box showed the arrow; a wait that goes on shows the hourglass again.
    if (m_nWaitCursorCount > 0)
        DoWaitCursor(0);
    return nResult;
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return ShowBox(lpszText, nType, ExecutableName());
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString strPrompt;
    strPrompt.LoadString(nIDPrompt);
    return AfxMessageBox(strPrompt, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

// The application object, its thread and the application's life.
#include "win/WinApp.h"
#include "win/Wnd.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The CWinThread of the calling thread.
thread_local CWinThread* t_pCurrentThread = NULL;

// The full path of a module, however long.
std::string ModuleFileName(HINSTANCE hInstance)
{
    std::vector<char> buf(MAX_PATH);
    for (;;) {
        DWORD nLen = GetModuleFileNameA(hInstance, buf.data(), static_cast<DWORD>(buf.size()));
        if (nLen == 0)
            return std::string();
        if (nLen < buf.size())
            return std::string(buf.data(), nLen);
        buf.resize(buf.size() * 2);
    }
}

LPTSTR Duplicate(const std::string& str)
{
    return _strdup(str.c_str());
}

}  // namespace

IMPLEMENT_DYNAMIC(CWinThread, CObject)

CWinThread::CWinThread() : m_pMainWnd(NULL), m_nThreadID(GetCurrentThreadId())
{
    std::memset(&m_msgCur, 0, sizeof(m_msgCur));
}

CWinThread::~CWinThread()
{
    if (t_pCurrentThread == this)
        t_pCurrentThread = NULL;
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return static_cast<int>(m_msgCur.wParam);
}

int CWinThread::Run()
{
    while (PumpMessage()) {
    }
    return ExitInstance();
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    // The message's window and its parents, up to the main window.
    CWnd* pMainWnd = GetMainWnd();
    return CWnd::WalkPreTranslateTree(pMainWnd != NULL ? pMainWnd->GetSafeHwnd() : NULL, pMsg);
}

BOOL CWinThread::PumpMessage()
{
    BOOL bRet = GetMessage(&m_msgCur, NULL, 0, 0);
    if (bRet == 0)
        return FALSE;
    if (bRet == -1) {
        // The queue is unusable; ending the loop beats spinning on the error.
        m_msgCur.wParam = static_cast<WPARAM>(-1);
        return FALSE;
    }
    if (!PreTranslateMessage(&m_msgCur)) {
        TranslateMessage(&m_msgCur);
        DispatchMessage(&m_msgCur);
    }
    // Idle: the temporary window objects handed out so far are dropped.
    MSG msgPeek;
    if (!PeekMessage(&msgPeek, NULL, 0, 0, PM_NOREMOVE))
        CWnd::DeleteTempMap();
    return TRUE;
}

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_pszAppName(lpszAppName != NULL ? _strdup(lpszAppName) : NULL), m_pszExeName(NULL), m_pszProfileName(NULL),
      m_hInstance(NULL), m_lpCmdLine(NULL), m_nCmdShow(SW_SHOWNORMAL)
{
    AfxGetModuleState()->m_pCurrentWinApp = this;
    t_pCurrentThread = this;
}

CWinApp::~CWinApp()
{
    std::free(const_cast<LPTSTR>(m_pszAppName));
    std::free(const_cast<LPTSTR>(m_pszExeName));
    std::free(const_cast<LPTSTR>(m_pszProfileName));
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    if (pState->m_pCurrentWinApp == this)
        pState->m_pCurrentWinApp = NULL;
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return CWinThread::ExitInstance();
}

void CWinApp::SetCurrentHandles(HINSTANCE hInstance)
{
    m_hInstance = hInstance;
    std::string strPath = ModuleFileName(hInstance);
    size_t nNameStart = strPath.find_last_of("\\/:");
    std::string strName = nNameStart == std::string::npos ? strPath : strPath.substr(nNameStart + 1);
    size_t nDot = strName.rfind('.');
    if (nDot != std::string::npos)
        strName.erase(nDot);
    if (m_pszExeName == NULL)
        m_pszExeName = Duplicate(strName);
    if (m_pszAppName == NULL)
        m_pszAppName = _strdup(m_pszExeName);
    if (m_pszProfileName == NULL)
        m_pszProfileName = Duplicate(std::string(m_pszExeName) + ".INI");
}

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    if (hInstance == NULL)
        hInstance = GetModuleHandle(NULL);
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    pState->m_hCurrentInstanceHandle = hInstance;
    pState->m_hCurrentResourceHandle = hInstance;
    if (CWinApp* pApp = pState->m_pCurrentWinApp) {
        pApp->m_lpCmdLine = lpCmdLine;
        pApp->m_nCmdShow = nCmdShow;
        pApp->SetCurrentHandles(hInstance);
    }
    return TRUE;
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow))
        return -1;
    if (!pApp->InitApplication())
        return -1;
    if (!pApp->InitInstance()) {
        if (pApp->m_pMainWnd != NULL)
            pApp->m_pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}

CWinApp* AFXAPI AfxGetApp()
{
    return AfxGetModuleState()->m_pCurrentWinApp;
}

CWinThread* AFXAPI AfxGetThread()
{
    if (t_pCurrentThread != NULL)
        return t_pCurrentThread;
    return AfxGetApp();
}

CWnd* AFXAPI AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL ? pThread->m_pMainWnd : NULL;
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    HWND hWndOwner = ::GetActiveWindow();
    if (hWndOwner == NULL) {
        CWnd* pMainWnd = AfxGetMainWnd();
        hWndOwner = pMainWnd != NULL ? pMainWnd->GetSafeHwnd() : NULL;
    }
    if (hWndOwner != NULL)
        hWndOwner = ::GetAncestor(hWndOwner, GA_ROOT);
    CWinApp* pApp = AfxGetApp();
    std::string strCaption;
    if (pApp != NULL && pApp->m_pszAppName != NULL) {
        strCaption = pApp->m_pszAppName;
    } else {
        strCaption = ModuleFileName(NULL);
        strCaption.erase(0, strCaption.find_last_of("\\/") + 1);
        strCaption.erase(std::min(strCaption.find_last_of('.'), strCaption.size()));
    }
    return ::MessageBoxA(hWndOwner, lpszText, strCaption.c_str(), nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString strPrompt;
    if (!strPrompt.LoadString(nIDPrompt))
        return 0;
    return AfxMessageBox(strPrompt, nType, nIDHelp);
}

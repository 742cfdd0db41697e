// The application object and its thread: what a host derives its application
// from, and what the library asks for the profile name and the main window.
#pragma once

#include "win/Platform.h"
#include "win/ModuleState.h"

class CWnd;

class FRAMEWORK_API CWinThread : public CObject {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    virtual ~CWinThread();

    CWnd* m_pMainWnd;  // the thread's main window; not owned
    DWORD m_nThreadID;

    virtual BOOL InitInstance();
    // The exit code of the message loop (the WM_QUIT code once Run has ended).
    virtual int ExitInstance();
    // Runs the message loop until WM_QUIT, then returns ExitInstance().
    virtual int Run();
    // A chance to handle a message before it is translated and dispatched;
    // TRUE when it was handled.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Gets and dispatches one message; FALSE on WM_QUIT.
    virtual BOOL PumpMessage();

    CWnd* GetMainWnd() { return m_pMainWnd; }

protected:
    MSG m_msgCur;
};

class FRAMEWORK_API CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    // Registers this object as the application. The names are filled by
    // AfxWinInit from the executable when the host gives none.
    explicit CWinApp(LPCTSTR lpszAppName = NULL);
    virtual ~CWinApp();

    // Strings allocated with malloc (_tcsdup) and freed by the destructor: a
    // host may free one and put its own _tcsdup copy in its place.
    LPCTSTR m_pszAppName;
    LPCTSTR m_pszExeName;      // the executable's file name without extension
    LPCTSTR m_pszProfileName;  // default: m_pszExeName with ".INI"

    HINSTANCE m_hInstance;
    LPTSTR m_lpCmdLine;
    int m_nCmdShow;

    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // Fills the instance handle and the default names (see AfxWinInit).
    void SetCurrentHandles(HINSTANCE hInstance);
};

// Prepares the framework for the application: the module state's instance and
// resource handles (the executable's when hInstance is null) and, when there is
// an application object, its instance, command line and default names.
FRAMEWORK_API BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);

// The whole life of the application: AfxWinInit, InitApplication, InitInstance
// and Run (or ExitInstance when InitInstance fails). The exit code, or -1 when
// there is no application object.
FRAMEWORK_API int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);

FRAMEWORK_API CWinApp* AFXAPI AfxGetApp();
// The calling thread's CWinThread: the one registered on this thread, else the
// application.
FRAMEWORK_API CWinThread* AFXAPI AfxGetThread();
// The main window of the calling thread, NULL when there is none.
FRAMEWORK_API CWnd* AFXAPI AfxGetMainWnd();

// A message box owned by the thread's active window (else its main window),
// with the application's name as its caption (the executable's name when there
// is no application object). nType: the MB_ buttons and icon. The button
// pressed (IDOK, IDCANCEL...), 0 when the box could not be shown.
FRAMEWORK_API int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The same with the string nIDPrompt of the current resource module; 0 without
// showing anything when there is no such string.
FRAMEWORK_API int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// The application object, its registration and the application's life.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

namespace {

HWND CreatePlainWindow()
{
    return CreateWindowExA(0, "STATIC", "app", WS_POPUP, 0, 0, 50, 50, NULL, NULL, GetModuleHandle(NULL), NULL);
}

}  // namespace

TEST(WinApp, TheApplicationIsFoundWhileItLivesWithItsNamesAndMainWindow)
{
    // No application: nothing to run.
    ASSERT_EQ(AfxGetApp(), nullptr);
    char szNoCmdLine[] = "";
    EXPECT_EQ(AfxWinMain(GetModuleHandle(NULL), NULL, szNoCmdLine, SW_SHOW), -1);
    {
        CWinApp app;
        EXPECT_EQ(AfxGetApp(), &app);
        EXPECT_EQ(AfxGetThread(), &app);
        EXPECT_EQ(app.m_pszProfileName, nullptr);  // filled by AfxWinInit
        char szCmdLine[] = "/silent";
        ASSERT_TRUE(AfxWinInit(GetModuleHandle(NULL), NULL, szCmdLine, SW_HIDE));
        EXPECT_STREQ(app.m_pszExeName, "framework_win_tests");
        EXPECT_STREQ(app.m_pszAppName, "framework_win_tests");
        EXPECT_STREQ(app.m_pszProfileName, "framework_win_tests.INI");
        EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandle(NULL));

        // The main window is the thread's; other threads fall back to the application.
        CWnd wnd;
        ASSERT_TRUE(wnd.Attach(CreatePlainWindow()));
        EXPECT_EQ(AfxGetMainWnd(), nullptr);
        app.m_pMainWnd = &wnd;
        EXPECT_EQ(AfxGetMainWnd(), &wnd);
        CWinThread* pSeen = NULL;
        std::thread([&pSeen] { pSeen = AfxGetThread(); }).join();
        EXPECT_EQ(pSeen, &app);
        app.m_pMainWnd = NULL;
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
    EXPECT_EQ(AfxGetThread(), nullptr);

    // The names a host set are kept.
    CWinApp app("Склад");
    app.m_pszProfileName = _strdup("C:\\Склад\\sklad.ini");
    ASSERT_TRUE(AfxWinInit(NULL, NULL, NULL, SW_SHOW));
    EXPECT_STREQ(app.m_pszAppName, "Склад");
    EXPECT_STREQ(app.m_pszProfileName, "C:\\Склад\\sklad.ini");
}

namespace {

// A host application: its window and its message loop, with a record of what
// the framework called.
class CTestApp : public CWinApp {
public:
    explicit CTestApp(BOOL bInitResult) : CWinApp("TestApp"), m_bInitResult(bInitResult) {}

    BOOL InitApplication() override
    {
        m_strCalls += "InitApplication ";
        return TRUE;
    }
    BOOL InitInstance() override
    {
        m_strCalls += "InitInstance ";
        m_wnd.Attach(CreatePlainWindow());
        m_pMainWnd = &m_wnd;
        PostThreadMessage(GetCurrentThreadId(), WM_APP + 1, 0, 0);
        PostQuitMessage(7);
        return m_bInitResult;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_APP + 1)
            m_strCalls += "PreTranslate ";
        return FALSE;
    }
    int ExitInstance() override
    {
        m_strCalls += "ExitInstance ";
        return CWinApp::ExitInstance();
    }

    std::string m_strCalls;
    CWnd m_wnd;
    BOOL m_bInitResult;
};

}  // namespace

TEST(WinApp, WinMainRunsTheLoopUntilQuitOrEndsAtAFailedStart)
{
    char szCmdLine[] = "";
    {
        CTestApp app(TRUE);
        EXPECT_EQ(AfxWinMain(GetModuleHandle(NULL), NULL, szCmdLine, SW_SHOW), 7);
        EXPECT_EQ(app.m_strCalls, "InitApplication InitInstance PreTranslate ExitInstance ");
        EXPECT_TRUE(app.m_wnd.IsWindow());
        app.m_pMainWnd = NULL;
    }
    // A failed InitInstance destroys the main window and exits.
    CTestApp app(FALSE);
    AfxWinMain(GetModuleHandle(NULL), NULL, szCmdLine, SW_SHOW);
    EXPECT_EQ(app.m_strCalls, "InitApplication InitInstance ExitInstance ");
    EXPECT_EQ(app.m_wnd.m_hWnd, nullptr);
    app.m_pMainWnd = NULL;
    // The posted quit is still queued: drain it so later tests start clean.
    MSG msg;
    while (PeekMessage(&msg, NULL, 0, 0, PM_REMOVE)) {
    }
}

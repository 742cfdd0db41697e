// gallery.exe: a host application that shows each component of extkit on a page
// of its own. With --snapshots DIR it renders every page to DIR\NN-name.png and
// exits, which is how pictures are made on a machine without a person at it.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <afxwin.h>

#include "GalleryPage.h"
#include "WindowCapture.h"

namespace {

const char kMainClass[] = "ExtkitGalleryMain";
const int kTabID = 100;

struct CGalleryApp {
    HWND m_hWnd = nullptr;
    HWND m_hTab = nullptr;
    HFONT m_hFont = nullptr;
    std::vector<std::unique_ptr<CGalleryPage>> m_pages;
    int m_nCurrent = -1;

    void ShowPage(int nPage)
    {
        if (nPage == m_nCurrent || nPage < 0 || nPage >= static_cast<int>(m_pages.size()))
            return;
        if (m_nCurrent >= 0) {
            m_pages[m_nCurrent]->OnLeave();
            ShowWindow(m_pages[m_nCurrent]->GetSafeHwnd(), SW_HIDE);
        }
        m_nCurrent = nPage;
        TabCtrl_SetCurSel(m_hTab, nPage);
        ShowWindow(m_pages[nPage]->GetSafeHwnd(), SW_SHOW);
        m_pages[nPage]->OnEnter();
    }

    RECT PageRect() const
    {
        RECT rc;
        GetClientRect(m_hTab, &rc);
        TabCtrl_AdjustRect(m_hTab, FALSE, &rc);
        MapWindowPoints(m_hTab, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
};

CGalleryApp g_app;

LRESULT CALLBACK MainProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_NOTIFY: {
        auto* pHdr = reinterpret_cast<NMHDR*>(lParam);
        if (pHdr->idFrom == kTabID && pHdr->code == TCN_SELCHANGE) {
            g_app.ShowPage(TabCtrl_GetCurSel(g_app.m_hTab));
            return 0;
        }
        break;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

bool CreateMainWindow(HINSTANCE hInstance)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = MainProc;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kMainClass;
    if (!RegisterClassA(&wc))
        return false;

    // The whole window stays on the screen so that its picture can be taken.
    g_app.m_hWnd = CreateWindowExA(WS_EX_CONTROLPARENT, kMainClass, "extkit — галерея компонентов",
                                   WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, 20, 20,
                                   820, 600, nullptr, nullptr, hInstance, nullptr);
    if (!g_app.m_hWnd)
        return false;

    g_app.m_hFont = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, "Tahoma");
    RECT rcClient;
    GetClientRect(g_app.m_hWnd, &rcClient);
    g_app.m_hTab = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 8, 8,
                                   rcClient.right - 16, rcClient.bottom - 16, g_app.m_hWnd,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTabID)), hInstance, nullptr);
    SendMessageA(g_app.m_hTab, WM_SETFONT, reinterpret_cast<WPARAM>(g_app.m_hFont), FALSE);

    g_app.m_pages = CreateGalleryPages();
    for (size_t i = 0; i < g_app.m_pages.size(); ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(g_app.m_pages[i]->GetTitle());
        TabCtrl_InsertItem(g_app.m_hTab, static_cast<int>(i), &item);
    }
    const RECT rcPage = g_app.PageRect();
    for (auto& pPage : g_app.m_pages) {
        if (!pPage->Create(g_app.m_hWnd, rcPage, g_app.m_hFont))
            return false;
        SetWindowPos(pPage->GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    g_app.ShowPage(0);
    return true;
}

int RunSnapshots(const std::string& strDir)
{
    CreateDirectoryA(strDir.c_str(), nullptr);
    int nFailed = 0;
    for (size_t i = 0; i < g_app.m_pages.size(); ++i) {
        g_app.ShowPage(static_cast<int>(i));
        support::PumpPendingMessages(g_app.m_hWnd);
        char szPath[MAX_PATH];
        snprintf(szPath, sizeof(szPath), "%s\\%02u-%s.png", strDir.c_str(), static_cast<unsigned>(i + 1),
                 g_app.m_pages[i]->GetSnapshotName());
        if (support::CaptureWindowToPng(g_app.m_hWnd, szPath)) {
            printf("%s\n", szPath);
        } else {
            fprintf(stderr, "gallery: could not write %s (error %lu)\n", szPath, GetLastError());
            ++nFailed;
        }
        szPath[strlen(szPath) - 4] = 0;  // the stem, without ".png"
        nFailed += g_app.m_pages[i]->WriteExtraSnapshots(szPath);
    }
    fflush(stdout);
    DestroyWindow(g_app.m_hWnd);
    g_app.m_hWnd = nullptr;
    return nFailed ? 1 : 0;
}

}  // namespace

// The gallery is a host application like any other: its application object
// carries the profile name that extkit's GetAppPath reads.
class CGalleryWinApp : public CWinApp {
public:
    CGalleryWinApp() : CWinApp("extkit gallery") {}

    std::string m_strSnapshots;
    int m_nExitCode = 0;

    BOOL InitInstance() override
    {
        // The profile lives beside the executable, named by its full path.
        char szPath[MAX_PATH];
        GetModuleFileNameA(nullptr, szPath, MAX_PATH);
        std::string strProfile(szPath);
        strProfile = strProfile.substr(0, strProfile.find_last_of('\\') + 1) + "gallery.ini";
        free(const_cast<char*>(m_pszProfileName));
        m_pszProfileName = _strdup(strProfile.c_str());

        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&icc);
        if (!CreateMainWindow(m_hInstance)) {
            fprintf(stderr, "gallery: could not create the main window (error %lu)\n", GetLastError());
            m_nExitCode = 1;
            return FALSE;
        }
        m_wndMain.Attach(g_app.m_hWnd);
        m_pMainWnd = &m_wndMain;
        ShowWindow(g_app.m_hWnd, SW_SHOW);
        UpdateWindow(g_app.m_hWnd);
        if (!m_strSnapshots.empty()) {
            // Pictures only: no message loop, the window goes when they are written.
            m_nExitCode = RunSnapshots(m_strSnapshots);
            m_wndMain.Detach();
            m_pMainWnd = nullptr;
            return FALSE;
        }
        return TRUE;
    }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        // Tab and arrow keys move between the page's controls.
        return g_app.m_hWnd && IsDialogMessageA(g_app.m_hWnd, pMsg);
    }

    int ExitInstance() override
    {
        if (m_wndMain.GetSafeHwnd())
            m_wndMain.Detach();
        m_pMainWnd = nullptr;
        g_app.m_pages.clear();
        if (g_app.m_hFont) {
            DeleteObject(g_app.m_hFont);
            g_app.m_hFont = nullptr;
        }
        const int nLoop = CWinApp::ExitInstance();
        return m_nExitCode ? m_nExitCode : nLoop;
    }

private:
    CWnd m_wndMain;
};

CGalleryWinApp theApp;

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--snapshots") == 0 && i + 1 < argc) {
            theApp.m_strSnapshots = argv[++i];
        } else {
            fprintf(stderr, "usage: gallery [--snapshots DIR]\n");
            return 2;
        }
    }
    return AfxWinMain(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOW);
}

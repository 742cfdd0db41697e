#include "ControlsTestUtil.h"

#include "WindowCapture.h"

#include <psapi.h>

namespace controls_test {

CHostWnd::CHostWnd(const char* pszTitle, int cx, int cy)
{
    WNDCLASSA wc = {};
    if (!GetClassInfoA(GetModuleHandleA(NULL), "ControlsTestHost", &wc)) {
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "ControlsTestHost";
        RegisterClassA(&wc);
    }
    CreateEx(0, "ControlsTestHost", pszTitle, WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 40, 40, cx, cy, NULL, NULL);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetForegroundWindow(m_hWnd);
}

std::unique_ptr<support::CGuiObjectCounter> MakeCounter()
{
    return std::unique_ptr<support::CGuiObjectCounter>(
        new support::CGuiObjectCounter(std::vector<std::string>{"framework.dll", "extkit.dll"}));
}

SIZE_T PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
    return pmc.PagefileUsage;
}

COLORREF ScreenPixel(HWND hWnd, int x, int y)
{
    support::PumpPendingMessages(hWnd);
    POINT pt = {x, y};
    ClientToScreen(hWnd, &pt);
    HDC hScreen = GetDC(NULL);
    const COLORREF cr = GetPixel(hScreen, pt.x, pt.y);
    ReleaseDC(NULL, hScreen);
    return cr;
}

}  // namespace controls_test

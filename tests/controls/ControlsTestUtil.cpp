#include "ControlsTestUtil.h"

#include "WindowCapture.h"

#include <psapi.h>

#include <vector>

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

std::string Recode(const std::string& strText, UINT nFrom, UINT nTo)
{
    const int nWide = MultiByteToWideChar(nFrom, 0, strText.data(), static_cast<int>(strText.size()), NULL, 0);
    std::vector<wchar_t> wide(static_cast<size_t>(nWide) + 1);
    MultiByteToWideChar(nFrom, 0, strText.data(), static_cast<int>(strText.size()), wide.data(), nWide);
    const int nOut = WideCharToMultiByte(nTo, 0, wide.data(), nWide, NULL, 0, NULL, NULL);
    std::string strOut(static_cast<size_t>(nOut), '\0');
    WideCharToMultiByte(nTo, 0, wide.data(), nWide, &strOut[0], nOut, NULL, NULL);
    return strOut;
}

}  // namespace controls_test

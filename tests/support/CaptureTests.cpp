// The window picture must show what is on the screen, pixel for pixel, since
// the gallery's pictures and later window tests rely on it.
#include <gtest/gtest.h>

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <string>

#include "WindowCapture.h"

namespace {

LRESULT CALLBACK TwoColourProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg != WM_PAINT)
        return DefWindowProcA(hWnd, nMsg, wParam, lParam);
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hWnd, &ps);
    RECT rc;
    GetClientRect(hWnd, &rc);
    RECT rcLeft = rc, rcRight = rc;
    rcLeft.right = rcRight.left = rc.right / 2;
    HBRUSH hRed = CreateSolidBrush(RGB(255, 0, 0)), hBlue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(hdc, &rcLeft, hRed);
    FillRect(hdc, &rcRight, hBlue);
    DeleteObject(hRed);
    DeleteObject(hBlue);
    EndPaint(hWnd, &ps);
    return 0;
}

TEST(WindowCapture, APictureHasTheWindowsSizeAndColoursOrIsRefused)
{
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = TwoColourProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "CaptureTestWindow";
    RegisterClassA(&wc);
    // A borderless popup: the picture is exactly the client area.
    HWND hWnd = CreateWindowExA(WS_EX_TOPMOST, "CaptureTestWindow", "", WS_POPUP | WS_VISIBLE, 60, 60, 120, 80, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(hWnd, nullptr);
    support::PumpPendingMessages(hWnd);

    char szDir[MAX_PATH];
    GetTempPathA(MAX_PATH, szDir);
    const std::string strPath = std::string(szDir) + "extkit-capture-test.png";
    DeleteFileA(strPath.c_str());
    ASSERT_TRUE(support::CaptureWindowToPng(hWnd, strPath.c_str()));
    {
        Gdiplus::Bitmap picture(std::wstring(strPath.begin(), strPath.end()).c_str());
        ASSERT_EQ(picture.GetLastStatus(), Gdiplus::Ok);
        EXPECT_EQ(picture.GetWidth(), 120u);
        EXPECT_EQ(picture.GetHeight(), 80u);
        Gdiplus::Color left, right;
        picture.GetPixel(10, 40, &left);
        picture.GetPixel(110, 40, &right);
        EXPECT_EQ(left.GetValue() & 0xFFFFFF, 0xFF0000u);   // red, as ARGB
        EXPECT_EQ(right.GetValue() & 0xFFFFFF, 0x0000FFu);  // blue
    }
    DeleteFileA(strPath.c_str());

    // A folder that does not exist, a window that is gone.
    EXPECT_FALSE(support::CaptureWindowToPng(hWnd, "Z:\\no\\such\\folder\\x.png"));
    DestroyWindow(hWnd);
    EXPECT_FALSE(support::CaptureWindowToPng(hWnd, strPath.c_str()));
    Gdiplus::GdiplusShutdown(token);
}

}  // namespace

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
    if (nMsg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hWnd, &ps);
        RECT rc;
        GetClientRect(hWnd, &rc);
        RECT rcLeft = rc, rcRight = rc;
        rcLeft.right = rc.right / 2;
        rcRight.left = rc.right / 2;
        HBRUSH hRed = CreateSolidBrush(RGB(255, 0, 0));
        HBRUSH hBlue = CreateSolidBrush(RGB(0, 0, 255));
        FillRect(hdc, &rcLeft, hRed);
        FillRect(hdc, &rcRight, hBlue);
        DeleteObject(hRed);
        DeleteObject(hBlue);
        EndPaint(hWnd, &ps);
        return 0;
    }
    return DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

std::string TempPng(const char* pszName)
{
    char szDir[MAX_PATH];
    GetTempPathA(MAX_PATH, szDir);
    return std::string(szDir) + pszName;
}

class CaptureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&m_token, &input, nullptr), Gdiplus::Ok);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = TwoColourProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "CaptureTestWindow";
        RegisterClassA(&wc);
        // A borderless popup: the picture is exactly the client area.
        m_hWnd = CreateWindowExA(WS_EX_TOPMOST, "CaptureTestWindow", "", WS_POPUP | WS_VISIBLE, 60, 60, 120, 80,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(m_hWnd, nullptr);
        support::PumpPendingMessages(m_hWnd);
    }
    void TearDown() override
    {
        if (m_hWnd)
            DestroyWindow(m_hWnd);
        Gdiplus::GdiplusShutdown(m_token);
    }

    ULONG_PTR m_token = 0;
    HWND m_hWnd = nullptr;
};

TEST_F(CaptureTest, PictureHasTheWindowsSizeAndColours)
{
    const std::string strPath = TempPng("extkit-capture-test.png");
    DeleteFileA(strPath.c_str());
    ASSERT_TRUE(support::CaptureWindowToPng(m_hWnd, strPath.c_str()));

    std::wstring wstrPath(strPath.begin(), strPath.end());
    {
        Gdiplus::Bitmap picture(wstrPath.c_str());
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
}

TEST_F(CaptureTest, RefusesWhatCannotBeTakenOrWritten)
{
    EXPECT_FALSE(support::CaptureWindowToPng(nullptr, TempPng("x.png").c_str()));
    EXPECT_FALSE(support::CaptureWindowToPng(m_hWnd, nullptr));
    // A folder that does not exist: the picture cannot be written.
    EXPECT_FALSE(support::CaptureWindowToPng(m_hWnd, "Z:\\no\\such\\folder\\x.png"));
    HWND hGone = m_hWnd;
    DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
    EXPECT_FALSE(support::CaptureWindowToPng(hGone, TempPng("y.png").c_str()));
}

}  // namespace

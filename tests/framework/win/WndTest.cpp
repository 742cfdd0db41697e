// The window handle wrapper on real windows.
#include "afxwin.h"

#include <gtest/gtest.h>

namespace {

HWND CreateTestWindow(int x = 10, int y = 20, int cx = 120, int cy = 80)
{
    return CreateWindowExA(0, "STATIC", "wnd", WS_POPUP | WS_VISIBLE, x, y, cx, cy, NULL, NULL,
                           GetModuleHandle(NULL), NULL);
}

}  // namespace

TEST(Wnd, AttachesAndDetachesAHandle)
{
    CWnd wnd;
    EXPECT_EQ(wnd.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(wnd.IsWindow());
    HWND hWnd = CreateTestWindow();
    ASSERT_NE(hWnd, nullptr);
    EXPECT_FALSE(wnd.Attach(NULL));
    ASSERT_TRUE(wnd.Attach(hWnd));
    EXPECT_FALSE(wnd.Attach(hWnd));  // already has one
    EXPECT_EQ(wnd.GetSafeHwnd(), hWnd);
    EXPECT_EQ(static_cast<HWND>(wnd), hWnd);
    EXPECT_TRUE(wnd.IsWindow());
    EXPECT_EQ(wnd.Detach(), hWnd);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_TRUE(::IsWindow(hWnd));
    ::DestroyWindow(hWnd);
}

TEST(Wnd, DestroysTheAttachedWindowWhenItGoes)
{
    HWND hWnd = CreateTestWindow();
    {
        CWnd wnd;
        wnd.Attach(hWnd);
    }
    EXPECT_FALSE(::IsWindow(hWnd));

    hWnd = CreateTestWindow();
    {
        CWnd wnd;
        wnd.Attach(hWnd);
        wnd.Detach();
    }
    EXPECT_TRUE(::IsWindow(hWnd));
    ::DestroyWindow(hWnd);
}

TEST(Wnd, DestroyWindowClearsTheHandle)
{
    CWnd wnd;
    EXPECT_FALSE(wnd.DestroyWindow());
    HWND hWnd = CreateTestWindow();
    wnd.Attach(hWnd);
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST(Wnd, WindowDestroyedElsewhereIsNoLongerAWindow)
{
    CWnd wnd;
    HWND hWnd = CreateTestWindow();
    wnd.Attach(hWnd);
    ::DestroyWindow(hWnd);
    EXPECT_FALSE(wnd.IsWindow());
    EXPECT_FALSE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.m_hWnd, nullptr);
}


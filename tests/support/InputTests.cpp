// Keys and clicks must reach a window as the system would deliver them from a
// user, or window tests would pass on input no user can produce.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "Clipboard.h"
#include "Input.h"

namespace {

struct CSeen {
    UINT m_nMsg;
    WPARAM m_wParam;
    LPARAM m_lParam;
    bool m_bShift, m_bCtrl, m_bAlt;
};

std::vector<CSeen> g_seen;

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        g_seen.push_back(
            {nMsg, wParam, lParam, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0});
        return 0;
    default:
        return DefWindowProcA(hWnd, nMsg, wParam, lParam);
    }
}

class InputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "InputTestWindow";
        RegisterClassA(&wc);
        m_hWnd = CreateWindowExA(0, "InputTestWindow", "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(m_hWnd, nullptr);
        g_seen.clear();
    }
    void TearDown() override { DestroyWindow(m_hWnd); }

    HWND m_hWnd = nullptr;
};

TEST_F(InputTest, KeyWithModifiersSendsDownCharUpWithState)
{
    support::PressKey(m_hWnd, 'C', support::kCtrl | support::kShift);
    ASSERT_EQ(g_seen.size(), 3u);
    EXPECT_EQ(g_seen[0].m_nMsg, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(g_seen[0].m_wParam, static_cast<WPARAM>('C'));
    EXPECT_EQ(g_seen[1].m_nMsg, static_cast<UINT>(WM_CHAR));
    EXPECT_EQ(g_seen[1].m_wParam, 3u);  // Ctrl+C types ETX
    EXPECT_EQ(g_seen[2].m_nMsg, static_cast<UINT>(WM_KEYUP));
    for (const CSeen& seen : g_seen) {
        EXPECT_TRUE(seen.m_bShift);
        EXPECT_TRUE(seen.m_bCtrl);
        EXPECT_FALSE(seen.m_bAlt);
    }
    // Released afterwards.
    EXPECT_FALSE(GetKeyState(VK_CONTROL) < 0);
    EXPECT_FALSE(GetKeyState(VK_SHIFT) < 0);
}

TEST_F(InputTest, LParamCarriesScanCodeExtendedAndTransitionBits)
{
    support::PressKey(m_hWnd, VK_DELETE);
    ASSERT_EQ(g_seen.size(), 2u);  // no character for Delete
    const DWORD dwDown = static_cast<DWORD>(g_seen[0].m_lParam);
    const DWORD dwUp = static_cast<DWORD>(g_seen[1].m_lParam);
    EXPECT_EQ(dwDown & 0xFFFF, 1u);
    EXPECT_EQ((dwDown >> 16) & 0xFF, MapVirtualKeyA(VK_DELETE, MAPVK_VK_TO_VSC) & 0xFF);
    EXPECT_NE((dwDown >> 16) & 0xFF, 0u);
    EXPECT_TRUE(dwDown & (1u << 24));
    EXPECT_FALSE(dwDown & (1u << 30));
    EXPECT_FALSE(dwDown & (1u << 31));
    EXPECT_TRUE(dwUp & (1u << 30));
    EXPECT_TRUE(dwUp & (1u << 31));

    g_seen.clear();
    support::PressKey(m_hWnd, 'A');
    ASSERT_EQ(g_seen.size(), 3u);
    EXPECT_FALSE(static_cast<DWORD>(g_seen[0].m_lParam) & (1u << 24));
    EXPECT_EQ(g_seen[1].m_wParam, static_cast<WPARAM>('a'));
}

TEST_F(InputTest, AltKeyComesAsSystemMessages)
{
    support::PressKey(m_hWnd, 'F', support::kAlt);
    ASSERT_EQ(g_seen.size(), 3u);
    EXPECT_EQ(g_seen[0].m_nMsg, static_cast<UINT>(WM_SYSKEYDOWN));
    EXPECT_EQ(g_seen[1].m_nMsg, static_cast<UINT>(WM_SYSCHAR));
    EXPECT_EQ(g_seen[1].m_wParam, static_cast<WPARAM>('f'));
    EXPECT_EQ(g_seen[2].m_nMsg, static_cast<UINT>(WM_SYSKEYUP));
    EXPECT_TRUE(static_cast<DWORD>(g_seen[0].m_lParam) & (1u << 29));
    EXPECT_TRUE(g_seen[0].m_bAlt);
}

TEST_F(InputTest, ModifiersReachAWindowOfAnotherThread)
{
    // As a modal driver does: the key is sent from a helper thread.
    std::thread sender([this] { support::PressKey(m_hWnd, VK_HOME, support::kCtrl); });
    const DWORD dwStart = GetTickCount();
    while (g_seen.size() < 2 && GetTickCount() - dwStart < 10000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT | QS_SENDMESSAGE);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    sender.join();
    ASSERT_EQ(g_seen.size(), 2u);
    EXPECT_EQ(g_seen[0].m_wParam, static_cast<WPARAM>(VK_HOME));
    EXPECT_TRUE(g_seen[0].m_bCtrl);
    EXPECT_FALSE(GetKeyState(VK_CONTROL) < 0);
}

TEST_F(InputTest, TypeTextSendsCp1251Characters)
{
    support::TypeText(m_hWnd, "Ёж\n");
    ASSERT_EQ(g_seen.size(), 5u);  // two characters, then Enter as a key
    EXPECT_EQ(g_seen[0].m_nMsg, static_cast<UINT>(WM_CHAR));
    EXPECT_EQ(g_seen[0].m_wParam, 0xA8u);  // Ё in Windows-1251
    EXPECT_EQ(g_seen[1].m_wParam, 0xE6u);  // ж
    EXPECT_EQ(g_seen[2].m_nMsg, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(g_seen[3].m_wParam, static_cast<WPARAM>('\r'));
}

TEST_F(InputTest, TypedTextLandsInAnEditControl)
{
    HWND hEdit = CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE, 0, 0, 150, 20, m_hWnd, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(hEdit, nullptr);
    support::TypeText(hEdit, "Сумма 12");
    support::PressKey(hEdit, VK_BACK);
    char szText[64] = {};
    GetWindowTextA(hEdit, szText, sizeof(szText));
    EXPECT_STREQ(szText, "Сумма 1");
}

TEST_F(InputTest, ClickCarriesPointAndFlags)
{
    support::ClickClient(m_hWnd, 30, 40, support::kShift);
    ASSERT_EQ(g_seen.size(), 2u);
    EXPECT_EQ(g_seen[0].m_nMsg, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(g_seen[0].m_wParam, static_cast<WPARAM>(MK_LBUTTON | MK_SHIFT));
    EXPECT_EQ(g_seen[0].m_lParam, MAKELPARAM(30, 40));
    EXPECT_TRUE(g_seen[0].m_bShift);
    EXPECT_EQ(g_seen[1].m_nMsg, static_cast<UINT>(WM_LBUTTONUP));
    EXPECT_EQ(g_seen[1].m_wParam, static_cast<WPARAM>(MK_SHIFT));
}

WPARAM g_wCommand = 0;

LRESULT CALLBACK ParentProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_COMMAND)
        g_wCommand = wParam;
    return DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

TEST(InputClick, ClickingAButtonNotifiesTheParent)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "InputClickParent";
    RegisterClassA(&wc);
    HWND hParent = CreateWindowExA(0, "InputClickParent", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                   nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(hParent, nullptr);
    HWND hButton = CreateWindowExA(0, "Button", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80, 24, hParent,
                                   reinterpret_cast<HMENU>(42), GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(hButton, nullptr);
    g_wCommand = 0;
    support::ClickClient(hButton, 5, 5);
    EXPECT_EQ(g_wCommand, MAKEWPARAM(42, BN_CLICKED));
    // A release outside the button is no click.
    g_wCommand = 0;
    SendMessageA(hButton, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(hButton, WM_LBUTTONUP, 0, MAKELPARAM(150, 5));
    EXPECT_EQ(g_wCommand, 0u);
    DestroyWindow(hParent);
}

TEST(Clipboard, TextRoundTripsAndEmpties)
{
    ASSERT_TRUE(support::SetClipboardText("Итого: 1 234,50"));
    std::string strText;
    ASSERT_TRUE(support::GetClipboardText(&strText));
    EXPECT_EQ(strText, "Итого: 1 234,50");
    ASSERT_TRUE(support::EmptyClipboardContents());
    EXPECT_FALSE(support::GetClipboardText(&strText));
    EXPECT_EQ(strText, "");
}

}  // namespace

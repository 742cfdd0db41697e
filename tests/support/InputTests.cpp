// Keys and clicks must reach a window as the system would deliver them from a
// user, or window tests would pass on input no user can produce; the clipboard
// helpers must put there and read back what a user's paste would see.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
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

TEST(Input, KeysClicksAndTextArriveAsAUsersWouldAndTheClipboardHoldsText)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "InputTestWindow";
    RegisterClassA(&wc);
    HWND hWnd = CreateWindowExA(0, "InputTestWindow", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 100, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(hWnd, nullptr);

    // A key with modifiers: down, the character it types, up, with the
    // modifiers held meanwhile and released afterwards.
    support::PressKey(hWnd, 'C', support::kCtrl | support::kShift);
    ASSERT_EQ(g_seen.size(), 3u);
    const UINT anMsgs[3][3] = {{WM_KEYDOWN, WM_CHAR, WM_KEYUP}, {WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSKEYUP}};
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(g_seen[i].m_nMsg == anMsgs[0][i] && g_seen[i].m_bShift && g_seen[i].m_bCtrl && !g_seen[i].m_bAlt);
    EXPECT_EQ(g_seen[0].m_wParam, static_cast<WPARAM>('C'));
    EXPECT_EQ(g_seen[1].m_wParam, 3u);  // Ctrl+C types ETX
    EXPECT_FALSE(GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_SHIFT) < 0);

    // The lParam: repeat count, scan code, extended and transition bits.
    g_seen.clear();
    support::PressKey(hWnd, VK_DELETE);
    ASSERT_EQ(g_seen.size(), 2u);  // no character for Delete
    const DWORD dwDown = static_cast<DWORD>(g_seen[0].m_lParam), dwUp = static_cast<DWORD>(g_seen[1].m_lParam);
    EXPECT_EQ(dwDown & 0xFFFF, 1u);
    EXPECT_EQ((dwDown >> 16) & 0xFF, MapVirtualKeyA(VK_DELETE, MAPVK_VK_TO_VSC) & 0xFF);
    EXPECT_NE((dwDown >> 16) & 0xFF, 0u);
    EXPECT_EQ(dwDown & (7u << 29 | 1u << 24), 1u << 24);
    EXPECT_EQ(dwUp & (3u << 30), 3u << 30);
    // With Alt: the system forms, with the context bit.
    g_seen.clear();
    support::PressKey(hWnd, 'F', support::kAlt);
    ASSERT_EQ(g_seen.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(g_seen[i].m_nMsg == anMsgs[1][i] && g_seen[i].m_bAlt);
    EXPECT_EQ(g_seen[1].m_wParam, static_cast<WPARAM>('f'));
    EXPECT_TRUE(static_cast<DWORD>(g_seen[0].m_lParam) & (1u << 29));

    // Text in Windows-1251, "\n" pressed as Enter.
    g_seen.clear();
    support::TypeText(hWnd, "Ёж\n");
    ASSERT_EQ(g_seen.size(), 5u);  // two characters, then Enter as a key
    EXPECT_EQ(g_seen[0].m_nMsg, static_cast<UINT>(WM_CHAR));
    EXPECT_EQ(g_seen[0].m_wParam, 0xA8u);  // Ё in Windows-1251
    EXPECT_EQ(g_seen[1].m_wParam, 0xE6u);  // ж
    EXPECT_EQ(g_seen[2].m_nMsg, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(g_seen[3].m_wParam, static_cast<WPARAM>('\r'));
    // A click: the point and the MK_ flags of the modifiers.
    g_seen.clear();
    support::ClickClient(hWnd, 30, 40, support::kShift);
    ASSERT_EQ(g_seen.size(), 2u);
    EXPECT_TRUE(g_seen[0].m_nMsg == WM_LBUTTONDOWN && g_seen[0].m_wParam == (MK_LBUTTON | MK_SHIFT) &&
                g_seen[0].m_lParam == MAKELPARAM(30, 40) && g_seen[0].m_bShift);
    EXPECT_TRUE(g_seen[1].m_nMsg == WM_LBUTTONUP && g_seen[1].m_wParam == MK_SHIFT);

    DestroyWindow(hWnd);

    // The clipboard's text round-trips, and an emptied clipboard has none.
    ASSERT_TRUE(support::SetClipboardText("Итого: 1 234,50"));
    std::string strText;
    ASSERT_TRUE(support::GetClipboardText(&strText));
    EXPECT_EQ(strText, "Итого: 1 234,50");
    ASSERT_TRUE(support::EmptyClipboardContents());
    EXPECT_FALSE(support::GetClipboardText(&strText));
    EXPECT_EQ(strText, "");
}

}  // namespace

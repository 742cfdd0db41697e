// SetMousePos and GetPressedExtKey on the real pointer and keyboard state.
#include "frame/Frame.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

POINT CursorPos()
{
    POINT pt = {-1, -1};
    GetCursorPos(&pt);
    return pt;
}

class MousePosTest : public ::testing::Test {
protected:
    HWND Create(int x, int y, int cx, int cy)
    {
        m_hWnd = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "SetMousePos", WS_POPUP | WS_VISIBLE | WS_BORDER, x, y, cx,
                                 cy, NULL, NULL, GetModuleHandle(NULL), NULL);
        return m_hWnd;
    }
    void TearDown() override
    {
        if (m_hWnd != NULL)
            DestroyWindow(m_hWnd);
        ClipCursor(NULL);
    }
    HWND m_hWnd = NULL;
};

}  // namespace

TEST_F(MousePosTest, MovesThePointerToTheWindowCentreAndReleasesIt)
{
    // Odd sizes round the half down: 101 + 201 / 2, 53 + 77 / 2.
    ASSERT_NE(Create(101, 53, 201, 77), nullptr);
    ASSERT_TRUE(SetCursorPos(5, 5));
    EXPECT_EQ(SetMousePos(m_hWnd), 1);
    POINT pt = CursorPos();
    EXPECT_EQ(pt.x, 201);
    EXPECT_EQ(pt.y, 91);
    // The pointer is not left confined to the window.
    ASSERT_TRUE(SetCursorPos(7, 9));
    pt = CursorPos();
    EXPECT_EQ(pt.x, 7);
    EXPECT_EQ(pt.y, 9);
}

TEST_F(MousePosTest, RefusesADestroyedWindowAndLeavesThePointer)
{
    ASSERT_NE(Create(100, 100, 120, 90), nullptr);
    HWND hDead = m_hWnd;
    ASSERT_TRUE(DestroyWindow(m_hWnd));
    m_hWnd = NULL;
    ASSERT_TRUE(SetCursorPos(11, 13));
    EXPECT_EQ(SetMousePos(hDead), 0);
    EXPECT_EQ(SetMousePos(NULL), 0);
    POINT pt = CursorPos();
    EXPECT_EQ(pt.x, 11);
    EXPECT_EQ(pt.y, 13);
}

namespace {

// Sets the thread's modifier keys for one test and restores the state after.
class PressedKeyTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(GetKeyboardState(m_saved)); }
    void TearDown() override { SetKeyboardState(m_saved); }

    void Hold(BYTE ctrl, BYTE shift, BYTE alt)
    {
        BYTE state[256];
        std::memcpy(state, m_saved, sizeof(state));
        for (int vk : {VK_LCONTROL, VK_RCONTROL, VK_LSHIFT, VK_RSHIFT, VK_LMENU, VK_RMENU})
            state[vk] = 0;
        state[VK_CONTROL] = ctrl;
        state[VK_SHIFT] = shift;
        state[VK_MENU] = alt;
        ASSERT_TRUE(SetKeyboardState(state));
    }

    BYTE m_saved[256] = {};
};

const BYTE kDown = 0x80;
const BYTE kToggled = 0x01;

}  // namespace

TEST_F(PressedKeyTest, HeldModifiersGiveTheSumOfTheirAcceleratorFlags)
{
    EXPECT_EQ(EXTKEY_CONTROL, FCONTROL);
    EXPECT_EQ(EXTKEY_SHIFT, FSHIFT);
    EXPECT_EQ(EXTKEY_ALT, FALT);
    const struct {
        BYTE ctrl, shift, alt;
        int nResult;
    } aCases[] = {
        {0, 0, 0, 0},
        {kDown, 0, 0, FCONTROL},
        {0, kDown, 0, FSHIFT},
        {0, 0, kDown, FALT},
        {kDown, kDown, 0, 12},
        {kDown, 0, kDown, 24},
        {kDown, kDown, kDown, 28},
        // Toggled but released keys do not count.
        {kToggled, kToggled, kToggled, 0},
        {kDown | kToggled, kToggled, 0, FCONTROL},
    };
    for (const auto& c : aCases) {
        Hold(c.ctrl, c.shift, c.alt);
        EXPECT_EQ(GetPressedExtKey(), c.nResult) << (int)c.ctrl << " " << (int)c.shift << " " << (int)c.alt;
    }
}

// The counter must see what a watched module makes and frees, and only that:
// a leak check that misses leaks, or reports objects of other modules, is worse
// than none.
#include <gtest/gtest.h>

#include <stdexcept>

#include "GuiObjectCounter.h"
#include "LeakProbe.h"

namespace {

using support::CGuiObjectCounter;
using support::GuiKind;

const GuiKind g_aKinds[] = {GuiKind::Brush,  GuiKind::Pen,       GuiKind::Font,     GuiKind::Bitmap,
                            GuiKind::Region, GuiKind::DC,        GuiKind::WindowDC, GuiKind::Icon,
                            GuiKind::Cursor, GuiKind::ImageList, GuiKind::Menu,     GuiKind::Accelerator};

TEST(GuiObjectCounter, SeesEveryKindMadeAndFreed)
{
    CGuiObjectCounter counter({"leakprobe.dll"});
    EXPECT_GT(counter.GetPatchedCount(), 0);
    for (GuiKind kind : g_aKinds) {
        SCOPED_TRACE(support::GuiKindName(kind));
        HANDLE h = ProbeMake(static_cast<int>(kind));
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(counter.GetBalance()[kind], 1);
        EXPECT_EQ(counter.GetBalance().Total(), 1);
        EXPECT_TRUE(ProbeFree(static_cast<int>(kind), h));
        EXPECT_EQ(counter.GetBalance()[kind], 0);
    }
    EXPECT_EQ(counter.GetCreatedCount(), static_cast<int>(sizeof(g_aKinds) / sizeof(g_aKinds[0])));
    EXPECT_NO_GUI_LEAKS(counter);
}

TEST(GuiObjectCounter, ReportsDeliberateLeaksByKind)
{
    HANDLE hBrush = nullptr, hMenu = nullptr, hMenu2 = nullptr;
    {
        CGuiObjectCounter counter({"leakprobe.dll"});
        hBrush = ProbeMake(static_cast<int>(GuiKind::Brush));
        hMenu = ProbeMake(static_cast<int>(GuiKind::Menu));
        hMenu2 = ProbeMake(static_cast<int>(GuiKind::Menu));
        const support::CGuiBalance balance = counter.GetBalance();
        EXPECT_EQ(balance[GuiKind::Brush], 1);
        EXPECT_EQ(balance[GuiKind::Menu], 2);
        EXPECT_EQ(balance.Total(), 3);
        EXPECT_EQ(balance.ToString(), "Brush 1, Menu 2");
        const ::testing::AssertionResult result = support::NoGuiObjectsLive(counter);
        EXPECT_FALSE(result);
        EXPECT_NE(std::string(result.message()).find("Menu"), std::string::npos);
        counter.Reset();
        EXPECT_NO_GUI_LEAKS(counter);
    }
    DeleteObject(hBrush);
    DestroyMenu(static_cast<HMENU>(hMenu));
    DestroyMenu(static_cast<HMENU>(hMenu2));
}

TEST(GuiObjectCounter, IgnoresObjectsOfUnwatchedModules)
{
    CGuiObjectCounter counter({"leakprobe.dll"});
    // Made by the test program, which is not watched.
    HBRUSH hBrush = CreateSolidBrush(RGB(9, 9, 9));
    HMENU hMenu = CreatePopupMenu();
    EXPECT_EQ(counter.GetBalance().Total(), 0);
    // Freed by the watched module: not one of its own, so nothing changes.
    EXPECT_TRUE(ProbeFree(static_cast<int>(GuiKind::Brush), hBrush));
    EXPECT_TRUE(ProbeFree(static_cast<int>(GuiKind::Menu), hMenu));
    EXPECT_EQ(counter.GetBalance().Total(), 0);
    EXPECT_EQ(counter.GetCreatedCount(), 0);
}

TEST(GuiObjectCounter, SharedObjectsAndBalancedUseLeaveNothing)
{
    CGuiObjectCounter counter({"leakprobe.dll"});
    EXPECT_EQ(ProbeUseShared(), 3);
    EXPECT_EQ(counter.GetCreatedCount(), 2);  // the DC and the bitmap
    EXPECT_NO_GUI_LEAKS(counter);
}

TEST(GuiObjectCounter, DestroyingAMenuFreesItsPopups)
{
    CGuiObjectCounter counter({"leakprobe.dll"});
    HMENU hMenu = ProbeMenuWithPopup();
    EXPECT_EQ(counter.GetBalance()[GuiKind::Menu], 2);
    EXPECT_TRUE(ProbeFree(static_cast<int>(GuiKind::Menu), hMenu));
    EXPECT_NO_GUI_LEAKS(counter);
}

TEST(GuiObjectCounter, CopyDeletingOriginalLeavesOnlyTheCopy)
{
    CGuiObjectCounter counter({"leakprobe.dll"});
    HANDLE hCopy = ProbeCopyDeletingOriginal();
    ASSERT_NE(hCopy, nullptr);
    EXPECT_EQ(counter.GetBalance()[GuiKind::Bitmap], 1);
    EXPECT_EQ(counter.GetLiveObjects().at(0).first, hCopy);
    EXPECT_TRUE(ProbeFree(static_cast<int>(GuiKind::Bitmap), hCopy));
    EXPECT_NO_GUI_LEAKS(counter);
}

TEST(GuiObjectCounter, StopsCountingWhenGoneAndAllowsOneAtATime)
{
    HANDLE hBrush = nullptr;
    {
        CGuiObjectCounter counter({GetModuleHandleA("leakprobe.dll")});
        EXPECT_THROW(CGuiObjectCounter({"leakprobe.dll"}), std::logic_error);
    }
    // The imports are back: a fresh counter starts from nothing and the
    // module works without one.
    hBrush = ProbeMake(static_cast<int>(GuiKind::Brush));
    ASSERT_NE(hBrush, nullptr);
    CGuiObjectCounter counter({"leakprobe.dll"});
    EXPECT_EQ(counter.GetBalance().Total(), 0);
    EXPECT_TRUE(ProbeFree(static_cast<int>(GuiKind::Brush), hBrush));
    EXPECT_EQ(counter.GetBalance().Total(), 0);
}

TEST(GuiObjectCounter, RefusesModulesNotLoaded)
{
    EXPECT_THROW(CGuiObjectCounter({"no-such-module.dll"}), std::runtime_error);
    // The failed attempt left no counter active.
    CGuiObjectCounter counter({"leakprobe.dll"});
    EXPECT_GT(counter.GetPatchedCount(), 0);
}

}  // namespace

// The counter must see what a watched module makes and frees, and only that:
// a leak check that misses leaks, or reports objects of other modules, is worse
// than none. The watched module here is the test program itself.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <stdexcept>
#include <string>

#include "GuiObjectCounter.h"

namespace {

using support::CGuiObjectCounter;
using support::GuiKind;

// What the counter watches. Its own function: within one function the
// compiler may keep an imported function's address from before the counter
// redirected it. *phLeaked is a brush deliberately left alive.
__attribute__((noinline)) void MakeAndFreeWhileWatched(CGuiObjectCounter& counter, HBRUSH* phLeaked)
{
    // One object of every kind, each counted while it lives.
    LOGFONTA lf = {};
    lf.lfHeight = -12;
    ACCEL accel = {FVIRTKEY | FCONTROL, 'S', 100};
    const struct {
        GuiKind kind;
        HANDLE h;
    } made[] = {
        {GuiKind::Brush, CreateSolidBrush(RGB(1, 2, 3))},
        {GuiKind::Pen, CreatePen(PS_SOLID, 1, RGB(1, 2, 3))},
        {GuiKind::Font, CreateFontIndirectA(&lf)},
        {GuiKind::Bitmap, CreateBitmap(4, 4, 1, 1, nullptr)},
        {GuiKind::Region, CreateRectRgn(0, 0, 10, 10)},
        {GuiKind::DC, CreateCompatibleDC(nullptr)},
        {GuiKind::WindowDC, GetDC(nullptr)},
        {GuiKind::Icon, CopyIcon(LoadIconA(nullptr, IDI_APPLICATION))},
        {GuiKind::Cursor, CopyImage(LoadCursorA(nullptr, IDC_ARROW), IMAGE_CURSOR, 0, 0, 0)},
        {GuiKind::ImageList, ImageList_Create(16, 16, ILC_COLOR24, 1, 1)},
        {GuiKind::Menu, CreatePopupMenu()},
        {GuiKind::Accelerator, CreateAcceleratorTableA(&accel, 1)},
    };
    const support::CGuiBalance balance = counter.GetBalance();
    for (const auto& object : made) {
        ASSERT_NE(object.h, nullptr) << support::GuiKindName(object.kind);
        EXPECT_EQ(balance[object.kind], 1) << support::GuiKindName(object.kind);
    }
    EXPECT_EQ(balance.Total(), 12);
    EXPECT_EQ(counter.GetCreatedCount(), 12);
    // Left alive they are reported, by kind.
    const ::testing::AssertionResult result = support::NoGuiObjectsLive(counter);
    EXPECT_FALSE(result);
    EXPECT_NE(std::string(result.message()).find("Accelerator 1"), std::string::npos) << result.message();
    EXPECT_TRUE(DeleteObject(made[0].h) && DeleteObject(made[1].h) && DeleteObject(made[2].h) &&
                DeleteObject(made[3].h) && DeleteObject(made[4].h) && DeleteDC(static_cast<HDC>(made[5].h)) &&
                ReleaseDC(nullptr, static_cast<HDC>(made[6].h)) == 1 && DestroyIcon(static_cast<HICON>(made[7].h)) &&
                DestroyCursor(static_cast<HCURSOR>(made[8].h)) &&
                ImageList_Destroy(static_cast<HIMAGELIST>(made[9].h)));
    EXPECT_EQ(counter.GetBalance().ToString(), "Menu 1, Accelerator 1");
    EXPECT_TRUE(DestroyMenu(static_cast<HMENU>(made[10].h)) &&
                DestroyAcceleratorTable(static_cast<HACCEL>(made[11].h)));
    EXPECT_NO_GUI_LEAKS(counter);

    // Shared objects nobody frees are not counted; a DC and a bitmap used
    // and freed leave nothing.
    EXPECT_TRUE(LoadIconA(nullptr, IDI_APPLICATION) && LoadCursorA(nullptr, IDC_ARROW) &&
                LoadImageA(nullptr, IDI_APPLICATION, IMAGE_ICON, 0, 0, LR_SHARED));
    HDC hdc = CreateCompatibleDC(nullptr);
    HBITMAP hbm = CreateCompatibleBitmap(hdc, 8, 8);
    HGDIOBJ hOld = SelectObject(hdc, hbm);
    PatBlt(hdc, 0, 0, 8, 8, WHITENESS);
    SelectObject(hdc, hOld);
    DeleteObject(hbm);
    DeleteDC(hdc);
    EXPECT_EQ(counter.GetCreatedCount(), 14);
    EXPECT_NO_GUI_LEAKS(counter);
    // An object the watched module did not make (here through GetProcAddress,
    // as another module would) changes nothing when it frees it.
    auto pfnCreateSolidBrush = reinterpret_cast<decltype(&CreateSolidBrush)>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("gdi32.dll"), "CreateSolidBrush")));
    HBRUSH hUnseen = pfnCreateSolidBrush(RGB(4, 5, 6));
    EXPECT_TRUE(DeleteObject(hUnseen));
    EXPECT_EQ(counter.GetCreatedCount(), 14);
    EXPECT_NO_GUI_LEAKS(counter);
    // A deliberate, checked leak is forgotten on request.
    *phLeaked = CreateSolidBrush(RGB(7, 8, 9));
    counter.Reset();
    EXPECT_NO_GUI_LEAKS(counter);
}

TEST(GuiObjectCounter, SeesWhatTheWatchedModuleMakesAndFreesAndNothingElse)
{
    EXPECT_THROW(CGuiObjectCounter({"no-such-module.dll"}), std::runtime_error);
    const std::vector<HMODULE> self = {GetModuleHandleA(NULL)};
    HBRUSH hLeaked = NULL;
    {
        CGuiObjectCounter counter(self);
        EXPECT_GT(counter.GetPatchedCount(), 0);
        EXPECT_THROW(CGuiObjectCounter{self}, std::logic_error);  // one at a time
        MakeAndFreeWhileWatched(counter, &hLeaked);
    }
    // Gone, it lets another start, from nothing: what was made before that
    // one started changes nothing when freed.
    HBRUSH hBefore = CreateSolidBrush(RGB(1, 1, 1));
    CGuiObjectCounter counter(self);
    EXPECT_EQ(counter.GetCreatedCount(), 0);
    EXPECT_TRUE(DeleteObject(hBefore) && DeleteObject(hLeaked));
    EXPECT_EQ(counter.GetBalance().Total(), 0);
}

}  // namespace

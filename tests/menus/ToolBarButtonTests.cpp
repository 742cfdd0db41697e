// The true-colour toolbar in both modes, the icon button and the colour
// menu on real windows: what they show, what they post, the colours and
// sizes, and a hundred rounds of each without a leak.
#include "frame/Frame.h"
#include "menus/ButtonIco.h"
#include "menus/ColorMenu.h"
#include "menus/ToolBarTrueColor.h"

#include "GuiObjectCounter.h"
#include "Input.h"
#include "MenusTestUtil.h"
#include "Wait.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class MenusWindowTest : public ::testing::Test {
protected:
    void SetUp() override { menus_test::CreateHost(m_host); }
    void TearDown() override { CWnd::DeleteTempMap(); }

    static CSize ListImageSize(CImageList* pList)
    {
        int cx = 0, cy = 0;
        ImageList_GetIconSize(pList->GetSafeHandle(), &cx, &cy);
        return CSize(cx, cy);
    }

    CWnd m_host;
};

// Whether the window, painted now, shows that colour inside the rectangle.
bool PaintedColourSeen(CWnd& wnd, const CRect& rc, COLORREF cr)
{
    ::RedrawWindow(wnd.GetSafeHwnd(), NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    CClientDC dc(&wnd);
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            if (dc.GetPixel(x, y) == cr)
                return true;
        }
    }
    return false;
}

}  // namespace

TEST_F(MenusWindowTest, SingleBitmapModeTurnsTheMaskIntoTheButtonFace)
{
    struct CSeenToolBar : CToolBarTrueColor {
        using CToolBarTrueColor::m_bmpToolBar;
    } toolbar;
    ASSERT_TRUE(toolbar.Create(&m_host));
    ASSERT_TRUE(toolbar.LoadToolBar(IDR_TEST_TOOLBAR, IDR_TEST_TOOLBAR, 0, 0, RGB(255, 0, 255)));
    EXPECT_FALSE(toolbar.IsImageListsMode());
    EXPECT_EQ(toolbar.GetCount(), 10);
    EXPECT_EQ(toolbar.GetButtonStyle(2) & TBBS_SEPARATOR, static_cast<UINT>(TBBS_SEPARATOR));
    EXPECT_EQ(toolbar.GetItemID(3), 103u);
    const CSize sizeButton = toolbar.GetToolBarCtrl().GetButtonSize();
    EXPECT_EQ(sizeButton, CSize(16 + 7, 16 + 7));
    // The composed bitmap has the face colour where the pictures had magenta
    // (their top-left corners), and the painted buttons show no magenta.
    BITMAP bm = {};
    toolbar.m_bmpToolBar.GetBitmap(&bm);
    EXPECT_EQ(CSize(bm.bmWidth, bm.bmHeight), CSize(128, 16));
    {
        CDC dc;
        dc.CreateCompatibleDC(NULL);
        CBitmap* pOld = dc.SelectObject(&toolbar.m_bmpToolBar);
        EXPECT_EQ(dc.GetPixel(0, 0), GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(dc.GetPixel(16, 0), GetSysColor(COLOR_BTNFACE));
        dc.SelectObject(pOld);
    }
    CRect rcButton;
    toolbar.GetItemRect(0, &rcButton);
    EXPECT_FALSE(PaintedColourSeen(toolbar, rcButton, RGB(255, 0, 255)));
    // AddBitmap goes to the control: the standard strip's nine pictures follow.
    EXPECT_EQ(toolbar.AddBitmap(9, IDB_TEST_STANDARD, 0, 0), 8);
    EXPECT_EQ(toolbar.AddBitmap(1, static_cast<CBitmap*>(NULL)), 0);
}

TEST_F(MenusWindowTest, ImageListsModeBuildsThreeListsCutPerButton)
{
    CToolBarTrueColor toolbar;
    ASSERT_TRUE(toolbar.Create(&m_host));
    ASSERT_TRUE(toolbar.LoadToolBar(IDR_TEST_TOOLBAR, IDR_TEST_TOOLBAR, IDB_TEST_DISABLED, 0, RGB(255, 0, 255)));
    EXPECT_TRUE(toolbar.IsImageListsMode());
    CToolBarCtrl& ctrl = toolbar.GetToolBarCtrl();
    // 8 buttons that are not separators and a 128 x 16 bitmap: 16 x 16 images.
    for (CImageList* pList : {ctrl.GetImageList(), ctrl.GetDisabledImageList(), ctrl.GetHotImageList()}) {
        ASSERT_NE(pList, nullptr);
        EXPECT_EQ(pList->GetImageCount(), 8);
        EXPECT_EQ(ListImageSize(pList), CSize(16, 16));
    }
    // The hot list came from the normal bitmap: the same pictures.
    HICON hNormal = ctrl.GetImageList()->ExtractIcon(1), hHot = ctrl.GetHotImageList()->ExtractIcon(1);
    HICON hDisabled = ctrl.GetDisabledImageList()->ExtractIcon(1);
    ICONINFO aInfo[3] = {};
    std::string astrBits[3];
    int i = 0;
    for (HICON hIcon : {hNormal, hHot, hDisabled}) {
        GetIconInfo(hIcon, &aInfo[i]);
        astrBits[i].resize(16 * 16 * 4);
        GetBitmapBits(aInfo[i].hbmColor, static_cast<LONG>(astrBits[i].size()), &astrBits[i][0]);
        DeleteObject(aInfo[i].hbmColor);
        DeleteObject(aInfo[i].hbmMask);
        DestroyIcon(hIcon);
        ++i;
    }
    EXPECT_EQ(astrBits[0], astrBits[1]);
    EXPECT_NE(astrBits[0], astrBits[2]);
    // A zero disabled and hot bitmap stand for the normal one.
    EXPECT_EQ(toolbar.AddBitmap(8, IDR_TEST_TOOLBAR, 0, 0), 8);
    EXPECT_EQ(ctrl.GetDisabledImageList()->GetImageCount(), 16);
    CBitmap picture;
    picture.LoadBitmap(IDB_TEST_COMMANDS);
    EXPECT_EQ(toolbar.AddBitmap(1, &picture), 16);
    EXPECT_EQ(ctrl.GetHotImageList()->GetImageCount(), 16 + 24);
    // A bitmap that is not there adds nothing.
    EXPECT_EQ(toolbar.AddBitmap(1, 9999, 0, 0), 0);
    EXPECT_EQ(ctrl.GetImageList()->GetImageCount(), 16 + 24);
}

TEST_F(MenusWindowTest, ToolbarsThatCannotLoadSayNo)
{
    CToolBarTrueColor toolbar;
    ASSERT_TRUE(toolbar.Create(&m_host));
    EXPECT_FALSE(toolbar.LoadToolBar(9999, IDR_TEST_TOOLBAR));
    EXPECT_FALSE(toolbar.LoadToolBar(IDR_TEST_TOOLBAR, 9999));
    EXPECT_FALSE(toolbar.LoadToolBar(IDR_TEST_TOOLBAR, 0));
    // Only separators: no width to cut the bitmaps at.
    EXPECT_FALSE(toolbar.LoadToolBar(IDR_TEST_SEPARATORS, IDR_TEST_SEPARATORS, IDB_TEST_DISABLED));
    EXPECT_TRUE(toolbar.IsImageListsMode());
}

TEST_F(MenusWindowTest, AHundredToolbarsLeaveNothingBehind)
{
    support::CGuiObjectCounter counter(std::vector<std::string>{"extkit.dll", "framework.dll"});
    for (int i = 0; i < 100; ++i) {
        CToolBarTrueColor toolbar;
        ASSERT_TRUE(toolbar.Create(&m_host));
        ASSERT_TRUE(i % 2 ? toolbar.LoadToolBar(IDR_TEST_TOOLBAR, IDR_TEST_TOOLBAR)
                          : toolbar.LoadToolBar(IDR_TEST_TOOLBAR, IDR_TEST_TOOLBAR, IDB_TEST_DISABLED, IDB_TEST_HOT));
        toolbar.AddBitmap(8, IDR_TEST_TOOLBAR, IDB_TEST_DISABLED, 0);
        toolbar.UpdateWindow();
        CWnd::DeleteTempMap();
    }
    EXPECT_NO_GUI_LEAKS(counter);
}

TEST_F(MenusWindowTest, TheIconButtonHidesWhileDisabledAndPostsItsClicks)
{
    CWnd notify;
    menus_test::CreateHost(notify, 300, 300);
    CButtonIco button(notify.GetSafeHwnd());
    ASSERT_TRUE(button.CreateIco(BS_DEFPUSHBUTTON, 0, CRect(10, 10, 50, 50), &m_host, 77));
    EXPECT_EQ(button.GetStyle() & 0x50000340, 0x50000340u);
    EXPECT_TRUE(button.SetIconMemo());
    EXPECT_NE(button.SendMessage(BM_GETIMAGE, IMAGE_ICON), 0);
    button.EnableWindow(FALSE);
    EXPECT_FALSE(button.IsWindowVisible());
    button.EnableWindow(TRUE);
    EXPECT_TRUE(button.IsWindowVisible());

    support::ClickClient(button.GetSafeHwnd(), 20, 20);
    MSG msg = {};
    EXPECT_TRUE(support::PollFor(2000, [&] {
        return PeekMessageA(&msg, notify.GetSafeHwnd(), WM_BUTTONICO_CLICKED, WM_BUTTONICO_CLICKED, PM_REMOVE) != 0;
    }));
    EXPECT_EQ(msg.wParam, 1u);
    EXPECT_EQ(msg.lParam, reinterpret_cast<LPARAM>(notify.GetSafeHwnd()));
    EXPECT_EQ(button.GetButtonStyle() & BS_DEFPUSHBUTTON, 0u);

    // Without a notify window of its own it tells its parent; a notify
    // window that has gone hears nothing.
    CButtonIco orphan;
    ASSERT_TRUE(orphan.CreateIco(0, 0, CRect(60, 10, 100, 50), &m_host, 78));
    support::ClickClient(orphan.GetSafeHwnd(), 20, 20);
    EXPECT_TRUE(support::PollFor(2000, [&] {
        return PeekMessageA(&msg, m_host.GetSafeHwnd(), WM_BUTTONICO_CLICKED, WM_BUTTONICO_CLICKED, PM_REMOVE) != 0;
    }));
    notify.DestroyWindow();
    support::ClickClient(button.GetSafeHwnd(), 20, 20);
    EXPECT_FALSE(PeekMessageA(&msg, NULL, WM_BUTTONICO_CLICKED, WM_BUTTONICO_CLICKED, PM_REMOVE));
}

TEST_F(MenusWindowTest, AHundredIconButtonsLeaveNothingBehind)
{
    support::CGuiObjectCounter counter(std::vector<std::string>{"extkit.dll", "framework.dll"});
    for (int i = 0; i < 100; ++i) {
        CButtonIco button;
        ASSERT_TRUE(button.CreateIco(0, 0, CRect(10, 10, 42, 42), &m_host, 77));
        // A missing icon shows a copy of the system's exclamation icon, which
        // the button frees.
        CSize size(24, 24);
        ASSERT_TRUE(button.SetIconID(9999, NULL, &size));
        ASSERT_TRUE(button.SetIconID(9998));
        ASSERT_TRUE(button.SetIconMemo());
        button.EnableWindow(FALSE);
        button.EnableWindow(TRUE);
        button.UpdateWindow();
    }
    EXPECT_NO_GUI_LEAKS(counter);
}

TEST_F(MenusWindowTest, ColourMenuItemsAndColours)
{
    EXPECT_EQ(CColorMenu::GetColor(23239), RGB(255, 0, 0));
    EXPECT_EQ(CColorMenu::GetColor(23237), RGB(128, 128, 128));
    EXPECT_EQ(CColorMenu::GetColor(23238), RGB(192, 192, 192));
    EXPECT_EQ(CColorMenu::GetColor(ID_COLOR_AUTOMATIC), RGB(0, 0, 0));
    EXPECT_EQ(CColorMenu::GetColor(100), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(CColorMenu::GetColor(23247), GetSysColor(COLOR_WINDOWTEXT));

    CColorMenu menu;
    ASSERT_EQ(menu.GetMenuItemCount(), 17);
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_DATA;
    ASSERT_TRUE(menu.GetMenuItemInfo(16, &info, TRUE));
    EXPECT_EQ(info.wID, static_cast<UINT>(ID_COLOR_AUTOMATIC));
    EXPECT_EQ(info.dwItemData, static_cast<ULONG_PTR>(ID_COLOR_AUTOMATIC));
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);

    // The name's width plus 50, its height.
    CDisplayIC dc;
    for (UINT nID : {23230u, 23231u, 23243u}) {
        MEASUREITEMSTRUCT mis = {ODT_MENU, 0, nID, 0, 0, nID};
        menu.MeasureItem(&mis);
        CString strName;
        {
            CSetResourceHandle resource(GetExtkitInstance());
            strName.LoadString(nID);
        }
        SIZE size = {};
        GetTextExtentPoint32A(dc.GetSafeHdc(), strName, strName.GetLength(), &size);
        EXPECT_EQ(mis.itemWidth, static_cast<UINT>(size.cx + 50)) << static_cast<LPCSTR>(strName);
        EXPECT_EQ(mis.itemHeight, static_cast<UINT>(size.cy));
        EXPECT_GT(size.cx, 20);
    }
}

TEST_F(MenusWindowTest, AHundredColourMenusMeasuredAndDrawnLeaveNothingBehind)
{
    support::CGuiObjectCounter counter(std::vector<std::string>{"extkit.dll", "framework.dll"});
    for (int i = 0; i < 100; ++i) {
        CColorMenu menu;
        CClientDC dcScreen(NULL);
        CDC dc;
        dc.CreateCompatibleDC(&dcScreen);
        CBitmap canvas;
        canvas.CreateCompatibleBitmap(&dcScreen, 200, 20);
        CBitmap* pOld = dc.SelectObject(&canvas);
        for (UINT nID = ID_COLOR_BLACK; nID <= ID_COLOR_AUTOMATIC; ++nID) {
            MEASUREITEMSTRUCT mis = {ODT_MENU, 0, nID, 0, 0, nID};
            menu.MeasureItem(&mis);
            DRAWITEMSTRUCT dis = {ODT_MENU, 0, nID, ODA_DRAWENTIRE, nID == 23239 ? UINT(ODS_SELECTED) : 0u,
                                  reinterpret_cast<HWND>(menu.GetSafeHmenu()), dc.GetSafeHdc(),
                                  CRect(0, 0, static_cast<int>(mis.itemWidth), static_cast<int>(mis.itemHeight)), nID};
            menu.DrawItem(&dis);
            if (i == 0 && nID == 23239) {
                EXPECT_EQ(dc.GetPixel(25, 5), RGB(255, 0, 0));  // the swatch keeps its colour
                EXPECT_EQ(dc.GetPixel(48, 1), GetSysColor(COLOR_HIGHLIGHT));
            }
        }
        dc.SelectObject(pOld);
        CWnd::DeleteTempMap();
    }
    EXPECT_NO_GUI_LEAKS(counter);
}

TEST_F(MenusWindowTest, ADroppedColourMenuPaintsItsSwatchesAndReturnsTheChoice)
{
    CColorMenu menu;
    struct CSeen {
        HMENU hMenu;
        HWND hHost;
        CRect rcRed, rcBlack;
        COLORREF crSwatch = CLR_INVALID, crSelected = CLR_INVALID, crFace = CLR_INVALID;
        int nTicks = 0;
    } seen{menu.GetSafeHmenu(), m_host.GetSafeHwnd()};
    static CSeen* s_pSeen;
    s_pSeen = &seen;
    // Inside the menu's own loop, as keys arrive: down to red, the items
    // read while red is selected, then Enter.
    const UINT_PTR nTimer = SetTimer(NULL, 0, 50, [](HWND, UINT, UINT_PTR nID, DWORD) {
        CSeen& s = *s_pSeen;
        HWND hPopup = FindWindowA("#32768", NULL);
        if (hPopup == NULL)
            return;
        ++s.nTicks;
        if (s.nTicks == 2) {
            for (int i = 0; i < 10; ++i) {
                PostMessageA(hPopup, WM_KEYDOWN, VK_DOWN, support::KeyLParam(VK_DOWN, false, false));
                PostMessageA(hPopup, WM_KEYUP, VK_DOWN, support::KeyLParam(VK_DOWN, true, false));
            }
        } else if (s.nTicks == 6) {
            KillTimer(NULL, nID);
            GetMenuItemRect(NULL, s.hMenu, 9, &s.rcRed);
            GetMenuItemRect(NULL, s.hMenu, 0, &s.rcBlack);
            HDC hdc = GetDC(NULL);
            s.crSwatch = GetPixel(hdc, s.rcRed.left + 25, (s.rcRed.top + s.rcRed.bottom) / 2);
            s.crSelected = GetPixel(hdc, s.rcRed.right - 3, s.rcRed.top + 1);
            s.crFace = GetPixel(hdc, s.rcBlack.right - 3, s.rcBlack.top + 1);
            ReleaseDC(NULL, hdc);
            PostMessageA(hPopup, WM_KEYDOWN, VK_RETURN, support::KeyLParam(VK_RETURN, false, false));
        }
    });
    const UINT nChosen = menu.TrackPopupMenu(TPM_RETURNCMD | TPM_LEFTALIGN, 150, 150, &m_host);
    KillTimer(NULL, nTimer);
    EXPECT_EQ(nChosen, 23239u);
    EXPECT_EQ(CColorMenu::GetColor(nChosen), RGB(255, 0, 0));
    // Measured by the menu itself: the widest name decides the width.
    EXPECT_GT(seen.rcRed.Width(), 50);
    EXPECT_EQ(seen.rcRed.Height(), seen.rcBlack.Height());
    EXPECT_EQ(seen.crSwatch, RGB(255, 0, 0));
    EXPECT_EQ(seen.crSelected, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_NE(seen.crFace, GetSysColor(COLOR_HIGHLIGHT));
}

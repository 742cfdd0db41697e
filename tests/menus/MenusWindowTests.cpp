// The menus and toolbars on real windows, as a user meets them: the
// menu-customisation dialog (the tree it shows, ticks made with the mouse, OK,
// Cancel, resizing) and the toolbar built from the choice; the menu functions
// (command updates, finding a command's menu, deep copies); the true-colour
// toolbar in both modes, the icon button and the colour menu; and a hundred
// rounds of all of them without a leak.
#include "frame/Frame.h"
#include "menus/ButtonIco.h"
#include "menus/ColorMenu.h"
#include "menus/CustomizeMenuTreeDlg.h"
#include "menus/MenusRes.h"
#include "menus/ToolBarTrueColor.h"

#include "GuiObjectCounter.h"
#include "Input.h"
#include "MenusTestRes.h"
#include "ModalDriver.h"
#include "Wait.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

// Every item of that command, at any depth, gets the picture as its check marks.
void SetPicture(HMENU hMenu, UINT nID, HBITMAP hPicture)
{
    for (int i = 0; i < GetMenuItemCount(hMenu); ++i) {
        if (HMENU hSub = GetSubMenu(hMenu, i))
            SetPicture(hSub, nID, hPicture);
        else if (GetMenuItemID(hMenu, i) == nID)
            SetMenuItemBitmaps(hMenu, i, MF_BYPOSITION, hPicture, hPicture);
    }
}

void CreateHost(CWnd& wnd, int x = 100, int y = 100)
{
    wnd.CreateEx(0, NULL, "Хост", WS_POPUP | WS_VISIBLE | WS_CAPTION, x, y, 600, 400, NULL, NULL);
}

std::string ItemText(HWND hTree, HTREEITEM hItem, int* pnImage = nullptr)
{
    char szText[256] = "";
    TVITEMA item = {};
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = hItem;
    item.pszText = szText;
    item.cchTextMax = sizeof(szText);
    SendMessageA(hTree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    if (pnImage != nullptr)
        *pnImage = item.iImage == item.iSelectedImage ? item.iImage : -1;
    return szText;
}

// The tree as text: each item, "+" ticked, "-" unticked, nothing without a
// check box, its children in brackets; the items by their texts.
std::string TreeText(HWND hTree, HTREEITEM hItem, std::multimap<std::string, HTREEITEM>& items)
{
    std::string str;
    for (; hItem != NULL; hItem = TreeView_GetNextSibling(hTree, hItem)) {
        const UINT nCheck = (TreeView_GetItemState(hTree, hItem, TVIS_STATEIMAGEMASK) >> 12);
        items.emplace(ItemText(hTree, hItem), hItem);
        str += (str.empty() ? "" : " ") + ItemText(hTree, hItem) + (nCheck == 2 ? "+" : nCheck == 1 ? "-" : "");
        if (HTREEITEM hChild = TreeView_GetChild(hTree, hItem))
            str += "[" + TreeText(hTree, hChild, items) + "]";
    }
    return str;
}

// Clicks the check box of the item, where the tree's hit test finds it.
bool ClickCheckBox(HWND hTree, HTREEITEM hItem)
{
    RECT rc = {};
    std::memcpy(&rc, &hItem, sizeof(hItem));
    SendMessageA(hTree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rc));
    TVHITTESTINFO info = {};
    for (info.pt = {0, (rc.top + rc.bottom) / 2}; info.pt.x < rc.left; ++info.pt.x) {
        if (TreeView_HitTest(hTree, &info) == hItem && (info.flags & TVHT_ONITEMSTATEICON)) {
            support::ClickClient(hTree, info.pt.x, info.pt.y);
            return true;
        }
    }
    return false;
}

Strings Texts(const CStringArray& arr)
{
    Strings strings;
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
        strings.push_back(static_cast<LPCSTR>(arr[i]));
    return strings;
}

std::vector<UINT> ButtonCommands(CToolBarTrueColor& toolbar)
{
    std::vector<UINT> commands;
    for (int i = 0; i < toolbar.GetCount(); ++i)
        commands.push_back(toolbar.GetItemID(i));
    return commands;
}

class MenusTest : public ::testing::Test {
protected:
    // The test menu, the commands 201, 202, 211, 221 and 222 with a picture.
    void SetUp() override
    {
        CreateHost(m_host);
        m_menu.LoadMenu(IDR_TEST_MENU);
        m_picture.CreateBitmap(16, 16, 1, 32, NULL);
        for (UINT nID : {ID_TEST_NEW, ID_TEST_OPEN, ID_TEST_INVOICE, ID_TEST_PAYMENT, ID_TEST_RECEIPT})
            SetPicture(m_menu.GetSafeHmenu(), nID, static_cast<HBITMAP>(m_picture.GetSafeHandle()));
    }
    void TearDown() override { CWnd::DeleteTempMap(); }

    // Runs the dialog on the test menu; fnAct acts on it (from a helper
    // thread, as a user would) and must close it.
    INT_PTR Customize(CStringArray& items, int nStart, const std::function<void(HWND hDlg, HWND hTree)>& fnAct)
    {
        CCustomizeMenuTreeDlg dlg(&m_host, m_menu, items, nStart);
        support::CModalDriver driver([&](HWND hDlg) { fnAct(hDlg, GetDlgItem(hDlg, IDC_CUSTOMIZE_TREE)); });
        const INT_PTR nResult = dlg.DoModal();
        EXPECT_TRUE(driver.Finish()) << "the dialog did not open, or stayed open";
        return nResult;
    }

    CWnd m_host;
    CMenu m_menu;
    CBitmap m_picture;
};

}  // namespace

TEST_F(MenusTest, TheUserTicksCommandsTheToolbarGetsThemAndLaterTheUserWidensTheDialogAndCancels)
{
    CStringArray items;
    items.Add("Платёжное поручение");
    std::string strCaption, strTree;
    int nImage = -1;
    EXPECT_EQ(IDOK, Customize(items, 0, [&](HWND hDlg, HWND hTree) {
                  strCaption = support::GetWindowString(hDlg);
                  std::multimap<std::string, HTREEITEM> found;
                  strTree = TreeText(hTree, TreeView_GetRoot(hTree), found);
                  ItemText(hTree, found.find("Счёт на оплату")->second, &nImage);
                  EXPECT_TRUE(ClickCheckBox(hTree, found.find("Открыть...")->second));
                  EXPECT_TRUE(ClickCheckBox(hTree, found.find("Приходный ордер")->second));
                  support::PressDialogButton(hDlg, IDOK);
              }));
    EXPECT_EQ(strCaption, "Настройка меню");
    // No separators, no commands without pictures, no submenus left empty;
    // texts without their shortcuts and first ampersands; a command in two
    // submenus ticked in both, and listed twice; the list in tree order.
    EXPECT_EQ(strTree, "Файл[Создать- Открыть...-] Документы[Счёт на оплату- Платёжные[Платёжное поручение+ "
                       "Приходный ордер-]] Справочники[Платёжное поручение+]");
    EXPECT_GT(nImage, 0);  // image 0 is the submenus'
    EXPECT_EQ(Texts(items), (Strings{"Открыть...", "Платёжное поручение", "Приходный ордер", "Платёжное поручение"}));

    // The toolbar gets the chosen commands in menu order, appended when asked,
    // all from the start position on without a list.
    CToolBarTrueColor toolbar;
    ASSERT_TRUE(toolbar.Create(&m_host));
    CCustomizeMenuTreeDlg::BuildToolbar(m_menu, &items, toolbar, 0, false);
    EXPECT_EQ(ButtonCommands(toolbar), (std::vector<UINT>{202, 221, 222, 221}));
    items.RemoveAll();
    items.Add("Создать");
    CCustomizeMenuTreeDlg::BuildToolbar(m_menu, &items, toolbar, 0, true);
    EXPECT_EQ(ButtonCommands(toolbar), (std::vector<UINT>{202, 221, 222, 221, 201}));
    CCustomizeMenuTreeDlg::BuildToolbar(m_menu, NULL, toolbar, 1, false);
    EXPECT_EQ(ButtonCommands(toolbar), (std::vector<UINT>{211, 221, 222, 221}));
    // In image-lists mode the pictures join the lists.
    CToolBarTrueColor lists;
    ASSERT_TRUE(lists.Create(&m_host));
    ASSERT_TRUE(lists.LoadToolBar(IDR_TEST_TOOLBAR, IDR_TEST_TOOLBAR, IDB_TEST_DISABLED, 0, RGB(192, 192, 192)));
    CCustomizeMenuTreeDlg::BuildToolbar(m_menu, NULL, lists, 0, false);
    EXPECT_EQ(lists.GetToolBarCtrl().GetHotImageList()->GetImageCount(), 8 + 6);
    TBBUTTON button = {};
    lists.GetToolBarCtrl().GetButton(5, &button);
    EXPECT_EQ(button.iBitmap, 13);

    // Opened again from the second menu on: the tree follows, the buttons keep
    // to the corner of the widened dialog, the tree stretches, and Cancel keeps the list.
    CRect rcOk0, rcOk1, rcTree0, rcTree1;
    items.RemoveAll();
    EXPECT_EQ(IDCANCEL, Customize(items, 1, [&](HWND hDlg, HWND hTree) {
                  std::multimap<std::string, HTREEITEM> found;
                  strTree = TreeText(hTree, TreeView_GetRoot(hTree), found);
                  GetWindowRect(GetDlgItem(hDlg, IDOK), &rcOk0);
                  GetWindowRect(hTree, &rcTree0);
                  CRect rcDlg;
                  GetWindowRect(hDlg, &rcDlg);
                  SetWindowPos(hDlg, NULL, 0, 0, rcDlg.Width() + 120, rcDlg.Height() + 60, SWP_NOMOVE | SWP_NOZORDER);
                  GetWindowRect(GetDlgItem(hDlg, IDOK), &rcOk1);
                  GetWindowRect(hTree, &rcTree1);
                  ClickCheckBox(hTree, found.find("Счёт на оплату")->second);
                  support::PressDialogButton(hDlg, IDCANCEL);
              }));
    EXPECT_EQ(strTree, "Документы[Счёт на оплату- Платёжные[Платёжное поручение- Приходный ордер-]] "
                       "Справочники[Платёжное поручение-]");
    EXPECT_TRUE(items.IsEmpty());
    EXPECT_EQ(rcOk1.TopLeft() - rcOk0.TopLeft(), CSize(120, 60));
    EXPECT_EQ(rcOk1.Size(), rcOk0.Size());
    EXPECT_EQ(rcTree1.TopLeft(), rcTree0.TopLeft());
    EXPECT_EQ(rcTree1.Size() - rcTree0.Size(), CSize(120, 60));
}

namespace {

// A window whose command handlers decide what OnUpdateMenu does.
class CUpdateHost : public CWnd {
public:
    int m_nPartnersUpdates = 0;

protected:
    void OnUpdateNew(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(TRUE);
        pCmdUI->SetCheck(1);
    }
    void OnOpen() {}
    void OnUpdatePartners(CCmdUI*) { ++m_nPartnersUpdates; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdateHost, CWnd)
    ON_UPDATE_COMMAND_UI(ID_TEST_NEW, OnUpdateNew)
    ON_COMMAND(ID_TEST_OPEN, OnOpen)
    ON_UPDATE_COMMAND_UI(ID_TEST_PARTNERS, OnUpdatePartners)
END_MESSAGE_MAP()

}  // namespace

TEST_F(MenusTest, UpdatesFindAndDeepCopiesAcrossTheTree)
{
    CUpdateHost host;
    CreateHost(host);
    CMenu& menu = m_menu;
    menu.GetSubMenu(0)->AppendMenu(MF_STRING, SC_CLOSE, "Закрыть");
    OnUpdateMenu(&host, &menu);
    // Checked by its handler, enabled by a command handler, greyed without
    // one (also in a nested submenu led by a command); system commands and a
    // submenu led by a separator are left alone.
    std::string strStates;
    for (UINT nID : std::vector<UINT>{ID_TEST_NEW, ID_TEST_OPEN, ID_TEST_EXIT, UINT(SC_CLOSE), ID_TEST_INVOICE,
                                      ID_TEST_RECEIPT, ID_TEST_PARTNERS}) {
        const UINT nState = menu.GetMenuState(nID, MF_BYCOMMAND);
        strStates += nState & MF_CHECKED ? "C" : nState & MF_GRAYED ? "G" : "-";
    }
    EXPECT_EQ(strStates, "C-G-GG-");
    EXPECT_EQ(host.m_nPartnersUpdates, 0);

    // A command's menu, at any depth, and its position there.
    UINT nPos = 99;
    EXPECT_EQ(FindMenu(&menu, ID_TEST_RECEIPT, &nPos)->GetSafeHmenu(),
              ::GetSubMenu(::GetSubMenu(menu.GetSafeHmenu(), 1), 1));
    EXPECT_EQ(nPos, 1u);
    EXPECT_EQ(FindMenu(&menu, ID_TEST_PARTNERS, NULL)->GetSafeHmenu(), ::GetSubMenu(menu.GetSafeHmenu(), 2));
    EXPECT_EQ(FindMenu(&menu, 999, &nPos), nullptr);

    CMenu target;
    target.CreatePopupMenu();
    target.AppendMenu(MF_STRING, 1, "Первый");
    target.AppendMenu(MF_STRING, 2, "Последний");
    InsertMenuA(&target, menu.GetSubMenu(1), 1);
    InsertMenuA(&target, menu.GetSubMenu(0), 99);  // past the end: appended
    InsertMenuA(&target, IDR_TEST_MENU, -1);
    const std::vector<UINT> expected = {1, ID_TEST_INVOICE, UINT(-1), UINT(-1), 2,        ID_TEST_NEW, ID_TEST_OPEN,
                                        0, ID_TEST_EXIT,    SC_CLOSE, UINT(-1), UINT(-1), UINT(-1)};
    std::vector<UINT> ids;
    for (int i = 0; i < target.GetMenuItemCount(); ++i)
        ids.push_back(target.GetMenuItemID(i));
    EXPECT_EQ(ids, expected);
    // Deep: new submenus, with the items' pictures, alive after the source goes.
    HMENU hCopied = ::GetSubMenu(target.GetSafeHmenu(), 2);
    EXPECT_NE(hCopied, ::GetSubMenu(::GetSubMenu(menu.GetSafeHmenu(), 1), 1));
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_CHECKMARKS;
    ::GetMenuItemInfoA(hCopied, 1, TRUE, &info);
    EXPECT_NE(info.hbmpChecked, nullptr);
    menu.DestroyMenu();
    EXPECT_EQ(FindMenu(&target, ID_TEST_RECEIPT, &nPos)->GetSafeHmenu(), hCopied);
    EXPECT_TRUE(::IsMenu(hCopied));
}

TEST_F(MenusTest, TheToolbarInBothModes)
{
    // Single-bitmap mode: the composed bitmap has the face colour where the
    // pictures had magenta (their top-left corners).
    struct CSeenToolBar : CToolBarTrueColor {
        using CToolBarTrueColor::m_bmpToolBar;
    } single;
    ASSERT_TRUE(single.Create(&m_host));
    ASSERT_TRUE(single.LoadToolBar(IDR_TEST_TOOLBAR, IDR_TEST_TOOLBAR, 0, 0, RGB(255, 0, 255)));
    EXPECT_FALSE(single.IsImageListsMode());
    EXPECT_EQ(single.GetItemID(3), 103u);
    BITMAP bm = {};
    single.m_bmpToolBar.GetBitmap(&bm);
    EXPECT_EQ(CSize(bm.bmWidth, bm.bmHeight), CSize(128, 16));
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    CBitmap* pOld = dc.SelectObject(&single.m_bmpToolBar);
    EXPECT_EQ(dc.GetPixel(0, 0), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(dc.GetPixel(16, 0), GetSysColor(COLOR_BTNFACE));
    dc.SelectObject(pOld);
    // AddBitmap goes to the control: the standard strip's nine pictures follow.
    EXPECT_EQ(single.AddBitmap(9, IDB_TEST_STANDARD, 0, 0), 8);
    EXPECT_EQ(single.AddBitmap(1, static_cast<CBitmap*>(NULL)), 0);

    // Image-lists mode: 8 buttons that are not separators and a 128 x 16
    // bitmap give three lists of 16 x 16 images.
    CToolBarTrueColor toolbar;
    ASSERT_TRUE(toolbar.Create(&m_host));
    ASSERT_TRUE(toolbar.LoadToolBar(IDR_TEST_TOOLBAR, IDR_TEST_TOOLBAR, IDB_TEST_DISABLED, 0, RGB(255, 0, 255)));
    EXPECT_TRUE(toolbar.IsImageListsMode());
    CToolBarCtrl& ctrl = toolbar.GetToolBarCtrl();
    for (CImageList* pList : {ctrl.GetImageList(), ctrl.GetHotImageList(), ctrl.GetDisabledImageList()}) {
        ASSERT_NE(pList, nullptr);
        EXPECT_EQ(pList->GetImageCount(), 8);
        int cx = 0, cy = 0;
        ImageList_GetIconSize(pList->GetSafeHandle(), &cx, &cy);
        EXPECT_EQ(CSize(cx, cy), CSize(16, 16));
    }
    // A zero disabled and hot bitmap stand for the normal one; a bitmap that
    // is not there adds nothing.
    EXPECT_EQ(toolbar.AddBitmap(8, IDR_TEST_TOOLBAR, 0, 0), 8);
    EXPECT_EQ(ctrl.GetDisabledImageList()->GetImageCount(), 16);
    CBitmap picture;
    picture.LoadBitmap(IDB_TEST_COMMANDS);
    EXPECT_EQ(toolbar.AddBitmap(1, &picture), 16);
    EXPECT_EQ(ctrl.GetHotImageList()->GetImageCount(), 16 + 24);
    EXPECT_EQ(toolbar.AddBitmap(1, 9999, 0, 0), 0);

    // Toolbars that cannot load say no; only separators leave no width to cut the bitmaps at.
    CToolBarTrueColor failing;
    ASSERT_TRUE(failing.Create(&m_host));
    EXPECT_FALSE(failing.LoadToolBar(9999, IDR_TEST_TOOLBAR) || failing.LoadToolBar(IDR_TEST_TOOLBAR, 9999) ||
                 failing.LoadToolBar(IDR_TEST_TOOLBAR, 0) ||
                 failing.LoadToolBar(IDR_TEST_SEPARATORS, IDR_TEST_SEPARATORS, IDB_TEST_DISABLED));
}

TEST_F(MenusTest, TheIconButtonHidesWhileDisabledAndPostsItsClicks)
{
    CWnd notify;
    CreateHost(notify, 300, 300);
    CButtonIco button(notify.GetSafeHwnd());
    ASSERT_TRUE(button.CreateIco(BS_DEFPUSHBUTTON, 0, CRect(10, 10, 50, 50), &m_host, 77));
    EXPECT_TRUE(button.SetIconMemo());
    EXPECT_NE(button.SendMessage(BM_GETIMAGE, IMAGE_ICON), 0);
    button.EnableWindow(FALSE);
    EXPECT_FALSE(button.IsWindowVisible());
    button.EnableWindow(TRUE);
    EXPECT_TRUE(button.IsWindowVisible());

    const auto clicked = [](CWnd& button, HWND hTold, MSG& msg) {
        support::ClickClient(button.GetSafeHwnd(), 20, 20);
        return support::PollFor(2000, [&] {
            return PeekMessageA(&msg, hTold, WM_BUTTONICO_CLICKED, WM_BUTTONICO_CLICKED, PM_REMOVE) != 0;
        });
    };
    MSG msg = {};
    EXPECT_TRUE(clicked(button, notify.GetSafeHwnd(), msg));
    EXPECT_EQ(msg.wParam, 1u);
    EXPECT_EQ(msg.lParam, reinterpret_cast<LPARAM>(notify.GetSafeHwnd()));
    EXPECT_EQ(button.GetButtonStyle() & BS_DEFPUSHBUTTON, 0u);
    // Without a notify window of its own it tells its parent; a notify
    // window that has gone hears nothing.
    CButtonIco orphan;
    ASSERT_TRUE(orphan.CreateIco(0, 0, CRect(60, 10, 100, 50), &m_host, 78));
    EXPECT_TRUE(clicked(orphan, m_host.GetSafeHwnd(), msg));
    notify.DestroyWindow();
    support::ClickClient(button.GetSafeHwnd(), 20, 20);
    EXPECT_FALSE(PeekMessageA(&msg, NULL, WM_BUTTONICO_CLICKED, WM_BUTTONICO_CLICKED, PM_REMOVE));
}

TEST_F(MenusTest, ADroppedColourMenuPaintsItsSwatchesAndReturnsTheChoice)
{
    CColorMenu menu;
    ASSERT_EQ(menu.GetMenuItemCount(), 17);
    EXPECT_EQ(CColorMenu::GetColor(ID_COLOR_AUTOMATIC), RGB(0, 0, 0));
    EXPECT_EQ(CColorMenu::GetColor(100), GetSysColor(COLOR_WINDOWTEXT));
    struct CSeen {
        HMENU hMenu;
        CRect rcRed, rcBlack;
        COLORREF crSwatch = CLR_INVALID, crSelected = CLR_INVALID, crFace = CLR_INVALID;
        int nTicks = 0;
    } seen;
    seen.hMenu = menu.GetSafeHmenu();
    static CSeen* s_pSeen;
    s_pSeen = &seen;
    // Inside the menu's own loop, as keys arrive: down to red, the items
    // read while red is selected, then Enter.
    const UINT_PTR nTimer = SetTimer(NULL, 0, 50, [](HWND, UINT, UINT_PTR nID, DWORD) {
        CSeen& s = *s_pSeen;
        HWND hPopup = FindWindowA("#32768", NULL);
        if (hPopup == NULL)
            return;
        if (++s.nTicks == 2) {
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
    // Measured by the menu itself.
    EXPECT_GT(seen.rcRed.Width(), 50);
    EXPECT_EQ(seen.rcRed.Height(), seen.rcBlack.Height());
    EXPECT_EQ(seen.crSwatch, RGB(255, 0, 0));
    EXPECT_EQ(seen.crSelected, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_NE(seen.crFace, GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(MenusTest, AHundredRoundsOfEveryObjectLeaveNothingBehind)
{
    support::CGuiObjectCounter counter(Strings{"extkit.dll", "framework.dll"});
    for (int i = 0; i < 100; ++i) {
        // The dialog, opened, ticked and confirmed.
        CStringArray items;
        items.Add("Создать");
        std::string strRoot;
        Customize(items, 0, [&](HWND hDlg, HWND hTree) {
            strRoot = ItemText(hTree, TreeView_GetRoot(hTree));
            ClickCheckBox(hTree, TreeView_GetChild(hTree, TreeView_GetRoot(hTree)));
            support::PressDialogButton(hDlg, IDOK);
        });
        ASSERT_EQ(strRoot, "Файл") << i;
        ASSERT_TRUE(items.IsEmpty()) << i;
        // A toolbar in either mode, with pictures added.
        CToolBarTrueColor toolbar;
        ASSERT_TRUE(toolbar.Create(&m_host));
        ASSERT_TRUE(i % 2 ? toolbar.LoadToolBar(IDR_TEST_TOOLBAR, IDR_TEST_TOOLBAR)
                          : toolbar.LoadToolBar(IDR_TEST_TOOLBAR, IDR_TEST_TOOLBAR, IDB_TEST_DISABLED, IDB_TEST_HOT));
        toolbar.AddBitmap(8, IDR_TEST_TOOLBAR, IDB_TEST_DISABLED, 0);
        toolbar.UpdateWindow();
        // An icon button: a missing icon shows a copy of the system's
        // exclamation icon, which the button frees.
        CButtonIco button;
        ASSERT_TRUE(button.CreateIco(0, 0, CRect(10, 10, 42, 42), &m_host, 77));
        CSize size(24, 24);
        ASSERT_TRUE(button.SetIconID(9999, NULL, &size));
        ASSERT_TRUE(button.SetIconID(9998));
        ASSERT_TRUE(button.SetIconMemo());
        button.EnableWindow(FALSE);
        button.EnableWindow(TRUE);
        button.UpdateWindow();
        // A colour menu, every item measured and drawn.
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
            DRAWITEMSTRUCT dis = {ODT_MENU,
                                  0,
                                  nID,
                                  ODA_DRAWENTIRE,
                                  nID == 23239 ? UINT(ODS_SELECTED) : 0u,
                                  reinterpret_cast<HWND>(menu.GetSafeHmenu()),
                                  dc.GetSafeHdc(),
                                  CRect(0, 0, static_cast<int>(mis.itemWidth), static_cast<int>(mis.itemHeight)),
                                  nID};
            menu.DrawItem(&dis);
            if (i == 0 && nID == 23239) {
                // The name's width plus 50, its height.
                CString strName;
                CSetResourceHandle resource(GetExtkitInstance());
                strName.LoadString(nID);
                const CSize size = CClientDC(NULL).GetTextExtent(strName);
                EXPECT_EQ(CSize(mis.itemWidth, mis.itemHeight), CSize(size.cx + 50, size.cy));
                EXPECT_GT(size.cx, 20);
            }
        }
        dc.SelectObject(pOld);
        CWnd::DeleteTempMap();
    }
    EXPECT_NO_GUI_LEAKS(counter);
}

// The menu-customisation dialog as a user meets it (the tree it shows, ticks
// made with the mouse, OK and Cancel, resizing, a hundred sessions without a
// leak), the toolbar built from the choice, and the menu functions: command
// updates, finding a command's menu and deep copies.
#include "menus/CustomizeMenuTreeDlg.h"
#include "menus/MenusRes.h"
#include "menus/ToolBarTrueColor.h"

#include "GuiObjectCounter.h"
#include "Input.h"
#include "MenusTestUtil.h"
#include "ModalDriver.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

std::string ItemText(HWND hTree, HTREEITEM hItem)
{
    char szText[256] = "";
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = szText;
    item.cchTextMax = sizeof(szText);
    SendMessageA(hTree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return szText;
}

// The tree as text: each item, "+" ticked, "-" unticked, nothing without a
// check box, its children in brackets.
std::string TreeText(HWND hTree, HTREEITEM hItem)
{
    std::string str;
    for (; hItem != NULL; hItem = TreeView_GetNextSibling(hTree, hItem)) {
        const UINT nCheck = (TreeView_GetItemState(hTree, hItem, TVIS_STATEIMAGEMASK) >> 12);
        str += (str.empty() ? "" : " ") + ItemText(hTree, hItem) + (nCheck == 2 ? "+" : nCheck == 1 ? "-" : "");
        if (HTREEITEM hChild = TreeView_GetChild(hTree, hItem))
            str += "[" + TreeText(hTree, hChild) + "]";
    }
    return str;
}

// The items of that text, in tree order.
void FindItems(HWND hTree, HTREEITEM hItem, const std::string& strText, std::vector<HTREEITEM>& found)
{
    for (; hItem != NULL; hItem = TreeView_GetNextSibling(hTree, hItem)) {
        if (ItemText(hTree, hItem) == strText)
            found.push_back(hItem);
        FindItems(hTree, TreeView_GetChild(hTree, hItem), strText, found);
    }
}

// Clicks the check box of the item, where the tree's hit test finds it.
bool ClickCheckBox(HWND hTree, HTREEITEM hItem)
{
    RECT rc = {};
    *reinterpret_cast<HTREEITEM*>(&rc) = hItem;
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

std::vector<std::string> Strings(const CStringArray& arr)
{
    std::vector<std::string> strings;
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

class CustomizeMenuTest : public ::testing::Test {
protected:
    void SetUp() override { menus_test::CreateHost(m_host); }
    void TearDown() override { CWnd::DeleteTempMap(); }

    // Runs the dialog on the test menu; fnAct acts on it (from a helper
    // thread, as a user would) and must close it.
    INT_PTR Run(CStringArray& items, int nStart, const std::function<void(HWND hDlg, HWND hTree)>& fnAct)
    {
        CCustomizeMenuTreeDlg dlg(&m_host, m_test.m_menu, items, nStart);
        support::CModalDriver driver([&](HWND hDlg) { fnAct(hDlg, GetDlgItem(hDlg, IDC_CUSTOMIZE_TREE)); });
        const INT_PTR nResult = dlg.DoModal();
        EXPECT_TRUE(driver.Finish()) << "the dialog did not open, or stayed open";
        return nResult;
    }

    menus_test::CTestMenu m_test;
    CWnd m_host;
};

}  // namespace

TEST_F(CustomizeMenuTest, ShowsTheCommandsWithPicturesUnticked)
{
    CStringArray items;
    std::string strCaption, strTree;
    int nImage = -1, nSelected = -1;
    EXPECT_EQ(Run(items, 0,
                  [&](HWND hDlg, HWND hTree) {
                      strCaption = support::GetWindowString(hDlg);
                      strTree = TreeText(hTree, TreeView_GetRoot(hTree));
                      std::vector<HTREEITEM> found;
                      FindItems(hTree, TreeView_GetRoot(hTree), "Счёт на оплату", found);
                      TVITEMA item = {};
                      item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
                      item.hItem = found.empty() ? NULL : found[0];
                      SendMessageA(hTree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
                      nImage = item.iImage;
                      nSelected = item.iSelectedImage;
                      support::PressDialogButton(hDlg, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(strCaption, "Настройка меню");
    // No separators, no commands without pictures, no submenus left empty;
    // texts without their shortcuts and first ampersands.
    EXPECT_EQ(strTree, "Файл[Создать- Открыть...-] Документы[Счёт на оплату- Платёжные[Платёжное поручение- "
                       "Приходный ордер-]] Справочники[Платёжное поручение-]");
    EXPECT_GT(nImage, 0);  // image 0 is the submenus'
    EXPECT_EQ(nSelected, nImage);
    EXPECT_TRUE(items.IsEmpty());
}

TEST_F(CustomizeMenuTest, OkCollectsTheTickedTextsInTreeOrder)
{
    CStringArray items;
    items.Add("Платёжное поручение");
    items.Add("Создать");
    std::string strBefore;
    EXPECT_EQ(Run(items, 0,
                  [&](HWND hDlg, HWND hTree) {
                      strBefore = TreeText(hTree, TreeView_GetRoot(hTree));
                      std::vector<HTREEITEM> found;
                      FindItems(hTree, TreeView_GetRoot(hTree), "Открыть...", found);
                      FindItems(hTree, TreeView_GetRoot(hTree), "Создать", found);
                      for (HTREEITEM hItem : found)
                          EXPECT_TRUE(ClickCheckBox(hTree, hItem));
                      support::PressDialogButton(hDlg, IDOK);
                  }),
              IDOK);
    // A command in two submenus is ticked in both, and listed twice.
    EXPECT_EQ(strBefore, "Файл[Создать+ Открыть...-] Документы[Счёт на оплату- Платёжные[Платёжное поручение+ "
                         "Приходный ордер-]] Справочники[Платёжное поручение+]");
    EXPECT_EQ(Strings(items), (std::vector<std::string>{"Открыть...", "Платёжное поручение", "Платёжное поручение"}));
}

TEST_F(CustomizeMenuTest, CancelKeepsTheListAndTheStartSkipsTopItems)
{
    CStringArray items;
    items.Add("Счёт на оплату");
    std::string strTree;
    EXPECT_EQ(Run(items, 1,
                  [&](HWND hDlg, HWND hTree) {
                      strTree = TreeText(hTree, TreeView_GetRoot(hTree));
                      ClickCheckBox(hTree, TreeView_GetChild(hTree, TreeView_GetRoot(hTree)));
                      support::PressDialogButton(hDlg, IDCANCEL);
                  }),
              IDCANCEL);
    EXPECT_EQ(strTree, "Документы[Счёт на оплату+ Платёжные[Платёжное поручение- Приходный ордер-]] "
                       "Справочники[Платёжное поручение-]");
    EXPECT_EQ(Strings(items), std::vector<std::string>{"Счёт на оплату"});
}

TEST_F(CustomizeMenuTest, ResizingKeepsTheButtonsInTheCornerAndStretchesTheTree)
{
    CStringArray items;
    CRect rcOk0, rcOk1, rcTree0, rcTree1;
    Run(items, 0, [&](HWND hDlg, HWND hTree) {
        GetWindowRect(GetDlgItem(hDlg, IDOK), &rcOk0);
        GetWindowRect(hTree, &rcTree0);
        CRect rcDlg;
        GetWindowRect(hDlg, &rcDlg);
        SetWindowPos(hDlg, NULL, 0, 0, rcDlg.Width() + 120, rcDlg.Height() + 60, SWP_NOMOVE | SWP_NOZORDER);
        GetWindowRect(GetDlgItem(hDlg, IDOK), &rcOk1);
        GetWindowRect(hTree, &rcTree1);
        support::PressDialogButton(hDlg, IDCANCEL);
    });
    EXPECT_EQ(rcOk1.TopLeft() - rcOk0.TopLeft(), CSize(120, 60));
    EXPECT_EQ(rcOk1.Size(), rcOk0.Size());
    EXPECT_EQ(rcTree1.TopLeft(), rcTree0.TopLeft());
    EXPECT_EQ(rcTree1.Size() - rcTree0.Size(), CSize(120, 60));
}

TEST_F(CustomizeMenuTest, AHundredSessionsLeaveNothingBehind)
{
    support::CGuiObjectCounter counter(std::vector<std::string>{"extkit.dll", "framework.dll"});
    for (int i = 0; i < 100; ++i) {
        CStringArray items;
        items.Add("Создать");
        std::string strRoot;
        Run(items, 0, [&](HWND hDlg, HWND hTree) {
            strRoot = ItemText(hTree, TreeView_GetRoot(hTree));
            ClickCheckBox(hTree, TreeView_GetChild(hTree, TreeView_GetRoot(hTree)));
            support::PressDialogButton(hDlg, IDOK);
        });
        ASSERT_EQ(strRoot, "Файл") << i;
        ASSERT_TRUE(items.IsEmpty()) << i;
        CWnd::DeleteTempMap();
    }
    EXPECT_NO_GUI_LEAKS(counter);
}

TEST(CustomizeMenuText, ShortcutAndFirstAmpersandGo)
{
    // clang-format off
    const char* const aCases[][2] = {
        {"&Открыть\tCtrl+O", "Открыть"}, {"Сч&ёт на оплату", "Счёт на оплату"}, {"A&&B", "A&B"},
        {"Без\tзнака &", "Без"}, {"\tCtrl+N", ""}, {"Просто", "Просто"},
    };
    // clang-format on
    for (const auto& c : aCases) {
        CString s(c[0]);
        CCustomizeMenuTreeDlg::ConvertString(s);
        EXPECT_STREQ(s, c[1]) << c[0];
    }
    CStringArray arr;
    arr.Add("Открыть");
    EXPECT_TRUE(CCustomizeMenuTreeDlg::StringInArray(&arr, "Открыть"));
    EXPECT_FALSE(CCustomizeMenuTreeDlg::StringInArray(&arr, "открыть"));
    EXPECT_FALSE(CCustomizeMenuTreeDlg::StringInArray(NULL, "Открыть"));
}

TEST_F(CustomizeMenuTest, TheToolbarGetsTheChosenCommandsInMenuOrder)
{
    CToolBarTrueColor toolbar;
    ASSERT_TRUE(toolbar.Create(&m_host));
    CMenu& menu = m_test.m_menu;
    CCustomizeMenuTreeDlg::BuildToolbar(menu, NULL, toolbar, 0, false);
    EXPECT_EQ(ButtonCommands(toolbar), (std::vector<UINT>{201, 202, 211, 221, 222, 221}));
    CStringArray items;
    items.Add("Открыть...");
    items.Add("Приходный ордер");
    CCustomizeMenuTreeDlg::BuildToolbar(menu, &items, toolbar, 0, false);
    EXPECT_EQ(ButtonCommands(toolbar), (std::vector<UINT>{202, 222}));
    items.RemoveAll();
    items.Add("Создать");
    CCustomizeMenuTreeDlg::BuildToolbar(menu, &items, toolbar, 0, true);
    EXPECT_EQ(ButtonCommands(toolbar), (std::vector<UINT>{202, 222, 201}));
    CCustomizeMenuTreeDlg::BuildToolbar(menu, NULL, toolbar, 1, false);
    EXPECT_EQ(ButtonCommands(toolbar), (std::vector<UINT>{211, 221, 222, 221}));

    // In image-lists mode the pictures join the three lists.
    CToolBarTrueColor lists;
    ASSERT_TRUE(lists.Create(&m_host));
    ASSERT_TRUE(lists.LoadToolBar(IDR_TEST_TOOLBAR, IDR_TEST_TOOLBAR, IDB_TEST_DISABLED, 0, RGB(192, 192, 192)));
    CCustomizeMenuTreeDlg::BuildToolbar(menu, NULL, lists, 0, false);
    EXPECT_EQ(lists.GetToolBarCtrl().GetImageList()->GetImageCount(), 8 + 6);
    EXPECT_EQ(lists.GetToolBarCtrl().GetHotImageList()->GetImageCount(), 8 + 6);
    TBBUTTON button = {};
    lists.GetToolBarCtrl().GetButton(5, &button);
    EXPECT_EQ(button.iBitmap, 13);
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

TEST_F(CustomizeMenuTest, UpdatesEnableByHandlersAcrossTheTree)
{
    CUpdateHost host;
    menus_test::CreateHost(host);
    CMenu& menu = m_test.m_menu;
    menu.GetSubMenu(0)->AppendMenu(MF_STRING, SC_CLOSE, "Закрыть");
    OnUpdateMenu(&host, &menu);
    auto State = [&](UINT nID) { return menu.GetMenuState(nID, MF_BYCOMMAND) & (MF_GRAYED | MF_CHECKED); };
    EXPECT_EQ(State(ID_TEST_NEW), static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(State(ID_TEST_OPEN), 0u);                            // a command handler
    EXPECT_EQ(State(ID_TEST_EXIT), static_cast<UINT>(MF_GRAYED));  // none
    EXPECT_EQ(State(SC_CLOSE), 0u);                                // system commands are left alone
    EXPECT_EQ(State(ID_TEST_INVOICE), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(State(ID_TEST_RECEIPT), static_cast<UINT>(MF_GRAYED));  // a nested submenu led by a command
    // A submenu led by a separator is not updated.
    EXPECT_EQ(State(ID_TEST_PARTNERS), 0u);
    EXPECT_EQ(host.m_nPartnersUpdates, 0);
}

TEST_F(CustomizeMenuTest, FindMenuAndDeepCopies)
{
    CMenu& menu = m_test.m_menu;
    UINT nPos = 99;
    CMenu* pFound = FindMenu(&menu, ID_TEST_RECEIPT, &nPos);
    ASSERT_NE(pFound, nullptr);
    EXPECT_EQ(pFound->GetSafeHmenu(), ::GetSubMenu(::GetSubMenu(menu.GetSafeHmenu(), 1), 1));
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
    const UINT anExpected[] = {1, ID_TEST_INVOICE, UINT(-1), UINT(-1), 2,       ID_TEST_NEW, ID_TEST_OPEN,
                               0, ID_TEST_EXIT,    UINT(-1), UINT(-1), UINT(-1)};
    ASSERT_EQ(target.GetMenuItemCount(), 12);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(target.GetMenuItemID(i), anExpected[i]) << i;
    CString strText;
    target.GetMenuString(5, strText, MF_BYPOSITION);
    EXPECT_STREQ(strText, "&Создать\tCtrl+N");
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

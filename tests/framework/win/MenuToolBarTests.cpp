// Menus, tree views, toolbars and documents as a host uses them: a menu's
// objects and handles, owner-drawn items measured and drawn by their menu
// object through the owner window's default handlers, the pop-up message in
// a message map, a tree's items and check boxes, toolbar resources in both
// resource compilers' layouts, and a document's title.
#include <afxcmn.h>
#include <afxext.h>
#include <afxwin.h>

#include <gtest/gtest.h>

#include "GuiObjectCounter.h"
#include "MenuToolBarTestRes.h"

namespace {

// A menu whose owner-drawn items count what they are asked.
class CCountingMenu : public CMenu {
public:
    int m_nMeasured = 0, m_nDrawn = 0;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override
    {
        ++m_nMeasured;
        lpMIS->itemWidth = 120;
        lpMIS->itemHeight = 30 + 10 * static_cast<int>(lpMIS->itemData);
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
    {
        ++m_nDrawn;
        ::FillRect(lpDIS->hDC, &lpDIS->rcItem, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }
};

class CMenuHost : public CWnd {
public:
    CMenu* m_pPopupSeen = nullptr;

protected:
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL) { m_pPopupSeen = pPopupMenu; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMenuHost, CWnd)
    ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

class MenuToolBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateEx(0, NULL, "Учёт", WS_POPUP | WS_VISIBLE | WS_CAPTION, 40, 40, 500, 300, NULL, NULL));
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        CWnd::DeleteTempMap();
    }
    CMenuHost m_host;
};

}  // namespace

TEST_F(MenuToolBarTest, MenuObjectsOwnTheirMenusAndWrapOthersForAWhile)
{
    support::CGuiObjectCounter counter(std::vector<std::string>{"framework.dll"});
    {
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(IDR_FRAMEWORK_MENU));
        EXPECT_FALSE(menu.CreatePopupMenu());  // it holds one already
        CMenu* pSub = menu.GetSubMenu(0);
        ASSERT_NE(pSub, nullptr);
        EXPECT_EQ(CMenu::FromHandlePermanent(pSub->GetSafeHmenu()), nullptr);
        EXPECT_EQ(CMenu::FromHandle(menu.GetSafeHmenu()), &menu);
        CString strText;
        EXPECT_EQ(pSub->GetMenuString(0, strText, MF_BYPOSITION), 23);
        EXPECT_STREQ(strText, "Приходная &накладная\tF5");
        CMenu other;
        EXPECT_FALSE(other.Attach(menu.GetSafeHmenu()));
        HMENU hDetached = menu.Detach();
        EXPECT_TRUE(other.Attach(hDetached));
    }
    CWnd::DeleteTempMap();
    EXPECT_NO_GUI_LEAKS(counter);
}

TEST_F(MenuToolBarTest, OwnerDrawnItemsAreMeasuredAndDrawnByTheirMenu)
{
    CCountingMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_OWNERDRAW, 501, reinterpret_cast<LPCTSTR>(0));
    menu.AppendMenu(MF_OWNERDRAW, 502, reinterpret_cast<LPCTSTR>(2));
    static HMENU s_hMenu;
    static CRect s_rcSecond;
    s_hMenu = menu.GetSafeHmenu();
    // Closed from inside its own loop once it has been shown.
    const UINT_PTR nTimer = SetTimer(NULL, 0, 50, [](HWND, UINT, UINT_PTR nID, DWORD) {
        if (HWND hPopup = FindWindowA("#32768", NULL)) {
            KillTimer(NULL, nID);
            GetMenuItemRect(NULL, s_hMenu, 1, &s_rcSecond);
            PostMessageA(hPopup, WM_KEYDOWN, VK_ESCAPE, 0);
        }
    });
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 100, 100, &m_host), 0);
    KillTimer(NULL, nTimer);
    EXPECT_EQ(menu.m_nMeasured, 2);
    EXPECT_GE(menu.m_nDrawn, 2);
    EXPECT_EQ(s_rcSecond.Height(), 50);
    ASSERT_NE(m_host.m_pPopupSeen, nullptr);
    EXPECT_EQ(m_host.m_pPopupSeen, &menu);
}

TEST_F(MenuToolBarTest, TreeItemsTextsImagesAndCheckBoxes)
{
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_VISIBLE | TVS_HASBUTTONS | TVS_CHECKBOXES, CRect(5, 5, 300, 250), &m_host, 7));
    HTREEITEM hRoot = tree.InsertItem("Склады");
    HTREEITEM hChild = tree.InsertItem("Северный склад, стеллаж № 14", 3, 4, hRoot);
    tree.InsertItem("Южный", hRoot);
    EXPECT_EQ(tree.GetCount(), 3u);
    EXPECT_EQ(tree.GetRootItem(), hRoot);
    EXPECT_EQ(tree.GetChildItem(hRoot), hChild);
    EXPECT_EQ(tree.GetParentItem(hChild), hRoot);
    EXPECT_STREQ(tree.GetItemText(hChild), "Северный склад, стеллаж № 14");
    int nImage = 0, nSelected = 0;
    EXPECT_TRUE(tree.GetItemImage(hChild, nImage, nSelected));
    EXPECT_EQ(nImage * 10 + nSelected, 34);
    EXPECT_TRUE(tree.Expand(hRoot, TVE_EXPAND));
    CRect rc;
    ASSERT_TRUE(tree.GetItemRect(hChild, &rc, TRUE));
    EXPECT_EQ(tree.HitTest(rc.CenterPoint()), hChild);
    EXPECT_TRUE(tree.DeleteItem(hRoot));
    EXPECT_EQ(tree.GetCount(), 0u);
}

TEST_F(MenuToolBarTest, ToolbarsLoadFromBothResourceLayouts)
{
    for (UINT nID : {IDR_FRAMEWORK_TOOLBAR, IDR_FRAMEWORK_TOOLBAR_GNU}) {
        CToolBar toolbar;
        ASSERT_TRUE(toolbar.Create(&m_host));
        ASSERT_TRUE(toolbar.LoadToolBar(nID)) << nID;
        EXPECT_EQ(toolbar.GetCount(), 4) << nID;
        EXPECT_EQ(toolbar.GetItemID(0), 901u);
        EXPECT_EQ(toolbar.GetButtonStyle(1), static_cast<UINT>(TBBS_SEPARATOR));
        EXPECT_EQ(toolbar.CommandToIndex(903), 3);
        EXPECT_EQ(toolbar.GetToolBarCtrl().GetButtonSize(), CSize(16 + 7, 15 + 7));
        // Disabling shows in the style the framework reports.
        toolbar.GetToolBarCtrl().EnableButton(903, FALSE);
        EXPECT_EQ(toolbar.GetButtonStyle(3) & TBBS_DISABLED, static_cast<UINT>(TBBS_DISABLED));
        EXPECT_FALSE(toolbar.LoadToolBar(IDR_FRAMEWORK_MENU));
    }
}

TEST(Document, TitleFollowsThePath)
{
    CDocument doc;
    doc.SetPathName("C:\\Учёт\\2026\\Накладная 17.dat");
    EXPECT_STREQ(doc.GetTitle(), "Накладная 17.dat");
}

// A user's sessions with the check list and the drag-and-drop list on real
// windows, and each class's leak cycle: created, used as a user would,
// destroyed, a hundred times, with no GDI or USER object of extkit.dll or
// framework.dll left behind.
#include "Clipboard.h"
#include "GuiObjectCounter.h"
#include "Input.h"
#include "ListTestWindow.h"
#include "WindowCapture.h"
#include "edit/EditEx.h"
#include "Wait.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class ListSession : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pCounter.reset(new support::CGuiObjectCounter(std::vector<std::string>{"framework.dll", "extkit.dll"}));
        m_pHost.reset(new CListHost);
        ASSERT_TRUE(m_pHost->m_hWnd != NULL);
    }
    void TearDown() override
    {
        m_pHost.reset();
        CWnd::DeleteTempMap();
        EXPECT_NO_GUI_LEAKS(*m_pCounter);
    }

    // The rights of the staff over documents: view, create, change, post.
    void FillRights(CCheckListProbe& list, bool bFit)
    {
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 610, 330), m_pHost.get(), 100));
        const char* const apszTitles[] = {"Сотрудник", "Просмотр", "Создание", "Изменение", "Проведение"};
        const char* const apszRows[] = {"Андреева Н. В.", "Соколов И. П.", "Крылова Е. А."};
        CStringArray titles, rows;
        CUIntArray masks;
        for (const char* pszTitle : apszTitles)
            titles.Add(pszTitle);
        for (int i = 0; i < 3; ++i) {
            rows.Add(apszRows[i]);
            masks.Add(0xF >> i);
        }
        list.AddColumns(titles, bFit);
        list.AddRows(rows, masks);
    }

    // Blue pixels in the cell, where the check list draws its mark.
    static int MarkPixels(CListCtrl& list, int nRow, int nColumn)
    {
        list.UpdateWindow();
        CRect rc;
        list.GetSubItemRect(nRow, nColumn, LVIR_BOUNDS, rc);
        CClientDC dc(&list);
        int nBlue = 0;
        for (int y = rc.top; y < rc.bottom; ++y) {
            for (int x = rc.left; x < rc.right; ++x)
                nBlue += dc.GetPixel(x, y) == RGB(0, 0, 255);
        }
        return nBlue;
    }

    std::unique_ptr<support::CGuiObjectCounter> m_pCounter;
    std::unique_ptr<CListHost> m_pHost;
};

// A price list whose prices must not be left empty.
class CRefusingList : public CDragDropProbe {
protected:
    bool EndEdit(CEditEx* pEdit, CString& text) override
    {
        return CDragDropListCtrl::EndEdit(pEdit, text) && !text.IsEmpty();
    }
};

void FillRows(CDragDropListCtrl& list, CWnd* pHost, int nRows)
{
    list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 410, 230), pHost, 100);
    list.InsertColumn(0, "Товар", LVCFMT_LEFT, 140);
    list.InsertColumn(1, "Цена", LVCFMT_RIGHT, 80);
    for (int i = 0; i < nRows; ++i) {
        list.InsertItem(i, CString("Товар ") + std::to_string(i).c_str());
        list.SetItemText(i, 1, (std::to_string(100 + i) + ".00").c_str());
    }
}

}  // namespace

TEST_F(ListSession, CheckListRightsAreLaidOutTickedWithMouseAndKeysAndShowTheirMarks)
{
    CCheckListProbe list, fit;
    FillRights(list, false);
    FillRights(fit, true);
    CRect rcClient;
    fit.GetClientRect(&rcClient);
    // Each column half as wide again as its caption, never below 50; fitted,
    // every column but the last grows by the same amount, the last takes the rest.
    const int nExtra = fit.GetColumnWidth(0) - list.GetColumnWidth(0);
    int nSum = 0;
    for (int c = 0; c < 5; ++c) {
        char szCaption[64] = "";
        LVCOLUMNA column = {LVCF_TEXT, 0, 0, szCaption, sizeof(szCaption)};
        list.GetColumn(c, &column);
        const int nWidth = list.GetStringWidth(szCaption) * 3 / 2;
        EXPECT_EQ(nWidth < 50 ? 50 : nWidth, list.GetColumnWidth(c)) << c;
        if (c < 4)
            EXPECT_EQ(nExtra, fit.GetColumnWidth(c) - list.GetColumnWidth(c)) << c;
        nSum += fit.GetColumnWidth(c);
    }
    EXPECT_GT(nExtra, 0);
    EXPECT_EQ(rcClient.Width() - ::GetSystemMetrics(SM_CXVSCROLL), nSum);
    fit.DestroyWindow();
    list.SetFocus();
    EXPECT_GT(MarkPixels(list, 0, 4), 20);
    EXPECT_EQ(0, MarkPixels(list, 2, 4));

    // Row 2, "post" column: the first click makes the column current, the
    // second ticks it, and the mark shows at once.
    const CPoint ptPost = CellPoint(list, 2, 4);
    support::ClickClient(list.m_hWnd, ptPost.x, ptPost.y);
    EXPECT_EQ(4, list.CurColumn());
    EXPECT_EQ(0, MarkPixels(list, 2, 4));
    support::ClickClient(list.m_hWnd, ptPost.x, ptPost.y);
    EXPECT_GT(MarkPixels(list, 2, 4), 20);
    // Left to "change", Up to row 1, Space unticks it.
    support::PressKey(list.m_hWnd, VK_LEFT);
    support::PressKey(list.m_hWnd, VK_UP);
    support::PressKey(list.m_hWnd, VK_SPACE);
    EXPECT_EQ(0, MarkPixels(list, 1, 3));

    // The caller sizes the array: none, or one past the rows (0 there).
    CUIntArray checks;
    list.GetChecks(checks);
    EXPECT_EQ(0, checks.GetSize());
    checks.SetSize(4);
    list.GetChecks(checks);
    EXPECT_EQ((std::vector<UINT>{0xF, 0x3, 0xB, 0}), std::vector<UINT>(checks.GetData(), checks.GetData() + 4));

    // Fewer masks than rows: the framework's exception, no row without its mask.
    CStringArray more;
    more.Add("Морозов Д. С.");
    more.Add("Павлова О. Н.");
    list.DeleteAllItems();
    checks.SetSize(1);
    try {
        list.AddRows(more, checks);
        ADD_FAILURE() << "no exception";
    } catch (CInvalidArgException* e) {
        e->Delete();
    }
    EXPECT_EQ(1, list.GetItemCount());
}

TEST_F(ListSession, RowsDraggedWithTheMouseScrollTheListAndDropAtTheLastMarkedRow)
{
    CDragDropProbe list;
    FillRows(list, m_pHost.get(), 30);
    m_pHost->m_hWndList = list.m_hWnd;
    list.SetFocus();
    // Held below the rows, the list scrolls and marks the rows it brings in.
    CRect rcClient;
    list.GetClientRect(&rcClient);
    MouseDrag(list, 1, rcClient.bottom + 10, true);
    ASSERT_TRUE(list.IsDragging());
    EXPECT_NE(0u, list.ScrollTimer());
    EXPECT_TRUE(support::PollFor(5000, [&] {
        support::PumpPendingMessages(list.m_hWnd);
        return list.GetTopIndex() >= 5;
    }));
    // Released outside: the row goes where the last marked row was.
    const int nTarget = list.DropIndex();
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(20, rcClient.bottom + 10));
    EXPECT_EQ(0u, list.ScrollTimer());
    EXPECT_GT(nTarget, 14);
    EXPECT_EQ("Товар 1", std::string(list.GetItemText(nTarget, 0)));
    EXPECT_EQ("101.00", std::string(list.GetItemText(nTarget, 1)));
    EXPECT_TRUE(list.GetStyle() & LVS_SINGLESEL);
    EXPECT_EQ(std::vector<std::string>{}, m_pHost->m_changes);
}

TEST_F(ListSession, EditsTheOwnerHearsOfAndEditsThatAreRefused)
{
    CRefusingList list;
    FillRows(list, m_pHost.get(), 3);
    m_pHost->m_hWndList = list.m_hWnd;
    list.SetFocus();
    // Ctrl+Insert copies the current cell.
    list.SetSelSubItem(1, 1);
    support::PressKey(list.m_hWnd, VK_INSERT, support::kCtrl);
    std::string strCopied;
    EXPECT_TRUE(support::GetClipboardText(&strCopied));
    EXPECT_EQ("101.00", strCopied);
    // Leading line breaks and spaces go, trailing ones stay.
    support::PressKey(list.m_hWnd, '5');
    ASSERT_TRUE(list.Editor() != NULL);
    list.Editor()->SetWindowText("\r\n  99.50 ");
    support::PressKey(::GetFocus(), VK_RETURN);
    EXPECT_EQ("99.50 ", std::string(list.GetItemText(1, 1)));
    EXPECT_TRUE(list.GetModify());
    // An empty price is refused: the cell keeps its text, the owner hears nothing.
    list.SetModify(false);
    support::PressKey(list.m_hWnd, '5');
    ASSERT_TRUE(list.Editor() != NULL);
    list.Editor()->SetWindowText("  ");
    support::PressKey(::GetFocus(), VK_RETURN);
    EXPECT_EQ("99.50 ", std::string(list.GetItemText(1, 1)));
    EXPECT_FALSE(list.GetModify());
    EXPECT_EQ(std::vector<std::string>{"edit 1 1"}, m_pHost->m_changes);
    EXPECT_TRUE(list.Editor() == NULL);
}

TEST_F(ListSession, LeakCyclesOfTheCheckListAndOfTheDragDropListWithItsHeader)
{
    for (int i = 0; i < 100; ++i) {
        CCheckListProbe rights;
        FillRights(rights, i % 2 == 0);
        rights.SetFocus();
        const CPoint pt = CellPoint(rights, i % 3, 2);
        support::ClickClient(rights.m_hWnd, pt.x, pt.y);
        support::ClickClient(rights.m_hWnd, pt.x, pt.y);
        support::PressKey(rights.m_hWnd, VK_RIGHT);
        support::PressKey(rights.m_hWnd, VK_SPACE);
        rights.UpdateWindow();
        rights.DestroyWindow();

        CDragDropProbe list;
        FillRows(list, m_pHost.get(), 8);
        list.SetCheckedList();
        list.SetFocus();
        MouseDrag(list, i % 4, CellPoint(list, 6, 0).y);
        HWND hHeader = reinterpret_cast<HWND>(list.SendMessage(LVM_GETHEADER));
        ::SendMessageA(hHeader, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 5));
        ::SendMessageA(hHeader, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 5));
        ::SendMessageA(hHeader, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 5));
        ::SendMessageA(hHeader, WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
        support::PressKey(list.m_hWnd, VK_SPACE);
        support::PressKey(list.m_hWnd, 'A');
        if (i % 2 == 0)
            support::PressKey(::GetFocus(), VK_ESCAPE);
        list.UpdateWindow();
    }
    EXPECT_NO_GUI_LEAKS(*m_pCounter);
}

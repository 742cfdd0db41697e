// The list view and header wrappers on a real report-view list: what a host
// puts in, reads back, finds under the pointer and drags.
#include <afxcmn.h>
#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GuiObjectCounter.h"

namespace {

class ListCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateEx(0, NULL, "Товары", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 30, 420, 260, NULL, NULL));
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_EDITLABELS | LVS_SHOWSELALWAYS,
                                  CRect(5, 5, 400, 220), &m_host, 10));
    }
    void TearDown() override
    {
        m_list.DestroyWindow();
        m_host.DestroyWindow();
        CWnd::DeleteTempMap();
    }

    void Fill()
    {
        ASSERT_EQ(m_list.InsertColumn(0, "Товар", LVCFMT_LEFT, 150), 0);
        ASSERT_EQ(m_list.InsertColumn(1, "Цена", LVCFMT_RIGHT, 80), 1);
        ASSERT_EQ(m_list.InsertColumn(2, "Склад", LVCFMT_LEFT, 100), 2);
        const char* const apszRows[][3] = {
            {"Гвозди", "12.50", "Северный"}, {"Шурупы", "8.00", "Южный"}, {"Дюбели", "3.20", "Северный"}};
        for (int i = 0; i < 3; ++i) {
            ASSERT_EQ(m_list.InsertItem(i, apszRows[i][0]), i);
            m_list.SetItemText(i, 1, apszRows[i][1]);
            m_list.SetItemText(i, 2, apszRows[i][2]);
            m_list.SetItemData(i, 100 + i);
        }
    }

    CWnd m_host;
    CListCtrl m_list;
};

int CALLBACK ByDataDescending(LPARAM lParam1, LPARAM lParam2, LPARAM)
{
    return static_cast<int>(lParam2 - lParam1);
}

}  // namespace

TEST_F(ListCtrlTest, AHostFillsReadsSelectsSortsAndFindsCells)
{
    Fill();
    EXPECT_EQ(m_list.GetItemCount(), 3);
    EXPECT_EQ(std::string(m_list.GetItemText(1, 2)), "Южный");
    EXPECT_EQ(std::string(m_list.GetItemText(7, 0)), "");  // no such row

    // A text longer than any first guess comes back whole; the buffer form cuts.
    const std::string strLong(700, 'x');
    m_list.SetItemText(0, 2, strLong.c_str());
    EXPECT_EQ(std::string(m_list.GetItemText(0, 2)), strLong);
    char szShort[8];
    EXPECT_EQ(m_list.GetItemText(0, 2, szShort, sizeof(szShort)), 7);
    EXPECT_EQ(std::string(szShort), "xxxxxxx");

    // Selection walk and focus.
    m_list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    m_list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    std::vector<int> selected;
    for (POSITION pos = m_list.GetFirstSelectedItemPosition(); pos != NULL;)
        selected.push_back(m_list.GetNextSelectedItem(pos));
    EXPECT_EQ(selected, (std::vector<int>{0, 2}));
    EXPECT_EQ(m_list.GetSelectedCount(), 2u);
    EXPECT_EQ(m_list.GetNextItem(-1, LVNI_FOCUSED), 2);

    // Sorting by data keeps each row's cells together.
    ASSERT_TRUE(m_list.SortItems(ByDataDescending, 0));
    EXPECT_EQ(std::string(m_list.GetItemText(0, 0)), "Дюбели");
    EXPECT_EQ(std::string(m_list.GetItemText(0, 1)), "3.20");
    EXPECT_EQ(m_list.GetItemData(2), 100u);

    // Cells under the pointer, and the header over the columns.
    CRect rcCell;
    ASSERT_TRUE(m_list.GetSubItemRect(1, 2, LVIR_BOUNDS, rcCell));
    LVHITTESTINFO hit = {};
    hit.pt = rcCell.CenterPoint();
    EXPECT_EQ(m_list.SubItemHitTest(&hit), 1);
    EXPECT_EQ(hit.iSubItem, 2);
    UINT nFlags = 0;
    CRect rcLabel;
    ASSERT_TRUE(m_list.GetItemRect(1, &rcLabel, LVIR_LABEL));
    EXPECT_EQ(m_list.HitTest(rcLabel.CenterPoint(), &nFlags), 1);
    EXPECT_EQ(nFlags, static_cast<UINT>(LVHT_ONITEMLABEL));
    EXPECT_EQ(m_list.HitTest(CPoint(5, 200), &nFlags), -1) << nFlags;
    CHeaderCtrl* pHeader = m_list.GetHeaderCtrl();
    ASSERT_NE(pHeader, nullptr);
    EXPECT_EQ(pHeader->GetItemCount(), 3);
    CRect rcHead;
    ASSERT_TRUE(pHeader->GetItemRect(2, &rcHead));
    EXPECT_EQ(rcHead.left, rcCell.left);
    EXPECT_GT(m_list.GetStringWidth("Гвозди и шурупы"), m_list.GetStringWidth("Гвозди"));

    // Columns moved and taken away.
    int aOrder[3] = {2, 0, 1};
    ASSERT_TRUE(m_list.SetColumnOrderArray(3, aOrder));
    EXPECT_EQ(pHeader->OrderToIndex(0), 2);
    ASSERT_TRUE(m_list.DeleteColumn(1));
    EXPECT_EQ(pHeader->GetItemCount(), 2);
    ASSERT_TRUE(m_list.DeleteItem(0));
    EXPECT_EQ(m_list.GetItemCount(), 2);
}

TEST_F(ListCtrlTest, ImagesLabelEditingAndDragPicturesLeaveNothingBehind)
{
    support::CGuiObjectCounter counter(std::vector<std::string>{"framework.dll"});
    for (int nRound = 0; nRound < 100; ++nRound) {
        if (m_list.GetHeaderCtrl()->GetItemCount() == 0)
            Fill();
        CImageList images;
        ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 1));
        HICON hIcon = ::LoadIcon(NULL, IDI_INFORMATION);
        images.Add(hIcon);
        // The control keeps the list; it shares it, so the object still owns it.
        m_list.ModifyStyle(0, LVS_SHAREIMAGELISTS);
        EXPECT_EQ(m_list.SetImageList(&images, LVSIL_SMALL), nullptr);
        EXPECT_EQ(m_list.GetImageList(LVSIL_SMALL), &images);

        CPoint ptImage;
        CImageList* pDrag = m_list.CreateDragImage(1, &ptImage);
        ASSERT_NE(pDrag, nullptr);
        EXPECT_GT(pDrag->GetImageCount(), 0);
        ASSERT_TRUE(pDrag->BeginDrag(0, CPoint(2, 2)));
        EXPECT_TRUE(CImageList::DragEnter(NULL, CPoint(100, 100)));
        EXPECT_TRUE(CImageList::DragMove(CPoint(120, 110)));
        CPoint ptAt, ptHot;
        EXPECT_NE(CImageList::GetDragImage(&ptAt, &ptHot), nullptr);
        EXPECT_TRUE(CImageList::DragLeave(NULL));
        CImageList::EndDrag();
        delete pDrag;

        m_list.SetFocus();
        CEdit* pEdit = m_list.EditLabel(2);
        ASSERT_NE(pEdit, nullptr);
        EXPECT_EQ(m_list.GetEditControl()->m_hWnd, pEdit->m_hWnd);
        CString strEdited;
        pEdit->GetWindowText(strEdited);
        EXPECT_EQ(std::string(strEdited), "Дюбели");
        m_list.SendMessage(LVM_CANCELEDITLABEL);
        EXPECT_EQ(m_list.GetEditControl(), nullptr);

        m_list.SetImageList(NULL, LVSIL_SMALL);
        m_list.DeleteAllItems();
        while (m_list.DeleteColumn(0)) {
        }
        CWnd::DeleteTempMap();
    }
    EXPECT_NO_GUI_LEAKS(counter);
}

TEST_F(ListCtrlTest, ScrollLimitsCaptureAndPartialDrawingOfImages)
{
    Fill();
    // 330 pixels of columns in a narrower view: a horizontal range to scroll.
    m_list.SetColumnWidth(2, 400);
    SCROLLINFO info = {};
    ASSERT_TRUE(m_list.GetScrollInfo(SB_HORZ, &info));
    int nMin = -1, nMax = -1;
    m_list.GetScrollRange(SB_HORZ, &nMin, &nMax);
    EXPECT_EQ(info.nMax, nMax);
    EXPECT_EQ(info.nMax - static_cast<int>(info.nPage) + 1, m_list.GetScrollLimit(SB_HORZ));
    m_list.Scroll(CSize(40, 0));
    EXPECT_EQ(40, m_list.GetScrollPos(SB_HORZ));
    EXPECT_EQ(0, m_list.GetScrollLimit(SB_VERT)) << "no vertical range";

    EXPECT_EQ(nullptr, m_list.SetCapture());
    EXPECT_EQ(&m_list, CWnd::GetCapture());
    ::ReleaseCapture();
    EXPECT_EQ(nullptr, CWnd::GetCapture());
    CRect rcList;
    m_list.GetWindowRect(&rcList);
    EXPECT_EQ(m_list.m_hWnd, CWnd::WindowFromPoint(rcList.CenterPoint())->GetSafeHwnd());

    // Part of an image, from an origin inside it, onto a white canvas.
    CImageList images;
    CClientDC dcList(&m_list);
    CDC dc;
    CBitmap canvas, red;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24, 1, 1) && dc.CreateCompatibleDC(&dcList) &&
                canvas.CreateCompatibleBitmap(&dcList, 16, 16) && red.CreateCompatibleBitmap(&dcList, 16, 16));
    CBitmap* pOld = dc.SelectObject(&red);
    dc.FillSolidRect(0, 0, 16, 16, RGB(255, 0, 0));
    dc.SelectObject(&canvas);
    ASSERT_EQ(0, images.Add(&red, static_cast<CBitmap*>(NULL)));
    dc.FillSolidRect(0, 0, 16, 16, RGB(255, 255, 255));
    EXPECT_TRUE(images.DrawIndirect(&dc, 0, CPoint(4, 4), CSize(6, 6), CPoint(8, 8)));
    EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(9, 9));
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(10, 10));
    dc.SelectObject(pOld);
}

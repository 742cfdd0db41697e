// CListCtrlOut on real report-view lists: the first reads cut at 255
// characters, the walk against the live item count, and an export of a list
// without columns.
#include "OfficeSession.h"
#include "export/ExcelOut.h"
#include "export/ListCtrlOut.h"

#include <afxcmn.h>
#include <afxole.h>

#include <gtest/gtest.h>

namespace {

class ListCtrlOutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateEx(0, NULL, "Склад", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 30, 420, 260, NULL, NULL));
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(5, 5, 400, 220), &m_host, 10));
    }
    void TearDown() override
    {
        m_list.DestroyWindow();
        m_host.DestroyWindow();
        CWnd::DeleteTempMap();
    }

    void AddRow(int nItem, const char* pszFirst, const char* pszSecond)
    {
        ASSERT_EQ(nItem, m_list.InsertItem(nItem, pszFirst));
        if (pszSecond != nullptr)
            m_list.SetItemText(nItem, 1, pszSecond);
    }

    CWnd m_host;
    CListCtrl m_list;
};

template <typename Call>
bool ThrowsInvalidArg(Call call)
{
    try {
        call();
    } catch (CInvalidArgException* e) {
        e->Delete();
        return true;
    }
    return false;
}

}  // namespace

TEST_F(ListCtrlOutTest, NamesAndTheFirstRowAreCutAt255CharactersLaterRowsComeWhole)
{
    const CString strLong(static_cast<char>(0xC6), 300);  // 300 letters
    m_list.InsertColumn(0, strLong, LVCFMT_LEFT, 150);
    m_list.InsertColumn(1, "Цена", LVCFMT_LEFT, 80);
    AddRow(0, strLong, "85.50");
    AddRow(1, strLong, "42.00");

    CListCtrlOut source(&m_list);
    ASSERT_EQ(2, source.GetColumnCount());
    EXPECT_EQ(strLong.Left(255), source.GetColName(0));
    EXPECT_EQ(CString("Цена"), source.GetColName(1));
    EXPECT_EQ(strLong.Left(255), source.GetCellValue(0));
    EXPECT_EQ(CString("85.50"), source.GetCellValue(1));
    source.MoveNext();
    EXPECT_EQ(strLong, source.GetCellValue(0));
    EXPECT_EQ(CString("42.00"), source.GetCellValue(1));
    source.MoveNext();
    EXPECT_TRUE(source.IsEOF());
    EXPECT_EQ(CString("42.00"), source.GetCellValue(1)) << "the last row's texts stay";
    EXPECT_TRUE(ThrowsInvalidArg([&] { source.GetColName(2); }));
    EXPECT_TRUE(ThrowsInvalidArg([&] { source.GetCellValue(-1); }));
}

TEST_F(ListCtrlOutTest, TheWalkFollowsTheLiveItemCountButAnEmptyStartStaysAtTheEnd)
{
    m_list.InsertColumn(0, "Товар", LVCFMT_LEFT, 150);
    m_list.InsertColumn(1, "Цена", LVCFMT_LEFT, 80);
    CListCtrlOut emptyAtStart(&m_list);
    AddRow(0, "Молоко", "85.50");
    EXPECT_TRUE(emptyAtStart.IsEOF()) << "rows added afterwards are never visited";

    AddRow(1, "Хлеб", "42.00");
    AddRow(2, "Сыр", "610.00");
    CListCtrlOut source(&m_list);
    EXPECT_FALSE(source.IsEOF());
    m_list.DeleteItem(2);
    source.MoveNext();
    EXPECT_EQ(CString("Хлеб"), source.GetCellValue(0));
    m_list.DeleteItem(1);
    EXPECT_TRUE(source.IsEOF()) << "a row deleted during the walk shortens it";
}

TEST_F(ListCtrlOutTest, AListWithoutColumnsIsWalkedRowByRowAndExportsItsTitle)
{
    ASSERT_TRUE(AfxOleInit());
    AddRow(0, "Молоко", nullptr);
    AddRow(1, "Хлеб", nullptr);
    CListCtrlOut source(&m_list);
    EXPECT_EQ(0, source.GetColumnCount());
    source.SetTitle("Без столбцов");

    support::COfficeCase office;
    support::CBoxRecorder recorder;
    EXPECT_TRUE(OutExel(&source, false, nullptr));
    EXPECT_TRUE(recorder.Stop().empty());
    EXPECT_TRUE(source.IsEOF());
    // The title cell, and no row addressed after it: a row without columns
    // has no cells.
    const std::vector<std::string> journal = office.ReadJournal();
    ASSERT_EQ(17u, journal.size());
    EXPECT_EQ(u8"Range\tValue\t6\tput\tbstr:Без столбцов", journal[14]);
    EXPECT_EQ("Application\tVisible\t558\tput\tbool:true", journal[16]);
}

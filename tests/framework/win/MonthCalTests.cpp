// The month calendar wrapper on a real control: sizing, the selection and
// today in both date forms, and the months shown.
#include <afxwin.h>
#include <afxcmn.h>

#include <gtest/gtest.h>

namespace {

class MonthCalTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hHost = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 40, 40, 600, 400, NULL, NULL,
                                  GetModuleHandleA(NULL), NULL);
        ASSERT_TRUE(m_host.Attach(m_hHost));
        ASSERT_TRUE(m_ctl.Create(WS_CHILD | WS_VISIBLE, CPoint(5, 5), &m_host, 100));
    }
    void TearDown() override
    {
        m_ctl.DestroyWindow();
        m_host.Detach();
        DestroyWindow(m_hHost);
        CWnd::DeleteTempMap();
    }
    CRect PlaceInHost() const
    {
        CRect rc;
        m_ctl.GetWindowRect(&rc);
        m_host.ScreenToClient(&rc);
        return rc;
    }

    HWND m_hHost = NULL;
    CWnd m_host;
    CMonthCalCtrl m_ctl;
};

TEST_F(MonthCalTest, CreatedAtAPointItTakesItsMinimalSize)
{
    EXPECT_EQ(CWnd::FromHandlePermanent(m_ctl.m_hWnd), &m_ctl);
    CRect rcMin;
    ASSERT_TRUE(m_ctl.GetMinReqRect(&rcMin));
    EXPECT_GT(rcMin.Width(), 0);
    EXPECT_EQ(PlaceInHost(), CRect(5, 5, 5 + rcMin.Width(), 5 + rcMin.Height()));
    // Made bigger by hand, SizeMinReq brings it back and keeps its place.
    m_ctl.MoveWindow(20, 30, rcMin.Width() + 100, rcMin.Height() + 50);
    ASSERT_TRUE(m_ctl.SizeMinReq());
    EXPECT_EQ(PlaceInHost(), CRect(20, 30, 20 + rcMin.Width(), 30 + rcMin.Height()));
}

TEST_F(MonthCalTest, SelectionAndTodayTravelAsDays)
{
    ASSERT_TRUE(m_ctl.SetCurSel(COleDateTime(2019, 3, 15, 14, 35, 10)));
    SYSTEMTIME st = {};
    ASSERT_TRUE(m_ctl.GetCurSel(&st));
    EXPECT_EQ(st.wYear * 10000 + st.wMonth * 100 + st.wDay, 20190315);
    COleDateTime date;
    ASSERT_TRUE(m_ctl.GetCurSel(date));
    // The control keeps days only: the time reads back as midnight.
    EXPECT_TRUE(date == COleDateTime(2019, 3, 15, 0, 0, 0));

    // An invalid date is refused, in either form, and the selection stays.
    EXPECT_FALSE(m_ctl.SetCurSel(COleDateTime(2023, 2, 31, 0, 0, 0)));
    SYSTEMTIME zero = {};
    EXPECT_FALSE(m_ctl.SetCurSel(&zero));
    ASSERT_TRUE(m_ctl.GetCurSel(date));
    EXPECT_TRUE(date == COleDateTime(2019, 3, 15, 0, 0, 0));

    m_ctl.SetToday(COleDateTime(2020, 1, 2, 3, 4, 5));
    // An invalid date does not give the control the system's today back.
    m_ctl.SetToday(COleDateTime(2020, 13, 1, 0, 0, 0));
    ASSERT_TRUE(m_ctl.GetToday(date));
    EXPECT_TRUE(date == COleDateTime(2020, 1, 2, 0, 0, 0));
}

TEST_F(MonthCalTest, ShownMonthsFollowTheSelection)
{
    ASSERT_TRUE(m_ctl.SetCurSel(COleDateTime(2024, 3, 15, 0, 0, 0)));
    COleDateTime first, last, firstShown, lastShown;
    EXPECT_GE(m_ctl.GetMonthRange(first, last, GMR_VISIBLE), 1);
    EXPECT_TRUE(first <= COleDateTime(2024, 3, 1, 0, 0, 0) && last >= COleDateTime(2024, 3, 31, 0, 0, 0));
    // With the neighbours' days the span is wider.
    m_ctl.GetMonthRange(firstShown, lastShown, GMR_DAYSTATE);
    EXPECT_TRUE(firstShown < first && lastShown > last);
}

}  // namespace

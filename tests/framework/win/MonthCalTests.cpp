// The month calendar wrapper on a real control: sizing, the selection and
// today in both date forms, and the months shown.
#include <afxwin.h>
#include <afxcmn.h>

#include <gtest/gtest.h>

namespace {

TEST(MonthCal, SizedToItsMonthItKeepsDaysAndShowsTheSelectedMonth)
{
    CWnd host;
    CMonthCalCtrl ctl;
    ASSERT_TRUE(host.CreateEx(0, NULL, "", WS_POPUP | WS_VISIBLE, 40, 40, 600, 400, NULL, NULL));
    ASSERT_TRUE(ctl.Create(WS_CHILD | WS_VISIBLE, CPoint(5, 5), &host, 100));
    EXPECT_EQ(CWnd::FromHandlePermanent(ctl.m_hWnd), &ctl);
    auto placeInHost = [&] {
        CRect rc;
        ctl.GetWindowRect(&rc);
        host.ScreenToClient(&rc);
        return rc;
    };
    // Created at a point it takes its minimal size; made bigger by hand,
    // SizeMinReq brings it back and keeps its place.
    CRect rcMin;
    ASSERT_TRUE(ctl.GetMinReqRect(&rcMin));
    EXPECT_GT(rcMin.Width(), 0);
    EXPECT_EQ(placeInHost(), CRect(5, 5, 5 + rcMin.Width(), 5 + rcMin.Height()));
    ctl.MoveWindow(20, 30, rcMin.Width() + 100, rcMin.Height() + 50);
    ASSERT_TRUE(ctl.SizeMinReq());
    EXPECT_EQ(placeInHost(), CRect(20, 30, 20 + rcMin.Width(), 30 + rcMin.Height()));

    // The selection travels as days, in both date forms: the time reads back
    // as midnight.
    ASSERT_TRUE(ctl.SetCurSel(COleDateTime(2019, 3, 15, 14, 35, 10)));
    SYSTEMTIME st = {};
    ASSERT_TRUE(ctl.GetCurSel(&st));
    EXPECT_EQ(st.wYear * 10000 + st.wMonth * 100 + st.wDay, 20190315);
    COleDateTime date;
    ASSERT_TRUE(ctl.GetCurSel(date));
    EXPECT_TRUE(date == COleDateTime(2019, 3, 15, 0, 0, 0));
    // An invalid date is refused, in either form, and the selection stays.
    EXPECT_FALSE(ctl.SetCurSel(COleDateTime(2023, 2, 31, 0, 0, 0)));
    SYSTEMTIME zero = {};
    EXPECT_FALSE(ctl.SetCurSel(&zero));
    ASSERT_TRUE(ctl.GetCurSel(date));
    EXPECT_TRUE(date == COleDateTime(2019, 3, 15, 0, 0, 0));
    ctl.SetToday(COleDateTime(2020, 1, 2, 3, 4, 5));
    // An invalid date does not give the control the system's today back.
    ctl.SetToday(COleDateTime(2020, 13, 1, 0, 0, 0));
    ASSERT_TRUE(ctl.GetToday(date));
    EXPECT_TRUE(date == COleDateTime(2020, 1, 2, 0, 0, 0));

    // The months shown follow the selection; with the neighbours' days the span is wider.
    ASSERT_TRUE(ctl.SetCurSel(COleDateTime(2024, 3, 15, 0, 0, 0)));
    COleDateTime first, last, firstShown, lastShown;
    EXPECT_GE(ctl.GetMonthRange(first, last, GMR_VISIBLE), 1);
    EXPECT_TRUE(first <= COleDateTime(2024, 3, 1, 0, 0, 0) && last >= COleDateTime(2024, 3, 31, 0, 0, 0));
    ctl.GetMonthRange(firstShown, lastShown, GMR_DAYSTATE);
    EXPECT_TRUE(firstShown < first && lastShown > last);
    host.DestroyWindow();
}

}  // namespace

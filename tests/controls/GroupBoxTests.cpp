// CGroupBoxCtrl on a form: the three frames its styles choose, read back from
// the screen around each control, and a hundred frames made and destroyed.
#include "controls/GroupBoxCtrl.h"

#include "ControlsTestUtil.h"

#include <gtest/gtest.h>

namespace {

// The frame's colours nOutside pixels out of the control's client area, at
// its left and right edges: the top-left and bottom-right lines.
std::pair<COLORREF, COLORREF> FrameAt(CWnd& host, CWnd& box, int nOutside)
{
    CRect rc;
    box.GetClientRect(&rc);
    ::MapWindowPoints(box.m_hWnd, host.m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    const int y = rc.CenterPoint().y;
    return {controls_test::ScreenPixel(host.m_hWnd, rc.left - nOutside, y),
            controls_test::ScreenPixel(host.m_hWnd, rc.right + nOutside - 1, y)};
}

}  // namespace

TEST(GroupBox, EachStyleDrawsItsFrameAroundTheGroup)
{
    const COLORREF crLight = GetSysColor(COLOR_BTNHIGHLIGHT), crShadow = GetSysColor(COLOR_BTNSHADOW);
    const auto sunkenLine = std::make_pair(crShadow, crLight), raisedLine = std::make_pair(crLight, crShadow);
    controls_test::CHostWnd host("Реквизиты", 420, 200);
    CGroupBoxCtrl sunken, etched, raised;
    ASSERT_TRUE(sunken.Create(0, 0, CRect(20, 20, 120, 120), &host, 1));
    ASSERT_TRUE(etched.Create(SS_SUNKEN, 0, CRect(150, 20, 250, 120), &host, 2));
    ASSERT_TRUE(raised.Create(0, WS_EX_DLGMODALFRAME, CRect(280, 20, 380, 120), &host, 3));
    EXPECT_EQ(sunken.GetStyle() & 0x5002000A, 0x5002000Au);
    host.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);

    // No edge style: sunken, one edge outside the client area; the inside
    // is not painted.
    EXPECT_EQ(FrameAt(host, sunken, 2), sunkenLine);
    EXPECT_EQ(FrameAt(host, sunken, -5).first, GetSysColor(COLOR_BTNFACE));
    // Etched: sunken half an edge outside, raised on the client edge.
    EXPECT_EQ(FrameAt(host, etched, 1), sunkenLine);
    EXPECT_EQ(FrameAt(host, etched, 0), raisedLine);
    // The dialog frame alone: raised.
    EXPECT_EQ(FrameAt(host, raised, 2), raisedLine);
}

class GroupBoxSession : public controls_test::CFormSession<CGroupBoxCtrl> {};

TEST_F(GroupBoxSession, AHundredFramesLeaveNoObjects)
{
    for (int i = 0; i < 100; ++i) {
        m_pControl.reset(new CGroupBoxCtrl);
        ASSERT_TRUE(m_pControl->Create(i % 2 ? SS_SUNKEN : 0, 0, CRect(20, 20, 200, 120), m_pHost.get(), 1));
        m_pControl->UpdateWindow();
    }
}

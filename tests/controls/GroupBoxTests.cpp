// CGroupBoxCtrl on a form: the three frames its styles choose, read back from
// the screen around each control, and a hundred frames made and destroyed.
#include "controls/GroupBoxCtrl.h"

#include "ControlsTestUtil.h"

#include <gtest/gtest.h>

using controls_test::ScreenPixel;

namespace {

// Where a frame lies, as offsets from the control's client rectangle: the
// top-left line at (d, d) outside and the bottom-right one d - 1 outside.
struct CFrameSeen {
    COLORREF crTopLeft, crBottomRight;
};

CFrameSeen FrameAt(CWnd& host, CWnd& box, int nOutside)
{
    CRect rc;
    box.GetClientRect(&rc);
    box.ClientToScreen(&rc);
    host.ScreenToClient(&rc);
    const int y = rc.CenterPoint().y;
    return {ScreenPixel(host.m_hWnd, rc.left - nOutside, y), ScreenPixel(host.m_hWnd, rc.right + nOutside - 1, y)};
}

}  // namespace

TEST(GroupBox, EachStyleDrawsItsFrameAroundTheGroup)
{
    const COLORREF crLight = GetSysColor(COLOR_BTNHIGHLIGHT), crShadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF crFace = GetSysColor(COLOR_BTNFACE);
    controls_test::CHostWnd host("Реквизиты", 420, 200);
    CGroupBoxCtrl sunken, etched, raised;
    ASSERT_TRUE(sunken.Create(0, 0, CRect(20, 20, 120, 120), &host, 1));
    ASSERT_TRUE(etched.Create(SS_SUNKEN, 0, CRect(150, 20, 250, 120), &host, 2));
    ASSERT_TRUE(raised.Create(0, WS_EX_DLGMODALFRAME, CRect(280, 20, 380, 120), &host, 3));
    EXPECT_EQ(sunken.GetStyle() & 0x5002000A, 0x5002000Au);
    host.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);

    // No edge style: sunken, one edge outside the client area; inside the
    // frame nothing is painted.
    const CFrameSeen outer = FrameAt(host, sunken, 2);
    EXPECT_EQ(outer.crTopLeft, crShadow);
    EXPECT_EQ(outer.crBottomRight, crLight);
    EXPECT_EQ(FrameAt(host, sunken, -5).crTopLeft, crFace);

    // Etched: sunken half an edge outside, raised on the client edge.
    const CFrameSeen halfOut = FrameAt(host, etched, 1), onEdge = FrameAt(host, etched, 0);
    EXPECT_EQ(halfOut.crTopLeft, crShadow);
    EXPECT_EQ(halfOut.crBottomRight, crLight);
    EXPECT_EQ(onEdge.crTopLeft, crLight);
    EXPECT_EQ(onEdge.crBottomRight, crShadow);

    // The dialog frame alone: raised.
    const CFrameSeen raisedSeen = FrameAt(host, raised, 2);
    EXPECT_EQ(raisedSeen.crTopLeft, crLight);
    EXPECT_EQ(raisedSeen.crBottomRight, crShadow);
}

TEST(GroupBox, AHundredFramesLeaveNoObjects)
{
    controls_test::CHostWnd host("Реквизиты", 300, 200);
    auto counter = controls_test::MakeCounter();
    for (int i = 0; i < 100; ++i) {
        CGroupBoxCtrl box;
        ASSERT_TRUE(box.Create(i % 2 ? SS_SUNKEN : 0, 0, CRect(20, 20, 200, 120), &host, 1));
        box.UpdateWindow();
        box.DestroyWindow();
    }
    CWnd::DeleteTempMap();
    EXPECT_NO_GUI_LEAKS(*counter);
}

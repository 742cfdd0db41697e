// CSize, CPoint and CRect: the edge rules of emptiness, containment,
// intersection and union.
#include <gtest/gtest.h>

#include <afx.h>
#include <atltypes.h>

namespace {

TEST(Geometry, PartsAreReferencesAndEdgesFollowTheRules)
{
    CRect r(10, 20, 110, 70);
    EXPECT_TRUE(r.Size() == CSize(100, 50) && r.CenterPoint() == CPoint(60, 45));
    r.TopLeft() = CPoint(0, 0);
    r.BottomRight().x = 5;
    static_cast<LPRECT>(r)->bottom = 6;
    EXPECT_EQ(CRect(0, 0, 5, 6), r);
    EXPECT_TRUE(CRect().IsRectNull());
    EXPECT_TRUE(CRect(5, 5, 5, 10).IsRectEmpty() && !CRect(5, 5, 5, 10).IsRectNull());  // no width
    EXPECT_TRUE(CRect(5, 5, 4, 10).IsRectEmpty());                                      // inverted
    // The right and bottom edges are outside.
    const CRect box(0, 0, 10, 10);
    EXPECT_TRUE(box.PtInRect(CPoint(0, 0)) && box.PtInRect(CPoint(9, 9)));
    EXPECT_FALSE(box.PtInRect(CPoint(10, 5)) || box.PtInRect(CPoint(5, 10)));
}

TEST(Geometry, IntersectionAndUnionOfEmptyAndTouchingRectangles)
{
    CRect r;
    EXPECT_TRUE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 15, 15)));
    EXPECT_EQ(CRect(5, 5, 10, 10), r);
    // Touching edges or an empty side share no area: the result is all zeros.
    EXPECT_FALSE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_TRUE(r.IsRectNull());
    r.SetRect(1, 1, 2, 2);
    EXPECT_FALSE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(3, 3, 3, 8)));
    EXPECT_TRUE(r.IsRectNull());
    EXPECT_TRUE(r.UnionRect(CRect(0, 0, 5, 5), CRect(10, -3, 12, 2)));
    EXPECT_EQ(CRect(0, -3, 12, 5), r);
    // An empty rectangle does not stretch the union.
    EXPECT_TRUE(r.UnionRect(CRect(50, 50, 50, 60), CRect(1, 1, 2, 2)));
    EXPECT_EQ(CRect(1, 1, 2, 2), r);
    EXPECT_FALSE(r.UnionRect(CRect(), CRect(3, 3, 3, 3)));
    EXPECT_TRUE(r.IsRectNull());
    // The result may be one of the arguments.
    CRect a(0, 0, 4, 4);
    EXPECT_TRUE(a.IntersectRect(a, CRect(2, 2, 8, 8)));
    EXPECT_EQ(CRect(2, 2, 4, 4), a);
}

}  // namespace

// CSize, CPoint and CRect: the edge rules of emptiness, containment,
// intersection and union, and the arithmetic.
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

TEST(Geometry, IntersectUnionAndArithmetic)
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

    a.SetRect(10, 10, 20, 20);
    a.InflateRect(2, 3);
    EXPECT_EQ(CRect(8, 7, 22, 23), a);
    a.DeflateRect(1, 1, 2, 2);
    a.DeflateRect(CSize(1, 1));
    a.OffsetRect(-10, 1);
    a.OffsetRect(CPoint(1, 1));
    EXPECT_EQ(CRect(1, 11, 10, 22), a);
    a.SetRect(10, 20, 0, 5);
    a.NormalizeRect();
    EXPECT_EQ(CRect(0, 5, 10, 20), a);
    CPoint p(3, 4);
    EXPECT_TRUE(p + CSize(10, 20) == CPoint(13, 24) && p - CSize(10, 20) == CPoint(-7, -16) && -p == CPoint(-3, -4));
    EXPECT_EQ(CSize(3, 4), CPoint(5, 5) - CPoint(2, 1));
    p += CSize(10, 20);
    p -= CPoint(1, 2);
    EXPECT_EQ(CPoint(12, 22), p);
    CRect box(0, 0, 10, 10), margins(1, 2, 3, 4);
    EXPECT_TRUE(box + CPoint(5, 5) == CRect(5, 5, 15, 15) && box - CSize(1, 2) == CRect(-1, -2, 9, 8));
    EXPECT_TRUE(box + &margins == CRect(-1, -2, 13, 14) && box - &margins == CRect(1, 2, 7, 6));
    EXPECT_EQ(CRect(1, 2, 4, 6), CRect(CPoint(1, 2), CSize(3, 4)));
}

}  // namespace

// The list controls' window-free arithmetic. A drop is checked against what a
// user expects of it for every set of dragged rows and every target in lists
// of up to seven rows: the dragged rows, in their order, right after the
// target (at the top for target -1), the other rows in theirs; a target past
// either end, or the last row, appends them.
#include "controls/CheckListLayout.h"
#include "controls/DragDropLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// The rows after the drop as a user expects it.
std::vector<int> ExpectedDrop(int nCount, const std::vector<int>& items, int nTarget)
{
    const bool bAppend = nTarget < -1 || nTarget >= nCount - 1;
    std::vector<int> rest, result;
    int nBefore = 0;  // rows not dragged up to the target, which stay above the dragged ones
    for (int i = 0; i < nCount; ++i) {
        const bool bDragged = std::find(items.begin(), items.end(), i) != items.end();
        if (!bDragged) {
            rest.push_back(i);
            if (i <= nTarget)
                ++nBefore;
        }
    }
    if (bAppend)
        nBefore = static_cast<int>(rest.size());
    result.assign(rest.begin(), rest.begin() + nBefore);
    result.insert(result.end(), items.begin(), items.end());
    result.insert(result.end(), rest.begin() + nBefore, rest.end());
    return result;
}

}  // namespace

TEST(DragDropLayout, EveryDropOfUpToSevenRowsKeepsTheOrderAUserExpects)
{
    int nCases = 0;
    for (int nCount = 1; nCount <= 7; ++nCount) {
        for (int nMask = 1; nMask < (1 << nCount); ++nMask) {
            std::vector<int> items;
            for (int i = 0; i < nCount; ++i) {
                if (nMask & (1 << i))
                    items.push_back(i);
            }
            for (int nTarget = -1; nTarget <= nCount; ++nTarget) {
                int nGap = 0;
                const auto moves = CDragDropLayout::PlanDrop(nCount, items, nTarget, &nGap);
                ASSERT_EQ(ExpectedDrop(nCount, items, nTarget), CDragDropLayout::ApplyMoves(nCount, moves))
                    << nCount << " rows, mask " << nMask << ", target " << nTarget;
                ASSERT_EQ(items.size(), moves.size());
                ++nCases;
            }
        }
    }
    EXPECT_EQ(2004, nCases);
    // Rows outside the list are left out; the gap after the last row placed
    // is where the next drop of the same drag would go.
    int nGap = 0;
    EXPECT_EQ(1u, CDragDropLayout::PlanDrop(4, {-1, 2, 9}, 0, &nGap).size());
    EXPECT_EQ(2, nGap);
}

TEST(DragDropLayout, ColumnsGapsAndScrolling)
{
    EXPECT_EQ((std::vector<int>{1, 2, 3, 0}), CDragDropLayout::MoveColumn(4, 0, 4));
    EXPECT_EQ((std::vector<int>{3, 0, 1, 2}), CDragDropLayout::MoveColumn(4, 3, 0));
    EXPECT_EQ((std::vector<int>{0, 2, 1, 3}), CDragDropLayout::MoveColumn(4, 1, 3));
    // Right before or right after itself, or out of range: nothing moves.
    for (const auto& fromTo : {std::make_pair(2, 2), std::make_pair(2, 3), std::make_pair(4, 0), std::make_pair(0, 5)})
        EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), CDragDropLayout::MoveColumn(4, fromTo.first, fromTo.second));

    const int anWidths[] = {50, 80, 60};
    int nLeft = -1;
    EXPECT_EQ(0, CDragDropLayout::GapAt(anWidths, 3, -5, &nLeft));
    EXPECT_EQ(0, nLeft);
    EXPECT_EQ(1, CDragDropLayout::GapAt(anWidths, 3, 50, &nLeft));
    EXPECT_EQ(50, nLeft);
    EXPECT_EQ(2, CDragDropLayout::GapAt(anWidths, 3, 189, &nLeft));
    EXPECT_EQ(3, CDragDropLayout::GapAt(anWidths, 3, 190, &nLeft));
    EXPECT_EQ(190, nLeft);

    // A view 100 wide scrolled by 70: Right to column 2 brings its right edge
    // (190) in; Left to column 1 its left edge (50); Left to column 0 all the way.
    EXPECT_EQ(20, CDragDropLayout::ScrollToColumn(anWidths, 3, 2, false, 70, 100));
    EXPECT_EQ(0, CDragDropLayout::ScrollToColumn(anWidths, 3, 1, false, 70, 100));
    EXPECT_EQ(-20, CDragDropLayout::ScrollToColumn(anWidths, 3, 1, true, 70, 100));
    EXPECT_EQ(0, CDragDropLayout::ScrollToColumn(anWidths, 3, 2, true, 70, 100));
    EXPECT_EQ(-70, CDragDropLayout::ScrollToColumn(anWidths, 3, 0, true, 70, 100));
}

TEST(CheckListLayout, BitsHitsAndWidths)
{
    EXPECT_EQ(1u, CCheckListLayout::ColumnBit(1));
    EXPECT_EQ(0x80000000u, CCheckListLayout::ColumnBit(32));
    EXPECT_EQ(1u, CCheckListLayout::ColumnBit(33));
    EXPECT_EQ(50, CCheckListLayout::CaptionWidth(33));
    EXPECT_EQ(51, CCheckListLayout::CaptionWidth(34));

    const int anWidths[] = {100, 40, 40};
    EXPECT_EQ(0, CCheckListLayout::CheckColumnAt(anWidths, 3, 100));  // the border
    EXPECT_EQ(1, CCheckListLayout::CheckColumnAt(anWidths, 3, 101));
    EXPECT_EQ(2, CCheckListLayout::CheckColumnAt(anWidths, 3, 179));
    EXPECT_EQ(0, CCheckListLayout::CheckColumnAt(anWidths, 3, 180));

    // Too wide: every column but the last gives up (500 - 700) / 3 = -66, the
    // last takes what remains; columns above 600 count as 600.
    int anWide[] = {300, 200, 200};
    CCheckListLayout::FitToWidth(anWide, 3, 500);
    EXPECT_EQ((std::vector<int>{234, 134, 132}), std::vector<int>(anWide, anWide + 3));
    int anHuge[] = {900, 0, 100};
    CCheckListLayout::FitToWidth(anHuge, 3, 1000);
    // The last column keeps no negative width (-1 and -2 would mean "fit the text").
    EXPECT_EQ((std::vector<int>{1000, 100, 0}), std::vector<int>(anHuge, anHuge + 3));
}

// The list controls' window-free arithmetic, where the case tables on real
// windows cannot reach. A drop is checked against what a user expects of it
// for every set of dragged rows and every target in lists of up to seven
// rows: the dragged rows, in their order, right after the target (at the top
// for target -1), the other rows in theirs; a target past either end, or the
// last row, appends them.
#include "controls/CheckListLayout.h"
#include "controls/DragDropLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// The rows after the drop as a user expects it.
std::vector<int> ExpectedDrop(int nCount, const std::vector<int>& items, int nTarget)
{
    // The rows not dragged up to the target stay above the dragged ones.
    const int nLastAbove = nTarget < -1 || nTarget >= nCount - 1 ? nCount - 1 : nTarget;
    std::vector<int> above, below;
    for (int i = 0; i < nCount; ++i) {
        if (std::find(items.begin(), items.end(), i) == items.end())
            (i <= nLastAbove ? above : below).push_back(i);
    }
    above.insert(above.end(), items.begin(), items.end());
    above.insert(above.end(), below.begin(), below.end());
    return above;
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

TEST(CheckListLayout, FittingShrinksTooWideColumnsAndNeverMakesANegativeWidth)
{
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

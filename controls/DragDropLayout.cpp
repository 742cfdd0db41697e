// The drag-and-drop list's window-free arithmetic.
#include "controls/DragDropLayout.h"

int CDragDropLayout::GapAt(const int* pWidths, int nCount, int x, int* pnLeft)
{
    int nGap = 0, nLeft = 0;
    if (x > 0) {
        for (nGap = 0; nGap < nCount; ++nGap) {
            if (nLeft <= x && x < nLeft + pWidths[nGap])
                break;
            nLeft += pWidths[nGap];
        }
    }
    if (pnLeft != NULL)
        *pnLeft = nLeft;
    return nGap;
}

std::vector<int> CDragDropLayout::MoveColumn(int nCount, int nFrom, int nGap)
{
    std::vector<int> order;
    for (int i = 0; i < nCount; ++i)
        order.push_back(i);
    if (nFrom < 0 || nFrom >= nCount || nGap < 0 || nGap > nCount || !IsColumnMove(nFrom, nGap))
        return order;
    order.erase(order.begin() + nFrom);
    order.insert(order.begin() + (nGap > nFrom ? nGap - 1 : nGap), nFrom);
    return order;
}

std::vector<CDragDropLayout::CRowMove> CDragDropLayout::PlanDrop(int nCount, const std::vector<int>& items, int nTarget,
                                                                 int* pnGap)
{
    // The rows go after the target; past either end they are appended.
    int nGap = nTarget + 1;
    if (nGap < 0 || nGap > nCount - 1)
        nGap = nCount;
    std::vector<int> pending(items);
    std::vector<CRowMove> moves;
    for (size_t i = 0; i < pending.size(); ++i) {
        const int nSource = pending[i];
        if (nSource < 0 || nSource >= nCount)
            continue;
        const CRowMove move = {nSource, nGap};
        moves.push_back(move);
        // A source at the gap itself is pushed down by the insertion as well:
        // it is the copy that stays, so that the row keeps its state and the
        // rows after it keep their order.
        const int nDeleted = move.DeletedRow();
        for (size_t j = i + 1; j < pending.size(); ++j) {
            int& k = pending[j];
            const int nAfterInsert = k >= nGap ? k + 1 : k;
            k = nAfterInsert > nDeleted ? nAfterInsert - 1 : nAfterInsert;
        }
        if (nDeleted > nGap)
            ++nGap;
    }
    if (pnGap != NULL)
        *pnGap = nGap;
    return moves;
}

std::vector<int> CDragDropLayout::ApplyMoves(int nCount, const std::vector<CRowMove>& moves)
{
    std::vector<int> rows;
    for (int i = 0; i < nCount; ++i)
        rows.push_back(i);
    for (const CRowMove& move : moves) {
        const int nRow = rows[move.m_nSource];
        rows.insert(rows.begin() + move.m_nInsertAt, nRow);
        rows.erase(rows.begin() + move.DeletedRow());
    }
    return rows;
}

int CDragDropLayout::ScrollToColumn(const int* pWidths, int nCount, int nColumn, bool bLeft, int nPos, int nClient)
{
    // The sum of the widths of columns 0 .. n, all of them past the last.
    const auto sumTo = [&](int n) {
        int nSum = 0;
        for (int i = 0; i < nCount && (n < 0 || i <= n); ++i)
            nSum += pWidths[i];
        return nSum;
    };
    if (bLeft) {
        if (nColumn <= 0)
            return -nPos;
        const int x = sumTo(nColumn - 1) - nPos;
        return x < 0 ? x : 0;
    }
    const int x = sumTo(nColumn) - nPos - nClient;
    return x >= 0 ? x : 0;
}

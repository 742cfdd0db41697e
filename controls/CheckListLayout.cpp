// The check list's window-free arithmetic.
#include "controls/CheckListLayout.h"

int CCheckListLayout::CaptionWidth(int nTextWidth)
{
    const int nWidth = nTextWidth * 3 / 2;
    return nWidth < 50 ? 50 : nWidth;
}

int CCheckListLayout::CheckColumnAt(const int* pWidths, int nCount, int x)
{
    if (nCount <= 0)
        return 0;
    int nLeft = pWidths[0];
    for (int nColumn = 1; nColumn < nCount; ++nColumn) {
        if (nLeft < x && x < nLeft + pWidths[nColumn])
            return nColumn;
        nLeft += pWidths[nColumn];
    }
    return 0;
}

void CCheckListLayout::FitToWidth(int* pWidths, int nCount, int nAvailable)
{
    if (nCount <= 0)
        return;
    int nSum = 0;
    for (int i = 0; i < nCount; ++i) {
        if (pWidths[i] > 0)
            nSum += pWidths[i] < 600 ? pWidths[i] : 600;
    }
    // Truncated toward zero, so too wide columns all give up the same amount.
    const int nExtra = (nAvailable - nSum) / nCount;
    int nTotal = 0;
    for (int i = 0; i < nCount - 1; ++i) {
        pWidths[i] += nExtra;
        nTotal += pWidths[i];
    }
    // What remains, but never a negative width, which the list view would
    // take for one of its requests to fit the column to its text.
    pWidths[nCount - 1] = nAvailable > nTotal ? nAvailable - nTotal : 0;
}

// The arithmetic of the check list that needs no window: which bit of a row's
// mask a check column owns, which column a click falls in, and the widths
// AddColumns gives the columns.
#pragma once

#include <afx.h>

class CCheckListLayout {
public:
    // The bit of check column nColumn (1, 2, ...) in a row's mask. Only 32
    // columns are distinct: column 33 owns bit 0 again, as column 1 does.
    static UINT ColumnBit(int nColumn) { return 1u << ((nColumn - 1) & 31); }

    // The width AddColumns gives a column whose caption is nTextWidth pixels
    // wide: half as wide again, and never below 50.
    static int CaptionWidth(int nTextWidth);

    // The check column (1 and up) whose inside holds x, or 0 for none: the
    // label column, a border between columns, or right of the last column.
    // pWidths holds the widths of columns 0 .. nCount - 1.
    static int CheckColumnAt(const int* pWidths, int nCount, int x);

    // Makes the columns fill nAvailable pixels: each column but the last gets
    // the same share of the difference (columns counted up to 600 pixels each,
    // and only when wider than 0), and the last one what remains, however
    // narrow that is (0 when nothing remains).
    static void FitToWidth(int* pWidths, int nCount, int nAvailable);
};

// The arithmetic of the drag-and-drop list and its header that needs no
// window: where a dragged column goes, in what steps dragged rows move and
// where every row ends up, and how far the list scrolls sideways to show the
// current cell.
#pragma once

#include <afx.h>

#include <vector>

class CDragDropLayout {
public:
    // --- Columns
    // The gap under x of a header whose items are pWidths wide: gap k lies
    // before item k, and gap nCount after the last item. *pnLeft (when given)
    // gets the gap's x: the left edge of the item, or the total width.
    static int GapAt(const int* pWidths, int nCount, int x, int* pnLeft);
    // A column dropped right before or right after itself moves nothing.
    static bool IsColumnMove(int nFrom, int nGap) { return nGap != nFrom && nGap != nFrom + 1; }
    // The columns after column nFrom moved to gap nGap: element i is the
    // former index of the column now at i. Out-of-range arguments move nothing.
    static std::vector<int> MoveColumn(int nCount, int nFrom, int nGap);

    // --- Rows
    // One step of a drop: the row at m_nSource is copied to a new row inserted
    // at m_nInsertAt, and then the source row (now at DeletedRow()) goes.
    struct CRowMove {
        int m_nSource;
        int m_nInsertAt;
        int DeletedRow() const { return m_nSource >= m_nInsertAt ? m_nSource + 1 : m_nSource; }
    };
    // The steps that put the rows of items (ascending indexes; those outside
    // 0 .. nCount - 1 are skipped) right after row nTarget, in their order. A
    // target outside the rows, or the last row, appends them. *pnGap gets the
    // gap after the last row placed.
    static std::vector<CRowMove> PlanDrop(int nCount, const std::vector<int>& items, int nTarget, int* pnGap);
    // The rows after the steps: element i is the former index of the row now at i.
    static std::vector<int> ApplyMoves(int nCount, const std::vector<CRowMove>& moves);

    // --- The current cell
    // How far to scroll sideways (LVM_SCROLL) so that column nColumn shows
    // after the Left key (bLeft) or the Right key moved to it: its left edge
    // at the view's left, its right edge at the view's right; 0 for no scroll.
    // pWidths: the column widths; nPos: the scroll position; nClient: the
    // width of the view.
    static int ScrollToColumn(const int* pWidths, int nCount, int nColumn, bool bLeft, int nPos, int nClient);
};

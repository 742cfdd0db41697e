// CDragDropHeaderCtrl: the header of a CDragDropListCtrl, whose columns the
// user moves by dragging their captions. The drag begins at the first move
// with the left button held after it went down on a caption; while it lasts a
// small arrow at the header's bottom edge marks the gap the column would go
// to, and on release the header calls back a member function of its target
// with the column and that gap (gap k lies before column k, the gap equal to
// the column count after the last one). A column released right before or
// right after itself moves nowhere and calls nothing.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "frame/ExtkitApi.h"

class EXTKIT_API CDragDropHeaderCtrl : public CHeaderCtrl {
    DECLARE_DYNAMIC(CDragDropHeaderCtrl)
public:
    typedef void (CWnd::*PFNCOLUMNMOVED)(int nColumn, int nGap);

    CDragDropHeaderCtrl();
    CDragDropHeaderCtrl(CWnd* pTarget, PFNCOLUMNMOVED pfn);
    virtual ~CDragDropHeaderCtrl();

    void SetCallback(CWnd* pTarget, PFNCOLUMNMOVED pfn);

protected:
    bool m_bButtonDown;    // the button went down on a caption, no drag yet
    bool m_bDragging;      // a column drag is under way
    int* m_pColumnWidths;  // the widths of all items when the drag began
    int m_nDragColumn;     // the column pressed
    int m_nDropGap;        // the gap the marker shows
    CRect m_rcMarker;      // where the marker was drawn last
    PFNCOLUMNMOVED m_pfnColumnMoved;
    CWnd* m_pTarget;

    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    int m_nWidthCount;  // the elements of m_pColumnWidths
    // Ends a drag: frees the widths, gives the mouse back and wipes the marker.
    void EndDrag();
};

// CGroupBoxCtrl: a one-pixel three-dimensional frame around a group of
// controls, in the system's button highlight and shadow colours. The styles
// given to Create choose the frame:
//  - WS_BORDER or SS_SUNKEN: an etched line, a sunken frame half an edge
//    outside the client area and a raised one on its edge;
//  - otherwise WS_EX_CLIENTEDGE or WS_EX_STATICEDGE (or no edge style at
//    all): a sunken frame one edge outside the client area;
//  - only WS_EX_DLGMODALFRAME: a raised frame there.
// The window is a "STATIC" one without text; the frame is drawn on its
// parent around the control, each time the control paints. The inside is
// not painted.
#pragma once

#include <afxwin.h>

#include "frame/ExtkitApi.h"

class EXTKIT_API CGroupBoxCtrl : public CWnd {
public:
    CGroupBoxCtrl();
    virtual ~CGroupBoxCtrl();

    // WS_CHILD, WS_VISIBLE, WS_GROUP and the owner-drawn static type are
    // added to dwStyle. TRUE when the window was made.
    BOOL Create(DWORD dwStyle, DWORD dwExStyle, const RECT& rect, CWnd* pParent, UINT nID);

protected:
    void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    // The frame around rc, the client area on dc.
    void DrawFrame(CDC& dc, CRect rc);
};

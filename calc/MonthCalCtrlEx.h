// CMonthCalCtrlEx: the month calendar with a picture in a narrow strip at its
// right edge, painted again after every background erase, left click and
// paint of the control.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "frame/ExtkitApi.h"

// Posted to the control itself to paint the strip once the control's own
// painting is done.
#define WM_MONTHCAL_PAINTBTN (WM_USER + 50)

class EXTKIT_API CMonthCalCtrlEx : public CMonthCalCtrl {
public:
    CMonthCalCtrlEx();
    virtual ~CMonthCalCtrlEx();

    HICON m_hIcon;  // the library's strip picture, owned by the control

protected:
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnPaint();
    // Paints the picture over the right strip of the whole window; returns 1.
    LRESULT OnPaintBtn(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

// Placement of drop-down windows.
#include "win/DropDown.h"

CPoint AFXAPI AfxGetDropDownPos(const RECT& rcAnchor, SIZE sizeDropDown, BOOL bKeepOnScreen)
{
    CPoint pt(rcAnchor.left, rcAnchor.bottom);
    if (bKeepOnScreen) {
        const int nRight = ::GetSystemMetrics(SM_CXSCREEN) - ::GetSystemMetrics(SM_CXVSCROLL);
        const int nBottom = ::GetSystemMetrics(SM_CYSCREEN) - ::GetSystemMetrics(SM_CYHSCROLL);
        if (pt.x + sizeDropDown.cx > nRight)
            pt.x = nRight - sizeDropDown.cx;
        if (pt.y + sizeDropDown.cy > nBottom)
            pt.y = rcAnchor.top - sizeDropDown.cy;
    }
    return pt;
}

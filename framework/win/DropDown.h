// Placement of drop-down windows (calculators, calendars, lists) under the
// field they belong to. This is the framework's own helper.
#pragma once

#include "win/Platform.h"
#include "core/Geometry.h"

// The screen position of a drop-down window's top-left corner: on the
// bottom-left corner of rcAnchor (screen coordinates). With bKeepOnScreen the
// window is pulled left so that its right edge stops a vertical scroll bar's
// width short of the screen's right edge, and goes above the anchor when its
// bottom would pass a horizontal scroll bar's height short of the screen's
// bottom.
FRAMEWORK_API CPoint AFXAPI AfxGetDropDownPos(const RECT& rcAnchor, SIZE sizeDropDown, BOOL bKeepOnScreen);

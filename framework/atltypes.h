// CSize, CPoint and CRect. On Windows they sit on the platform's SIZE, POINT
// and RECT, so this header brings in the platform's basic definitions.
#pragma once

#include "core/Geometry.h"

// The framework's common-control wrappers: tool-tips, image lists and the
// month calendar.
#pragma once

#include "afxwin.h"

#ifdef _WIN32
#    include "win/ToolTip.h"
#    include "win/ImageList.h"
#    include "win/MonthCal.h"
#endif

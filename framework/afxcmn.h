// The framework's common-control wrappers, one header per control family:
// tool-tips, image lists, the month calendar, list views and headers, tree
// views.
#pragma once

#include "afxwin.h"

#ifdef _WIN32
#    include "win/ToolTip.h"
#    include "win/ImageList.h"
#    include "win/MonthCal.h"
#    include "win/HeaderCtrl.h"
#    include "win/ListCtrl.h"
#    include "win/TreeCtrl.h"
#endif

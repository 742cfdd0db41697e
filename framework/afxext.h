// The framework's extensions for Windows hosts: control bars and the toolbar
// built from a toolbar resource.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"

#ifdef _WIN32
#    include "win/ToolBar.h"
#endif

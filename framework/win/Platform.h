// The platform's declarations for the Win32 half of the framework. Portable
// headers never include this; every header of framework/win does, first.
#pragma once

#ifndef _WIN32
#    error "the window framework is for Windows builds only"
#endif
#include <windows.h>
#include <commctrl.h>

#include "core/Types.h"
#include "core/DateTime.h"  // undoes <windows.h>'s GetCurrentTime macro

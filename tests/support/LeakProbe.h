// The functions of leakprobe.dll (see LeakProbe.cpp), kinds as in GuiKind.
#pragma once

#include <windows.h>

#include "GuiObjectCounter.h"

#ifdef LEAKPROBE_BUILD
#    define LEAKPROBE_API __declspec(dllexport)
#else
#    define LEAKPROBE_API __declspec(dllimport)
#endif

extern "C" {
// Makes one object of the kind; the caller frees it with ProbeFree or leaks it.
LEAKPROBE_API HANDLE ProbeMake(int nKind);
LEAKPROBE_API BOOL ProbeFree(int nKind, HANDLE h);
// Loads shared icons and cursors and uses a DC and bitmap it frees; returns
// how many shared objects were loaded.
LEAKPROBE_API int ProbeUseShared();
// A menu bar holding one popup; DestroyMenu on the bar frees both.
LEAKPROBE_API HMENU ProbeMenuWithPopup();
// A bitmap copied with LR_COPYDELETEORG: only the copy is left.
LEAKPROBE_API HANDLE ProbeCopyDeletingOriginal();
}

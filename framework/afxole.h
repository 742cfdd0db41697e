// OLE data transfer for Windows hosts: shared memory files, data objects and
// sources, drop sources and targets, on top of the window framework.
#pragma once

#include "afxwin.h"

#ifdef _WIN32
#    include "win/SharedFile.h"
#    include "win/Ole.h"
#endif

// Automation for Windows hosts: calling a server's objects by dispatch
// identifier (COleDispatchDriver), the variants of their arguments
// (COleVariant), the parameter-type strings (VTS_...) and the exceptions a
// call raises (COleException, COleDispatchException).
#pragma once

#include "afxole.h"

#ifdef _WIN32
#    include "win/Dispatch.h"
#endif

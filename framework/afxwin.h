// The framework for Windows hosts: the portable core and its collections, plus
// the module state, extension modules, the application object, command
// targets with their message maps, and windows.
#pragma once

#include "afx.h"
#include "afxcoll.h"
#include "afxres.h"

#ifdef _WIN32
#include "win/ModuleState.h"
#include "win/ExtensionModule.h"
#include "win/WinApp.h"
#include "win/CmdTarget.h"
#include "win/Wnd.h"
#include "win/DataExchange.h"
#include "win/Dialog.h"
#include "win/Controls.h"
#include "win/Gdi.h"
#endif

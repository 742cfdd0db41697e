// The framework for Windows hosts: the portable core and its collections, plus
// the module state, extension modules, the application object with its wait
// cursor and message boxes, command targets with their message maps, windows,
// dialogs with data exchange, the standard controls (one header per control
// family), graphics, menus, documents and the print information.
#pragma once

#include "afx.h"
#include "afxcoll.h"
#include "afxres.h"
#include "atltypes.h"

#ifdef _WIN32
#    include "win/Platform.h"
#    include "win/ModuleState.h"
#    include "win/ExtensionModule.h"
#    include "win/WinApp.h"
#    include "win/WaitCursor.h"
#    include "win/MessageBox.h"
#    include "win/CmdTarget.h"
#    include "win/Wnd.h"
#    include "win/DataExchange.h"
#    include "win/Dialog.h"
#    include "win/DropDown.h"
#    include "win/Clipboard.h"
#    include "win/Static.h"
#    include "win/Button.h"
#    include "win/Edit.h"
#    include "win/ListBox.h"
#    include "win/ComboBox.h"
#    include "win/ScrollBar.h"
#    include "win/Gdi.h"
#    include "win/Menu.h"
#    include "win/Document.h"
#    include "win/PrintInfo.h"
#endif

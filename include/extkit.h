// extkit: everything a host includes to use the library.
#pragma once

#include <afx.h>
#ifdef _WIN32
#include <afxwin.h>
#endif

#include "frame/Frame.h"
#include "calc/CalculatorEngine.h"
#include "grammar/GrammarCase.h"
#include "edit/EditSurface.h"
#include "edit/EditMask.h"
#ifdef _WIN32
#include "edit/EditEx.h"
#include "edit/DropTargetText.h"
#include "calc/CalendarDlg.h"
#include "calc/MonthCalCtrlEx.h"
#include "calc/CalculatorDlg.h"
#endif

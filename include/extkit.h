// extkit: everything a host includes to use the library.
#pragma once

#include <afx.h>
#ifdef _WIN32
#include <afxwin.h>
#endif

#include "frame/Frame.h"
#include "calc/CalculatorEngine.h"
#include "grammar/GrammarCase.h"

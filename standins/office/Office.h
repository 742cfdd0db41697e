// The two applications of the office stand-in and what they share.
#pragma once

#include "Automation.h"

// A fresh application object, with the reference its creator takes.
CAutoObject* CreateExcelApplication();
CAutoObject* CreateWordApplication();

// The folder named by EXTKIT_OFFICE_SAVE_DIR, empty when none is.
std::wstring GetSaveFolder();

// The framework's portable core: scalar types, CObject and run-time classes,
// CString, exceptions, CFile, CArchive, dates. Nothing here needs the
// platform's headers; CSize/CPoint/CRect are in <atltypes.h>, the windows in
// <afxwin.h>.
#pragma once

#include "core/Types.h"
#include "core/Object.h"
#include "core/String.h"
#include "core/Exception.h"
#include "core/File.h"
#include "core/Archive.h"
#include "core/DumpContext.h"
#include "core/DateTime.h"

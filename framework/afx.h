// The framework's core: scalar types, CObject and run-time classes, CString,
// exceptions, CFile, CArchive, and CSize/CPoint/CRect.
#pragma once

#include "core/Types.h"
#include "core/Object.h"
#include "core/String.h"
#include "core/Exception.h"
#include "core/File.h"
#include "core/Archive.h"
#include "core/DumpContext.h"
#include "core/Geometry.h"
#include "core/DateTime.h"

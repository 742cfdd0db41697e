// Export of a table to a new spreadsheet workbook through automation
// ("Excel.Application"): row 1 the title, row 2 the column names, then one
// row per data row, each kind of row in its font record's face, size and
// boldness. The spreadsheet is left open and visible with the unsaved
// workbook; the user takes over from there.
#pragma once

#include "export/ListOut.h"

// Reads pList once from its current row to its end; it is not deleted.
// bGroup asks for grouping, which is not made yet: the export then stops
// after the title with a message. pszParam is not read. True when the export
// ran to its end (also after the grouping message); false when the
// spreadsheet could not be started or an automation call failed (the user
// was shown why). An exception of the source passes on to the caller.
// The thread must have initialised COM (AfxOleInit).
EXTKIT_API bool OutExel(CAbstractListOut* pList, bool bGroup, const char* pszParam);

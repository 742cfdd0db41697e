// Export of a table to a new word-processor document through automation
// ("Word.Application"): a title paragraph, then the table in one of three
// layouts. The font records give the faces of the title, the column names and
// the cells; their alignment the paragraph and table-row alignment. The word
// processor is left open and visible with the unsaved document.
#pragma once

#include "export/ListOut.h"

// The layouts; no other value is accepted.
enum eTypeOutWord : int {
    eTypeOutWordTable = 0,  // a table: a row of column names, then a row per data row
    eTypeOutWordTabs = 1,   // a line of column names, then a paragraph per data row, fields split by tabs
    eTypeOutWordFields =
        2,  // per data row a paragraph per column: "name :<tab>value"; two empty paragraphs after each row
};

// Reads pList once to its end; it is not deleted. pszTemplate names the
// new document's template; null or empty takes the application's default.
// True when the export ran to its end; false when the word processor could
// not be started, an automation call failed (the user was shown why), or
// eType is not a layout (then without a message, and the word processor is
// never shown). An exception of the source passes on to the caller.
// The thread must have initialised COM (AfxOleInit).
EXTKIT_API bool OutToWord(CAbstractListOut* pList, eTypeOutWord eType, const char* pszTemplate);

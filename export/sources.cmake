# List export: the table source with its title and fonts (portable), the
# source over a report-view list, and the exports to the spreadsheet and the
# word processor through automation; for the tool and the tests, a source
# over a tab-separated file.
extkit_subsystem(export
  PORTABLE ListOut.cpp
  WIN32 ListCtrlOut.cpp OfficeOut.cpp ExcelOut.cpp WordOut.cpp
  TOOLING TsvListOut.cpp
  HEADERS ListOut.h
  WIN32_HEADERS ListCtrlOut.h ExcelOut.h WordOut.h
  LIBS ole32 oleaut32 uuid
  TOOL ExportCommand.cpp
  GALLERY ExportPage.cpp)

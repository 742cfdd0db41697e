// Case tables: the cases of an engine as data, in tests/data/NAME (copied
// beside the test programs). Each case is an input line in the extkit tool's
// batch format and, on the next line, the line the tool prints for it. Lines
// "# ..." between cases say what the following group guards; blank lines are
// skipped. A case may add a line "window<TAB>EXPECTED" after its expected
// line: what a real window shows where the platform differs, with the
// reason in the comment above the case.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace support {

struct CTableCase {
    int m_nLine = 0;  // the input's line in the table
    std::string m_strInput;
    std::string m_strExpected;
    std::string m_strWindowExpected;  // the same as m_strExpected unless the table says
};

// The table's cases; a table that cannot be read or ends inside a case fails
// the test calling this.
std::vector<CTableCase> ReadCaseTable(const std::string& strName);

// Runs every case through run and reports each whose output differs, with the
// table's name and line; with bWindow the window's expected lines count. The
// number of cases is recorded as the test's property "table_cases".
void CheckCaseTable(const std::string& strName, const std::function<std::string(const std::string&)>& run,
                    bool bWindow = false);

// An input line's fields split by tabs, with \t \r \n \0 \\ and \xHH in them resolved.
std::vector<std::string> SplitCaseFields(const std::string& strLine);

}  // namespace support

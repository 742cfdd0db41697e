// The hot-key table's case table (tests/data/hotkey.txt) through the extkit
// tool's own code: matching, removing, the stored bytes and hostile archives.
#include "CaseTable.h"
#include "Commands.h"

#include <gtest/gtest.h>

TEST(HotKeyTable, Cases)
{
    support::CheckCaseTable("hotkey.txt", [](const std::string& strLine) {
        std::string strOut, strProblem;
        RunHotKeyBatchLine(strLine, strOut, strProblem);
        return strOut;
    });
}

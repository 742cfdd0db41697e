// The icon and bitmap file readers' case table (tests/data/icon.txt) through
// the extkit tool's own code, on the files the picture generator wrote.
#include "CaseTable.h"
#include "Commands.h"
#include "ToolRun.h"

#include <gtest/gtest.h>

TEST(IconTable, Cases)
{
    const std::string strDir = (support::ToolPath().parent_path() / "data" / "icons").string();
    support::CheckCaseTable("icon.txt", [&](const std::string& strLine) {
        std::string strOut, strProblem;
        RunIconBatchLine(strLine, strDir, strOut, strProblem);
        return strOut;
    });
}

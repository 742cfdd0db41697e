// The printed tree's page layout through the extkit tool's pages command and
// tests/data/treepages.txt: rows per page, page counts, bands, where the title
// and the page line go, and the lines the command refuses.
#include "CaseTable.h"
#include "Commands.h"

#include <gtest/gtest.h>

TEST(TreeColorPrnPages, TheTable)
{
    support::CheckCaseTable("treepages.txt", [](const std::string& strLine) {
        std::string strOut, strProblem;
        const bool bValid = RunPagesBatchLine(strLine, strOut, strProblem);
        EXPECT_EQ(bValid, strProblem.empty()) << strLine;
        return strOut;
    });
}

// The checksum case table (tests/data/checksum.txt) through the extkit tool's
// own batch code: every algorithm's values, starts, polynomials and widths,
// the long inputs of the fast paths, and the lines the tool refuses.
#include "CaseTable.h"
#include "Commands.h"

#include <gtest/gtest.h>

TEST(ChecksumTable, EveryCase)
{
    support::CheckCaseTable("checksum.txt", [](const std::string& strLine) {
        std::string strOut, strProblem;
        const bool bValid = RunChecksumBatchLine(strLine, strOut, strProblem);
        // A refused line says why; an accepted one has nothing to say.
        EXPECT_EQ(bValid, strProblem.empty()) << strLine;
        return strOut;
    });
}

// The calculator's case table (tests/data/calc.txt) through the extkit tool's
// own batch code, natively and under Wine, where the C runtime differs: the
// same digits there prove the number text is the library's own; and the
// lines the table cannot hold.
#include "CaseTable.h"
#include "Commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(CalcTable, EveryCase)
{
    support::CheckCaseTable("calc.txt", [](const std::string& strLine) {
        std::string strOut, strProblem;
        const bool bValid = RunCalcBatchLine(strLine, strOut, strProblem);
        // An invalid line says so in its output, and only then.
        EXPECT_EQ(bValid, strOut.compare(0, 6, "error\t") != 0) << strLine;
        return strOut;
    });
}

TEST(CalcTable, LinesTheTableCannotHold)
{
    std::string strOut, strProblem;
    EXPECT_FALSE(RunCalcBatchLine("", strOut, strProblem));
    EXPECT_EQ(u8"error\tточность не число: ", strOut);
    // A key holding an escape sequence is shown, but the sequence does not
    // reach the terminal.
    EXPECT_FALSE(RunCalcBatchLine("2\t\t1 \x1B[2J 2", strOut, strProblem));
    EXPECT_EQ(u8"error\tнеизвестная клавиша: \\x1B[2J", strOut);
}


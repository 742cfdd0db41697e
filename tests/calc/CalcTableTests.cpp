// The calculator's case table (tests/data/calc.txt) through the extkit tool's
// own batch code, natively and under Wine, where the C runtime differs: the
// same digits there prove the number text is the library's own. Then the
// tool itself as a user's shell runs it: the exit statuses and what goes to
// standard error.
#include "CaseTable.h"
#include "Commands.h"
#include "ToolRun.h"

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

TEST(CalcTool, ExitStatusesAndTheSixLines)
{
    support::CTempDir dir("extkit_calc_");
    const auto run = [&](std::vector<std::string> args, const std::string& strInput = std::string()) {
        args.insert(args.begin(), "calc");
        return support::RunTool(dir.GetPath(), args, strInput);
    };
    support::CToolRun result = run({"--precision=3", "--value", "0.125", "ms", "ce", "7", "+", "2", "="});
    EXPECT_EQ(0, result.m_nStatus) << result.m_strErr;
    EXPECT_EQ("value=9.000\naccum=\noper=\nmemory=0.125\nselected=0\nrefused=0\n", result.m_strOut + result.m_strErr);
    EXPECT_EQ("value=0.00\naccum=\noper=\nmemory=\nselected=-1\nrefused=0\n", run({}).m_strOut);
    // Bad usage: nothing on standard output, the reason on standard error;
    // "--" ends the options, and a key that looks like one is still no key.
    result = run({"1", "x", "2"});
    EXPECT_TRUE(result.m_nStatus == 2 && result.m_strOut.empty()) << result.m_strOut;
    EXPECT_NE(std::string::npos, result.m_strErr.find("x"));
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"--precision", "two"}, {"--", "--value"}, {"--value=1,5"}})
        EXPECT_EQ(2, run(args).m_nStatus) << args[0];
    // Batch: a line for every input line (CRLF or none at the end), the bad
    // ones named by number on standard error, and then the status 1.
    result = run({"--batch"}, "0\t2.5\t\r\nx\t\t1\n\n1\t\t9 sqrt");
    EXPECT_EQ(1, result.m_nStatus);
    EXPECT_EQ(u8"3\t\t\t\t-1\t0\nerror\tточность не число: x\nerror\tточность не число: \n3.0\t\t\t\t-1\t0\n",
              result.m_strOut);
    EXPECT_NE(std::string::npos, result.m_strErr.find(u8"строка 2: "));
    EXPECT_NE(std::string::npos, result.m_strErr.find(u8"строка 3: "));
    EXPECT_EQ(std::string::npos, result.m_strErr.find(u8"строка 1: "));
    EXPECT_EQ(0, run({"--batch"}, "2\t\t1\n").m_nStatus);
}

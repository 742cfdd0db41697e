// The extkit tool's calc command, run as a separate program: the six lines, the
// batch format with its error lines, and the exit statuses of bad usage.
#include "ToolRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
using CRun = support::CToolRun;

class CalcTool : public ::testing::Test {
protected:
    // Runs "extkit calc ARGS..." with strInput (bytes) as its standard input.
    CRun Run(const std::vector<std::string>& args, const std::string& strInput = std::string())
    {
        std::vector<std::string> all{"calc"};
        all.insert(all.end(), args.begin(), args.end());
        const CRun run = support::RunTool(m_dir, all, strInput);
        if (run.m_nStatus < 0)
            ADD_FAILURE() << "the tool did not run: status " << run.m_nStatus << ", " << run.m_strErr;
        return run;
    }

    support::CTempDir m_tempDir{"extkit_calc_"};
    const fs::path m_dir = m_tempDir.GetPath();
};

std::string Lines(const std::string& strValue, const std::string& strAccum, const std::string& strOper,
                  const std::string& strMemory, const std::string& strSelected, const std::string& strRefused)
{
    return "value=" + strValue + "\naccum=" + strAccum + "\noper=" + strOper + "\nmemory=" + strMemory +
           "\nselected=" + strSelected + "\nrefused=" + strRefused + "\n";
}
}  // namespace

TEST_F(CalcTool, PrintsTheSixValues)
{
    CRun run = Run({"2", "+", "3", "*", "4", "="});
    EXPECT_EQ(0, run.m_nStatus);
    EXPECT_EQ(Lines("20.00", "", "", "", "-1", "0"), run.m_strOut);
    EXPECT_EQ("", run.m_strErr);
    EXPECT_EQ(Lines("", "12.00", "/", "", "-1", "0"), Run({"1", "2", "/"}).m_strOut);
    EXPECT_EQ(Lines("0.00", "", "", "", "-1", "0"), Run({}).m_strOut);
}

TEST_F(CalcTool, ValuePrecisionAndEveryKey)
{
    CRun run = Run({"--precision", "0", "--value", "2.5"});
    EXPECT_EQ(Lines("3", "", "", "", "-1", "0"), run.m_strOut);

    run = Run({"--precision=3", "--value=0.125", "ms", "ce", "7", ".", "5", "m+", "back", "neg", "ms", "msel:0", "mr",
               "sqrt", "1/x", "%", "prec:1", "msel:9"});
    EXPECT_EQ(0, run.m_nStatus);
    // ms 0.125; m+ adds 7.5 to it; "7." negated is stored; 7.625 recalled, its
    // root written at 3 decimals, then its reciprocal; % of no accumulator.
    EXPECT_EQ(Lines("0.000", "", "", "7.625;-7.", "0", "0"), run.m_strOut);

    run = Run({"--precision", "1", "5", ".", "1", "2", "3", "neg", "sqrt", "c", "mc", "8", "-", "ce", "9", "="});
    EXPECT_EQ(Lines("-1.0", "", "", "", "-1", "3"), run.m_strOut);
}

TEST_F(CalcTool, BadUsage)
{
    CRun run = Run({"1", "x", "2"});
    EXPECT_EQ(2, run.m_nStatus);
    EXPECT_EQ("", run.m_strOut);
    EXPECT_NE(std::string::npos, run.m_strErr.find("x"));
    // "--" ends the options; a key that looks like one is still no key.
    const std::vector<std::vector<std::string>> aBad = {
        {"--precision", "two"}, {"--precision"},    {"--colour", "red"}, {"prec:"},      {"msel:a"},
        {"--", "--value"},      {"--value", "abc"}, {"--value=1,5"},     {"--value", ""}};
    for (const auto& args : aBad)
        EXPECT_EQ(2, Run(args).m_nStatus) << args[0];
    EXPECT_EQ(2, Run({"--batch", "5"}, "2\t\t1\n").m_nStatus);
    run = Run({"--help"});
    EXPECT_EQ(0, run.m_nStatus);
    EXPECT_NE(std::string::npos, run.m_strOut.find("--batch"));
}

TEST_F(CalcTool, BatchLinesAndErrorLines)
{
    const std::string strInput = "2\t\t2 + 3 * 4 =\n"
                                 "0\t2.5\t\n"
                                 "2\t\t1 . 2 3 4  ms\r\n"
                                 "x\t\t1\n"
                                 "2\t\t1 \x1B[2J 2\n"
                                 "15\t1e-3\n"
                                 "\n"
                                 "2\t1,5\t\n"
                                 "1\t\t9 sqrt neg sqrt";  // no line end at the end of the input
    CRun run = Run({"--batch"}, strInput);
    EXPECT_EQ(1, run.m_nStatus);  // some lines failed
    std::vector<std::string> lines;
    size_t nPos = 0;
    for (size_t nEnd; (nEnd = run.m_strOut.find('\n', nPos)) != std::string::npos; nPos = nEnd + 1)
        lines.push_back(run.m_strOut.substr(nPos, nEnd - nPos));
    ASSERT_EQ(9u, lines.size()) << run.m_strOut;
    EXPECT_EQ("20.00\t\t\t\t-1\t0", lines[0]);
    EXPECT_EQ("3\t\t\t\t-1\t0", lines[1]);
    EXPECT_EQ("1.23\t\t\t1.23\t0\t1", lines[2]);
    EXPECT_EQ("0.0010000000\t\t\t\t-1\t0", lines[5]);
    EXPECT_EQ("-3.0\t\t\t\t-1\t1", lines[8]);
    // Error lines in the data, each also told on standard error with its number.
    for (int i : {3, 4, 6, 7}) {
        EXPECT_EQ(0u, lines[i].rfind("error\t", 0)) << i;
        EXPECT_NE(std::string::npos, run.m_strErr.find(u8"строка " + std::to_string(i + 1) + ": ")) << run.m_strErr;
    }
    // The key is shown, its escape sequence does not reach the terminal.
    EXPECT_NE(std::string::npos, lines[4].find("\\x1B[2J"));
    EXPECT_EQ(std::string::npos, (run.m_strOut + run.m_strErr).find('\x1B'));

    run = Run({"--batch"}, "3\t-0\tneg\n");
    EXPECT_EQ(0, run.m_nStatus);
    EXPECT_EQ("0.000\t\t\t\t-1\t0\n", run.m_strOut);
}

// Name declension: the case table (tests/data/decline.txt) through the extkit
// tool's batch code, natively and under Wine; what the batch format cannot
// say (the three separate parts, cases outside the six, the stored parts, the
// comparison of endings); and the tool's decline command as a user's shell
// runs it.
#include "CaseTable.h"
#include "Commands.h"
#include "Console.h"
#include "ToolRun.h"
#include "grammar/GrammarCase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
// The parts selected in the case, as UTF-8 (the library's text is Windows-1251).
std::string Decline(CGrammarCase_S& grammar, int nCase, unsigned nParts = GC_ALLPARTS)
{
    CString strResult("(unchanged)");
    EXPECT_EQ(0u, grammar.GetGrammarCase(strResult, (EGrammarCase)nCase, nParts));
    return Cp1251ToUtf8(strResult.GetString());
}

std::string Text(const char* pszUtf8)
{
    return Utf8ToCp1251(pszUtf8);
}
}  // namespace

TEST(DeclineTable, EveryCase)
{
    support::CheckCaseTable("decline.txt", [](const std::string& strLine) {
        std::string strOut, strProblem;
        const bool bValid = RunDeclineBatchLine(strLine, strOut, strProblem);
        EXPECT_EQ(bValid, strOut != "#invalid" && strOut != "#unencodable") << strLine;
        return strOut;
    });
    // Bytes that are no UTF-8 at all: overlong, a surrogate, cut short, no
    // continuation, five bytes, a zero byte the library's text cannot hold.
    for (const char* psz : {"\xC0\xAF", "\xED\xA0\x80", "\xD0", "\xD0\x41", "\xF8\x88\x80\x80\x80"}) {
        std::string strOut, strProblem;
        EXPECT_FALSE(RunDeclineBatchLine(std::string("m\t1\t7\t") + psz, strOut, strProblem));
        EXPECT_EQ("#unencodable", strOut);
    }
    std::string strOut, strProblem;
    EXPECT_FALSE(RunDeclineBatchLine(std::string("m\t1\t7\tA\0B", 9), strOut, strProblem));
    EXPECT_EQ("#unencodable", strOut);
}

TEST(GrammarCase, ThreeSeparatePartsCopiesAndCasesOutsideTheSix)
{
    CGrammarCase_S grammar(Text(u8"  Пётр ").c_str(), Text(u8"ПЕТРОВИЧ").c_str(), Text(u8"де Ла Фер").c_str(), true);
    // Each part trimmed and kept in lower case, its capitals remembered.
    EXPECT_EQ(u8"петрович", Cp1251ToUtf8(grammar.m_MiddleName.m_strName.GetString()));
    EXPECT_TRUE(grammar.m_MiddleName.m_bUpper && !grammar.m_FirstName.m_bUpper);
    // Blanks inside a part stay; the bits beyond the three select nothing more.
    EXPECT_EQ(u8"Де ла фера Пётра ПЕТРОВИЧА", Decline(grammar, gcGenitive, 0xFFFFFFFFu));
    for (int nCase : {-1, 6, 0x7FFFFFFF})
        EXPECT_EQ(u8"Де ла фер Пётр ПЕТРОВИЧ", Decline(grammar, nCase)) << nCase;

    CGrammarCase_S copy(grammar);
    grammar.Init(Text(u8"Анна-Мария").c_str(), "", nullptr, false);
    EXPECT_EQ(u8"Анна-Марии", Decline(grammar, gcDative));
    EXPECT_EQ(u8"Де ла феру Пётру ПЕТРОВИЧУ", Decline(copy, gcDative));
    copy = grammar;
    EXPECT_EQ(u8"Анна-Марию", Decline(copy, gcAccusative));

    // No name: 2, and the result is left as it was.
    CString strResult("kept");
    EXPECT_EQ(2u, CGrammarCase_S().GetGrammarCase(strResult, gcGenitive, 7));
    EXPECT_EQ(2u, CGrammarCase_S(nullptr, nullptr, nullptr, true).GetGrammarCase(strResult, gcGenitive, 7));
    EXPECT_EQ(2u, CGrammarCase_S(nullptr, true).GetGrammarCase(strResult, gcGenitive, 7));
    EXPECT_EQ("kept", std::string(strResult));
}

TEST(GrammarCase, FullNamesSplitAtEveryBlankAndEndingsIgnoreLetterCase)
{
    // Tabs, line ends, bell and backspace separate like blanks.
    CGrammarCase_S grammar(Text(u8"\t\x07Иванов\x08Иван\r\n\tИванович \r\n").c_str(), true);
    EXPECT_EQ(u8"иванов|иван|иванович", Cp1251ToUtf8(std::string(grammar.m_LastName.m_strName) + "|" +
                                                     std::string(grammar.m_FirstName.m_strName) + "|" +
                                                     std::string(grammar.m_MiddleName.m_strName)));
    CString strResult;
    EXPECT_EQ(2u, CGrammarCase_S(" \t\r\n\x07\x08 ", false).GetGrammarCase(strResult, gcDative, 7));

    // The rules see lower-case words, but the comparison of endings is the
    // code page's own, letter by letter.
    const struct {
        const char* pszWord;
        const char* pszEnding;
        bool bResult;
    } aCases[] = {
        {u8"ИВАНОВ", u8"ов", true},    {u8"иванов", u8"ОВ", true},  {u8"СоловьЁв", u8"ёв", true},
        {u8"соловьев", u8"ёв", false}, {u8"в", u8"ов", false},      {u8"в", "", true},
        {u8"ово-ов", u8"ово", false},  {u8"Петров", u8"oв", false},  // a Latin o
    };
    for (const auto& c : aCases)
        EXPECT_EQ(c.bResult, grammar.IsEnding(Text(c.pszWord).c_str(), Text(c.pszEnding).c_str()))
            << c.pszWord << " " << c.pszEnding;
}

TEST(DeclineTool, ExitStatusesAndBatchLinesAsTheyCome)
{
    support::CTempDir dir("extkit_decline_");
    const auto run = [&](std::vector<std::string> args, const std::string& strInput = std::string()) {
        args.insert(args.begin(), "decline");
        const support::CToolRun result = support::RunTool(dir.GetPath(), args, strInput);
        EXPECT_GE(result.m_nStatus, 0) << "the tool did not run: " << result.m_strErr;
        return result;
    };
    // All six cases, or one by number or name; the parts separately; several words are one name.
    support::CToolRun result = run({"--female", u8"Петрова", u8"Анна"});
    EXPECT_EQ(0, result.m_nStatus);
    EXPECT_EQ(u8"Петрова Анна\nПетровой Анны\nПетровой Анне\nПетрову Анну\nПетровой Анной\nПетровой Анне\n",
              result.m_strOut);
    EXPECT_EQ("", result.m_strErr);
    EXPECT_EQ(u8"Петрову Анну Сергеевну\n", run({"--case=accusative", "--female", "--first", u8"Анна", "--middle",
                                                 u8"Сергеевна", "--last", u8"Петрова"})
                                                .m_strOut);
    EXPECT_EQ(u8"Толстым Львом\n",
              run({"--case", "4", "--parts=5", "--female", "--male", u8"Толстой Лев Н."}).m_strOut);
    EXPECT_EQ("--First\n", run({"--case", "1", "--", "--first"}).m_strOut);

    // A blank name fails (1); text outside the code page and bad usage are refused (2).
    EXPECT_EQ(1, run({"--first", " ", "--last", ""}).m_nStatus);
    result = run({"--last", u8"Zoë"});
    EXPECT_EQ(2, result.m_nStatus);
    EXPECT_NE(std::string::npos, result.m_strErr.find("--last")) << result.m_strErr;
    result = run({u8"Müller"});
    EXPECT_EQ(2, result.m_nStatus);
    const std::vector<std::vector<std::string>> aBad = {
        {},           {"--case", "6", "x"},  {"--case", "dativ", "x"},   {"--parts", "8", "x"}, {"--case"},
        {"--g", "x"}, {"--first", "a", "b"}, {"--batch", "--case", "1"}, {"--batch", "x"}};
    for (const std::vector<std::string>& args : aBad) {
        result = run(args);
        EXPECT_EQ(2, result.m_nStatus) << (args.empty() ? "(none)" : args[0]);
        EXPECT_EQ("", result.m_strOut);
        EXPECT_NE(std::string::npos, result.m_strErr.find("extkit decline --help")) << result.m_strErr;
    }
    EXPECT_NE(std::string::npos, run({"--help"}).m_strOut.find("--batch"));

    // Batch: the bytes as they come (CRLF, a Ctrl+Z byte, no line end at the
    // end); a refused line named on standard error by its number, then status 1.
    result = run({"--batch"}, u8"m\t1\t4\tИва\x1Aнов\r\nx\t1\t4\tИванов\nm\t0\t4\t \nf\t2\t4\tГоголь");
    EXPECT_EQ(1, result.m_nStatus);
    EXPECT_EQ(u8"Ива\x1Aнова\n#invalid\n#uninitialised\nГоголь\n", result.m_strOut);
    EXPECT_NE(std::string::npos, result.m_strErr.find(u8"строка 2:")) << result.m_strErr;
    EXPECT_EQ(std::string::npos, result.m_strErr.find(u8"строка 3:")) << result.m_strErr;
    EXPECT_EQ(0, run({"--batch"}, u8"m\t1\t4\tИванов\n").m_nStatus);
    EXPECT_EQ("", run({"--batch"}).m_strOut);
}

TEST(DeclineTool, EveryByteOfTheCodePageComesBackFromItsUtf8)
{
    std::string str;
    for (int b = 1; b < 256; ++b) {
        const std::string strByte(1, (char)b);
        EXPECT_TRUE(Utf8ToCp1251Strict(Cp1251ToUtf8(strByte), str) && str == strByte) << b;
    }
    EXPECT_FALSE(Utf8ToCp1251Strict("?\xEF\xBF\xBD", str));  // the replacement character is none of them
}

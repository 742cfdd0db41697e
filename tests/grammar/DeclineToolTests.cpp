// The extkit tool's decline command, run as a separate program: its lines in
// UTF-8, its options, the batch protocol on standard input, refusals of text
// the code page cannot hold, and exit statuses. Also the strict conversion
// the command relies on.
#include "Console.h"

#include "ToolRun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#ifdef _WIN32
#    define WIN32_LEAN_AND_MEAN
#    include <windows.h>
#else
#    include <fcntl.h>
#    include <poll.h>
#    include <signal.h>
#    include <sys/wait.h>
#    include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {
using CRun = support::CToolRun;
using support::ToolPath;

class ToolDecline : public ::testing::Test {
protected:
    // Runs "extkit decline ARGS..." with strInput (bytes) as its standard input.
    CRun Run(const std::vector<std::string>& args, const std::string& strInput = std::string())
    {
        std::vector<std::string> all{"decline"};
        all.insert(all.end(), args.begin(), args.end());
        const CRun run = support::RunTool(m_dir, all, strInput);
        if (run.m_nStatus < 0)
            ADD_FAILURE() << "the tool did not run: status " << run.m_nStatus << ", " << run.m_strErr;
        return run;
    }

    support::CTempDir m_tempDir{"extkit_decline_"};
    const fs::path m_dir = m_tempDir.GetPath();
};
}  // namespace

TEST_F(ToolDecline, AllSixCasesInOrder)
{
    const CRun run = Run({u8"Иванов Иван Иванович"});
    EXPECT_EQ(0, run.m_nStatus) << run.m_strErr;
    EXPECT_EQ(u8"Иванов Иван Иванович\n"
              u8"Иванова Ивана Ивановича\n"
              u8"Иванову Ивану Ивановичу\n"
              u8"Иванова Ивана Ивановича\n"
              u8"Ивановым Иваном Ивановичем\n"
              u8"Иванове Иване Ивановиче\n",
              run.m_strOut);
    EXPECT_EQ("", run.m_strErr);
}

TEST_F(ToolDecline, CasePartsGenderAndCapitals)
{
    const struct {
        std::vector<std::string> args;
        std::string strOut;
    } aCases[] = {
        {{"--female", "--case", "2", u8"Петрова Анна Сергеевна"}, u8"Петровой Анне Сергеевне\n"},
        {{"--case=accusative", "--female", u8"Петрова Анна Сергеевна"}, u8"Петрову Анну Сергеевну\n"},
        {{"--case", "instrumental", "--female", "--male", u8"Толстой Лев Николаевич"},
         u8"Толстым Львом Николаевичем\n"},
        {{"--case", "nominative", u8"  иванов   иван  "}, u8"Иванов Иван\n"},
        {{"--case", "1", "--parts", "5", u8"Иванов Иван Иванович"}, u8"Иванова Ивана\n"},
        {{"--case", "1", "--parts=0", u8"Иванов Иван Иванович"}, "\n"},
        {{"--case", "3", "--first", u8"Анна", "--middle", u8"Сергеевна", "--last", u8"Петрова", "--female"},
         u8"Петрову Анну Сергеевну\n"},
        // A separate part may hold blanks; only the part's end is declined.
        {{"--case", "2", "--last", u8"Петров-Водкин", "--first", u8"Кузьма"}, u8"Петров-Водкину Кузьме\n"},
        // Several words on the command line are one name.
        {{"--case", "1", u8"Иванов", u8"И.", u8"И."}, u8"Иванова И. И.\n"},
        {{"--case", "1", "--", "--first"}, "--First\n"},
        // Characters of the code page beyond letters come back as they were.
        {{"--case", "1", u8"Иванов «Ваня»"}, u8"Иванова «ваня»\n"},
    };
    for (const auto& c : aCases) {
        const CRun run = Run(c.args);
        EXPECT_EQ(0, run.m_nStatus) << c.args.back() << "\n" << run.m_strErr;
        EXPECT_EQ(c.strOut, run.m_strOut) << c.args.back();
    }
}

TEST_F(ToolDecline, UnencodableTextIsRefused)
{
    CRun run = Run({u8"Müller Hans"});
    EXPECT_EQ(2, run.m_nStatus);
    EXPECT_EQ("", run.m_strOut);
    EXPECT_NE(std::string::npos, run.m_strErr.find(u8"не записывается в кодовой странице 1251")) << run.m_strErr;
    run = Run({"--first", u8"Ivan", "--last", u8"Zoë"});
    EXPECT_EQ(2, run.m_nStatus);
    EXPECT_EQ("", run.m_strOut);
    EXPECT_NE(std::string::npos, run.m_strErr.find("--last")) << run.m_strErr;
    run = Run({u8"Иванов 😀"});
    EXPECT_EQ(2, run.m_nStatus);
}

TEST_F(ToolDecline, UsageErrors)
{
    const std::vector<std::vector<std::string>> aBad = {
        {},
        {"--case", "6", u8"Иванов"},
        {"--case", "dativ", u8"Иванов"},
        {"--parts", "8", u8"Иванов"},
        {"--parts", "-1", u8"Иванов"},
        {"--case"},
        {"--gender", "f", u8"Иванов"},
        {"--first", u8"Иван", u8"Иванов"},
        {"--batch", "--case", "1"},
        {"--batch", u8"Иванов"},
    };
    for (const std::vector<std::string>& args : aBad) {
        const CRun run = Run(args);
        EXPECT_EQ(2, run.m_nStatus) << (args.empty() ? "(none)" : args[0]);
        EXPECT_EQ("", run.m_strOut);
        EXPECT_NE(std::string::npos, run.m_strErr.find("extkit decline --help")) << run.m_strErr;
    }
    const CRun help = Run({"--help"});
    EXPECT_EQ(0, help.m_nStatus);
    EXPECT_NE(std::string::npos, help.m_strOut.find("--batch"));
}

TEST_F(ToolDecline, BlankNameIsAFailure)
{
    const CRun run = Run({"--first", " ", "--last", ""});
    EXPECT_EQ(1, run.m_nStatus);
    EXPECT_EQ("", run.m_strOut);
    EXPECT_NE("", run.m_strErr);
}

TEST_F(ToolDecline, BatchAnswersEveryLineInOrder)
{
    const std::string strInput =
        std::string(u8"m\t1\t7\tИванов Иван Иванович\n") + u8"f\t2\t7\tПетрова Анна Сергеевна\r\n" +  // CRLF
        u8"m\t4\t4\tИванов\tИван\tИванович\n" +                                                       // too many fields
        u8"m\t0\t7\t   \n" +                                                                          // blank name
        u8"f\t3\t5\tSalt, Zoë\n" +  // outside the code page
        "m\t5\t7\t\xC0\x80\n" +     // malformed UTF-8
        u8"x\t1\t7\tИванов\n" +     // bad gender
        u8"m\t6\t7\tИванов\n" +     // bad case
        u8"m\t1\t17\tИванов\n" +    // bad parts
        u8"m\t1\t7\n" +             // three fields
        "\n" +                      // empty line
        u8"m\t2\t3\tСалтыков-Щедрин, Михаил, Евграфович\n" + u8"f\t4\t7\tТолстая Софья Андреевна";  // no line end
    const CRun run = Run({"--batch"}, strInput);
    EXPECT_EQ(1, run.m_nStatus);
    EXPECT_EQ(std::string(u8"Иванова Ивана Ивановича\n") + u8"Петровой Анне Сергеевне\n" + "#invalid\n" +
                  "#uninitialised\n" + "#unencodable\n" + "#unencodable\n" + "#invalid\n" + "#invalid\n" +
                  "#invalid\n" + "#invalid\n" + "#invalid\n" + u8"Михаилу Евграфовичу\n" +
                  u8"Толстой Софьей Андреевной\n",
              run.m_strOut);
    // Each refused line is named on stderr by its number.
    for (const char* pszLine : {u8"строка 3:", u8"строка 5:", u8"строка 6:", u8"строка 7:", u8"строка 11:"})
        EXPECT_NE(std::string::npos, run.m_strErr.find(pszLine)) << pszLine << "\n" << run.m_strErr;
    EXPECT_EQ(std::string::npos, run.m_strErr.find(u8"строка 4:")) << run.m_strErr;
}

TEST_F(ToolDecline, BatchOfGoodLinesSucceedsAndEmptyInputGivesNothing)
{
    const char* const apszForms[] = {u8"Гоголь", u8"Гоголя", u8"Гоголю", u8"Гоголя", u8"Гоголем", u8"Гоголе"};
    std::string strInput, strWant;
    for (int i = 0; i < 500; ++i) {
        strInput += u8"m\t" + std::to_string(i % 6) + u8"\t4\tГоголь Николай Васильевич\n";
        strWant += std::string(apszForms[i % 6]) + "\n";
    }
    CRun run = Run({"--batch"}, strInput);
    EXPECT_EQ(0, run.m_nStatus) << run.m_strErr;
    EXPECT_EQ(strWant, run.m_strOut);
    EXPECT_EQ("", run.m_strErr);
    run = Run({"--batch"}, "");
    EXPECT_EQ(0, run.m_nStatus);
    EXPECT_EQ("", run.m_strOut);
    // A Ctrl+Z byte is text like any other, not the end of the input.
    run = Run({"--batch"}, u8"m\t1\t4\tИва\x1Aнов\nm\t1\t4\tПетров\n");
    EXPECT_EQ(u8"Ива\x1Aнова\nПетрова\n", run.m_strOut);
}

#ifndef _WIN32
TEST_F(ToolDecline, BatchAnswersALineBeforeTheInputEnds)
{
    // A program keeping the tool as a helper writes a line and waits for its
    // answer with the input still open.
    int aIn[2], aOut[2];
    ASSERT_EQ(0, pipe(aIn));
    ASSERT_EQ(0, pipe(aOut));
    const std::string strTool = ToolPath().string();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(aIn[0], 0);
        dup2(aOut[1], 1);
        close(aIn[1]);
        close(aOut[0]);
        execl(strTool.c_str(), strTool.c_str(), "decline", "--batch", (char*)NULL);
        _exit(127);
    }
    close(aIn[0]);
    close(aOut[1]);
    std::string strAnswers;
    for (const char* pszLine : {u8"m\t2\t4\tГоголь\n", u8"f\t2\t4\tГоголь\n"}) {
        ASSERT_EQ((ssize_t)strlen(pszLine), write(aIn[1], pszLine, strlen(pszLine)));
        std::string strAnswer;
        while (strAnswer.empty() || strAnswer.back() != '\n') {
            pollfd pfd = {aOut[0], POLLIN, 0};
            ASSERT_EQ(1, poll(&pfd, 1, 20000)) << "no answer while the input is open";
            char buf[256];
            const ssize_t n = read(aOut[0], buf, sizeof(buf));
            ASSERT_GT(n, 0);
            strAnswer.append(buf, (size_t)n);
        }
        strAnswers += strAnswer;
    }
    close(aIn[1]);
    int nWait = 0;
    waitpid(pid, &nWait, 0);
    close(aOut[0]);
    EXPECT_EQ(u8"Гоголю\nГоголь\n", strAnswers);
    EXPECT_TRUE(WIFEXITED(nWait) && WEXITSTATUS(nWait) == 0);
}
#endif

TEST(ToolDeclineText, StrictConversion)
{
    std::string str = "unchanged";
    EXPECT_TRUE(Utf8ToCp1251Strict(u8"Ёжик €5 №1", str));
    EXPECT_EQ("\xA8\xE6\xE8\xEA \x88\x35 \xB9\x31", str);
    EXPECT_TRUE(Utf8ToCp1251Strict("", str));
    EXPECT_EQ("", str);
    str = "kept";
    EXPECT_FALSE(Utf8ToCp1251Strict("Zo\xC3\xAB", str));    // ë is not in the code page
    EXPECT_FALSE(Utf8ToCp1251Strict("\xC0\xAF", str));      // overlong
    EXPECT_FALSE(Utf8ToCp1251Strict("\xED\xA0\x80", str));  // a surrogate
    EXPECT_FALSE(Utf8ToCp1251Strict("\xD0", str));          // cut short
    EXPECT_FALSE(Utf8ToCp1251Strict("\xD0\x41", str));      // no continuation
    EXPECT_FALSE(Utf8ToCp1251Strict("\xF8\x88\x80\x80\x80", str));
    EXPECT_FALSE(Utf8ToCp1251Strict("?\xEF\xBF\xBD", str));  // the replacement character
    EXPECT_EQ("kept", str);
    EXPECT_TRUE(Utf8ToCp1251Strict("a?b", str));
    EXPECT_EQ("a?b", str);
    // Every byte of the code page comes back from its UTF-8 form.
    for (int b = 1; b < 256; ++b) {
        const std::string strByte(1, (char)b);
        EXPECT_TRUE(Utf8ToCp1251Strict(Cp1251ToUtf8(strByte), str)) << b;
        EXPECT_EQ(strByte, str) << b;
    }
}

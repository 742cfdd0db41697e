// The extkit tool's mask command, run as a separate program: the eight
// values, the escapes, UTF-8 on both sides, the batch format with its refused
// and invalid lines, and the exit statuses of bad usage.
#include "ToolRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
using CRun = support::CToolRun;

class MaskTool : public ::testing::Test {
protected:
    CRun Run(const std::vector<std::string>& args, const std::string& strInput = std::string())
    {
        std::vector<std::string> all{"mask"};
        all.insert(all.end(), args.begin(), args.end());
        const CRun run = support::RunTool(m_tempDir.GetPath(), all, strInput);
        if (run.m_nStatus < 0)
            ADD_FAILURE() << "the tool did not run: status " << run.m_nStatus << ", " << run.m_strErr;
        return run;
    }

    support::CTempDir m_tempDir{"extkit_mask_"};
};

std::string Named(const std::string& strDisplay, const std::string& strData, int nStart, int nEnd, int nCanUndo,
                  int nBeeps, int nInsert, const std::string& strClipboard)
{
    return "display=" + strDisplay + "\ndata=" + strData + "\nstart=" + std::to_string(nStart) +
           "\nend=" + std::to_string(nEnd) + "\ncanundo=" + std::to_string(nCanUndo) +
           "\nbeeps=" + std::to_string(nBeeps) + "\ninsert=" + std::to_string(nInsert) + "\nclipboard=" + strClipboard +
           "\n";
}
}  // namespace

TEST_F(MaskTool, OneControlPrintsTheEightValues)
{
    CRun run = Run({"(###) ###-##-##", "type:4951234567"});
    EXPECT_EQ(0, run.m_nStatus);
    EXPECT_EQ(Named("(495) 123-45-67", "4951234567", 15, 15, 1, 0, 0, ""), run.m_strOut);
    EXPECT_EQ("", run.m_strErr);

    run = Run({"##.##"});
    EXPECT_EQ(Named("  .  ", "    ", 0, 0, 0, 0, 0, ""), run.m_strOut);

    // Every kind of action once.
    run = Run({"##.##",      "type:12",   "key:INSERT",      "key:HOME", "type:9",   "sel:0:-1",   "copy",
               "key:S-LEFT", "click:1",   "setdata:3:0:0:7", "prompt:_", "undo",     "clear",      "undo",
               "sel:3:5",    "cut",       "paste:45",        "key:END",  "key:BACK", "key:DELETE", "key:UP",
               "key:DOWN",   "key:RIGHT", "key:S-HOME"});
    EXPECT_EQ(0, run.m_nStatus) << run.m_strErr;
    // 9 goes in before 12 (insert mode); 7 is set at 3; undoing the new
    // prompt leaves a blank at 4 that now counts as data, and the cut takes
    // "7 "; 45 is pasted at 3, End and Backspace remove the 5; Delete at the
    // last position shows the same text again, so nothing is left to undo.
    EXPECT_EQ(Named("91.4_", "914 ", 0, 4, 0, 0, 1, "45"), run.m_strOut);
}

TEST_F(MaskTool, Utf8AndEscapes)
{
    CRun run = Run({u8"UUU-№", u8"type:абв"});
    EXPECT_EQ(Named(u8"АБВ-№", u8"АБВ", 3, 3, 1, 0, 0, ""), run.m_strOut);

    // \t, \n and \\ in the mask and the text, written back the same way.
    run = Run({"&&&\\\\#", "type:\\t\\\\x"});
    EXPECT_EQ(Named("\\t\\\\x ", "\\t\\\\x ", 3, 3, 1, 0, 0, ""), run.m_strOut);
    // The tool's \\ gives the mask its own escape: \## is two placeholders.
    run = Run({"\\\\##", "type:12"});
    EXPECT_EQ(Named("12", "12", 2, 2, 1, 0, 0, ""), run.m_strOut);

    run = Run({"##", "type:\\q"});
    EXPECT_EQ(2, run.m_nStatus);
    EXPECT_NE(std::string::npos, run.m_strErr.find("\\q"));
    run = Run({"##", u8"type:日本"});  // no such characters in Windows-1251
    EXPECT_EQ(2, run.m_nStatus);
}

TEST_F(MaskTool, PlainEditIsRefused)
{
    for (const char* pszMask : {"", "\\\\"}) {
        const CRun run = Run({pszMask, "type:1"});
        EXPECT_EQ(1, run.m_nStatus) << pszMask;
        EXPECT_EQ("#plain-edit\n", run.m_strOut) << pszMask;
    }
}

TEST_F(MaskTool, BadUsage)
{
    EXPECT_EQ(2, Run({}).m_nStatus);
    const char* const apszBad[] = {"bogus",     "type",   "key:F1",          "key:S-",        "sel:1",
                                   "sel:a:2",   "click:", "setdata:0:2:0:1", "setdata:0:1:1", "prompt:",
                                   "prompt:ab", "undo:1", "copy:x"};
    for (const char* pszAction : apszBad) {
        const CRun run = Run({"###", pszAction});
        EXPECT_EQ(2, run.m_nStatus) << pszAction;
        EXPECT_EQ("", run.m_strOut) << pszAction;
        EXPECT_NE(std::string::npos, run.m_strErr.find("extkit mask:")) << pszAction;
    }
    EXPECT_EQ(2, Run({"--colour", "###"}).m_nStatus);
    EXPECT_EQ(2, Run({"--batch", "###"}, "###\t \tn\t0\n").m_nStatus);
    // "--" ends the options: a mask may look like one.
    const CRun run = Run({"--", "--#"});
    EXPECT_EQ(0, run.m_nStatus);
    EXPECT_EQ(0u, run.m_strOut.find("display=-- \n"));
    const CRun help = Run({"--help"});
    EXPECT_EQ(0, help.m_nStatus);
    EXPECT_NE(std::string::npos, help.m_strOut.find("#plain-edit"));
}

TEST_F(MaskTool, BatchLines)
{
    const std::string strInput = "##.##\t_\tn\t0\ttype:1234\tkey:BACK\n"
                                 "\\\\\t \tn\t0\n"
                                 "###\t \tx\t0\n"
                                 "LL\t \tu\t0\ttype:ab\r\n"
                                 "###\t \tn\t1\ttype:12\tkey:BACK\n"
                                 "##.##\t_\tn\t0\ttype:12\tsel:0:5\tcopy\tkey:DELETE\tpaste:9\n"
                                 "#\t \tn\t0\tbogus\n"
                                 "\n"
                                 "&&\t\\t\tn\t0\ttype:a\n"
                                 "#\tab\tn\t0\n"
                                 "#\t \tn\t2\n"
                                 "#-#\t*\tl\t0\tsetdata:0:0:1:1:2";  // no line end at the end of the input
    const CRun run = Run({"--batch"}, strInput);
    EXPECT_EQ(1, run.m_nStatus);
    EXPECT_EQ("12.3_\t123 \t4\t4\t1\t0\t0\t\n"
              "#plain-edit\n"
              "#invalid\n"
              "AB\tAB\t2\t2\t1\t0\t0\t\n"
              "   \t   \t0\t0\t0\t0\t0\t\n"  // read-only
              "9_.__\t9   \t0\t0\t1\t0\t0\t9\n"
              "#invalid\n"
              "#invalid\n"
              "a\\t\ta \t1\t1\t1\t0\t0\t\n"  // a tab for the prompt
              "#invalid\n"
              "#invalid\n"
              "1-2\t12\t0\t0\t1\t0\t0\t\n",  // the text after the fourth colon
              run.m_strOut);

    // Each invalid line is named on standard error by its number.
    for (int nLine : {3, 7, 8, 10, 11})
        EXPECT_NE(std::string::npos, run.m_strErr.find(" " + std::to_string(nLine) + ": ")) << nLine;

    const CRun ok = Run({"--batch"}, "#\t \tn\t0\ttype:5\n");
    EXPECT_EQ(0, ok.m_nStatus);
    EXPECT_EQ("5\t5\t1\t1\t1\t0\t0\t\n", ok.m_strOut);
}

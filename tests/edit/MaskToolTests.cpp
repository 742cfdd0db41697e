// The extkit tool's mask command as a separate program: what the lines of
// tests/data/mask.txt do not show, the named values of a single run, the
// exit statuses, the options, and the batch mode's own reading of its input
// (line ends, the last line, the invalid lines named on standard error).
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
}  // namespace

TEST_F(MaskTool, OneControlPrintsTheEightValuesByName)
{
    CRun run = Run({u8"(###) ###-##-##", u8"type:495а", "key:S-LEFT", "paste:\\t"});
    EXPECT_EQ(0, run.m_nStatus);
    // The tab pasted was refused, so the text was shown again as it was.
    EXPECT_EQ("display=(495)    -  -  \ndata=495       \nstart=6\nend=6\ncanundo=0\nbeeps=1\ninsert=0\n"
              "clipboard=\\t\n",
              run.m_strOut);
    EXPECT_EQ("", run.m_strErr);

    // "--" ends the options: a mask may look like one.
    run = Run({"--", "--#"});
    EXPECT_EQ(0, run.m_nStatus);
    EXPECT_EQ(0u, run.m_strOut.find("display=-- \n"));

    run = Run({"\\\\", "type:1"});
    EXPECT_EQ(1, run.m_nStatus);
    EXPECT_EQ("#plain-edit\n", run.m_strOut);
}

TEST_F(MaskTool, BadUsageIsRefusedWithStatusTwo)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"###", "bogus"}, {"##", u8"type:日本"}, {"--colour", "###"}, {"--batch", "###"}, {"--window"}}) {
        const CRun run = Run(args, "###\t \tn\t0\n");
        EXPECT_EQ(2, run.m_nStatus) << run.m_strErr;
        EXPECT_EQ("", run.m_strOut);
        EXPECT_NE(std::string::npos, run.m_strErr.find("extkit mask:"));
    }
}

TEST_F(MaskTool, BatchReadsEveryLineAndNamesTheInvalidOnes)
{
    const CRun run = Run({"--batch"}, "LL\t \tu\t0\ttype:ab\r\n"
                                      "#\t \tn\t0\tbogus\n"
                                      "\n"
                                      "#\t \tn\t0\ttype:1\n"
                                      "#\tab\tn\t0\n"
                                      "#-#\t*\tl\t0\tsetdata:0:0:1:1");  // no line end at the end
    EXPECT_EQ(1, run.m_nStatus);
    EXPECT_EQ("AB\tAB\t2\t2\t1\t0\t0\t\n"
              "#invalid\n"
              "#invalid\n"
              "1\t1\t1\t1\t1\t0\t0\t\n"
              "#invalid\n"
              "1-*\t1 \t0\t0\t1\t0\t0\t\n",
              run.m_strOut);
    for (int nLine : {2, 3, 5})
        EXPECT_NE(std::string::npos, run.m_strErr.find(" " + std::to_string(nLine) + ": ")) << nLine;
    EXPECT_EQ(std::string::npos, run.m_strErr.find(" 4: "));

    const CRun ok = Run({"--batch"}, "#\t \tn\t0\ttype:5\n");
    EXPECT_EQ(0, ok.m_nStatus);
    EXPECT_EQ("5\t5\t1\t1\t1\t0\t0\t\n", ok.m_strOut);
}

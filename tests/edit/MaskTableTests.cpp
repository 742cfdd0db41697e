// The masked edit's case table (tests/data/mask.txt) through the extkit tool's
// own code: on the in-memory edit control, and under Windows also on a real
// CEditEx in a real window, with keys, clicks and the clipboard as a user's.
#include "CaseTable.h"
#include "Commands.h"
#include "edit/MaskScript.h"
#ifdef _WIN32
#    include "edit/WindowMaskTarget.h"
#endif

#include <gtest/gtest.h>

namespace {

void CheckMaskTable(CMaskScriptTarget& target, bool bWindow)
{
    support::CheckCaseTable(
        "mask.txt",
        [&](const std::string& strLine) {
            std::string strOut, strProblem;
            RunMaskBatchLineOn(target, strLine, strOut, strProblem);
            return strOut;
        },
        bWindow);
}

}  // namespace

TEST(MaskTable, InMemory)
{
    CHeadlessMaskTarget target;
    CheckMaskTable(target, false);
}

#ifdef _WIN32
TEST(MaskTable, OnARealWindow)
{
    CWindowMaskTarget target;
    ASSERT_TRUE(target.IsReady());
    CheckMaskTable(target, true);
}
#endif

#include "CaseTable.h"

#include "ToolRun.h"

#include <gtest/gtest.h>

#include <fstream>

namespace support {

std::vector<CTableCase> ReadCaseTable(const std::string& strName)
{
    const std::filesystem::path path = ToolPath().parent_path() / "data" / strName;
    std::ifstream in(path, std::ios::binary);
    std::vector<CTableCase> cases;
    if (!in) {
        ADD_FAILURE() << "no case table " << path.string();
        return cases;
    }
    std::string strLine;
    int nLine = 0;
    bool bWantExpected = false;
    while (std::getline(in, strLine)) {
        ++nLine;
        if (!strLine.empty() && strLine.back() == '\r')
            strLine.pop_back();
        if (bWantExpected) {
            // Whatever follows an input is its expected output, "#..." included.
            cases.back().m_strExpected = cases.back().m_strWindowExpected = strLine;
            bWantExpected = false;
        } else if (strLine.compare(0, 7, "window\t") == 0 && !cases.empty()) {
            cases.back().m_strWindowExpected = strLine.substr(7);
        } else if (!strLine.empty() && strLine != "#" && strLine.compare(0, 2, "# ") != 0) {
            cases.push_back(CTableCase{nLine, strLine, "", ""});
            bWantExpected = true;
        }
    }
    EXPECT_FALSE(bWantExpected) << strName << ":" << nLine << ": the last case has no expected line";
    return cases;
}

void CheckCaseTable(const std::string& strName, const std::function<std::string(const std::string&)>& run,
                    bool bWindow)
{
    const std::vector<CTableCase> cases = ReadCaseTable(strName);
    for (const CTableCase& c : cases) {
        const std::string& strExpected = bWindow ? c.m_strWindowExpected : c.m_strExpected;
        const std::string strGot = run(c.m_strInput);
        EXPECT_EQ(strExpected, strGot) << strName << ":" << c.m_nLine << ": " << c.m_strInput;
    }
    ::testing::Test::RecordProperty("table_cases", static_cast<int>(cases.size()));
    EXPECT_FALSE(cases.empty()) << strName << " holds no cases";
}

}  // namespace support

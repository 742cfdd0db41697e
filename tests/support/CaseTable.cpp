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

void CheckCaseTable(const std::string& strName, const std::function<std::string(const std::string&)>& run, bool bWindow)
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

std::vector<std::string> SplitCaseFields(const std::string& strLine)
{
    std::vector<std::string> fields(1);
    for (size_t i = 0; i < strLine.size(); ++i) {
        const char ch = strLine[i];
        if (ch == '\t') {
            fields.emplace_back();
        } else if (ch != '\\' || i + 1 == strLine.size()) {
            fields.back() += ch;
        } else if (strLine[++i] == 'x' && i + 2 < strLine.size()) {
            fields.back() += static_cast<char>(std::stoi(strLine.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            const char chNext = strLine[i];
            fields.back() += chNext == 't'   ? '\t'
                             : chNext == 'r' ? '\r'
                             : chNext == 'n' ? '\n'
                             : chNext == '0' ? '\0'
                                             : chNext;
        }
    }
    return fields;
}

}  // namespace support

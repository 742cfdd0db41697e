// The export table (tests/data/export.txt): `extkit export` runs in this
// process over each case's table, through real COM to the office stand-in;
// what the user gets (exit status, message boxes, the document saved) and the
// whole journal of the calls the application received are compared.
#include "Commands.h"
#include "OfficeSession.h"

#include <afxole.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

namespace fs = std::filesystem;

namespace {

struct CJournalCase {
    int m_nLine = 0;
    std::vector<std::string> m_args, m_table, m_boxes, m_saved, m_journal;
    std::string m_strFail;
    int m_nExit = 0;
};

std::vector<std::string> SplitTabs(const std::string& str)
{
    std::vector<std::string> fields;
    size_t nStart = 0;
    for (size_t nTab; (nTab = str.find('\t', nStart)) != std::string::npos; nStart = nTab + 1)
        fields.push_back(str.substr(nStart, nTab - nStart));
    fields.push_back(str.substr(nStart));
    return fields;
}

std::string Replace(std::string str, const std::string& strFrom, const std::string& strTo)
{
    for (size_t n = 0; (n = str.find(strFrom, n)) != std::string::npos; n += strTo.size())
        str.replace(n, strFrom.size(), strTo);
    return str;
}

bool StartsWith(const std::string& str, const char* pszPrefix)
{
    return str.compare(0, std::strlen(pszPrefix), pszPrefix) == 0;
}

std::vector<CJournalCase> ReadJournalTable(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << "no table " << path.string();
    std::vector<CJournalCase> cases;
    int nLine = 0;
    for (std::string strLine; std::getline(in, strLine);) {
        ++nLine;
        if (!strLine.empty() && strLine.back() == '\r')
            strLine.pop_back();
        if (strLine.empty() || strLine[0] == '#')
            continue;
        if (StartsWith(strLine, "> ")) {
            cases.emplace_back();
            cases.back().m_nLine = nLine;
            cases.back().m_args = SplitTabs(strLine.substr(2));
            continue;
        }
        if (cases.empty()) {
            ADD_FAILURE() << path.string() << ":" << nLine << ": a line before the first case";
            continue;
        }
        CJournalCase& c = cases.back();
        if (StartsWith(strLine, "| "))
            c.m_table.push_back(strLine.substr(2));
        else if (StartsWith(strLine, "fail\t"))
            c.m_strFail = strLine.substr(5);
        else if (StartsWith(strLine, "exit\t"))
            c.m_nExit = std::stoi(strLine.substr(5));
        else if (StartsWith(strLine, "box\t"))
            c.m_boxes.push_back(Replace(strLine.substr(4), "\\n", "\n"));
        else if (StartsWith(strLine, "saved\t"))
            c.m_saved.push_back(strLine.substr(6));
        else
            c.m_journal.push_back(strLine);
    }
    return cases;
}

int RunExport(const std::vector<std::string>& args)
{
    for (const CToolCommand& command : GetToolCommands()) {
        if (std::string(command.m_pszName) == "export")
            return command.m_pfnRun(args);
    }
    ADD_FAILURE() << "the tool has no export command";
    return -1;
}

// What AfxMessageBox writes in its caption here, where there is no
// application object: the program's name.
std::string ProgramName()
{
    wchar_t szPath[MAX_PATH];
    GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    return fs::path(szPath).stem().string();
}

std::string Join(const std::vector<std::string>& lines)
{
    std::string str;
    for (const std::string& strLine : lines)
        str += strLine + "\n";
    return str;
}

void RunCase(const CJournalCase& c, const fs::path& dataDir)
{
    support::COfficeCase office;
    const std::string strDir = office.GetDir().string();
    std::ofstream(office.GetDir() / "table.tsv", std::ios::binary) << Join(c.m_table);
    std::ofstream(office.GetDir() / "template.dot", std::ios::binary) << "";
    if (!c.m_strFail.empty())
        office.SetFailure(Replace(c.m_strFail, "\\t", "\t"));
    std::vector<std::string> args;
    for (const std::string& arg : c.m_args)
        args.push_back(Replace(arg, "$DIR", strDir));

    support::CBoxRecorder recorder;
    const int nExit = RunExport(args);
    const std::vector<std::string> boxes = recorder.Stop();

    EXPECT_EQ(c.m_nExit, nExit);
    std::vector<std::string> expectedBoxes;
    for (const std::string& strBox : c.m_boxes)
        expectedBoxes.push_back(Replace(strBox, "$APP", ProgramName()));
    EXPECT_EQ(Join(expectedBoxes), Join(boxes));
    // The journal quotes texts with their backslashes doubled.
    std::vector<std::string> expectedJournal;
    for (const std::string& strLine : c.m_journal)
        expectedJournal.push_back(Replace(strLine, "$DIR", Replace(strDir, "\\", "\\\\")));
    EXPECT_EQ(Join(expectedJournal), Join(office.ReadJournal()));
    std::string strCount;
    EXPECT_TRUE(office.WaitAllReleased(strCount)) << "the application still holds objects: " << strCount;

    const std::vector<fs::path> saved = office.GetSaved();
    ASSERT_EQ(c.m_saved.size(), saved.size()) << "documents saved";
    for (size_t i = 0; i < saved.size(); ++i) {
        const std::string strExpected =
            Replace(support::ReadFileBytes(dataDir / "export" / c.m_saved[i]), "$DIR", strDir);
        EXPECT_FALSE(strExpected.empty()) << "no document " << c.m_saved[i];
        EXPECT_EQ(strExpected, support::ReadFileBytes(saved[i]))
            << saved[i].filename().string() << " against " << c.m_saved[i];
    }
}

}  // namespace

TEST(ExportTable, EachCaseGivesItsJournalBoxesAndDocument)
{
    ASSERT_TRUE(AfxOleInit());
    const fs::path dataDir = support::ToolPath().parent_path() / "data";
    const std::vector<CJournalCase> cases = ReadJournalTable(dataDir / "export.txt");
    for (const CJournalCase& c : cases) {
        SCOPED_TRACE("export.txt:" + std::to_string(c.m_nLine));
        RunCase(c, dataDir);
    }
    ::testing::Test::RecordProperty("table_cases", static_cast<int>(cases.size()));
    EXPECT_FALSE(cases.empty());
}

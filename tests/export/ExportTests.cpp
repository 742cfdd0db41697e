// The exports through real COM to the office stand-in, which the program
// registers in the test prefix: the export table (tests/data/export.txt, the
// tool's export command run in this process over each case's table; what the
// user gets and the whole journal of the calls the application received are
// compared), and what the table cannot say: an application that is not
// registered, the texts of the error boxes, an exception of the source,
// CListCtrlOut on a real list, and the tool run as a user runs it.
#include "CaseTable.h"
#include "Commands.h"
#include "Console.h"
#include "ModalDriver.h"
#include "Throws.h"
#include "ToolRun.h"
#include "Wait.h"
#include "export/ExcelOut.h"
#include "export/ListCtrlOut.h"
#include "export/TsvListOut.h"
#include "export/WordOut.h"

#include <afxcmn.h>
#include <afxole.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

std::string ReadFileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Registers the stand-in (or removes its registration) with its own
// /regserver (/unregserver); true when it said it did.
bool RegisterOfficeStandin(bool bRegister)
{
    std::wstring strCommand = L"\"" + (support::ToolPath().parent_path() / L"officestandin.exe").wstring() +
                              (bRegister ? L"\" /regserver" : L"\" /unregserver");
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, &strCommand[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD nCode = 1;
    GetExitCodeProcess(pi.hProcess, &nCode);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return nCode == 0;
}

// The stand-in is registered once for the whole program.
class COfficeEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(RegisterOfficeStandin(true)) << "officestandin /regserver failed"; }
};
[[maybe_unused]] ::testing::Environment* const g_pOfficeEnvironment =
    ::testing::AddGlobalTestEnvironment(new COfficeEnvironment);

const char* const c_apszVariables[] = {"EXTKIT_OFFICE_JOURNAL", "EXTKIT_OFFICE_OBJECTS", "EXTKIT_OFFICE_SAVE_DIR",
                                       "EXTKIT_OFFICE_FAIL"};

// One export: a fresh folder (the table, the journal, the object count and
// the documents saved), named to the stand-in through the environment for
// the life of the object.
class COfficeCase {
public:
    COfficeCase()
    {
        fs::create_directories(GetDir() / "saved");
        const fs::path paths[] = {GetDir() / "journal.txt", GetDir() / "objects.txt", GetDir() / "saved"};
        for (int i = 0; i < 3; ++i)
            SetEnvironmentVariableW(fs::path(c_apszVariables[i]).wstring().c_str(), paths[i].wstring().c_str());
    }
    ~COfficeCase()
    {
        for (const char* pszName : c_apszVariables)
            SetEnvironmentVariableA(pszName, nullptr);
    }

    const fs::path& GetDir() const { return m_dir.GetPath(); }
    // The call to fail, as EXTKIT_OFFICE_FAIL takes it (UTF-8).
    void SetFailure(const std::string& strFailure)
    {
        SetEnvironmentVariableA("EXTKIT_OFFICE_FAIL", Utf8ToCp1251(strFailure).c_str());
    }
    std::vector<std::string> ReadJournal() const
    {
        std::vector<std::string> lines;
        std::ifstream in(GetDir() / "journal.txt", std::ios::binary);
        for (std::string strLine; std::getline(in, strLine);)
            lines.push_back(strLine);
        return lines;
    }
    // Waits (bounded) until the application has let every object go.
    bool WaitAllReleased(std::string& strCount) const
    {
        return support::PollFor(5000, [&] {
            strCount = ReadFileBytes(GetDir() / "objects.txt");
            return strCount.compare(0, 8, "alive 0\t") == 0;
        });
    }
    std::vector<fs::path> GetSaved() const
    {
        std::vector<fs::path> saved;
        for (const auto& entry : fs::directory_iterator(GetDir() / "saved"))
            saved.push_back(entry.path());
        std::sort(saved.begin(), saved.end());
        return saved;
    }

private:
    support::CTempDir m_dir{"extkit-office-"};
};

// Notes every message box that comes up on this thread while it lives
// ("CAPTION<TAB>TEXT" in UTF-8) and closes it with its OK button.
class CBoxRecorder {
public:
    CBoxRecorder()
        : m_thread([this, dwThread = GetCurrentThreadId()] {
              std::vector<HWND> handled;
              while (WaitForSingleObject(m_hStop, 5) == WAIT_TIMEOUT) {
                  std::vector<HWND> boxes;
                  EnumThreadWindows(
                      dwThread,
                      [](HWND hWnd, LPARAM lParam) -> BOOL {
                          char szClass[16] = "";
                          GetClassNameA(hWnd, szClass, sizeof(szClass));
                          if (lstrcmpA(szClass, "#32770") == 0 && IsWindowVisible(hWnd))
                              reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
                          return TRUE;
                      },
                      reinterpret_cast<LPARAM>(&boxes));
                  for (HWND hBox : boxes) {
                      if (std::find(handled.begin(), handled.end(), hBox) != handled.end())
                          continue;
                      handled.push_back(hBox);
                      std::string strBox = Cp1251ToUtf8(support::GetWindowString(hBox));
                      for (const std::string& strText : support::GetStaticTexts(hBox))
                          strBox += "\t" + Cp1251ToUtf8(strText);
                      m_boxes.push_back(strBox);
                      if (!support::PressDialogButton(hBox, IDOK))
                          support::PressDialogButton(hBox, IDCANCEL);
                  }
              }
          })
    {
    }
    ~CBoxRecorder()
    {
        Stop();
        CloseHandle(m_hStop);
    }

    // Stops watching; the boxes seen.
    std::vector<std::string> Stop()
    {
        if (m_thread.joinable()) {
            SetEvent(m_hStop);
            m_thread.join();
        }
        return m_boxes;
    }

private:
    HANDLE m_hStop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::vector<std::string> m_boxes;
    std::thread m_thread;
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

// One case of the export table: the tool's export command run in this
// process; what it gave is written in the table's lines and order (exit,
// box, saved, the journal) to compare with strExpected.
void RunCase(std::vector<std::string> args, const std::string& strTable, const std::string& strFail,
             const std::string& strExpected, const fs::path& dataDir)
{
    COfficeCase office;
    const std::string strDir = office.GetDir().string();
    std::ofstream(office.GetDir() / "table.tsv", std::ios::binary) << strTable;
    std::ofstream(office.GetDir() / "template.dot", std::ios::binary) << "";
    if (!strFail.empty())
        office.SetFailure(Replace(strFail, "\\t", "\t"));
    for (std::string& arg : args)
        arg = Replace(arg, "$DIR", strDir);
    int nExit = -1;
    CBoxRecorder recorder;
    for (const CToolCommand& command : GetToolCommands()) {
        if (std::string(command.m_pszName) == "export")
            nExit = command.m_pfnRun(args);
    }
    std::string strGot = nExit != 0 ? "exit\t" + std::to_string(nExit) + "\n" : "";
    // AfxMessageBox's caption here, where there is no application object, is the program's name.
    wchar_t szPath[MAX_PATH];
    GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    const std::string strApp = fs::path(szPath).stem().string() + "\t";
    for (std::string strBox : recorder.Stop()) {
        if (strBox.compare(0, strApp.size(), strApp) == 0)
            strBox.replace(0, strApp.size() - 1, "$APP");
        strGot += "box\t" + Replace(strBox, "\n", "\\n") + "\n";
    }
    // A saved document is named by the file of tests/data/export/ whose text it has.
    std::vector<std::string> names;
    std::istringstream expected(strExpected);
    for (std::string strLine; std::getline(expected, strLine);) {
        if (strLine.compare(0, 6, "saved\t") == 0)
            names.push_back(strLine.substr(6));
    }
    const std::vector<fs::path> saved = office.GetSaved();
    for (size_t i = 0; i < saved.size(); ++i) {
        const bool bSame =
            i < names.size() &&
            ReadFileBytes(saved[i]) == Replace(ReadFileBytes(dataDir / "export" / names[i]), "$DIR", strDir);
        strGot += "saved\t" + (bSame ? names[i] : saved[i].filename().string() + " (another text)") + "\n";
    }
    // The journal quotes texts with their backslashes doubled.
    for (const std::string& strLine : office.ReadJournal())
        strGot += Replace(strLine, Replace(strDir, "\\", "\\\\"), "$DIR") + "\n";
    EXPECT_EQ(strExpected, strGot);
    std::string strCount;
    EXPECT_TRUE(office.WaitAllReleased(strCount)) << "the application still holds objects: " << strCount;
}

CTsvTable GoodsTable()
{
    CTsvTable table;
    table.m_names = {"Товар", "Цена"};
    table.m_rows = {{"Молоко", "85.50"}, {"Хлеб", "42.00"}};
    return table;
}

// The export's result and the boxes it showed ("CAPTION<TAB>TEXT", UTF-8).
template <typename Export>
std::pair<bool, std::vector<std::string>> RunExport(Export exportTable)
{
    CBoxRecorder recorder;
    const bool bResult = exportTable();
    return {bResult, recorder.Stop()};
}

std::vector<std::string> ExcelFailingBoxes(const std::string& strFailure)
{
    COfficeCase office;
    office.SetFailure(strFailure);
    CTsvListOut source(GoodsTable());
    const auto run = RunExport([&] { return OutExel(&source, false, nullptr); });
    EXPECT_FALSE(run.first);
    return run.second;
}

// A source whose second row asks for a column the table does not have.
class CFaultySource : public CTsvListOut {
public:
    CFaultySource() : CTsvListOut(GoodsTable()) {}
    CString GetCellValue(int nCol) override { return CTsvListOut::GetCellValue(m_nRows > 0 ? nCol + 5 : nCol); }
    void MoveNext() override
    {
        ++m_nRows;
        CTsvListOut::MoveNext();
    }

private:
    int m_nRows = 0;
};

class ExportFailures : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(AfxOleInit()); }
};

}  // namespace

TEST(ExportTable, EachCaseGivesItsJournalBoxesAndDocument)
{
    ASSERT_TRUE(AfxOleInit());
    const fs::path dataDir = support::ToolPath().parent_path() / "data";
    std::ifstream in(dataDir / "export.txt", std::ios::binary);
    ASSERT_TRUE(in) << "no table";
    int nLine = 0, nCaseLine = 0, nCases = 0;
    std::vector<std::string> args;
    std::string strTable, strFail, strExpected;
    const auto runCase = [&] {
        SCOPED_TRACE("export.txt:" + std::to_string(nCaseLine));
        if (nCaseLine != 0)
            RunCase(args, strTable, strFail, strExpected, dataDir);
    };
    for (std::string strLine; std::getline(in, strLine);) {
        ++nLine;
        if (strLine.empty() || strLine[0] == '#')
            continue;
        if (strLine.compare(0, 2, "> ") == 0) {
            runCase();
            nCaseLine = nLine;
            ++nCases;
            args = SplitTabs(strLine.substr(2));
            strTable = strFail = strExpected = "";
        } else if (strLine.compare(0, 2, "| ") == 0) {
            strTable += strLine.substr(2) + "\n";
        } else if (strLine.compare(0, 5, "fail\t") == 0) {
            strFail = strLine.substr(5);
        } else {
            strExpected += strLine + "\n";
        }
    }
    runCase();
    ::testing::Test::RecordProperty("table_cases", nCases);
    EXPECT_GT(nCases, 0);
}

TEST_F(ExportFailures, AnApplicationNotRegisteredGivesTheCreationMessageAndNoCall)
{
    COfficeCase office;
    CTsvListOut source(GoodsTable());
    ASSERT_TRUE(RegisterOfficeStandin(false));
    const auto excel = RunExport([&] { return OutExel(&source, false, nullptr); });
    const auto word = RunExport([&] { return OutToWord(&source, eTypeOutWordTable, nullptr); });
    ASSERT_TRUE(RegisterOfficeStandin(true));

    EXPECT_FALSE(excel.first || word.first);
    EXPECT_EQ(std::vector<std::string>{"export_tests\tCouldn't CreateDispatch on Excel"}, excel.second);
    EXPECT_EQ(std::vector<std::string>{"export_tests\tCouldn't CreateDispatch on Word"}, word.second);
    EXPECT_TRUE(office.ReadJournal().empty());
    EXPECT_FALSE(source.IsEOF()) << "the source is not read";
}

TEST_F(ExportFailures, AFailedCallShowsTheSystemTextOfItsStatusAndALongDescriptionIsCut)
{
    char szText[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, 0x80070005, 0, szText,
                   sizeof(szText), nullptr);
    ASSERT_NE('\0', szText[0]) << "the system has a text for the status";
    EXPECT_EQ(std::vector<std::string>{"COM Error\t" + Cp1251ToUtf8(szText)},
              ExcelFailingBoxes("Range\tValue\tput\t2\tstatus\t0x80070005"));

    // 511 bytes and the zero: the prefix, then as much of the description as fits.
    std::string strDescription, strExpected = "Server Error\tRun-time error '1004':\n\n";
    for (int i = 0; i < 700; ++i)
        strDescription += u8"Я";
    for (size_t i = strExpected.size() - 13; i < 511; ++i)
        strExpected += u8"Я";
    EXPECT_EQ(std::vector<std::string>{strExpected},
              ExcelFailingBoxes("Range\tValue\tput\t1\texception\t0x800A03EC\t" + strDescription));
}

TEST_F(ExportFailures, AnExceptionOfTheSourcePassesToTheCallerAndEveryObjectIsReleased)
{
    for (bool bWord : {false, true}) {
        COfficeCase office;
        CFaultySource source;
        CBoxRecorder recorder;
        EXPECT_TRUE(support::Throws<CInvalidArgException>([&] {
            if (bWord)
                OutToWord(&source, eTypeOutWordTabs, nullptr);
            else
                OutExel(&source, false, nullptr);
        })) << (bWord ? "word" : "excel");
        EXPECT_TRUE(recorder.Stop().empty()) << "no box";
        const std::vector<std::string> journal = office.ReadJournal();
        ASSERT_FALSE(journal.empty());
        EXPECT_EQ(std::string::npos, journal.back().find("Visible")) << "left hidden: " << journal.back();
        std::string strCount;
        EXPECT_TRUE(office.WaitAllReleased(strCount)) << strCount;
    }
}

// A report-view list: the first reads are cut at 255 characters, later rows
// come whole; the walk follows the live item count; a list without columns
// exports its title alone.
TEST_F(ExportFailures, AListControlIsReadAsItStandsWhileTheWalkGoesOn)
{
    CWnd host;
    CListCtrl list;
    ASSERT_TRUE(host.CreateEx(0, NULL, "Склад", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 30, 420, 260, NULL, NULL));
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(5, 5, 400, 220), &host, 10));
    const CString strLong(static_cast<char>(0xC6), 300);  // 300 letters
    list.InsertColumn(0, strLong, LVCFMT_LEFT, 150);
    list.InsertColumn(1, "Цена", LVCFMT_LEFT, 80);
    CListCtrlOut emptyAtStart(&list);
    const char* const apszRows[][2] = {{strLong, "85.50"}, {strLong, "42.00"}, {"Сыр", "610.00"}};
    for (int i = 0; i < 3; ++i) {
        list.InsertItem(i, apszRows[i][0]);
        list.SetItemText(i, 1, apszRows[i][1]);
    }
    EXPECT_TRUE(emptyAtStart.IsEOF()) << "rows added afterwards are never visited";

    CListCtrlOut source(&list);
    EXPECT_EQ(2, source.GetColumnCount());
    EXPECT_EQ(strLong.Left(255), source.GetColName(0));
    EXPECT_EQ(strLong.Left(255), source.GetCellValue(0));
    EXPECT_EQ(CString("85.50"), source.GetCellValue(1));
    list.DeleteItem(2);
    source.MoveNext();
    EXPECT_EQ(strLong, source.GetCellValue(0));
    EXPECT_EQ(CString("42.00"), source.GetCellValue(1));
    EXPECT_TRUE(support::Throws<CInvalidArgException>([&] { source.GetColName(2); }));
    EXPECT_TRUE(support::Throws<CInvalidArgException>([&] { source.GetCellValue(-1); }));
    list.DeleteItem(1);
    EXPECT_TRUE(source.IsEOF()) << "a row deleted during the walk shortens it";
    EXPECT_EQ(CString("42.00"), source.GetCellValue(1)) << "the last row's texts stay";

    list.DeleteColumn(1);
    list.DeleteColumn(0);
    CListCtrlOut bare(&list);
    EXPECT_EQ(0, bare.GetColumnCount());
    bare.SetTitle("Без столбцов");
    COfficeCase office;
    EXPECT_EQ(std::vector<std::string>{}, RunExport([&] { return OutExel(&bare, false, nullptr); }).second);
    EXPECT_TRUE(bare.IsEOF());
    // The title cell, and no row addressed after it: a row without columns has no cells.
    const std::vector<std::string> journal = office.ReadJournal();
    ASSERT_EQ(17u, journal.size());
    EXPECT_EQ(u8"Range\tValue\t6\tput\tbstr:Без столбцов", journal[14]);
    EXPECT_EQ("Application\tVisible\t558\tput\tbool:true", journal[16]);
    host.DestroyWindow();
}

TEST(ExportTool, ATableOpensInTheSpreadsheetFromTheCommandLineAndWrongCallsAreRefused)
{
    COfficeCase office;
    const std::filesystem::path dir = office.GetDir(), table = dir / std::filesystem::u8path(u8"остатки.tsv");
    std::ofstream(table, std::ios::binary) << u8"Товар\tЦена\nМолоко\t85.50\n";
    const support::CToolRun run = support::RunTool(dir, {"export", "excel", "--title", u8"Остатки", table.u8string()});
    EXPECT_EQ(0, run.m_nStatus) << run.m_strErr;
    const std::vector<std::string> journal = office.ReadJournal();
    ASSERT_FALSE(journal.empty());
    EXPECT_EQ("Application\tVisible\t558\tput\tbool:true", journal.back());
    EXPECT_EQ(1u, office.GetSaved().size());

    std::ofstream(dir / "t.tsv", std::ios::binary) << "A\tB\nx\n";
    std::ofstream(dir / "bad.tsv", std::ios::binary) << "A\nx\ty\n";
    const std::string strDir = dir.u8string() + "\\";
    support::CheckCaseTable("export_usage.txt", [&](const std::string& strLine) {
        std::vector<std::string> args = SplitTabs("export\t" + strLine);
        for (std::string& arg : args) {
            if (arg.size() > 4 && arg.compare(arg.size() - 4, 4, ".tsv") == 0)
                arg = strDir + arg;
        }
        const support::CToolRun usage = support::RunTool(dir, args);
        std::string strErr = usage.m_strErr.substr(0, usage.m_strErr.find('\n'));
        const size_t nDir = strErr.find(strDir);
        if (nDir != std::string::npos)
            strErr.erase(nDir, strDir.size());
        return std::to_string(usage.m_nStatus) + "\t" + strErr;
    });
}

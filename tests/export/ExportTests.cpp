// What the export table cannot say: an application that is not registered,
// the texts of the error boxes, an exception of the source, and the tool run
// as a user runs it, in a process of its own.
#include "CaseTable.h"
#include "OfficeSession.h"
#include "export/ExcelOut.h"
#include "export/TsvListOut.h"
#include "export/WordOut.h"

#include <afxole.h>

#include <gtest/gtest.h>

#include <fstream>

namespace {

CTsvTable GoodsTable()
{
    CTsvTable table;
    table.m_names = {"Товар", "Цена"};
    table.m_rows = {{"Молоко", "85.50"}, {"Хлеб", "42.00"}};
    return table;
}

struct CExportRun {
    bool m_bResult;
    std::vector<std::string> m_boxes;  // "CAPTION<TAB>TEXT", UTF-8
};

template <typename Export>
CExportRun RunExport(Export exportTable)
{
    support::CBoxRecorder recorder;
    const bool bResult = exportTable();
    return {bResult, recorder.Stop()};
}

CExportRun ExportToExcelFailing(const std::string& strFailure)
{
    support::COfficeCase office;
    office.SetFailure(strFailure);
    CTsvListOut source(GoodsTable());
    return RunExport([&] { return OutExel(&source, false, nullptr); });
}

std::string SystemText(SCODE sc)
{
    char szText[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, static_cast<DWORD>(sc), 0,
                   szText, sizeof(szText), nullptr);
    return support::AnsiToUtf8(szText);
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

TEST_F(ExportFailures, AnApplicationNotRegisteredGivesTheCreationMessageAndNoCall)
{
    support::COfficeCase office;
    CTsvListOut source(GoodsTable());
    ASSERT_TRUE(support::RegisterOfficeStandin(false));
    const CExportRun excel = RunExport([&] { return OutExel(&source, false, nullptr); });
    const CExportRun word = RunExport([&] { return OutToWord(&source, eTypeOutWordTable, nullptr); });
    ASSERT_TRUE(support::RegisterOfficeStandin(true));

    EXPECT_FALSE(excel.m_bResult);
    EXPECT_EQ(std::vector<std::string>{"export_tests\tCouldn't CreateDispatch on Excel"}, excel.m_boxes);
    EXPECT_FALSE(word.m_bResult);
    EXPECT_EQ(std::vector<std::string>{"export_tests\tCouldn't CreateDispatch on Word"}, word.m_boxes);
    EXPECT_TRUE(office.ReadJournal().empty());
    EXPECT_FALSE(source.IsEOF()) << "the source is not read";
}

TEST_F(ExportFailures, AFailedCallShowsTheSystemTextOfItsStatus)
{
    const CExportRun run = ExportToExcelFailing("Range\tValue\tput\t2\tstatus\t0x80070005");
    EXPECT_FALSE(run.m_bResult);
    const std::string strText = SystemText(static_cast<SCODE>(0x80070005));
    ASSERT_FALSE(strText.empty()) << "the system has a text for the status";
    EXPECT_EQ(std::vector<std::string>{"COM Error\t" + strText}, run.m_boxes);

    // A status without a text of its own is still named.
    EXPECT_EQ(std::vector<std::string>{"COM Error\tUnknown error 0x80041234"},
              ExportToExcelFailing("Font\tBold\tput\t1\tstatus\t0x80041234").m_boxes);
}

TEST_F(ExportFailures, AServerDescriptionLongerThanTheBoxBufferIsCutToIt)
{
    std::string strDescription;
    for (int i = 0; i < 700; ++i)
        strDescription += u8"Я";
    const CExportRun run = ExportToExcelFailing("Range\tValue\tput\t1\texception\t0x800A03EC\t" + strDescription);
    EXPECT_FALSE(run.m_bResult);
    // 511 bytes and the zero: the prefix, then as much of the description as fits.
    const std::string strPrefix = "Run-time error '1004':\n\n";
    std::string strExpected = "Server Error\t" + strPrefix;
    for (size_t i = strPrefix.size(); i < 511; ++i)
        strExpected += u8"Я";
    EXPECT_EQ(std::vector<std::string>{strExpected}, run.m_boxes);
}

TEST_F(ExportFailures, AnExceptionOfTheSourcePassesToTheCallerAndEveryObjectIsReleased)
{
    for (bool bWord : {false, true}) {
        support::COfficeCase office;
        CFaultySource source;
        support::CBoxRecorder recorder;
        bool bThrown = false;
        try {
            if (bWord)
                OutToWord(&source, eTypeOutWordTabs, nullptr);
            else
                OutExel(&source, false, nullptr);
        } catch (CInvalidArgException* e) {
            e->Delete();
            bThrown = true;
        }
        EXPECT_TRUE(bThrown) << (bWord ? "word" : "excel");
        EXPECT_TRUE(recorder.Stop().empty()) << "no box";
        const std::vector<std::string> journal = office.ReadJournal();
        ASSERT_FALSE(journal.empty());
        EXPECT_EQ(std::string::npos, journal.back().find("Visible")) << "left hidden: " << journal.back();
        std::string strCount;
        EXPECT_TRUE(office.WaitAllReleased(strCount)) << strCount;
    }
}

TEST(ExportTool, ATableOpensInTheSpreadsheetFromTheCommandLine)
{
    support::COfficeCase office;
    const std::filesystem::path table = office.GetDir() / std::filesystem::u8path(u8"остатки.tsv");
    std::ofstream(table, std::ios::binary) << u8"Товар\tЦена\nМолоко\t85.50\n";
    const support::CToolRun run =
        support::RunTool(office.GetDir(), {"export", "excel", "--title", u8"Остатки", table.u8string()});
    EXPECT_EQ(0, run.m_nStatus) << run.m_strErr;
    const std::vector<std::string> journal = office.ReadJournal();
    ASSERT_FALSE(journal.empty());
    EXPECT_EQ("Application\tVisible\t558\tput\tbool:true", journal.back());
    EXPECT_EQ(1u, office.GetSaved().size());
}

TEST(ExportTool, WrongCallsAreRefusedWithTheirReason)
{
    support::CTempDir dir("extkit-export-");
    std::ofstream(dir.GetPath() / "t.tsv", std::ios::binary) << "A\tB\nx\n";
    std::ofstream(dir.GetPath() / "bad.tsv", std::ios::binary) << "A\nx\ty\n";
    support::CheckCaseTable("export_usage.txt", [&](const std::string& strLine) {
        std::vector<std::string> args = {"export"};
        size_t nStart = 0;
        for (size_t nTab; (nTab = strLine.find('\t', nStart)) != std::string::npos; nStart = nTab + 1)
            args.push_back(strLine.substr(nStart, nTab - nStart));
        args.push_back(strLine.substr(nStart));
        for (std::string& arg : args) {
            if (arg.size() > 4 && arg.compare(arg.size() - 4, 4, ".tsv") == 0)
                arg = (dir.GetPath() / arg).u8string();
        }
        const support::CToolRun run = support::RunTool(dir.GetPath(), args);
        std::string strErr = run.m_strErr.substr(0, run.m_strErr.find('\n'));
        const size_t nDir = strErr.find(dir.GetPath().u8string());
        if (nDir != std::string::npos)
            strErr.replace(nDir, dir.GetPath().u8string().size() + 1, "");
        return std::to_string(run.m_nStatus) + "\t" + strErr;
    });
}

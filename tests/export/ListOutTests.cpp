// The table source's title and font records, and the tool's source over a
// tab-separated table with its font options (tests/data/export_sources.txt).
#include "CaseTable.h"
#include "Console.h"
#include "export/TsvListOut.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// \t, \n, \r, \0, \\ and \xHH in a table's input.
std::string Unescape(const std::string& str)
{
    std::string strOut;
    for (size_t i = 0; i < str.size(); ++i) {
        if (str[i] != '\\' || i + 1 == str.size()) {
            strOut += str[i];
            continue;
        }
        const char ch = str[++i];
        if (ch == 'x' && i + 2 < str.size()) {
            strOut += static_cast<char>(std::stoi(str.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            strOut += ch == 't' ? '\t' : ch == 'n' ? '\n' : ch == 'r' ? '\r' : ch == '0' ? '\0' : ch;
        }
    }
    return strOut;
}

std::string Fields(const std::vector<std::string>& fields)
{
    std::string str;
    for (size_t i = 0; i < fields.size(); ++i)
        str += (i > 0 ? "|" : "") + fields[i];
    return str;
}

// "font<TAB>SPEC" gives the record, "tsv<TAB>TEXT" the names and the rows as
// the source hands them out; a text refused gives #invalid and the reason.
std::string RunSourceCase(const std::string& strLine)
{
    const size_t nTab = strLine.find('\t');
    const std::string strKind = strLine.substr(0, nTab), strInput = Unescape(strLine.substr(nTab + 1));
    std::string strProblem;
    if (strKind == "font") {
        OutFont font;
        if (!ParseOutFont(Utf8ToCp1251(strInput), font, strProblem))
            return "#invalid " + Cp1251ToUtf8(strProblem);
        char szSize[32];
        std::snprintf(szSize, sizeof(szSize), "%g", font.fSize);
        return "name=" + Cp1251ToUtf8(static_cast<const char*>(font.strName)) + " size=" + szSize +
               " bold=" + (font.bBold ? "1" : "0") + " align=" + std::to_string(font.nAlign);
    }
    CTsvTable table;
    if (!ParseTsv(strInput, table, strProblem))
        return "#invalid " + Cp1251ToUtf8(strProblem);
    CTsvListOut source(table);
    std::vector<std::string> names;
    for (int i = 0; i < source.GetColumnCount(); ++i)
        names.push_back(static_cast<const char*>(source.GetColName(i)));
    std::string strOut = Fields(names);
    for (; !source.IsEOF(); source.MoveNext()) {
        std::vector<std::string> cells;
        for (int i = 0; i < source.GetColumnCount(); ++i)
            cells.push_back(static_cast<const char*>(source.GetCellValue(i)));
        strOut += " ; " + Fields(cells);
    }
    return strOut;
}

// The framework throws its exceptions as objects the catcher deletes.
template <typename Call>
bool ThrowsInvalidArg(Call call)
{
    try {
        call();
    } catch (CInvalidArgException* e) {
        e->Delete();
        return true;
    }
    return false;
}

}  // namespace

TEST(ListOut, SourcesAndFontOptionsFollowTheirTable)
{
    support::CheckCaseTable("export_sources.txt", RunSourceCase);
}

TEST(ListOut, TitleAndFontRecordsKeepWhatIsSetAndCopyWithTheSource)
{
    CTsvListOut source(CTsvTable{});
    CString strName = "x";
    float fSize = 1;
    bool bBold = true;
    LONG nAlign = 7;
    source.GetFontCell(strName, fSize, bBold, nAlign);
    EXPECT_TRUE(strName.IsEmpty() && fSize == 0 && !bBold && nAlign == -1) << "the defaults";
    EXPECT_STREQ("", source.GetTitle());

    source.SetTitle("Остатки");
    source.SetFontTitle("Arial", 14, true, 1);
    source.SetFontColumnHead(nullptr, 10.5f, true, 2);
    source.SetFontCell("Courier New", -1, false, -3);
    CTsvListOut copy(CTsvTable{});
    copy = source;
    source.SetTitle(nullptr);
    EXPECT_STREQ("", source.GetTitle());
    EXPECT_STREQ("Остатки", copy.GetTitle());
    copy.GetFontTitle(strName, fSize, bBold, nAlign);
    EXPECT_TRUE(strName == "Arial" && fSize == 14 && bBold && nAlign == 1);
    copy.GetFontColumnHead(strName, fSize, bBold, nAlign);
    EXPECT_TRUE(strName.IsEmpty() && fSize == 10.5f && bBold && nAlign == 2);
    copy.GetFontCell(strName, fSize, bBold, nAlign);
    EXPECT_TRUE(strName == "Courier New" && fSize == -1 && !bBold && nAlign == -3);
}

TEST(ListOut, ACellOutsideTheTableIsAnInvalidArgument)
{
    CTsvTable table;
    std::string strProblem;
    ASSERT_TRUE(ParseTsv("A\tB\nx\ty\n", table, strProblem));
    CTsvListOut source(table);
    for (int nCol : {-1, 2}) {
        EXPECT_TRUE(ThrowsInvalidArg([&] { source.GetColName(nCol); }));
        EXPECT_TRUE(ThrowsInvalidArg([&] { source.GetCellValue(nCol); }));
    }
    source.MoveNext();
    EXPECT_TRUE(ThrowsInvalidArg([&] { source.GetCellValue(0); }));
}

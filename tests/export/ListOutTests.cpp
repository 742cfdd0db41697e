// The tool's source over a tab-separated table and its font options
// (tests/data/export_sources.txt).
#include "CaseTable.h"
#include "Console.h"
#include "export/TsvListOut.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

std::string Fields(const std::vector<std::string>& fields)
{
    std::string str;
    for (size_t i = 0; i < fields.size(); ++i)
        str += (i > 0 ? "|" : "") + fields[i];
    return str;
}

// "font<TAB>FONT" gives the record, "tsv<TAB>TEXT" the names and the rows as
// the source hands them out; a text refused gives #invalid and the reason.
std::string RunSourceCase(const std::string& strLine)
{
    const std::vector<std::string> fields = support::SplitCaseFields(strLine);
    const std::string strKind = fields[0], strInput = fields.size() > 1 ? fields[1] : "";
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

}  // namespace

TEST(ListOut, SourcesAndFontOptionsFollowTheirTable)
{
    support::CheckCaseTable("export_sources.txt", RunSourceCase);
}

// The extkit tool's table source: arbitrary text as a tab-separated table and
// as a font option. Whatever is accepted must be a table the source walks
// cell by cell, with rows as wide as the header, that reads back the same
// when written out again; an accepted font has a finite size within bounds.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "export/TsvListOut.h"

namespace {

void Check(bool bCondition)
{
    if (!bCondition)
        __builtin_trap();
}

std::string Line(const std::vector<std::string>& fields)
{
    std::string strLine;
    for (size_t i = 0; i < fields.size(); ++i)
        strLine += (i > 0 ? "\t" : "") + fields[i];
    return strLine;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::string strText(reinterpret_cast<const char*>(pData), nSize);
    CTsvTable table;
    std::string strProblem;
    if (ParseTsv(strText, table, strProblem)) {
        Check(!table.m_names.empty());
        std::string strAgain = Line(table.m_names) + "\n";
        CTsvListOut source(table);
        Check(source.GetColumnCount() == static_cast<int>(table.m_names.size()));
        size_t nRow = 0;
        for (; !source.IsEOF(); source.MoveNext(), ++nRow) {
            Check(table.m_rows[nRow].size() == table.m_names.size());
            for (int i = 0; i < source.GetColumnCount(); ++i) {
                const CString strCell = source.GetCellValue(i);
                Check(strCell.GetLength() == static_cast<int>(table.m_rows[nRow][static_cast<size_t>(i)].size()));
                Check(strCell.FindOneOf("\t\n") < 0);
            }
            strAgain += Line(table.m_rows[nRow]) + "\n";
        }
        Check(nRow == table.m_rows.size());
        CTsvTable again;
        Check(ParseTsv(strAgain, again, strProblem));
        Check(again.m_names == table.m_names && again.m_rows == table.m_rows);
    } else {
        Check(!strProblem.empty());
    }
    OutFont font;
    if (ParseOutFont(strText, font, strProblem)) {
        Check(std::isfinite(font.fSize) && std::fabs(font.fSize) <= 1e6f);
        // Bold only from a third field that is exactly "1".
        const size_t nFirst = strText.find(':'), nSecond = strText.find(':', nFirst + 1);
        Check(font.bBold == (nFirst != std::string::npos && nSecond != std::string::npos &&
                             strText.substr(nSecond + 1, strText.find(':', nSecond + 1) - nSecond - 1) == "1"));
    }
    return 0;
}

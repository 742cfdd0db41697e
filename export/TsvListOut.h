// A table source over tab-separated text, for the extkit tool: the first line
// gives the column names, each further line a row. Fields are taken as they
// are (no quoting, no escapes); a row with fewer fields than columns has empty
// cells at its end. And the font records as the tool's options give them.
#pragma once

#include "export/ListOut.h"

#include <string>
#include <vector>

struct CTsvTable {
    std::vector<std::string> m_names;
    std::vector<std::vector<std::string>> m_rows;
};

// Splits the text: lines end with LF or CR LF (the end of the last line may be
// left out), a UTF-8 byte-order mark in front is skipped. False, with the
// reason in strProblem (Windows-1251), for an empty text, a row with more
// fields than there are columns, or a zero byte or a carriage return of its
// own, which no cell can hold.
bool ParseTsv(const std::string& strText, CTsvTable& table, std::string& strProblem);

// "NAME:SIZE:BOLD:ALIGN"; a field left empty or out keeps its default. SIZE
// is a decimal number (point or comma), BOLD 0 or 1, ALIGN an integer.
bool ParseOutFont(const std::string& strFont, OutFont& font, std::string& strProblem);

// The table's texts, which must already be in the library's code page.
class CTsvListOut : public CAbstractListOut {
public:
    explicit CTsvListOut(const CTsvTable& table);

    int GetColumnCount() override;
    CString GetColName(int nCol) override;
    CString GetCellValue(int nCol) override;
    bool IsEOF() override;
    void MoveNext() override;

private:
    CTsvTable m_table;
    size_t m_nRow = 0;
};

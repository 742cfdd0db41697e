// Tab-separated tables and font options for the extkit tool.
#include "export/TsvListOut.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

std::vector<std::string> Split(const std::string& str, char chSeparator)
{
    std::vector<std::string> fields;
    size_t nStart = 0;
    for (size_t nEnd; (nEnd = str.find(chSeparator, nStart)) != std::string::npos; nStart = nEnd + 1)
        fields.push_back(str.substr(nStart, nEnd - nStart));
    fields.push_back(str.substr(nStart));
    return fields;
}

std::string LineProblem(size_t nLine, const std::string& strWhat)
{
    return "строка " + std::to_string(nLine) + ": " + strWhat;
}

bool IsDigits(const std::string& str, size_t nFrom)
{
    if (nFrom >= str.size())
        return false;
    for (size_t i = nFrom; i < str.size(); ++i) {
        if (str[i] < '0' || str[i] > '9')
            return false;
    }
    return true;
}

}  // namespace

bool ParseTsv(const std::string& strText, CTsvTable& table, std::string& strProblem)
{
    table = CTsvTable();
    std::string str = strText.compare(0, 3, "\xEF\xBB\xBF") == 0 ? strText.substr(3) : strText;
    if (str.empty()) {
        strProblem = "таблица пуста: нет строки с именами столбцов";
        return false;
    }
    if (str.back() == '\n')
        str.pop_back();
    std::vector<std::string> lines = Split(str, '\n');
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string& strLine = lines[i];
        if (!strLine.empty() && strLine.back() == '\r')
            strLine.pop_back();
        if (strLine.find('\0') != std::string::npos) {
            strProblem = LineProblem(i + 1, "нулевой байт");
            return false;
        }
        // A carriage return alone would end a line for some readers and not
        // for others; no cell holds one.
        if (strLine.find('\r') != std::string::npos) {
            strProblem = LineProblem(i + 1, "возврат каретки без перевода строки");
            return false;
        }
        std::vector<std::string> fields = Split(strLine, '\t');
        if (i == 0) {
            table.m_names = fields;
            continue;
        }
        if (fields.size() > table.m_names.size()) {
            strProblem = LineProblem(i + 1, "полей " + std::to_string(fields.size()) + ", а столбцов " +
                                                std::to_string(table.m_names.size()));
            return false;
        }
        fields.resize(table.m_names.size());
        table.m_rows.push_back(fields);
    }
    return true;
}

bool ParseOutFont(const std::string& strFont, OutFont& font, std::string& strProblem)
{
    font = OutFont();
    const std::vector<std::string> fields = Split(strFont, ':');
    if (fields.size() > 4) {
        strProblem = "шрифт задаётся как ИМЯ:РАЗМЕР:ЖИРНЫЙ:ВЫРАВНИВАНИЕ, а полей " + std::to_string(fields.size());
        return false;
    }
    font.strName = fields[0].c_str();
    if (fields.size() > 1 && !fields[1].empty()) {
        // Digits with one decimal point or comma; the C library reads the point.
        std::string strSize = fields[1];
        const size_t nSeparator = strSize.find_first_of(".,");
        if (nSeparator != std::string::npos)
            strSize[nSeparator] = '.';
        const size_t nSign = strSize[0] == '-' || strSize[0] == '+' ? 1 : 0;
        const bool bNumber = nSeparator == std::string::npos
                                 ? IsDigits(strSize, nSign)
                                 : IsDigits(strSize.substr(0, nSeparator), nSign) && IsDigits(strSize, nSeparator + 1);
        const double dSize = bNumber ? std::strtod(strSize.c_str(), nullptr) : 0;
        if (!bNumber || !(std::fabs(dSize) <= 1e6)) {
            strProblem = "размер шрифта - десятичное число не больше миллиона: " + fields[1];
            return false;
        }
        font.fSize = static_cast<float>(dSize);
    }
    if (fields.size() > 2 && !fields[2].empty()) {
        if (fields[2] != "0" && fields[2] != "1") {
            strProblem = "полужирный - 0 или 1: " + fields[2];
            return false;
        }
        font.bBold = fields[2] == "1";
    }
    if (fields.size() > 3 && !fields[3].empty()) {
        const std::string& strAlign = fields[3];
        errno = 0;
        char* pszEnd = nullptr;
        const long long nAlign = std::strtoll(strAlign.c_str(), &pszEnd, 10);
        const size_t nSign = strAlign[0] == '-' || strAlign[0] == '+' ? 1 : 0;
        if (!IsDigits(strAlign, nSign) || errno != 0 || nAlign < INT_MIN || nAlign > INT_MAX) {
            strProblem = "выравнивание - целое число: " + strAlign;
            return false;
        }
        font.nAlign = static_cast<LONG>(nAlign);
    }
    return true;
}

CTsvListOut::CTsvListOut(const CTsvTable& table) : m_table(table) {}

int CTsvListOut::GetColumnCount()
{
    return static_cast<int>(m_table.m_names.size());
}

CString CTsvListOut::GetColName(int nCol)
{
    if (nCol < 0 || nCol >= GetColumnCount())
        AfxThrowInvalidArgException();
    return m_table.m_names[static_cast<size_t>(nCol)].c_str();
}

CString CTsvListOut::GetCellValue(int nCol)
{
    if (IsEOF() || nCol < 0 || nCol >= GetColumnCount())
        AfxThrowInvalidArgException();
    return m_table.m_rows[m_nRow][static_cast<size_t>(nCol)].c_str();
}

bool CTsvListOut::IsEOF()
{
    return m_nRow >= m_table.m_rows.size();
}

void CTsvListOut::MoveNext()
{
    if (!IsEOF())
        ++m_nRow;
}

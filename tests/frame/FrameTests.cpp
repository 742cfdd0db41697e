// The frame's portable functions as case tables (tests/data/frame.txt:
// RoundDbl, ParsingArguments, the locale rules; natively also
// tests/data/posix_locale.txt), and natively the reading of a POSIX locale.
#include "frame/Frame.h"
#include "frame/LocaleSettings.h"

#include "CaseTable.h"
#include "Console.h"

#include <afxcoll.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* Text(const std::string& str)
{
    return str == "NULL" ? nullptr : str.c_str();
}

std::string Number(double d)
{
    char sz[40];
    std::snprintf(sz, sizeof(sz), "%.17g", d);
    return d == 0 ? "0" : std::isnan(d) ? "nan" : std::isinf(d) ? (d > 0 ? "inf" : "-inf") : sz;
}

#ifndef _WIN32
// The eight settings in one line: five separators, two precisions, the symbol.
std::string Line(char a, char b, char c, char d, char e, short nCur, short nDec, const char* pszSymbol)
{
    return std::string{a, b, c, d, e, char('0' + nCur), char('0' + nDec), '|'} +
           std::string(pszSymbol, strnlen(pszSymbol, 5));
}
std::string Line(const CLocaleSettings& s)
{
    return Line(s.m_chDecimalSep, s.m_chThousandSep, s.m_chDateSep, s.m_chThousandSepCur, s.m_chDecimalSepCur,
                s.m_nCurrencyPrec, s.m_nDecimalPrec, s.m_strCurrencySymbol);
}
#endif

std::string RunFrameLine(const std::string& strLine)
{
    std::vector<std::string> f = support::SplitCaseFields(strLine);
    for (size_t i = 1; i < f.size(); ++i)
        f[i] = f[i] == "NULL" ? f[i] : Utf8ToCp1251(f[i]);
    f.resize(std::max<size_t>(f.size(), 3));
    std::string str;
    if (f[0] == "round")
        return Number(
            RoundDbl(std::strtod(f[1].c_str(), nullptr), static_cast<int>(std::strtoll(f[2].c_str(), nullptr, 0))));
    if (f[0] == "args") {
        CStringArray arr;
        arr.Add("old");
        str = std::to_string(ParsingArguments(Text(f[1]), arr)) + (arr[0] == "old" ? "\t" : "\tlost the old item");
        for (INT_PTR i = 1; i < arr.GetSize(); ++i)
            str += "[" + std::string(static_cast<LPCSTR>(arr[i])) + "]";
    } else if (f[0] == "separator") {
        char ch = '.';
        str = CLocaleSettings::TakeSeparator(Text(f[1]), ch) ? "taken " : "kept ";
        str += ch;
    } else if (f[0] == "symbol") {
        CLocaleSettings s;
        for (size_t i = 1; i < f.size(); ++i) {
            str += std::string(i > 1 ? "\t" : "") + (s.TakeCurrencySymbol(Text(f[i])) ? "+" : "-");
            str += std::string(s.m_strCurrencySymbol, strnlen(s.m_strCurrencySymbol, 5));
        }
    } else if (f[0] == "precision") {
        short n = 2;
        str = CLocaleSettings::TakePrecision(f[1].c_str(), n) ? "taken " : "kept ";
        str += std::to_string(n);
#ifndef _WIN32
    } else if (f[0] == "datesep") {
        char ch = '?';
        str = DateSeparatorOfFormat(f[1].c_str(), ch) ? std::string(1, ch) : "none";
    } else if (f[0] == "cp1251") {
        str = "kept";
        ConvertToCp1251(support::SplitCaseFields(strLine)[2].c_str(), f[1].c_str(), str);
    } else if (f[0] == "read") {
        CLocaleSettings s;
        str = ReadPosixLocaleSettings(f[1].c_str(), s) ? Line(s) : "unknown";
#endif
    } else {
        return "#invalid";
    }
    return Cp1251ToUtf8(str);
}

}  // namespace

TEST(FrameTable, Cases)
{
    support::CheckCaseTable("frame.txt", RunFrameLine);
}

#ifndef _WIN32
TEST(PosixLocale, CasesAndTheProgramsOwnLocaleLeftAlone)
{
    const std::string strBefore = setlocale(LC_ALL, nullptr);
    support::CheckCaseTable("posix_locale.txt", RunFrameLine);
    EXPECT_EQ(strBefore, setlocale(LC_ALL, nullptr));
    EXPECT_STREQ(".", localeconv()->decimal_point);
    // The globals hold the user's locale from start-up.
    CLocaleSettings user;
    ReadPosixLocaleSettings("", user);
    EXPECT_EQ(Line(user), Line(g_chDecimalSep, g_chThousandSep, g_chDateSep, g_chThousandSepCur, g_chDecimalSepCur,
                               g_nCurrencyPrec, g_nDecimalPrec, g_strCurrencySymbol));
}
#endif

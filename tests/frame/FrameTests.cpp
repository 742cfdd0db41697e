// The frame's portable functions as tables of input and answer: RoundDbl,
// ParsingArguments and the rules that turn locale texts into the settings;
// natively also the reading of a POSIX locale.
#include "frame/Frame.h"
#include "frame/LocaleSettings.h"

#include <afxcoll.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

TEST(RoundDbl, CutsTowardsZeroByTheLowSixteenBitsOfTheCount)
{
    const double dInf = std::numeric_limits<double>::infinity(), dNaN = std::numeric_limits<double>::quiet_NaN();
    // Scaled back by a product of tenths, not a division: 1.239 to 2 digits is
    // 123 * (0.1 * 0.1) = 1.2300000000000002. A factor past the reach of a
    // double leaves the value as it is, or nothing where it underflows.
    // clang-format off
    const struct { double x; int nDigits; double dResult; } aCases[] = {
        {2.999, 0, 2.0}, {-2.999, 0, -2.0}, {0.75, 0, 0.0}, {123456789.9, 0, 123456789.0},
        {1.239, 2, 123.0 * (0.1 * 0.1)}, {-1.239, 2, -123.0 * (0.1 * 0.1)}, {1.0 / 3.0, 3, 333.0 * (0.1 * 0.1 * 0.1)},
        {1234.0, -2, 1200.0}, {1299.99, -1, 1290.0}, {-1299.99, -2, -1200.0}, {99.0, -2, 0.0},
        {1234.0, 0x7FFF0000, 1234.0}, {1234.0, 0xFFFF, 1230.0}, {1.239, 0x10002, 123.0 * (0.1 * 0.1)},
        {1.5, 400, 1.5}, {1e10, 300, 1e10}, {0.0, 400, 0.0}, {123.0, -400, 0.0}, {-1e300, -320, 0.0},
        {dInf, 2, dInf}, {-dInf, -400, -dInf}, {dNaN, 2, dNaN},
    };
    // clang-format on
    for (const auto& c : aCases) {
        const double d = RoundDbl(c.x, c.nDigits);
        EXPECT_TRUE(d == c.dResult || (std::isnan(d) && std::isnan(c.dResult))) << c.x << " " << c.nDigits << ": " << d;
    }
}

TEST(ParsingArguments, SplitsByCommasWhenThereIsOneElseByBlanksAndAppends)
{
    // clang-format off
    const char* const aCases[][2] = {
        // A run of blanks is one separator, but two at the end give an empty last item.
        {"  one two   three ", "[one][two][three]"}, {"a\tb\r\nc", "[a][b][c]"}, {"\x07word\x08", "[word]"},
        {"a ", "[a]"}, {"a  ", "[a][]"},
        // A comma anywhere splits by commas only; the items lose their blanks.
        {"a, b c ,,d", "[a][b c][][d]"}, {"x y z,", "[x y z]"}, {"  first item , second  ", "[first item][second]"},
        {"a,", "[a]"}, {"a, ", "[a][]"}, {",a", "[][a]"},
        // Quotes are ordinary characters; Russian text is kept byte for byte.
        {"\"a b\" c", "[\"a][b\"][c]"}, {"'1,5'", "['1][5']"}, {"Иванов, Пётр Сергеевич", "[Иванов][Пётр Сергеевич]"},
        // Blank text appends nothing.
        {" \t\r\n\x07\x08 ", ""}, {"", ""}, {nullptr, ""},
    };
    // clang-format on
    for (const auto& c : aCases) {
        CStringArray arr;
        arr.Add("old");
        EXPECT_EQ(c[1][0] != '\0' ? 1 : 0, ParsingArguments(c[0], arr)) << (c[0] ? c[0] : "NULL");
        std::string strItems;
        for (INT_PTR i = 1; i < arr.GetSize(); ++i)
            strItems += "[" + std::string(static_cast<LPCSTR>(arr[i])) + "]";
        EXPECT_EQ(c[1], strItems) << (c[0] ? c[0] : "NULL");
        EXPECT_STREQ("old", arr[0]);
    }
}

TEST(LocaleSettingsRules, SeparatorSymbolAndPrecisionTakeOnlyWhatFits)
{
    // A separator is the first character; nothing keeps the last one.
    char ch = '.';
    EXPECT_TRUE(CLocaleSettings::TakeSeparator("::", ch) && ch == ':');
    EXPECT_FALSE(CLocaleSettings::TakeSeparator("", ch) || CLocaleSettings::TakeSeparator(nullptr, ch));
    EXPECT_EQ(':', ch);
    // A currency symbol of up to four characters; a longer one leaves the last taken, never a cut one.
    CLocaleSettings s;
    // clang-format off
    const struct { const char* pszText; bool bTaken; const char szAfter[5]; } aSymbols[] = {
        {"рублей", false, ""}, {"руб.", true, "руб."}, {"$", true, "$"}, {"EURO2", false, "$"}, {nullptr, false, "$"},
        {"", true, ""}};
    // clang-format on
    for (const auto& c : aSymbols) {
        EXPECT_EQ(c.bTaken, s.TakeCurrencySymbol(c.pszText)) << (c.pszText ? c.pszText : "NULL");
        EXPECT_STREQ(c.szAfter, s.m_strCurrencySymbol) << (c.pszText ? c.pszText : "NULL");
    }
    // A precision is one decimal digit; -1: refused, the default stays.
    const struct {
        const char* pszText;
        int nPrecision;
    } aPrecisions[] = {{"0", 0}, {"9", 9}, {"", -1}, {"x", -1}, {"-1", -1}, {"3x", -1}, {" 3", -1}, {"10", -1}};
    for (const auto& c : aPrecisions) {
        short n = 2;
        EXPECT_EQ(c.nPrecision >= 0, CLocaleSettings::TakePrecision(c.pszText, n)) << '"' << c.pszText << '"';
        EXPECT_EQ(c.nPrecision >= 0 ? c.nPrecision : 2, n) << '"' << c.pszText << '"';
    }
}

#ifndef _WIN32
TEST(PosixLocale, DateSeparatorsAndTextsInWindows1251)
{
    // The first literal of a date format; flags and modifiers belong to the conversion; "?" for none.
    // clang-format off
    const char* const aFormats[][2] = {{"%d.%m.%Y", "."}, {"%m/%d/%y", "/"}, {"%Y-%m-%d", "-"}, {"%-d.%Om.%EY", "."},
                                       {"%02d|%m", "|"}, {"%%d", "%"}, {"%F", "?"}, {"", "?"}, {"%", "?"}};
    // clang-format on
    for (const auto& c : aFormats) {
        char ch = '?';
        EXPECT_EQ(c[1][0] != '?', DateSeparatorOfFormat(c[0], ch)) << c[0];
        EXPECT_EQ(c[1][0], ch) << c[0];
    }
    // Converted whole, or not at all: the rouble sign and a narrow no-break
    // space have no Windows-1251 form.
    // clang-format off
    const char* const aTexts[][3] = {{"\xD1\x80\xD1\x83\xD0\xB1.", "UTF-8", "руб."}, {"\xD2\xD5\xC2", "KOI8-R", "руб"},
        {"\xE2\x82\xBD", "UTF-8", nullptr}, {"\xE2\x80\xAF", "UTF-8", nullptr}, {"\xFF\xFE", "UTF-8", nullptr},
        {"abc", "NO-SUCH-CODESET", nullptr}};
    // clang-format on
    for (const auto& c : aTexts) {
        std::string str = "kept";
        EXPECT_EQ(c[2] != nullptr, ConvertToCp1251(c[0], c[1], str)) << c[1] << " " << c[0];
        EXPECT_EQ(c[2] != nullptr ? c[2] : "kept", str) << c[1];
    }
}

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

TEST(PosixLocale, ReadingTakesWhatTheLocaleHasAndLeavesTheProgramsLocale)
{
    const std::string strBefore = setlocale(LC_ALL, nullptr);
    CLocaleSettings c, ru, user;
    ASSERT_TRUE(ReadPosixLocaleSettings("C", c));
    ASSERT_TRUE(ReadPosixLocaleSettings("ru_RU.UTF-8", ru)) << "ru_RU.UTF-8 is generated by ./run setup";
    // C has no group separators and no money precision: the defaults stay.
    // Russian groups by a narrow no-break space and writes a rouble sign, which
    // have no Windows-1251 form: the defaults stay rather than a substitute.
    EXPECT_EQ(". /,.22|", Line(c));
    EXPECT_EQ(", .,,22|", Line(ru));
    EXPECT_EQ(strBefore, setlocale(LC_ALL, nullptr));
    EXPECT_STREQ(".", localeconv()->decimal_point);
    // An unknown locale fails and leaves the settings alone.
    EXPECT_FALSE(ReadPosixLocaleSettings("xx_NOWHERE.UTF-8", c));
    EXPECT_EQ(". /,.22|", Line(c));
    // The globals hold the user's locale from start-up.
    ReadPosixLocaleSettings("", user);
    EXPECT_EQ(Line(user), Line(g_chDecimalSep, g_chThousandSep, g_chDateSep, g_chThousandSepCur, g_chDecimalSepCur,
                               g_nCurrencyPrec, g_nDecimalPrec, g_strCurrencySymbol));
}
#endif

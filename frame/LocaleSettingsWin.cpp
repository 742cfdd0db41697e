// Reading the locale settings from the user's default locale on Windows.
#include "frame/LocaleSettings.h"

#include <windows.h>

#include <vector>

namespace {

// The whole text of one locale item. The buffer is sized from the item itself,
// so a value longer than the setting can hold is seen whole and judged by the
// rules instead of arriving cut off.
bool GetLocaleText(LCTYPE type, std::vector<char>& buf)
{
    int nNeeded = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, nullptr, 0);
    if (nNeeded <= 0)
        return false;
    buf.assign(static_cast<size_t>(nNeeded) + 1, '\0');
    int nRead = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buf.data(), nNeeded + 1);
    return nRead > 0;
}

// Whether the locale's currency symbol has a faithful form in the locale's ANSI
// code page. Otherwise GetLocaleInfoA hands back a substitute such as "?" (the
// rouble sign has no Windows-1251 code).
bool CurrencySymbolFitsAnsi()
{
    DWORD dwCodePage = 0;
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                       reinterpret_cast<LPWSTR>(&dwCodePage), sizeof(dwCodePage) / sizeof(WCHAR)) <= 0)
        dwCodePage = CP_ACP;
    int nNeeded = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SCURRENCY, nullptr, 0);
    if (nNeeded <= 0)
        return false;
    std::vector<WCHAR> wide(static_cast<size_t>(nNeeded), L'\0');
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SCURRENCY, wide.data(), nNeeded) <= 0)
        return false;
    BOOL bUsedDefault = FALSE;
    int nBytes =
        WideCharToMultiByte(dwCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), -1, nullptr, 0, nullptr, &bUsedDefault);
    return nBytes > 0 && !bUsedDefault;
}

void ReadSeparator(LCTYPE type, char& ch)
{
    std::vector<char> buf;
    if (GetLocaleText(type, buf))
        CLocaleSettings::TakeSeparator(buf.data(), ch);
}

void ReadPrecision(LCTYPE type, short& n)
{
    std::vector<char> buf;
    if (GetLocaleText(type, buf))
        CLocaleSettings::TakePrecision(buf.data(), n);
}

}  // namespace

void ReadUserLocaleSettings(CLocaleSettings& s)
{
    ReadSeparator(LOCALE_SDECIMAL, s.m_chDecimalSep);
    ReadSeparator(LOCALE_STHOUSAND, s.m_chThousandSep);
    ReadSeparator(LOCALE_SDATE, s.m_chDateSep);
    ReadSeparator(LOCALE_SMONTHOUSANDSEP, s.m_chThousandSepCur);
    ReadSeparator(LOCALE_SMONDECIMALSEP, s.m_chDecimalSepCur);
    std::vector<char> buf;
    if (GetLocaleText(LOCALE_SCURRENCY, buf) && CurrencySymbolFitsAnsi())
        s.TakeCurrencySymbol(buf.data());
    ReadPrecision(LOCALE_IDIGITS, s.m_nDecimalPrec);
    ReadPrecision(LOCALE_ICURRDIGITS, s.m_nCurrencyPrec);
}

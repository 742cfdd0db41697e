// The rules that turn a locale's texts into the locale settings.
#include "frame/LocaleSettings.h"

#include <cstring>

#ifndef _WIN32
#    include <iconv.h>
#    include <langinfo.h>
#    include <locale.h>
#endif

bool CLocaleSettings::TakeSeparator(const char* pszText, char& ch)
{
    if (pszText == nullptr || pszText[0] == '\0')
        return false;
    ch = pszText[0];
    return true;
}

bool CLocaleSettings::TakeCurrencySymbol(const char* pszText)
{
    if (pszText == nullptr)
        return false;
    size_t nLen = std::strlen(pszText);
    if (nLen >= sizeof(m_strCurrencySymbol))
        return false;
    std::memcpy(m_strCurrencySymbol, pszText, nLen + 1);
    return true;
}

bool CLocaleSettings::TakePrecision(const char* pszText, short& n)
{
    // Windows keeps these as one digit; "x", "-1" or "" are not counts.
    if (pszText == nullptr || pszText[0] < '0' || pszText[0] > '9' || pszText[1] != '\0')
        return false;
    n = static_cast<short>(pszText[0] - '0');
    return true;
}

#ifndef _WIN32

bool DateSeparatorOfFormat(const char* pszFormat, char& ch)
{
    if (pszFormat == nullptr)
        return false;
    const char* p = pszFormat;
    while (*p != '\0') {
        if (*p != '%') {
            ch = *p;
            return true;
        }
        ++p;
        if (*p == '%') {  // "%%" is a literal percent sign
            ch = '%';
            return true;
        }
        // Flags, width and the E/O modifiers belong to the conversion.
        while (*p == '_' || *p == '-' || *p == '0' || *p == '^' || *p == '#')
            ++p;
        while (*p >= '0' && *p <= '9')
            ++p;
        if (*p == 'E' || *p == 'O')
            ++p;
        if (*p != '\0')
            ++p;
    }
    return false;
}

bool ConvertToCp1251(const char* pszText, const char* pszCodeset, std::string& strOut)
{
    if (pszText == nullptr || pszCodeset == nullptr)
        return false;
    iconv_t cd = iconv_open("CP1251", pszCodeset);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    size_t nInLeft = std::strlen(pszText);
    std::string strResult(nInLeft + 1, '\0');  // every 1251 character takes at least one input byte
    char* pIn = const_cast<char*>(pszText);
    char* pOut = &strResult[0];
    size_t nOutLeft = strResult.size();
    size_t nDone = iconv(cd, &pIn, &nInLeft, &pOut, &nOutLeft);
    bool bOk = nDone != static_cast<size_t>(-1) && nInLeft == 0;
    if (bOk)  // ends a shift state the source codeset may have left open
        bOk = iconv(cd, nullptr, nullptr, &pOut, &nOutLeft) != static_cast<size_t>(-1);
    iconv_close(cd);
    if (!bOk)
        return false;
    strResult.resize(strResult.size() - nOutLeft);
    strOut = strResult;
    return true;
}

namespace {

// A locale text in Windows-1251, or nothing when it does not convert.
bool LocaleText(const char* pszText, const char* pszCodeset, std::string& strOut)
{
    return pszText != nullptr && ConvertToCp1251(pszText, pszCodeset, strOut);
}

void TakeSeparatorText(const char* pszText, const char* pszCodeset, char& ch)
{
    std::string str;
    if (LocaleText(pszText, pszCodeset, str))
        CLocaleSettings::TakeSeparator(str.c_str(), ch);
}

}  // namespace

bool ReadPosixLocaleSettings(const char* pszLocale, CLocaleSettings& s)
{
    locale_t loc = newlocale(LC_ALL_MASK, pszLocale, static_cast<locale_t>(0));
    if (loc == static_cast<locale_t>(0))
        return false;
    // Only this thread looks through the new locale, and only until it is done.
    locale_t prev = uselocale(loc);
    const struct lconv* pConv = localeconv();
    const char* pszCodeset = nl_langinfo(CODESET);

    TakeSeparatorText(pConv->decimal_point, pszCodeset, s.m_chDecimalSep);
    TakeSeparatorText(pConv->thousands_sep, pszCodeset, s.m_chThousandSep);
    std::string strDateFormat;
    if (LocaleText(nl_langinfo(D_FMT), pszCodeset, strDateFormat))
        DateSeparatorOfFormat(strDateFormat.c_str(), s.m_chDateSep);
    TakeSeparatorText(pConv->mon_thousands_sep, pszCodeset, s.m_chThousandSepCur);
    TakeSeparatorText(pConv->mon_decimal_point, pszCodeset, s.m_chDecimalSepCur);
    std::string strSymbol;
    if (LocaleText(pConv->currency_symbol, pszCodeset, strSymbol))
        s.TakeCurrencySymbol(strSymbol.c_str());
    // POSIX has no count of fractional digits for plain numbers; that one keeps
    // its default. CHAR_MAX marks an unspecified money precision.
    if (pConv->frac_digits >= 0 && pConv->frac_digits <= 9)
        s.m_nCurrencyPrec = static_cast<short>(pConv->frac_digits);

    uselocale(prev);
    freelocale(loc);
    return true;
}

#endif

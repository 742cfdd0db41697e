// The exported locale settings, and natively their start-up.
#include "frame/Frame.h"
#include "frame/LocaleSettings.h"

#include <cstring>

// Defaults that stay when the locale supplies nothing.
EXTKIT_API char g_chDecimalSep = '.';
EXTKIT_API char g_chThousandSep = ' ';
EXTKIT_API char g_chDateSep = '.';
EXTKIT_API char g_chThousandSepCur = ',';
EXTKIT_API char g_chDecimalSepCur = '.';
EXTKIT_API short g_nCurrencyPrec = 2;
EXTKIT_API short g_nDecimalPrec = 2;
EXTKIT_API char g_strCurrencySymbol[5] = "";

void CLocaleSettings::Store() const
{
    g_chDecimalSep = m_chDecimalSep;
    g_chThousandSep = m_chThousandSep;
    g_chDateSep = m_chDateSep;
    g_chThousandSepCur = m_chThousandSepCur;
    g_chDecimalSepCur = m_chDecimalSepCur;
    g_nCurrencyPrec = m_nCurrencyPrec;
    g_nDecimalPrec = m_nDecimalPrec;
    std::memcpy(g_strCurrencySymbol, m_strCurrencySymbol, sizeof(g_strCurrencySymbol));
}

#ifndef _WIN32
namespace {

// Natively the settings come from the user's locale when the program starts,
// as the DLL reads them when it is loaded.
struct CNativeLocaleStartup {
    CNativeLocaleStartup()
    {
        CLocaleSettings s;
        if (ReadPosixLocaleSettings("", s))
            s.Store();
    }
} s_nativeLocaleStartup;

}  // namespace

#endif

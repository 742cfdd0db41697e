// The rules that turn the texts a locale supplies into the eight locale
// settings, shared by the Windows start-up (GetLocaleInfoA) and the native one
// (the POSIX locale). Internal to the library.
#pragma once

#include <string>

struct CLocaleSettings {
    char m_chDecimalSep = '.';
    char m_chThousandSep = ' ';
    char m_chDateSep = '.';
    char m_chThousandSepCur = ',';
    char m_chDecimalSepCur = '.';
    short m_nCurrencyPrec = 2;
    short m_nDecimalPrec = 2;
    char m_strCurrencySymbol[5] = {};

    // A separator is the first character of the locale's text; a missing or
    // empty text keeps the default. True when ch was changed.
    static bool TakeSeparator(const char* pszText, char& ch);

    // Only a symbol of at most 4 characters fits; anything longer keeps the
    // default (empty) rather than a truncated symbol.
    bool TakeCurrencySymbol(const char* pszText);

    // A precision is a count of fractional digits, 0 to 9, written in decimal
    // digits only; any other text keeps the default.
    static bool TakePrecision(const char* pszText, short& n);

    // Writes the settings into the exported globals.
    void Store() const;
};

#ifndef _WIN32
// The separator of a strftime date format: its first character outside the
// conversions ("%d.%m.%Y" gives '.'); none when the format has no such character.
bool DateSeparatorOfFormat(const char* pszFormat, char& ch);

// Converts text from a locale's codeset to Windows-1251. False when the codeset
// is unknown or the text has a character Windows-1251 lacks.
bool ConvertToCp1251(const char* pszText, const char* pszCodeset, std::string& strOut);

// Reads the settings of the named POSIX locale ("" is the user's, from the
// environment) without changing the program's own locale. False, leaving s as
// it was, when the locale is not available.
bool ReadPosixLocaleSettings(const char* pszLocale, CLocaleSettings& s);
#else
// Reads the settings of the user's default locale with GetLocaleInfoA, in the
// order the module has always used.
void ReadUserLocaleSettings(CLocaleSettings& s);
#endif

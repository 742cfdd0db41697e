// Helpers of the declension tests: texts shown as UTF-8 in failure messages.
#pragma once

#include "grammar/GrammarCase.h"

#include <string>

// Windows-1251 text (letters, digits, punctuation) as UTF-8, so that a failed
// comparison prints readable Russian.
inline std::string Utf8(const char* psz)
{
    std::string str;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(psz); *p != 0; ++p) {
        unsigned nCode = *p;
        if (nCode >= 0xC0)
            nCode = 0x410 + (nCode - 0xC0);
        else if (nCode == 0xA8)
            nCode = 0x401;
        else if (nCode == 0xB8)
            nCode = 0x451;
        else if (nCode >= 0x80)
            nCode = '?';  // not needed by these tests
        if (nCode < 0x80) {
            str += static_cast<char>(nCode);
        } else {
            str += static_cast<char>(0xC0 | (nCode >> 6));
            str += static_cast<char>(0x80 | (nCode & 0x3F));
        }
    }
    return str;
}

inline std::string Utf8(const CString& str)
{
    return Utf8(str.GetString());
}

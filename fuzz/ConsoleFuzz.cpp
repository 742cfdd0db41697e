// The extkit tool's text edges on arbitrary bytes: UTF-8 to Windows-1251 (with
// substitutes, and strict) and back must not crash, must keep every plain
// character, and must give back exactly any text that the code page can hold;
// escaped for an echo, no text keeps a control character.
#include "Console.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {
void Fail(const char* pszWhat)
{
    fprintf(stderr, "console conversion: %s\n", pszWhat);
    abort();
}

// Strict UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
bool DecodeUtf8(const std::string& str, std::vector<unsigned long>& codes)
{
    codes.clear();
    size_t i = 0;
    while (i < str.size()) {
        const unsigned char ch = (unsigned char)str[i];
        size_t nMore;
        unsigned long nCode, nMin;
        if (ch < 0x80)
            nMore = 0, nCode = ch, nMin = 0;
        else if (ch >= 0xC2 && ch <= 0xDF)
            nMore = 1, nCode = ch & 0x1F, nMin = 0x80;
        else if (ch >= 0xE0 && ch <= 0xEF)
            nMore = 2, nCode = ch & 0x0F, nMin = 0x800;
        else if (ch >= 0xF0 && ch <= 0xF4)
            nMore = 3, nCode = ch & 0x07, nMin = 0x10000;
        else
            return false;
        if (nMore > str.size() - i - 1)
            return false;
        for (size_t k = 1; k <= nMore; ++k) {
            const unsigned char cont = (unsigned char)str[i + k];
            if ((cont & 0xC0) != 0x80)
                return false;
            nCode = (nCode << 6) | (cont & 0x3F);
        }
        if (nCode < nMin || nCode > 0x10FFFF || (nCode >= 0xD800 && nCode <= 0xDFFF))
            return false;
        codes.push_back(nCode);
        i += 1 + nMore;
    }
    return true;
}

// The characters of the code page, from its conversion to UTF-8.
const std::map<unsigned long, char>& CodePage()
{
    static const std::map<unsigned long, char> s_map = [] {
        std::map<unsigned long, char> map;
        std::vector<unsigned long> codes;
        for (int b = 0; b < 256; ++b) {
            if (!DecodeUtf8(Cp1251ToUtf8(std::string(1, (char)b)), codes) || codes.size() != 1)
                Fail("a code page byte does not give one character");
            if (!map.emplace(codes[0], (char)b).second)
                Fail("two code page bytes give the same character");
        }
        return map;
    }();
    return s_map;
}

// The plain characters other than '?', which no conversion may drop or invent.
std::string PlainCharacters(const std::string& str)
{
    std::string strPlain;
    for (char ch : str)
        if ((unsigned char)ch < 0x80 && ch != '?')
            strPlain += ch;
    return strPlain;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    const std::string strInput(reinterpret_cast<const char*>(pData), nSize);
    const std::map<unsigned long, char>& codePage = CodePage();

    // Any bytes as UTF-8.
    const std::string str1251 = Utf8ToCp1251(strInput);
    if (str1251.size() > strInput.size())
        Fail("the code page text is longer than the UTF-8 text");
    if (PlainCharacters(str1251) != PlainCharacters(strInput))
        Fail("plain characters were lost or invented");

    // The strict form succeeds exactly for valid text the code page can hold,
    // and then agrees with the substituting one; on failure it leaves its output be.
    std::string strStrict = "untouched";
    const bool bStrict = Utf8ToCp1251Strict(strInput, strStrict);
    if (bStrict ? strStrict != str1251 : strStrict != "untouched")
        Fail("the strict conversion disagrees or touched its output on failure");

    std::vector<unsigned long> codes;
    const bool bValid = DecodeUtf8(strInput, codes);
    if (!bValid && bStrict)
        Fail("the strict conversion took malformed text");
    if (bValid) {
        // Valid text: one byte per character, '?' for those the code page lacks.
        if (str1251.size() != codes.size())
            Fail("valid text does not give one byte per character");
        bool bConvertible = true;
        for (size_t i = 0; i < codes.size(); ++i) {
            const std::map<unsigned long, char>::const_iterator it = codePage.find(codes[i]);
            const char chWant = it != codePage.end() ? it->second : '?';
            bConvertible = bConvertible && it != codePage.end();
            if (str1251[i] != chWant)
                Fail("a character converts to the wrong byte");
        }
        if (bConvertible != bStrict)
            Fail("the strict conversion disagrees about what the code page holds");
        if (bConvertible && Cp1251ToUtf8(str1251) != strInput)
            Fail("convertible text does not come back");
    }

    // Any bytes as Windows-1251: valid UTF-8 that comes back exactly.
    const std::string strUtf8 = Cp1251ToUtf8(strInput);
    if (!DecodeUtf8(strUtf8, codes) || codes.size() != strInput.size())
        Fail("code page text gives malformed UTF-8");
    if (Utf8ToCp1251(strUtf8) != strInput)
        Fail("code page text does not come back");

    // Echoes: as UTF-8 and from the code page, no C0, DEL or C1 character is
    // left, each became its four-character escape, and nothing else changed.
    for (const std::string& strEcho : {strInput, strUtf8}) {
        size_t nWant = 0;
        for (size_t i = 0; i < strEcho.size(); ++i) {
            const unsigned char ch = (unsigned char)strEcho[i];
            const unsigned char chNext = i + 1 < strEcho.size() ? (unsigned char)strEcho[i + 1] : 0;
            if (ch == 0xC2 && chNext >= 0x80 && chNext <= 0x9F)
                ++i;
            nWant += ch < 0x20 || ch == 0x7F || (ch == 0xC2 && chNext >= 0x80 && chNext <= 0x9F) ? 4 : 1;
        }
        const std::string strEscaped = EscapeControls(strEcho);
        if (strEscaped.size() != nWant || (nWant == strEcho.size() && strEscaped != strEcho))
            Fail("an echo is escaped wrongly");
        for (size_t i = 0; i < strEscaped.size(); ++i) {
            const unsigned char ch = (unsigned char)strEscaped[i];
            const unsigned char chNext = i + 1 < strEscaped.size() ? (unsigned char)strEscaped[i + 1] : 0;
            if (ch < 0x20 || ch == 0x7F || (ch == 0xC2 && chNext >= 0x80 && chNext <= 0x9F))
                Fail("an escaped echo keeps a control character");
        }
    }
    return 0;
}

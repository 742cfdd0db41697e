#include "Console.h"

#ifdef _WIN32
#    define WIN32_LEAN_AND_MEAN
#    include <windows.h>
#    include <shellapi.h>

#    include <fcntl.h>
#    include <io.h>
#endif

namespace {
// Unicode of the bytes 0x80..0xFF of Windows-1251; 0x98 has no character and
// stands for U+0098, as the system converters do.
const unsigned short c_aCp1251High[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, 0x0410,
    0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D,
    0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A,
    0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444,
    0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

void AppendUtf8(std::string& str, unsigned long nCode)
{
    if (nCode < 0x80) {
        str += (char)nCode;
    } else if (nCode < 0x800) {
        str += (char)(0xC0 | (nCode >> 6));
        str += (char)(0x80 | (nCode & 0x3F));
    } else if (nCode < 0x10000) {
        str += (char)(0xE0 | (nCode >> 12));
        str += (char)(0x80 | ((nCode >> 6) & 0x3F));
        str += (char)(0x80 | (nCode & 0x3F));
    } else {
        str += (char)(0xF0 | (nCode >> 18));
        str += (char)(0x80 | ((nCode >> 12) & 0x3F));
        str += (char)(0x80 | ((nCode >> 6) & 0x3F));
        str += (char)(0x80 | (nCode & 0x3F));
    }
}

char ToCp1251(unsigned long nCode)
{
    if (nCode < 0x80)
        return (char)nCode;
    for (int i = 0; i < 128; ++i)
        if (c_aCp1251High[i] == nCode)
            return (char)(0x80 + i);
    return '?';
}
}  // namespace

std::string Cp1251ToUtf8(const std::string& strText)
{
    std::string str;
    str.reserve(strText.size() * 2);
    for (unsigned char ch : strText)
        AppendUtf8(str, ch < 0x80 ? ch : c_aCp1251High[ch - 0x80]);
    return str;
}

namespace {
// Reads the UTF-8 sequence at i into nCode and moves i past it. A malformed
// sequence (a bad lead byte, missing continuation bytes, an overlong form, a
// surrogate or a value past U+10FFFF) gives false; i then moves past the lead
// byte and the continuation bytes that were read.
bool DecodeUtf8(const std::string& strText, size_t& i, unsigned long& nCode)
{
    const size_t n = strText.size();
    const unsigned char ch = (unsigned char)strText[i];
    size_t nMore;
    unsigned long nMin;
    if (ch < 0x80)
        nMore = 0, nCode = ch, nMin = 0;
    else if ((ch & 0xE0) == 0xC0)
        nMore = 1, nCode = ch & 0x1F, nMin = 0x80;
    else if ((ch & 0xF0) == 0xE0)
        nMore = 2, nCode = ch & 0x0F, nMin = 0x800;
    else if ((ch & 0xF8) == 0xF0)
        nMore = 3, nCode = ch & 0x07, nMin = 0x10000;
    else {
        ++i;
        return false;
    }
    size_t j = i + 1;
    for (; j < n && j <= i + nMore; ++j) {
        const unsigned char cont = (unsigned char)strText[j];
        if ((cont & 0xC0) != 0x80)
            break;
        nCode = (nCode << 6) | (cont & 0x3F);
    }
    const bool bComplete = j == i + 1 + nMore;
    i = j;
    return bComplete && nCode >= nMin && nCode <= 0x10FFFF && !(nCode >= 0xD800 && nCode <= 0xDFFF);
}
}  // namespace

std::string Utf8ToCp1251(const std::string& strText)
{
    std::string str;
    str.reserve(strText.size());
    size_t i = 0;
    while (i < strText.size()) {
        unsigned long nCode = 0;
        // A malformed sequence becomes one '?', as a character the code page lacks does.
        str += DecodeUtf8(strText, i, nCode) ? ToCp1251(nCode) : '?';
    }
    return str;
}

std::vector<std::string> GetUtf8Arguments(int argc, char** argv)
{
    std::vector<std::string> args;
#ifdef _WIN32
    // The narrow argv is in the ANSI code page; the wide command line has it all.
    (void)argv;
    int nCount = 0;
    LPWSTR* ppArgs = CommandLineToArgvW(GetCommandLineW(), &nCount);
    if (ppArgs != NULL) {
        for (int i = 1; i < nCount; ++i) {
            const int nBytes = WideCharToMultiByte(CP_UTF8, 0, ppArgs[i], -1, NULL, 0, NULL, NULL);
            std::string str(nBytes > 0 ? nBytes - 1 : 0, '\0');
            if (nBytes > 1)
                WideCharToMultiByte(CP_UTF8, 0, ppArgs[i], -1, &str[0], nBytes, NULL, NULL);
            args.push_back(str);
        }
        LocalFree(ppArgs);
        return args;
    }
#endif
    for (int i = 1; i < argc; ++i)
        args.push_back(argv[i]);
    return args;
}

void WriteText(FILE* pStream, const std::string& strCp1251)
{
    WriteUtf8(pStream, Cp1251ToUtf8(strCp1251));
}

void WriteUtf8(FILE* pStream, const std::string& strUtf8)
{
    fwrite(strUtf8.data(), 1, strUtf8.size(), pStream);
}

bool Utf8ToCp1251Strict(const std::string& strUtf8, std::string& strCp1251)
{
    std::string str;
    str.reserve(strUtf8.size());
    size_t i = 0;
    while (i < strUtf8.size()) {
        unsigned long nCode = 0;
        if (!DecodeUtf8(strUtf8, i, nCode))
            return false;
        // ASCII maps to itself; above it, '?' means the code page lacks the character.
        const char chByte = ToCp1251(nCode);
        if (chByte == '?' && nCode != '?')
            return false;
        str += chByte;
    }
    strCp1251.swap(str);
    return true;
}

bool ReadLine(FILE* pStream, std::string& strLine)
{
    strLine.clear();
    int ch;
    while ((ch = getc(pStream)) != EOF) {
        if (ch == '\n')
            break;
        strLine += (char)ch;
    }
    if (ch == EOF && strLine.empty())
        return false;
    if (!strLine.empty() && strLine.back() == '\r')
        strLine.pop_back();
    return true;
}

bool ParseInt(const std::string& str, int& nValue)
{
    size_t i = 0;
    bool bNegative = false;
    if (i < str.size() && (str[i] == '+' || str[i] == '-'))
        bNegative = str[i++] == '-';
    if (i == str.size())
        return false;
    long long n = 0;
    for (; i < str.size(); ++i) {
        if (str[i] < '0' || str[i] > '9')
            return false;
        if (n < 1000000000)
            n = n * 10 + (str[i] - '0');
    }
    if (n > 1000000000)
        n = 1000000000;
    nValue = (int)(bNegative ? -n : n);
    return true;
}

std::string EscapeControls(const std::string& strUtf8)
{
    std::string str;
    str.reserve(strUtf8.size());
    for (size_t i = 0; i < strUtf8.size(); ++i) {
        unsigned nCode = (unsigned char)strUtf8[i];
        // C1 characters come as 0xC2 0x80..0x9F; other bytes pass as they are.
        const bool bC1 = nCode == 0xC2 && i + 1 < strUtf8.size() && (unsigned char)strUtf8[i + 1] >= 0x80 &&
                         (unsigned char)strUtf8[i + 1] <= 0x9F;
        if (bC1)
            nCode = (unsigned char)strUtf8[++i];
        if (nCode >= 0x20 && nCode != 0x7F && !bC1) {
            str += strUtf8[i];
            continue;
        }
        char szCode[8];
        snprintf(szCode, sizeof(szCode), "\\x%02X", nCode);
        str += szCode;
    }
    return str;
}

void ReportError(const std::string& strCommand, const std::string& strCp1251)
{
    WriteUtf8(stderr, "extkit " + strCommand + ": " + EscapeControls(Cp1251ToUtf8(strCp1251)) + "\n");
}

int ReportUsageError(const std::string& strCommand, const std::string& strCp1251)
{
    ReportError(strCommand, strCp1251);
    WriteText(stderr, "Подробнее: extkit " + strCommand + " --help\n");
    return 2;
}

int RunBatchLines(const std::string& strCommand, const BatchLineRunner& runLine)
{
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    int nStatus = 0;
    unsigned long nLine = 0;
    std::string strLine, strOut, strProblem;
    while (ReadLine(stdin, strLine)) {
        ++nLine;
        strOut.clear();
        const bool bValid = runLine(strLine, strOut, strProblem);
        WriteUtf8(stdout, strOut + "\n");
        fflush(stdout);
        if (!bValid) {
            ReportError(strCommand, "строка " + std::to_string(nLine) + ": " + strProblem);
            nStatus = 1;
        }
    }
    return nStatus;
}

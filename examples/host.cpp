// A host program of extkit, as the README builds it: it declines a name
// through the library and prints the six cases on the console.
//
// The source is UTF-8, and the library's text is Windows-1251: compiled with
// -finput-charset=UTF-8 -fexec-charset=CP1251 (MinGW) or /source-charset:utf-8
// /execution-charset:windows-1251 (Microsoft's compiler), the Russian literals
// below are Windows-1251 in the program, as the library expects them.
#include <extkit.h>

#include <cstdio>
#include <string>

namespace {

// Windows-1251 text, the library's and the program's own, as UTF-8.
std::string ToUtf8(const char* psz1251)
{
    const int nWide = MultiByteToWideChar(1251, 0, psz1251, -1, NULL, 0);
    std::wstring strWide(nWide, L'\0');
    MultiByteToWideChar(1251, 0, psz1251, -1, &strWide[0], nWide);
    const int nBytes = WideCharToMultiByte(CP_UTF8, 0, strWide.c_str(), -1, NULL, 0, NULL, NULL);
    std::string strUtf8(nBytes, '\0');
    WideCharToMultiByte(CP_UTF8, 0, strWide.c_str(), -1, &strUtf8[0], nBytes, NULL, NULL);
    strUtf8.resize(nBytes > 0 ? nBytes - 1 : 0);  // without the terminating zero
    return strUtf8;
}

}  // namespace

int main()
{
    // A console window shows the UTF-8 bytes in this code page; a pipe or a
    // file gets them as they are.
    SetConsoleOutputCP(CP_UTF8);

    static const char* const apszCases[] = {"Именительный", "Родительный",  "Дательный",
                                            "Винительный",  "Творительный", "Предложный"};
    CGrammarCase_S name("Кузнецов Андрей Петрович", true);
    for (int nCase = gcNominative; nCase <= gcPrepositional; ++nCase) {
        CString strForm;
        name.GetGrammarCase(strForm, static_cast<EGrammarCase>(nCase), GC_ALLPARTS);
        printf("%s: %s\n", ToUtf8(apszCases[nCase]).c_str(), ToUtf8(strForm.GetString()).c_str());
    }
    return 0;
}

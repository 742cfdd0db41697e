// XML text for the saved documents.
#include "Xml.h"
#include "Journal.h"

#include <windows.h>

#include <cstdio>

std::string XmlText(const std::wstring& str, bool bAttribute)
{
    std::wstring strOut;
    for (wchar_t ch : str) {
        switch (ch) {
        case L'&':
            strOut += L"&amp;";
            break;
        case L'<':
            strOut += L"&lt;";
            break;
        case L'>':
            strOut += L"&gt;";
            break;
        case L'"':
            strOut += L"&quot;";
            break;
        case L'\n':
            strOut += bAttribute ? L"&#10;" : L"\n";
            break;
        case L'\t':
            strOut += bAttribute ? L"&#9;" : L"\t";
            break;
        case L'\r':
            strOut += L"&#13;";
            break;
        default:
            if (ch >= 0x20 && ch != 0xFFFE && ch != 0xFFFF)
                strOut += ch;
        }
    }
    return ToUtf8(strOut);
}

std::string XmlNumber(double d)
{
    char sz[32];
    std::snprintf(sz, sizeof(sz), "%.6g", d);
    return sz;
}

bool WriteFileUtf8(const std::wstring& strPath, const std::string& strText)
{
    HANDLE hFile =
        ::CreateFileW(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD nWritten = 0;
    const BOOL bWritten = ::WriteFile(hFile, strText.data(), static_cast<DWORD>(strText.size()), &nWritten, nullptr);
    ::CloseHandle(hFile);
    return bWritten && nWritten == strText.size();
}

std::wstring NextFreeFile(const std::wstring& strFolder, const wchar_t* pszStem)
{
    for (int n = 1;; ++n) {
        std::wstring strPath = strFolder + L"\\" + pszStem + std::to_wstring(n) + L".xml";
        if (::GetFileAttributesW(strPath.c_str()) == INVALID_FILE_ATTRIBUTES)
            return strPath;
    }
}

// Starting the office applications and reporting automation errors.
#include "export/OfficeOut.h"

#include <cstdio>

bool StartOfficeApplication(COleDispatchDriver& app, const char* pszProgID, const char* pszFailure)
{
    if (app.CreateDispatch(pszProgID))
        return true;
    AfxMessageBox(pszFailure, MB_OK | MB_SETFOREGROUND);
    return false;
}

void ShowComError(SCODE sc)
{
    LPSTR pszText = nullptr;
    const DWORD nLength =
        ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, static_cast<DWORD>(sc), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                         reinterpret_cast<LPSTR>(&pszText), 0, nullptr);
    if (nLength != 0 && pszText != nullptr) {
        ::MessageBoxA(nullptr, pszText, "COM Error", MB_OK | MB_SETFOREGROUND);
    } else {
        // A status the system has no text for still tells the user which it was.
        char szText[64];
        std::snprintf(szText, sizeof(szText), "Unknown error 0x%08lX", static_cast<unsigned long>(sc));
        ::MessageBoxA(nullptr, szText, "COM Error", MB_OK | MB_SETFOREGROUND);
    }
    if (pszText != nullptr)
        ::LocalFree(pszText);
}

void ShowServerError(SCODE scError, const char* pszDescription)
{
    char szText[512];
    std::snprintf(szText, sizeof(szText), "Run-time error '%d':\n\n%s", static_cast<int>(scError & 0xFFFF),
                  pszDescription != nullptr ? pszDescription : "");
    ::MessageBoxA(nullptr, szText, "Server Error", MB_OK | MB_SETFOREGROUND);
}

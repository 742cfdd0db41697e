// The Win32 free functions of the frame: keys, mouse and the application path.
#include "frame/Frame.h"

#include <afxwin.h>

unsigned char __cdecl GetPressedExtKey()
{
    unsigned char nKeys = 0;
    if (GetKeyState(VK_CONTROL) < 0)
        nKeys |= EXTKEY_CONTROL;
    if (GetKeyState(VK_SHIFT) < 0)
        nKeys |= EXTKEY_SHIFT;
    if (GetKeyState(VK_MENU) < 0)
        nKeys |= EXTKEY_ALT;
    return nKeys;
}

int __cdecl SetMousePos(HWND hWnd)
{
    if (hWnd == NULL || !IsWindow(hWnd))
        return 0;
    RECT rc;
    if (!GetWindowRect(hWnd, &rc))
        return 0;
    rc.left += (rc.right - rc.left) / 2;
    rc.top += (rc.bottom - rc.top) / 2;
    rc.right = rc.left;
    rc.bottom = rc.top;
    // Confined to one point, the pointer lands on it wherever it is sent.
    if (!ClipCursor(&rc))
        return 0;
    BOOL bMoved = SetCursorPos(0, 0);
    ClipCursor(NULL);
    return bMoved ? 1 : 0;
}

void __cdecl GetAppPath(CString& strPath)
{
    strPath.Empty();
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || pApp->m_pszProfileName == NULL)
        return;
    // The drive and folder of the profile name, which together are the text up
    // to its last path separator (or just the drive, as in "C:name.ini").
    // Taking that prefix directly has no length limit to overrun.
    LPCSTR pszProfile = pApp->m_pszProfileName;
    int nDrive = (pszProfile[0] != '\0' && pszProfile[1] == ':') ? 2 : 0;
    int nLength = nDrive;
    for (int i = nDrive; pszProfile[i] != '\0'; ++i) {
        if (pszProfile[i] == '\\' || pszProfile[i] == '/')
            nLength = i + 1;
    }
    strPath = CString(pszProfile, nLength);
}

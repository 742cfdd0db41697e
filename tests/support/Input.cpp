#include "Input.h"

namespace support {
namespace {

// The keys whose scan codes come with the extended prefix.
bool IsExtendedKey(UINT vk)
{
    static const UINT s_aKeys[] = {VK_INSERT,   VK_DELETE, VK_HOME,     VK_END,  VK_PRIOR,   VK_NEXT,
                                   VK_LEFT,     VK_RIGHT,  VK_UP,       VK_DOWN, VK_NUMLOCK, VK_DIVIDE,
                                   VK_RCONTROL, VK_RMENU,  VK_SNAPSHOT, VK_APPS};
    for (UINT vkExtended : s_aKeys) {
        if (vk == vkExtended)
            return true;
    }
    return false;
}

// Holds the modifiers down in the keyboard state of the window's thread while
// it lives. A window of another thread (a dialog driven from a helper thread)
// shares this thread's state for the time, so that its GetKeyState sees them.
class CModifierState {
public:
    CModifierState(HWND hWnd, UINT nModifiers)
    {
        const DWORD dwThread = GetWindowThreadProcessId(hWnd, nullptr);
        if (dwThread && dwThread != GetCurrentThreadId() && AttachThreadInput(GetCurrentThreadId(), dwThread, TRUE)) {
            m_dwAttached = dwThread;
        }
        m_bSaved = GetKeyboardState(m_abSaved) != FALSE;
        BYTE abState[256];
        CopyMemory(abState, m_abSaved, sizeof(abState));
        Set(abState, VK_SHIFT, VK_LSHIFT, (nModifiers & kShift) != 0);
        Set(abState, VK_CONTROL, VK_LCONTROL, (nModifiers & kCtrl) != 0);
        Set(abState, VK_MENU, VK_LMENU, (nModifiers & kAlt) != 0);
        SetKeyboardState(abState);
    }
    ~CModifierState()
    {
        if (m_bSaved)
            SetKeyboardState(m_abSaved);
        if (m_dwAttached)
            AttachThreadInput(GetCurrentThreadId(), m_dwAttached, FALSE);
    }
    CModifierState(const CModifierState&) = delete;
    CModifierState& operator=(const CModifierState&) = delete;

private:
    static void Set(BYTE* pState, UINT vk, UINT vkLeft, bool bDown)
    {
        pState[vk] = bDown ? 0x80 : 0;
        pState[vkLeft] = bDown ? 0x80 : 0;
    }

    BYTE m_abSaved[256] = {};
    bool m_bSaved = false;
    DWORD m_dwAttached = 0;
};

// The character a key types, 0 for none.
UINT CharOfKey(UINT vk, UINT nModifiers)
{
    const bool bShift = (nModifiers & kShift) != 0;
    const bool bCtrl = (nModifiers & kCtrl) != 0;
    if (vk >= 'A' && vk <= 'Z') {
        if (bCtrl)
            return vk - 'A' + 1;
        if (nModifiers & kAlt)
            return vk - 'A' + 'a';
        return bShift ? vk : vk - 'A' + 'a';
    }
    switch (vk) {
    case VK_RETURN:
        return bCtrl ? '\n' : '\r';
    case VK_BACK:
        return bCtrl ? 0x7F : '\b';
    case VK_TAB:
        return bCtrl ? 0 : '\t';
    case VK_ESCAPE:
        return 0x1B;
    case VK_SPACE:
        return ' ';
    default:
        break;
    }
    if (bCtrl || bShift)
        return 0;
    if (vk >= '0' && vk <= '9')
        return vk;
    // Keys without a character map to 0, and dead keys have the top bit set.
    const UINT nChar = MapVirtualKeyA(vk, MAPVK_VK_TO_CHAR);
    return (nChar & 0x80000000u) ? 0 : nChar & 0xFFFF;
}

}  // namespace

LPARAM KeyLParam(UINT vk, bool bRelease, bool bAlt)
{
    DWORD dw = 1;
    dw |= (MapVirtualKeyA(vk, MAPVK_VK_TO_VSC) & 0xFF) << 16;
    if (IsExtendedKey(vk))
        dw |= 1u << 24;
    if (bAlt)
        dw |= 1u << 29;
    if (bRelease)
        dw |= (1u << 30) | (1u << 31);
    return static_cast<LPARAM>(dw);
}

void PressKey(HWND hWnd, UINT vk, UINT nModifiers)
{
    const bool bAlt = (nModifiers & kAlt) != 0;
    // Alt with a key comes as the system forms; F10 alone does too.
    const bool bSys = bAlt || vk == VK_F10;
    CModifierState state(hWnd, nModifiers);
    SendMessageA(hWnd, bSys ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, KeyLParam(vk, false, bAlt));
    if (const UINT nChar = CharOfKey(vk, nModifiers))
        SendMessageA(hWnd, bAlt ? WM_SYSCHAR : WM_CHAR, nChar, KeyLParam(vk, false, bAlt));
    SendMessageA(hWnd, bSys ? WM_SYSKEYUP : WM_KEYUP, vk, KeyLParam(vk, true, bAlt));
}

void TypeText(HWND hWnd, const char* pszText)
{
    for (const char* p = pszText; p && *p; ++p) {
        if (*p == '\n') {
            PressKey(hWnd, VK_RETURN);
            continue;
        }
        SendMessageA(hWnd, WM_CHAR, static_cast<unsigned char>(*p), 1);
    }
}

void ClickClient(HWND hWnd, int x, int y, UINT nModifiers)
{
    CModifierState state(hWnd, nModifiers);
    WPARAM wFlags = 0;
    if (nModifiers & kShift)
        wFlags |= MK_SHIFT;
    if (nModifiers & kCtrl)
        wFlags |= MK_CONTROL;
    const LPARAM lPoint = MAKELPARAM(x, y);
    SendMessageA(hWnd, WM_MOUSEMOVE, wFlags, lPoint);
    SendMessageA(hWnd, WM_LBUTTONDOWN, wFlags | MK_LBUTTON, lPoint);
    SendMessageA(hWnd, WM_LBUTTONUP, wFlags, lPoint);
}

void SendMouseInput(DWORD dwFlags, POINT ptScreen)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(ptScreen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(ptScreen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = dwFlags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof(input));
}

HWND CaptureOfThread(DWORD dwThread)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(dwThread, &info) ? info.hwndCapture : NULL;
}

void PressEscapeKey()
{
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

}  // namespace support

// Keys and clicks sent to a real window the way the system would deliver them
// from a user, so that controls see the messages, the lParam bits and the
// modifier state (GetKeyState) that they see in use.
#pragma once

#include <windows.h>

namespace support {

enum Modifiers : UINT {
    kNone = 0,
    kShift = 1,
    kCtrl = 2,
    kAlt = 4,
};

// The lParam of a key message: repeat count 1, the key's scan code, the
// extended flag for the navigation keys, the Alt context bit, and the previous
// state and transition bits (both 0 for a press, both 1 for a release).
LPARAM KeyLParam(UINT vk, bool bRelease, bool bAlt);

// Presses and releases vk with the modifiers held: the keyboard state of the
// window's thread shows them down during the key and is restored afterwards
// (the window may belong to another thread of the process). Sends
// WM_KEYDOWN, the WM_CHAR the key types (if any) and WM_KEYUP; with Alt, the
// WM_SYS... forms. The character typed: letters (upper case with Shift, control
// characters with Ctrl), digits, space, Enter, Tab, Backspace and Escape, and
// other keys by their unshifted character.
void PressKey(HWND hWnd, UINT vk, UINT nModifiers = kNone);

// Types Windows-1251 text as WM_CHAR messages, one per character, whatever the
// keyboard layout; "\n" is pressed as the Enter key.
void TypeText(HWND hWnd, const char* pszText);

// A left click at a point of the client area: button down and up with the MK_
// flags of the modifiers (held in the keyboard state meanwhile).
void ClickClient(HWND hWnd, int x, int y, UINT nModifiers = kNone);

// The real pointer, for drags that must run through the system's loops: a
// move to a point of the screen, with the button flags (MOUSEEVENTF_...).
void SendMouseInput(DWORD dwFlags, POINT ptScreen);
// The window that holds the mouse capture of a thread, NULL for none.
HWND CaptureOfThread(DWORD dwThread);
// Presses Escape as a user would, which cancels a drag still going.
void PressEscapeKey();

}  // namespace support

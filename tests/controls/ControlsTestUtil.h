// What the window tests of the enhanced controls share: a dialog-coloured
// host window, the object counter over the library's modules, the screen's
// pixels, text between the tables' UTF-8 and the controls' Windows-1251, and
// the messages a program runs while a test drives the real pointer.
#pragma once

#include <afxwin.h>

#include "GuiObjectCounter.h"

#include <memory>
#include <string>

namespace controls_test {

// A top-level window painted in the dialog colour, as a form is.
class CHostWnd : public CWnd {
public:
    CHostWnd(const char* pszTitle, int cx, int cy);
};

// Counts GDI and USER objects of framework.dll and extkit.dll.
std::unique_ptr<support::CGuiObjectCounter> MakeCounter();

// The process's private bytes: the committed memory that is its own (the
// page-file usage, which Wine counts where it leaves PrivateUsage at 0).
SIZE_T PrivateBytes();

// What the screen shows at a point of hWnd's client area (repainted first).
COLORREF ScreenPixel(HWND hWnd, int x, int y);

std::string ToAnsi(const std::string& strUtf8);
std::string ToUtf8(const std::string& strAnsi);

// Runs this thread's messages until done() holds or nMs pass.
template <typename Done>
void RunMessagesUntil(DWORD nMs, Done done)
{
    for (const DWORD dwStart = GetTickCount(); !done() && GetTickCount() - dwStart < nMs;) {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
}

}  // namespace controls_test

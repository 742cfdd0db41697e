// What the window tests of the enhanced controls share: a dialog-coloured
// host window, the object counter over the library's modules, the screen's
// pixels, the process's private memory, and a session on a form.
#pragma once

#include <afxwin.h>

#include "GuiObjectCounter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace controls_test {

// A top-level window painted in the dialog colour, as a form is, in front.
class CHostWnd : public CWnd {
public:
    CHostWnd(const char* pszTitle, int cx, int cy);
};

// Counts GDI and USER objects of framework.dll and extkit.dll.
std::unique_ptr<support::CGuiObjectCounter> MakeCounter();

// The committed memory that is the process's own (the page-file usage,
// which Wine counts where it leaves PrivateUsage at 0).
SIZE_T PrivateBytes();

// What the screen shows at a point of hWnd's client area, its messages
// (paint among them) run first.
COLORREF ScreenPixel(HWND hWnd, int x, int y);

// A session on a form: its control (m_pControl) goes before the form, and
// then no GUI object of the library may be left.
template <class TControl>
class CFormSession : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pCounter = MakeCounter();
        m_pHost.reset(new CHostWnd("Карточка контрагента", 520, 420));
    }
    void TearDown() override
    {
        m_pControl.reset();
        m_pHost.reset();
        CWnd::DeleteTempMap();
        EXPECT_NO_GUI_LEAKS(*m_pCounter);
    }

    std::unique_ptr<support::CGuiObjectCounter> m_pCounter;
    std::unique_ptr<CWnd> m_pHost;
    std::unique_ptr<TControl> m_pControl;
};

}  // namespace controls_test

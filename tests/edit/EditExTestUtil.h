// What the masked edit's window tests share: a host window with a CEditEx in
// it, readers of what the control shows, and a leak check around each test.
#pragma once

#include "edit/EditEx.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "GuiObjectCounter.h"
#include "ModalDriver.h"

namespace edittest {

// Exposes the protected parts a test needs to set up or look at.
class CProbeEdit : public CEditEx {
public:
    using CEditEx::IsCharValid;
    void SetDragging(bool bDragging) { m_bDragging = bDragging; }
    bool IsDragging() const { return m_bDragging; }
    bool IsDropTargetRegistered() const { return m_bDropTargetRegistered; }
    HACCEL GetAccelerator() const { return m_hAccel; }
    COleDropTargetText& GetDropTarget() { return m_dropTarget; }
};

// The selection as (start, end).
std::pair<int, int> Selection(HWND hEdit);

// The client point of the left edge of character nIndex, a little inside it.
CPoint PointOfChar(HWND hEdit, int nIndex);

// A top-level host window (a framework window, so that it reflects control
// notifications and colours to the control) holding one CProbeEdit. Every
// GDI and USER object that extkit.dll and framework.dll make meanwhile must
// be gone once the control and the host are.
class EditExTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the control with the style (plus WS_CHILD | WS_VISIBLE |
    // WS_BORDER | ES_AUTOHSCROLL) and, when given, the mask.
    void CreateEdit(DWORD dwStyle = 0, const char* pszMask = NULL);

    HWND Edit() const { return m_pEdit->m_hWnd; }
    std::string Text() const { return support::GetWindowString(m_pEdit->m_hWnd); }
    std::pair<int, int> Sel() const { return Selection(m_pEdit->m_hWnd); }
    void SetSel(int nStart, int nEnd) { m_pEdit->SetSel(nStart, nEnd); }
    void Type(const char* pszText);
    void Press(UINT vk, UINT nModifiers = 0);
    void Command(UINT nID);

    std::unique_ptr<support::CGuiObjectCounter> m_pCounter;
    std::unique_ptr<CWnd> m_pHost;
    std::unique_ptr<CProbeEdit> m_pEdit;
};

}  // namespace edittest

#include "EditExTestUtil.h"

#include "Input.h"

#include <vector>

namespace edittest {

std::pair<int, int> Selection(HWND hEdit)
{
    DWORD dwStart = 0;
    DWORD dwEnd = 0;
    SendMessageA(hEdit, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
    return std::make_pair(static_cast<int>(dwStart), static_cast<int>(dwEnd));
}

CPoint PointOfChar(HWND hEdit, int nIndex)
{
    const LRESULT lPos = SendMessageA(hEdit, EM_POSFROMCHAR, static_cast<WPARAM>(nIndex), 0);
    return CPoint(static_cast<short>(LOWORD(lPos)) + 1, static_cast<short>(HIWORD(lPos)) + 3);
}

void EditExTest::SetUp()
{
    m_pCounter.reset(new support::CGuiObjectCounter(std::vector<std::string>{"framework.dll", "extkit.dll"}));
    m_pHost.reset(new CWnd);
    ASSERT_TRUE(m_pHost->CreateEx(0, NULL, "Маска ввода", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 40, 40, 420, 160,
                                  NULL, NULL));
}

void EditExTest::TearDown()
{
    m_pEdit.reset();
    m_pHost.reset();
    CWnd::DeleteTempMap();
    EXPECT_NO_GUI_LEAKS(*m_pCounter);
    m_pCounter.reset();
}

void EditExTest::CreateEdit(DWORD dwStyle, const char* pszMask)
{
    m_pEdit.reset(new CProbeEdit);
    ASSERT_TRUE(m_pEdit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | dwStyle, CRect(10, 10, 390, 34),
                                m_pHost.get(), 100));
    if (pszMask != NULL) {
        ASSERT_TRUE(m_pEdit->SetMask(pszMask));
    }
}

void EditExTest::Type(const char* pszText)
{
    for (const char* p = pszText; *p != '\0'; ++p) {
        const unsigned char ch = static_cast<unsigned char>(*p);
        if (ch >= '0' && ch <= '9') {
            // Digits go as the key press a user makes: key down, character, key up.
            support::PressKey(Edit(), ch);
        } else {
            SendMessageA(Edit(), WM_CHAR, ch, 1);
        }
    }
}

void EditExTest::Press(UINT vk, UINT nModifiers)
{
    support::PressKey(Edit(), vk, nModifiers);
}

void EditExTest::Command(UINT nID)
{
    SendMessageA(Edit(), WM_COMMAND, MAKEWPARAM(nID, 0), 0);
}

}  // namespace edittest

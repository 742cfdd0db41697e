#include "EditExTestUtil.h"

#include "Input.h"

#include <vector>

namespace edittest {

std::string WindowText(HWND hWnd)
{
    char szText[512] = "";
    const int nLength = GetWindowTextA(hWnd, szText, sizeof(szText));
    return std::string(szText, nLength > 0 ? static_cast<size_t>(nLength) : 0);
}

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

CHeldKeys::CHeldKeys(bool bCtrl, bool bShift)
{
    GetKeyboardState(m_abSaved);
    BYTE abState[256];
    CopyMemory(abState, m_abSaved, sizeof(abState));
    abState[VK_CONTROL] = abState[VK_LCONTROL] = bCtrl ? 0x80 : 0;
    abState[VK_SHIFT] = abState[VK_LSHIFT] = bShift ? 0x80 : 0;
    SetKeyboardState(abState);
}

CHeldKeys::~CHeldKeys()
{
    SetKeyboardState(m_abSaved);
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

std::string EditExTest::Data(bool bTrim)
{
    CString strData;
    m_pEdit->GetData(strData, bTrim);
    return std::string(strData);
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

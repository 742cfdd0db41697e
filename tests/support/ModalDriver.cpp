#include "ModalDriver.h"
#include "Wait.h"

#include <algorithm>

namespace support {
namespace {

struct CFind {
    DWORD m_dwProcess;
    std::vector<HWND> m_dialogs;
};

BOOL CALLBACK CollectDialog(HWND hWnd, LPARAM lParam)
{
    auto* pFind = reinterpret_cast<CFind*>(lParam);
    DWORD dwProcess = 0;
    GetWindowThreadProcessId(hWnd, &dwProcess);
    char szClass[16] = {};
    if (dwProcess == pFind->m_dwProcess && GetClassNameA(hWnd, szClass, sizeof(szClass)) &&
        lstrcmpA(szClass, "#32770") == 0) {
        pFind->m_dialogs.push_back(hWnd);
    }
    return TRUE;
}

std::vector<HWND> ProcessDialogs()
{
    CFind find{GetCurrentProcessId(), {}};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&find));
    return find.m_dialogs;
}

BOOL CALLBACK CollectStatic(HWND hWnd, LPARAM lParam)
{
    char szClass[16] = {};
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (lstrcmpiA(szClass, "Static") == 0 && (GetWindowLongA(hWnd, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
        std::string strText = GetWindowString(hWnd);
        if (!strText.empty())
            reinterpret_cast<std::vector<std::string>*>(lParam)->push_back(strText);
    }
    return TRUE;
}

}  // namespace

CModalDriver::CModalDriver(Action fnAct, DWORD dwTimeoutMs)
    : m_fnAct(std::move(fnAct)), m_dwTimeoutMs(dwTimeoutMs), m_before(ProcessDialogs())
{
    m_thread = std::thread([this] { Run(); });
}

CModalDriver::~CModalDriver()
{
    if (m_thread.joinable())
        m_thread.join();
}

bool CModalDriver::Finish()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_bFound && m_bClosed;
}

void CModalDriver::Run()
{
    HWND hDlg = nullptr;
    m_bFound = support::PollFor(m_dwTimeoutMs, [&] {
        for (HWND h : ProcessDialogs()) {
            if (std::find(m_before.begin(), m_before.end(), h) == m_before.end() && IsWindowVisible(h)) {
                hDlg = h;
                return true;
            }
        }
        return false;
    });
    if (!m_bFound)
        return;
    m_fnAct(hDlg);
    m_bClosed = support::PollFor(m_dwTimeoutMs, [&] { return !IsWindow(hDlg); });
    if (!m_bClosed) {
        PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        if (!support::PollFor(m_dwTimeoutMs, [&] { return !IsWindow(hDlg); }))
            PostMessageA(hDlg, WM_CLOSE, 0, 0);
    }
}

std::string GetWindowString(HWND hWnd)
{
    const int nLength = GetWindowTextLengthA(hWnd);
    if (nLength <= 0)
        return std::string();
    std::string strText(static_cast<size_t>(nLength) + 1, '\0');
    const int nCopied = GetWindowTextA(hWnd, &strText[0], nLength + 1);
    strText.resize(nCopied > 0 ? static_cast<size_t>(nCopied) : 0);
    return strText;
}

std::vector<std::string> GetStaticTexts(HWND hDlg)
{
    std::vector<std::string> texts;
    EnumChildWindows(hDlg, CollectStatic, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

bool PressDialogButton(HWND hDlg, int nId)
{
    HWND hButton = GetDlgItem(hDlg, nId);
    if (!hButton || !IsWindowEnabled(hButton))
        return false;
    return PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), reinterpret_cast<LPARAM>(hButton)) != FALSE;
}

}  // namespace support

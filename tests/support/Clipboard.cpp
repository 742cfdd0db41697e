#include "Clipboard.h"

#include <windows.h>

#include <cstring>

namespace support {
namespace {

// Open for as long as the object lives.
class COpenClipboard {
public:
    COpenClipboard()
    {
        const DWORD dwStart = GetTickCount();
        while (!(m_bOpen = OpenClipboard(nullptr) != FALSE) && GetTickCount() - dwStart < 5000)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    ~COpenClipboard()
    {
        if (m_bOpen)
            CloseClipboard();
    }
    COpenClipboard(const COpenClipboard&) = delete;
    COpenClipboard& operator=(const COpenClipboard&) = delete;

    bool IsOpen() const { return m_bOpen; }

private:
    bool m_bOpen = false;
};

}  // namespace

bool SetClipboardText(const std::string& strText)
{
    COpenClipboard clipboard;
    if (!clipboard.IsOpen() || !EmptyClipboard())
        return false;
    HGLOBAL hMem = GlobalAlloc(GMEM_MOVEABLE, strText.size() + 1);
    if (!hMem)
        return false;
    char* pData = static_cast<char*>(GlobalLock(hMem));
    std::memcpy(pData, strText.c_str(), strText.size() + 1);
    GlobalUnlock(hMem);
    if (!SetClipboardData(CF_TEXT, hMem)) {
        GlobalFree(hMem);
        return false;
    }
    return true;
}

bool GetClipboardText(std::string* pstrText)
{
    pstrText->clear();
    COpenClipboard clipboard;
    if (!clipboard.IsOpen())
        return false;
    HANDLE hData = GetClipboardData(CF_TEXT);
    if (!hData)
        return false;
    const char* pData = static_cast<const char*>(GlobalLock(hData));
    if (!pData)
        return false;
    // Bounded by the block's size, in case the text lacks its terminator.
    const SIZE_T nSize = GlobalSize(hData);
    pstrText->assign(pData, strnlen(pData, nSize));
    GlobalUnlock(hData);
    return true;
}

bool EmptyClipboardContents()
{
    COpenClipboard clipboard;
    return clipboard.IsOpen() && EmptyClipboard();
}

}  // namespace support

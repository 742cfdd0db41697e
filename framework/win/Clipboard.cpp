// Global memory and clipboard guards.
#include "win/Clipboard.h"

#include <climits>
#include <cstring>

HGLOBAL AFXAPI AfxGlobalFromText(LPCSTR pszText)
{
    if (pszText == NULL)
        pszText = "";
    const SIZE_T nLength = std::strlen(pszText);
    HGLOBAL hMem = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, nLength + 1);
    if (hMem == NULL)
        return NULL;
    CGlobalLock<char> lock(hMem);
    if (lock.Get() == NULL) {
        ::GlobalFree(hMem);
        return NULL;
    }
    std::memcpy(lock.Get(), pszText, nLength);
    return hMem;
}

BOOL AFXAPI AfxTextFromGlobal(HGLOBAL hMem, CString& strText)
{
    strText.Empty();
    CGlobalLock<const char> lock(hMem);
    const SIZE_T nSize = lock.GetSize();
    if (lock.Get() == NULL || nSize == 0 || nSize >= static_cast<SIZE_T>(INT_MAX))
        return FALSE;
    // The block may be larger than the text and need not end in a zero.
    const char* pEnd = static_cast<const char*>(std::memchr(lock.Get(), '\0', nSize));
    const int nLength = static_cast<int>(pEnd != NULL ? pEnd - lock.Get() : nSize);
    std::memcpy(strText.GetBuffer(nLength), lock.Get(), nLength);
    strText.ReleaseBuffer(nLength);
    return TRUE;
}

CClipboard::CClipboard(HWND hWndOwner) : m_bOpen(::OpenClipboard(hWndOwner)) {}

CClipboard::~CClipboard()
{
    if (m_bOpen)
        ::CloseClipboard();
}

BOOL CClipboard::GetText(CString& strText) const
{
    strText.Empty();
    if (!m_bOpen)
        return FALSE;
    HANDLE hData = ::GetClipboardData(CF_TEXT);
    return hData != NULL && AfxTextFromGlobal(hData, strText);
}

BOOL CClipboard::SetText(LPCSTR pszText)
{
    if (!m_bOpen)
        return FALSE;
    HGLOBAL hData = AfxGlobalFromText(pszText);
    if (hData == NULL)
        return FALSE;
    ::EmptyClipboard();
    // The clipboard owns the memory only when it took it.
    if (::SetClipboardData(CF_TEXT, hData) == NULL) {
        ::GlobalFree(hData);
        return FALSE;
    }
    return TRUE;
}

// Scoped access to global memory blocks and to the clipboard: each guard
// gives back what it took when it goes out of scope, also when an exception
// passes. These are the framework's own helpers for its users' clipboard work.
#pragma once

#include "win/Platform.h"
#include "core/String.h"

// A global memory block locked for the guard's lifetime.
template <class T = void>
class CGlobalLock {
public:
    explicit CGlobalLock(HGLOBAL hMem) : m_hMem(hMem), m_p(hMem != NULL ? static_cast<T*>(::GlobalLock(hMem)) : NULL) {}
    ~CGlobalLock()
    {
        if (m_p != NULL)
            ::GlobalUnlock(m_hMem);
    }
    CGlobalLock(const CGlobalLock&) = delete;
    CGlobalLock& operator=(const CGlobalLock&) = delete;

    // NULL when the block could not be locked.
    T* Get() const { return m_p; }
    // The block's size in bytes (0 for no block).
    SIZE_T GetSize() const { return m_hMem != NULL ? ::GlobalSize(m_hMem) : 0; }

private:
    HGLOBAL m_hMem;
    T* m_p;
};

// Text as a new moveable block with its terminating zero, which the caller
// owns; NULL when memory runs out.
FRAMEWORK_API HGLOBAL AFXAPI AfxGlobalFromText(LPCSTR pszText);
// The text of a block that need not end in a zero (it ends at the first zero
// or with the block); FALSE (empty text) when the block cannot be locked, is
// empty or holds 2 GB or more.
FRAMEWORK_API BOOL AFXAPI AfxTextFromGlobal(HGLOBAL hMem, CString& strText);

// The clipboard, open for the guard's lifetime.
class FRAMEWORK_API CClipboard {
public:
    // Opens the clipboard for hWndOwner (NULL: for the calling task).
    explicit CClipboard(HWND hWndOwner);
    ~CClipboard();
    CClipboard(const CClipboard&) = delete;
    CClipboard& operator=(const CClipboard&) = delete;

    // FALSE when another window holds the clipboard open.
    BOOL IsOpen() const { return m_bOpen; }

    // CF_TEXT; FALSE (empty text) when there is none.
    BOOL GetText(CString& strText) const;
    // Empties the clipboard and puts the text on it; FALSE when it is not open
    // or refused the text.
    BOOL SetText(LPCSTR pszText);

    static BOOL PASCAL IsTextAvailable() { return ::IsClipboardFormatAvailable(CF_TEXT); }

private:
    BOOL m_bOpen;
};

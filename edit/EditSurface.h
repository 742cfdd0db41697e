// What the masked-edit logic needs from an edit control: its text, selection,
// style, limit and modified flag, a beep, the modifier keys and the clipboard.
// CEditEx answers on its real window; CHeadlessEditSurface answers in memory
// for the tool, the fuzzer and the native tests. The names carry "Edit" so
// that a window class can implement the interface without hiding its own
// GetStyle or SetSel.
#pragma once

#include "core/Types.h"
#include "core/String.h"

// Edit-control styles and keys the logic reads, for the native build (on
// Windows they come from <windows.h> with the same values).
#ifndef _WIN32
#  define ES_UPPERCASE 0x0008L
#  define ES_LOWERCASE 0x0010L
#  define ES_READONLY 0x0800L
#  define VK_BACK 0x08
#  define VK_SHIFT 0x10
#  define VK_CONTROL 0x11
#  define VK_END 0x23
#  define VK_HOME 0x24
#  define VK_LEFT 0x25
#  define VK_UP 0x26
#  define VK_RIGHT 0x27
#  define VK_DOWN 0x28
#  define VK_INSERT 0x2D
#  define VK_DELETE 0x2E
// The drop answers are message results.
typedef LONG_PTR LRESULT;
#endif

class EXTKIT_API CEditSurface {
public:
    virtual ~CEditSurface() {}

    // The window style (ES_READONLY, ES_UPPERCASE, ES_LOWERCASE are read).
    virtual DWORD GetEditStyle() = 0;

    virtual CString GetEditText() = 0;
    // Sets the whole text; as the edit control does, the caret goes to 0.
    virtual void SetEditText(LPCSTR pszText) = 0;
    // EM_SETMODIFY.
    virtual void SetEditModify(bool bModified) = 0;

    // EM_GETSEL: start <= end.
    virtual void GetEditSel(int& nStart, int& nEnd) = 0;
    // EM_SETSEL as the edit control takes it (the pair is ordered and clamped
    // to the text; an end of -1 is the end of the text; a start of -1 only
    // removes the selection), then EM_SCROLLCARET unless bNoScroll.
    virtual void SetEditSel(int nStart, int nEnd, bool bNoScroll = false) = 0;

    // EM_LIMITTEXT (0 or a negative count lifts the limit) and EM_GETLIMITTEXT.
    virtual void SetEditLimit(int nMax) = 0;
    virtual int GetEditLimit() = 0;

    // MessageBeep(MB_ICONEXCLAMATION).
    virtual void Beep() = 0;

    // Whether a key (VK_SHIFT, VK_CONTROL) is held down now.
    virtual bool IsEditKeyDown(int nVirtKey) = 0;

    // The clipboard's CF_TEXT. PutClipboardText opens, empties, sets and
    // closes; false when the clipboard could not be opened or refused the text.
    virtual bool IsClipboardTextAvailable() = 0;
    virtual bool GetClipboardText(CString& strText) = 0;
    virtual bool PutClipboardText(LPCSTR pszText) = 0;
};

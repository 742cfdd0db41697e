// What the masked-edit logic needs from an edit control: its text, selection,
// style, limit and modified flag, a beep, the modifier keys and the clipboard.
// CEditEx answers on its real window; CHeadlessEditSurface answers in memory
// for the tool, the fuzzer and the native tests. The names carry "Edit" so
// that a window class can implement the interface without hiding its own
// GetStyle or SetSel.
#pragma once

#include <afx.h>

#include "frame/ExtkitApi.h"

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

// The library frame: locale settings read at load, the resource-handle guard and
// the small free functions every host may use.
#pragma once

#include <afx.h>

#include "frame/ExtkitApi.h"

class CString;
class CStringArray;

// Locale settings, read once from the user's locale when the module loads and
// read-only afterwards. Nothing in the library reads them; they are the hosts'.
extern EXTKIT_API char g_chDecimalSep;          // decimal separator for numbers
extern EXTKIT_API char g_chThousandSep;         // digit-grouping separator for numbers
extern EXTKIT_API char g_chDateSep;             // date separator
extern EXTKIT_API char g_chThousandSepCur;      // digit-grouping separator for money
extern EXTKIT_API char g_chDecimalSepCur;       // decimal separator for money
extern EXTKIT_API short g_nCurrencyPrec;        // fractional digits for money
extern EXTKIT_API short g_nDecimalPrec;         // fractional digits for numbers
extern EXTKIT_API char g_strCurrencySymbol[5];  // at most 4 characters and the zero

// Accelerator-flag values of the modifier keys, as GetPressedExtKey reports them.
#define EXTKEY_CONTROL 0x08  // FCONTROL
#define EXTKEY_SHIFT 0x04    // FSHIFT
#define EXTKEY_ALT 0x10      // FALT

// Sum of 8 (Ctrl), 4 (Shift) and 16 (Alt) for the modifier keys held down now.
EXTKIT_API unsigned char __cdecl GetPressedExtKey();

// Cuts value to nDigits fractional digits (towards zero; negative counts cut to
// tens, hundreds...). Only the low 16 bits of nDigits count.
EXTKIT_API double __cdecl RoundDbl(double value, int nDigits);

// Splits a line into items appended to arr: by commas when the text has one,
// else by blanks. Returns 0 (and appends nothing) for a blank text, else 1.
EXTKIT_API int __cdecl ParsingArguments(const char* pszText, CStringArray& arr);

#ifdef _WIN32
// Moves the mouse pointer to the centre of hWnd; nonzero when it was moved.
EXTKIT_API int __cdecl SetMousePos(HWND hWnd);

// The folder of the application's profile name, with a trailing backslash, or
// empty when the profile name has no folder.
EXTKIT_API void __cdecl GetAppPath(CString& strPath);

// This module's own instance handle (null before the module is attached).
EXTKIT_API HINSTANCE __cdecl GetExtkitInstance();

// Makes hInstance the framework's resource handle for the guard's lifetime and
// restores the previous one when the guard goes out of scope, also when an
// exception leaves the scope. A null hInstance switches nothing.
class EXTKIT_API CSetResourceHandle {
public:
    explicit CSetResourceHandle(HINSTANCE hInstance);
    virtual ~CSetResourceHandle();

    CSetResourceHandle(const CSetResourceHandle&) = delete;
    CSetResourceHandle& operator=(const CSetResourceHandle&) = delete;

protected:
    HINSTANCE m_hOldResource;  // zero once restored
};
#endif

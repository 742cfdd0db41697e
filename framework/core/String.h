// CString: the framework's single-byte string with value semantics. Text is in
// the Windows-1251 code page; letter tests and case changes follow the active
// code page on Windows and the Windows-1251 tables elsewhere.
#pragma once

#include <cstdarg>

#include "Types.h"

// Letter test and case change of one character, the same in both builds.
FRAMEWORK_API BOOL AFXAPI AfxIsCharAlpha(char ch);
FRAMEWORK_API char AFXAPI AfxCharUpper(char ch);
FRAMEWORK_API char AFXAPI AfxCharLower(char ch);

#ifdef _WIN32
// The module whose resources LoadString reads (defined with the module state).
FRAMEWORK_API HINSTANCE AFXAPI AfxGetResourceHandle();
#endif

#if defined(__GNUC__) && !defined(_WIN32)
#    define AFX_PRINTF_FORMAT(fmt, first) __attribute__((format(printf, fmt, first)))
#else
#    define AFX_PRINTF_FORMAT(fmt, first)
#endif

class FRAMEWORK_API CString {
public:
    CString();
    CString(const CString& stringSrc);
    CString(CString&& stringSrc) noexcept;
    // On Windows a string-resource identifier made with MAKEINTRESOURCE loads that string.
    CString(LPCSTR lpsz);
    CString(LPCSTR lpch, int nLength);
    explicit CString(char ch, int nRepeat = 1);
    ~CString();

    CString& operator=(const CString& stringSrc);
    CString& operator=(CString&& stringSrc) noexcept;
    CString& operator=(LPCSTR lpsz);
    CString& operator=(char ch);

    // The length is kept just before the characters.
    int GetLength() const { return reinterpret_cast<const int*>(m_pszData)[-2]; }
    BOOL IsEmpty() const { return GetLength() == 0; }
    void Empty();

    // An index out of range throws CInvalidArgException; GetAt and [] may read
    // the terminating zero at GetLength().
    char GetAt(int nIndex) const;
    void SetAt(int nIndex, char ch);
    char operator[](int nIndex) const { return GetAt(nIndex); }
    operator LPCTSTR() const { return m_pszData; }
    LPCTSTR GetString() const { return m_pszData; }

    CString& operator+=(const CString& string);
    CString& operator+=(LPCSTR lpsz);
    CString& operator+=(char ch);

    friend FRAMEWORK_API CString AFXAPI operator+(const CString& string1, const CString& string2);
    friend FRAMEWORK_API CString AFXAPI operator+(const CString& string, LPCSTR lpsz);
    friend FRAMEWORK_API CString AFXAPI operator+(LPCSTR lpsz, const CString& string);
    friend FRAMEWORK_API CString AFXAPI operator+(const CString& string, char ch);
    friend FRAMEWORK_API CString AFXAPI operator+(char ch, const CString& string);

    // Byte order of unsigned chars, as strcmp: <0, 0 or >0.
    int Compare(LPCSTR lpsz) const;
    // The same after folding both sides to lower case.
    int CompareNoCase(LPCSTR lpsz) const;

    // Out-of-range arguments are clamped: a negative position or count counts as 0,
    // anything past the end as the end.
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCSTR lpszCharSet) const;
    CString SpanExcluding(LPCSTR lpszCharSet) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    int Replace(char chOld, char chNew);
    int Replace(LPCSTR lpszOld, LPCSTR lpszNew);
    int Remove(char chRemove);
    int Insert(int nIndex, char ch);
    int Insert(int nIndex, LPCSTR pstr);
    int Delete(int nIndex, int nCount = 1);

    void Format(LPCSTR lpszFormat, ...) AFX_PRINTF_FORMAT(2, 3);
    void FormatV(LPCSTR lpszFormat, va_list argList);
    void AppendFormat(LPCSTR lpszFormat, ...) AFX_PRINTF_FORMAT(2, 3);

    // Without an argument they trim white space (space, tab, CR, LF, VT, FF).
    CString& Trim();
    CString& Trim(char chTarget);
    CString& Trim(LPCSTR lpszTargets);
    CString& TrimLeft();
    CString& TrimLeft(char chTarget);
    CString& TrimLeft(LPCSTR lpszTargets);
    CString& TrimRight();
    CString& TrimRight(char chTarget);
    CString& TrimRight(LPCSTR lpszTargets);

    // -1 when not found.
    int Find(char ch, int nStart = 0) const;
    int Find(LPCSTR lpszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR lpszCharSet) const;

    // The next token after iStart, skipping leading delimiters; iStart moves past
    // it, or becomes -1 (with an empty result) when no token is left.
    CString Tokenize(LPCSTR pszTokens, int& iStart) const;

    // A writable buffer of at least nMinBufLength characters plus the zero.
    LPTSTR GetBuffer(int nMinBufLength);
    LPTSTR GetBuffer();
    // -1 takes the length up to the first zero.
    void ReleaseBuffer(int nNewLength = -1);
    LPTSTR GetBufferSetLength(int nNewLength);
    void FreeExtra();

#ifdef _WIN32
    // Loads string nID from the current resource handle; FALSE (string unchanged)
    // when there is no such string.
#    pragma push_macro("LoadString")
#    undef LoadString
    BOOL LoadString(UINT nID);
    // What a call reads as where <windows.h> (before or after this header)
    // makes LoadString a macro.
    BOOL LoadStringA(UINT nID)
    {
        return LoadString(nID);
    }
#    pragma pop_macro("LoadString")
#endif

private:
    void AllocCopy(LPCSTR lpch, int nLength);
    void Reserve(int nCapacity);
    void SetLengthUnchecked(int nLength);
    void AppendChars(LPCSTR lpch, int nLength);
    void ReplaceWith(CString& other) noexcept;

    LPTSTR m_pszData;  // characters; preceded by the length and the capacity
};

FRAMEWORK_API bool AFXAPI operator==(const CString& s1, const CString& s2);
FRAMEWORK_API bool AFXAPI operator==(const CString& s1, LPCSTR s2);
FRAMEWORK_API bool AFXAPI operator==(LPCSTR s1, const CString& s2);
FRAMEWORK_API bool AFXAPI operator==(const CString& s1, char ch);
FRAMEWORK_API bool AFXAPI operator==(char ch, const CString& s2);
FRAMEWORK_API bool AFXAPI operator!=(const CString& s1, const CString& s2);
FRAMEWORK_API bool AFXAPI operator!=(const CString& s1, LPCSTR s2);
FRAMEWORK_API bool AFXAPI operator!=(LPCSTR s1, const CString& s2);
FRAMEWORK_API bool AFXAPI operator!=(const CString& s1, char ch);
FRAMEWORK_API bool AFXAPI operator!=(char ch, const CString& s2);
FRAMEWORK_API bool AFXAPI operator<(const CString& s1, const CString& s2);
FRAMEWORK_API bool AFXAPI operator<(const CString& s1, LPCSTR s2);
FRAMEWORK_API bool AFXAPI operator<(LPCSTR s1, const CString& s2);
FRAMEWORK_API bool AFXAPI operator>(const CString& s1, const CString& s2);
FRAMEWORK_API bool AFXAPI operator>(const CString& s1, LPCSTR s2);
FRAMEWORK_API bool AFXAPI operator>(LPCSTR s1, const CString& s2);
FRAMEWORK_API bool AFXAPI operator<=(const CString& s1, const CString& s2);
FRAMEWORK_API bool AFXAPI operator<=(const CString& s1, LPCSTR s2);
FRAMEWORK_API bool AFXAPI operator<=(LPCSTR s1, const CString& s2);
FRAMEWORK_API bool AFXAPI operator>=(const CString& s1, const CString& s2);
FRAMEWORK_API bool AFXAPI operator>=(const CString& s1, LPCSTR s2);
FRAMEWORK_API bool AFXAPI operator>=(LPCSTR s1, const CString& s2);

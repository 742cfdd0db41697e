// CString and the single-byte letter helpers.
#include "String.h"

#ifdef _WIN32
#    include <windows.h>
// CString::LoadString is the member itself, not the platform's macro.
#    undef LoadString
#endif

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Exception.h"

// ---------------------------------------------------------------- letters

#ifdef _WIN32

BOOL AFXAPI AfxIsCharAlpha(char ch)
{
    return ::IsCharAlphaA(ch) ? TRUE : FALSE;
}

char AFXAPI AfxCharUpper(char ch)
{
    ::CharUpperBuffA(&ch, 1);
    return ch;
}

char AFXAPI AfxCharLower(char ch)
{
    ::CharLowerBuffA(&ch, 1);
    return ch;
}

#else

namespace {

// Windows-1251: the Latin letters, the Cyrillic block and the scattered
// letters of the other Cyrillic alphabets, each as upper/lower pair.
struct CCaseTables {
    BYTE upper[256];
    BYTE lower[256];
    bool alpha[256];

    CCaseTables()
    {
        for (int i = 0; i < 256; i++) {
            upper[i] = lower[i] = (BYTE)i;
            alpha[i] = false;
        }
        for (int c = 'A'; c <= 'Z'; c++)
            Pair(c, c + 32);
        for (int c = 0xC0; c <= 0xDF; c++)
            Pair(c, c + 32);
        static const BYTE s_pairs[][2] = {
            {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
            {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4},
            {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
        };
        for (const auto& pair : s_pairs)
            Pair(pair[0], pair[1]);
        alpha[0xB5] = true;  // the micro sign is a letter without a pair here
    }

    void Pair(int nUpper, int nLower)
    {
        lower[nUpper] = (BYTE)nLower;
        upper[nLower] = (BYTE)nUpper;
        alpha[nUpper] = alpha[nLower] = true;
    }
};

const CCaseTables& CaseTables()
{
    static const CCaseTables s_tables;
    return s_tables;
}

}  // namespace

BOOL AFXAPI AfxIsCharAlpha(char ch)
{
    return CaseTables().alpha[(BYTE)ch] ? TRUE : FALSE;
}

char AFXAPI AfxCharUpper(char ch)
{
    return (char)CaseTables().upper[(BYTE)ch];
}

char AFXAPI AfxCharLower(char ch)
{
    return (char)CaseTables().lower[(BYTE)ch];
}

#endif

// ---------------------------------------------------------------- storage

namespace {

// The characters are preceded by this header in one heap block.
struct CStringData {
    int nDataLength;
    int nAllocLength;
};

// The empty string's shared, never written, never freed buffer.
struct CEmptyString {
    CStringData header;
    char chData[8];
};
CEmptyString g_emptyString = {{0, 0}, {0}};

inline char* EmptyData()
{
    return g_emptyString.chData;
}

inline CStringData* Header(char* psz)
{
    return reinterpret_cast<CStringData*>(psz) - 1;
}

const int nMaxLength = INT_MAX - (int)sizeof(CStringData) - 16;

// A block with room for nCapacity characters and the zero; length 0.
char* NewBuffer(int nCapacity)
{
    if (nCapacity < 0 || nCapacity > nMaxLength)
        AfxThrowMemoryException();
    CStringData* pData = static_cast<CStringData*>(std::malloc(sizeof(CStringData) + (size_t)nCapacity + 1));
    if (pData == NULL)
        AfxThrowMemoryException();
    pData->nDataLength = 0;
    pData->nAllocLength = nCapacity;
    char* psz = reinterpret_cast<char*>(pData + 1);
    psz[0] = '\0';
    return psz;
}

inline void FreeBuffer(char* psz)
{
    if (psz != EmptyData())
        std::free(Header(psz));
}

inline bool IsWhite(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\v' || ch == '\f';
}

inline bool InSet(char ch, LPCSTR lpszSet)
{
    return ch != '\0' && std::strchr(lpszSet, ch) != NULL;
}

}  // namespace

void CString::SetLengthUnchecked(int nLength)
{
    if (m_pszData == EmptyData())
        return;  // only length 0 reaches here for the shared empty buffer
    Header(m_pszData)->nDataLength = nLength;
    m_pszData[nLength] = '\0';
}

void CString::Reserve(int nCapacity)
{
    if (nCapacity <= Header(m_pszData)->nAllocLength && m_pszData != EmptyData())
        return;
    int nLength = GetLength();
    char* pszNew = NewBuffer(nCapacity < nLength ? nLength : nCapacity);
    std::memcpy(pszNew, m_pszData, (size_t)nLength + 1);
    Header(pszNew)->nDataLength = nLength;
    FreeBuffer(m_pszData);
    m_pszData = pszNew;
}

void CString::AllocCopy(LPCSTR lpch, int nLength)
{
    if (nLength == 0) {
        Empty();
        return;
    }
    char* pszNew = NewBuffer(nLength);
    std::memcpy(pszNew, lpch, (size_t)nLength);  // lpch may point into the old buffer
    pszNew[nLength] = '\0';
    Header(pszNew)->nDataLength = nLength;
    FreeBuffer(m_pszData);
    m_pszData = pszNew;
}

void CString::AppendChars(LPCSTR lpch, int nLength)
{
    if (nLength <= 0)
        return;
    int nOldLength = GetLength();
    if (nLength > nMaxLength - nOldLength)
        AfxThrowMemoryException();
    int nNewLength = nOldLength + nLength;
    if (m_pszData == EmptyData() || nNewLength > Header(m_pszData)->nAllocLength) {
        int nCapacity = Header(m_pszData)->nAllocLength;
        nCapacity = nCapacity > nMaxLength / 2 ? nMaxLength : nCapacity + nCapacity / 2;
        if (nCapacity < nNewLength)
            nCapacity = nNewLength;
        char* pszNew = NewBuffer(nCapacity);
        std::memcpy(pszNew, m_pszData, (size_t)nOldLength);
        std::memcpy(pszNew + nOldLength, lpch, (size_t)nLength);  // lpch may be our own text
        FreeBuffer(m_pszData);
        m_pszData = pszNew;
    } else {
        std::memmove(m_pszData + nOldLength, lpch, (size_t)nLength);
    }
    SetLengthUnchecked(nNewLength);
}

void CString::ReplaceWith(CString& other) noexcept
{
    FreeBuffer(m_pszData);
    m_pszData = other.m_pszData;
    other.m_pszData = EmptyData();
}

// ---------------------------------------------------------------- construction

CString::CString() : m_pszData(EmptyData()) {}

CString::CString(const CString& stringSrc) : m_pszData(EmptyData())
{
    AllocCopy(stringSrc.m_pszData, stringSrc.GetLength());
}

CString::CString(CString&& stringSrc) noexcept : m_pszData(stringSrc.m_pszData)
{
    stringSrc.m_pszData = EmptyData();
}

CString::CString(LPCSTR lpsz) : m_pszData(EmptyData())
{
#ifdef _WIN32
    if (lpsz != NULL && IS_INTRESOURCE(lpsz)) {
        LoadString(LOWORD((ULONG_PTR)lpsz));
        return;
    }
#endif
    if (lpsz != NULL)
        AllocCopy(lpsz, (int)std::strlen(lpsz));
}

CString::CString(LPCSTR lpch, int nLength) : m_pszData(EmptyData())
{
    if (nLength < 0 || (lpch == NULL && nLength > 0))
        AfxThrowInvalidArgException();
    AllocCopy(lpch, nLength);
}

CString::CString(char ch, int nRepeat) : m_pszData(EmptyData())
{
    if (nRepeat > 0) {
        m_pszData = NewBuffer(nRepeat);
        std::memset(m_pszData, (BYTE)ch, (size_t)nRepeat);
        SetLengthUnchecked(nRepeat);
    }
}

CString::~CString()
{
    FreeBuffer(m_pszData);
}

CString& CString::operator=(const CString& stringSrc)
{
    if (this != &stringSrc)
        AllocCopy(stringSrc.m_pszData, stringSrc.GetLength());
    return *this;
}

CString& CString::operator=(CString&& stringSrc) noexcept
{
    if (this != &stringSrc)
        ReplaceWith(stringSrc);
    return *this;
}

CString& CString::operator=(LPCSTR lpsz)
{
    if (lpsz == NULL)
        Empty();
    else
        AllocCopy(lpsz, (int)std::strlen(lpsz));
    return *this;
}

CString& CString::operator=(char ch)
{
    AllocCopy(&ch, 1);
    return *this;
}

void CString::Empty()
{
    FreeBuffer(m_pszData);
    m_pszData = EmptyData();
}

// ---------------------------------------------------------------- access

char CString::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex > GetLength())
        AfxThrowInvalidArgException();
    return m_pszData[nIndex];
}

void CString::SetAt(int nIndex, char ch)
{
    if (nIndex < 0 || nIndex >= GetLength())
        AfxThrowInvalidArgException();
    m_pszData[nIndex] = ch;
}

CString& CString::operator+=(const CString& string)
{
    AppendChars(string.m_pszData, string.GetLength());
    return *this;
}

CString& CString::operator+=(LPCSTR lpsz)
{
    if (lpsz != NULL)
        AppendChars(lpsz, (int)std::strlen(lpsz));
    return *this;
}

CString& CString::operator+=(char ch)
{
    AppendChars(&ch, 1);
    return *this;
}

CString AFXAPI operator+(const CString& string1, const CString& string2)
{
    CString s(string1);
    s += string2;
    return s;
}

CString AFXAPI operator+(const CString& string, LPCSTR lpsz)
{
    CString s(string);
    s += lpsz;
    return s;
}

CString AFXAPI operator+(LPCSTR lpsz, const CString& string)
{
    CString s(lpsz);
    s += string;
    return s;
}

CString AFXAPI operator+(const CString& string, char ch)
{
    CString s(string);
    s += ch;
    return s;
}

CString AFXAPI operator+(char ch, const CString& string)
{
    CString s(ch);
    s += string;
    return s;
}

// ---------------------------------------------------------------- comparison

int CString::Compare(LPCSTR lpsz) const
{
    // strcmp compares the characters as unsigned bytes.
    return std::strcmp(m_pszData, lpsz != NULL ? lpsz : "");
}

int CString::CompareNoCase(LPCSTR lpsz) const
{
    const BYTE* p1 = reinterpret_cast<const BYTE*>(m_pszData);
    const BYTE* p2 = reinterpret_cast<const BYTE*>(lpsz != NULL ? lpsz : "");
    for (;; p1++, p2++) {
        BYTE c1 = (BYTE)AfxCharLower((char)*p1);
        BYTE c2 = (BYTE)AfxCharLower((char)*p2);
        if (c1 != c2)
            return c1 < c2 ? -1 : 1;
        if (c1 == 0)
            return 0;
    }
}

bool AFXAPI operator==(const CString& s1, const CString& s2)
{
    return s1.Compare(s2) == 0;
}
bool AFXAPI operator==(const CString& s1, LPCSTR s2)
{
    return s1.Compare(s2) == 0;
}
bool AFXAPI operator==(LPCSTR s1, const CString& s2)
{
    return s2.Compare(s1) == 0;
}
bool AFXAPI operator==(const CString& s1, char ch)
{
    return s1.GetLength() == 1 && s1.GetAt(0) == ch;
}
bool AFXAPI operator==(char ch, const CString& s2)
{
    return s2 == ch;
}
bool AFXAPI operator!=(const CString& s1, const CString& s2)
{
    return s1.Compare(s2) != 0;
}
bool AFXAPI operator!=(const CString& s1, LPCSTR s2)
{
    return s1.Compare(s2) != 0;
}
bool AFXAPI operator!=(LPCSTR s1, const CString& s2)
{
    return s2.Compare(s1) != 0;
}
bool AFXAPI operator!=(const CString& s1, char ch)
{
    return !(s1 == ch);
}
bool AFXAPI operator!=(char ch, const CString& s2)
{
    return !(s2 == ch);
}
bool AFXAPI operator<(const CString& s1, const CString& s2)
{
    return s1.Compare(s2) < 0;
}
bool AFXAPI operator<(const CString& s1, LPCSTR s2)
{
    return s1.Compare(s2) < 0;
}
bool AFXAPI operator<(LPCSTR s1, const CString& s2)
{
    return s2.Compare(s1) > 0;
}
bool AFXAPI operator>(const CString& s1, const CString& s2)
{
    return s1.Compare(s2) > 0;
}
bool AFXAPI operator>(const CString& s1, LPCSTR s2)
{
    return s1.Compare(s2) > 0;
}
bool AFXAPI operator>(LPCSTR s1, const CString& s2)
{
    return s2.Compare(s1) < 0;
}
bool AFXAPI operator<=(const CString& s1, const CString& s2)
{
    return s1.Compare(s2) <= 0;
}
bool AFXAPI operator<=(const CString& s1, LPCSTR s2)
{
    return s1.Compare(s2) <= 0;
}
bool AFXAPI operator<=(LPCSTR s1, const CString& s2)
{
    return s2.Compare(s1) >= 0;
}
bool AFXAPI operator>=(const CString& s1, const CString& s2)
{
    return s1.Compare(s2) >= 0;
}
bool AFXAPI operator>=(const CString& s1, LPCSTR s2)
{
    return s1.Compare(s2) >= 0;
}
bool AFXAPI operator>=(LPCSTR s1, const CString& s2)
{
    return s2.Compare(s1) <= 0;
}

// ---------------------------------------------------------------- extraction

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, INT_MAX);
}

CString CString::Mid(int nFirst, int nCount) const
{
    int nLength = GetLength();
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (nFirst > nLength)
        nFirst = nLength;
    if (nCount > nLength - nFirst)
        nCount = nLength - nFirst;
    if (nFirst == 0 && nCount == nLength)
        return *this;
    return CString(m_pszData + nFirst, nCount);
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    int nLength = GetLength();
    if (nCount < 0)
        nCount = 0;
    if (nCount >= nLength)
        return *this;
    return CString(m_pszData + nLength - nCount, nCount);
}

CString CString::SpanIncluding(LPCSTR lpszCharSet) const
{
    return Left((int)std::strspn(m_pszData, lpszCharSet != NULL ? lpszCharSet : ""));
}

CString CString::SpanExcluding(LPCSTR lpszCharSet) const
{
    return Left((int)std::strcspn(m_pszData, lpszCharSet != NULL ? lpszCharSet : ""));
}

// ---------------------------------------------------------------- changes

CString& CString::MakeUpper()
{
    int nLength = GetLength();
#ifdef _WIN32
    if (nLength > 0)
        ::CharUpperBuffA(m_pszData, (DWORD)nLength);
#else
    for (int i = 0; i < nLength; i++)
        m_pszData[i] = AfxCharUpper(m_pszData[i]);
#endif
    return *this;
}

CString& CString::MakeLower()
{
    int nLength = GetLength();
#ifdef _WIN32
    if (nLength > 0)
        ::CharLowerBuffA(m_pszData, (DWORD)nLength);
#else
    for (int i = 0; i < nLength; i++)
        m_pszData[i] = AfxCharLower(m_pszData[i]);
#endif
    return *this;
}

CString& CString::MakeReverse()
{
    int nLength = GetLength();
    for (int i = 0, j = nLength - 1; i < j; i++, j--) {
        char ch = m_pszData[i];
        m_pszData[i] = m_pszData[j];
        m_pszData[j] = ch;
    }
    return *this;
}

int CString::Replace(char chOld, char chNew)
{
    if (chOld == chNew)
        return 0;
    int nCount = 0;
    int nLength = GetLength();
    for (int i = 0; i < nLength; i++) {
        if (m_pszData[i] == chOld) {
            m_pszData[i] = chNew;
            nCount++;
        }
    }
    return nCount;
}

int CString::Replace(LPCSTR lpszOld, LPCSTR lpszNew)
{
    if (lpszOld == NULL || *lpszOld == '\0')
        return 0;
    if (lpszNew == NULL)
        lpszNew = "";
    int nOldLength = (int)std::strlen(lpszOld);
    int nNewLength = (int)std::strlen(lpszNew);
    int nLength = GetLength();
    CString result;
    int nCount = 0;
    int nDone = 0;  // characters of this string already handled
    for (int i = 0; i + nOldLength <= nLength;) {
        if (std::memcmp(m_pszData + i, lpszOld, (size_t)nOldLength) == 0) {
            result.AppendChars(m_pszData + nDone, i - nDone);
            result.AppendChars(lpszNew, nNewLength);
            i += nOldLength;
            nDone = i;
            nCount++;
        } else {
            i++;
        }
    }
    if (nCount > 0) {
        result.AppendChars(m_pszData + nDone, nLength - nDone);
        ReplaceWith(result);
    }
    return nCount;
}

int CString::Remove(char chRemove)
{
    int nLength = GetLength();
    int nKept = 0;
    for (int i = 0; i < nLength; i++) {
        if (m_pszData[i] != chRemove)
            m_pszData[nKept++] = m_pszData[i];
    }
    SetLengthUnchecked(nKept);
    return nLength - nKept;
}

int CString::Insert(int nIndex, char ch)
{
    return Insert(nIndex, CString(ch));
}

int CString::Insert(int nIndex, LPCSTR pstr)
{
    int nLength = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > nLength)
        nIndex = nLength;
    if (pstr == NULL || *pstr == '\0')
        return nLength;
    CString result(m_pszData, nIndex);
    result += pstr;
    result.AppendChars(m_pszData + nIndex, nLength - nIndex);
    ReplaceWith(result);
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    int nLength = GetLength();
    if (nIndex < 0)
        nIndex = 0;
    if (nCount < 0)
        nCount = 0;
    if (nIndex >= nLength || nCount == 0)
        return nLength;
    if (nCount > nLength - nIndex)
        nCount = nLength - nIndex;
    std::memmove(m_pszData + nIndex, m_pszData + nIndex + nCount, (size_t)(nLength - nIndex - nCount));
    SetLengthUnchecked(nLength - nCount);
    return GetLength();
}

// ---------------------------------------------------------------- formatting

namespace {

// printf into a new string: the C runtime's formatting on Windows, the C
// library's elsewhere.
CString FormatToString(LPCSTR lpszFormat, va_list argList)
{
    if (lpszFormat == NULL)
        AfxThrowInvalidArgException();
    va_list args;
    va_copy(args, argList);
#ifdef _WIN32
    int nLength = ::_vscprintf(lpszFormat, args);
#else
    int nLength = std::vsnprintf(NULL, 0, lpszFormat, args);
#endif
    va_end(args);
    if (nLength < 0)
        AfxThrowInvalidArgException();
    CString result;
    LPTSTR pszBuffer = result.GetBuffer(nLength);
    va_copy(args, argList);
#ifdef _WIN32
    ::_vsnprintf(pszBuffer, (size_t)nLength + 1, lpszFormat, args);
#else
    std::vsnprintf(pszBuffer, (size_t)nLength + 1, lpszFormat, args);
#endif
    va_end(args);
    result.ReleaseBuffer(nLength);
    return result;
}

}  // namespace

void CString::FormatV(LPCSTR lpszFormat, va_list argList)
{
    // The arguments may point into this string: format first, then replace.
    CString result = FormatToString(lpszFormat, argList);
    ReplaceWith(result);
}

void CString::Format(LPCSTR lpszFormat, ...)
{
    va_list argList;
    va_start(argList, lpszFormat);
    try {
        FormatV(lpszFormat, argList);
    } catch (...) {
        va_end(argList);
        throw;
    }
    va_end(argList);
}

void CString::AppendFormat(LPCSTR lpszFormat, ...)
{
    va_list argList;
    va_start(argList, lpszFormat);
    CString result;
    try {
        result = FormatToString(lpszFormat, argList);
    } catch (...) {
        va_end(argList);
        throw;
    }
    va_end(argList);
    *this += result;
}

// ---------------------------------------------------------------- trimming

CString& CString::TrimRight()
{
    int nLength = GetLength();
    while (nLength > 0 && IsWhite(m_pszData[nLength - 1]))
        nLength--;
    SetLengthUnchecked(nLength);
    return *this;
}

CString& CString::TrimRight(char chTarget)
{
    int nLength = GetLength();
    while (nLength > 0 && m_pszData[nLength - 1] == chTarget)
        nLength--;
    SetLengthUnchecked(nLength);
    return *this;
}

CString& CString::TrimRight(LPCSTR lpszTargets)
{
    if (lpszTargets == NULL || *lpszTargets == '\0')
        return *this;
    int nLength = GetLength();
    while (nLength > 0 && InSet(m_pszData[nLength - 1], lpszTargets))
        nLength--;
    SetLengthUnchecked(nLength);
    return *this;
}

CString& CString::TrimLeft()
{
    int nFirst = 0;
    int nLength = GetLength();
    while (nFirst < nLength && IsWhite(m_pszData[nFirst]))
        nFirst++;
    Delete(0, nFirst);
    return *this;
}

CString& CString::TrimLeft(char chTarget)
{
    int nFirst = 0;
    int nLength = GetLength();
    while (nFirst < nLength && m_pszData[nFirst] == chTarget)
        nFirst++;
    Delete(0, nFirst);
    return *this;
}

CString& CString::TrimLeft(LPCSTR lpszTargets)
{
    if (lpszTargets == NULL || *lpszTargets == '\0')
        return *this;
    int nFirst = 0;
    int nLength = GetLength();
    while (nFirst < nLength && InSet(m_pszData[nFirst], lpszTargets))
        nFirst++;
    Delete(0, nFirst);
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(char chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}

CString& CString::Trim(LPCSTR lpszTargets)
{
    return TrimRight(lpszTargets).TrimLeft(lpszTargets);
}

// ---------------------------------------------------------------- searching

int CString::Find(char ch, int nStart) const
{
    int nLength = GetLength();
    if (nStart < 0 || nStart >= nLength)
        return -1;
    const void* p = std::memchr(m_pszData + nStart, (BYTE)ch, (size_t)(nLength - nStart));
    return p == NULL ? -1 : (int)(static_cast<const char*>(p) - m_pszData);
}

int CString::Find(LPCSTR lpszSub, int nStart) const
{
    if (lpszSub == NULL || nStart < 0 || nStart > GetLength())
        return -1;
    const char* p = std::strstr(m_pszData + nStart, lpszSub);
    return p == NULL ? -1 : (int)(p - m_pszData);
}

int CString::ReverseFind(char ch) const
{
    for (int i = GetLength() - 1; i >= 0; i--) {
        if (m_pszData[i] == ch)
            return i;
    }
    return -1;
}

int CString::FindOneOf(LPCSTR lpszCharSet) const
{
    if (lpszCharSet == NULL)
        return -1;
    const char* p = std::strpbrk(m_pszData, lpszCharSet);
    return p == NULL ? -1 : (int)(p - m_pszData);
}

CString CString::Tokenize(LPCSTR pszTokens, int& iStart) const
{
    if (iStart < 0)
        AfxThrowInvalidArgException();
    int nLength = GetLength();
    if (pszTokens == NULL || *pszTokens == '\0') {
        // No delimiters: the rest is one token, and the next call ends.
        if (iStart < nLength) {
            CString token = Mid(iStart);
            iStart = nLength;
            return token;
        }
    } else if (iStart < nLength) {
        int nFrom = iStart + (int)std::strspn(m_pszData + iStart, pszTokens);
        if (nFrom < nLength) {
            int nCount = (int)std::strcspn(m_pszData + nFrom, pszTokens);
            iStart = nFrom + nCount + 1;
            return Mid(nFrom, nCount);
        }
    }
    iStart = -1;
    return CString();
}

// ---------------------------------------------------------------- buffer

LPTSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength < 0)
        AfxThrowInvalidArgException();
    Reserve(nMinBufLength);
    return m_pszData;
}

LPTSTR CString::GetBuffer()
{
    return GetBuffer(0);
}

void CString::ReleaseBuffer(int nNewLength)
{
    int nAlloc = Header(m_pszData)->nAllocLength;
    if (nNewLength == -1) {
        const void* pZero = std::memchr(m_pszData, 0, (size_t)nAlloc);
        nNewLength = pZero == NULL ? nAlloc : (int)(static_cast<const char*>(pZero) - m_pszData);
    }
    if (nNewLength < 0 || nNewLength > nAlloc)
        AfxThrowInvalidArgException();
    SetLengthUnchecked(nNewLength);
}

LPTSTR CString::GetBufferSetLength(int nNewLength)
{
    int nOldLength = GetLength();
    GetBuffer(nNewLength);
    if (nNewLength > nOldLength)
        std::memset(m_pszData + nOldLength, 0, (size_t)(nNewLength - nOldLength));
    SetLengthUnchecked(nNewLength);
    return m_pszData;
}

void CString::FreeExtra()
{
    int nLength = GetLength();
    if (nLength == 0) {
        Empty();
        return;
    }
    if (Header(m_pszData)->nAllocLength > nLength)
        AllocCopy(m_pszData, nLength);
}

#ifdef _WIN32
BOOL CString::LoadString(UINT nID)
{
    HINSTANCE hInstance = AfxGetResourceHandle();
    // Strings live in blocks of 16; an absent block means an absent string.
    if (::FindResourceA(hInstance, MAKEINTRESOURCEA((nID >> 4) + 1), (LPCSTR)RT_STRING) == NULL)
        return FALSE;
    int nSize = 256;
    for (;;) {
        CString result;
        LPTSTR pszBuffer = result.GetBuffer(nSize);
        int nLength = ::LoadStringA(hInstance, nID, pszBuffer, nSize + 1);
        if (nLength <= 0)
            return FALSE;
        if (nLength < nSize) {
            result.ReleaseBuffer(nLength);
            ReplaceWith(result);
            return TRUE;
        }
        if (nSize > 65536)
            AfxThrowMemoryException();
        nSize *= 4;
    }
}
#endif

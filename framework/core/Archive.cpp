// CArchive: a buffer between the serializing code and a CFile.
#include "Archive.h"

#ifdef _WIN32
#    include <windows.h>
#endif

#include <climits>
#include <cstring>
#include <new>
#include <utility>

namespace {

const int nBufSizeMin = 128;

// Strings longer than this are read in steps, so that a damaged length does
// not allocate more than twice the bytes the archive really holds.
const UINT nStringStep = 1024 * 1024;

template <class T>
void StoreLE(BYTE* p, T value, int nBytes)
{
    for (int i = 0; i < nBytes; i++)
        p[i] = (BYTE)((ULONGLONG)value >> (8 * i));
}

ULONGLONG LoadLE(const BYTE* p, int nBytes)
{
    ULONGLONG n = 0;
    for (int i = nBytes - 1; i >= 0; i--)
        n = (n << 8) | p[i];
    return n;
}

#ifndef _WIN32
// Windows-1251 characters 0x80-0xBF as Unicode (0x0000: not assigned).
const WORD s_cp1251High[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0000, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

char WideToCp1251(WORD wch)
{
    if (wch < 0x80)
        return (char)wch;
    if (wch >= 0x0410 && wch <= 0x044F)
        return (char)(0xC0 + (wch - 0x0410));
    for (int i = 0; i < 64; i++) {
        if (s_cp1251High[i] == wch)
            return (char)(0x80 + i);
    }
    return '?';
}
#endif

// Converts nLength wide characters (little-endian pairs) to the code page.
CString WideToString(const BYTE* pWide, int nLength)
{
    CString strResult;
    if (nLength == 0)
        return strResult;
#ifdef _WIN32
    WCHAR* pChars = new (std::nothrow) WCHAR[(size_t)nLength];
    if (pChars == NULL)
        AfxThrowMemoryException();
    for (int i = 0; i < nLength; i++)
        pChars[i] = (WCHAR)LoadLE(pWide + 2 * i, 2);
    int nBytes = ::WideCharToMultiByte(CP_ACP, 0, pChars, nLength, NULL, 0, NULL, NULL);
    if (nBytes > 0) {
        ::WideCharToMultiByte(CP_ACP, 0, pChars, nLength, strResult.GetBuffer(nBytes), nBytes, NULL, NULL);
        strResult.ReleaseBuffer(nBytes);
    }
    delete[] pChars;
#else
    LPTSTR pszBuffer = strResult.GetBuffer(nLength);
    for (int i = 0; i < nLength; i++)
        pszBuffer[i] = WideToCp1251((WORD)LoadLE(pWide + 2 * i, 2));
    strResult.ReleaseBuffer(nLength);
#endif
    return strResult;
}

}  // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_nMode(nMode), m_bUserBuf(FALSE), m_nBufSize(nBufSize), m_pFile(pFile), m_lpBufCur(NULL), m_lpBufMax(NULL),
      m_lpBufStart(NULL)
{
    if (pFile == NULL)
        AfxThrowInvalidArgException();
    if (m_nBufSize < nBufSizeMin) {
        m_nBufSize = nBufSizeMin;
        lpBuf = NULL;
    }
    if (lpBuf != NULL) {
        m_lpBufStart = static_cast<BYTE*>(lpBuf);
        m_bUserBuf = TRUE;
    } else {
        m_lpBufStart = new (std::nothrow) BYTE[(size_t)m_nBufSize];
        if (m_lpBufStart == NULL)
            AfxThrowMemoryException();
    }
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
    try {
        m_strFileName = pFile->GetFilePath();
    } catch (CException* e) {
        e->Delete();
    }
}

CArchive::~CArchive()
{
    if (m_pFile != NULL && !(m_nMode & bNoFlushOnDelete)) {
        try {
            Close();
        } catch (CException* e) {
            e->Delete();
        }
    }
    Abort();
    if (!m_bUserBuf)
        delete[] m_lpBufStart;
}

void CArchive::CheckLoading()
{
    if (m_pFile == NULL)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    if (!IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
}

void CArchive::CheckStoring()
{
    if (m_pFile == NULL)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    if (!IsStoring())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
}

void CArchive::FillBuffer(UINT nBytesNeeded)
{
    UINT nUnread = (UINT)(m_lpBufMax - m_lpBufCur);
    if (nUnread > 0 && m_lpBufCur != m_lpBufStart)
        std::memmove(m_lpBufStart, m_lpBufCur, nUnread);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + nUnread;
    while ((UINT)(m_lpBufMax - m_lpBufCur) < nBytesNeeded) {
        UINT nRoom = (UINT)(m_lpBufStart + m_nBufSize - m_lpBufMax);
        UINT nRead = m_pFile->Read(m_lpBufMax, nRoom);
        if (nRead > nRoom)
            AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
        if (nRead == 0)
            break;
        m_lpBufMax += nRead;
    }
}

void CArchive::ReadRaw(void* lpBuf, UINT nCount)
{
    CheckLoading();
    if ((UINT)(m_lpBufMax - m_lpBufCur) < nCount) {
        FillBuffer(nCount);
        if ((UINT)(m_lpBufMax - m_lpBufCur) < nCount)
            AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
    }
    std::memcpy(lpBuf, m_lpBufCur, nCount);
    m_lpBufCur += nCount;
}

void CArchive::WriteRaw(const void* lpBuf, UINT nCount)
{
    CheckStoring();
    if ((UINT)(m_lpBufMax - m_lpBufCur) < nCount)
        Flush();
    std::memcpy(m_lpBufCur, lpBuf, nCount);
    m_lpBufCur += nCount;
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    CheckLoading();
    if (nMax == 0)
        return 0;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    BYTE* pOut = static_cast<BYTE*>(lpBuf);
    UINT nDone = 0;
    while (nDone < nMax) {
        UINT nAvail = (UINT)(m_lpBufMax - m_lpBufCur);
        if (nAvail > 0) {
            UINT nCopy = nAvail < nMax - nDone ? nAvail : nMax - nDone;
            std::memcpy(pOut + nDone, m_lpBufCur, nCopy);
            m_lpBufCur += nCopy;
            nDone += nCopy;
            continue;
        }
        UINT nLeft = nMax - nDone;
        if (nLeft >= (UINT)m_nBufSize) {
            // Large reads go straight to the caller's memory.
            UINT nRead = m_pFile->Read(pOut + nDone, nLeft);
            if (nRead > nLeft)
                AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
            if (nRead == 0)
                break;
            nDone += nRead;
            continue;
        }
        FillBuffer(1);
        if (m_lpBufCur == m_lpBufMax)
            break;
    }
    return nDone;
}

void CArchive::EnsureRead(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    CheckStoring();
    if (nMax == 0)
        return;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
    const BYTE* pIn = static_cast<const BYTE*>(lpBuf);
    UINT nRoom = (UINT)(m_lpBufMax - m_lpBufCur);
    if (nMax <= nRoom) {
        std::memcpy(m_lpBufCur, pIn, nMax);
        m_lpBufCur += nMax;
        return;
    }
    Flush();
    if (nMax >= (UINT)m_nBufSize) {
        m_pFile->Write(pIn, nMax);
        return;
    }
    std::memcpy(m_lpBufCur, pIn, nMax);
    m_lpBufCur += nMax;
}

void CArchive::Flush()
{
    if (m_pFile == NULL)
        return;
    if (IsLoading()) {
        // Give back what was read ahead, so the file stands where the reader stopped.
        if (m_lpBufMax != m_lpBufCur)
            m_pFile->Seek(-(LONGLONG)(m_lpBufMax - m_lpBufCur), CFile::current);
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
    } else {
        if (m_lpBufCur != m_lpBufStart) {
            UINT nCount = (UINT)(m_lpBufCur - m_lpBufStart);
            m_lpBufCur = m_lpBufStart;  // the bytes are gone even if the write fails
            m_pFile->Write(m_lpBufStart, nCount);
        }
    }
}

void CArchive::Close()
{
    if (m_pFile == NULL)
        return;
    Flush();
    m_pFile = NULL;
}

void CArchive::Abort()
{
    m_pFile = NULL;
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

// ---------------------------------------------------------------- text lines

void CArchive::WriteString(LPCTSTR lpsz)
{
    if (lpsz == NULL)
        AfxThrowInvalidArgException();
    size_t nLength = std::strlen(lpsz);
    while (nLength > 0) {
        UINT nChunk = nLength > 0x40000000u ? 0x40000000u : (UINT)nLength;
        Write(lpsz, nChunk);
        lpsz += nChunk;
        nLength -= nChunk;
    }
}

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax)
{
    CheckLoading();
    if (lpsz == NULL || nMax == 0)
        AfxThrowInvalidArgException();
    UINT nStored = 0;
    bool bAny = false;
    while (nStored < nMax - 1) {
        if (m_lpBufCur == m_lpBufMax) {
            FillBuffer(1);
            if (m_lpBufCur == m_lpBufMax)
                break;
        }
        char ch = (char)*m_lpBufCur++;
        bAny = true;
        if (ch == '\n') {
            if (nStored > 0 && lpsz[nStored - 1] == '\r')
                nStored--;
            break;
        }
        lpsz[nStored++] = ch;
    }
    lpsz[nStored] = '\0';
    if (!bAny && nMax == 1) {
        // Room for nothing: only say whether the end has been reached.
        if (m_lpBufCur == m_lpBufMax)
            FillBuffer(1);
        bAny = m_lpBufCur != m_lpBufMax;
    }
    return bAny ? lpsz : NULL;
}

BOOL CArchive::ReadString(CString& rString)
{
    CheckLoading();
    CString strLine;
    bool bAny = false;
    bool bNewLine = false;
    while (!bNewLine) {
        if (m_lpBufCur == m_lpBufMax) {
            FillBuffer(1);
            if (m_lpBufCur == m_lpBufMax)
                break;
        }
        bAny = true;
        const BYTE* pNewLine =
            static_cast<const BYTE*>(std::memchr(m_lpBufCur, '\n', (size_t)(m_lpBufMax - m_lpBufCur)));
        const BYTE* pEnd = pNewLine != NULL ? pNewLine : m_lpBufMax;
        strLine += CString(reinterpret_cast<LPCSTR>(m_lpBufCur), (int)(pEnd - m_lpBufCur));
        m_lpBufCur = const_cast<BYTE*>(pEnd);
        if (pNewLine != NULL) {
            m_lpBufCur++;
            bNewLine = true;
        }
    }
    if (bNewLine && !strLine.IsEmpty() && strLine[strLine.GetLength() - 1] == '\r')
        strLine.Delete(strLine.GetLength() - 1);
    rString = strLine;
    return bAny ? TRUE : FALSE;
}

// ---------------------------------------------------------------- counts

DWORD_PTR CArchive::ReadCount()
{
    WORD wCount;
    *this >> wCount;
    if (wCount != 0xFFFF)
        return wCount;
    DWORD dwCount;
    *this >> dwCount;
    if (dwCount != 0xFFFFFFFF)
        return dwCount;
    ULONGLONG qwCount;
    *this >> qwCount;
    return (DWORD_PTR)qwCount;
}

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF) {
        *this << (WORD)dwCount;
        return;
    }
    *this << (WORD)0xFFFF;
    if (dwCount < 0xFFFFFFFF) {
        *this << (DWORD)dwCount;
        return;
    }
    *this << (DWORD)0xFFFFFFFF;
    *this << (ULONGLONG)dwCount;
}

// ---------------------------------------------------------------- numbers

#define AFX_ARCHIVE_STORE(type, bytes, expr)   \
    CArchive& CArchive::operator<<(type value) \
    {                                          \
        BYTE buf[8];                           \
        StoreLE(buf, expr, bytes);             \
        WriteRaw(buf, bytes);                  \
        return *this;                          \
    }

#define AFX_ARCHIVE_LOAD(type, bytes, expr)     \
    CArchive& CArchive::operator>>(type& value) \
    {                                           \
        BYTE buf[8];                            \
        ReadRaw(buf, bytes);                    \
        ULONGLONG raw = LoadLE(buf, bytes);     \
        expr;                                   \
        return *this;                           \
    }

namespace {

inline DWORD FloatBits(float f)
{
    DWORD n;
    std::memcpy(&n, &f, sizeof(n));
    return n;
}

inline ULONGLONG DoubleBits(double d)
{
    ULONGLONG n;
    std::memcpy(&n, &d, sizeof(n));
    return n;
}

inline float BitsFloat(ULONGLONG raw)
{
    DWORD n = (DWORD)raw;
    float f;
    std::memcpy(&f, &n, sizeof(f));
    return f;
}

inline double BitsDouble(ULONGLONG raw)
{
    double d;
    std::memcpy(&d, &raw, sizeof(d));
    return d;
}

}  // namespace

AFX_ARCHIVE_STORE(BYTE, 1, value)
AFX_ARCHIVE_STORE(WORD, 2, value)
AFX_ARCHIVE_STORE(LONG, 4, (DWORD)value)
AFX_ARCHIVE_STORE(DWORD, 4, value)
AFX_ARCHIVE_STORE(float, 4, FloatBits(value))
AFX_ARCHIVE_STORE(double, 8, DoubleBits(value))
AFX_ARCHIVE_STORE(LONGLONG, 8, (ULONGLONG)value)
AFX_ARCHIVE_STORE(ULONGLONG, 8, value)
AFX_ARCHIVE_STORE(short, 2, (WORD)value)
AFX_ARCHIVE_STORE(char, 1, (BYTE)value)
AFX_ARCHIVE_STORE(bool, 1, (BYTE)(value ? 1 : 0))
#ifdef _WIN32
AFX_ARCHIVE_STORE(int, 4, (DWORD)value)
AFX_ARCHIVE_STORE(unsigned, 4, (DWORD)value)
#endif

AFX_ARCHIVE_LOAD(BYTE, 1, value = (BYTE)raw)
AFX_ARCHIVE_LOAD(WORD, 2, value = (WORD)raw)
AFX_ARCHIVE_LOAD(LONG, 4, value = (LONG)(DWORD)raw)
AFX_ARCHIVE_LOAD(DWORD, 4, value = (DWORD)raw)
AFX_ARCHIVE_LOAD(float, 4, value = BitsFloat(raw))
AFX_ARCHIVE_LOAD(double, 8, value = BitsDouble(raw))
AFX_ARCHIVE_LOAD(LONGLONG, 8, value = (LONGLONG)raw)
AFX_ARCHIVE_LOAD(ULONGLONG, 8, value = raw)
AFX_ARCHIVE_LOAD(short, 2, value = (short)(WORD)raw)
AFX_ARCHIVE_LOAD(char, 1, value = (char)(BYTE)raw)
AFX_ARCHIVE_LOAD(bool, 1, value = raw != 0)
#ifdef _WIN32
AFX_ARCHIVE_LOAD(int, 4, value = (int)(DWORD)raw)
AFX_ARCHIVE_LOAD(unsigned, 4, value = (unsigned)raw)
#endif

// ---------------------------------------------------------------- strings

CArchive& AFXAPI operator<<(CArchive& ar, const CString& string)
{
    DWORD nLength = (DWORD)string.GetLength();
    if (nLength < 0xFF) {
        ar << (BYTE)nLength;
    } else if (nLength < 0xFFFE) {
        ar << (BYTE)0xFF;
        ar << (WORD)nLength;
    } else {
        ar << (BYTE)0xFF;
        ar << (WORD)0xFFFF;
        ar << (DWORD)nLength;
    }
    ar.Write((LPCSTR)string, nLength);
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, LPCSTR lpsz)
{
    return ar << CString(lpsz);
}

namespace {

// The length of a stored string; a 0xFFFE in place of the WORD marks wide
// characters, followed by the length once more.
ULONGLONG ReadStringLength(CArchive& ar, int& nCharSize)
{
    nCharSize = 1;
    BYTE bLength;
    ar >> bLength;
    if (bLength < 0xFF)
        return bLength;
    WORD wLength;
    ar >> wLength;
    if (wLength == 0xFFFE) {
        nCharSize = 2;
        ar >> bLength;
        if (bLength < 0xFF)
            return bLength;
        ar >> wLength;
    }
    if (wLength < 0xFFFF)
        return wLength;
    DWORD dwLength;
    ar >> dwLength;
    if (dwLength < 0xFFFFFFFF)
        return dwLength;
    ULONGLONG qwLength;
    ar >> qwLength;
    return qwLength;
}

}  // namespace

CArchive& AFXAPI operator>>(CArchive& ar, CString& string)
{
    if (!ar.IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly, ar.m_strFileName);
    int nCharSize = 1;
    ULONGLONG nLength = ReadStringLength(ar, nCharSize);
    if (nLength > (ULONGLONG)((INT_MAX - 64) / nCharSize))
        AfxThrowArchiveException(CArchiveException::genericException, ar.m_strFileName);

    ULONGLONG nBytes = nLength * (ULONGLONG)nCharSize;
    CString strBytes;
    UINT nDone = 0;
    while (nDone < nBytes) {
        UINT nStep = nBytes - nDone < nStringStep ? (UINT)(nBytes - nDone) : nStringStep;
        // Grow by doubling at most, never past the bytes already proven present.
        UINT nCapacity = nDone + nStep;
        if (nCapacity < nBytes && nCapacity < 2 * nDone)
            nCapacity = 2 * nDone < nBytes ? 2 * nDone : (UINT)nBytes;
        LPTSTR pszBuffer = strBytes.GetBuffer((int)nCapacity);
        ar.EnsureRead(pszBuffer + nDone, nStep);
        nDone += nStep;
        strBytes.ReleaseBuffer((int)nDone);
    }
    if (nCharSize == 2)
        string = WideToString(reinterpret_cast<const BYTE*>((LPCSTR)strBytes), (int)nLength);
    else
        string = std::move(strBytes);
    return ar;
}

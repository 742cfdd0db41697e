// CArchive: buffered binary serialization to or from a CFile, little-endian on
// every platform, with the framework's encodings of counts and strings.
#pragma once

#include "Exception.h"
#include "File.h"
#include "String.h"

class FRAMEWORK_API CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2 };

    // lpBuf (nBufSize bytes) is used as the buffer when given, else one is allocated.
    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
    // Closes the archive (flushing a storing one unless bNoFlushOnDelete); errors
    // met here are swallowed, since a destructor cannot report them.
    ~CArchive();

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
    CFile* GetFile() const { return m_pFile; }

    // Reads up to nMax bytes; fewer only at the end of the file.
    UINT Read(void* lpBuf, UINT nMax);
    // Reads exactly nCount bytes or throws CArchiveException(endOfFile).
    void EnsureRead(void* lpBuf, UINT nCount);
    void Write(const void* lpBuf, UINT nMax);

    // Writes out the buffer (storing) or gives unread buffered bytes back to the
    // file's position (loading).
    void Flush();
    // Flushes and detaches from the file (the file stays open).
    void Close();
    // Detaches without flushing; never throws.
    void Abort();

    // Text lines: WriteString writes the characters only; ReadString reads up to a
    // newline and drops the "\r\n" or "\n". The CString form returns FALSE at the
    // end of the file; the buffer form returns NULL there and reads at most nMax - 1
    // characters.
    void WriteString(LPCTSTR lpsz);
    LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    BOOL ReadString(CString& rString);

    // Counts: a WORD below 0xFFFF, else 0xFFFF and a DWORD below 0xFFFFFFFF, else
    // also 0xFFFFFFFF and a 64-bit value.
    DWORD_PTR ReadCount();
    void WriteCount(DWORD_PTR dwCount);

    CArchive& operator<<(BYTE by);
    CArchive& operator<<(WORD w);
    CArchive& operator<<(LONG l);
    CArchive& operator<<(DWORD dw);
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);
    CArchive& operator<<(LONGLONG dwdw);
    CArchive& operator<<(ULONGLONG dwdw);
    CArchive& operator<<(short w);
    CArchive& operator<<(char ch);
    CArchive& operator<<(bool b);
#ifdef _WIN32
    // Natively int and unsigned are LONG and DWORD themselves.
    CArchive& operator<<(int i);
    CArchive& operator<<(unsigned u);
#endif

    CArchive& operator>>(BYTE& by);
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(LONG& l);
    CArchive& operator>>(DWORD& dw);
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);
    CArchive& operator>>(LONGLONG& dwdw);
    CArchive& operator>>(ULONGLONG& dwdw);
    CArchive& operator>>(short& w);
    CArchive& operator>>(char& ch);
    CArchive& operator>>(bool& b);
#ifdef _WIN32
    CArchive& operator>>(int& i);
    CArchive& operator>>(unsigned& u);
#endif

    CString m_strFileName;  // the file's path, for the exceptions

protected:
    void CheckLoading();
    void CheckStoring();
    void FillBuffer(UINT nBytesNeeded);
    void WriteRaw(const void* lpBuf, UINT nCount);
    void ReadRaw(void* lpBuf, UINT nCount);

    UINT m_nMode;
    BOOL m_bUserBuf;
    int m_nBufSize;
    CFile* m_pFile;
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax;
    BYTE* m_lpBufStart;
};

// Strings: the length as a BYTE below 0xFF, else 0xFF and a WORD below 0xFFFE,
// else 0xFF, 0xFFFF and a DWORD; then the characters. Loading also accepts the
// wide-character form (marker 0xFF, 0xFFFE) and converts it to the code page.
FRAMEWORK_API CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
FRAMEWORK_API CArchive& AFXAPI operator>>(CArchive& ar, CString& string);
FRAMEWORK_API CArchive& AFXAPI operator<<(CArchive& ar, LPCSTR lpsz);

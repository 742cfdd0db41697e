// CFile over a Win32 handle (Windows) or a POSIX descriptor (elsewhere).
#include "File.h"

#ifdef _WIN32
#    include <windows.h>
// CFile::GetFileTitle is the member itself, not the platform's macro.
#    undef GetFileTitle
#endif

#include <cerrno>
#include <cstring>

#ifndef _WIN32
#    include <fcntl.h>
#    include <sys/stat.h>
#    include <unistd.h>
#endif

IMPLEMENT_DYNAMIC(CFile, CObject)

#ifdef _WIN32
const CFile::FileHandle CFile::hFileNull = INVALID_HANDLE_VALUE;
#else
const CFile::FileHandle CFile::hFileNull = -1;
#endif

namespace {

#ifdef _WIN32
inline LONG LastOsError()
{
    return (LONG)::GetLastError();
}
#else
inline LONG LastOsError()
{
    return (LONG)errno;
}
#endif

// Closes the handle; FALSE (with the OS error left for LastOsError) on failure.
BOOL CloseHandleOf(CFile::FileHandle hFile)
{
#ifdef _WIN32
    return ::CloseHandle(hFile) ? TRUE : FALSE;
#else
    return ::close(hFile) == 0 ? TRUE : FALSE;
#endif
}

// The path made absolute, without touching the file system's links.
CString FullPath(LPCTSTR lpszFileName)
{
#ifdef _WIN32
    char szPath[MAX_PATH * 2];
    DWORD nLength = ::GetFullPathNameA(lpszFileName, sizeof(szPath), szPath, NULL);
    if (nLength == 0 || nLength >= sizeof(szPath))
        return CString(lpszFileName);
    return CString(szPath);
#else
    if (lpszFileName[0] == '/' || lpszFileName[0] == '\0')
        return CString(lpszFileName);
    CString strDir;
    for (int nSize = 256; nSize <= 65536; nSize *= 4) {
        if (::getcwd(strDir.GetBuffer(nSize), (size_t)nSize + 1) != NULL) {
            strDir.ReleaseBuffer();
            if (strDir.IsEmpty() || strDir[strDir.GetLength() - 1] != '/')
                strDir += '/';
            return strDir + lpszFileName;
        }
        strDir.ReleaseBuffer(0);
        if (errno != ERANGE)
            break;
    }
    return CString(lpszFileName);
#endif
}

// Start of the name part of a path.
int NameStart(const CString& strPath)
{
#ifdef _WIN32
    int nSlash = strPath.ReverseFind('\\');
    int nForward = strPath.ReverseFind('/');
    int nColon = strPath.ReverseFind(':');
    if (nForward > nSlash)
        nSlash = nForward;
    if (nColon > nSlash)
        nSlash = nColon;
    return nSlash + 1;
#else
    return strPath.ReverseFind('/') + 1;
#endif
}

}  // namespace

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(FileHandle hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
    CFileException e(CFileException::none, -1, NULL);
    e.m_bAutoDelete = FALSE;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        CloseHandleOf(m_hFile);
    m_hFile = hFileNull;
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_hFile != hFileNull) {
        // Reopening would lose the open handle.
        if (m_bCloseOnDelete)
            CloseHandleOf(m_hFile);
        m_hFile = hFileNull;
    }
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    if (lpszFileName == NULL)
        lpszFileName = "";

    UINT nAccess = nOpenFlags & 0x3;
    UINT nShare = nOpenFlags & 0x70;
    bool bValid = nAccess != 0x3 && nShare <= shareDenyNone;
    FileHandle hFile = hFileNull;
#ifdef _WIN32
    if (bValid) {
        DWORD dwAccess = nAccess == modeRead    ? GENERIC_READ
                         : nAccess == modeWrite ? GENERIC_WRITE
                                                : GENERIC_READ | GENERIC_WRITE;
        DWORD dwShare = 0;
        if (nShare == shareDenyWrite)
            dwShare = FILE_SHARE_READ;
        else if (nShare == shareDenyRead)
            dwShare = FILE_SHARE_WRITE;
        else if (nShare == shareDenyNone)
            dwShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
        SECURITY_ATTRIBUTES sa;
        sa.nLength = sizeof(sa);
        sa.lpSecurityDescriptor = NULL;
        sa.bInheritHandle = (nOpenFlags & modeNoInherit) == 0;
        DWORD dwCreate =
            (nOpenFlags & modeCreate) ? ((nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS) : OPEN_EXISTING;
        DWORD dwFlags = FILE_ATTRIBUTE_NORMAL;
        if (nOpenFlags & osNoBuffer)
            dwFlags |= FILE_FLAG_NO_BUFFERING;
        if (nOpenFlags & osWriteThrough)
            dwFlags |= FILE_FLAG_WRITE_THROUGH;
        if (nOpenFlags & osRandomAccess)
            dwFlags |= FILE_FLAG_RANDOM_ACCESS;
        if (nOpenFlags & osSequentialScan)
            dwFlags |= FILE_FLAG_SEQUENTIAL_SCAN;
        hFile = ::CreateFileA(lpszFileName, dwAccess, dwShare, &sa, dwCreate, dwFlags, NULL);
    } else {
        ::SetLastError(ERROR_INVALID_PARAMETER);
    }
#else
    // Sharing modes cannot be enforced here; they are accepted as they are.
    if (bValid) {
        int nFlags = nAccess == modeRead ? O_RDONLY : nAccess == modeWrite ? O_WRONLY : O_RDWR;
        if (nOpenFlags & modeCreate)
            nFlags |= O_CREAT | ((nOpenFlags & modeNoTruncate) ? 0 : O_TRUNC);
        if (nOpenFlags & modeNoInherit)
            nFlags |= O_CLOEXEC;
        do {
            hFile = ::open(lpszFileName, nFlags, 0666);
        } while (hFile < 0 && errno == EINTR);
        if (hFile >= 0) {
            // A directory opens here but is not a file to read or write.
            struct stat st;
            if (::fstat(hFile, &st) == 0 && S_ISDIR(st.st_mode)) {
                ::close(hFile);
                hFile = hFileNull;
                errno = EISDIR;
            }
        }
    } else {
        errno = EINVAL;
    }
#endif
    if (hFile == hFileNull) {
        if (pError != NULL) {
            pError->m_lOsError = LastOsError();
            pError->m_cause = CFileException::OsErrorToException(pError->m_lOsError);
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    m_strFileName = FullPath(lpszFileName);
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
#ifdef _WIN32
    DWORD dwRead = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &dwRead, NULL))
        CFileException::ThrowOsError(LastOsError(), m_strFileName);
    return (UINT)dwRead;
#else
    BYTE* pBuf = static_cast<BYTE*>(lpBuf);
    UINT nDone = 0;
    while (nDone < nCount) {
        ssize_t n = ::read(m_hFile, pBuf + nDone, nCount - nDone);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            CFileException::ThrowOsError(LastOsError(), m_strFileName);
        }
        if (n == 0)
            break;
        nDone += (UINT)n;
    }
    return nDone;
#endif
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (lpBuf == NULL)
        AfxThrowInvalidArgException();
#ifdef _WIN32
    DWORD dwWritten = 0;
    if (!::WriteFile(m_hFile, lpBuf, nCount, &dwWritten, NULL))
        CFileException::ThrowOsError(LastOsError(), m_strFileName);
    if (dwWritten != nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
#else
    const BYTE* pBuf = static_cast<const BYTE*>(lpBuf);
    UINT nDone = 0;
    while (nDone < nCount) {
        ssize_t n = ::write(m_hFile, pBuf + nDone, nCount - nDone);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            CFileException::ThrowOsError(LastOsError(), m_strFileName);
        }
        if (n == 0)
            AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
        nDone += (UINT)n;
    }
#endif
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
#ifdef _WIN32
    LARGE_INTEGER liOff, liNew;
    liOff.QuadPart = lOff;
    if (!::SetFilePointerEx(m_hFile, liOff, &liNew, (DWORD)nFrom))
        CFileException::ThrowOsError(LastOsError(), m_strFileName);
    return (ULONGLONG)liNew.QuadPart;
#else
    int nWhence = nFrom == begin ? SEEK_SET : nFrom == current ? SEEK_CUR : nFrom == end ? SEEK_END : -1;
    if (nWhence < 0)
        AfxThrowFileException(CFileException::genericException, EINVAL, m_strFileName);
    off_t nPos = ::lseek(m_hFile, (off_t)lOff, nWhence);
    if (nPos < 0) {
        LONG lError = LastOsError();
        // The only invalid argument left is a position before the start.
        if (lError == EINVAL)
            AfxThrowFileException(CFileException::badSeek, lError, m_strFileName);
        CFileException::ThrowOsError(lError, m_strFileName);
    }
    return (ULONGLONG)nPos;
#endif
}

void CFile::SeekToBegin()
{
    Seek(0, begin);
}

ULONGLONG CFile::SeekToEnd()
{
    return Seek(0, end);
}

ULONGLONG CFile::GetPosition() const
{
#ifdef _WIN32
    LARGE_INTEGER liOff, liNew;
    liOff.QuadPart = 0;
    if (!::SetFilePointerEx(m_hFile, liOff, &liNew, FILE_CURRENT))
        CFileException::ThrowOsError(LastOsError(), m_strFileName);
    return (ULONGLONG)liNew.QuadPart;
#else
    off_t nPos = ::lseek(m_hFile, 0, SEEK_CUR);
    if (nPos < 0)
        CFileException::ThrowOsError(LastOsError(), m_strFileName);
    return (ULONGLONG)nPos;
#endif
}

ULONGLONG CFile::GetLength() const
{
#ifdef _WIN32
    LARGE_INTEGER liSize;
    if (!::GetFileSizeEx(m_hFile, &liSize))
        CFileException::ThrowOsError(LastOsError(), m_strFileName);
    return (ULONGLONG)liSize.QuadPart;
#else
    struct stat st;
    if (::fstat(m_hFile, &st) != 0)
        CFileException::ThrowOsError(LastOsError(), m_strFileName);
    return (ULONGLONG)st.st_size;
#endif
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > (ULONGLONG)0x7FFFFFFFFFFFFFFFll)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    Seek((LONGLONG)dwNewLen, begin);
#ifdef _WIN32
    if (!::SetEndOfFile(m_hFile))
        CFileException::ThrowOsError(LastOsError(), m_strFileName);
#else
    int nResult;
    do {
        nResult = ::ftruncate(m_hFile, (off_t)dwNewLen);
    } while (nResult != 0 && errno == EINTR);
    if (nResult != 0)
        CFileException::ThrowOsError(LastOsError(), m_strFileName);
#endif
}

void CFile::Flush()
{
    if (m_hFile == hFileNull)
        return;
#ifdef _WIN32
    if (!::FlushFileBuffers(m_hFile))
        CFileException::ThrowOsError(LastOsError(), m_strFileName);
#else
    if (::fsync(m_hFile) != 0 && errno != EINVAL && errno != EROFS)  // pipes and the like cannot sync
        CFileException::ThrowOsError(LastOsError(), m_strFileName);
#endif
}

void CFile::Close()
{
    BOOL bError = FALSE;
    LONG lOsError = 0;
    if (m_hFile != hFileNull) {
        bError = !CloseHandleOf(m_hFile);
        if (bError)
            lOsError = LastOsError();
    }
    CString strFileName = m_strFileName;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    if (bError)
        CFileException::ThrowOsError(lOsError, strFileName);
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        CloseHandleOf(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

CString CFile::GetFileName() const
{
    return m_strFileName.Mid(NameStart(m_strFileName));
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

CString CFile::GetFileTitle() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot > 0 ? strName.Left(nDot) : strName;
}

void CFile::SetFilePath(LPCTSTR lpszNewName)
{
    m_strFileName = lpszNewName;
}

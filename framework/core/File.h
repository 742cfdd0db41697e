// CFile: unbuffered binary file over a Win32 handle (Windows) or a POSIX
// descriptor (elsewhere); CMemFile: the same interface over a memory block.
#pragma once

#include "Exception.h"
#include "Object.h"
#include "String.h"

class FRAMEWORK_API CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,  // accepted and ignored: CFile is always binary
        typeBinary = 0x8000,
        osNoBuffer = 0x10000,
        osWriteThrough = 0x20000,
        osRandomAccess = 0x40000,
        osSequentialScan = 0x80000
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

#ifdef _WIN32
    typedef HANDLE FileHandle;
#else
    typedef int FileHandle;
#endif
    static const FileHandle hFileNull;

    CFile();
    // Wraps an open handle; the object does not close it on destruction.
    explicit CFile(FileHandle hFile);
    // Opens the file or throws CFileException.
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    // Closes an open file, ignoring errors.
    virtual ~CFile();

#ifdef _WIN32
    operator HANDLE() const
    {
        return m_hFile;
    }
#endif

    // FALSE on failure, with the cause, the OS error and the name in *pError.
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);

    // Reads up to nCount bytes; fewer only at the end of the file. Throws on errors.
    virtual UINT Read(void* lpBuf, UINT nCount);
    // Writes all nCount bytes or throws (a short write is diskFull).
    virtual void Write(const void* lpBuf, UINT nCount);
    // The new position from the start of the file.
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin();
    ULONGLONG SeekToEnd();
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    // Truncates or extends the file; the position moves to the new length.
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual void Flush();
    // Closes the file; throws when the system reports an error.
    virtual void Close();
    // Closes the file and never throws.
    virtual void Abort();

    // The name part of the path, the full path, and the name without extension.
    virtual CString GetFileName() const;
    virtual CString GetFilePath() const;
#ifdef _WIN32
#    pragma push_macro("GetFileTitle")
#    undef GetFileTitle
#endif
    virtual CString GetFileTitle() const;
#ifdef _WIN32
    // What a call reads as where <windows.h> makes GetFileTitle a macro.
    CString GetFileTitleA() const
    {
        return GetFileTitle();
    }
#    pragma pop_macro("GetFileTitle")
#endif
    virtual void SetFilePath(LPCTSTR lpszNewName);

    FileHandle m_hFile;

protected:
    BOOL m_bCloseOnDelete;
    CString m_strFileName;  // full path of the open file
};

// A file in memory: growable by nGrowBytes steps, or over a caller's block.
class FRAMEWORK_API CMemFile : public CFile {
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    // With nGrowBytes 0 the block's nBufferSize bytes are the file's content and
    // it cannot grow; otherwise the file starts empty and grows out of the block.
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    virtual ~CMemFile();

    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Hands the block to the caller (free() releases it when the file allocated it).
    BYTE* Detach();

    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual void Flush();
    virtual void Close();
    virtual void Abort();

protected:
    virtual BYTE* Alloc(SIZE_T nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
    virtual void Free(BYTE* lpMem);
    virtual void GrowFile(SIZE_T dwNewLen);

    SIZE_T m_nGrowBytes;
    SIZE_T m_nPosition;
    SIZE_T m_nBufferSize;
    SIZE_T m_nFileSize;
    BYTE* m_lpBuffer;
    BOOL m_bAutoDelete;  // the block is ours to grow and free
};

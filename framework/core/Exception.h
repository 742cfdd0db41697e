// The framework's exceptions. They are thrown as pointers to heap objects and the
// catcher releases them:  catch (CFileException* e) { ...; e->Delete(); }
#pragma once

#include "Object.h"
#include "String.h"

class FRAMEWORK_API CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    CException();
    explicit CException(BOOL bAutoDelete);
    virtual ~CException() = 0;

    // Deletes the object when it was allocated to be thrown (auto-delete).
    void Delete();

    // Copies a description of the error (at most nMaxError - 1 characters and the
    // zero); FALSE when there is none.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;
#ifdef _WIN32
    // Shows the description in a message box; nMessageID is the string resource used
    // when there is no description. Returns the message box result.
    virtual int ReportError(UINT nType = 0 /* MB_OK */, UINT nMessageID = 0);
#endif

    BOOL m_bAutoDelete;
};

// An exception with a fixed description.
class FRAMEWORK_API CSimpleException : public CException {
    DECLARE_DYNAMIC(CSimpleException)
public:
    CSimpleException();
    explicit CSimpleException(BOOL bAutoDelete);
    virtual ~CSimpleException();
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;

protected:
    virtual LPCSTR GetDescription() const;
};

class FRAMEWORK_API CMemoryException : public CSimpleException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException();
    explicit CMemoryException(BOOL bAutoDelete);
    virtual ~CMemoryException();

protected:
    virtual LPCSTR GetDescription() const;
};

class FRAMEWORK_API CNotSupportedException : public CSimpleException {
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    CNotSupportedException();
    explicit CNotSupportedException(BOOL bAutoDelete);
    virtual ~CNotSupportedException();

protected:
    virtual LPCSTR GetDescription() const;
};

// Thrown to abandon an operation after the user has been told why.
class FRAMEWORK_API CUserException : public CSimpleException {
    DECLARE_DYNAMIC(CUserException)
public:
    CUserException();
    virtual ~CUserException();
};

class FRAMEWORK_API CInvalidArgException : public CSimpleException {
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    CInvalidArgException();
    explicit CInvalidArgException(BOOL bAutoDelete);
    virtual ~CInvalidArgException();

protected:
    virtual LPCSTR GetDescription() const;
};

class FRAMEWORK_API CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    CFileException(int cause = CFileException::none, LONG lOsError = -1, LPCTSTR lpszArchiveName = NULL);
    virtual ~CFileException();

    // The cause for an operating-system error code: a Win32 error code on
    // Windows, an errno value elsewhere.
    static int PASCAL OsErrorToException(LONG lOsError);
    // The cause for a C runtime errno value.
    static int PASCAL ErrnoToException(int nErrno);
    static void PASCAL ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = NULL);
    static void PASCAL ThrowErrno(int nErrno, LPCTSTR lpszFileName = NULL);

    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class FRAMEWORK_API CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum { none, genericException, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };

    CArchiveException(int cause = CArchiveException::none, LPCTSTR lpszArchiveName = NULL);
    virtual ~CArchiveException();

    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] FRAMEWORK_API void AFXAPI AfxThrowMemoryException();
[[noreturn]] FRAMEWORK_API void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] FRAMEWORK_API void AFXAPI AfxThrowInvalidArgException();
[[noreturn]] FRAMEWORK_API void AFXAPI AfxThrowUserException();
[[noreturn]] FRAMEWORK_API void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1,
                                                             LPCTSTR lpszFileName = NULL);
[[noreturn]] FRAMEWORK_API void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = NULL);

// Deletes the exception caught by a CATCH block when the block ends, unless the
// block passed it on with THROW_LAST.
struct AFX_EXCEPTION_LINK {
    CException* m_pException = nullptr;
    AFX_EXCEPTION_LINK() = default;
    AFX_EXCEPTION_LINK(const AFX_EXCEPTION_LINK&) = delete;
    AFX_EXCEPTION_LINK& operator=(const AFX_EXCEPTION_LINK&) = delete;
    ~AFX_EXCEPTION_LINK()
    {
        if (m_pException != nullptr)
            m_pException->Delete();
    }
};

#define TRY                                   \
    {                                         \
        AFX_EXCEPTION_LINK _afxExceptionLink; \
        try {
#define CATCH(class_name, e) \
    }                        \
    catch (class_name * e)   \
    {                        \
        _afxExceptionLink.m_pException = e;
#define AND_CATCH(class_name, e) CATCH(class_name, e)
#define END_CATCH \
    }             \
    }
#define CATCH_ALL(e) CATCH(CException, e)
#define AND_CATCH_ALL(e) CATCH(CException, e)
#define END_CATCH_ALL END_CATCH
#define THROW(e) throw e
#define THROW_LAST()                              \
    do {                                          \
        _afxExceptionLink.m_pException = nullptr; \
        throw;                                    \
    } while (0)

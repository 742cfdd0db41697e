// The framework's exception classes and the AfxThrow functions.
#include "Exception.h"

#ifdef _WIN32
#    include <windows.h>
#endif

#include <cerrno>
#include <cstring>
#include <new>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace {

// Copies lpszText to the caller's buffer, cut to fit; FALSE when there is no room.
BOOL CopyMessage(LPCSTR lpszText, LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    size_t nLength = std::strlen(lpszText);
    if (nLength > nMaxError - 1)
        nLength = nMaxError - 1;
    std::memcpy(lpszError, lpszText, nLength);
    lpszError[nLength] = '\0';
    return TRUE;
}

// Puts the file name (or a stand-in for a nameless file) in place of %1.
CString WithFileName(LPCSTR lpszPattern, const CString& strFileName)
{
    CString strText(lpszPattern);
    strText.Replace("%1", strFileName.IsEmpty() ? "(без имени)" : (LPCSTR)strFileName);
    return strText;
}

}  // namespace

// ---------------------------------------------------------------- CException

CException::CException() : m_bAutoDelete(TRUE) {}

CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}

CException::~CException() {}

void CException::Delete()
{
    if (m_bAutoDelete > 0)
        delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError != NULL && nMaxError > 0)
        *lpszError = '\0';
    return FALSE;
}

#ifdef _WIN32
int CException::ReportError(UINT nType, UINT nMessageID)
{
    char szMessage[512];
    CString strMessage;
    if (GetErrorMessage(szMessage, sizeof(szMessage)))
        strMessage = szMessage;
    else if (nMessageID == 0 || !strMessage.LoadString(nMessageID))
        strMessage = "Сообщение об ошибке недоступно.";
    return ::MessageBoxA(::GetActiveWindow(), strMessage, NULL, nType);
}
#endif

// ---------------------------------------------------------------- simple exceptions

CSimpleException::CSimpleException() {}

CSimpleException::CSimpleException(BOOL bAutoDelete) : CException(bAutoDelete) {}

CSimpleException::~CSimpleException() {}

BOOL CSimpleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyMessage(GetDescription(), lpszError, nMaxError, pnHelpContext);
}

LPCSTR CSimpleException::GetDescription() const
{
    return "Произошла ошибка.";
}

CMemoryException::CMemoryException() {}

CMemoryException::CMemoryException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}

CMemoryException::~CMemoryException() {}

LPCSTR CMemoryException::GetDescription() const
{
    return "Недостаточно памяти.";
}

CNotSupportedException::CNotSupportedException() {}

CNotSupportedException::CNotSupportedException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}

CNotSupportedException::~CNotSupportedException() {}

LPCSTR CNotSupportedException::GetDescription() const
{
    return "Операция не поддерживается.";
}

CUserException::CUserException() {}

CUserException::~CUserException() {}

CInvalidArgException::CInvalidArgException() {}

CInvalidArgException::CInvalidArgException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}

CInvalidArgException::~CInvalidArgException() {}

LPCSTR CInvalidArgException::GetDescription() const
{
    return "Недопустимый аргумент.";
}

// ---------------------------------------------------------------- CFileException

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName)
{
}

CFileException::~CFileException() {}

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
#ifdef _WIN32
    switch (lOsError) {
    case NO_ERROR:
        return none;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_OPEN_FAILED:
    case ERROR_MOD_NOT_FOUND:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
    case ERROR_WRONG_DISK:
    case ERROR_BUFFER_OVERFLOW:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
    case ERROR_SHARING_BUFFER_EXCEEDED:
    case ERROR_TOO_MANY_NAMES:
        return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
    case ERROR_INVALID_PASSWORD:
    case ERROR_DIR_NOT_EMPTY:
        return accessDenied;
    case ERROR_INVALID_HANDLE:
    case ERROR_INVALID_TARGET_HANDLE:
    case ERROR_NOT_DOS_DISK:
    case ERROR_BAD_FORMAT:
        return invalidFile;
    case ERROR_CURRENT_DIRECTORY:
        return removeCurrentDir;
    case ERROR_NO_SPOOL_SPACE:
    case ERROR_CANNOT_MAKE:
        return directoryFull;
    case ERROR_SEEK:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK_ON_DEVICE:
        return badSeek;
    case ERROR_BAD_UNIT:
    case ERROR_NOT_READY:
    case ERROR_BAD_COMMAND:
    case ERROR_CRC:
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_ADAP_HDW_ERR:
    case ERROR_UNEXP_NET_ERR:
    case ERROR_NET_WRITE_FAULT:
    case ERROR_IO_DEVICE:
        return hardIO;
    case ERROR_SHARING_VIOLATION:
        return sharingViolation;
    case ERROR_LOCK_VIOLATION:
    case ERROR_DRIVE_LOCKED:
    case ERROR_LOCK_FAILED:
    case ERROR_NOT_LOCKED:
        return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF:
        return endOfFile;
    default:
        return genericException;
    }
#else
    return ErrnoToException((int)lOsError);
#endif
}

int PASCAL CFileException::ErrnoToException(int nErrno)
{
    switch (nErrno) {
    case 0:
        return none;
    case ENOENT:
        return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case ENXIO:
        return badPath;
    case EMFILE:
    case ENFILE:
        return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EEXIST:
    case EISDIR:
    case ETXTBSY:
    case ENOTEMPTY:
        return accessDenied;
    case EBADF:
        return invalidFile;
    case EBUSY:
        return sharingViolation;
    case ESPIPE:
    case EOVERFLOW:
        return badSeek;
    case EIO:
    case ENODEV:
        return hardIO;
    case EDEADLK:
    case ENOLCK:
        return lockViolation;
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return diskFull;
    default:
        return genericException;
    }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    if (lOsError != 0)
        AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void PASCAL CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName)
{
    if (nErrno != 0)
        AfxThrowFileException(ErrnoToException(nErrno), nErrno, lpszFileName);
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    static const char* const s_messages[] = {
        "Ошибок не было.",
        "При обращении к файлу %1 произошла ошибка.",
        "Файл %1 не найден.",
        "Путь %1 указан неверно.",
        "Не удалось открыть %1: открыто слишком много файлов.",
        "Нет доступа к файлу %1.",
        "Неверный дескриптор файла %1.",
        "Текущую папку %1 нельзя удалить.",
        "Не удалось создать %1: папка заполнена.",
        "Ошибка позиционирования в файле %1.",
        "Аппаратная ошибка ввода-вывода при обращении к %1.",
        "Нарушение совместного доступа к %1.",
        "Нарушение блокировки при обращении к %1.",
        "Диск заполнен при записи в %1.",
        "Попытка чтения за концом файла %1.",
    };
    int nCause = m_cause;
    if (nCause < 0 || nCause >= (int)(sizeof(s_messages) / sizeof(s_messages[0])))
        nCause = genericException;
    return CopyMessage(WithFileName(s_messages[nCause], m_strFileName), lpszError, nMaxError, pnHelpContext);
}

// ---------------------------------------------------------------- CArchiveException

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

CArchiveException::~CArchiveException() {}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    static const char* const s_messages[] = {
        "Ошибок не было.",
        "Ошибка при работе с архивом %1.",
        "Попытка записи в архив %1, открытый для чтения.",
        "Неожиданный конец архива %1.",
        "Попытка чтения из архива %1, открытого для записи.",
        "Неверный формат архива %1.",
        "Неизвестный класс объекта в архиве %1.",
        "Неподдерживаемая версия объекта в архиве %1.",
    };
    int nCause = m_cause;
    if (nCause < 0 || nCause >= (int)(sizeof(s_messages) / sizeof(s_messages[0])))
        nCause = genericException;
    return CopyMessage(WithFileName(s_messages[nCause], m_strFileName), lpszError, nMaxError, pnHelpContext);
}

// ---------------------------------------------------------------- throwing

void AFXAPI AfxThrowMemoryException()
{
    // Out of memory there may be no room for a new exception: throw a static one
    // that Delete leaves alone.
    static CMemoryException s_memoryException(FALSE);
    throw &s_memoryException;
}

namespace {

template <class TException, class... TArgs>
[[noreturn]] void ThrowNew(TArgs... args)
{
    TException* pException = new (std::nothrow) TException(args...);
    if (pException == NULL)
        AfxThrowMemoryException();
    throw pException;
}

}  // namespace

void AFXAPI AfxThrowNotSupportedException()
{
    ThrowNew<CNotSupportedException>();
}

void AFXAPI AfxThrowInvalidArgException()
{
    ThrowNew<CInvalidArgException>();
}
void AFXAPI AfxThrowUserException()
{
    ThrowNew<CUserException>();
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    ThrowNew<CFileException>(cause, lOsError, lpszFileName);
}

void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    ThrowNew<CArchiveException>(cause, lpszArchiveName);
}

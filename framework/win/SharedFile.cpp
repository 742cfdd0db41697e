// CSharedFile: CMemFile storage in a global memory block. The block stays
// locked while the file holds it, so m_lpBuffer is valid between calls.
#include "win/SharedFile.h"

IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes)
    : CMemFile(nGrowBytes), m_nAllocFlags(nAllocFlags), m_hGlobalMemory(NULL), m_bAllowGrow(TRUE),
      m_nDefaultGrowBytes(nGrowBytes != 0 ? nGrowBytes : 4096)
{
    // Growing in zero steps would make the file fixed-size.
    m_nGrowBytes = m_nDefaultGrowBytes;
}

CSharedFile::~CSharedFile()
{
    // The base destructor would free through CMemFile::Free; ours must run
    // while this class's overrides are still in place.
    Close();
}

BYTE* CSharedFile::Alloc(SIZE_T nBytes)
{
    // A block taken by SetHandle with no content (size 0) is replaced.
    if (m_hGlobalMemory != NULL) {
        ::GlobalFree(m_hGlobalMemory);
        m_hGlobalMemory = NULL;
    }
    HGLOBAL hMem = ::GlobalAlloc(m_nAllocFlags, nBytes);
    if (hMem == NULL)
        return NULL;
    BYTE* lpMem = static_cast<BYTE*>(::GlobalLock(hMem));
    if (lpMem == NULL) {
        ::GlobalFree(hMem);
        return NULL;
    }
    m_hGlobalMemory = hMem;
    return lpMem;
}

BYTE* CSharedFile::Realloc(BYTE* lpMem, SIZE_T nBytes)
{
    (void)lpMem;
    if (m_hGlobalMemory == NULL)
        return Alloc(nBytes);
    // A moveable block cannot be reallocated while locked.
    ::GlobalUnlock(m_hGlobalMemory);
    HGLOBAL hNew = ::GlobalReAlloc(m_hGlobalMemory, nBytes, GMEM_MOVEABLE);
    if (hNew == NULL) {
        // The old block is intact: keep holding it as before.
        ::GlobalLock(m_hGlobalMemory);
        return NULL;
    }
    m_hGlobalMemory = hNew;
    return static_cast<BYTE*>(::GlobalLock(hNew));
}

void CSharedFile::Free(BYTE* lpMem)
{
    (void)lpMem;
    if (m_hGlobalMemory == NULL)
        return;
    ::GlobalUnlock(m_hGlobalMemory);
    ::GlobalFree(m_hGlobalMemory);
    m_hGlobalMemory = NULL;
}

HGLOBAL CSharedFile::Detach()
{
    HGLOBAL hMem = m_hGlobalMemory;
    if (hMem != NULL) {
        ::GlobalUnlock(hMem);
        // Readers take GlobalSize as the data's size; drop the growth slack.
        if (m_nFileSize != 0 && m_nFileSize < m_nBufferSize) {
            HGLOBAL hTrimmed = ::GlobalReAlloc(hMem, m_nFileSize, GMEM_MOVEABLE);
            if (hTrimmed != NULL)
                hMem = hTrimmed;
        }
    }
    m_hGlobalMemory = NULL;
    m_lpBuffer = NULL;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
    m_nGrowBytes = m_nDefaultGrowBytes;
    m_bAllowGrow = TRUE;
    return hMem;
}

void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow)
{
    if (hGlobalMemory == m_hGlobalMemory && hGlobalMemory != NULL)
        AfxThrowInvalidArgException();
    Close();
    if (hGlobalMemory == NULL)
        return;
    SIZE_T nSize = ::GlobalSize(hGlobalMemory);
    BYTE* lpMem = nSize != 0 ? static_cast<BYTE*>(::GlobalLock(hGlobalMemory)) : NULL;
    if (nSize != 0 && lpMem == NULL)
        AfxThrowMemoryException();
    m_hGlobalMemory = hGlobalMemory;
    m_lpBuffer = lpMem;
    m_nBufferSize = lpMem != NULL ? nSize : 0;
    m_nFileSize = m_nBufferSize;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
    m_bAllowGrow = bAllowGrow;
    // CMemFile refuses to grow a file whose growth step is zero.
    m_nGrowBytes = bAllowGrow ? m_nDefaultGrowBytes : 0;
}

void CSharedFile::Close()
{
    CMemFile::Close();
    // An empty block (SetHandle of a zero-size handle) has no buffer, so the
    // base did not pass it to Free.
    Free(NULL);
    m_nGrowBytes = m_nDefaultGrowBytes;
    m_bAllowGrow = TRUE;
}

void CSharedFile::Abort()
{
    Close();
}

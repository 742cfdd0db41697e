// The mapped file: Win32 file mapping on Windows, mmap elsewhere.
#include "frame/MappingFile.h"

#ifdef _WIN32
#    include <windows.h>
#else
#    include <sys/mman.h>
#    include <sys/stat.h>
#endif

IMPLEMENT_DYNAMIC(CMappingFile, CFile)

CMappingFile::CMappingFile()
    : m_hMapping(NULL), m_pView(NULL)
#ifndef _WIN32
      ,
      m_nViewSize(0)
#endif
{
}

CMappingFile::CMappingFile(const char* pszFileName, UINT nOpenFlags)
    : CFile(pszFileName, nOpenFlags), m_hMapping(NULL), m_pView(NULL)
#ifndef _WIN32
      ,
      m_nViewSize(0)
#endif
{
}

CMappingFile::~CMappingFile()
{
    // Before the base closes the file.
    CloseMap();
}

bool CMappingFile::OpenMap(UINT nFlags)
{
    CloseMap();
    if (m_hFile == hFileNull)
        return false;
    const bool bWrite = (nFlags & modeReadWrite) != 0;
#ifdef _WIN32
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(m_hFile, &size) || size.QuadPart <= 0 || size.QuadPart > 0xFFFFFFFFll)
        return false;
    const DWORD dwSize = static_cast<DWORD>(size.QuadPart);
    m_hMapping =
        ::CreateFileMappingA(m_hFile, NULL, bWrite ? (PAGE_READWRITE | SEC_COMMIT) : PAGE_READONLY, 0, dwSize, NULL);
    if (m_hMapping == NULL)
        return false;
    m_pView =
        static_cast<BYTE*>(::MapViewOfFile(m_hMapping, bWrite ? FILE_MAP_ALL_ACCESS : FILE_MAP_READ, 0, 0, dwSize));
#else
    struct stat st;
    if (::fstat(m_hFile, &st) != 0 || st.st_size <= 0 || st.st_size > 0xFFFFFFFFll)
        return false;
    const SIZE_T nSize = static_cast<SIZE_T>(st.st_size);
    // Shared, so that what is written reaches the file as it does on Windows.
    void* pView = ::mmap(NULL, nSize, bWrite ? (PROT_READ | PROT_WRITE) : PROT_READ, MAP_SHARED, m_hFile, 0);
    if (pView == MAP_FAILED)
        return false;
    m_pView = static_cast<BYTE*>(pView);
    m_nViewSize = nSize;
    m_hMapping = m_pView;
#endif
    if (m_pView == NULL) {
        CloseMap();
        return false;
    }
    return true;
}

void CMappingFile::CloseMap()
{
#ifdef _WIN32
    if (m_pView != NULL)
        ::UnmapViewOfFile(m_pView);
    if (m_hMapping != NULL)
        ::CloseHandle(m_hMapping);
#else
    if (m_pView != NULL)
        ::munmap(m_pView, m_nViewSize);
    m_nViewSize = 0;
#endif
    m_pView = NULL;
    m_hMapping = NULL;
}

void CMappingFile::Close()
{
    CloseMap();
    CFile::Close();
}

void CMappingFile::Abort()
{
    CloseMap();
    CFile::Abort();
}

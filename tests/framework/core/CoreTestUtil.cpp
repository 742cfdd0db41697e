#include "CoreTestUtil.h"

#include <cstdio>
#include <stdexcept>

#ifdef _WIN32
#    include <windows.h>
#else
#    include <stdlib.h>
#    include <unistd.h>
#endif

namespace coretest {

CTempDir::CTempDir()
{
#ifdef _WIN32
    char szTemp[MAX_PATH];
    DWORD n = ::GetTempPathA(MAX_PATH, szTemp);
    if (n == 0 || n >= MAX_PATH)
        throw std::runtime_error("no temporary folder");
    static int s_nCounter = 0;
    for (int i = 0; i < 1000; i++) {
        char szDir[MAX_PATH + 64];
        std::snprintf(szDir, sizeof(szDir), "%score_%lu_%d", szTemp, (unsigned long)::GetCurrentProcessId(),
                      ++s_nCounter);
        if (::CreateDirectoryA(szDir, NULL)) {
            m_strDir = szDir;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
#else
    char szDir[] = "/tmp/framework_core_XXXXXX";
    if (::mkdtemp(szDir) == NULL)
        throw std::runtime_error("cannot create a temporary folder");
    m_strDir = szDir;
#endif
}

CTempDir::~CTempDir()
{
    for (const std::string& strFile : m_files)
        std::remove(strFile.c_str());
#ifdef _WIN32
    ::RemoveDirectoryA(m_strDir.c_str());
#else
    ::rmdir(m_strDir.c_str());
#endif
}

CString CTempDir::Path(const char* pszName) const
{
#ifdef _WIN32
    std::string strPath = m_strDir + "\\" + pszName;
#else
    std::string strPath = m_strDir + "/" + pszName;
#endif
    m_files.push_back(strPath);
    return CString(strPath.c_str());
}

std::vector<BYTE> Bytes(CMemFile& file)
{
    ULONGLONG nPos = file.GetPosition();
    std::vector<BYTE> bytes((size_t)file.GetLength());
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), (UINT)bytes.size());
    file.Seek((LONGLONG)nPos, CFile::begin);
    return bytes;
}

void Fill(CMemFile& file, const std::vector<BYTE>& bytes)
{
    file.SetLength(0);
    file.SeekToBegin();
    if (!bytes.empty())
        file.Write(bytes.data(), (UINT)bytes.size());
    file.SeekToBegin();
}

}  // namespace coretest

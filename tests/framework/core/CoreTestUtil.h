// Helpers shared by the framework core tests: temporary files and the bytes
// of a memory file.
#pragma once

#include <string>
#include <vector>

#include <afx.h>
#ifdef _WIN32
// The tests compare with the platform's own error codes and resources.
#    include <windows.h>
#endif

namespace coretest {

// A fresh directory for one test, removed with its files at the end.
class CTempDir {
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    // The path of a file name inside the directory.
    CString Path(const char* pszName) const;

private:
    std::string m_strDir;
    mutable std::vector<std::string> m_files;
};

// The whole content of a memory file; the position is left unchanged.
std::vector<BYTE> Bytes(CMemFile& file);

// A memory file holding the given bytes, positioned at the start.
void Fill(CMemFile& file, const std::vector<BYTE>& bytes);

}  // namespace coretest

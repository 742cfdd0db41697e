#include "checksum/CheckBase.h"

#include <afx.h>

#include <memory>

namespace {
// Chunk size for a whole file named by path.
const DWORD c_nFileChunk = 2048;
}  // namespace

COXCheckBase::COXCheckBase(DWORD nWidth) : m_nValue(0xFFFFFFFF), m_nWidth(nWidth) {}

COXCheckBase::~COXCheckBase() {}

DWORD COXCheckBase::ChecksumBlock(const BYTE* pData, DWORD nLength)
{
    return ChecksumBlock(pData, nLength, m_nValue);
}

DWORD COXCheckBase::ChecksumFile(CString strPath)
{
    CFile file;
    CFileException error;
    if (!file.Open(strPath, CFile::modeRead | CFile::shareDenyWrite, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, strPath);

    DWORD nResult;
    try {
        nResult = ChecksumFile(&file, 0xFFFFFFFF, c_nFileChunk);
    } catch (...) {
        file.Abort();
        throw;
    }
    file.Close();
    return nResult;
}

DWORD COXCheckBase::ChecksumFile(CFile* pFile, DWORD nLength, DWORD nBufferSize)
{
    const DWORD nEntryValue = m_nValue;
    // A zero chunk would read nothing forever; read in the usual chunks instead.
    if (nBufferSize == 0)
        nBufferSize = c_nFileChunk;
    DWORD nChunk = nBufferSize < nLength ? nBufferSize : nLength;
    if (nChunk == 0)
        return m_nValue;

    std::unique_ptr<BYTE[]> buffer(new BYTE[nChunk]);
    DWORD nLeft = nLength;
    try {
        for (;;) {
            UINT nRead = pFile->Read(buffer.get(), nChunk);
            // A reader that claims more than it was asked for is believed no further.
            if (nRead > nChunk)
                nRead = nChunk;
            ChecksumBlock(buffer.get(), nRead);
            nLeft -= nRead;
            if (nLeft == 0 || nRead < nChunk)
                break;
            if (nLeft < nChunk)
                nChunk = nLeft;
        }
    } catch (...) {
        m_nValue = nEntryValue;
        throw;
    }
    return m_nValue;
}

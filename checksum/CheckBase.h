// COXCheckBase: the running value and the file operations shared by the
// checksum and CRC classes. Each concrete class defines the block arithmetic;
// the file operations feed a file through it in chunks.
#pragma once

#include <afx.h>

class CFile;

class COXCheckBase : public CObject {
public:
    virtual ~COXCheckBase();

    // Sets m_nValue to nStart, takes the nLength bytes at pData in order and
    // returns the result in the class's width.
    virtual DWORD ChecksumBlock(const BYTE* pData, DWORD nLength, DWORD nStart) = 0;
    // Continues from the current m_nValue.
    virtual DWORD ChecksumBlock(const BYTE* pData, DWORD nLength);
    // The whole file, continuing from m_nValue. Throws CFileException (with the
    // open's cause, system error and the path) when it cannot be opened.
    virtual DWORD ChecksumFile(CString strPath);
    // Up to nLength bytes (0xFFFFFFFF: the rest) from the current position, read
    // in chunks of at most nBufferSize bytes. When a read throws, m_nValue gets
    // back its value on entry and the exception passes on.
    virtual DWORD ChecksumFile(CFile* pFile, DWORD nLength, DWORD nBufferSize);

    DWORD m_nValue;  // running value; 0xFFFFFFFF after construction
    DWORD m_nWidth;  // 1: 8 bits, 2: 16 bits, 3: 32 bits

protected:
    explicit COXCheckBase(DWORD nWidth);
};

// Adding the bytes one by one into the low bits equals adding their total once,
// so the block is summed by the fastest path and the total applied in the width.
#include "checksum/CheckSum.h"

#include "checksum/CrcEngine.h"

COXCheckSum8::COXCheckSum8() : COXCheckBase(1) {}

COXCheckSum8::~COXCheckSum8() {}

DWORD COXCheckSum8::ChecksumBlock(const BYTE* pData, DWORD nLength, DWORD nStart)
{
    const DWORD nTotal = nLength ? SumBytes(pData, nLength) : 0;
    m_nValue = (nStart & 0xFFFFFF00u) | ((nStart + nTotal) & 0xFFu);
    return m_nValue & 0xFFu;
}

COXCheckSum16::COXCheckSum16() : COXCheckBase(2) {}

COXCheckSum16::~COXCheckSum16() {}

DWORD COXCheckSum16::ChecksumBlock(const BYTE* pData, DWORD nLength, DWORD nStart)
{
    const DWORD nTotal = nLength ? SumBytes(pData, nLength) : 0;
    m_nValue = (nStart & 0xFFFF0000u) | ((nStart + nTotal) & 0xFFFFu);
    return m_nValue & 0xFFFFu;
}

COXCheckSum32::COXCheckSum32() : COXCheckBase(3) {}

COXCheckSum32::~COXCheckSum32() {}

DWORD COXCheckSum32::ChecksumBlock(const BYTE* pData, DWORD nLength, DWORD nStart)
{
    m_nValue = nStart + (nLength ? SumBytes(pData, nLength) : 0);
    return m_nValue;
}

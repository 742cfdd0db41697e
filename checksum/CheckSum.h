// Additive checksums of 8, 16 and 32 bits: each byte is added to the low 8, 16
// or all 32 bits of the running value; the bits above the width stay as they were.
#pragma once

#include "checksum/CheckBase.h"

class COXCheckSum8 : public COXCheckBase {
public:
    COXCheckSum8();
    virtual ~COXCheckSum8();

    using COXCheckBase::ChecksumBlock;
    virtual DWORD ChecksumBlock(const BYTE* pData, DWORD nLength, DWORD nStart);
};

class COXCheckSum16 : public COXCheckBase {
public:
    COXCheckSum16();
    virtual ~COXCheckSum16();

    using COXCheckBase::ChecksumBlock;
    virtual DWORD ChecksumBlock(const BYTE* pData, DWORD nLength, DWORD nStart);
};

class COXCheckSum32 : public COXCheckBase {
public:
    COXCheckSum32();
    virtual ~COXCheckSum32();

    using COXCheckBase::ChecksumBlock;
    virtual DWORD ChecksumBlock(const BYTE* pData, DWORD nLength, DWORD nStart);
};

// Differential check of the checksum engine: every fast path, through the
// classes and through the engine's chosen paths, against byte-at-a-time
// definitions written here, for a polynomial, start value, alignment, split
// point and data all taken from the input. Any difference aborts.
//
// Input: poly32[4] start32[4] offset[1] split[2] repeat[1] data...
// The data is laid out `offset` bytes past a 64-byte boundary and repeated
// `repeat` times (at most 20 KiB in all), so that short inputs still reach the
// long-block paths.
#include "checksum/CRC.h"
#include "checksum/CheckSum.h"
#include "checksum/CrcEngine.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {
const size_t c_nMaxData = 20 * 1024;  // past the longest stride of the slicing path (4 x 4096)
// The classes cache every polynomial's tables for good; past this many the
// class check takes the polynomials already cached (the engine check still
// takes every polynomial).
const int c_nMaxCachedTables = 512;

void Fail(const char* pszWhat, uint32_t nPoly, uint32_t nStart, size_t nLength, uint32_t nGot, uint32_t nWant)
{
    fprintf(stderr, "checksum mismatch: %s poly=%08X start=%08X length=%zu got=%08X want=%08X\n", pszWhat,
            (unsigned)nPoly, (unsigned)nStart, nLength, (unsigned)nGot, (unsigned)nWant);
    abort();
}

void Expect(const char* pszWhat, uint32_t nPoly, uint32_t nStart, size_t nLength, uint32_t nGot, uint32_t nWant)
{
    if (nGot != nWant)
        Fail(pszWhat, nPoly, nStart, nLength, nGot, nWant);
}

// The tables bit by bit, from the definitions.
void Table16(uint16_t nPoly, WORD* t)
{
    for (unsigned i = 0; i < 256; ++i) {
        unsigned c = i << 8;
        for (int k = 0; k < 8; ++k)
            c = (c & 0x8000) ? ((c << 1) ^ nPoly) & 0xFFFF : (c << 1) & 0xFFFF;
        t[i] = (WORD)c;
    }
}

void Table32(uint32_t nPoly, DWORD* t)
{
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? (c >> 1) ^ nPoly : c >> 1;
        t[i] = c;
    }
}

uint16_t Crc16(const WORD* t, uint16_t c, const uint8_t* p, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c = (uint16_t)((c << 8) ^ t[((c >> 8) ^ p[i]) & 0xFF]);
    return c;
}

uint32_t Crc32(const DWORD* t, uint32_t c, const uint8_t* p, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        c = (c >> 8) ^ t[(c ^ p[i]) & 0xFF];
    return c;
}

// The low bits given by nMask take each byte; the bits above stay.
uint32_t Sum(uint32_t nMask, uint32_t nValue, const uint8_t* p, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        nValue = (nValue & ~nMask) | ((nValue + p[i]) & nMask);
    return nValue;
}

template <class TList, class T>
T ClassPolynomial(const TList& list, T nPoly)
{
    if (list.GetCount() < c_nMaxCachedTables)
        return nPoly;
    // One of the cached ones, still chosen by the input.
    int nIndex = (int)(nPoly % (T)list.GetCount());
    const typename TList::CRCTable* pTable = list.GetHead();
    while (nIndex-- > 0)
        pTable = pTable->m_pNext;
    return pTable->m_nPoly;
}

// The fast-path data of the last polynomial: most inputs keep the header and
// change the data, and building it is the slowest step under instrumentation.
template <class T>
const CCrcAccel<T>* AccelFor(const T* pTable, T nPoly)
{
    static std::unique_ptr<CCrcAccel<T>> s_pAccel;
    static T s_nPoly;
    if (!s_pAccel || s_nPoly != nPoly) {
        if (!s_pAccel)
            s_pAccel.reset(new CCrcAccel<T>());
        CrcBuildAccel(*s_pAccel, pTable, nPoly);
        s_nPoly = nPoly;
    }
    return s_pAccel.get();
}

const ECrcPath c_aCrcPaths[] = {crcPathBytewise, crcPathSlicing, crcPathPclmul, crcPathVpclmul};
const ESumPath c_aSumPaths[] = {sumPathBytewise, sumPathPortable, sumPathSse2, sumPathAvx2};
const char* const c_aCrcPathNames[] = {"bytewise", "slicing", "pclmul", "vpclmul"};
const char* const c_aSumPathNames[] = {"sum bytewise", "sum portable", "sum sse2", "sum avx2"};

void CheckCrc32(uint32_t nPoly, uint32_t nStart, const uint8_t* p, size_t n, size_t nSplit)
{
    DWORD aTable[256];
    Table32(nPoly, aTable);
    const uint32_t nWant = Crc32(aTable, nStart, p, n);

    // The engine's paths over tables built here.
    const CCrc32Accel* const pAccel = AccelFor(aTable, (DWORD)nPoly);
    for (size_t i = 0; i < 4; ++i) {
        Expect(c_aCrcPathNames[i], nPoly, nStart, n, CrcUpdatePath(*pAccel, nStart, p, n, c_aCrcPaths[i]), nWant);
        // Continuing from a split equals one pass.
        const DWORD nFirst = CrcUpdatePath(*pAccel, nStart, p, nSplit, c_aCrcPaths[i]);
        Expect(c_aCrcPathNames[i], nPoly, nStart, n,
               CrcUpdatePath(*pAccel, nFirst, p + nSplit, n - nSplit, c_aCrcPaths[i]), nWant);
    }
    Expect("CrcUpdate", nPoly, nStart, n, CrcUpdate(*pAccel, nStart, p, n), nWant);
    Expect("CrcBytewise", nPoly, nStart, n, CrcBytewise(aTable, nStart, p, n), nWant);

    // The class, through its cached table.
    const DWORD nClassPoly = ClassPolynomial(COXCRC32::GetTableList(), (DWORD)nPoly);
    DWORD aClassTable[256];
    Table32(nClassPoly, aClassTable);
    const uint32_t nClassWant = Crc32(aClassTable, nStart, p, n);
    COXCRC32 crc(nClassPoly);
    if (memcmp(crc.GetTable(), aClassTable, sizeof(aClassTable)) != 0)
        Fail("COXCRC32 table", nClassPoly, 0, 0, 0, 0);
    Expect("COXCRC32 3 args", nClassPoly, nStart, n, crc.ChecksumBlock(p, (DWORD)n, nStart), nClassWant);
    Expect("COXCRC32 m_nValue", nClassPoly, nStart, n, crc.m_nValue, nClassWant);
    crc.m_nValue = nStart;
    crc.ChecksumBlock(p, (DWORD)nSplit);
    Expect("COXCRC32 2 args", nClassPoly, nStart, n, crc.ChecksumBlock(p + nSplit, (DWORD)(n - nSplit)), nClassWant);
}

void CheckCrc16(uint16_t nPoly, uint32_t nStart, const uint8_t* p, size_t n, size_t nSplit)
{
    WORD aTable[256];
    Table16(nPoly, aTable);
    const uint16_t nWant = Crc16(aTable, (uint16_t)nStart, p, n);

    const CCrc16Accel* const pAccel = AccelFor(aTable, (WORD)nPoly);
    for (size_t i = 0; i < 4; ++i) {
        Expect(c_aCrcPathNames[i], nPoly, nStart, n, CrcUpdatePath(*pAccel, (WORD)nStart, p, n, c_aCrcPaths[i]), nWant);
        const WORD nFirst = CrcUpdatePath(*pAccel, (WORD)nStart, p, nSplit, c_aCrcPaths[i]);
        Expect(c_aCrcPathNames[i], nPoly, nStart, n,
               CrcUpdatePath(*pAccel, nFirst, p + nSplit, n - nSplit, c_aCrcPaths[i]), nWant);
    }
    Expect("CrcUpdate 16", nPoly, nStart, n, CrcUpdate(*pAccel, (WORD)nStart, p, n), nWant);
    Expect("CrcBytewise 16", nPoly, nStart, n, CrcBytewise(aTable, (WORD)nStart, p, n), nWant);

    const WORD nClassPoly = ClassPolynomial(COXCRC16::GetTableList(), (WORD)nPoly);
    WORD aClassTable[256];
    Table16(nClassPoly, aClassTable);
    const uint16_t nClassWant = Crc16(aClassTable, (uint16_t)nStart, p, n);
    COXCRC16 crc(nClassPoly);
    if (memcmp(crc.GetTable(), aClassTable, sizeof(aClassTable)) != 0)
        Fail("COXCRC16 table", nClassPoly, 0, 0, 0, 0);
    // The result is 16 bits; the running value keeps the start's upper bits.
    Expect("COXCRC16 3 args", nClassPoly, nStart, n, crc.ChecksumBlock(p, (DWORD)n, nStart), nClassWant);
    Expect("COXCRC16 m_nValue", nClassPoly, nStart, n, crc.m_nValue, (nStart & 0xFFFF0000u) | nClassWant);
    crc.m_nValue = nStart;
    crc.ChecksumBlock(p, (DWORD)nSplit);
    Expect("COXCRC16 2 args", nClassPoly, nStart, n, crc.ChecksumBlock(p + nSplit, (DWORD)(n - nSplit)), nClassWant);
    Expect("COXCRC16 2 args m_nValue", nClassPoly, nStart, n, crc.m_nValue, (nStart & 0xFFFF0000u) | nClassWant);
}

void CheckSums(uint32_t nStart, const uint8_t* p, size_t n, size_t nSplit)
{
    const uint32_t nTotal = Sum(0xFFFFFFFFu, 0, p, n);
    for (size_t i = 0; i < 4; ++i) {
        Expect(c_aSumPathNames[i], 0, 0, n, SumBytesPath(p, n, c_aSumPaths[i]), nTotal);
        Expect(c_aSumPathNames[i], 0, 0, n,
               SumBytesPath(p, nSplit, c_aSumPaths[i]) + SumBytesPath(p + nSplit, n - nSplit, c_aSumPaths[i]), nTotal);
    }
    Expect("SumBytes", 0, 0, n, SumBytes(p, n), nTotal);

    COXCheckSum8 sum8;
    COXCheckSum16 sum16;
    COXCheckSum32 sum32;
    COXCheckBase* const apSums[3] = {&sum8, &sum16, &sum32};
    const uint32_t aMask[3] = {0xFFu, 0xFFFFu, 0xFFFFFFFFu};
    const char* const aName[3] = {"COXCheckSum8", "COXCheckSum16", "COXCheckSum32"};
    for (int i = 0; i < 3; ++i) {
        const uint32_t nWant = Sum(aMask[i], nStart, p, n);
        Expect(aName[i], 0, nStart, n, apSums[i]->ChecksumBlock(p, (DWORD)n, nStart), nWant & aMask[i]);
        Expect(aName[i], 0, nStart, n, apSums[i]->m_nValue, nWant);
        apSums[i]->m_nValue = nStart;
        apSums[i]->ChecksumBlock(p, (DWORD)nSplit);
        apSums[i]->ChecksumBlock(p + nSplit, (DWORD)(n - nSplit));
        Expect(aName[i], 0, nStart, n, apSums[i]->m_nValue, nWant);
    }
    Expect("Sum8Bytewise", 0, nStart, n, Sum8Bytewise(nStart, p, n), Sum(0xFF, nStart, p, n));
    Expect("Sum16Bytewise", 0, nStart, n, Sum16Bytewise(nStart, p, n), Sum(0xFFFF, nStart, p, n));
    Expect("Sum32Bytewise", 0, nStart, n, Sum32Bytewise(nStart, p, n), Sum(0xFFFFFFFFu, nStart, p, n));
}

uint32_t Load32(const uint8_t* p)
{
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pInput, size_t nSize)
{
    uint8_t aHeader[12] = {};
    memcpy(aHeader, pInput, nSize < sizeof(aHeader) ? nSize : sizeof(aHeader));
    const size_t nHeader = nSize < sizeof(aHeader) ? nSize : sizeof(aHeader);
    const uint32_t nPoly = Load32(aHeader);
    const uint32_t nStart = Load32(aHeader + 4);
    const size_t nOffset = aHeader[8] % 64;
    const size_t nSplitSeed = (size_t)aHeader[9] | ((size_t)aHeader[10] << 8);
    const size_t nRepeat = 1 + aHeader[11];

    const uint8_t* const pData = pInput + nHeader;
    const size_t nData = nSize - nHeader;
    size_t nLength = nData * nRepeat;
    if (nLength > c_nMaxData)
        nLength = c_nMaxData;

    // A block of its own ending right after the data, so that the address
    // checks catch any read past it, and starting on a 64-byte boundary.
    void* pBlock = NULL;
    if (posix_memalign(&pBlock, 64, nOffset + nLength) != 0 || pBlock == NULL)
        return 0;
    std::unique_ptr<void, void (*)(void*)> block(pBlock, free);
    uint8_t* const p = static_cast<uint8_t*>(pBlock) + nOffset;
    for (size_t i = 0; i < nLength; ++i)
        p[i] = pData[i % nData];
    const size_t nSplit = nLength == 0 ? 0 : nSplitSeed % (nLength + 1);

    CheckCrc32(nPoly, nStart, p, nLength, nSplit);
    CheckCrc16((uint16_t)nPoly, nStart, p, nLength, nSplit);
    CheckSums(nStart, p, nLength, nSplit);
    return 0;
}

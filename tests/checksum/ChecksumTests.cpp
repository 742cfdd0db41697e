// The checksum classes: known values, the running value between calls, the
// widths, and the shared CRC tables.
#include "Reference.h"

#include "checksum/CRC.h"
#include "checksum/CheckSum.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {
const BYTE c_aDigits[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};

std::vector<BYTE> RandomBytes(size_t n, unsigned nSeed)
{
    std::mt19937 rng(nSeed);
    std::vector<BYTE> v(n);
    for (BYTE& b : v)
        b = (BYTE)rng();
    return v;
}
}  // namespace

TEST(CheckSum, KnownValuesOfEveryClass)
{
    // Each class over the nine digits and over nothing: from a fresh object,
    // and from a given start, whose bits above the width stay.
    COXCheckSum8 s8;
    COXCheckSum16 s16;
    COXCheckSum32 s32;
    COXCRC16 ccitt(0x1021), ibm(0x8005);
    COXCRC32 c32(0xEDB88320);
    struct {
        COXCheckBase* pCheck;
        DWORD nWidth;
        DWORD nFresh;                   // the digits from a fresh object
        DWORD nStart, nResult, nValue;  // the digits from nStart
        DWORD nEmpty, nEmptyValue;      // nothing from 0x12345678
    } const aCases[] = {
        // 0x10 + 477 = 0x1ED: the carry out of the low byte is lost, not added above.
        {&s8, 1, 0xDC, 0xABCDEF10, 0xED, 0xABCDEFED, 0x78, 0x12345678},
        {&s16, 2, 0x01DC, 0x1234FFFF, 0x01DC, 0x123401DC, 0x5678, 0x12345678},
        {&s32, 3, 0x000001DC, 0xFFFFFFF0, 0x000001CD, 0x000001CD, 0x12345678, 0x12345678},
        {&ccitt, 2, 0x29B1, 0xABCDFFFF, 0x29B1, 0xABCD29B1, 0x5678, 0x12345678},
        {&ibm, 2, 0xAEE7, 0xFFFF, 0xAEE7, 0xAEE7, 0x5678, 0x12345678},
        {&c32, 3, 0x340BC6D9, 0xFFFFFFFF, 0x340BC6D9, 0x340BC6D9, 0x12345678, 0x12345678},
    };
    for (const auto& c : aCases) {
        SCOPED_TRACE(&c - aCases);
        EXPECT_EQ(0xFFFFFFFFu, c.pCheck->m_nValue);
        EXPECT_EQ(c.nWidth, c.pCheck->m_nWidth);
        EXPECT_EQ(c.nFresh, c.pCheck->ChecksumBlock(c_aDigits, 9));
        EXPECT_EQ(c.nResult, c.pCheck->ChecksumBlock(c_aDigits, 9, c.nStart));
        EXPECT_EQ(c.nValue, c.pCheck->m_nValue);
        EXPECT_EQ(c.nEmpty, c.pCheck->ChecksumBlock(c_aDigits, 0, 0x12345678));
        EXPECT_EQ(c.nEmptyValue, c.pCheck->m_nValue);
        EXPECT_EQ(c.nEmpty, c.pCheck->ChecksumBlock(NULL, 0, 0x12345678));
    }
    EXPECT_EQ(0xDDu, s8.ChecksumBlock(c_aDigits, 9, 0));
    EXPECT_EQ(0xCBF43926u, ~c32.ChecksumBlock(c_aDigits, 9, 0xFFFFFFFF));  // the usual check value, inverted
    COXCRC16 fresh(0x1021);
    fresh.ChecksumBlock(c_aDigits, 9);
    EXPECT_EQ(0xFFFF29B1u, fresh.m_nValue);  // a fresh CRC-16 continues from 0xFFFF and keeps the bits above
}

TEST(CheckSum, SumsOfLargeBlocksFollowTheByteRule)
{
    // Long enough for the vector paths, with an odd tail; many wraps of each width.
    const std::vector<BYTE> data = RandomBytes(100003, 7);
    const DWORD n = (DWORD)data.size();
    for (DWORD nStart : {0u, 0xFFFFFFFFu, 0x8000FF7Fu}) {
        COXCheckSum8 s8;
        COXCheckSum16 s16;
        COXCheckSum32 s32;
        s8.ChecksumBlock(data.data(), n, nStart);
        s16.ChecksumBlock(data.data(), n, nStart);
        EXPECT_EQ(reference::Sum(0xFF, nStart, data.data(), n), s8.m_nValue);
        EXPECT_EQ(reference::Sum(0xFFFF, nStart, data.data(), n), s16.m_nValue);
        EXPECT_EQ(reference::Sum(0xFFFFFFFF, nStart, data.data(), n), s32.ChecksumBlock(data.data(), n, nStart));
    }
}

TEST(Crc, BlockByBlockEqualsOneBlock)
{
    const std::vector<BYTE> data = RandomBytes(50000, 11);
    const DWORD n = (DWORD)data.size();
    COXCRC32 whole(0x82F63B78), parts(0x82F63B78);
    COXCRC16 parts16(0x8005);
    parts.m_nValue = parts16.m_nValue = 0x5555AAAA;
    const size_t aCuts[] = {0, 1, 17, 300, 4096, 4097, 20000, 50000};
    for (size_t i = 1; i < sizeof(aCuts) / sizeof(aCuts[0]); ++i) {
        parts.ChecksumBlock(data.data() + aCuts[i - 1], (DWORD)(aCuts[i] - aCuts[i - 1]));
        parts16.ChecksumBlock(data.data() + aCuts[i - 1], (DWORD)(aCuts[i] - aCuts[i - 1]));
    }
    EXPECT_EQ(whole.ChecksumBlock(data.data(), n, 0x5555AAAA), parts.m_nValue);
    EXPECT_EQ(reference::Crc32(0x82F63B78, 0x5555AAAA, data.data(), n), parts.m_nValue);
    EXPECT_EQ(reference::Crc16(0x8005, 0x5555AAAA, data.data(), n), parts16.m_nValue);
}

TEST(Crc, SamePolynomialSharesOneTable)
{
    // Polynomials no other test uses, so the counts below are this test's own.
    const int n32 = COXCRC32::GetTableList().GetCount(), n16 = COXCRC16::GetTableList().GetCount();
    COXCRC32 a(0x0BADF00D), b(0x0BADF00D), c(0x0BADF00E);
    COXCRC16 d(0x4C11), e(0x4C11), f(0x4C12);
    EXPECT_EQ(a.GetTable(), b.GetTable());
    EXPECT_NE(a.GetTable(), c.GetTable());
    EXPECT_EQ(n32 + 2, COXCRC32::GetTableList().GetCount());
    EXPECT_EQ(d.GetTable(), e.GetTable());
    EXPECT_NE(d.GetTable(), f.GetTable());
    EXPECT_EQ(n16 + 2, COXCRC16::GetTableList().GetCount());
    // New tables go to the end of the list, and each records its polynomial.
    const COXCRC32::CTableList::CRCTable* pLast = COXCRC32::GetTableList().GetHead();
    while (pLast->m_pNext != NULL)
        pLast = pLast->m_pNext;
    EXPECT_EQ(0x0BADF00Eu, pLast->m_nPoly);
    EXPECT_EQ(c.GetTable(), pLast->m_aEntries);
}

// A class that supplies only the block arithmetic gets the rest from the base,
// which must reach it through the virtual block operation.
class CXorCheck : public COXCheckBase {
public:
    CXorCheck() : COXCheckBase(3) {}
    using COXCheckBase::ChecksumBlock;
    virtual DWORD ChecksumBlock(const BYTE* pData, DWORD nLength, DWORD nStart)
    {
        ++m_nCalls;
        m_nValue = nStart;
        for (DWORD i = 0; i < nLength; ++i)
            m_nValue = (m_nValue << 1 | m_nValue >> 31) ^ pData[i];
        return m_nValue;
    }
    int m_nCalls = 0;
};

TEST(CheckBase, TwoArgumentBlockContinuesThroughTheVirtualOperation)
{
    CXorCheck check;
    COXCheckBase& base = check;
    base.m_nValue = 7;
    const DWORD nResult = base.ChecksumBlock(c_aDigits, 3);
    EXPECT_EQ(1, check.m_nCalls);
    EXPECT_EQ(((((7u << 1) ^ '1') << 1 ^ '2') << 1) ^ '3', nResult);
}

// Every way of computing a block gives bit-for-bit the byte-at-a-time result,
// for any polynomial, length, alignment and start value.
#include "Reference.h"

#include "checksum/CRC.h"
#include "checksum/CheckSum.h"
#include "checksum/CrcEngine.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

namespace {
const ECrcPath c_aPaths[] = {crcPathBytewise, crcPathSlicing, crcPathPclmul, crcPathVpclmul};
const char* const c_aPathNames[] = {"bytewise", "slicing", "pclmul", "vpclmul"};

class CrcPaths : public ::testing::Test {
protected:
    CrcPaths() : m_rng(20240601), m_data(3 * 1024 * 1024 + 77)
    {
        for (BYTE& b : m_data)
            b = (BYTE)m_rng();
    }

    // Lengths around every threshold of the paths (fold block sizes, stream
    // groups), a few large ones, and random ones.
    std::vector<size_t> Lengths()
    {
        std::vector<size_t> v = {0,    1,    2,    3,    4,     7,     8,     15,    16,       17,   31,   32,
                                 33,   63,   64,   65,   79,    80,    127,   128,   129,      143,  144,  255,
                                 256,  257,  271,  383,  384,   385,   511,   512,   1023,     1024, 2047, 2048,
                                 2049, 4095, 4096, 4097, 16383, 16384, 16385, 20000, 65536 + 3};
        for (int i = 0; i < 60; ++i)
            v.push_back(m_rng() % 9000);
        for (int i = 0; i < 4; ++i)
            v.push_back(m_rng() % (m_data.size() - 64));
        v.push_back(m_data.size() - 64);
        return v;
    }

    // Every path against the definition, from random starts and alignments.
    template <class T>
    void CheckPolynomial(T nPoly, const std::vector<size_t>& lengths, const BYTE* pData)
    {
        std::unique_ptr<CCrcAccel<T>> accel(new CCrcAccel<T>());
        const std::vector<uint32_t> t32 = reference::Table32((uint32_t)nPoly);
        const std::vector<uint16_t> t16 = reference::Table16((uint16_t)nPoly);
        std::vector<T> table(256);
        for (int i = 0; i < 256; ++i)
            table[i] = sizeof(T) == 4 ? (T)t32[i] : (T)t16[i];
        CrcBuildAccel(*accel, table.data(), nPoly);
        for (size_t n : lengths) {
            const size_t nOffset = m_rng() % 64;
            const T nStart = (T)m_rng();
            const BYTE* p = pData + nOffset;
            const T nExpected = sizeof(T) == 4 ? (T)reference::Crc32((uint32_t)nPoly, nStart, p, n)
                                               : (T)reference::Crc16((uint16_t)nPoly, nStart, p, n);
            // An unavailable path falls back to slicing, which must be right as well.
            for (int e = 0; e < 4; ++e)
                ASSERT_EQ(nExpected, CrcUpdatePath(*accel, nStart, p, n, c_aPaths[e]))
                    << "width " << 8 * sizeof(T) << " polynomial " << std::hex << (unsigned)nPoly << std::dec
                    << " length " << n << " offset " << nOffset << " path " << c_aPathNames[e];
            ASSERT_EQ(nExpected, CrcUpdate(*accel, nStart, p, n));
        }
    }

    std::mt19937 m_rng;
    std::vector<BYTE> m_data;
};
}  // namespace

TEST_F(CrcPaths, AllPathsMatchTheDefinition)
{
    const std::vector<size_t> lengths = Lengths();
    std::vector<DWORD> polys32 = {0xEDB88320, 0x82F63B78, 0x00000001, 0x80000000, 0x00000000, 0xFFFFFFFF};
    std::vector<WORD> polys16 = {0x8005, 0x1021, 0x0001, 0x8000, 0x0000, 0xFFFF};
    for (int i = 0; i < 4; ++i) {
        polys32.push_back((DWORD)m_rng());
        polys16.push_back((WORD)m_rng());
    }
    for (DWORD nPoly : polys32)
        CheckPolynomial<DWORD>(nPoly, lengths, m_data.data());
    for (WORD nPoly : polys16)
        CheckPolynomial<WORD>(nPoly, lengths, m_data.data());
}

TEST_F(CrcPaths, UniformDataMatchesTheDefinition)
{
    // All-zero and all-one blocks make every fold step cancel or carry the most.
    const std::vector<size_t> lengths = {64, 1000, 70000};
    for (BYTE nFill : {(BYTE)0x00, (BYTE)0xFF}) {
        const std::vector<BYTE> data(70064, nFill);
        CheckPolynomial<DWORD>(0xEDB88320, lengths, data.data());
        CheckPolynomial<WORD>(0x1021, lengths, data.data());
    }
}

TEST_F(CrcPaths, SumPathsMatchTheDefinition)
{
    const ESumPath aPaths[] = {sumPathBytewise, sumPathPortable, sumPathSse2, sumPathAvx2};
    std::vector<size_t> lengths = Lengths();
    // The portable path empties its lanes every 1024 bytes; all-0xFF data fills them most.
    std::vector<BYTE> ones(5000, 0xFF);
    for (size_t n : lengths) {
        const size_t nOffset = m_rng() % 64;
        const BYTE* p = m_data.data() + nOffset;
        const uint32_t nExpected = reference::Sum(0xFFFFFFFF, 0, p, n);
        for (ESumPath e : aPaths) {
            if (!SumPathAvailable(e))
                continue;
            ASSERT_EQ(nExpected, SumBytesPath(p, n, e)) << "length " << n << " path " << (int)e;
            if (n <= ones.size()) {
                ASSERT_EQ(255u * n, SumBytesPath(ones.data(), n, e)) << "length " << n << " path " << (int)e;
            }
        }
        ASSERT_EQ(nExpected, SumBytes(p, n));
        const DWORD nStart = m_rng();
        ASSERT_EQ(reference::Sum(0xFF, nStart, p, n), Sum8Bytewise(nStart, p, n));
        ASSERT_EQ(reference::Sum(0xFFFF, nStart, p, n), Sum16Bytewise(nStart, p, n));
        ASSERT_EQ(reference::Sum(0xFFFFFFFF, nStart, p, n), Sum32Bytewise(nStart, p, n));
    }
}

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
TEST(CrcPathChoice, FoldingIsUsedWhereTheProcessorHasIt)
{
    // Asked independently of the library's own detection.
    __builtin_cpu_init();
    if (__builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1") && __builtin_cpu_supports("ssse3")) {
        EXPECT_TRUE(CrcPathAvailable(crcPathPclmul));
        EXPECT_TRUE(CrcBestPath() == crcPathPclmul || CrcBestPath() == crcPathVpclmul);
    }
    if (__builtin_cpu_supports("avx2")) {
        EXPECT_TRUE(SumPathAvailable(sumPathAvx2));
    }
    if (CrcPathAvailable(crcPathVpclmul)) {
        EXPECT_EQ(crcPathVpclmul, CrcBestPath());
    }
}
#endif

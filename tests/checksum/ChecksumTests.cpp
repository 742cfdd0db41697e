// The checksum classes beyond their values, which tests/data/checksum.txt
// holds: every fast path against the byte-at-a-time definition, the running
// value between calls and above the width, the shared tables, the base's
// virtual operations, and the file operations with their failures.
#include "checksum/CRC.h"
#include "checksum/CheckSum.h"
#include "checksum/CrcEngine.h"

#include "ToolRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <vector>

namespace {
std::vector<BYTE> RandomBytes(size_t n, unsigned nSeed)
{
    std::mt19937 rng(nSeed);
    std::vector<BYTE> v(n);
    for (BYTE& b : v)
        b = (BYTE)rng();
    return v;
}

// Every path of one polynomial against the definition over the table, from
// random starts and alignments; a path the processor lacks falls back to slicing.
template <class T>
void CheckCrcPaths(const T* pTable, T nPoly, const std::vector<BYTE>& data, const std::vector<size_t>& lengths,
                   std::mt19937& rng)
{
    std::unique_ptr<CCrcAccel<T>> accel(new CCrcAccel<T>());
    CrcBuildAccel(*accel, pTable, nPoly);
    for (size_t n : lengths) {
        if (n + 64 > data.size())
            continue;
        const size_t nOffset = rng() % 64;
        const T nStart = (T)rng();
        const BYTE* p = data.data() + nOffset;
        const T nExpected = CrcBytewise(pTable, nStart, p, n);
        for (ECrcPath e : {crcPathSlicing, crcPathPclmul, crcPathVpclmul})
            ASSERT_EQ(nExpected, CrcUpdatePath(*accel, nStart, p, n, e))
                << 8 * sizeof(T) << "-bit polynomial " << std::hex << (unsigned)nPoly << std::dec << " length " << n
                << " offset " << nOffset << " path " << (int)e;
    }
}

}  // namespace

TEST(ChecksumPaths, EveryPathGivesTheByteAtATimeResult)
{
    // Lengths around every threshold of the paths (fold blocks, stream
    // groups), large ones and random ones; all-zero and all-one blocks make
    // every fold step cancel or carry the most.
    std::mt19937 rng(20240601);
    const std::vector<BYTE> random = RandomBytes(3 * 1024 * 1024 + 77, 1), zeros(70064, 0), ones(70064, 0xFF);
    std::vector<size_t> lengths = {0,    1,    7,    8,    15,   16,    17,    63,    64,    65,
                                   127,  128,  129,  255,  256,  257,   383,   384,   511,   512,
                                   2047, 2048, 2049, 4095, 4096, 16383, 16384, 16385, 65539, random.size() - 64};
    for (int i = 0; i < 40; ++i)
        lengths.push_back(rng() % (i < 37 ? 9000 : random.size() - 64));
    std::vector<DWORD> polys32 = {0xEDB88320, 0x82F63B78, 0x00000001, 0x80000000, 0x00000000, 0xFFFFFFFF};
    std::vector<WORD> polys16 = {0x1021, 0x8005, 0x0001, 0x8000, 0x0000, 0xFFFF};
    for (int i = 0; i < 3; ++i) {
        polys32.push_back((DWORD)rng());
        polys16.push_back((WORD)rng());
    }
    for (DWORD nPoly : polys32)
        CheckCrcPaths<DWORD>(COXCRC32(nPoly).GetTable(), nPoly, random, lengths, rng);
    for (WORD nPoly : polys16)
        CheckCrcPaths<WORD>(COXCRC16(nPoly).GetTable(), nPoly, random, lengths, rng);
    for (const std::vector<BYTE>* pUniform : {&zeros, &ones}) {
        CheckCrcPaths<DWORD>(COXCRC32().GetTable(), 0xEDB88320, *pUniform, {64, 1000, 70000}, rng);
        CheckCrcPaths<WORD>(COXCRC16().GetTable(), 0x1021, *pUniform, {64, 1000, 70000}, rng);
    }
    // The byte sums: the portable path empties its lanes every 1024 bytes, and
    // all-0xFF data fills them most.
    for (size_t n : lengths) {
        const BYTE* p = random.data() + rng() % 64;
        const size_t nOnes = std::min(n, ones.size());
        for (ESumPath e : {sumPathPortable, sumPathSse2, sumPathAvx2}) {
            if (SumPathAvailable(e)) {
                ASSERT_EQ(Sum32Bytewise(0, p, n), SumBytesPath(p, n, e)) << "length " << n << " path " << (int)e;
                ASSERT_EQ(255u * nOnes, SumBytesPath(ones.data(), nOnes, e))
                    << "length " << nOnes << " path " << (int)e;
            }
        }
    }
}

TEST(ChecksumClasses, ResultInTheWidthBitsAboveKeptBlockByBlockAsOneBlockAndSharedTables)
{
    // From random starts: the result is the running value in the class's
    // width, the bits above it are the start's, and block after block (each
    // continuing from the running value) equals one block.
    const std::vector<BYTE> data = RandomBytes(50000, 11);
    COXCheckSum8 s8[2];
    COXCheckSum16 s16[2];
    COXCheckSum32 s32[2];
    COXCRC16 c16[2];
    COXCRC32 c32[2];
    const struct {
        COXCheckBase *pWhole, *pParts;
        DWORD nMask;
    } aClasses[] = {
        {s8, s8 + 1, 0xFF}, {s16, s16 + 1, 0xFFFF}, {s32, s32 + 1, ~0u}, {c16, c16 + 1, 0xFFFF}, {c32, c32 + 1, ~0u}};
    const size_t aCuts[] = {0, 1, 17, 300, 4096, 4097, 20000, 50000};
    std::mt19937 rng(5);
    for (const auto& c : aClasses) {
        for (int i = 0; i < 4; ++i) {
            const DWORD nStart = rng(), nResult = c.pWhole->ChecksumBlock(data.data(), (DWORD)data.size(), nStart);
            SCOPED_TRACE(::testing::Message() << std::hex << "mask " << c.nMask << " start " << nStart);
            EXPECT_EQ(c.pWhole->m_nValue & c.nMask, nResult);
            EXPECT_EQ(nStart & ~c.nMask, c.pWhole->m_nValue & ~c.nMask);
            c.pParts->m_nValue = nStart;
            for (size_t k = 1; k < sizeof(aCuts) / sizeof(aCuts[0]); ++k)
                c.pParts->ChecksumBlock(data.data() + aCuts[k - 1], (DWORD)(aCuts[k] - aCuts[k - 1]));
            EXPECT_EQ(c.pWhole->m_nValue, c.pParts->m_nValue);
        }
    }
    // The sums take each byte as their definitions say.
    s16[0].ChecksumBlock(data.data(), 50000, 0x12345678);
    EXPECT_EQ(Sum16Bytewise(0x12345678, data.data(), data.size()), s16[0].m_nValue);

    // The same polynomial shares one table (polynomials no other test uses).
    const int n32 = COXCRC32::GetTableList().GetCount(), n16 = COXCRC16::GetTableList().GetCount();
    COXCRC32 a(0x0BADF00D), b(0x0BADF00D), d(0x0BADF00E);
    COXCRC16 e(0x4C11), f(0x4C11), g(0x4C12);
    EXPECT_TRUE(a.GetTable() == b.GetTable() && a.GetTable() != d.GetTable());
    EXPECT_TRUE(e.GetTable() == f.GetTable() && e.GetTable() != g.GetTable());
    EXPECT_EQ(n32 + 2, COXCRC32::GetTableList().GetCount());
    EXPECT_EQ(n16 + 2, COXCRC16::GetTableList().GetCount());
}

namespace {
// A class that supplies only the block arithmetic gets the rest from the base,
// which must reach it through the virtual operations; it records how.
class CXorCheck : public COXCheckBase {
public:
    CXorCheck() : COXCheckBase(3) {}
    using COXCheckBase::ChecksumBlock;
    using COXCheckBase::ChecksumFile;
    virtual DWORD ChecksumBlock(const BYTE* pData, DWORD nLength, DWORD nStart)
    {
        for (m_nValue = nStart; nLength-- > 0;)
            m_nValue = (m_nValue << 1 | m_nValue >> 31) ^ *pData++;
        return m_nValue;
    }
    virtual DWORD ChecksumFile(CFile* pFile, DWORD nLength, DWORD nBufferSize)
    {
        m_nFileLength = nLength;
        m_nBufferSize = nBufferSize;
        return COXCheckBase::ChecksumFile(pFile, nLength, nBufferSize);
    }
    DWORD m_nFileLength = 0, m_nBufferSize = 0;
};

// A file in memory that records what each read asked for and got, and can
// fail one read (1-based; 0: none fails) with a file exception.
class CRecordingFile : public CMemFile {
public:
    explicit CRecordingFile(std::vector<BYTE>& data) : CMemFile(data.data(), (UINT)data.size()) {}
    virtual UINT Read(void* lpBuf, UINT nCount)
    {
        m_asked.push_back(nCount);
        if (m_asked.size() == m_nFailingRead)
            AfxThrowFileException(CFileException::hardIO, 23, "recorded.bin");
        m_got.push_back(CMemFile::Read(lpBuf, nCount));
        return m_got.back();
    }
    std::vector<UINT> m_asked, m_got;
    size_t m_nFailingRead = 0;
};

// Runs f and returns the file exception it threw (to be deleted), or NULL.
template <class F>
CFileException* Thrown(F f)
{
    try {
        f();
    } catch (CFileException* e) {
        return e;
    }
    return NULL;
}
}  // namespace

TEST(ChecksumFile, ChunksFollowTheLengthTheBufferAndTheEndAndAFailedReadChangesNothing)
{
    // A file of nSize bytes positioned at nSeek, ChecksumFile(&file, nLength,
    // nBuffer): the reads asked and got.
    typedef std::vector<UINT> Reads;
    const struct {
        size_t nSize, nSeek;
        DWORD nLength, nBuffer;
        Reads asked, got;
    } aCases[] = {
        // clang-format off
        {10000, 0, 5000, 2048, {2048, 2048, 904}, {2048, 2048, 904}},      // up to the length
        {3000, 0, 5000, 2048, {2048, 2048}, {2048, 952}},                  // a short read ends it
        {4096, 100, 0xFFFFFFFF, 2048, {2048, 2048}, {2048, 1948}},         // all ones: the rest
        {4096, 0, 0xFFFFFFFF, 2048, {2048, 2048, 2048}, {2048, 2048, 0}},  // once more for the end
        {1000, 0, 100, 2048, {100}, {100}},                                // one read below the buffer
        {7000, 1234, 0xFFFFFFFF, 1000, Reads(6, 1000), {1000, 1000, 1000, 1000, 1000, 766}},
        {100, 0, 0, 2048, {}, {}},                                         // nothing at all
        {3000, 0, 0xFFFFFFFF, 0, {2048, 2048}, {2048, 952}},               // chunks of 0: the usual 2048
        // clang-format on
    };
    for (const auto& c : aCases) {
        SCOPED_TRACE(::testing::Message() << "size " << c.nSize << " at " << c.nSeek << " length " << c.nLength);
        std::vector<BYTE> data = RandomBytes(c.nSize, (unsigned)c.nSize);
        const size_t nEnd = std::min<size_t>(c.nSize, c.nSeek + c.nLength);
        CRecordingFile file(data);
        file.Seek((LONGLONG)c.nSeek, CFile::begin);
        COXCRC32 crc, block;
        crc.m_nValue = 0x01020304;
        block.ChecksumBlock(data.data() + c.nSeek, (DWORD)(nEnd - c.nSeek), 0x01020304);
        EXPECT_EQ(block.m_nValue, crc.ChecksumFile(&file, c.nLength, c.nBuffer));
        EXPECT_EQ(c.asked, file.m_asked);
        EXPECT_EQ(c.got, file.m_got);
        EXPECT_EQ(nEnd, file.GetPosition());
    }

    // The second read fails: its exception passes on, the running value is as on entry.
    std::vector<BYTE> data = RandomBytes(10000, 9);
    CRecordingFile file(data);
    file.m_nFailingRead = 2;
    COXCRC32 crc;
    crc.m_nValue = 0x13579BDF;
    CFileException* pCaught = Thrown([&] { crc.ChecksumFile(&file, 0xFFFFFFFF, 2048); });
    ASSERT_TRUE(pCaught != NULL);
    EXPECT_TRUE(pCaught->m_cause == CFileException::hardIO && pCaught->m_lOsError == 23);
    pCaught->Delete();
    EXPECT_EQ(0x13579BDFu, crc.m_nValue);
    EXPECT_EQ(2u, file.m_asked.size());

    // By path: the whole file in chunks of 2048 through the virtual
    // operations, and closed (a file still open could not be removed on Windows).
    support::CTempDir dir("extkit_checksum_");
    const std::string strPath = (dir.GetPath() / "file.bin").string();
    std::ofstream(strPath, std::ios::binary).write(reinterpret_cast<const char*>(data.data()), 5000);
    CXorCheck check, xorBlock;
    check.m_nValue = xorBlock.m_nValue = 7;
    xorBlock.ChecksumBlock(data.data(), 5000);
    EXPECT_EQ(xorBlock.m_nValue, check.ChecksumFile(CString(strPath.c_str())));
    EXPECT_EQ(0xFFFFFFFFu, check.m_nFileLength);
    EXPECT_EQ(2048u, check.m_nBufferSize);
    EXPECT_EQ(0, std::remove(strPath.c_str()));
    // A missing file: the cause, the system's error and the path, the value kept.
    pCaught = Thrown([&] { check.ChecksumFile(CString(strPath.c_str())); });
    ASSERT_TRUE(pCaught != NULL);
    EXPECT_TRUE(pCaught->m_cause == CFileException::fileNotFound && pCaught->m_lOsError != 0);
    EXPECT_STREQ(strPath.c_str(), (LPCTSTR)pCaught->m_strFileName);
    pCaught->Delete();
    EXPECT_EQ(xorBlock.m_nValue, check.m_nValue);
}

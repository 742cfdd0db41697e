// The file operations: chunking, continuing from the running value, the value
// restored when a read fails, and files named by path.
#include "Reference.h"

#include "checksum/CRC.h"
#include "checksum/CheckSum.h"
#include <afx.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
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

// A file in memory that records what each read asked for and got, and can
// fail one read with a file exception.
class CRecordingFile : public CMemFile {
public:
    explicit CRecordingFile(std::vector<BYTE>& data) : CMemFile(data.data(), (UINT)data.size()) {}

    virtual UINT Read(void* lpBuf, UINT nCount)
    {
        m_asked.push_back(nCount);
        if (m_asked.size() == m_nFailingRead)
            AfxThrowFileException(CFileException::hardIO, 23, "recorded.bin");
        const UINT nGot = CMemFile::Read(lpBuf, nCount);
        m_got.push_back(nGot);
        return nGot;
    }

    std::vector<UINT> m_asked;
    std::vector<UINT> m_got;
    size_t m_nFailingRead = 0;  // 1-based; 0: none fails
};

// A path in the temporary folder that no other run uses.
std::string TempPath(const char* pszPrefix)
{
    std::random_device rd;
    return (std::filesystem::temp_directory_path() / (pszPrefix + std::to_string(rd()) + ".bin")).string();
}

typedef std::vector<UINT> Reads;
}  // namespace

TEST(ChecksumFile, ChunksFollowTheLengthTheBufferAndTheEnd)
{
    // Each case: a file of nSize bytes positioned at nSeek, the running value
    // nStart, ChecksumFile(&file, nLength, nBuffer); the reads asked and got.
    struct CCase {
        size_t nSize, nSeek;
        DWORD nStart, nLength, nBuffer;
        Reads asked, got;
    };
    const CCase aCases[] = {
        {10000, 0, 0xFFFFFFFF, 5000, 2048, {2048, 2048, 904}, {2048, 2048, 904}},      // up to the length
        {3000, 0, 0xFFFFFFFF, 5000, 2048, {2048, 2048}, {2048, 952}},                  // a short read ends it
        {4096, 100, 0xFFFFFFFF, 0xFFFFFFFF, 2048, {2048, 2048}, {2048, 1948}},         // all ones: the rest
        {4096, 0, 0xFFFFFFFF, 0xFFFFFFFF, 2048, {2048, 2048, 2048}, {2048, 2048, 0}},  // once more for the end
        {1000, 0, 0, 100, 2048, {100}, {100}},                                         // one read below the buffer
        {7000,
         1234,
         0x01020304,
         0xFFFFFFFF,
         1000,
         {1000, 1000, 1000, 1000, 1000, 1000},
         {1000, 1000, 1000, 1000, 1000, 766}},
        {100, 0, 0x600DCAFE, 0, 2048, {}, {}},  // nothing at all
        // Chunks of nothing would never end; the usual 2048 bytes are read instead.
        {3000, 0, 0xFFFFFFFF, 0xFFFFFFFF, 0, {2048, 2048}, {2048, 952}},
    };
    for (const CCase& c : aCases) {
        SCOPED_TRACE(::testing::Message()
                     << "size " << c.nSize << " at " << c.nSeek << " length " << c.nLength << " buffer " << c.nBuffer);
        std::vector<BYTE> data = RandomBytes(c.nSize, (unsigned)c.nSize);
        const size_t nEnd = std::min<size_t>(c.nSize, c.nSeek + c.nLength);
        const size_t nRead = nEnd - c.nSeek;
        CRecordingFile file(data);
        file.Seek((LONGLONG)c.nSeek, CFile::begin);
        COXCRC32 crc(0x82F63B78);
        COXCheckSum16 sum;
        crc.m_nValue = c.nStart;
        EXPECT_EQ(reference::Crc32(0x82F63B78, c.nStart, data.data() + c.nSeek, nRead),
                  crc.ChecksumFile(&file, c.nLength, c.nBuffer));
        EXPECT_EQ(c.asked, file.m_asked);
        EXPECT_EQ(c.got, file.m_got);
        EXPECT_EQ(nEnd, file.GetPosition());
        // The other classes read the same way; the sums keep their upper bits.
        file.Seek((LONGLONG)c.nSeek, CFile::begin);
        sum.m_nValue = c.nStart;
        EXPECT_EQ(reference::Sum(0xFFFF, c.nStart, data.data() + c.nSeek, nRead),
                  sum.ChecksumFile(&file, c.nLength, c.nBuffer));
    }
}

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

TEST(ChecksumFile, FailedReadRestoresTheValueAndPassesTheException)
{
    std::vector<BYTE> data = RandomBytes(10000, 9);
    CRecordingFile file(data);
    file.m_nFailingRead = 2;
    COXCRC32 crc(0xEDB88320);
    crc.m_nValue = 0x13579BDF;
    CFileException* pCaught = Thrown([&] { crc.ChecksumFile(&file, 0xFFFFFFFF, 2048); });
    ASSERT_TRUE(pCaught != NULL);
    EXPECT_EQ(CFileException::hardIO, pCaught->m_cause);
    EXPECT_EQ(23, pCaught->m_lOsError);
    pCaught->Delete();
    EXPECT_EQ(0x13579BDFu, crc.m_nValue);
    EXPECT_EQ(2u, file.m_asked.size());
}

// Records how the path operation hands the open file on.
class CRecordingCrc : public COXCRC32 {
public:
    CRecordingCrc() : COXCRC32(0xEDB88320) {}
    using COXCRC32::ChecksumFile;
    virtual DWORD ChecksumFile(CFile* pFile, DWORD nLength, DWORD nBufferSize)
    {
        m_nLength = nLength;
        m_nBufferSize = nBufferSize;
        return COXCRC32::ChecksumFile(pFile, nLength, nBufferSize);
    }
    DWORD m_nLength = 0;
    DWORD m_nBufferSize = 0;
};

TEST(ChecksumFile, PathGivesTheWholeFileForEveryClassAndClosesIt)
{
    const std::vector<BYTE> data = RandomBytes(5000, 10);
    const std::string strPath = TempPath("extkit_checksum_");
    std::ofstream(strPath, std::ios::binary).write(reinterpret_cast<const char*>(data.data()), 5000);
    COXCheckSum8 s8;
    COXCheckSum16 s16;
    COXCheckSum32 s32;
    COXCRC16 c16(0x1021);
    CRecordingCrc c32;
    const CString str(strPath.c_str());
    // The file operations return the whole running value, bits above the width included.
    EXPECT_EQ(reference::Sum(0xFF, 0xFFFFFFFF, data.data(), 5000), s8.ChecksumFile(str));
    EXPECT_EQ(reference::Sum(0xFFFF, 0xFFFFFFFF, data.data(), 5000), s16.ChecksumFile(str));
    EXPECT_EQ(reference::Sum(0xFFFFFFFF, 0xFFFFFFFF, data.data(), 5000), s32.ChecksumFile(str));
    EXPECT_EQ(reference::Crc16(0x1021, 0xFFFFFFFF, data.data(), 5000), c16.ChecksumFile(str));
    EXPECT_EQ(reference::Crc32(0xEDB88320, 0xFFFFFFFF, data.data(), 5000), c32.ChecksumFile(str));
    // The rest of the file in chunks of 2048, through the virtual operation.
    EXPECT_EQ(0xFFFFFFFFu, c32.m_nLength);
    EXPECT_EQ(2048u, c32.m_nBufferSize);
    // A file still open here could not be removed on Windows.
    EXPECT_EQ(0, std::remove(strPath.c_str()));
}

TEST(ChecksumFile, MissingPathThrowsWithCauseAndPath)
{
    const std::string strPath = TempPath("extkit_missing_");
    COXCheckSum32 sum;
    sum.m_nValue = 42;
    CFileException* pCaught = Thrown([&] { sum.ChecksumFile(CString(strPath.c_str())); });
    ASSERT_TRUE(pCaught != NULL);
    EXPECT_EQ(CFileException::fileNotFound, pCaught->m_cause);
    EXPECT_NE(0, pCaught->m_lOsError);
    EXPECT_STREQ(strPath.c_str(), (LPCTSTR)pCaught->m_strFileName);
    pCaught->Delete();
    EXPECT_EQ(42u, sum.m_nValue);
}

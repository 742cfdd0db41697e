// The file operations: chunking, continuing from the running value, the value
// restored when a read fails, and files named by path.
#include "Reference.h"

#include "checksum/CRC.h"
#include "checksum/CheckSum.h"
#include "core/Exception.h"
#include "core/File.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace
{
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
class CRecordingFile : public CMemFile
{
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

// A file of its own in the temporary folder, removed at the end.
class CTempFile
{
public:
    explicit CTempFile(const std::vector<BYTE>& content)
    {
        std::random_device rd;
        m_path = std::filesystem::temp_directory_path() / ("extkit_checksum_" + std::to_string(rd()) + ".bin");
        std::ofstream out(m_path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(content.data()), (std::streamsize)content.size());
    }
    ~CTempFile()
    {
        std::error_code ec;
        std::filesystem::remove(m_path, ec);
    }
    std::string Path() const { return m_path.string(); }

    std::filesystem::path m_path;
};

typedef std::vector<UINT> Reads;
}  // namespace

TEST(ChecksumFile, LongFileIsReadInChunksUpToTheLength)
{
    std::vector<BYTE> data = RandomBytes(10000, 1);
    CRecordingFile file(data);
    COXCRC32 crc(0xEDB88320);
    const DWORD nResult = crc.ChecksumFile(&file, 5000, 2048);
    EXPECT_EQ(Reads({2048, 2048, 904}), file.m_asked);
    EXPECT_EQ(Reads({2048, 2048, 904}), file.m_got);
    EXPECT_EQ(reference::Crc32(0xEDB88320, 0xFFFFFFFF, data.data(), 5000), nResult);
    EXPECT_EQ(nResult, crc.m_nValue);
    EXPECT_EQ(5000u, file.GetPosition());
}

TEST(ChecksumFile, ShortReadEndsTheLoop)
{
    std::vector<BYTE> data = RandomBytes(3000, 2);
    CRecordingFile file(data);
    COXCheckSum16 sum;
    const DWORD nResult = sum.ChecksumFile(&file, 5000, 2048);
    EXPECT_EQ(Reads({2048, 2048}), file.m_asked);
    EXPECT_EQ(Reads({2048, 952}), file.m_got);
    EXPECT_EQ(reference::Sum(0xFFFF, 0xFFFFFFFF, data.data(), data.size()), nResult);
}

TEST(ChecksumFile, AllOnesLengthMeansTheRestOfTheFile)
{
    std::vector<BYTE> data = RandomBytes(4096, 3);
    CRecordingFile file(data);
    file.Seek(100, CFile::begin);
    COXCRC16 crc(0x8005);
    const DWORD nResult = crc.ChecksumFile(&file, 0xFFFFFFFF, 2048);
    EXPECT_EQ(Reads({2048, 2048}), file.m_asked);
    EXPECT_EQ(Reads({2048, 1948}), file.m_got);
    EXPECT_EQ(reference::Crc16(0x8005, 0xFFFFFFFF, data.data() + 100, 3996), nResult);
}

TEST(ChecksumFile, FileOfWholeChunksReadsOnceMoreToFindTheEnd)
{
    std::vector<BYTE> data = RandomBytes(4096, 4);
    CRecordingFile file(data);
    COXCheckSum8 sum;
    sum.ChecksumFile(&file, 0xFFFFFFFF, 2048);
    EXPECT_EQ(Reads({2048, 2048, 2048}), file.m_asked);
    EXPECT_EQ(Reads({2048, 2048, 0}), file.m_got);
    EXPECT_EQ(reference::Sum(0xFF, 0xFFFFFFFF, data.data(), data.size()), sum.m_nValue);
}

TEST(ChecksumFile, LengthBelowTheBufferIsOneRead)
{
    std::vector<BYTE> data = RandomBytes(1000, 5);
    CRecordingFile file(data);
    COXCheckSum32 sum;
    sum.m_nValue = 0;
    EXPECT_EQ(reference::Sum(0xFFFFFFFF, 0, data.data(), 100), sum.ChecksumFile(&file, 100, 2048));
    EXPECT_EQ(Reads({100}), file.m_asked);
}

TEST(ChecksumFile, ContinuesFromTheRunningValue)
{
    std::vector<BYTE> data = RandomBytes(7000, 6);
    COXCRC32 crc(0x82F63B78);
    crc.ChecksumBlock(data.data(), 1234, 0x01020304);
    CRecordingFile file(data);
    file.Seek(1234, CFile::begin);
    EXPECT_EQ(reference::Crc32(0x82F63B78, 0x01020304, data.data(), data.size()), crc.ChecksumFile(&file, 0xFFFFFFFF, 1000));
}

TEST(ChecksumFile, ZeroLengthReadsNothing)
{
    std::vector<BYTE> data = RandomBytes(100, 7);
    CRecordingFile file(data);
    COXCRC32 crc(0xEDB88320);
    crc.m_nValue = 0x600DCAFE;
    EXPECT_EQ(0x600DCAFEu, crc.ChecksumFile(&file, 0, 2048));
    EXPECT_TRUE(file.m_asked.empty());
}

TEST(ChecksumFile, ZeroBufferSizeStillFinishes)
{
    // Chunks of nothing would never end; the usual 2048 bytes are read instead.
    std::vector<BYTE> data = RandomBytes(3000, 8);
    CRecordingFile file(data);
    COXCheckSum8 sum;
    EXPECT_EQ(reference::Sum(0xFF, 0xFFFFFFFF, data.data(), data.size()), sum.ChecksumFile(&file, 0xFFFFFFFF, 0));
    EXPECT_EQ(Reads({2048, 2048}), file.m_asked);
}

TEST(ChecksumFile, FailedReadRestoresTheValueAndPassesTheException)
{
    std::vector<BYTE> data = RandomBytes(10000, 9);
    CRecordingFile file(data);
    file.m_nFailingRead = 2;
    COXCRC32 crc(0xEDB88320);
    crc.m_nValue = 0x13579BDF;
    CFileException* pCaught = NULL;
    try
    {
        crc.ChecksumFile(&file, 0xFFFFFFFF, 2048);
    }
    catch (CFileException* e)
    {
        pCaught = e;
    }
    ASSERT_TRUE(pCaught != NULL);
    EXPECT_EQ(CFileException::hardIO, pCaught->m_cause);
    EXPECT_EQ(23, pCaught->m_lOsError);
    pCaught->Delete();
    EXPECT_EQ(0x13579BDFu, crc.m_nValue);
    EXPECT_EQ(2u, file.m_asked.size());
}

TEST(ChecksumFile, PathGivesTheWholeFileForEveryClass)
{
    const std::vector<BYTE> data = RandomBytes(5000, 10);
    CTempFile temp(data);
    COXCheckSum8 s8;
    COXCheckSum16 s16;
    COXCheckSum32 s32;
    COXCRC16 c16(0x1021);
    COXCRC32 c32(0xEDB88320);
    const CString strPath(temp.Path().c_str());
    // The file operations return the whole running value, bits above the width included.
    EXPECT_EQ(reference::Sum(0xFF, 0xFFFFFFFF, data.data(), data.size()), s8.ChecksumFile(strPath));
    EXPECT_EQ(reference::Sum(0xFFFF, 0xFFFFFFFF, data.data(), data.size()), s16.ChecksumFile(strPath));
    EXPECT_EQ(reference::Sum(0xFFFFFFFF, 0xFFFFFFFF, data.data(), data.size()), s32.ChecksumFile(strPath));
    EXPECT_EQ(reference::Crc16(0x1021, 0xFFFFFFFF, data.data(), data.size()), c16.ChecksumFile(strPath));
    EXPECT_EQ(reference::Crc32(0xEDB88320, 0xFFFFFFFF, data.data(), data.size()), c32.ChecksumFile(strPath));
}

TEST(ChecksumFile, PathIsClosedAfterwards)
{
    CTempFile temp(RandomBytes(3000, 11));
    {
        COXCRC32 crc(0xEDB88320);
        crc.ChecksumFile(CString(temp.Path().c_str()));
    }
    // A file still open here could not be removed on Windows.
    EXPECT_EQ(0, std::remove(temp.Path().c_str()));
}

// Records how the path operation hands the open file on.
class CRecordingCrc : public COXCRC32
{
public:
    CRecordingCrc() : COXCRC32(0xEDB88320) {}
    virtual DWORD ChecksumFile(CString strPath) { return COXCRC32::ChecksumFile(strPath); }
    virtual DWORD ChecksumFile(CFile* pFile, DWORD nLength, DWORD nBufferSize)
    {
        m_nLength = nLength;
        m_nBufferSize = nBufferSize;
        return COXCRC32::ChecksumFile(pFile, nLength, nBufferSize);
    }
    DWORD m_nLength = 0;
    DWORD m_nBufferSize = 0;
};

TEST(ChecksumFile, PathReadsTheRestInChunksOf2048)
{
    CTempFile temp(RandomBytes(100, 12));
    CRecordingCrc crc;
    crc.ChecksumFile(CString(temp.Path().c_str()));
    EXPECT_EQ(0xFFFFFFFFu, crc.m_nLength);
    EXPECT_EQ(2048u, crc.m_nBufferSize);
}

TEST(ChecksumFile, MissingPathThrowsWithCauseAndPath)
{
    std::random_device rd;
    const std::string strPath =
        (std::filesystem::temp_directory_path() / ("extkit_missing_" + std::to_string(rd()) + ".bin")).string();
    COXCheckSum32 sum;
    sum.m_nValue = 42;
    CFileException* pCaught = NULL;
    try
    {
        sum.ChecksumFile(CString(strPath.c_str()));
    }
    catch (CFileException* e)
    {
        pCaught = e;
    }
    ASSERT_TRUE(pCaught != NULL);
    EXPECT_EQ(CFileException::fileNotFound, pCaught->m_cause);
    EXPECT_NE(0, pCaught->m_lOsError);
    EXPECT_STREQ(strPath.c_str(), (LPCTSTR)pCaught->m_strFileName);
    pCaught->Delete();
    EXPECT_EQ(42u, sum.m_nValue);
}

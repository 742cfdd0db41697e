// The extkit tool's checksum command, run as a separate program on files made
// here: output lines, messages and exit statuses; and its block reader, whose
// read-ahead thread is driven here through sources that fail, dawdle and
// return less than asked.
#include "FileBlocks.h"
#include "Reference.h"
#include "ToolRun.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {
using CRun = support::CToolRun;

class ToolChecksum : public ::testing::Test {
protected:
    // A file in the test folder; the name is UTF-8. Returns its full path in UTF-8.
    std::string MakeFile(const std::string& strName, const std::vector<uint8_t>& content)
    {
        const fs::path path = m_dir / fs::u8path(strName);
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(content.data()), (std::streamsize)content.size());
        return path.u8string();
    }

    std::string MissingFile(const std::string& strName) { return (m_dir / fs::u8path(strName)).u8string(); }

    CRun Run(const std::vector<std::string>& args, const std::string& strInput = std::string())
    {
        const CRun run = support::RunTool(m_dir, args, strInput);
        if (run.m_nStatus < 0)
            ADD_FAILURE() << "the tool did not run: status " << run.m_nStatus << ", " << run.m_strErr;
        return run;
    }

    support::CTempDir m_tempDir{"extkit_tool_"};
    const fs::path m_dir = m_tempDir.GetPath();
};

const std::vector<uint8_t> c_digits = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};

std::vector<uint8_t> RandomBytes(size_t n, unsigned nSeed)
{
    std::mt19937 rng(nSeed);
    std::vector<uint8_t> v(n);
    for (uint8_t& b : v)
        b = (uint8_t)rng();
    return v;
}

std::string Hex(uint32_t nValue, int nDigits)
{
    char sz[16];
    snprintf(sz, sizeof(sz), "%0*X", nDigits, (unsigned)nValue);
    return sz;
}
}  // namespace

TEST_F(ToolChecksum, EachAlgorithmPolynomialAndStartInItsWidth)
{
    const std::string strDigits = MakeFile("digits.txt", c_digits);
    const std::string strEmpty = MakeFile("empty.bin", {});
    const uint8_t* p = c_digits.data();
    const struct {
        std::vector<std::string> options;
        const std::string& strFile;
        std::string strValue;
    } aCases[] = {
        {{}, strDigits, "340BC6D9"},  // CRC-32 of a fresh object
        {{"--algo", "sum8"}, strDigits, "DC"},
        {{"--algo", "sum16"}, strDigits, "01DC"},
        {{"--algo", "sum32"}, strDigits, "000001DC"},
        {{"--algo", "crc16"}, strDigits, "29B1"},
        {{"--algo", "crc32"}, strDigits, "340BC6D9"},
        {{"--invert"}, strDigits, "CBF43926"},  // as common tools print it
        {{"--algo", "crc16", "--invert"}, strDigits, "D64E"},
        {{"--algo", "crc16", "--poly", "8005"}, strDigits, "AEE7"},
        {{"--algo=crc16", "--poly=0x8005", "--start=0"}, strDigits, Hex(reference::Crc16(0x8005, 0, p, 9), 4)},
        {{"--poly", "82f63b78"}, strDigits, Hex(reference::Crc32(0x82F63B78, 0xFFFFFFFF, p, 9), 8)},
        {{"--algo", "sum8", "--start", "0"}, strDigits, "DD"},
        {{"--start", "0"}, strDigits, Hex(reference::Crc32(0xEDB88320, 0, p, 9), 8)},
        // An empty file gives the start.
        {{}, strEmpty, "FFFFFFFF"},
        {{"--algo", "sum8"}, strEmpty, "FF"},
        {{"--algo", "crc16", "--start", "1234"}, strEmpty, "1234"},
    };
    for (const auto& c : aCases) {
        std::vector<std::string> args{"checksum"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back(c.strFile);
        const CRun run = Run(args);
        SCOPED_TRACE(args.size() > 2 ? args[1] + " " + args[2] : args[1]);
        EXPECT_EQ(0, run.m_nStatus);
        EXPECT_EQ(c.strValue + " " + c.strFile + "\n", run.m_strOut);
        EXPECT_EQ("", run.m_strErr);
    }
}

TEST_F(ToolChecksum, LargeAndSmallFilesTogether)
{
    // Just over the read-ahead size with a tail that is not a whole vector, and
    // just under it.
    const std::vector<uint8_t> large = RandomBytes(4 * 1024 * 1024 + 4093, 8);
    const std::vector<uint8_t> small = RandomBytes(4 * 1024 * 1024 - 1, 9);
    const std::string strLarge = MakeFile("large.bin", large);
    const std::string strSmall = MakeFile("small.bin", small);
    CRun run = Run({"checksum", "--algo", "sum32", strLarge, strSmall, strLarge});
    EXPECT_EQ(0, run.m_nStatus) << run.m_strErr;
    const std::string strLargeLine =
        Hex(reference::Sum(0xFFFFFFFF, 0xFFFFFFFF, large.data(), large.size()), 8) + " " + strLarge + "\n";
    EXPECT_EQ(strLargeLine + Hex(reference::Sum(0xFFFFFFFF, 0xFFFFFFFF, small.data(), small.size()), 8) + " " +
                  strSmall + "\n" + strLargeLine,
              run.m_strOut);
    run = Run({"checksum", "--algo", "crc16", "--poly", "1021", "--start", "1D0F", strLarge});
    EXPECT_EQ(Hex(reference::Crc16(0x1021, 0x1D0F, large.data(), large.size()), 4) + " " + strLarge + "\n",
              run.m_strOut);
}

TEST_F(ToolChecksum, MissingFileAndFolderAreReportedAndTheOthersAreDone)
{
    const std::string strA = MakeFile("a.txt", c_digits);
    const std::string strMissing = MissingFile("missing.txt");
    const std::string strDir = MissingFile("folder");
    fs::create_directory(fs::u8path(strDir));
    const std::string strB = MakeFile("b.txt", {'1'});
    const CRun run = Run({"checksum", "--algo", "sum8", strA, strMissing, strDir, strB, "\x1B[31m"});
    EXPECT_EQ(1, run.m_nStatus);
    EXPECT_EQ("DC " + strA + "\n" + "30 " + strB + "\n", run.m_strOut);
    EXPECT_NE(std::string::npos, run.m_strErr.find(u8"файла: \\x1B[31m\n")) << run.m_strErr;
    EXPECT_NE(std::string::npos, run.m_strErr.find(strMissing + "\n")) << run.m_strErr;
    EXPECT_NE(std::string::npos, run.m_strErr.find(u8"нет такого файла")) << run.m_strErr;
    EXPECT_NE(std::string::npos, run.m_strErr.find(strDir + "\n")) << run.m_strErr;
}

#ifndef _WIN32
TEST_F(ToolChecksum, ReadErrorIsReportedAndTheOthersAreDone)
{
    // Reading a process's memory at address 0 fails: a file that opens but
    // cannot be read.
    const std::string strA = MakeFile("a.txt", c_digits);
    const CRun run = Run({"checksum", "--algo", "sum8", "/proc/self/mem", strA});
    EXPECT_EQ(1, run.m_nStatus);
    EXPECT_EQ("DC " + strA + "\n", run.m_strOut);
    EXPECT_NE(std::string::npos, run.m_strErr.find(u8"ошибка чтения файла: /proc/self/mem")) << run.m_strErr;
}
#endif

TEST_F(ToolChecksum, NamesPassThroughAsGiven)
{
    const std::string strFile = MakeFile(u8"счёт-фактура №5.txt", c_digits);
    const std::string strDash = MakeFile("-dash.txt", c_digits);
    const CRun run = Run({"checksum", "--algo", "crc16", strFile, "-", "--", strDash}, "123456789");
    EXPECT_EQ(0, run.m_nStatus) << run.m_strErr;
    EXPECT_EQ("29B1 " + strFile + "\n29B1 -\n29B1 " + strDash + "\n", run.m_strOut);
}

TEST_F(ToolChecksum, BadUsageExitsWithTwo)
{
    const std::string strFile = MakeFile("digits.txt", c_digits);
    const std::vector<std::vector<std::string>> bad = {
        {"checksum"},
        {"checksum", "--algo", "md5", strFile},
        {"checksum", "--algo"},
        {"checksum", "--poly", "12G4", strFile},
        {"checksum", "--poly", "123456789", strFile},
        {"checksum", "--algo", "crc16", "--poly", "18005", strFile},
        {"checksum", "--algo", "sum8", "--poly", "7", strFile},
        {"checksum", "--algo", "sum8", "--start", "100", strFile},
        {"checksum", "--verbose", strFile},
        {"frobnicate"},
        {},
    };
    for (const std::vector<std::string>& args : bad) {
        const CRun run = Run(args);
        std::string strArgs;
        for (const std::string& arg : args)
            strArgs += arg + " ";
        EXPECT_EQ(2, run.m_nStatus) << strArgs;
        EXPECT_EQ("", run.m_strOut) << strArgs;
        EXPECT_NE("", run.m_strErr) << strArgs;
    }
    // The one wrong thing in UTF-8, and where the usage is told.
    EXPECT_EQ(u8"extkit checksum: полином шире алгоритма crc32 (32 бита): 1FFFFFFFFF\n"
              u8"Подробнее: extkit checksum --help\n",
              Run({"checksum", "--poly", "1FFFFFFFFF", strFile}).m_strErr);
    const CRun help = Run({"checksum", "--help"});
    EXPECT_EQ(0, help.m_nStatus);
    EXPECT_NE(std::string::npos, help.m_strOut.find(u8"алгоритм")) << help.m_strOut;
}

namespace {
// Content from memory, read by position, with faults on demand. Every read
// checks that the reader has not already returned.
class CMemorySource : public CBlockSource {
public:
    explicit CMemorySource(const std::vector<uint8_t>& data) : m_data(data) {}

    virtual long long ReadAt(unsigned long long nOffset, unsigned char* pBuffer, size_t nLength)
    {
        ++m_nReads;
        if (m_bReturned)
            ++m_nReadsAfterReturn;
        if (m_nDelayMicroseconds != 0)
            std::this_thread::sleep_for(std::chrono::microseconds(m_nDelayMicroseconds));
        if ((nOffset + nLength > m_nFailFrom && nOffset < m_data.size()) || nOffset >= m_nFailBeyond)
            return -1;
        if (nOffset >= m_data.size())
            return 0;
        size_t n = std::min<size_t>(nLength, m_data.size() - (size_t)nOffset);
        if (m_nMaxPerRead != 0 && n > m_nMaxPerRead)
            n = m_nMaxPerRead;
        memcpy(pBuffer, m_data.data() + nOffset, n);
        return (long long)n;
    }

    const std::vector<uint8_t>& m_data;
    unsigned long long m_nFailFrom = UINT64_MAX;    // a read of the data touching this offset fails
    unsigned long long m_nFailBeyond = UINT64_MAX;  // so does any read starting here or later
    size_t m_nMaxPerRead = 0;                       // 0: as much as asked
    unsigned m_nDelayMicroseconds = 0;
    std::atomic<int> m_nReads{0};
    std::atomic<int> m_nReadsAfterReturn{0};
    std::atomic<bool> m_bReturned{false};
};

struct CCollected {
    std::vector<uint8_t> m_data;
    int m_nBlocks = 0;
    bool m_bOtherThread = false;
    bool m_bEmptyBlock = false;
};

bool Collect(CMemorySource& source, const CBlockPlan& plan, CCollected& out, unsigned nHandlerDelay = 0)
{
    const std::thread::id caller = std::this_thread::get_id();
    const bool bResult = ReadBlocks(source, plan, [&](const unsigned char* p, size_t n) {
        out.m_bOtherThread = out.m_bOtherThread || std::this_thread::get_id() != caller;
        out.m_bEmptyBlock = out.m_bEmptyBlock || n == 0;
        out.m_data.insert(out.m_data.end(), p, p + n);
        ++out.m_nBlocks;
        if (nHandlerDelay != 0)
            std::this_thread::sleep_for(std::chrono::microseconds(nHandlerDelay));
    });
    source.m_bReturned = true;
    return bResult;
}

const size_t c_nTestBlock = 4096;
}  // namespace

TEST(FileBlocks, EverySizeComesThroughInOrderOnTheCallingThread)
{
    const size_t aSizes[] = {0,
                             1,
                             c_nTestBlock - 1,
                             c_nTestBlock,
                             c_nTestBlock + 1,
                             7 * c_nTestBlock,
                             7 * c_nTestBlock + 123,
                             40 * c_nTestBlock + 1};
    for (size_t nSize : aSizes) {
        const std::vector<uint8_t> data = RandomBytes(nSize, (unsigned)nSize);
        for (int nBuffers = 1; nBuffers <= 4; ++nBuffers) {
            for (bool bReadAhead : {false, true}) {
                CMemorySource source(data);
                CCollected out;
                EXPECT_TRUE(Collect(source, CBlockPlan{c_nTestBlock, nBuffers, bReadAhead}, out));
                EXPECT_EQ(data, out.m_data) << nSize << " " << nBuffers << " " << bReadAhead;
                EXPECT_EQ((nSize + c_nTestBlock - 1) / c_nTestBlock, (size_t)out.m_nBlocks) << nSize;
                EXPECT_FALSE(out.m_bOtherThread);
                EXPECT_FALSE(out.m_bEmptyBlock);
                EXPECT_EQ(0, source.m_nReadsAfterReturn);
            }
        }
    }
}

TEST(FileBlocks, ShortSlowAndPastTheEndReadsGiveTheWholeData)
{
    // Reads that return less than asked (pipes, interrupted calls) still give
    // whole blocks; a slow source or a slow consumer makes each side wait for
    // the other in turn; a failure after the end is no failure, and blocks read
    // ahead past the end are never handed over (repeated, for the races).
    const struct {
        size_t nMaxPerRead;
        unsigned nReadDelay, nHandlerDelay;
        int nBuffers;
        bool bReadAhead, bFailPastTheEnd;
        int nRepeat;
    } aCases[] = {
        {1000, 0, 0, 3, false, false, 1}, {1000, 0, 0, 3, true, false, 1},  {0, 300, 0, 2, true, false, 1},
        {0, 0, 300, 3, true, false, 1},   {0, 300, 300, 5, true, false, 1}, {0, 0, 0, 8, true, true, 10},
        {0, 0, 200, 8, true, true, 10},
    };
    const std::vector<uint8_t> data = RandomBytes(13 * c_nTestBlock + 77, 3);
    for (const auto& c : aCases) {
        for (int i = 0; i < c.nRepeat; ++i) {
            CMemorySource source(data);
            source.m_nMaxPerRead = c.nMaxPerRead;
            source.m_nDelayMicroseconds = c.nReadDelay;
            if (c.bFailPastTheEnd)
                source.m_nFailBeyond = data.size() + 1;
            CCollected out;
            EXPECT_TRUE(Collect(source, CBlockPlan{c_nTestBlock, c.nBuffers, c.bReadAhead}, out, c.nHandlerDelay));
            EXPECT_EQ(data, out.m_data) << &c - aCases;
            EXPECT_EQ(14, out.m_nBlocks) << &c - aCases;
            EXPECT_EQ(0, source.m_nReadsAfterReturn);
        }
    }
}

TEST(FileBlocks, AFailedReadEndsWithTheBlocksBeforeIt)
{
    const std::vector<uint8_t> data = RandomBytes(30 * c_nTestBlock, 4);
    const unsigned long long aFailAt[] = {0, 1, c_nTestBlock, 5 * c_nTestBlock + 10, 29 * c_nTestBlock + 1};
    for (unsigned long long nFailAt : aFailAt) {
        for (bool bReadAhead : {false, true}) {
            CMemorySource source(data);
            source.m_nFailFrom = nFailAt;
            CCollected out;
            EXPECT_FALSE(Collect(source, CBlockPlan{c_nTestBlock, 4, bReadAhead}, out)) << nFailAt;
            // Exactly the whole blocks before the failing one, as reading in order gives.
            const size_t nGood = (size_t)(nFailAt / c_nTestBlock * c_nTestBlock);
            EXPECT_EQ(std::vector<uint8_t>(data.begin(), data.begin() + nGood), out.m_data) << nFailAt;
            EXPECT_EQ(0, source.m_nReadsAfterReturn) << nFailAt;
        }
    }
}

TEST(FileBlocks, AnExceptionFromTheConsumerEndsTheReadAhead)
{
    const std::vector<uint8_t> data = RandomBytes(50 * c_nTestBlock, 8);
    CMemorySource source(data);
    source.m_nDelayMicroseconds = 100;
    int nBlocks = 0;
    EXPECT_THROW(ReadBlocks(source, CBlockPlan{c_nTestBlock, 4, true},
                            [&](const unsigned char*, size_t) {
                                if (++nBlocks == 3)
                                    throw std::runtime_error("stop");
                            }),
                 std::runtime_error);
    source.m_bReturned = true;
    const int nReads = source.m_nReads;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(nReads, source.m_nReads);
    EXPECT_EQ(0, source.m_nReadsAfterReturn);
    EXPECT_LT(nReads, 50);  // it stopped, rather than reading the rest
}

TEST(FileBlocks, ReadAheadOnlyForLargeFiles)
{
    EXPECT_FALSE(GetFilePlan(0).m_bReadAhead);
    EXPECT_FALSE(GetFilePlan(4 * 1024 * 1024 - 1).m_bReadAhead);
    EXPECT_TRUE(GetFilePlan(4 * 1024 * 1024).m_bReadAhead);
    EXPECT_GE(GetFilePlan(1ull << 40).m_nBuffers, 2);
}

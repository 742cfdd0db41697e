// The extkit tool's checksum command run as a separate program on files made
// here (options, several files, the standard input, failures and exit
// statuses), and the ends of its block reader.
#include "FileBlocks.h"
#include "ToolRun.h"

#include "checksum/CRC.h"
#include "checksum/CheckSum.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {
std::vector<uint8_t> RandomBytes(size_t n, unsigned nSeed)
{
    std::mt19937 rng(nSeed);
    std::vector<uint8_t> v(n);
    for (uint8_t& b : v)
        b = (uint8_t)rng();
    return v;
}

// The line the tool prints for a whole file, the value computed here by the class.
std::string Line(COXCheckBase&& check, const std::vector<uint8_t>& data, int nDigits, const std::string& strName,
                 DWORD nStart = 0xFFFFFFFF, DWORD nInvert = 0)
{
    check.ChecksumBlock(data.data(), (DWORD)data.size(), nStart);
    char sz[16];
    snprintf(sz, sizeof(sz), "%0*X", nDigits, (unsigned)((check.m_nValue ^ nInvert) & (~0u >> (32 - 4 * nDigits))));
    return sz + (" " + strName + "\n");
}
}  // namespace

TEST(ToolChecksum, FilesOfEveryKindTheStandardInputWhatCannotBeReadAndBadUsage)
{
    support::CTempDir tempDir("extkit_tool_");
    const fs::path dir = tempDir.GetPath();
    const auto makeFile = [&](const std::string& strName, const std::vector<uint8_t>& content) {
        std::ofstream(dir / fs::u8path(strName), std::ios::binary)
            .write((const char*)content.data(), (std::streamsize)content.size());
        return (dir / fs::u8path(strName)).u8string();
    };
    // Just over the read-ahead size with a tail that is not a whole vector; a
    // Russian name, the standard input, and after "--" a name that looks like
    // an option; the options in both forms. A missing file, a folder and a
    // name with a terminal's escape are reported, the others done, status 1.
    const std::vector<uint8_t> large = RandomBytes(4 * 1024 * 1024 + 4093, 8),
                               digits{'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    const std::string strLarge = makeFile("large.bin", large), strRussian = makeFile(u8"счёт-фактура №5.txt", digits);
    const std::string strDash = makeFile("-dash.txt", digits);
    const std::string strMissing = (dir / "missing.txt").u8string(), strDir = (dir / "folder").u8string();
    fs::create_directory(dir / "folder");
    support::CToolRun run = support::RunTool(dir, {"checksum", "--algo=sum32", strLarge, strMissing, strLarge});
    EXPECT_EQ(1, run.m_nStatus) << run.m_strErr;
    EXPECT_EQ(Line(COXCheckSum32(), large, 8, strLarge) + Line(COXCheckSum32(), large, 8, strLarge), run.m_strOut);
    EXPECT_NE(std::string::npos, run.m_strErr.find(u8"нет такого файла: " + strMissing + "\n")) << run.m_strErr;
    // The inverted value is inverted in the algorithm's width only.
    std::vector<std::string> args = {"checksum", "--algo",   "crc16", "--poly=1021", "--start", "1D0F", "--invert",
                                     strLarge,   strRussian, strDir,  "\x1B[31m",    "-",       "--",   strDash};
#ifndef _WIN32
    // Reading a process's memory at address 0 fails: a file that opens but cannot be read.
    args.insert(args.begin() + 9, "/proc/self/mem");
    const std::string strMem = u8"ошибка чтения файла: /proc/self/mem\n";
#else
    const std::string strMem = u8"это папка";
#endif
    run = support::RunTool(dir, args, "123456789");
    EXPECT_EQ(1, run.m_nStatus) << run.m_strErr;
    EXPECT_EQ(Line(COXCRC16(), large, 4, strLarge, 0x1D0F, 0xFFFF) + "1A33 " + strRussian + "\n1A33 -\n1A33 " +
                  strDash + "\n",
              run.m_strOut);
    for (const std::string& strMessage :
         {u8"это папка, а не файл: " + strDir + "\n", std::string(u8"файла: \\x1B[31m\n"), strMem})
        EXPECT_NE(std::string::npos, run.m_strErr.find(strMessage)) << strMessage << "\n" << run.m_strErr;

    // Bad usage: status 2, the one wrong thing in UTF-8, and where the usage is told.
    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"checksum"},
                                               {"checksum", "--algo", "md5", strDash},
                                               {"checksum", "--algo", "sum8", "--poly", "7", strDash},
                                               {"checksum", "--batch", strDash}}) {
        run = support::RunTool(dir, bad);
        EXPECT_TRUE(run.m_nStatus == 2 && run.m_strOut.empty() && !run.m_strErr.empty()) << bad.back();
    }
    EXPECT_EQ(u8"extkit checksum: полином шире алгоритма crc32 (32 бита): 1FFFFFFFFF\n"
              u8"Подробнее: extkit checksum --help\n",
              support::RunTool(dir, {"checksum", "--poly", "1FFFFFFFFF", strDash}).m_strErr);
    // The batch answers every line, a bad one with #invalid and its reason by
    // its number; line ends may be CR LF.
    run = support::RunTool(dir, {"checksum", "--batch"}, "crc32\t\t\t123456789\r\nmd5\t\t\tx\ncrc16\t\t\t\n");
    EXPECT_EQ(1, run.m_nStatus);
    EXPECT_EQ("340BC6D9\tCBF43926\n#invalid\nFFFF\t0000\n", run.m_strOut);
    EXPECT_EQ(u8"extkit checksum: строка 2: неизвестный алгоритм md5\n", run.m_strErr);
}

namespace {
// Content from memory, read by position, failing from an offset on; a read
// after the reader has returned is counted.
struct CMemorySource : CBlockSource {
    explicit CMemorySource(const std::vector<uint8_t>& data, size_t nFailFrom) : m_data(data), m_nFailFrom(nFailFrom) {}
    long long ReadAt(unsigned long long nOffset, unsigned char* pBuffer, size_t nLength) override
    {
        ++m_nReads;
        m_nReadsAfterReturn += m_bReturned ? 1 : 0;
        std::this_thread::sleep_for(std::chrono::microseconds(50));
        if (nOffset + nLength > m_nFailFrom)
            return -1;
        std::copy_n(m_data.begin() + (ptrdiff_t)nOffset, nLength, pBuffer);
        return (long long)nLength;
    }
    const std::vector<uint8_t>& m_data;
    const size_t m_nFailFrom;
    std::atomic<int> m_nReads{0}, m_nReadsAfterReturn{0};
    std::atomic<bool> m_bReturned{false};
};
}  // namespace

// Whole files come through the tool's runs above; here the reader's ends: a
// failed read gives exactly the whole blocks before it, and a consumer's
// exception stops the reading rather than reading the rest, with or without
// the read-ahead thread, which never reads after the reader returned.
TEST(FileBlocks, AFailedReadOrAConsumersExceptionEndsTheReading)
{
    const size_t c_nBlock = 4096;
    const std::vector<uint8_t> data = RandomBytes(50 * c_nBlock, 4);
    for (bool bReadAhead : {false, true}) {
        for (size_t nFailAt : {(size_t)1, 5 * c_nBlock + 10, 29 * c_nBlock + 1}) {
            CMemorySource source(data, nFailAt);
            std::vector<uint8_t> got;
            EXPECT_FALSE(ReadBlocks(source, CBlockPlan{c_nBlock, 4, bReadAhead},
                                    [&](const unsigned char* p, size_t n) { got.insert(got.end(), p, p + n); }));
            source.m_bReturned = true;
            EXPECT_EQ(std::vector<uint8_t>(data.begin(), data.begin() + nFailAt / c_nBlock * c_nBlock), got) << nFailAt;
            EXPECT_EQ(0, source.m_nReadsAfterReturn);
        }
        CMemorySource source(data, data.size());
        int nBlocks = 0;
        EXPECT_THROW(ReadBlocks(source, CBlockPlan{c_nBlock, 4, bReadAhead},
                                [&](const unsigned char*, size_t) {
                                    if (++nBlocks == 3)
                                        throw std::runtime_error("stop");
                                }),
                     std::runtime_error);
        source.m_bReturned = true;
        const int nReads = source.m_nReads;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        EXPECT_EQ(nReads, source.m_nReads);
        EXPECT_LT(nReads, 50);
    }
    EXPECT_FALSE(GetFilePlan(4 * 1024 * 1024 - 1).m_bReadAhead);  // read-ahead only for large files
    EXPECT_TRUE(GetFilePlan(4 * 1024 * 1024).m_bReadAhead);
}

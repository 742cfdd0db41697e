// The extkit tool's checksum command run as a separate program on files made
// here (options, several files, the standard input, failures and exit
// statuses); its block reader, whose read-ahead thread is driven through
// sources that fail, dawdle and return less than asked; and its text edges.
#include "Console.h"
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

TEST(ToolText, Cp1251RoundTripMalformedTextAndEchoedControls)
{
    std::string strAll;
    for (int ch = 1; ch < 256; ++ch)
        strAll += (char)ch;
    EXPECT_EQ(strAll, Utf8ToCp1251(Cp1251ToUtf8(strAll)));
    // A character the code page lacks, one outside the basic plane, cut short
    // at the end and by a plain byte, stray continuations, overlong, beyond U+10FFFF.
    EXPECT_EQ("a?b a?b ?x ?? ? ? ?", Utf8ToCp1251("a\xE4\xB8\xAD"
                                                  "b a\xF0\x9F\x98\x80"
                                                  "b \xD0x \x80\xBF \xC0\x80 \xF4\x90\x80\x80 \xD0"));
    // C0, DEL and C1 (U+009B is a terminal's CSI) are escaped; the rest stays, broken UTF-8 too.
    using namespace std::string_literals;
    EXPECT_EQ(u8"a\\x1B[31m\\x09\\x0A\\x00\\x7F\\x9B\xC2\xA0Ё\\\xC2"s,
              EscapeControls(u8"a\x1B[31m\t\n\0\x7F\xC2\x9B\xC2\xA0Ё\\\xC2"s));
}

namespace {
// Content from memory, read by position, with faults on demand. Every read
// checks that the reader has not already returned.
struct CMemorySource : CBlockSource {
    explicit CMemorySource(const std::vector<uint8_t>& data) : m_data(data) {}
    long long ReadAt(unsigned long long nOffset, unsigned char* pBuffer, size_t nLength) override
    {
        ++m_nReads;
        m_nReadsAfterReturn += m_bReturned ? 1 : 0;
        std::this_thread::sleep_for(std::chrono::microseconds(m_nDelayMicroseconds));
        if ((nOffset + nLength > m_nFailFrom && nOffset < m_data.size()) || nOffset > m_data.size())
            return -1;  // a read past the end fails, as a failure after the end is no failure
        const size_t n =
            std::min<size_t>({nLength, m_data.size() - (size_t)nOffset, m_nMaxPerRead ? m_nMaxPerRead : nLength});
        std::copy_n(m_data.begin() + (ptrdiff_t)nOffset, n, pBuffer);
        return (long long)n;
    }
    const std::vector<uint8_t>& m_data;
    unsigned long long m_nFailFrom = UINT64_MAX;  // a read of the data touching this offset fails
    size_t m_nMaxPerRead = 0;                     // 0: as much as asked
    unsigned m_nDelayMicroseconds = 0;
    std::atomic<int> m_nReads{0}, m_nReadsAfterReturn{0};
    std::atomic<bool> m_bReturned{false};
};
}  // namespace

TEST(FileBlocks, EveryKindOfSourceComesThroughWholeAndInOrderAndAFailureEndsTheReading)
{
    // Sizes around a block; reads that return less than asked (pipes,
    // interrupted calls) still give whole blocks; a slow source or a slow
    // consumer makes each side wait for the other in turn; blocks read ahead
    // past the end are never handed over (repeated, for the races); a failed
    // read gives exactly the whole blocks before it.
    const size_t c_nBlock = 4096, n = 13 * c_nBlock + 77;
    const struct {
        size_t nSize, nMaxPerRead, nFailFrom;
        unsigned nReadDelay, nHandlerDelay;
        int nRepeat;
    } aCases[] = {{0, 0, SIZE_MAX, 0, 0, 1},
                  {c_nBlock - 1, 0, SIZE_MAX, 0, 0, 1},
                  {c_nBlock + 1, 0, SIZE_MAX, 0, 0, 1},
                  {n, 1000, SIZE_MAX, 0, 0, 1},
                  {n, 0, SIZE_MAX, 300, 300, 1},
                  {n, 0, SIZE_MAX, 0, 200, 10},
                  {n, 0, 0, 0, 0, 1},
                  {n, 0, 1, 0, 0, 1},
                  {n, 0, 5 * c_nBlock + 10, 0, 0, 1},
                  {n, 0, 12 * c_nBlock + 1, 0, 0, 1}};
    for (const auto& c : aCases) {
        const std::vector<uint8_t> data = RandomBytes(c.nSize, (unsigned)c.nSize);
        const bool bFails = c.nFailFrom < c.nSize;
        const size_t nGood = bFails ? c.nFailFrom / c_nBlock * c_nBlock : c.nSize;
        for (int nBuffers : {1, 2, 8}) {
            for (int i = 0; i < 2 * c.nRepeat; ++i) {
                CMemorySource source(data);
                source.m_nMaxPerRead = c.nMaxPerRead;
                source.m_nFailFrom = c.nFailFrom;
                source.m_nDelayMicroseconds = c.nReadDelay;
                const std::thread::id caller = std::this_thread::get_id();
                std::vector<uint8_t> got;
                size_t nBlocks = 0;
                EXPECT_EQ(!bFails,
                          ReadBlocks(source, CBlockPlan{c_nBlock, nBuffers, i % 2 != 0},
                                     [&](const unsigned char* p, size_t nLength) {
                                         EXPECT_TRUE(caller == std::this_thread::get_id() && nLength != 0);
                                         got.insert(got.end(), p, p + nLength);
                                         ++nBlocks;
                                         std::this_thread::sleep_for(std::chrono::microseconds(c.nHandlerDelay));
                                     }));
                source.m_bReturned = true;
                EXPECT_EQ(0, source.m_nReadsAfterReturn);
                EXPECT_EQ(std::vector<uint8_t>(data.begin(), data.begin() + nGood), got)
                    << &c - aCases << " buffers " << nBuffers << " read-ahead " << i % 2;
                EXPECT_EQ((nGood + c_nBlock - 1) / c_nBlock, nBlocks) << &c - aCases;
            }
        }
    }

    // A consumer's exception stops the reading rather than reading the rest.
    const std::vector<uint8_t> data = RandomBytes(50 * c_nBlock, 4);
    CMemorySource source(data);
    source.m_nDelayMicroseconds = 100;
    int nBlocks = 0;
    EXPECT_THROW(ReadBlocks(source, CBlockPlan{c_nBlock, 4, true},
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

    EXPECT_FALSE(GetFilePlan(4 * 1024 * 1024 - 1).m_bReadAhead);  // read-ahead only for large files
    EXPECT_TRUE(GetFilePlan(4 * 1024 * 1024).m_bReadAhead);
}

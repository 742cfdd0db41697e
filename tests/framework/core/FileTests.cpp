// CFile on real files (open errors with cause and name, the throwing
// constructor, read/write/seek/length) and CMemFile.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include <afx.h>

#include "ToolRun.h"

namespace {

// A file's name in a fresh folder, its bytes as they are (Windows-1251), not
// read as UTF-8 as a path would.
CString PathIn(const support::CTempDir& dir, const char* pszName)
{
    return CString((dir.GetPath() / "").string().c_str()) + pszName;
}

void WriteText(const CString& strPath, const char* pszText)
{
    CFile file(strPath, CFile::modeCreate | CFile::modeWrite);
    file.Write(pszText, (UINT)std::strlen(pszText));
    file.Close();
}

// Runs f and returns the exception of type E it threw (to be deleted), or NULL.
template <class E = CFileException, class F>
E* Thrown(F f)
{
    try {
        f();
    } catch (E* e) {
        return e;
    }
    return NULL;
}

TEST(File, OpenFailuresReportCauseAndName)
{
    support::CTempDir dir("core_");
    CString strMissing = PathIn(dir, "нет такого.txt");
    CString strFile = PathIn(dir, "plain.txt");
    WriteText(strFile, "x");
#ifdef _WIN32
    CString strThroughFile = strFile + "\\inside.txt";
#else
    CString strThroughFile = strFile + "/inside.txt";
#endif
    CString strDir = strFile.Left(strFile.GetLength() - 10);
    const struct {
        CString strPath;
        int nCause;
    } aCases[] = {
        {strMissing, CFileException::fileNotFound},
        {strThroughFile, CFileException::badPath},
        {strDir, CFileException::accessDenied},  // a directory is not a file
    };
    for (const auto& c : aCases) {
        CFile file;
        CFileException e(CFileException::none, 0, NULL);
        e.m_bAutoDelete = FALSE;
        EXPECT_FALSE(file.Open(c.strPath, CFile::modeRead | CFile::shareDenyWrite, &e)) << (LPCSTR)c.strPath;
        EXPECT_EQ(e.m_cause, c.nCause) << (LPCSTR)c.strPath;
        EXPECT_STREQ(e.m_strFileName, c.strPath);
        EXPECT_EQ(file.m_hFile, CFile::hFileNull);
    }

    CFile file;
    CFileException e(CFileException::none, 0, NULL);
    e.m_bAutoDelete = FALSE;
    file.Open(strMissing, CFile::modeRead, &e);
#ifdef _WIN32
    EXPECT_EQ(e.m_lOsError, (LONG)ERROR_FILE_NOT_FOUND);
#else
    EXPECT_EQ(e.m_lOsError, ENOENT);
#endif
    char szMessage[512];
    EXPECT_TRUE(e.GetErrorMessage(szMessage, sizeof(szMessage)) && std::strstr(szMessage, "нет такого.txt"))
        << szMessage;
    EXPECT_FALSE(file.Open(strMissing, CFile::modeRead));  // no pError: just FALSE

    // The constructor throws instead.
    CFileException* pThrown = Thrown([&] { CFile opened(strMissing, CFile::modeRead); });
    ASSERT_NE(pThrown, nullptr);
    EXPECT_EQ(pThrown->m_cause, CFileException::fileNotFound);
    EXPECT_STREQ(pThrown->m_strFileName, strMissing);
    pThrown->Delete();
}

TEST(File, WriteReadSeekLengthRoundTrip)
{
    support::CTempDir dir("core_");
    CString strPath = PathIn(dir, "data.bin");
    std::vector<BYTE> data(100000);
    for (size_t i = 0; i < data.size(); i++)
        data[i] = (BYTE)(i * 31 + 7);
    {
        CFile file(strPath, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive);
        file.Write(data.data(), (UINT)data.size());
        EXPECT_EQ(file.GetPosition(), 100000u);
        EXPECT_EQ(file.Seek(-10, CFile::end), 99990u);
        EXPECT_EQ(file.Seek(5, CFile::current), 99995u);
        file.SeekToBegin();
        EXPECT_EQ(file.SeekToEnd(), 100000u);
        file.SetLength(60000);
        EXPECT_EQ(file.GetLength(), 60000u);
        EXPECT_EQ(file.GetPosition(), 60000u);
        file.Flush();
        file.Close();
        EXPECT_EQ(file.m_hFile, CFile::hFileNull);
        file.Close();  // closing twice is harmless
    }
    CFile file(strPath, CFile::modeRead | CFile::shareDenyNone);
    std::vector<BYTE> back(70000);
    EXPECT_EQ(file.Read(back.data(), 50000), 50000u);
    EXPECT_EQ(file.Read(back.data() + 50000, 20000), 10000u);  // short only at the end
    EXPECT_EQ(file.Read(back.data(), 10), 0u);
    EXPECT_EQ(std::memcmp(back.data(), data.data(), 60000), 0);
    file.Seek(59999, CFile::begin);
    BYTE last = 0;
    EXPECT_EQ(file.Read(&last, 1), 1u);
    EXPECT_EQ(last, data[59999]);
}

TEST(File, CreateTruncatesUnlessNoTruncateAndABadSeekOrWriteThrows)
{
    support::CTempDir dir("core_");
    CString strPath = PathIn(dir, "keep.txt");
    WriteText(strPath, "содержимое");
    {
        CFile file(strPath, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        EXPECT_EQ(10u, file.GetLength());
        file.SeekToEnd();
        file.Write("!", 1);
    }
    CFile file(strPath, CFile::modeRead);
    char sz[32] = {0};
    EXPECT_EQ(11u, file.Read(sz, sizeof(sz) - 1));
    EXPECT_STREQ("содержимое!", sz);
    // Before the start: the position stays; writing a file opened for reading.
    file.Seek(4, CFile::begin);
    CFileException* e = Thrown([&] { file.Seek(-5, CFile::current); });
    ASSERT_NE(nullptr, e);
    EXPECT_EQ(CFileException::badSeek, e->m_cause);
    EXPECT_STREQ(file.GetFilePath(), e->m_strFileName);
    e->Delete();
    EXPECT_EQ(4u, file.GetPosition());
    e = Thrown([&] { file.Write("x", 1); });
    ASSERT_NE(nullptr, e);
    EXPECT_NE(CFileException::none, e->m_cause);
    EXPECT_STREQ(file.GetFilePath(), e->m_strFileName);
    e->Delete();
    file.Close();
    CFile truncated(strPath, CFile::modeCreate | CFile::modeWrite);
    EXPECT_EQ(0u, truncated.GetLength());
}

TEST(File, NamesAnAttachedHandleAndAnArchiveOnTheFile)
{
    support::CTempDir dir("core_");
    CString strPath = PathIn(dir, "отчёт.2024.txt");
    {
        CFile file(strPath, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        EXPECT_STREQ(file.GetFilePath(), ar.m_strFileName);
        ar << CString("Привет") << (LONG)42;
    }
    CFile file(strPath, CFile::modeRead);
    EXPECT_STREQ(strPath, file.GetFilePath());
    EXPECT_STREQ("отчёт.2024.txt", file.GetFileName());
    EXPECT_STREQ("отчёт.2024", file.GetFileTitle());
    {
        // A view of the same handle does not close it.
        CFile view(file.m_hFile);
        BYTE b = 0;
        EXPECT_EQ(1u, view.Read(&b, 1));
        EXPECT_EQ(6, b);
    }
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load);
        CString s;
        LONG l = 0;
        ar >> s >> l;
        EXPECT_TRUE(s == "Привет" && l == 42);
        int nCause = -1;
        try {
            ar >> l;
        } catch (CArchiveException* e) {
            nCause = e->m_cause;
            e->Delete();
        }
        EXPECT_EQ(CArchiveException::endOfFile, nCause);
    }
    file.Abort();
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);
    EXPECT_STREQ("", file.GetFilePath());
    file.Abort();  // never throws, also when closed
}

TEST(MemFile, GrowsAndReadsBack)
{
    CMemFile file(16);
    for (int i = 0; i < 1000; i++) {
        BYTE b = (BYTE)i;
        file.Write(&b, 1);
    }
    EXPECT_EQ(file.GetLength(), 1000u);
    file.Seek(998, CFile::begin);
    BYTE buf[4];
    EXPECT_EQ(file.Read(buf, 4), 2u);
    EXPECT_EQ(buf[0], (BYTE)998);
    EXPECT_EQ(buf[1], (BYTE)999);
    // Writing past the end leaves a zero-filled gap.
    file.Seek(1005, CFile::begin);
    file.Write("x", 1);
    EXPECT_EQ(file.GetLength(), 1006u);
    file.Seek(1000, CFile::begin);
    BYTE gap[6];
    EXPECT_EQ(file.Read(gap, 6), 6u);
    EXPECT_EQ(std::memcmp(gap, "\0\0\0\0\0x", 6), 0);
    file.SetLength(10);
    EXPECT_EQ(file.GetPosition(), 10u);
    CFileException* e = Thrown([&] { file.Seek(-11, CFile::end); });
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->m_cause, CFileException::badSeek);
    e->Delete();
}

TEST(MemFile, FixedBlockCannotGrowAndAGrowableOneMovesToItsOwn)
{
    BYTE block[4] = {1, 2, 3, 4};
    {
        CMemFile file(block, sizeof(block));
        EXPECT_EQ(file.GetLength(), 4u);
        BYTE b;
        EXPECT_EQ(file.Read(&b, 1), 1u);
        EXPECT_EQ(b, 1);
        file.Write("\x09\x08\x07", 3);
        EXPECT_EQ(block[3], 7);
        CMemoryException* e = Thrown<CMemoryException>([&] { file.Write("z", 1); });
        ASSERT_NE(e, nullptr);
        e->Delete();
        EXPECT_EQ(file.Detach(), block);
    }
    CMemFile file(block, sizeof(block), 8);
    EXPECT_EQ(file.GetLength(), 0u);  // a growable attach starts empty
    file.Write("abcdef", 6);
    EXPECT_EQ(std::memcmp(block, "\x01\x09\x08\x07", 4), 0);  // the caller's block is left alone
    BYTE* pData = file.Detach();
    ASSERT_NE(pData, block);
    EXPECT_EQ(std::memcmp(pData, "abcdef", 6), 0);
    free(pData);
    EXPECT_EQ(file.GetLength(), 0u);
}

}  // namespace

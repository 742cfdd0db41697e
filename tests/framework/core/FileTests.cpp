// CFile on real files (open errors with cause and name, the throwing
// constructor, read/write/seek/length) and CMemFile.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "CoreTestUtil.h"
#include "afx.h"

using coretest::CTempDir;

namespace {

void WriteText(const CString& strPath, const char* pszText)
{
    CFile file(strPath, CFile::modeCreate | CFile::modeWrite);
    file.Write(pszText, (UINT)std::strlen(pszText));
    file.Close();
}

TEST(File, OpenMissingFileReportsCauseAndName)
{
    CTempDir dir;
    CString strPath = dir.Path("нет такого.txt");
    CFile file;
    CFileException e(CFileException::none, 0, NULL);
    e.m_bAutoDelete = FALSE;
    EXPECT_FALSE(file.Open(strPath, CFile::modeRead | CFile::shareDenyWrite, &e));
    EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
    EXPECT_STREQ(e.m_strFileName, strPath);
#ifdef _WIN32
    EXPECT_EQ(e.m_lOsError, (LONG)ERROR_FILE_NOT_FOUND);
#else
    EXPECT_EQ(e.m_lOsError, ENOENT);
#endif
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);
    char szMessage[512];
    EXPECT_TRUE(e.GetErrorMessage(szMessage, sizeof(szMessage)));
    EXPECT_NE(std::strstr(szMessage, "нет такого.txt"), nullptr) << szMessage;
    EXPECT_FALSE(file.Open(strPath, CFile::modeRead));  // no pError: just FALSE
}

TEST(File, ConstructorThrowsFileException)
{
    CTempDir dir;
    CString strPath = dir.Path("missing.bin");
    bool bThrown = false;
    try {
        CFile file(strPath, CFile::modeRead);
    } catch (CFileException* e) {
        bThrown = true;
        EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
        EXPECT_STREQ(e->m_strFileName, strPath);
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

TEST(File, PathThroughAFileIsABadPath)
{
    CTempDir dir;
    CString strFile = dir.Path("plain.txt");
    WriteText(strFile, "x");
#ifdef _WIN32
    CString strBad = strFile + "\\inside.txt";
#else
    CString strBad = strFile + "/inside.txt";
#endif
    CFile file;
    CFileException e(CFileException::none, 0, NULL);
    e.m_bAutoDelete = FALSE;
    EXPECT_FALSE(file.Open(strBad, CFile::modeRead, &e));
    EXPECT_EQ(e.m_cause, CFileException::badPath);
}

TEST(File, DirectoryIsNotAFile)
{
    CTempDir dir;
    CString strFile = dir.Path("x");
    CString strDir = strFile.Left(strFile.GetLength() - 2);
    CFile file;
    CFileException e(CFileException::none, 0, NULL);
    e.m_bAutoDelete = FALSE;
    EXPECT_FALSE(file.Open(strDir, CFile::modeRead, &e));
    EXPECT_EQ(e.m_cause, CFileException::accessDenied);
}

TEST(File, WriteReadSeekLengthRoundTrip)
{
    CTempDir dir;
    CString strPath = dir.Path("data.bin");
    std::vector<BYTE> data(100000);
    for (size_t i = 0; i < data.size(); i++)
        data[i] = (BYTE)(i * 31 + 7);
    {
        CFile file(strPath, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive);
        file.Write(data.data(), (UINT)data.size());
        EXPECT_EQ(file.GetPosition(), 100000u);
        EXPECT_EQ(file.GetLength(), 100000u);
        EXPECT_EQ(file.Seek(-10, CFile::end), 99990u);
        EXPECT_EQ(file.Seek(5, CFile::current), 99995u);
        file.SeekToBegin();
        EXPECT_EQ(file.GetPosition(), 0u);
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
    EXPECT_EQ(file.Read(&last, 0), 0u);
}

TEST(File, SeekBeforeStartThrowsBadSeek)
{
    CTempDir dir;
    CString strPath = dir.Path("seek.bin");
    WriteText(strPath, "0123456789");
    CFile file(strPath, CFile::modeRead);
    file.Seek(4, CFile::begin);
    bool bThrown = false;
    try {
        file.Seek(-5, CFile::current);
    } catch (CFileException* e) {
        bThrown = true;
        EXPECT_EQ(e->m_cause, CFileException::badSeek);
        EXPECT_STREQ(e->m_strFileName, file.GetFilePath());
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    EXPECT_EQ(file.GetPosition(), 4u);
}

TEST(File, CreateTruncatesUnlessNoTruncate)
{
    CTempDir dir;
    CString strPath = dir.Path("keep.txt");
    WriteText(strPath, "содержимое");
    {
        CFile file(strPath, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        EXPECT_EQ(file.GetLength(), 10u);
        file.SeekToEnd();
        file.Write("!", 1);
    }
    {
        CFile file(strPath, CFile::modeRead);
        char sz[32] = {0};
        EXPECT_EQ(file.Read(sz, sizeof(sz) - 1), 11u);
        EXPECT_STREQ(sz, "содержимое!");
    }
    CFile file(strPath, CFile::modeCreate | CFile::modeWrite);
    EXPECT_EQ(file.GetLength(), 0u);
}

TEST(File, WritingAReadOnlyFileThrows)
{
    CTempDir dir;
    CString strPath = dir.Path("ro.txt");
    WriteText(strPath, "abc");
    CFile file(strPath, CFile::modeRead);
    bool bThrown = false;
    try {
        file.Write("x", 1);
    } catch (CFileException* e) {
        bThrown = true;
        EXPECT_NE(e->m_cause, CFileException::none);
        EXPECT_STREQ(e->m_strFileName, file.GetFilePath());
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

TEST(File, NamesOfTheOpenFile)
{
    CTempDir dir;
    CString strPath = dir.Path("отчёт.2024.txt");
    WriteText(strPath, "");
    CFile file(strPath, CFile::modeRead);
    EXPECT_STREQ(file.GetFilePath(), strPath);
    EXPECT_STREQ(file.GetFileName(), "отчёт.2024.txt");
    EXPECT_STREQ(file.GetFileTitle(), "отчёт.2024");
    file.Abort();
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);
    EXPECT_STREQ(file.GetFilePath(), "");
    file.Abort();  // never throws, also when closed
}

TEST(File, AttachedHandleIsNotClosedByTheObject)
{
    CTempDir dir;
    CString strPath = dir.Path("attached.txt");
    WriteText(strPath, "hello");
    CFile owner(strPath, CFile::modeRead);
    {
        CFile view(owner.m_hFile);
        char sz[3] = {0};
        EXPECT_EQ(view.Read(sz, 2), 2u);
        EXPECT_STREQ(sz, "he");
    }
    char sz[4] = {0};
    EXPECT_EQ(owner.Read(sz, 3), 3u);  // still open after the view went away
    EXPECT_STREQ(sz, "llo");
}

TEST(File, ErrorCodesMapToCauses)
{
#ifdef _WIN32
    EXPECT_EQ(CFileException::OsErrorToException(ERROR_FILE_NOT_FOUND), CFileException::fileNotFound);
    EXPECT_EQ(CFileException::OsErrorToException(ERROR_PATH_NOT_FOUND), CFileException::badPath);
    EXPECT_EQ(CFileException::OsErrorToException(ERROR_ACCESS_DENIED), CFileException::accessDenied);
    EXPECT_EQ(CFileException::OsErrorToException(ERROR_SHARING_VIOLATION), CFileException::sharingViolation);
    EXPECT_EQ(CFileException::OsErrorToException(ERROR_LOCK_VIOLATION), CFileException::lockViolation);
    EXPECT_EQ(CFileException::OsErrorToException(ERROR_DISK_FULL), CFileException::diskFull);
    EXPECT_EQ(CFileException::OsErrorToException(ERROR_TOO_MANY_OPEN_FILES), CFileException::tooManyOpenFiles);
    EXPECT_EQ(CFileException::OsErrorToException(ERROR_NEGATIVE_SEEK), CFileException::badSeek);
    EXPECT_EQ(CFileException::OsErrorToException(ERROR_HANDLE_EOF), CFileException::endOfFile);
    EXPECT_EQ(CFileException::OsErrorToException(ERROR_INVALID_HANDLE), CFileException::invalidFile);
    EXPECT_EQ(CFileException::OsErrorToException(ERROR_CURRENT_DIRECTORY), CFileException::removeCurrentDir);
    EXPECT_EQ(CFileException::OsErrorToException(ERROR_CRC), CFileException::hardIO);
    EXPECT_EQ(CFileException::OsErrorToException(0), CFileException::none);
    EXPECT_EQ(CFileException::OsErrorToException(ERROR_NOT_ENOUGH_MEMORY), CFileException::genericException);
#else
    EXPECT_EQ(CFileException::OsErrorToException(ENOENT), CFileException::fileNotFound);
    EXPECT_EQ(CFileException::OsErrorToException(EACCES), CFileException::accessDenied);
#endif
    EXPECT_EQ(CFileException::ErrnoToException(ENOENT), CFileException::fileNotFound);
    EXPECT_EQ(CFileException::ErrnoToException(ENOTDIR), CFileException::badPath);
    EXPECT_EQ(CFileException::ErrnoToException(EMFILE), CFileException::tooManyOpenFiles);
    EXPECT_EQ(CFileException::ErrnoToException(EACCES), CFileException::accessDenied);
    EXPECT_EQ(CFileException::ErrnoToException(EBADF), CFileException::invalidFile);
    EXPECT_EQ(CFileException::ErrnoToException(ENOSPC), CFileException::diskFull);
    EXPECT_EQ(CFileException::ErrnoToException(EIO), CFileException::hardIO);
    EXPECT_EQ(CFileException::ErrnoToException(0), CFileException::none);
    EXPECT_EQ(CFileException::ErrnoToException(EDOM), CFileException::genericException);
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
    bool bThrown = false;
    try {
        file.Seek(-11, CFile::end);
    } catch (CFileException* e) {
        bThrown = true;
        EXPECT_EQ(e->m_cause, CFileException::badSeek);
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

TEST(MemFile, FixedBlockCannotGrow)
{
    BYTE block[4] = {1, 2, 3, 4};
    CMemFile file(block, sizeof(block));
    EXPECT_EQ(file.GetLength(), 4u);
    BYTE b;
    EXPECT_EQ(file.Read(&b, 1), 1u);
    EXPECT_EQ(b, 1);
    file.Write("\x09\x08\x07", 3);
    EXPECT_EQ(block[3], 7);
    bool bThrown = false;
    try {
        file.Write("z", 1);
    } catch (CMemoryException* e) {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    EXPECT_EQ(file.Detach(), block);
}

TEST(MemFile, GrowableAttachStartsEmptyAndMovesToItsOwnBlock)
{
    BYTE block[4] = {1, 2, 3, 4};
    CMemFile file(block, sizeof(block), 8);
    EXPECT_EQ(file.GetLength(), 0u);
    file.Write("abcdef", 6);
    EXPECT_EQ(std::memcmp(block, "\x01\x02\x03\x04", 4), 0);  // the caller's block is left alone
    BYTE* pData = file.Detach();
    ASSERT_NE(pData, block);
    EXPECT_EQ(std::memcmp(pData, "abcdef", 6), 0);
    free(pData);
    EXPECT_EQ(file.GetLength(), 0u);
}

}  // namespace

// CArchive: exact bytes of numbers, counts and strings, round trips, reading
// past the end, wrong-direction use, text lines, and the files beneath it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "CoreTestUtil.h"
#include "afxtempl.h"

using coretest::Bytes;
using coretest::Fill;

namespace {

typedef std::vector<BYTE> CBytes;

CBytes Head(const CBytes& bytes, size_t n) { return CBytes(bytes.begin(), bytes.begin() + (long)n); }

// Runs f and returns the cause of the CArchiveException it threw, or -1.
template <class F>
int ArchiveCause(F f)
{
    try {
        f();
    } catch (CArchiveException* e) {
        int nCause = e->m_cause;
        e->Delete();
        return nCause;
    }
    return -1;
}

TEST(Archive, NumbersAreLittleEndianWithFixedSizes)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << (BYTE)0xAB << (WORD)0x1234 << (LONG)-2 << (DWORD)0x89ABCDEF << (short)-3 << 'Я' << true << false;
        ar << (int)0x01020304 << (unsigned)0xFFFFFFFE;
        ar << (LONGLONG)-5 << (ULONGLONG)0x0102030405060708ull << 1.5f << -2.0;
    }
    CBytes expected = {0xAB, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0xEF, 0xCD, 0xAB, 0x89, 0xFD, 0xFF, 0xDF, 0x01,
                       0x00, 0x04, 0x03, 0x02, 0x01, 0xFE, 0xFF, 0xFF, 0xFF, 0xFB, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                       0xFF, 0xFF, 0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01, 0x00, 0x00, 0xC0, 0x3F, 0x00,
                       0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0};
    EXPECT_EQ(Bytes(file), expected);
}

TEST(Archive, EveryTypeRoundTrips)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << (BYTE)0 << (BYTE)255 << (WORD)65535 << (LONG)std::numeric_limits<LONG>::min()
           << (DWORD)0xFFFFFFFF << (short)-32768 << (char)-1 << true
           << (int)std::numeric_limits<int>::max() << (unsigned)12345u
           << (LONGLONG)std::numeric_limits<LONGLONG>::min() << (ULONGLONG)std::numeric_limits<ULONGLONG>::max()
           << 3.25f << -0.0 << std::numeric_limits<double>::infinity() << std::nan("");
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    BYTE b1, b2;
    WORD w;
    LONG l;
    DWORD dw;
    short sh;
    char ch;
    bool bl;
    int i;
    unsigned u;
    LONGLONG ll;
    ULONGLONG ull;
    float f;
    double d1, d2, d3;
    ar >> b1 >> b2 >> w >> l >> dw >> sh >> ch >> bl >> i >> u >> ll >> ull >> f >> d1 >> d2 >> d3;
    EXPECT_EQ(b1, 0);
    EXPECT_EQ(b2, 255);
    EXPECT_EQ(w, 65535);
    EXPECT_EQ(l, std::numeric_limits<LONG>::min());
    EXPECT_EQ(dw, 0xFFFFFFFFu);
    EXPECT_EQ(sh, -32768);
    EXPECT_EQ(ch, (char)-1);
    EXPECT_TRUE(bl);
    EXPECT_EQ(i, std::numeric_limits<int>::max());
    EXPECT_EQ(u, 12345u);
    EXPECT_EQ(ll, std::numeric_limits<LONGLONG>::min());
    EXPECT_EQ(ull, std::numeric_limits<ULONGLONG>::max());
    EXPECT_EQ(f, 3.25f);
    EXPECT_TRUE(d1 == 0.0 && std::signbit(d1));
    EXPECT_TRUE(std::isinf(d2));
    EXPECT_TRUE(std::isnan(d3));
    EXPECT_EQ(ArchiveCause([&] { ar >> b1; }), CArchiveException::endOfFile);
}

// The stored form of a string of nLength characters: the length prefix.
CBytes StringPrefix(int nLength)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << CString('ж', nLength);
    }
    CBytes bytes = Bytes(file);
    EXPECT_EQ(bytes.size() >= (size_t)nLength, true);
    return Head(bytes, bytes.size() - (size_t)nLength);
}

TEST(Archive, StringLengthEncoding)
{
    EXPECT_EQ(StringPrefix(0), CBytes({0x00}));
    EXPECT_EQ(StringPrefix(254), CBytes({0xFE}));
    EXPECT_EQ(StringPrefix(255), CBytes({0xFF, 0xFF, 0x00}));
    EXPECT_EQ(StringPrefix(65533), CBytes({0xFF, 0xFD, 0xFF}));
    EXPECT_EQ(StringPrefix(65534), CBytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(StringPrefix(65535), CBytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(StringPrefix(70000), CBytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}));
}

TEST(Archive, StringsRoundTripAtEveryLengthBoundary)
{
    const int lengths[] = {0, 1, 254, 255, 256, 65533, 65534, 65535, 70000};
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        for (int n : lengths) {
            CString s;
            LPTSTR p = s.GetBufferSetLength(n);
            for (int i = 0; i < n; i++)
                p[i] = (char)(0xC0 + (i + n) % 64);  // Cyrillic letters
            s.ReleaseBuffer(n);
            ar << s;
        }
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    for (int n : lengths) {
        CString s("не тронуто");
        ar >> s;
        ASSERT_EQ(s.GetLength(), n);
        for (int i = 0; i < n; i++)
            ASSERT_EQ((BYTE)s[i], 0xC0 + (i + n) % 64) << n << " " << i;
    }
    BYTE b;
    EXPECT_EQ(ar.Read(&b, 1), 0u);
}

TEST(Archive, CountEncodingExactBytes)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar.WriteCount(0);
        ar.WriteCount(0xFFFE);
        ar.WriteCount(0xFFFF);
        ar.WriteCount(0x12345678);
    }
    CBytes expected = {0x00, 0x00, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12};
    EXPECT_EQ(Bytes(file), expected);
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    EXPECT_EQ(ar.ReadCount(), 0u);
    EXPECT_EQ(ar.ReadCount(), 0xFFFEu);
    EXPECT_EQ(ar.ReadCount(), 0xFFFFu);
    EXPECT_EQ(ar.ReadCount(), 0x12345678u);
}

TEST(Archive, ReadingPastTheEndThrows)
{
    CMemFile file;
    Fill(file, {0x01, 0x02, 0x03});
    {
        CArchive ar(&file, CArchive::load);
        DWORD dw;
        EXPECT_EQ(ArchiveCause([&] { ar >> dw; }), CArchiveException::endOfFile);
    }
    // A string whose body is cut short.
    Fill(file, {0x05, 'a', 'b'});
    {
        CArchive ar(&file, CArchive::load);
        CString s("прежнее");
        EXPECT_EQ(ArchiveCause([&] { ar >> s; }), CArchiveException::endOfFile);
        EXPECT_STREQ(s, "прежнее");
    }
    // A huge length with nothing behind it ends the same way, without a huge allocation.
    Fill(file, {0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0x7F, 'x'});
    {
        CArchive ar(&file, CArchive::load);
        CString s;
        EXPECT_EQ(ArchiveCause([&] { ar >> s; }), CArchiveException::endOfFile);
    }
    // A length no string can have is refused at once.
    Fill(file, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 1, 0, 0, 0});
    {
        CArchive ar(&file, CArchive::load);
        CString s;
        EXPECT_EQ(ArchiveCause([&] { ar >> s; }), CArchiveException::genericException);
    }
    // A count cut short after its marker.
    Fill(file, {0xFF, 0xFF, 0x01});
    {
        CArchive ar(&file, CArchive::load);
        EXPECT_EQ(ArchiveCause([&] { ar.ReadCount(); }), CArchiveException::endOfFile);
    }
}

TEST(Archive, WrongDirectionThrows)
{
    CMemFile file;
    Fill(file, {1, 2, 3, 4});
    CArchive load(&file, CArchive::load);
    EXPECT_TRUE(load.IsLoading());
    EXPECT_FALSE(load.IsStoring());
    EXPECT_EQ(ArchiveCause([&] { load << (BYTE)1; }), CArchiveException::readOnly);
    EXPECT_EQ(ArchiveCause([&] { load << CString("x"); }), CArchiveException::readOnly);
    EXPECT_EQ(ArchiveCause([&] { load.Write("x", 1); }), CArchiveException::readOnly);
    EXPECT_EQ(ArchiveCause([&] { load.WriteCount(1); }), CArchiveException::readOnly);

    CMemFile out;
    CArchive store(&out, CArchive::store);
    BYTE b;
    CString s;
    EXPECT_EQ(ArchiveCause([&] { store >> b; }), CArchiveException::writeOnly);
    EXPECT_EQ(ArchiveCause([&] { store >> s; }), CArchiveException::writeOnly);
    EXPECT_EQ(ArchiveCause([&] { store.Read(&b, 1); }), CArchiveException::writeOnly);
    EXPECT_EQ(ArchiveCause([&] { store.ReadCount(); }), CArchiveException::writeOnly);
}

TEST(Archive, WideStringsAreConvertedToTheCodePage)
{
    CMemFile file;
    // Marker 0xFF 0xFFFE, three characters: 'A', U+0416 (Ж), U+0451 (ё).
    Fill(file, {0xFF, 0xFE, 0xFF, 0x03, 0x41, 0x00, 0x16, 0x04, 0x51, 0x04});
    CArchive ar(&file, CArchive::load);
    CString s;
    ar >> s;
    EXPECT_STREQ(s, "AЖё");
}

TEST(Archive, TextLines)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar.WriteString("первая\r\n");
        ar.WriteString("вторая\n\n");
        ar.WriteString("последняя без перевода");
    }
    EXPECT_EQ(Bytes(file).size(), 8u + 8u + 22u);
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load, 128);
        CString s;
        EXPECT_TRUE(ar.ReadString(s));
        EXPECT_STREQ(s, "первая");
        EXPECT_TRUE(ar.ReadString(s));
        EXPECT_STREQ(s, "вторая");
        EXPECT_TRUE(ar.ReadString(s));
        EXPECT_STREQ(s, "");
        EXPECT_TRUE(ar.ReadString(s));
        EXPECT_STREQ(s, "последняя без перевода");
        EXPECT_FALSE(ar.ReadString(s));
        EXPECT_STREQ(s, "");
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    char sz[5];
    EXPECT_STREQ(ar.ReadString(sz, 5), "перв");  // at most nMax - 1 characters
    EXPECT_STREQ(ar.ReadString(sz, 5), "ая");
    EXPECT_STREQ(ar.ReadString(sz, 5), "втор");
    EXPECT_STREQ(ar.ReadString(sz, 5), "ая");
    EXPECT_STREQ(ar.ReadString(sz, 5), "");
    EXPECT_STREQ(ar.ReadString(sz, 5), "посл");
    EXPECT_STREQ(ar.ReadString(sz, 1), "");  // no room, but not at the end yet
    while (ar.ReadString(sz, 5) != NULL) {
    }
    EXPECT_EQ(ar.ReadString(sz, 5), nullptr);
    EXPECT_EQ(ar.ReadString(sz, 1), nullptr);
}

TEST(Archive, LargeBlocksAroundTheBuffer)
{
    std::vector<BYTE> big(100000);
    for (size_t i = 0; i < big.size(); i++)
        big[i] = (BYTE)(i % 251);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store, 256);
        ar << (BYTE)7;
        ar.Write(big.data(), (UINT)big.size());
        ar << (WORD)0xBEEF;
        ar.Write(big.data(), 100);
    }
    EXPECT_EQ(file.GetLength(), 1u + 100000u + 2u + 100u);
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load, 256);
    BYTE b;
    ar >> b;
    std::vector<BYTE> back(100000);
    EXPECT_EQ(ar.Read(back.data(), 60000), 60000u);
    EXPECT_EQ(ar.Read(back.data() + 60000, 40000), 40000u);
    EXPECT_EQ(back, big);
    WORD w;
    ar >> w;
    EXPECT_EQ(w, 0xBEEF);
    EXPECT_EQ(ar.Read(back.data(), 1000), 100u);  // short only at the end
    EXPECT_EQ(std::memcmp(back.data(), big.data(), 100), 0);
}

TEST(Archive, FlushGivesBackReadAheadAndCloseDetaches)
{
    CMemFile file;
    Fill(file, {1, 2, 3, 4, 5, 6, 7, 8});
    {
        CArchive ar(&file, CArchive::load);
        WORD w;
        ar >> w;
        EXPECT_EQ(ar.GetFile(), &file);
        ar.Close();
        EXPECT_EQ(ar.GetFile(), nullptr);
    }
    EXPECT_EQ(file.GetPosition(), 2u);  // where the reader stopped, not where the buffer did

    CMemFile out;
    {
        CArchive ar(&out, CArchive::store);
        ar << (DWORD)1;
        EXPECT_EQ(out.GetLength(), 0u);  // still in the buffer
        ar.Flush();
        EXPECT_EQ(out.GetLength(), 4u);
        ar << (DWORD)2;
    }
    EXPECT_EQ(out.GetLength(), 8u);  // the destructor flushes

    CMemFile dropped;
    {
        CArchive ar(&dropped, CArchive::store | CArchive::bNoFlushOnDelete);
        ar << (DWORD)1;
    }
    EXPECT_EQ(dropped.GetLength(), 0u);
    {
        CArchive ar(&dropped, CArchive::store);
        ar << (DWORD)1;
        ar.Abort();
    }
    EXPECT_EQ(dropped.GetLength(), 0u);
}

TEST(Archive, UserBufferIsUsed)
{
    BYTE buffer[256];
    std::memset(buffer, 0, sizeof(buffer));
    CMemFile file;
    CArchive ar(&file, CArchive::store, sizeof(buffer), buffer);
    ar << (DWORD)0xA1B2C3D4;
    EXPECT_EQ(buffer[0], 0xD4);
    EXPECT_EQ(buffer[3], 0xA1);
}

// A file that fails every write, to see what the archive does with it.
class CFailingFile : public CMemFile {
public:
    void Write(const void*, UINT) override { AfxThrowFileException(CFileException::diskFull, -1, "failing"); }
};

TEST(Archive, FileErrorsPassThroughAndTheDestructorSwallowsThem)
{
    CFailingFile file;
    bool bThrown = false;
    {
        CArchive ar(&file, CArchive::store, 128);
        std::vector<BYTE> data(1000);
        try {
            ar.Write(data.data(), (UINT)data.size());
        } catch (CFileException* e) {
            bThrown = true;
            EXPECT_EQ(e->m_cause, CFileException::diskFull);
            e->Delete();
        }
        ar << (BYTE)1;
        // The destructor's flush fails too; it must not escape.
    }
    EXPECT_TRUE(bThrown);
}

struct ACCEL_RECORD {
    BYTE fVirt;
    BYTE bFiller;
    WORD wKey;
    DWORD dwCmd;
};

TEST(ArchiveArrays, SerializeCountThenElements)
{
    CMemFile file;
    {
        CArray<ACCEL_RECORD, ACCEL_RECORD&> arr;
        ACCEL_RECORD rec = {0x08, 0, 0x41, 0x12345678};
        arr.Add(rec);
        rec.fVirt = 0x14;
        rec.wKey = 0x70;
        rec.dwCmd = 32771;
        arr.Add(rec);
        CArchive ar(&file, CArchive::store);
        arr.Serialize(ar);
    }
    CBytes expected = {0x02, 0x00, 0x08, 0x00, 0x41, 0x00, 0x78, 0x56, 0x34, 0x12,
                       0x14, 0x00, 0x70, 0x00, 0x03, 0x80, 0x00, 0x00};
    EXPECT_EQ(Bytes(file), expected);
    file.SeekToBegin();
    CArray<ACCEL_RECORD, ACCEL_RECORD&> back;
    back.SetSize(5);
    CArchive ar(&file, CArchive::load);
    back.Serialize(ar);
    ASSERT_EQ(back.GetSize(), 2);
    EXPECT_EQ(back[1].fVirt, 0x14);
    EXPECT_EQ(back[1].wKey, 0x70);
    EXPECT_EQ(back[1].dwCmd, 32771u);
}

TEST(ArchiveArrays, StringAndIntegerArraysRoundTrip)
{
    CMemFile file;
    {
        CStringArray strings;
        strings.Add("Иванов");
        strings.Add("");
        strings.Add(CString('я', 300));
        CDWordArray dwords;
        for (DWORD i = 0; i < 70000; i++)
            dwords.Add(i * 3);
        CArchive ar(&file, CArchive::store);
        strings.Serialize(ar);
        dwords.Serialize(ar);
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CStringArray strings;
    strings.Serialize(ar);
    CDWordArray dwords;
    dwords.Serialize(ar);
    ASSERT_EQ(strings.GetSize(), 3);
    EXPECT_STREQ(strings[0], "Иванов");
    EXPECT_STREQ(strings[1], "");
    EXPECT_EQ(strings[2], CString('я', 300));
    ASSERT_EQ(dwords.GetSize(), 70000);
    EXPECT_EQ(dwords[69999], 69999u * 3);
}

TEST(ArchiveArrays, HugeCountWithoutElementsEndsInEndOfFile)
{
    CMemFile file;
    Fill(file, {0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0x0F, 1, 2, 3, 4});
    CArchive ar(&file, CArchive::load);
    CDWordArray arr;
    EXPECT_EQ(ArchiveCause([&] { arr.Serialize(ar); }), CArchiveException::endOfFile);
    EXPECT_LT(arr.GetSize(), 1000000);
}

TEST(ArchiveArrays, PointerArraysCannotBeStored)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    CPtrArray arr;
    arr.Add(&file);
    bool bThrown = false;
    try {
        arr.Serialize(ar);
    } catch (CNotSupportedException* e) {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

// A file that records the sizes the archive asks it for.
class CRecordingFile : public CMemFile {
public:
    std::vector<UINT> m_reads;
    UINT Read(void* lpBuf, UINT nCount) override
    {
        m_reads.push_back(nCount);
        return CMemFile::Read(lpBuf, nCount);
    }
};

TEST(Archive, ReadsGoThroughTheVirtualFile)
{
    CRecordingFile file;
    CBytes data(1000, 0x11);
    Fill(file, data);
    CArchive ar(&file, CArchive::load, 512);
    DWORD dw;
    ar >> dw;
    EXPECT_EQ(dw, 0x11111111u);
    ASSERT_FALSE(file.m_reads.empty());
    EXPECT_EQ(file.m_reads[0], 512u);
}

TEST(Archive, StringsOnARealFile)
{
    coretest::CTempDir dir;
    CString strPath = dir.Path("archive.dat");
    {
        CFile file(strPath, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        EXPECT_STREQ(ar.m_strFileName, file.GetFilePath());
        ar << CString("Привет") << (LONG)42;
        ar.Close();
        file.Close();
    }
    CFile file(strPath, CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    CString s;
    LONG l;
    ar >> s >> l;
    EXPECT_STREQ(s, "Привет");
    EXPECT_EQ(l, 42);
    int nCause = ArchiveCause([&] { ar >> l; });
    EXPECT_EQ(nCause, CArchiveException::endOfFile);
}

}  // namespace

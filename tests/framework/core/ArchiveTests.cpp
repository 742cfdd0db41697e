// CArchive: exact bytes of numbers, counts and strings, round trips, reading
// past the end, wrong-direction use, text lines, and the files beneath it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include <afxtempl.h>

namespace {

typedef std::vector<BYTE> CBytes;

// The whole content of a memory file; the position is left unchanged.
CBytes Bytes(CMemFile& file)
{
    const ULONGLONG nPos = file.GetPosition();
    CBytes bytes((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(bytes.data(), (UINT)bytes.size());
    file.Seek((LONGLONG)nPos, CFile::begin);
    return bytes;
}

// A memory file holding the bytes, positioned at the start.
void Fill(CMemFile& file, const CBytes& bytes)
{
    file.Write(bytes.data(), (UINT)bytes.size());
    file.SeekToBegin();
}

// Runs f and returns the cause of the exception of type E it threw, or -1.
template <class E = CArchiveException, class F>
int Cause(F f)
{
    try {
        f();
    } catch (E* e) {
        int nCause = e->m_cause;
        e->Delete();
        return nCause;
    }
    return -1;
}

TEST(Archive, NumbersAreLittleEndianWithFixedSizesAndReadBack)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << (BYTE)0xAB << (WORD)0x1234 << (LONG)-2 << (DWORD)0x89ABCDEF << (short)-3 << 'Я' << true << false;
        ar << (int)0x01020304 << (unsigned)0xFFFFFFFE;
        ar << (LONGLONG)-5 << (ULONGLONG)0x0102030405060708ull << 1.5f << -2.0;
        ar << std::numeric_limits<LONGLONG>::min() << -0.0 << std::numeric_limits<double>::infinity() << std::nan("");
    }
    CBytes expected = {0xAB, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0xEF, 0xCD, 0xAB, 0x89, 0xFD, 0xFF,
                       0xDF, 0x01, 0x00, 0x04, 0x03, 0x02, 0x01, 0xFE, 0xFF, 0xFF, 0xFF, 0xFB, 0xFF,
                       0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02,
                       0x01, 0x00, 0x00, 0xC0, 0x3F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0};
    CBytes bytes = Bytes(file);
    ASSERT_EQ(bytes.size(), expected.size() + 32);
    EXPECT_EQ(CBytes(bytes.begin(), bytes.begin() + (long)expected.size()), expected);

    // Loaded and stored again, every value gives back its exact bytes.
    file.SeekToBegin();
    CMemFile again;
    {
        CArchive ar(&file, CArchive::load), out(&again, CArchive::store);
        // clang-format off
        BYTE b; WORD w; LONG l; DWORD dw; short sh; char ch; bool b1, b2; int i; unsigned u; LONGLONG ll, llMin;
        ULONGLONG ull; float f; double d, dZero, dInf, dNan;
        // clang-format on
        ar >> b >> w >> l >> dw >> sh >> ch >> b1 >> b2 >> i >> u >> ll >> ull >> f >> d >> llMin >> dZero >> dInf >>
            dNan;
        out << b << w << l << dw << sh << ch << b1 << b2 << i << u << ll << ull << f << d << llMin << dZero << dInf
            << dNan;
        EXPECT_EQ(Cause([&] { ar >> b; }), CArchiveException::endOfFile);
    }
    EXPECT_EQ(Bytes(again), bytes);
}

TEST(Archive, StringLengthPrefixesAndRoundTripsAtEveryBoundary)
{
    const struct {
        int nLength;
        CBytes prefix;
    } aCases[] = {
        // clang-format off
        {0, {0x00}}, {1, {0x01}}, {254, {0xFE}}, {255, {0xFF, 0xFF, 0x00}}, {256, {0xFF, 0x00, 0x01}},
        {65533, {0xFF, 0xFD, 0xFF}}, {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}}, {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
        // clang-format on
    };
    for (const auto& c : aCases) {
        SCOPED_TRACE(c.nLength);
        CString s;
        LPTSTR p = s.GetBufferSetLength(c.nLength);
        for (int i = 0; i < c.nLength; i++)
            p[i] = (char)(0xC0 + (i + c.nLength) % 64);  // Cyrillic letters
        s.ReleaseBuffer(c.nLength);
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            ar << s;
        }
        CBytes bytes = Bytes(file);
        ASSERT_EQ(bytes.size(), c.prefix.size() + (size_t)c.nLength);
        EXPECT_EQ(CBytes(bytes.begin(), bytes.begin() + (long)c.prefix.size()), c.prefix);
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        CString back("не тронуто");
        ar >> back;
        EXPECT_TRUE(back == s);
        BYTE b;
        EXPECT_EQ(ar.Read(&b, 1), 0u);
    }
}

TEST(Archive, CountEncodingExactBytes)
{
    CMemFile file;
    const DWORD aCounts[] = {0, 0xFFFE, 0xFFFF, 0x12345678};
    {
        CArchive ar(&file, CArchive::store);
        for (DWORD n : aCounts)
            ar.WriteCount(n);
    }
    CBytes expected = {0x00, 0x00, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12};
    EXPECT_EQ(Bytes(file), expected);
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    for (DWORD n : aCounts)
        EXPECT_EQ(ar.ReadCount(), n);
}

TEST(Archive, TruncatedOrImpossibleInputThrows)
{
    const struct {
        CBytes bytes;
        int nRead;  // 0: a DWORD, 1: a string, 2: a count
        int nCause;
    } aCases[] = {
        {{0x01, 0x02, 0x03}, 0, CArchiveException::endOfFile},
        {{0x05, 'a', 'b'}, 1, CArchiveException::endOfFile},  // a string body cut short
        // A huge length with nothing behind it, without a huge allocation.
        {{0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0x7F, 'x'}, 1, CArchiveException::endOfFile},
        // A length no string can have is refused at once.
        {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 1, 0, 0, 0}, 1, CArchiveException::genericException},
        {{0xFF, 0xFF, 0x01}, 2, CArchiveException::endOfFile},  // a count cut short after its marker
    };
    for (const auto& c : aCases) {
        CMemFile file;
        Fill(file, c.bytes);
        CArchive ar(&file, CArchive::load);
        DWORD dw;
        CString s("прежнее");
        EXPECT_EQ(Cause([&] {
                      if (c.nRead == 0)
                          ar >> dw;
                      else if (c.nRead == 1)
                          ar >> s;
                      else
                          ar.ReadCount();
                  }),
                  c.nCause)
            << &c - aCases;
        EXPECT_STREQ(s, "прежнее");
    }
}

TEST(Archive, WrongDirectionThrows)
{
    CMemFile file, out;
    Fill(file, {1, 2, 3, 4});
    CArchive load(&file, CArchive::load), store(&out, CArchive::store);
    BYTE b;
    CString s;
    EXPECT_EQ(CArchiveException::readOnly, Cause([&] { load << (BYTE)1; }));
    EXPECT_EQ(CArchiveException::readOnly, Cause([&] { load << CString("x"); }));
    EXPECT_EQ(CArchiveException::readOnly, Cause([&] { load.Write("x", 1); }));
    EXPECT_EQ(CArchiveException::readOnly, Cause([&] { load.WriteCount(1); }));
    EXPECT_EQ(CArchiveException::writeOnly, Cause([&] { store >> b; }));
    EXPECT_EQ(CArchiveException::writeOnly, Cause([&] { store >> s; }));
    EXPECT_EQ(CArchiveException::writeOnly, Cause([&] { store.Read(&b, 1); }));
    EXPECT_EQ(CArchiveException::writeOnly, Cause([&] { store.ReadCount(); }));
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
        for (const char* pszLine : {"первая", "вторая", "", "последняя без перевода"}) {
            EXPECT_TRUE(ar.ReadString(s));
            EXPECT_STREQ(s, pszLine);
        }
        EXPECT_FALSE(ar.ReadString(s));
        EXPECT_STREQ(s, "");
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    char sz[5];
    // At most nMax - 1 characters at a time.
    for (const char* pszPart : {"перв", "ая", "втор", "ая", "", "посл"})
        EXPECT_STREQ(ar.ReadString(sz, 5), pszPart);
    EXPECT_STREQ(ar.ReadString(sz, 1), "");  // no room, but not at the end yet
    while (ar.ReadString(sz, 5) != NULL) {
    }
    EXPECT_EQ(ar.ReadString(sz, 5), nullptr);
    EXPECT_EQ(ar.ReadString(sz, 1), nullptr);
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

TEST(Archive, LargeBlocksAroundTheBufferGoThroughTheVirtualFile)
{
    std::vector<BYTE> big(100000);
    for (size_t i = 0; i < big.size(); i++)
        big[i] = (BYTE)(i % 251);
    CRecordingFile file;
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
    ASSERT_FALSE(file.m_reads.empty());
    EXPECT_EQ(file.m_reads[0], 256u);
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
    {
        CArchive ar(&dropped, CArchive::store);
        ar << (DWORD)1;
        ar.Abort();
    }
    EXPECT_EQ(dropped.GetLength(), 0u);
}

// A file that fails every write, to see what the archive does with it.
class CFailingFile : public CMemFile {
public:
    void Write(const void*, UINT) override { AfxThrowFileException(CFileException::diskFull, -1, "failing"); }
};

TEST(Archive, FileErrorsPassThroughAndTheDestructorSwallowsThem)
{
    CFailingFile file;
    {
        CArchive ar(&file, CArchive::store, 128);
        std::vector<BYTE> data(1000);
        EXPECT_EQ(Cause<CFileException>([&] { ar.Write(data.data(), (UINT)data.size()); }), CFileException::diskFull);
        ar << (BYTE)1;
        // The destructor's flush fails too; it must not escape.
    }
}

struct ACCEL_RECORD {
    BYTE fVirt;
    BYTE bFiller;
    WORD wKey;
    DWORD dwCmd;
};

TEST(ArchiveArrays, CountThenElementsRoundTripAndHostileCounts)
{
    CMemFile file;
    {
        CArray<ACCEL_RECORD, ACCEL_RECORD&> records;
        ACCEL_RECORD aRecs[] = {{0x08, 0, 0x41, 0x12345678}, {0x14, 0, 0x70, 32771}};
        records.Add(aRecs[0]);
        records.Add(aRecs[1]);
        CStringArray strings;
        strings.Add("Иванов");
        strings.Add("");
        strings.Add(CString('я', 300));
        CDWordArray dwords;
        for (DWORD i = 0; i < 70000; i++)
            dwords.Add(i * 3);
        CArchive ar(&file, CArchive::store);
        records.Serialize(ar);
        strings.Serialize(ar);
        dwords.Serialize(ar);
    }
    // Plain records: the count, then each record's bytes as they lie.
    const CBytes expected = {0x02, 0x00, 0x08, 0x00, 0x41, 0x00, 0x78, 0x56, 0x34,
                             0x12, 0x14, 0x00, 0x70, 0x00, 0x03, 0x80, 0x00, 0x00};
    const CBytes bytes = Bytes(file);
    EXPECT_EQ(expected, CBytes(bytes.begin(), bytes.begin() + expected.size()));
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load);
        CArray<ACCEL_RECORD, ACCEL_RECORD&> records;
        records.SetSize(5);
        CStringArray strings;
        CDWordArray dwords;
        records.Serialize(ar);
        strings.Serialize(ar);
        dwords.Serialize(ar);
        EXPECT_TRUE(records.GetSize() == 2 && records[1].fVirt == 0x14 && records[1].wKey == 0x70 &&
                    records[1].dwCmd == 32771u);
        EXPECT_TRUE(strings.GetSize() == 3 && strings[0] == "Иванов" && strings[1] == "" &&
                    strings[2] == CString('я', 300));
        EXPECT_TRUE(dwords.GetSize() == 70000 && dwords[69999] == 69999u * 3);
    }

    // A huge count with little behind it ends in endOfFile without a huge
    // allocation; pointers cannot be stored.
    CMemFile hostile;
    Fill(hostile, {0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0x0F, 1, 2, 3, 4});
    {
        CArchive ar(&hostile, CArchive::load);
        CDWordArray arr;
        EXPECT_EQ(CArchiveException::endOfFile, Cause([&] { arr.Serialize(ar); }));
        EXPECT_LT(arr.GetSize(), 1000000);
    }
    CMemFile out;
    CArchive ar(&out, CArchive::store);
    CPtrArray pointers;
    pointers.Add(&out);
    bool bThrown = false;
    try {
        pointers.Serialize(ar);
    } catch (CNotSupportedException* e) {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

}  // namespace

// Feeds arbitrary bytes to the archive reader: counts, strings, numbers, text
// lines and serialized arrays, in an order the input itself chooses. Whatever
// is read must store and load back to the same value.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include <afxtempl.h>

namespace {

struct CRecord {
    BYTE fVirt;
    BYTE bFiller;
    WORD wKey;
    DWORD dwCmd;
};

void Check(bool bCondition)
{
    if (!bCondition)
        __builtin_trap();
}

// Stores a value with fnStore, loads it with fnLoad and returns the loaded one.
template <class TStore, class TLoad>
void RoundTrip(TStore fnStore, TLoad fnLoad)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        fnStore(ar);
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    fnLoad(ar);
    BYTE b;
    Check(ar.Read(&b, 1) == 0);  // nothing left over
}

void CheckString(const CString& s)
{
    RoundTrip([&](CArchive& ar) { ar << s; },
              [&](CArchive& ar) {
                  CString back;
                  ar >> back;
                  Check(back.GetLength() == s.GetLength());
                  Check(std::memcmp((LPCSTR)back, (LPCSTR)s, (size_t)s.GetLength()) == 0);
              });
}

void LoadStep(CArchive& ar, BYTE op)
{
    switch (op % 13) {
    case 0: {
        DWORD_PTR n = ar.ReadCount();
        RoundTrip([&](CArchive& a) { a.WriteCount(n); }, [&](CArchive& a) { Check(a.ReadCount() == n); });
        break;
    }
    case 1: {
        CString s;
        ar >> s;
        CheckString(s);
        break;
    }
    case 2: {
        BYTE b;
        WORD w;
        DWORD dw;
        ar >> b >> w >> dw;
        break;
    }
    case 3: {
        LONGLONG ll;
        ULONGLONG ull;
        double d;
        float f;
        ar >> ll >> ull >> d >> f;
        break;
    }
    case 4: {
        bool bl;
        char ch;
        short sh;
        LONG l;
        ar >> bl >> ch >> sh >> l;
        break;
    }
    case 5: {
        CStringArray arr;
        arr.Serialize(ar);
        for (INT_PTR i = 0; i < arr.GetSize() && i < 8; i++)
            CheckString(arr[i]);
        break;
    }
    case 6: {
        CDWordArray arr;
        arr.Serialize(ar);
        RoundTrip([&](CArchive& a) { arr.Serialize(a); },
                  [&](CArchive& a) {
                      CDWordArray back;
                      back.Serialize(a);
                      Check(back.GetSize() == arr.GetSize());
                      for (INT_PTR i = 0; i < arr.GetSize(); i++)
                          Check(back[i] == arr[i]);
                  });
        break;
    }
    case 7: {
        CArray<CRecord, CRecord&> arr;
        arr.Serialize(ar);
        break;
    }
    case 8: {
        CByteArray arr;
        arr.Serialize(ar);
        break;
    }
    case 9: {
        CString line;
        ar.ReadString(line);
        Check(line.Find('\n') < 0);
        break;
    }
    case 10: {
        BYTE nMax;
        ar >> nMax;
        char sz[256];
        LPTSTR p = ar.ReadString(sz, (UINT)nMax + 1);
        if (p != NULL)
            Check(std::strlen(sz) <= nMax);
        break;
    }
    case 11: {
        WORD nCount;
        ar >> nCount;
        std::vector<BYTE> buf(nCount);
        UINT nRead = ar.Read(buf.data(), nCount);
        Check(nRead <= nCount);
        break;
    }
    case 12:
        ar.Flush();  // gives the read-ahead back to the file
        break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0 || size > (1u << 20))
        return 0;
    std::vector<BYTE> bytes(data, data + size);
    CMemFile file(bytes.data(), (UINT)bytes.size());
    try {
        // The first byte picks the buffer size, so that reads cross its edge everywhere.
        CArchive ar(&file, CArchive::load, 128 + bytes[0] * 4);
        BYTE skip;
        ar >> skip;
        for (int nStep = 0; nStep < 64; nStep++) {
            BYTE op;
            ar >> op;
            LoadStep(ar, op);
        }
    } catch (CException* e) {
        e->Delete();
    }
    return 0;
}

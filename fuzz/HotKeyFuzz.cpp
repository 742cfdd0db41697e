// Loads hot-key tables from arbitrary bytes. A load either fails with the
// archive exception, leaving the table as it was, or takes exactly the count
// and 8 bytes an entry, and stores back to the same bytes but for the filler.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "menus/HotKeyArray.h"

namespace {

void Check(bool bCondition)
{
    if (!bCondition)
        __builtin_trap();
}

bool SameEntries(const CHotKeyArray& a, const CHotKeyArray& b)
{
    if (a.GetSize() != b.GetSize())
        return false;
    for (INT_PTR i = 0; i < a.GetSize(); ++i) {
        const ACCEL_DW_CMD &x = a.GetAt(i), &y = b.GetAt(i);
        if (x.fVirt != y.fVirt || x.wKey != y.wKey || x.dwCmd != y.dwCmd)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    std::vector<BYTE> bytes(data, data + size);
    CHotKeyArray table, before;
    for (CHotKeyArray* p : {&table, &before}) {
        p->AddKey(0x71, 8, 100);
        p->AddKey('N', 12, 57600);
    }
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    try {
        CArchive ar(&file, CArchive::load);
        table.Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        Check(SameEntries(table, before));
        return 0;
    }
    // What was taken: the count's 2 or 6 bytes (or 14 for a 64-bit count)
    // and the entries.
    const size_t nCount = static_cast<size_t>(table.GetSize());
    const size_t nHead = size >= 2 && data[0] == 0xFF && data[1] == 0xFF
                             ? (size >= 6 && std::memcmp(data + 2, "\xFF\xFF\xFF\xFF", 4) == 0 ? 14 : 6)
                             : 2;
    Check(nHead + 8 * nCount <= size);
    CMemFile stored;
    {
        CArchive ar(&stored, CArchive::store);
        table.Serialize(ar);
        ar.Close();
    }
    stored.SeekToBegin();
    std::vector<BYTE> back(static_cast<size_t>(stored.GetLength()));
    if (!back.empty())
        stored.Read(back.data(), static_cast<UINT>(back.size()));
    Check(back.size() == (nCount < 0xFFFF ? 2 : 6) + 8 * nCount);
    for (size_t i = 0; i < nCount; ++i) {
        const BYTE* pIn = data + nHead + 8 * i;
        const BYTE* pOut = back.data() + back.size() - 8 * nCount + 8 * i;
        Check(pOut[1] == 0 && pIn[0] == pOut[0] && std::memcmp(pIn + 2, pOut + 2, 6) == 0);
    }
    return 0;
}

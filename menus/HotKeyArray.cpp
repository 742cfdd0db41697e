// The hot-key table and its stored form.
#include "menus/HotKeyArray.h"

#include "frame/Frame.h"

#include <vector>

namespace {

const UINT c_nEntryBytes = 8;

// Entries are read this many at a time, so that a count that promises more
// than the archive holds fails at its end instead of in a huge allocation.
const DWORD_PTR c_nLoadStep = 8192;

void PutEntry(BYTE* p, const ACCEL_DW_CMD& entry)
{
    p[0] = entry.fVirt;
    p[1] = 0;
    p[2] = static_cast<BYTE>(entry.wKey & 0xFF);
    p[3] = static_cast<BYTE>(entry.wKey >> 8);
    for (int i = 0; i < 4; ++i)
        p[4 + i] = static_cast<BYTE>(entry.dwCmd >> (8 * i));
}

ACCEL_DW_CMD GetEntry(const BYTE* p)
{
    // The filler byte is not looked at.
    return ACCEL_DW_CMD(p[0], static_cast<WORD>(p[2] | (p[3] << 8)),
                        static_cast<DWORD>(p[4]) | (static_cast<DWORD>(p[5]) << 8) | (static_cast<DWORD>(p[6]) << 16) |
                            (static_cast<DWORD>(p[7]) << 24));
}

}  // namespace

CHotKeyArray::CHotKeyArray() {}

CHotKeyArray::~CHotKeyArray()
{
    RemoveAll();
}

int CHotKeyArray::AddKey(WORD wKey, BYTE fVirt, DWORD dwCmd)
{
    ACCEL_DW_CMD entry(fVirt, wKey, dwCmd);
    return static_cast<int>(Add(entry));
}

void CHotKeyArray::RemoveKey(WORD wKey, BYTE fVirt)
{
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        if (m_pData[i].wKey == wKey && m_pData[i].fVirt == fVirt) {
            RemoveAt(i);
            return;
        }
    }
}

void CHotKeyArray::RemoveCmd(DWORD dwCmd)
{
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        if (m_pData[i].dwCmd == dwCmd) {
            RemoveAt(i);
            return;
        }
    }
}

DWORD CHotKeyArray::FindCommand(WORD wKey, BYTE fVirt)
{
    for (INT_PTR i = 0; i < GetSize(); ++i) {
        if (m_pData[i].wKey == wKey && m_pData[i].fVirt == fVirt)
            return m_pData[i].dwCmd;
    }
    return 0;
}

#ifdef _WIN32
DWORD CHotKeyArray::FindCommand(WORD wKey)
{
    // The same flags: 8 Ctrl, 4 Shift, 16 Alt.
    return FindCommand(wKey, GetPressedExtKey());
}
#endif

void CHotKeyArray::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(GetSize()));
        // One block, as the table has always been written.
        std::vector<BYTE> bytes(static_cast<size_t>(GetSize()) * c_nEntryBytes);
        for (INT_PTR i = 0; i < GetSize(); ++i)
            PutEntry(&bytes[static_cast<size_t>(i) * c_nEntryBytes], m_pData[i]);
        const BYTE* p = bytes.data();
        size_t nLeft = bytes.size();
        while (nLeft > 0) {
            const UINT nChunk = nLeft > 0x40000000u ? 0x40000000u : static_cast<UINT>(nLeft);
            ar.Write(p, nChunk);
            p += nChunk;
            nLeft -= nChunk;
        }
        return;
    }
    const DWORD_PTR nCount = ar.ReadCount();
    if (nCount > 0x7FFFFFFF)
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    // Read aside and taken only once complete: a short archive leaves the
    // table as it was.
    std::vector<ACCEL_DW_CMD> entries;
    std::vector<BYTE> chunk;
    for (DWORD_PTR nDone = 0; nDone < nCount;) {
        const DWORD_PTR nStep = nCount - nDone < c_nLoadStep ? nCount - nDone : c_nLoadStep;
        chunk.resize(static_cast<size_t>(nStep) * c_nEntryBytes);
        ar.EnsureRead(chunk.data(), static_cast<UINT>(chunk.size()));
        for (DWORD_PTR i = 0; i < nStep; ++i)
            entries.push_back(GetEntry(&chunk[static_cast<size_t>(i) * c_nEntryBytes]));
        nDone += nStep;
    }
    SetSize(static_cast<INT_PTR>(nCount));
    for (INT_PTR i = 0; i < GetSize(); ++i)
        m_pData[i] = entries[static_cast<size_t>(i)];
}

#include "checksum/CRC.h"

namespace {
// Built at module load (constant-initialised, so a CRC object made by another
// static constructor still finds them ready), freed with all tables at unload.
COXCRC16::CTableList g_crc16Tables;
COXCRC32::CTableList g_crc32Tables;
}  // namespace

template <class T>
COXCRCTableList<T>::~COXCRCTableList()
{
    while (m_pHead != NULL) {
        CRCTable* pTable = m_pHead;
        m_pHead = pTable->m_pNext;
        delete pTable;
    }
}

template <class T>
typename COXCRCTableList<T>::CRCTable* COXCRCTableList<T>::FindTable(T nPoly)
{
    CRCTable* pLast = NULL;
    for (CRCTable* pTable = m_pHead; pTable != NULL; pTable = pTable->m_pNext) {
        if (pTable->m_nPoly == nPoly)
            return pTable;
        pLast = pTable;
    }
    CRCTable* pNew = CreateTable(nPoly);
    if (pLast != NULL)
        pLast->m_pNext = pNew;
    else
        m_pHead = pNew;
    return pNew;
}

template <class T>
int COXCRCTableList<T>::GetCount() const
{
    int nCount = 0;
    for (const CRCTable* pTable = m_pHead; pTable != NULL; pTable = pTable->m_pNext)
        ++nCount;
    return nCount;
}

template class COXCRCTableList<WORD>;
template class COXCRCTableList<DWORD>;

COXCRC16::CTableList::~CTableList() {}

COXCRC16::CTableList::CRCTable* COXCRC16::CTableList::CreateTable(WORD nPoly)
{
    CRCTable* pTable = new CRCTable();  // zero-filled, empty link
    pTable->m_nPoly = nPoly;
    for (int i = 0; i < 256; ++i) {
        WORD d = (WORD)(i << 8);
        WORD c = 0;
        for (int k = 0; k < 8; ++k) {
            if ((c ^ d) & 0x8000)
                c = (WORD)((c << 1) ^ nPoly);
            else
                c = (WORD)(c << 1);
            d = (WORD)(d << 1);
        }
        pTable->m_aEntries[i] = c;
    }
    CrcBuildAccel(pTable->m_accel, pTable->m_aEntries, nPoly);
    return pTable;
}

COXCRC16::COXCRC16(WORD nPoly) : COXCheckBase(2), m_pTable(g_crc16Tables.FindTable(nPoly)) {}

COXCRC16::~COXCRC16() {}

DWORD COXCRC16::ChecksumBlock(const BYTE* pData, DWORD nLength, DWORD nStart)
{
    WORD nCrc = (WORD)nStart;
    if (nLength != 0)
        nCrc = CrcUpdate(m_pTable->m_accel, nCrc, pData, nLength);
    m_nValue = (nStart & 0xFFFF0000u) | nCrc;
    return nCrc;
}

const COXCRC16::CTableList& COXCRC16::GetTableList()
{
    return g_crc16Tables;
}

COXCRC32::CTableList::~CTableList() {}

COXCRC32::CTableList::CRCTable* COXCRC32::CTableList::CreateTable(DWORD nPoly)
{
    CRCTable* pTable = new CRCTable();  // zero-filled, empty link
    pTable->m_nPoly = nPoly;
    for (DWORD i = 0; i < 256; ++i) {
        DWORD c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? (c >> 1) ^ nPoly : c >> 1;
        pTable->m_aEntries[i] = c;
    }
    CrcBuildAccel(pTable->m_accel, pTable->m_aEntries, nPoly);
    return pTable;
}

COXCRC32::COXCRC32(DWORD nPoly) : COXCheckBase(3), m_pTable(g_crc32Tables.FindTable(nPoly)) {}

COXCRC32::~COXCRC32() {}

DWORD COXCRC32::ChecksumBlock(const BYTE* pData, DWORD nLength, DWORD nStart)
{
    m_nValue = nLength != 0 ? CrcUpdate(m_pTable->m_accel, nStart, pData, nLength) : nStart;
    return m_nValue;
}

const COXCRC32::CTableList& COXCRC32::GetTableList()
{
    return g_crc32Tables;
}

// Table-driven CRCs: COXCRC16 (most significant bit first) and COXCRC32 (least
// significant bit first, polynomial given in reflected order), with the shared
// caches of their 256-entry tables, one table per polynomial.
#pragma once

#include "checksum/CheckBase.h"
#include "checksum/CrcEngine.h"

// A cache of CRC tables of one width: a list that only grows, freed as a whole.
template <class T>
class COXCRCTableList {
public:
    struct CRCTable {
        T m_aEntries[256];
        T m_nPoly;
        CRCTable* m_pNext;
        CCrcAccel<T> m_accel;  // fast-path data derived from the entries
    };

    constexpr COXCRCTableList() : m_pHead(NULL) {}
    // Frees every cached table.
    virtual ~COXCRCTableList();

    COXCRCTableList(const COXCRCTableList&) = delete;
    COXCRCTableList& operator=(const COXCRCTableList&) = delete;

    // The table of nPoly, built and appended to the list on first use.
    CRCTable* FindTable(T nPoly);
    const CRCTable* GetHead() const { return m_pHead; }
    int GetCount() const;

protected:
    virtual CRCTable* CreateTable(T nPoly) = 0;

private:
    CRCTable* m_pHead;
};

class COXCRC16 : public COXCheckBase {
public:
    class CTableList : public COXCRCTableList<WORD> {
    public:
        constexpr CTableList() {}
        virtual ~CTableList();

    protected:
        virtual CRCTable* CreateTable(WORD nPoly);
    };

    // The table comes from the shared cache; the object must not outlive the module.
    explicit COXCRC16(WORD nPoly = 0x1021);
    virtual ~COXCRC16();

    using COXCheckBase::ChecksumBlock;
    virtual DWORD ChecksumBlock(const BYTE* pData, DWORD nLength, DWORD nStart);

    const WORD* GetTable() const { return m_pTable->m_aEntries; }
    static const CTableList& GetTableList();

protected:
    const CTableList::CRCTable* m_pTable;  // borrowed from the cache
};

class COXCRC32 : public COXCheckBase {
public:
    class CTableList : public COXCRCTableList<DWORD> {
    public:
        constexpr CTableList() {}
        virtual ~CTableList();

    protected:
        virtual CRCTable* CreateTable(DWORD nPoly);
    };

    // The table comes from the shared cache; the object must not outlive the module.
    explicit COXCRC32(DWORD nPoly = 0xEDB88320);
    virtual ~COXCRC32();

    using COXCheckBase::ChecksumBlock;
    virtual DWORD ChecksumBlock(const BYTE* pData, DWORD nLength, DWORD nStart);

    const DWORD* GetTable() const { return m_pTable->m_aEntries; }
    static const CTableList& GetTableList();

protected:
    const CTableList::CRCTable* m_pTable;  // borrowed from the cache
};

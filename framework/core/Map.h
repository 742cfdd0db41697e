// CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>: the framework's hash table with chained
// buckets. The table size stays as set (17 by default, or InitHashTable's).
#pragma once

#include "Array.h"

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
protected:
    struct CAssoc {
        CAssoc* pNext;
        UINT nHashValue;
        KEY key;
        VALUE value;
        explicit CAssoc(ARG_KEY k) : pNext(NULL), nHashValue(0), key(k), value() {}
    };

public:
    explicit CMap(INT_PTR nBlockSize = 10)
        : m_pHashTable(NULL), m_nHashTableSize(17), m_nCount(0), m_nBlockSize(nBlockSize)
    {
    }
    virtual ~CMap() { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    UINT GetHashTableSize() const { return m_nHashTableSize; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        UINT nHash;
        CAssoc* pAssoc = GetAssocAt(key, nHash);
        if (pAssoc == NULL)
            return FALSE;
        rValue = pAssoc->value;
        return TRUE;
    }
    // The value for key, added (value-initialised) when absent.
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    // Iteration in table order. Removing the key just returned is allowed.
    POSITION GetStartPosition() const { return m_nCount == 0 ? NULL : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;

    // Sets the number of buckets (best a prime a little above the expected count);
    // existing entries are redistributed. Zero is ignored.
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);

protected:
    CAssoc* GetAssocAt(ARG_KEY key, UINT& nHash) const;
    CAssoc* FirstAssocFrom(UINT nBucket) const;

    CAssoc** m_pHashTable;
    UINT m_nHashTableSize;
    INT_PTR m_nCount;
    INT_PTR m_nBlockSize;
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetAssocAt(ARG_KEY key, UINT& nHash) const
{
    nHash = HashKey<ARG_KEY>(key);
    if (m_pHashTable == NULL)
        return NULL;
    for (CAssoc* pAssoc = m_pHashTable[nHash % m_nHashTableSize]; pAssoc != NULL; pAssoc = pAssoc->pNext) {
        if (pAssoc->nHashValue == nHash && CompareElements(&pAssoc->key, &key))
            return pAssoc;
    }
    return NULL;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FirstAssocFrom(UINT nBucket) const
{
    if (m_pHashTable == NULL)
        return NULL;
    for (; nBucket < m_nHashTableSize; nBucket++) {
        if (m_pHashTable[nBucket] != NULL)
            return m_pHashTable[nBucket];
    }
    return NULL;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key)
{
    UINT nHash;
    CAssoc* pAssoc = GetAssocAt(key, nHash);
    if (pAssoc != NULL)
        return pAssoc->value;
    if (m_pHashTable == NULL)
        InitHashTable(m_nHashTableSize);
    pAssoc = new (std::nothrow) CAssoc(key);
    if (pAssoc == NULL)
        AfxThrowMemoryException();
    pAssoc->nHashValue = nHash;
    CAssoc*& rHead = m_pHashTable[nHash % m_nHashTableSize];
    pAssoc->pNext = rHead;
    rHead = pAssoc;
    m_nCount++;
    return pAssoc->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key)
{
    if (m_pHashTable == NULL)
        return FALSE;
    UINT nHash = HashKey<ARG_KEY>(key);
    CAssoc** ppPrev = &m_pHashTable[nHash % m_nHashTableSize];
    for (CAssoc* pAssoc = *ppPrev; pAssoc != NULL; pAssoc = pAssoc->pNext) {
        if (pAssoc->nHashValue == nHash && CompareElements(&pAssoc->key, &key)) {
            *ppPrev = pAssoc->pNext;
            delete pAssoc;
            m_nCount--;
            return TRUE;
        }
        ppPrev = &pAssoc->pNext;
    }
    return FALSE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll()
{
    if (m_pHashTable != NULL) {
        for (UINT i = 0; i < m_nHashTableSize; i++) {
            CAssoc* pAssoc = m_pHashTable[i];
            while (pAssoc != NULL) {
                CAssoc* pNext = pAssoc->pNext;
                delete pAssoc;
                pAssoc = pNext;
            }
        }
        delete[] m_pHashTable;
        m_pHashTable = NULL;
    }
    m_nCount = 0;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
{
    CAssoc* pAssoc = reinterpret_cast<CAssoc*>(rNextPosition);
    if (pAssoc == NULL)
        AfxThrowInvalidArgException();
    if (rNextPosition == BEFORE_START_POSITION) {
        pAssoc = FirstAssocFrom(0);
        if (pAssoc == NULL)
            AfxThrowInvalidArgException();
    }
    CAssoc* pNext = pAssoc->pNext;
    if (pNext == NULL)
        pNext = FirstAssocFrom(pAssoc->nHashValue % m_nHashTableSize + 1);
    rNextPosition = reinterpret_cast<POSITION>(pNext);
    rKey = pAssoc->key;
    rValue = pAssoc->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT hashSize, BOOL bAllocNow)
{
    if (hashSize == 0)
        return;
    if (!bAllocNow && m_pHashTable == NULL) {
        m_nHashTableSize = hashSize;
        return;
    }
    CAssoc** pNewTable = new (std::nothrow) CAssoc*[hashSize];
    if (pNewTable == NULL)
        AfxThrowMemoryException();
    for (UINT i = 0; i < hashSize; i++)
        pNewTable[i] = NULL;
    if (m_pHashTable != NULL) {
        for (UINT i = 0; i < m_nHashTableSize; i++) {
            CAssoc* pAssoc = m_pHashTable[i];
            while (pAssoc != NULL) {
                CAssoc* pNext = pAssoc->pNext;
                CAssoc*& rHead = pNewTable[pAssoc->nHashValue % hashSize];
                pAssoc->pNext = rHead;
                rHead = pAssoc;
                pAssoc = pNext;
            }
        }
        delete[] m_pHashTable;
    }
    m_pHashTable = pNewTable;
    m_nHashTableSize = hashSize;
}

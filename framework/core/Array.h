// CArray<TYPE, ARG_TYPE>: the framework's growable array, and the element
// helpers (SerializeElements, CompareElements, HashKey) the templates share.
#pragma once

#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

#include "Archive.h"
#include "Exception.h"
#include "Object.h"
#include "String.h"

// Elements are stored as their bytes unless a specialisation says otherwise.
template <class TYPE>
void AFXAPI SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    if (nCount <= 0 || pElements == NULL)
        return;
    BYTE* pBytes = reinterpret_cast<BYTE*>(static_cast<void*>(pElements));
    ULONGLONG nLeft = (ULONGLONG)nCount * sizeof(TYPE);
    while (nLeft > 0) {
        UINT nChunk = nLeft > 0x40000000u ? 0x40000000u : (UINT)nLeft;
        if (ar.IsStoring())
            ar.Write(pBytes, nChunk);
        else
            ar.EnsureRead(pBytes, nChunk);
        pBytes += nChunk;
        nLeft -= nChunk;
    }
}

template <>
inline void AFXAPI SerializeElements<CString>(CArchive& ar, CString* pElements, INT_PTR nCount)
{
    for (INT_PTR i = 0; i < nCount; i++) {
        if (ar.IsStoring())
            ar << pElements[i];
        else
            ar >> pElements[i];
    }
}

template <class TYPE, class ARG_TYPE>
BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

// Hash of a key for CMap: integers and pointers by value, strings by content.
template <class ARG_KEY>
UINT AFXAPI HashKey(ARG_KEY key)
{
    ULONGLONG n = (ULONGLONG)(key);
    n ^= n >> 29;
    n *= 0xBF58476D1CE4E5B9ull;
    n ^= n >> 32;
    return (UINT)n;
}

template <>
inline UINT AFXAPI HashKey<LPCSTR>(LPCSTR key)
{
    UINT nHash = 0;
    if (key != NULL) {
        while (*key)
            nHash = (nHash << 5) + nHash + (BYTE)*key++;
    }
    return nHash;
}

template <>
inline UINT AFXAPI HashKey<LPSTR>(LPSTR key)
{
    return HashKey<LPCSTR>(key);
}

template <>
inline UINT AFXAPI HashKey<const CString&>(const CString& key)
{
    return HashKey<LPCSTR>(key);
}

template <>
inline UINT AFXAPI HashKey<CString>(CString key)
{
    return HashKey<LPCSTR>(key);
}

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() : m_pData(NULL), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0) {}
    virtual ~CArray() { SetSize(0, -1); }

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }

    // New elements are value-initialised. nGrowBy -1 keeps the growth step; 0
    // lets it follow the size.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    void FreeExtra();
    void RemoveAll() { SetSize(0, -1); }

    // An index out of range throws CInvalidArgException.
    const TYPE& GetAt(INT_PTR nIndex) const
    {
        CheckIndex(nIndex);
        return m_pData[nIndex];
    }
    TYPE& GetAt(INT_PTR nIndex)
    {
        CheckIndex(nIndex);
        return m_pData[nIndex];
    }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement)
    {
        CheckIndex(nIndex);
        m_pData[nIndex] = newElement;
    }
    const TYPE& ElementAt(INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return GetAt(nIndex); }

    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }

    // Grows the array as needed; a negative index throws.
    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
    INT_PTR Add(ARG_TYPE newElement)
    {
        INT_PTR nIndex = m_nSize;
        SetAtGrow(nIndex, newElement);
        return nIndex;
    }
    // Appends a copy of src (src may be this array); returns the first new index.
    INT_PTR Append(const CArray& src);
    void Copy(const CArray& src);

    // Inserts nCount copies at nIndex (past the end grows the array); a negative
    // index or a count below 1 throws.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nStartIndex, CArray* pNewArray);
    // Removes nCount elements from nIndex; a range outside the array throws.
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

    virtual void Serialize(CArchive& ar);

protected:
    void CheckIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nSize)
            AfxThrowInvalidArgException();
    }
    // Moves the storage to a block of nNewMax elements (>= m_nSize).
    void Reallocate(INT_PTR nNewMax);
    void GrowTo(INT_PTR nNewSize);

    TYPE* m_pData;
    INT_PTR m_nSize;
    INT_PTR m_nMaxSize;
    INT_PTR m_nGrowBy;
};

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Reallocate(INT_PTR nNewMax)
{
    if (nNewMax < m_nSize || (size_t)nNewMax > ((size_t)-1 / 2) / sizeof(TYPE))
        AfxThrowInvalidArgException();
    TYPE* pNewData = NULL;
    if (nNewMax > 0) {
        pNewData = static_cast<TYPE*>(::operator new((size_t)nNewMax * sizeof(TYPE), std::nothrow));
        if (pNewData == NULL)
            AfxThrowMemoryException();
        for (INT_PTR i = 0; i < m_nSize; i++) {
            ::new (static_cast<void*>(pNewData + i)) TYPE(std::move(m_pData[i]));
            m_pData[i].~TYPE();
        }
    }
    ::operator delete(static_cast<void*>(m_pData));
    m_pData = pNewData;
    m_nMaxSize = nNewMax;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::GrowTo(INT_PTR nNewSize)
{
    if (nNewSize <= m_nMaxSize)
        return;
    INT_PTR nGrowBy = m_nGrowBy;
    if (nGrowBy == 0) {
        nGrowBy = m_nSize / 8;
        nGrowBy = nGrowBy < 4 ? 4 : (nGrowBy > 1024 ? 1024 : nGrowBy);
    }
    INT_PTR nNewMax = m_nMaxSize + nGrowBy;
    if (m_pData == NULL)
        nNewMax = nGrowBy;
    if (nNewMax < nNewSize)
        nNewMax = nNewSize;
    Reallocate(nNewMax);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy)
{
    if (nNewSize < 0)
        AfxThrowInvalidArgException();
    if (nGrowBy >= 0)
        m_nGrowBy = nGrowBy;
    if (nNewSize == 0) {
        for (INT_PTR i = 0; i < m_nSize; i++)
            m_pData[i].~TYPE();
        ::operator delete(static_cast<void*>(m_pData));
        m_pData = NULL;
        m_nSize = m_nMaxSize = 0;
        return;
    }
    if (nNewSize > m_nMaxSize)
        GrowTo(nNewSize);
    for (INT_PTR i = m_nSize; i < nNewSize; i++) {
        ::new (static_cast<void*>(m_pData + i)) TYPE();
        m_nSize = i + 1;  // keeps the array consistent if a constructor throws
    }
    for (INT_PTR i = nNewSize; i < m_nSize; i++)
        m_pData[i].~TYPE();
    m_nSize = nNewSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra()
{
    if (m_nSize != m_nMaxSize)
        Reallocate(m_nSize);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
{
    if (nIndex < 0)
        AfxThrowInvalidArgException();
    if (nIndex >= m_nSize) {
        // newElement may refer into this array: copy it before the storage moves.
        TYPE temp(newElement);
        SetSize(nIndex + 1, -1);
        m_pData[nIndex] = std::move(temp);
    } else {
        m_pData[nIndex] = newElement;
    }
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
    INT_PTR nOldSize = m_nSize;
    INT_PTR nCount = src.m_nSize;
    if (nCount == 0)
        return nOldSize;
    SetSize(nOldSize + nCount, -1);
    // When src is this array its first nCount elements are still in place.
    for (INT_PTR i = 0; i < nCount; i++)
        m_pData[nOldSize + i] = src.m_pData[i];
    return nOldSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
    if (this == &src)
        return;
    SetSize(src.m_nSize, -1);
    for (INT_PTR i = 0; i < m_nSize; i++)
        m_pData[i] = src.m_pData[i];
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount)
{
    if (nIndex < 0 || nCount <= 0)
        AfxThrowInvalidArgException();
    TYPE temp(newElement);  // newElement may refer into this array
    if (nIndex >= m_nSize) {
        SetSize(nIndex + nCount, -1);
    } else {
        INT_PTR nOldSize = m_nSize;
        SetSize(m_nSize + nCount, -1);
        for (INT_PTR i = nOldSize - 1; i >= nIndex; i--)
            m_pData[i + nCount] = std::move(m_pData[i]);
    }
    for (INT_PTR i = 0; i < nCount; i++)
        m_pData[nIndex + i] = temp;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nStartIndex, CArray* pNewArray)
{
    if (pNewArray == NULL || nStartIndex < 0)
        AfxThrowInvalidArgException();
    INT_PTR nCount = pNewArray->m_nSize;
    if (nCount == 0)
        return;
    if (pNewArray == this) {
        CArray copy;
        copy.Copy(*this);
        InsertAt(nStartIndex, &copy);
        return;
    }
    InsertAt(nStartIndex, pNewArray->m_pData[0], nCount);
    for (INT_PTR i = 1; i < nCount; i++)
        m_pData[nStartIndex + i] = pNewArray->m_pData[i];
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex < 0 || nCount < 0 || nIndex > m_nSize || nCount > m_nSize - nIndex)
        AfxThrowInvalidArgException();
    if (nCount == 0)
        return;
    INT_PTR nMoveCount = m_nSize - (nIndex + nCount);
    for (INT_PTR i = 0; i < nMoveCount; i++)
        m_pData[nIndex + i] = std::move(m_pData[nIndex + nCount + i]);
    for (INT_PTR i = m_nSize - nCount; i < m_nSize; i++)
        m_pData[i].~TYPE();
    m_nSize -= nCount;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount((DWORD_PTR)m_nSize);
        SerializeElements<TYPE>(ar, m_pData, m_nSize);
        return;
    }
    DWORD_PTR nCount = ar.ReadCount();
    if (nCount > (DWORD_PTR)(((size_t)-1 / 2) / sizeof(TYPE)))
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    // A count read from a damaged archive may be huge: grow step by step as the
    // elements arrive, so that a short archive ends in endOfFile, not in a huge
    // allocation.
    const INT_PTR nStep = (INT_PTR)(65536 / sizeof(TYPE)) + 1;
    if ((INT_PTR)nCount <= nStep) {
        SetSize((INT_PTR)nCount, -1);
        SerializeElements<TYPE>(ar, m_pData, m_nSize);
        return;
    }
    SetSize(0, -1);
    INT_PTR nDone = 0;
    while (nDone < (INT_PTR)nCount) {
        INT_PTR nChunk = (INT_PTR)nCount - nDone < nStep ? (INT_PTR)nCount - nDone : nStep;
        SetSize(nDone + nChunk, -1);
        SerializeElements<TYPE>(ar, m_pData + nDone, nChunk);
        nDone += nChunk;
    }
}

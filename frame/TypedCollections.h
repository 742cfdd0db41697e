// Owning collections for the hosts: arrays and maps of pointers that delete
// the objects they point to on request and when they are destroyed, each
// object once even when it is stored more than once, and a string array kept
// in order. A null element is allowed and skipped by every destroying
// operation. Index arguments out of range throw the framework's
// invalid-argument exception, as the base classes do.
#pragma once

#include <afx.h>
#include <afxtempl.h>

#include "frame/ExtkitApi.h"

// How an owning collection destroys an element: objects are deleted through
// their virtual destructors; module handles are only forgotten, since the
// collection cannot know whether the host still uses the module.
template <class T>
inline void AfxDestroyOwnedElement(T pElement)
{
    delete pElement;
}

template <>
inline void AfxDestroyOwnedElement<HINSTANCE>(HINSTANCE)
{
}

template <class T>
class CTypedPtrArrayEx : public CTypedPtrArray<CPtrArray, T> {
public:
    CTypedPtrArrayEx() {}
    virtual ~CTypedPtrArrayEx() { DestroyAll(); }

    // Destroys every element in ascending index order (later copies of a
    // pointer are set to null first), then removes them all.
    void DestroyAll()
    {
        for (INT_PTR i = 0; i < this->GetSize(); ++i) {
            T pElement = this->GetAt(i);
            if (pElement == NULL)
                continue;
            NullifyDuplicate(pElement, static_cast<int>(i));
            // Forgotten before it goes: a destructor that looks at the array
            // must not find it.
            this->SetAt(i, NULL);
            AfxDestroyOwnedElement<T>(pElement);
        }
        this->RemoveAll();
    }

    // Destroys the element at nIndex (every other copy of the pointer is set
    // to null first) and removes its place; a null element is only removed.
    void DestroyItem(int nIndex)
    {
        T pElement = this->GetAt(nIndex);
        if (pElement != NULL) {
            for (INT_PTR i = 0; i < this->GetSize(); ++i) {
                if (i != nIndex && this->GetAt(i) == pElement)
                    this->SetAt(i, NULL);
            }
            this->SetAt(nIndex, NULL);
            AfxDestroyOwnedElement<T>(pElement);
        }
        this->RemoveAt(nIndex);
    }

    // The index of the first element equal to p, or -1.
    int FindItem(T p) const
    {
        for (INT_PTR i = 0; i < this->GetSize(); ++i) {
            if (this->GetAt(i) == p)
                return static_cast<int>(i);
        }
        return -1;
    }

    // Removes the first element equal to p without destroying it: 1 when one
    // was removed, 0 when there was none.
    int RemoveItem(T p)
    {
        const int nIndex = FindItem(p);
        if (nIndex < 0)
            return 0;
        this->RemoveAt(nIndex);
        return 1;
    }

protected:
    // Sets to null every element after nStart that equals p.
    void NullifyDuplicate(T p, int nStart)
    {
        for (INT_PTR i = nStart + 1; i < this->GetSize(); ++i) {
            if (this->GetAt(i) == p)
                this->SetAt(i, NULL);
        }
    }
};

// An array of module handles: its destroying operations forget the handles
// and never free the modules; the host frees the modules it loaded.
class EXTKIT_API CHInstanceDllArrayEx : public CTypedPtrArrayEx<HINSTANCE> {
public:
    CHInstanceDllArrayEx();
    virtual ~CHInstanceDllArrayEx();
};

template <class T>
class CTypedMapStrToPtrEx : public CTypedPtrMap<CMapStringToPtr, CString, T> {
public:
    explicit CTypedMapStrToPtrEx(int nBlockSize = 10) : CTypedPtrMap<CMapStringToPtr, CString, T>(nBlockSize) {}
    virtual ~CTypedMapStrToPtrEx() { DestroyAll(); }

    // Deletes every value once (a value stored under several keys too), then
    // removes all keys.
    void DestroyAll()
    {
        CTypedPtrArrayEx<T> values;
        POSITION pos = this->GetStartPosition();
        while (pos != NULL) {
            CString strKey;
            T pValue = NULL;
            this->GetNextAssoc(pos, strKey, pValue);
            if (pValue != NULL)
                values.Add(pValue);
        }
        this->RemoveAll();
        values.DestroyAll();
    }

    // Deletes the key's value and removes the key: the result of RemoveKey
    // (nonzero) when the key was there, else 0 and nothing deleted.
    int DestroyKey(const char* pszKey)
    {
        T pValue = NULL;
        if (!this->Lookup(pszKey, pValue))
            return 0;
        const int nResult = this->RemoveKey(pszKey);
        ForgetValue(pValue);
        AfxDestroyOwnedElement<T>(pValue);
        return nResult;
    }

    // Stores pValue under the key, deleting the value the key held before
    // unless it is pValue itself.
    void ReplaceAt(const char* pszKey, T pValue)
    {
        T pOld = NULL;
        const bool bHad = this->Lookup(pszKey, pOld) != FALSE;
        this->SetAt(pszKey, pValue);
        if (bHad && pOld != NULL && pOld != pValue) {
            ForgetValue(pOld);
            AfxDestroyOwnedElement<T>(pOld);
        }
    }

protected:
    // Sets to null every key still holding p, so that it is not deleted twice.
    void ForgetValue(T p)
    {
        POSITION pos = this->GetStartPosition();
        while (pos != NULL) {
            CString strKey;
            T pValue = NULL;
            this->GetNextAssoc(pos, strKey, pValue);
            if (pValue == p)
                this->SetAt(strKey, NULL);
        }
    }
};

// Strings kept in ascending order of CString::Compare (byte by byte in the
// code page: upper-case letters before lower-case ones, Latin before
// Cyrillic), with or without duplicates.
class EXTKIT_API CSortedStringArray : public CStringArray {
public:
    explicit CSortedStringArray(bool bAllowDuplicates = false);
    virtual ~CSortedStringArray();

    // Inserts the string in its place and returns its index. Without
    // duplicates a string already there is not added again: its index is
    // returned. With duplicates a new string goes before its equals.
    int AddSort(const char* psz);

protected:
    // Binary search: true when the string is there; nIndex is then its
    // position (the first of its equals with duplicates), else where it
    // would be inserted.
    bool FindIndex(const char* psz, int& nIndex);

    bool m_bAllowDuplicates;
};

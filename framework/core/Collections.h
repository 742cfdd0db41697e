// The framework's ready-made collections: arrays of pointers, strings and
// integers, and maps from strings.
#pragma once

#include "Array.h"
#include "Map.h"

class FRAMEWORK_API CPtrArray : public CArray<void*, void*> {
    DECLARE_DYNAMIC(CPtrArray)
public:
    CPtrArray();
    virtual ~CPtrArray();
    // Pointers cannot be stored: throws CNotSupportedException.
    virtual void Serialize(CArchive& ar);
};

class FRAMEWORK_API CStringArray : public CArray<CString, const CString&> {
    DECLARE_DYNAMIC(CStringArray)
public:
    CStringArray();
    virtual ~CStringArray();
};

class FRAMEWORK_API CUIntArray : public CArray<UINT, UINT> {
    DECLARE_DYNAMIC(CUIntArray)
public:
    CUIntArray();
    virtual ~CUIntArray();
};

class FRAMEWORK_API CDWordArray : public CArray<DWORD, DWORD> {
    DECLARE_DYNAMIC(CDWordArray)
public:
    CDWordArray();
    virtual ~CDWordArray();
};

class FRAMEWORK_API CByteArray : public CArray<BYTE, BYTE> {
    DECLARE_DYNAMIC(CByteArray)
public:
    CByteArray();
    virtual ~CByteArray();
};

class FRAMEWORK_API CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*> {
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    typedef CString BASE_KEY;
    typedef LPCTSTR BASE_ARG_KEY;
    typedef void* BASE_VALUE;
    typedef void* BASE_ARG_VALUE;

    explicit CMapStringToPtr(INT_PTR nBlockSize = 10);
    virtual ~CMapStringToPtr();
    UINT HashKey(LPCTSTR key) const;
};

class FRAMEWORK_API CMapStringToOb : public CMap<CString, LPCTSTR, CObject*, CObject*> {
    DECLARE_DYNAMIC(CMapStringToOb)
public:
    typedef CString BASE_KEY;
    typedef LPCTSTR BASE_ARG_KEY;
    typedef CObject* BASE_VALUE;
    typedef CObject* BASE_ARG_VALUE;

    explicit CMapStringToOb(INT_PTR nBlockSize = 10);
    virtual ~CMapStringToOb();
    UINT HashKey(LPCTSTR key) const;
};

class FRAMEWORK_API CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR> {
    DECLARE_DYNAMIC(CMapStringToString)
public:
    typedef CString BASE_KEY;
    typedef LPCTSTR BASE_ARG_KEY;
    typedef CString BASE_VALUE;
    typedef LPCTSTR BASE_ARG_VALUE;

    explicit CMapStringToString(INT_PTR nBlockSize = 10);
    virtual ~CMapStringToString();
    UINT HashKey(LPCTSTR key) const;
};

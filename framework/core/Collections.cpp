// The ready-made collections: run-time classes and the few members of their own.
#include "Collections.h"

IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_DYNAMIC(CStringArray, CObject)
IMPLEMENT_DYNAMIC(CUIntArray, CObject)
IMPLEMENT_DYNAMIC(CDWordArray, CObject)
IMPLEMENT_DYNAMIC(CByteArray, CObject)
IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapStringToOb, CObject)
IMPLEMENT_DYNAMIC(CMapStringToString, CObject)

CPtrArray::CPtrArray() {}
CPtrArray::~CPtrArray() {}

void CPtrArray::Serialize(CArchive&)
{
    // Addresses mean nothing in another process.
    AfxThrowNotSupportedException();
}

CStringArray::CStringArray() {}
CStringArray::~CStringArray() {}

CUIntArray::CUIntArray() {}
CUIntArray::~CUIntArray() {}

CDWordArray::CDWordArray() {}
CDWordArray::~CDWordArray() {}

CByteArray::CByteArray() {}
CByteArray::~CByteArray() {}

CMapStringToPtr::CMapStringToPtr(INT_PTR nBlockSize) : CMap(nBlockSize) {}
CMapStringToPtr::~CMapStringToPtr() {}
UINT CMapStringToPtr::HashKey(LPCTSTR key) const
{
    return ::HashKey<LPCTSTR>(key);
}

CMapStringToOb::CMapStringToOb(INT_PTR nBlockSize) : CMap(nBlockSize) {}
CMapStringToOb::~CMapStringToOb() {}
UINT CMapStringToOb::HashKey(LPCTSTR key) const
{
    return ::HashKey<LPCTSTR>(key);
}

CMapStringToString::CMapStringToString(INT_PTR nBlockSize) : CMap(nBlockSize) {}
CMapStringToString::~CMapStringToString() {}
UINT CMapStringToString::HashKey(LPCTSTR key) const
{
    return ::HashKey<LPCTSTR>(key);
}

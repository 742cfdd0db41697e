// The word processor's objects as the export reaches them.
#pragma once

#include "export/OfficeObject.h"

class CWordFont : public COfficeObject {
public:
    using COfficeObject::COfficeObject;
    CString GetName() { return Get<CString>(0x8E, VT_BSTR); }
    void SetName(LPCTSTR lpszName)
    {
        static const BYTE s_parms[] = VTS_BSTR;
        Put(0x8E, s_parms, lpszName);
    }
    float GetSize() { return Get<float>(0x8D, VT_R4); }
    void SetSize(float fSize)
    {
        static const BYTE s_parms[] = VTS_R4;
        Put(0x8D, s_parms, static_cast<double>(fSize));
    }
    void SetBold(long nBold)
    {
        static const BYTE s_parms[] = VTS_I4;
        Put(0x82, s_parms, nBold);
    }
};

class CWordRange : public COfficeObject {
public:
    using COfficeObject::COfficeObject;
    void InsertAfter(LPCTSTR lpszText)
    {
        static const BYTE s_parms[] = VTS_BSTR;
        Method(0x68, s_parms, lpszText);
    }
    LPDISPATCH GetFont() { return GetObject(0x5); }
};

class CWordParagraphs : public COfficeObject {
public:
    using COfficeObject::COfficeObject;
    long GetAlignment() { return Get<long>(0x65, VT_I4); }
    void SetAlignment(long nAlignment)
    {
        static const BYTE s_parms[] = VTS_I4;
        Put(0x65, s_parms, nAlignment);
    }
};

class CWordSelection : public COfficeObject {
public:
    using COfficeObject::COfficeObject;
    LPDISPATCH GetFont() { return GetObject(0x5); }
    LPDISPATCH GetParagraphs() { return GetObject(0x3B); }
    LPDISPATCH GetRange() { return GetObject(0x190); }
    void TypeText(LPCTSTR lpszText)
    {
        static const BYTE s_parms[] = VTS_BSTR;
        Method(0x1FB, s_parms, lpszText);
    }
    void TypeParagraph() { Method(0x200, nullptr); }
};

class CWordCell : public COfficeObject {
public:
    using COfficeObject::COfficeObject;
    LPDISPATCH GetRange() { return GetObject(0x0); }
};

class CWordCells : public COfficeObject {
public:
    using COfficeObject::COfficeObject;
    LPDISPATCH Item(long nIndex)
    {
        static const BYTE s_parms[] = VTS_I4;
        return Object(0x0, DISPATCH_METHOD, s_parms, nIndex);
    }
};

class CWordRow : public COfficeObject {
public:
    using COfficeObject::COfficeObject;
    LPDISPATCH GetRange() { return GetObject(0x0); }
    LPDISPATCH GetCells() { return GetObject(0x64); }
};

class CWordRows : public COfficeObject {
public:
    using COfficeObject::COfficeObject;
    LPDISPATCH Item(long nIndex)
    {
        static const BYTE s_parms[] = VTS_I4;
        return Object(0x0, DISPATCH_METHOD, s_parms, nIndex);
    }
    LPDISPATCH Add(VARIANT* pvarBeforeRow)
    {
        static const BYTE s_parms[] = VTS_PVARIANT;
        return Object(0x64, DISPATCH_METHOD, s_parms, pvarBeforeRow);
    }
    void SetAlignment(long nAlignment)
    {
        static const BYTE s_parms[] = VTS_I4;
        Put(0x4, s_parms, nAlignment);
    }
};

class CWordTable : public COfficeObject {
public:
    using COfficeObject::COfficeObject;
    LPDISPATCH GetRows() { return GetObject(0x65); }
};

class CWordTables : public COfficeObject {
public:
    using COfficeObject::COfficeObject;
    LPDISPATCH Add(LPDISPATCH lpRange, long nNumRows, long nNumColumns, VARIANT* pvarDefaultTableBehavior,
                   VARIANT* pvarAutoFitBehavior)
    {
        static const BYTE s_parms[] = VTS_DISPATCH VTS_I4 VTS_I4 VTS_PVARIANT VTS_PVARIANT;
        return Object(0xC8, DISPATCH_METHOD, s_parms, lpRange, nNumRows, nNumColumns, pvarDefaultTableBehavior,
                      pvarAutoFitBehavior);
    }
};

class CWordDocument : public COfficeObject {
public:
    using COfficeObject::COfficeObject;
    LPDISPATCH GetTables() { return GetObject(0x6); }
};

class CWordDocuments : public COfficeObject {
public:
    using COfficeObject::COfficeObject;
    LPDISPATCH Add(VARIANT* pvarTemplate, VARIANT* pvarNewTemplate, VARIANT* pvarDocumentType, VARIANT* pvarVisible)
    {
        static const BYTE s_parms[] = VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT;
        return Object(0xE, DISPATCH_METHOD, s_parms, pvarTemplate, pvarNewTemplate, pvarDocumentType, pvarVisible);
    }
};

class CWordApplication : public COfficeObject {
public:
    using COfficeObject::COfficeObject;
    void SetVisible(BOOL bVisible)
    {
        static const BYTE s_parms[] = VTS_BOOL;
        Put(0x17, s_parms, bVisible);
    }
    LPDISPATCH GetDocuments() { return GetObject(0x6); }
    LPDISPATCH GetSelection() { return GetObject(0x5); }
};

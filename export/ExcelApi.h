// The spreadsheet's objects as the export reaches them.
#pragma once

#include "export/OfficeObject.h"

class CExcelFont : public COfficeObject {
public:
    using COfficeObject::COfficeObject;
    COleVariant GetName() { return GetVariant(0x6E); }
    void SetName(const VARIANT& varName) { PutVariant(0x6E, varName); }
    COleVariant GetSize() { return GetVariant(0x68); }
    void SetSize(const VARIANT& varSize) { PutVariant(0x68, varSize); }
    void SetBold(const VARIANT& varBold) { PutVariant(0x60, varBold); }
};

class CExcelRange : public COfficeObject {
public:
    using COfficeObject::COfficeObject;
    LPDISPATCH GetFont() { return GetObject(0x92); }
    void SetValue(const VARIANT& varValue) { PutVariant(0x6, varValue); }
};

class CExcelWorksheet : public COfficeObject {
public:
    using COfficeObject::COfficeObject;
    LPDISPATCH GetRange(const VARIANT& varCell1, const VARIANT& varCell2)
    {
        static const BYTE s_parms[] = VTS_VARIANT VTS_VARIANT;
        return Object(0xC5, DISPATCH_PROPERTYGET, s_parms, &varCell1, &varCell2);
    }
};

class CExcelSheets : public COfficeObject {
public:
    using COfficeObject::COfficeObject;
    LPDISPATCH GetItem(const VARIANT& varIndex)
    {
        static const BYTE s_parms[] = VTS_VARIANT;
        return Object(0xAA, DISPATCH_PROPERTYGET, s_parms, &varIndex);
    }
};

class CExcelWorkbook : public COfficeObject {
public:
    using COfficeObject::COfficeObject;
    LPDISPATCH GetSheets() { return GetObject(0x1E5); }
};

class CExcelWorkbooks : public COfficeObject {
public:
    using COfficeObject::COfficeObject;
    LPDISPATCH Add(const VARIANT& varTemplate)
    {
        static const BYTE s_parms[] = VTS_VARIANT;
        return Object(0xB5, DISPATCH_METHOD, s_parms, &varTemplate);
    }
};

class CExcelApplication : public COfficeObject {
public:
    using COfficeObject::COfficeObject;
    void SetVisible(BOOL bVisible)
    {
        static const BYTE s_parms[] = VTS_BOOL;
        Put(0x22E, s_parms, bVisible);
    }
    long GetReferenceStyle() { return Get<long>(0x17C, VT_I4); }
    void SetReferenceStyle(long nStyle)
    {
        static const BYTE s_parms[] = VTS_I4;
        Put(0x17C, s_parms, nStyle);
    }
    LPDISPATCH GetWorkbooks() { return GetObject(0x23C); }
};

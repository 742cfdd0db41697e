// Automation clients: calling an IDispatch object by dispatch identifier
// (COleDispatchDriver), the variants that carry the arguments (COleVariant),
// and the exception a server's own error arrives as (COleDispatchException).
// A call that fails without the server saying why is a COleException
// (win/Ole.h) with the status.
//
// Text crosses between the ANSI code page of the framework's strings and the
// BSTRs of automation. The thread must have initialised COM (AfxOleInit).
#pragma once

#include "win/Platform.h"
#include "core/String.h"
#include "win/Ole.h"

#include <oleauto.h>

#include <cstdarg>

// ---------------------------------------------------------------- parameter types
// InvokeHelper describes its variable arguments with a string of these, one
// byte per argument in the argument order; a byte is the variant type the
// argument travels as, 0x40 added for "by reference". The comment names the
// C++ type to pass.
#define VTS_NONE ""           // no arguments
#define VTS_I2 "\x02"         // short
#define VTS_I4 "\x03"         // long
#define VTS_R4 "\x04"         // float
#define VTS_R8 "\x05"         // double
#define VTS_DATE "\x07"       // DATE
#define VTS_BSTR "\x08"       // LPCTSTR, sent as a BSTR
#define VTS_DISPATCH "\x09"   // LPDISPATCH (not released by the call)
#define VTS_SCODE "\x0A"      // SCODE
#define VTS_BOOL "\x0B"       // BOOL, sent as VARIANT_TRUE or VARIANT_FALSE
#define VTS_VARIANT "\x0C"    // const VARIANT* (a COleVariant converts)
#define VTS_UNKNOWN "\x0D"    // LPUNKNOWN
#define VTS_UI1 "\x11"        // BYTE
#define VTS_PI2 "\x42"        // short*
#define VTS_PI4 "\x43"        // long*
#define VTS_PR4 "\x44"        // float*
#define VTS_PR8 "\x45"        // double*
#define VTS_PBSTR "\x48"      // BSTR* (the server may replace the string)
#define VTS_PDISPATCH "\x49"  // LPDISPATCH*
#define VTS_PBOOL "\x4B"      // VARIANT_BOOL*
#define VTS_PVARIANT "\x4C"   // VARIANT*: the argument is the pointed-to variant, by reference

// ---------------------------------------------------------------- COleVariant

// A VARIANT that owns what it holds (a BSTR, an interface reference) and
// clears it when it goes or is given something else.
class FRAMEWORK_API COleVariant : public tagVARIANT {
public:
    COleVariant();
    // Deep copies (VariantCopy): a string is duplicated, an interface AddRef'd.
    COleVariant(const VARIANT& varSrc);
    COleVariant(const COleVariant& varSrc);
    COleVariant(const VARIANT* pSrc);
    // Text as a BSTR; a null pointer gives an empty string.
    COleVariant(LPCTSTR lpszSrc);
    COleVariant(const CString& strSrc);
    COleVariant(BYTE nSrc);
    // vtSrc VT_I2 or VT_BOOL (any non-zero value is true).
    COleVariant(short nSrc, VARTYPE vtSrc = VT_I2);
    // vtSrc VT_I4, VT_ERROR (an SCODE; DISP_E_PARAMNOTFOUND marks a missing
    // optional argument) or VT_BOOL.
    COleVariant(long lSrc, VARTYPE vtSrc = VT_I4);
    COleVariant(float fltSrc);
    COleVariant(double dblSrc);
    ~COleVariant();

    const COleVariant& operator=(const VARIANT& varSrc);
    const COleVariant& operator=(const COleVariant& varSrc);
    const COleVariant& operator=(LPCTSTR lpszSrc);

    // Frees what is held and leaves VT_EMPTY.
    void Clear();
    // Converts in place (VariantChangeType), or converts pSrc into this one; a
    // COleException when the value cannot be had as vartype.
    void ChangeType(VARTYPE vartype, LPVARIANT pSrc = NULL);
    // Hands the value to the caller, who then owns it; this one is left empty.
    VARIANT Detach();

    operator LPVARIANT() { return this; }
    operator const VARIANT*() const { return this; }
};

// ---------------------------------------------------------------- COleDispatchException

// An error the server reported for a call (DISP_E_EXCEPTION), with what it
// said about it.
class FRAMEWORK_API COleDispatchException : public CException {
    DECLARE_DYNAMIC(COleDispatchException)
public:
    COleDispatchException(LPCTSTR lpszDescription, UINT nHelpID, WORD wCode);
    virtual ~COleDispatchException();

    // The description, when there is one.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) const;

    WORD m_wCode;     // the server's own error number, 0 when it gave a status instead
    SCODE m_scError;  // the status; for an error number n, the status 0x800A0000 + n
    CString m_strDescription;
    CString m_strSource;  // the server's name for itself
    CString m_strHelpFile;
    DWORD m_dwHelpContext;
};

// For a server written with the framework: raises the error that reaches a
// client as DISP_E_EXCEPTION. The second form loads the description from the
// resources; nHelpID -1 takes the description's identifier as help context.
[[noreturn]] FRAMEWORK_API void AFXAPI AfxThrowOleDispatchException(WORD wCode, LPCTSTR lpszDescription,
                                                                    UINT nHelpID = 0);
[[noreturn]] FRAMEWORK_API void AFXAPI AfxThrowOleDispatchException(WORD wCode, UINT nDescriptionID,
                                                                    UINT nHelpID = static_cast<UINT>(-1));

// ---------------------------------------------------------------- COleDispatchDriver

// Holds one IDispatch and calls it by dispatch identifier. Wrapper classes of
// a server's objects derive from it and give each member a method that makes
// one InvokeHelper call.
class FRAMEWORK_API COleDispatchDriver {
public:
    COleDispatchDriver();
    // Takes lpDispatch (one reference, which this object releases when
    // bAutoRelease is TRUE).
    explicit COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
    // Shares the other's object, with a reference of its own.
    COleDispatchDriver(const COleDispatchDriver& dispatchSrc);
    // Releases the object (ReleaseDispatch).
    virtual ~COleDispatchDriver();

    const COleDispatchDriver& operator=(const COleDispatchDriver& dispatchSrc);

    // Starts the server's object (CoCreateInstance, local or in-process) and
    // takes its IDispatch, releasing the one held before. FALSE on failure,
    // with the status in pError when given.
    BOOL CreateDispatch(REFCLSID clsid, COleException* pError = NULL);
    // The same by program identifier ("Excel.Application"); an identifier not
    // registered fails with CO_E_CLASSSTRING.
    BOOL CreateDispatch(LPCTSTR lpszProgID, COleException* pError = NULL);

    // Releases the object held before, then takes lpDispatch.
    void AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
    // Gives the object up without releasing it; the caller owns its reference.
    LPDISPATCH DetachDispatch();
    // Lets the object go (releasing it when owned); safe when none is held.
    void ReleaseDispatch();

    // Calls member dwDispID with wFlags (DISPATCH_METHOD, DISPATCH_PROPERTYGET,
    // DISPATCH_PROPERTYPUT, DISPATCH_PROPERTYPUTREF). pbParamInfo (VTS_...
    // bytes, NULL for none) says what follows in the variable arguments. The
    // result is converted to vtRet and stored at pvRet:
    //   VT_EMPTY nothing; VT_I2 short*, VT_I4 long*, VT_R4 float*, VT_R8
    //   double*, VT_DATE DATE*, VT_BSTR CString*, VT_DISPATCH LPDISPATCH*
    //   (the caller owns the reference), VT_ERROR SCODE*, VT_BOOL BOOL*,
    //   VT_VARIANT VARIANT* (the caller owns it: a COleVariant, or VariantClear),
    //   VT_UNKNOWN LPUNKNOWN*, VT_UI1 BYTE*.
    // A property put sends its last argument as the value (DISPID_PROPERTYPUT).
    // Raises COleDispatchException when the server reports an error, and
    // COleException with the status when the call fails otherwise, when the
    // result cannot be converted to vtRet, or when no object is held
    // (CO_E_OBJNOTCONNECTED).
    void InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...);
    void InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo,
                       va_list argList);

    // Property access as InvokeHelper: one argument of type vtProp, the C++
    // type of the table above; GetProperty stores like a result.
    void SetProperty(DISPID dwDispID, VARTYPE vtProp, ...);
    void GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const;

    operator LPDISPATCH() { return m_lpDispatch; }

    LPDISPATCH m_lpDispatch;
    BOOL m_bAutoRelease;
};

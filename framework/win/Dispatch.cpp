// Automation clients: COleVariant, COleDispatchException, COleDispatchDriver.
#include "win/Dispatch.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

BSTR AllocAnsiBstr(LPCTSTR lpsz)
{
    const int nWide = (lpsz == NULL || *lpsz == '\0') ? 1 : ::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, NULL, 0);
    BSTR bstr = ::SysAllocStringLen(NULL, nWide > 0 ? nWide - 1 : 0);
    if (bstr == NULL)
        AfxThrowMemoryException();
    if (nWide > 1)
        ::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, bstr, nWide);
    else
        bstr[0] = L'\0';
    return bstr;
}

CString StringFromBstr(BSTR bstr)
{
    CString str;
    const int nWide = static_cast<int>(::SysStringLen(bstr));
    const int nLength = nWide > 0 ? ::WideCharToMultiByte(CP_ACP, 0, bstr, nWide, NULL, 0, NULL, NULL) : 0;
    if (nLength > 0) {
        ::WideCharToMultiByte(CP_ACP, 0, bstr, nWide, str.GetBuffer(nLength), nLength, NULL, NULL);
        str.ReleaseBuffer(nLength);
    }
    return str;
}

void CheckStatus(HRESULT hr)
{
    if (FAILED(hr))
        AfxThrowOleException(hr);
}

// The arguments of one call as the server gets them (the last one first),
// with the strings made for them freed however the call ends.
class CCallArguments {
public:
    explicit CCallArguments(UINT nCount) : m_args(nCount)
    {
        for (VARIANT& arg : m_args)
            ::VariantInit(&arg);
    }
    ~CCallArguments()
    {
        for (BSTR bstr : m_strings)
            ::SysFreeString(bstr);
    }
    CCallArguments(const CCallArguments&) = delete;
    CCallArguments& operator=(const CCallArguments&) = delete;

    // Argument i in the caller's order, read from the variable arguments as
    // the parameter-type byte says.
    void Take(UINT i, BYTE vtParam, va_list& argList)
    {
        VARIANT& arg = m_args[m_args.size() - 1 - i];
        if ((vtParam & 0x40) != 0) {
            arg.vt = static_cast<VARTYPE>((vtParam & ~0x40) | VT_BYREF);
            arg.byref = va_arg(argList, void*);
            return;
        }
        arg.vt = vtParam;
        switch (vtParam) {
        case VT_I2:
            arg.iVal = static_cast<SHORT>(va_arg(argList, int));
            break;
        case VT_I4:
            arg.lVal = va_arg(argList, long);
            break;
        case VT_R4:
            arg.fltVal = static_cast<FLOAT>(va_arg(argList, double));
            break;
        case VT_R8:
            arg.dblVal = va_arg(argList, double);
            break;
        case VT_DATE:
            arg.date = va_arg(argList, DATE);
            break;
        case VT_BSTR:
            arg.bstrVal = AllocAnsiBstr(va_arg(argList, LPCTSTR));
            m_strings.push_back(arg.bstrVal);
            break;
        case VT_DISPATCH:
            arg.pdispVal = va_arg(argList, LPDISPATCH);
            break;
        case VT_ERROR:
            arg.scode = va_arg(argList, SCODE);
            break;
        case VT_BOOL:
            arg.boolVal = va_arg(argList, BOOL) ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        case VT_VARIANT: {
            // Sent as it is: the caller keeps owning what it holds.
            const VARIANT* pvar = va_arg(argList, const VARIANT*);
            if (pvar == NULL)
                AfxThrowOleException(E_POINTER);
            arg = *pvar;
            break;
        }
        case VT_UNKNOWN:
            arg.punkVal = va_arg(argList, LPUNKNOWN);
            break;
        case VT_UI1:
            arg.bVal = static_cast<BYTE>(va_arg(argList, int));
            break;
        default:
            // Not a parameter type: the argument list cannot be read past it.
            arg.vt = VT_EMPTY;
            AfxThrowInvalidArgException();
        }
    }

    VARIANT* Get() { return m_args.empty() ? NULL : m_args.data(); }
    UINT GetCount() const { return static_cast<UINT>(m_args.size()); }

private:
    std::vector<VARIANT> m_args;
    std::vector<BSTR> m_strings;
};

[[noreturn]] void ThrowFromExcepInfo(EXCEPINFO& excepInfo)
{
    if (excepInfo.pfnDeferredFillIn != NULL)
        excepInfo.pfnDeferredFillIn(&excepInfo);
    COleDispatchException* pException =
        new COleDispatchException(NULL, static_cast<UINT>(excepInfo.dwHelpContext), excepInfo.wCode);
    pException->m_strDescription = StringFromBstr(excepInfo.bstrDescription);
    pException->m_strSource = StringFromBstr(excepInfo.bstrSource);
    pException->m_strHelpFile = StringFromBstr(excepInfo.bstrHelpFile);
    if (excepInfo.scode != 0)
        pException->m_scError = excepInfo.scode;
    ::SysFreeString(excepInfo.bstrDescription);
    ::SysFreeString(excepInfo.bstrSource);
    ::SysFreeString(excepInfo.bstrHelpFile);
    throw pException;
}

}  // namespace

// ---------------------------------------------------------------- COleVariant

COleVariant::COleVariant()
{
    ::VariantInit(this);
}

COleVariant::COleVariant(const VARIANT& varSrc)
{
    ::VariantInit(this);
    CheckStatus(::VariantCopy(this, const_cast<LPVARIANT>(&varSrc)));
}

COleVariant::COleVariant(const COleVariant& varSrc) : COleVariant(static_cast<const VARIANT&>(varSrc)) {}

COleVariant::COleVariant(const VARIANT* pSrc) : COleVariant(*pSrc) {}

COleVariant::COleVariant(LPCTSTR lpszSrc)
{
    ::VariantInit(this);
    bstrVal = AllocAnsiBstr(lpszSrc);
    vt = VT_BSTR;
}

COleVariant::COleVariant(const CString& strSrc) : COleVariant(static_cast<LPCTSTR>(strSrc)) {}

COleVariant::COleVariant(BYTE nSrc)
{
    ::VariantInit(this);
    vt = VT_UI1;
    bVal = nSrc;
}

COleVariant::COleVariant(short nSrc, VARTYPE vtSrc)
{
    ::VariantInit(this);
    if (vtSrc == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = nSrc != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        vt = VT_I2;
        iVal = nSrc;
    }
}

COleVariant::COleVariant(long lSrc, VARTYPE vtSrc)
{
    ::VariantInit(this);
    if (vtSrc == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = lSrc != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (vtSrc == VT_ERROR) {
        vt = VT_ERROR;
        scode = lSrc;
    } else {
        vt = VT_I4;
        lVal = lSrc;
    }
}

COleVariant::COleVariant(float fltSrc)
{
    ::VariantInit(this);
    vt = VT_R4;
    fltVal = fltSrc;
}

COleVariant::COleVariant(double dblSrc)
{
    ::VariantInit(this);
    vt = VT_R8;
    dblVal = dblSrc;
}

COleVariant::~COleVariant()
{
    ::VariantClear(this);
}

const COleVariant& COleVariant::operator=(const VARIANT& varSrc)
{
    if (&varSrc != this)
        CheckStatus(::VariantCopy(this, const_cast<LPVARIANT>(&varSrc)));
    return *this;
}

const COleVariant& COleVariant::operator=(const COleVariant& varSrc)
{
    return operator=(static_cast<const VARIANT&>(varSrc));
}

const COleVariant& COleVariant::operator=(LPCTSTR lpszSrc)
{
    BSTR bstr = AllocAnsiBstr(lpszSrc);
    Clear();
    vt = VT_BSTR;
    bstrVal = bstr;
    return *this;
}

void COleVariant::Clear()
{
    ::VariantClear(this);
}

void COleVariant::ChangeType(VARTYPE vartype, LPVARIANT pSrc)
{
    if (pSrc == NULL)
        pSrc = this;
    if (pSrc == this && vt == vartype)
        return;
    CheckStatus(::VariantChangeType(this, pSrc, 0, vartype));
}

VARIANT COleVariant::Detach()
{
    VARIANT var = *this;
    vt = VT_EMPTY;
    return var;
}

// ---------------------------------------------------------------- COleDispatchException

IMPLEMENT_DYNAMIC(COleDispatchException, CException)

COleDispatchException::COleDispatchException(LPCTSTR lpszDescription, UINT nHelpID, WORD wCode)
    : m_wCode(wCode), m_scError(wCode != 0 ? MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, wCode) : DISP_E_EXCEPTION),
      m_strDescription(lpszDescription), m_dwHelpContext(nHelpID)
{
}

COleDispatchException::~COleDispatchException() {}

BOOL COleDispatchException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = m_dwHelpContext;
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    const UINT nCopy = std::min<UINT>(static_cast<UINT>(m_strDescription.GetLength()), nMaxError - 1);
    std::memcpy(lpszError, static_cast<LPCTSTR>(m_strDescription), nCopy);
    lpszError[nCopy] = '\0';
    return !m_strDescription.IsEmpty();
}

void AFXAPI AfxThrowOleDispatchException(WORD wCode, LPCTSTR lpszDescription, UINT nHelpID)
{
    throw new COleDispatchException(lpszDescription, nHelpID, wCode);
}

void AFXAPI AfxThrowOleDispatchException(WORD wCode, UINT nDescriptionID, UINT nHelpID)
{
    CString strDescription;
    strDescription.LoadString(nDescriptionID);
    AfxThrowOleDispatchException(wCode, strDescription, nHelpID == static_cast<UINT>(-1) ? nDescriptionID : nHelpID);
}

// ---------------------------------------------------------------- COleDispatchDriver

COleDispatchDriver::COleDispatchDriver() : m_lpDispatch(NULL), m_bAutoRelease(TRUE) {}

COleDispatchDriver::COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease)
    : m_lpDispatch(lpDispatch), m_bAutoRelease(bAutoRelease)
{
}

COleDispatchDriver::COleDispatchDriver(const COleDispatchDriver& dispatchSrc)
    : m_lpDispatch(dispatchSrc.m_lpDispatch), m_bAutoRelease(TRUE)
{
    if (m_lpDispatch != NULL)
        m_lpDispatch->AddRef();
}

COleDispatchDriver::~COleDispatchDriver()
{
    ReleaseDispatch();
}

const COleDispatchDriver& COleDispatchDriver::operator=(const COleDispatchDriver& dispatchSrc)
{
    if (dispatchSrc.m_lpDispatch != NULL)
        dispatchSrc.m_lpDispatch->AddRef();
    ReleaseDispatch();
    m_lpDispatch = dispatchSrc.m_lpDispatch;
    m_bAutoRelease = TRUE;
    return *this;
}

BOOL COleDispatchDriver::CreateDispatch(REFCLSID clsid, COleException* pError)
{
    ReleaseDispatch();
    LPUNKNOWN lpUnknown = NULL;
    HRESULT hr = ::CoCreateInstance(clsid, NULL, CLSCTX_ALL & ~CLSCTX_REMOTE_SERVER, IID_IUnknown,
                                    reinterpret_cast<void**>(&lpUnknown));
    if (SUCCEEDED(hr)) {
        // A local server may start its object in a loaded, not yet running
        // state; it must run before it can be called.
        hr = ::OleRun(lpUnknown);
        if (SUCCEEDED(hr))
            hr = lpUnknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&m_lpDispatch));
        lpUnknown->Release();
    }
    if (FAILED(hr)) {
        m_lpDispatch = NULL;
        if (pError != NULL)
            pError->m_sc = hr;
        return FALSE;
    }
    m_bAutoRelease = TRUE;
    return TRUE;
}

BOOL COleDispatchDriver::CreateDispatch(LPCTSTR lpszProgID, COleException* pError)
{
    CLSID clsid;
    BSTR bstrProgID = AllocAnsiBstr(lpszProgID);
    const HRESULT hr = ::CLSIDFromProgID(bstrProgID, &clsid);
    ::SysFreeString(bstrProgID);
    if (FAILED(hr)) {
        ReleaseDispatch();
        if (pError != NULL)
            pError->m_sc = hr;
        return FALSE;
    }
    return CreateDispatch(clsid, pError);
}

void COleDispatchDriver::AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease)
{
    ReleaseDispatch();
    m_lpDispatch = lpDispatch;
    m_bAutoRelease = bAutoRelease;
}

LPDISPATCH COleDispatchDriver::DetachDispatch()
{
    LPDISPATCH lpDispatch = m_lpDispatch;
    m_lpDispatch = NULL;
    return lpDispatch;
}

void COleDispatchDriver::ReleaseDispatch()
{
    if (m_lpDispatch != NULL) {
        if (m_bAutoRelease)
            m_lpDispatch->Release();
        m_lpDispatch = NULL;
    }
}

void COleDispatchDriver::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo,
                                      ...)
{
    va_list argList;
    va_start(argList, pbParamInfo);
    try {
        InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, argList);
    } catch (...) {
        va_end(argList);
        throw;
    }
    va_end(argList);
}

void COleDispatchDriver::InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                       const BYTE* pbParamInfo, va_list argList)
{
    if (m_lpDispatch == NULL)
        AfxThrowOleException(CO_E_OBJNOTCONNECTED);

    const UINT nArgs =
        pbParamInfo != NULL ? static_cast<UINT>(std::strlen(reinterpret_cast<const char*>(pbParamInfo))) : 0;
    CCallArguments args(nArgs);
    va_list argCopy;
    va_copy(argCopy, argList);
    try {
        for (UINT i = 0; i < nArgs; ++i)
            args.Take(i, pbParamInfo[i], argCopy);
    } catch (...) {
        va_end(argCopy);
        throw;
    }
    va_end(argCopy);

    DISPPARAMS params = {args.Get(), NULL, nArgs, 0};
    // A put's value is the last argument, which the server finds by name.
    DISPID dispidPut = DISPID_PROPERTYPUT;
    if ((wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0 && nArgs > 0) {
        params.rgdispidNamedArgs = &dispidPut;
        params.cNamedArgs = 1;
    }
    COleVariant result;
    EXCEPINFO excepInfo;
    std::memset(&excepInfo, 0, sizeof(excepInfo));
    UINT nArgErr = static_cast<UINT>(-1);
    const HRESULT hr =
        m_lpDispatch->Invoke(dwDispID, IID_NULL, 0, wFlags, &params,
                             vtRet != VT_EMPTY ? static_cast<LPVARIANT>(result) : NULL, &excepInfo, &nArgErr);
    if (hr == DISP_E_EXCEPTION)
        ThrowFromExcepInfo(excepInfo);
    CheckStatus(hr);
    if (vtRet == VT_EMPTY || pvRet == NULL)
        return;
    if (vtRet != VT_VARIANT)
        result.ChangeType(vtRet);
    switch (vtRet) {
    case VT_I2:
        *static_cast<short*>(pvRet) = result.iVal;
        break;
    case VT_I4:
        *static_cast<long*>(pvRet) = result.lVal;
        break;
    case VT_R4:
        *static_cast<float*>(pvRet) = result.fltVal;
        break;
    case VT_R8:
        *static_cast<double*>(pvRet) = result.dblVal;
        break;
    case VT_DATE:
        *static_cast<DATE*>(pvRet) = result.date;
        break;
    case VT_BSTR:
        *static_cast<CString*>(pvRet) = StringFromBstr(result.bstrVal);
        break;
    case VT_DISPATCH:
        *static_cast<LPDISPATCH*>(pvRet) = result.pdispVal;
        result.Detach();
        break;
    case VT_ERROR:
        *static_cast<SCODE*>(pvRet) = result.scode;
        break;
    case VT_BOOL:
        *static_cast<BOOL*>(pvRet) = result.boolVal != VARIANT_FALSE;
        break;
    case VT_VARIANT:
        *static_cast<VARIANT*>(pvRet) = result.Detach();
        break;
    case VT_UNKNOWN:
        *static_cast<LPUNKNOWN*>(pvRet) = result.punkVal;
        result.Detach();
        break;
    case VT_UI1:
        *static_cast<BYTE*>(pvRet) = result.bVal;
        break;
    default:
        AfxThrowInvalidArgException();
    }
}

void COleDispatchDriver::SetProperty(DISPID dwDispID, VARTYPE vtProp, ...)
{
    const BYTE abParamInfo[2] = {static_cast<BYTE>(vtProp), 0};
    const WORD wFlags = vtProp == VT_DISPATCH ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
    va_list argList;
    va_start(argList, vtProp);
    try {
        InvokeHelperV(dwDispID, wFlags, VT_EMPTY, NULL, abParamInfo, argList);
    } catch (...) {
        va_end(argList);
        throw;
    }
    va_end(argList);
}

void COleDispatchDriver::GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const
{
    const_cast<COleDispatchDriver*>(this)->InvokeHelper(dwDispID, DISPATCH_PROPERTYGET, vtProp, pvProp, NULL);
}

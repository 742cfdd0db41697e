// The stand-in's IDispatch: member look-up, the journal, argument checks and
// conversions, the chosen failure, and the count of live objects.
#include "Automation.h"
#include "Journal.h"

#include <cstring>
#include <map>

namespace {

std::map<IDispatch*, CAutoObject*>& Objects()
{
    static std::map<IDispatch*, CAutoObject*> s_objects;
    return s_objects;
}
long g_nCreated = 0;

const char* KindName(int kind)
{
    return kind == kindPut ? "put" : kind == kindMethod ? "method" : "get";
}

// The kind a call asks for when no member answers it.
int KindOfFlags(WORD wFlags)
{
    if ((wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0)
        return kindPut;
    return (wFlags & DISPATCH_METHOD) != 0 ? kindMethod : kindGet;
}

bool IsOptional(char chParam)
{
    return chParam >= 'A' && chParam <= 'Z';
}

}  // namespace

[[noreturn]] void ThrowServerError(WORD wNumber, const std::wstring& strDescription)
{
    throw CAutoError{MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, wNumber), true, strDescription};
}

// ---------------------------------------------------------------- CArgs

CArgs::CArgs(const CMember& member, DISPPARAMS* pParams)
{
    // rgvarg holds the named value (a put's) first and the positional
    // arguments from the last to the first.
    const UINT nNamed = pParams->cNamedArgs;
    for (UINT i = pParams->cArgs; i > nNamed; --i)
        m_args.push_back(&pParams->rgvarg[i - 1]);
    for (UINT i = 0; i < nNamed; ++i)
        m_args.push_back(&pParams->rgvarg[i]);
    // The parameters the caller left out are missing ones.
    static VARIANT s_varMissing = [] {
        VARIANT var;
        var.vt = VT_ERROR;
        var.scode = DISP_E_PARAMNOTFOUND;
        return var;
    }();
    const size_t nParams = std::strlen(member.m_pszParams);
    if (member.m_kind == kindPut && m_args.size() < nParams) {
        // The value is always last, after the optional parameters left out.
        const VARIANT* pValue = m_args.empty() ? &s_varMissing : m_args.back();
        if (!m_args.empty())
            m_args.pop_back();
        while (m_args.size() + 1 < nParams)
            m_args.push_back(&s_varMissing);
        m_args.push_back(pValue);
    }
    while (m_args.size() < nParams)
        m_args.push_back(&s_varMissing);
}

const VARIANT& CArgs::Get(int i) const
{
    const VARIANT* pvar = m_args[static_cast<size_t>(i)];
    if (pvar->vt == (VT_BYREF | VT_VARIANT) && pvar->pvarVal != nullptr)
        return *pvar->pvarVal;
    return *pvar;
}

bool CArgs::IsMissing(int i) const
{
    const VARIANT& var = Get(i);
    return var.vt == VT_ERROR && var.scode == DISP_E_PARAMNOTFOUND;
}

VARIANT CArgs::Convert(int i, VARTYPE vt) const
{
    VARIANT var;
    ::VariantInit(&var);
    const HRESULT hr = ::VariantChangeType(&var, const_cast<VARIANT*>(&Get(i)), 0, vt);
    if (FAILED(hr))
        throw CAutoError{DISP_E_TYPEMISMATCH, false, L""};
    return var;
}

std::wstring CArgs::String(int i) const
{
    VARIANT var = Convert(i, VT_BSTR);
    std::wstring str(var.bstrVal != nullptr ? var.bstrVal : L"", ::SysStringLen(var.bstrVal));
    ::VariantClear(&var);
    return str;
}

long CArgs::Long(int i) const
{
    return Convert(i, VT_I4).lVal;
}

float CArgs::Float(int i) const
{
    return Convert(i, VT_R4).fltVal;
}

bool CArgs::Bool(int i) const
{
    return Convert(i, VT_BOOL).boolVal != VARIANT_FALSE;
}

CAutoObject* CArgs::Object(int i) const
{
    const VARIANT& var = Get(i);
    CAutoObject* pObject = var.vt == VT_DISPATCH ? CAutoObject::FromDispatch(var.pdispVal) : nullptr;
    if (pObject == nullptr)
        throw CAutoError{DISP_E_TYPEMISMATCH, false, L""};
    return pObject;
}

// ---------------------------------------------------------------- CAutoObject

CAutoObject::CAutoObject(const char* pszClass, const std::vector<CMember>& members)
    : m_pszClass(pszClass), m_members(members)
{
    Objects()[this] = this;
    ++g_nCreated;
}

CAutoObject::~CAutoObject()
{
    Objects().erase(this);
    WriteObjectCount(GetLiveCount(), g_nCreated);
    if (Objects().empty())
        OnLastObjectReleased();
}

CAutoObject* CAutoObject::FromDispatch(IDispatch* pDispatch)
{
    auto it = Objects().find(pDispatch);
    return it != Objects().end() ? it->second : nullptr;
}

long CAutoObject::GetLiveCount()
{
    return static_cast<long>(Objects().size());
}

STDMETHODIMP CAutoObject::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CAutoObject::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_nRef));
}

STDMETHODIMP_(ULONG) CAutoObject::Release()
{
    const LONG nRef = ::InterlockedDecrement(&m_nRef);
    if (nRef == 0)
        delete this;
    return static_cast<ULONG>(nRef);
}

STDMETHODIMP CAutoObject::GetTypeInfoCount(UINT* pctinfo)
{
    if (pctinfo == nullptr)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

STDMETHODIMP CAutoObject::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo != nullptr)
        *ppTInfo = nullptr;
    return DISP_E_BADINDEX;
}

STDMETHODIMP CAutoObject::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId)
{
    if (rgszNames == nullptr || rgDispId == nullptr || cNames == 0)
        return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < cNames; ++i)
        rgDispId[i] = DISPID_UNKNOWN;
    for (const CMember& member : m_members) {
        const std::string strName = ToUtf8(rgszNames[0]);
        if (::lstrcmpiA(strName.c_str(), member.m_pszName) == 0) {
            rgDispId[0] = member.m_dispid;
            break;
        }
    }
    // Named parameters are not taken.
    if (rgDispId[0] == DISPID_UNKNOWN || cNames > 1)
        hr = DISP_E_UNKNOWNNAME;
    return hr;
}

const CMember* CAutoObject::Find(DISPID dispid, WORD wFlags) const
{
    const int kindAsked = KindOfFlags(wFlags);
    const CMember* pGet = nullptr;
    for (const CMember& member : m_members) {
        if (member.m_dispid != dispid)
            continue;
        if (member.m_kind == kindAsked)
            return &member;
        // A method call may read a property, as script clients call them.
        if (member.m_kind == kindGet && kindAsked == kindMethod && (wFlags & DISPATCH_PROPERTYGET) != 0)
            pGet = &member;
    }
    return pGet;
}

STDMETHODIMP CAutoObject::Invoke(DISPID dispid, REFIID, LCID, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult,
                                 EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    if (pParams == nullptr || (pParams->cArgs > 0 && pParams->rgvarg == nullptr))
        return E_INVALIDARG;
    const CMember* pMember = Find(dispid, wFlags);
    const int kind = pMember != nullptr ? pMember->m_kind : KindOfFlags(wFlags);

    // The journal: every call as it arrived, the put's value last.
    std::string strLine = std::string(m_pszClass) + "\t" + (pMember != nullptr ? pMember->m_pszName : "?") + "\t" +
                          std::to_string(dispid) + "\t" + KindName(kind);
    for (UINT i = pParams->cArgs; i > pParams->cNamedArgs; --i)
        strLine += "\t" + FormatArgument(pParams->rgvarg[i - 1]);
    for (UINT i = 0; i < pParams->cNamedArgs; ++i)
        strLine += "\t" + FormatArgument(pParams->rgvarg[i]);
    WriteJournalLine(strLine);

    if (pMember == nullptr)
        return DISP_E_MEMBERNOTFOUND;
    const bool bPut = kind == kindPut;
    if (pParams->cNamedArgs > (bPut ? 1u : 0u) ||
        (bPut && (pParams->cNamedArgs != 1 || pParams->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)))
        return bPut ? DISP_E_PARAMNOTOPTIONAL : DISP_E_NONAMEDARGS;
    const char* pszParams = pMember->m_pszParams;
    size_t nRequired = 0;
    for (const char* p = pszParams; *p != '\0'; ++p)
        nRequired += IsOptional(*p) ? 0 : 1;
    if (pParams->cArgs < nRequired || pParams->cArgs > std::strlen(pszParams))
        return DISP_E_BADPARAMCOUNT;

    CAutoError error;
    if (IsCallToFail(m_pszClass, pMember->m_pszName, KindName(kind), error)) {
        if (!error.m_bException)
            return error.m_hr;
    } else {
        VARIANT result;
        ::VariantInit(&result);
        try {
            const CArgs args(*pMember, pParams);
            for (int i = 0; i < args.GetCount(); ++i) {
                if (!IsOptional(pszParams[i]) && args.IsMissing(i)) {
                    if (puArgErr != nullptr)
                        *puArgErr = static_cast<UINT>(args.GetCount() - 1 - i);
                    return DISP_E_PARAMNOTOPTIONAL;
                }
            }
            Call(*pMember, args, result);
            if (pResult != nullptr)
                *pResult = result;
            else
                ::VariantClear(&result);
            return S_OK;
        } catch (const CAutoError& e) {
            ::VariantClear(&result);
            if (!e.m_bException)
                return e.m_hr;
            error = e;
        }
    }
    if (pExcepInfo != nullptr) {
        std::memset(pExcepInfo, 0, sizeof(*pExcepInfo));
        pExcepInfo->scode = error.m_hr;
        pExcepInfo->bstrSource = ::SysAllocString(L"Office stand-in");
        pExcepInfo->bstrDescription =
            ::SysAllocStringLen(error.m_strDescription.data(), static_cast<UINT>(error.m_strDescription.size()));
    }
    return DISP_E_EXCEPTION;
}

void CAutoObject::Return(VARIANT& result, CAutoObject* pObject)
{
    result.vt = VT_DISPATCH;
    result.pdispVal = pObject;  // the reference the object was made with
}

void CAutoObject::Return(VARIANT& result, const std::wstring& str)
{
    result.vt = VT_BSTR;
    result.bstrVal = ::SysAllocStringLen(str.data(), static_cast<UINT>(str.size()));
}

void CAutoObject::Return(VARIANT& result, long n)
{
    result.vt = VT_I4;
    result.lVal = n;
}

void CAutoObject::Return(VARIANT& result, float f)
{
    result.vt = VT_R4;
    result.fltVal = f;
}

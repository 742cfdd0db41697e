// The base of the office applications' object wrappers: every member is one
// dispatch call by its identifier, and these helpers make the call for the
// usual shapes. An object a member answers with comes with its reference,
// which the wrapper made from it releases.
#pragma once

#include <afxdisp.h>

class COfficeObject : public COleDispatchDriver {
public:
    using COleDispatchDriver::COleDispatchDriver;

protected:
    template <typename... Args>
    LPDISPATCH Object(DISPID dispid, WORD wFlags, const BYTE* pbParamInfo, Args... args)
    {
        LPDISPATCH lpResult = nullptr;
        InvokeHelper(dispid, wFlags, VT_DISPATCH, &lpResult, pbParamInfo, args...);
        return lpResult;
    }
    LPDISPATCH GetObject(DISPID dispid) { return Object(dispid, DISPATCH_PROPERTYGET, nullptr); }

    template <typename Result>
    Result Get(DISPID dispid, VARTYPE vtResult)
    {
        Result result{};
        InvokeHelper(dispid, DISPATCH_PROPERTYGET, vtResult, &result, nullptr);
        return result;
    }
    COleVariant GetVariant(DISPID dispid)
    {
        COleVariant varResult;
        InvokeHelper(dispid, DISPATCH_PROPERTYGET, VT_VARIANT, static_cast<LPVARIANT>(varResult), nullptr);
        return varResult;
    }

    template <typename Value>
    void Put(DISPID dispid, const BYTE* pbParamInfo, Value value)
    {
        InvokeHelper(dispid, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, pbParamInfo, value);
    }
    void PutVariant(DISPID dispid, const VARIANT& var)
    {
        static const BYTE s_parms[] = VTS_VARIANT;
        Put(dispid, s_parms, &var);
    }

    template <typename... Args>
    void Method(DISPID dispid, const BYTE* pbParamInfo, Args... args)
    {
        InvokeHelper(dispid, DISPATCH_METHOD, VT_EMPTY, nullptr, pbParamInfo, args...);
    }
};

// The office stand-in's automation objects: each is an IDispatch over a piece
// of its application's document, answering exactly the members in its class's
// table (name, dispatch identifier, kind, parameters) and refusing every other
// identifier as a server does (DISP_E_MEMBERNOTFOUND). Every call is written
// to the journal first, and the call the test chose to fail fails.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <string>
#include <vector>

enum EMemberKind { kindGet = 1, kindPut = 2, kindMethod = 4 };

// One member of a class's table. szParams has a letter per parameter, in the
// member's order, a put's value last: v any variant, s text, i 32-bit
// integer, f 32-bit float, b Boolean, d one of our objects; upper case for an
// optional parameter.
struct CMember {
    const char* m_pszName;
    DISPID m_dispid;
    EMemberKind m_kind;
    const char* m_pszParams;
};

// What a member answers with instead of a result: a status, or an exception
// (DISP_E_EXCEPTION) with m_hr as its scode and a description.
struct CAutoError {
    HRESULT m_hr = S_OK;
    bool m_bException = false;
    std::wstring m_strDescription;
};

// The error an office application gives for its error number n.
[[noreturn]] void ThrowServerError(WORD wNumber, const std::wstring& strDescription);

class CAutoObject;

// The arguments of one call, read as the member's parameters say.
class CArgs {
public:
    CArgs(const CMember& member, DISPPARAMS* pParams);
    int GetCount() const { return static_cast<int>(m_args.size()); }
    // The argument as it arrived, a reference followed.
    const VARIANT& Get(int i) const;
    bool IsMissing(int i) const;
    std::wstring String(int i) const;
    long Long(int i) const;
    float Float(int i) const;
    bool Bool(int i) const;
    CAutoObject* Object(int i) const;

private:
    VARIANT Convert(int i, VARTYPE vt) const;

    std::vector<const VARIANT*> m_args;  // in the member's order
};

class CAutoObject : public IDispatch {
public:
    // pszClass: the object's class as the journal names it.
    CAutoObject(const char* pszClass, const std::vector<CMember>& members);
    virtual ~CAutoObject();
    const char* GetClass() const { return m_pszClass; }

    // The object behind a dispatch pointer, when it is one of ours.
    static CAutoObject* FromDispatch(IDispatch* pDispatch);
    // Objects alive now, and made since the start.
    static long GetLiveCount();

    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;
    STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override;
    STDMETHOD(GetTypeInfo)(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
    STDMETHOD(Invoke)
    (DISPID dispid, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult, EXCEPINFO* pExcepInfo,
     UINT* puArgErr) override;

protected:
    // Carries out the call; the result (when there is one) goes into result.
    // Errors are thrown as CAutoError.
    virtual void Call(const CMember& member, const CArgs& args, VARIANT& result) = 0;

    // Results.
    static void Return(VARIANT& result, CAutoObject* pObject);
    static void Return(VARIANT& result, const std::wstring& str);
    static void Return(VARIANT& result, long n);
    static void Return(VARIANT& result, float f);

private:
    const CMember* Find(DISPID dispid, WORD wFlags) const;

    LONG m_nRef = 1;
    const char* m_pszClass;
    const std::vector<CMember>& m_members;
};

// Called when the last object goes: the server may end.
void OnLastObjectReleased();

// Automation clients against an IDispatch of the test's own, which notes what
// each call brought and answers as told: the parameter-type strings, result
// conversions, the server's exception, and who releases what. (Property puts
// and failed calls reach the office stand-in in the export table.)
#include <afxdisp.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

class CRecordingDispatch : public IDispatch {
public:
    ~CRecordingDispatch()
    {
        for (VARIANT& var : m_args)
            VariantClear(&var);
    }

    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override
    {
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch)) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        *ppv = this;
        AddRef();
        return S_OK;
    }
    STDMETHOD_(ULONG, AddRef)() override { return static_cast<ULONG>(++m_nRef); }
    STDMETHOD_(ULONG, Release)() override { return static_cast<ULONG>(--m_nRef); }
    STDMETHOD(GetTypeInfoCount)(UINT*) override { return E_NOTIMPL; }
    STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHOD(Invoke)
    (DISPID dispid, REFIID, LCID, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult, EXCEPINFO* pExcepInfo,
     UINT*) override
    {
        m_dispid = dispid;
        m_wFlags = wFlags;
        m_bResultAsked = pResult != nullptr;
        for (VARIANT& var : m_args)
            VariantClear(&var);
        m_args.assign(pParams->cArgs, VARIANT());
        for (UINT i = 0; i < pParams->cArgs; ++i) {
            VariantInit(&m_args[i]);
            VariantCopy(&m_args[i], &pParams->rgvarg[i]);
        }
        m_named.assign(pParams->rgdispidNamedArgs, pParams->rgdispidNamedArgs + pParams->cNamedArgs);
        if (m_hrAnswer == DISP_E_EXCEPTION)
            *pExcepInfo = m_excepInfo;
        else if (pResult != nullptr)
            VariantCopy(pResult, &m_varResult);
        return m_hrAnswer;
    }

    LONG m_nRef = 1;
    DISPID m_dispid = 0;
    WORD m_wFlags = 0;
    bool m_bResultAsked = false;
    std::vector<VARIANT> m_args;  // as they arrived: the last argument first
    std::vector<DISPID> m_named;
    HRESULT m_hrAnswer = S_OK;
    COleVariant m_varResult;
    EXCEPINFO m_excepInfo = {};
};

std::wstring Wide(BSTR bstr)
{
    return std::wstring(bstr, SysStringLen(bstr));
}

// Runs the call and hands over the exception it raised (deleted by the caller).
template <typename TException, typename Call>
TException* Raised(Call call)
{
    try {
        call();
    } catch (TException* e) {
        return e;
    }
    return nullptr;
}

}  // namespace

TEST(DispatchDriver, ArgumentsTravelAsTheirParameterTypesTheLastOneFirst)
{
    CRecordingDispatch server, other;
    COleDispatchDriver driver(&server, FALSE);
    const COleVariant varByValue("Итого");
    VARIANT varByRef;
    VariantInit(&varByRef);
    static const BYTE s_parms[] =
        VTS_I2 VTS_I4 VTS_R4 VTS_R8 VTS_BSTR VTS_BOOL VTS_VARIANT VTS_PVARIANT VTS_DISPATCH VTS_SCODE VTS_UI1;
    driver.InvokeHelper(7, DISPATCH_METHOD, VT_EMPTY, nullptr, s_parms, static_cast<short>(-2), 100000L, 1.5f, 2.25,
                        "Сумма", TRUE, static_cast<const VARIANT*>(varByValue), &varByRef,
                        static_cast<IDispatch*>(&other), static_cast<SCODE>(DISP_E_PARAMNOTFOUND),
                        static_cast<BYTE>(7));

    EXPECT_EQ(7, server.m_dispid);
    EXPECT_EQ(DISPATCH_METHOD, server.m_wFlags);
    EXPECT_FALSE(server.m_bResultAsked) << "no result wanted, none asked for";
    EXPECT_TRUE(server.m_named.empty());
    ASSERT_EQ(11u, server.m_args.size());
    const std::vector<VARIANT>& args = server.m_args;
    EXPECT_TRUE(args[10].vt == VT_I2 && args[10].iVal == -2);
    EXPECT_TRUE(args[9].vt == VT_I4 && args[9].lVal == 100000);
    EXPECT_TRUE(args[8].vt == VT_R4 && args[8].fltVal == 1.5f);
    EXPECT_TRUE(args[7].vt == VT_R8 && args[7].dblVal == 2.25);
    ASSERT_EQ(VT_BSTR, args[6].vt);
    EXPECT_EQ(L"Сумма", Wide(args[6].bstrVal)) << "the code page's text as Unicode";
    EXPECT_TRUE(args[5].vt == VT_BOOL && args[5].boolVal == VARIANT_TRUE);
    EXPECT_TRUE(args[4].vt == VT_BSTR && Wide(args[4].bstrVal) == L"Итого");
    EXPECT_TRUE(args[3].vt == (VT_BYREF | VT_VARIANT) && args[3].pvarVal == &varByRef);
    EXPECT_TRUE(args[2].vt == VT_DISPATCH && args[2].pdispVal == &other);
    EXPECT_TRUE(args[1].vt == VT_ERROR && args[1].scode == DISP_E_PARAMNOTFOUND);
    EXPECT_TRUE(args[0].vt == VT_UI1 && args[0].bVal == 7);
    EXPECT_EQ(1, other.m_nRef - 1) << "the copy the recorder keeps";
}

TEST(DispatchDriver, ResultsAreConvertedToTheTypeAskedFor)
{
    CRecordingDispatch server, object;
    COleDispatchDriver driver(&server, FALSE);
    server.m_varResult = "42";
    long nResult = 0;
    driver.GetProperty(1, VT_I4, &nResult);
    EXPECT_TRUE(server.m_bResultAsked && server.m_wFlags == DISPATCH_PROPERTYGET);
    EXPECT_EQ(42, nResult);
    BOOL bResult = FALSE;
    driver.GetProperty(1, VT_BOOL, &bResult);
    EXPECT_TRUE(bResult);

    server.m_varResult = COleVariant(12.5);
    float fResult = 0;
    driver.GetProperty(1, VT_R4, &fResult);
    EXPECT_EQ(12.5f, fResult);
    CString strResult;
    server.m_varResult = "Итог";
    driver.InvokeHelper(1, DISPATCH_METHOD, VT_BSTR, &strResult, nullptr);
    EXPECT_EQ(CString("Итог"), strResult);

    server.m_varResult.Clear();
    server.m_varResult.vt = VT_DISPATCH;
    server.m_varResult.pdispVal = &object;
    object.AddRef();
    LPDISPATCH lpResult = nullptr;
    driver.GetProperty(1, VT_DISPATCH, &lpResult);
    EXPECT_EQ(&object, lpResult);
    EXPECT_EQ(3, object.m_nRef) << "the caller's reference, and the recorder's";
    COleDispatchDriver(lpResult).ReleaseDispatch();
    EXPECT_EQ(2, object.m_nRef);

    server.m_varResult = "сорок два";
    COleException* e = Raised<COleException>([&] { driver.GetProperty(1, VT_I4, &nResult); });
    ASSERT_NE(nullptr, e);
    EXPECT_EQ(DISP_E_TYPEMISMATCH, e->m_sc);
    e->Delete();
    server.m_varResult.Clear();
}

TEST(DispatchDriver, AServerErrorBecomesADispatchExceptionWithWhatTheServerSaid)
{
    CRecordingDispatch server;
    COleDispatchDriver driver(&server, FALSE);
    server.m_hrAnswer = DISP_E_EXCEPTION;
    server.m_excepInfo.scode = static_cast<SCODE>(0x800A03EC);
    server.m_excepInfo.bstrDescription = SysAllocString(L"Ячейка защищена");
    server.m_excepInfo.bstrSource = SysAllocString(L"Таблица");
    server.m_excepInfo.dwHelpContext = 77;
    COleDispatchException* e = Raised<COleDispatchException>([&] { driver.SetProperty(6, VT_BSTR, "x"); });
    ASSERT_NE(nullptr, e);
    EXPECT_EQ(static_cast<SCODE>(0x800A03EC), e->m_scError);
    EXPECT_EQ(0, e->m_wCode);
    EXPECT_EQ(CString("Ячейка защищена"), e->m_strDescription);
    EXPECT_EQ(CString("Таблица"), e->m_strSource);
    EXPECT_EQ(77u, e->m_dwHelpContext);
    char szMessage[8];
    EXPECT_TRUE(e->GetErrorMessage(szMessage, sizeof(szMessage)));
    EXPECT_STREQ("Ячейка ", szMessage) << "cut to the buffer";
    e->Delete();

    // An error number instead of a status, its text filled in late.
    server.m_excepInfo = {};
    server.m_excepInfo.wCode = 1004;
    server.m_excepInfo.pfnDeferredFillIn = [](EXCEPINFO* pInfo) -> HRESULT {
        pInfo->bstrDescription = SysAllocString(L"Ошибка метода");
        return S_OK;
    };
    e = Raised<COleDispatchException>([&] { driver.InvokeHelper(6, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr); });
    ASSERT_NE(nullptr, e);
    EXPECT_EQ(1004, e->m_wCode);
    EXPECT_EQ(static_cast<SCODE>(0x800A03EC), e->m_scError);
    EXPECT_EQ(CString("Ошибка метода"), e->m_strDescription);
    e->Delete();
}

TEST(DispatchDriver, TheDriverReleasesOnlyWhatItOwns)
{
    CRecordingDispatch server;
    {
        COleDispatchDriver owner(&server);
        server.AddRef();  // the reference handed over
        COleDispatchDriver copy(owner);
        EXPECT_EQ(3, server.m_nRef);
        COleDispatchDriver assigned;
        assigned = copy;
        EXPECT_EQ(4, server.m_nRef);
        COleDispatchDriver borrowed(&server, FALSE);
        LPDISPATCH lpDetached = assigned.DetachDispatch();
        EXPECT_EQ(&server, lpDetached);
        lpDetached->Release();
    }
    EXPECT_EQ(1, server.m_nRef);

    ASSERT_TRUE(AfxOleInit());
    COleDispatchDriver driver;
    COleException error;
    EXPECT_FALSE(driver.CreateDispatch("Extkit.NoSuchProgram", &error));
    EXPECT_EQ(CO_E_CLASSSTRING, error.m_sc);
    EXPECT_EQ(nullptr, driver.m_lpDispatch);
    const CLSID clsidNone = {0x1d2e3f40, 0x1111, 0x2222, {0x33, 0x33, 0x44, 0x44, 0x55, 0x55, 0x66, 0x66}};
    EXPECT_FALSE(driver.CreateDispatch(clsidNone, &error));
    EXPECT_EQ(REGDB_E_CLASSNOTREG, error.m_sc);
}

TEST(OleVariant, OwnsAndCopiesWhatItHolds)
{
    COleVariant varText("Накладная");
    ASSERT_EQ(VT_BSTR, varText.vt);
    COleVariant varCopy(varText);
    EXPECT_NE(varText.bstrVal, varCopy.bstrVal) << "a copy of its own";
    varText = "Счёт";
    EXPECT_EQ(L"Накладная", Wide(varCopy.bstrVal));
    EXPECT_TRUE(COleVariant(static_cast<long>(DISP_E_PARAMNOTFOUND), VT_ERROR).scode == DISP_E_PARAMNOTFOUND);
    EXPECT_TRUE(COleVariant(static_cast<short>(5), VT_BOOL).boolVal == VARIANT_TRUE);
    COleVariant varNumber("42");
    varNumber.ChangeType(VT_I4);
    EXPECT_EQ(42, varNumber.lVal);
    COleException* e = Raised<COleException>([&] { varText.ChangeType(VT_I4); });
    ASSERT_NE(nullptr, e);
    e->Delete();
    VARIANT var = varCopy.Detach();
    EXPECT_EQ(VT_EMPTY, varCopy.vt);
    EXPECT_EQ(L"Накладная", Wide(var.bstrVal));
    VariantClear(&var);
}

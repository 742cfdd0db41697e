// officestandin.exe: the spreadsheet and the word processor that the exports
// drive, for the tests and the gallery, where no office suite is installed.
//   officestandin /regserver     registers both under their program identifiers
//   officestandin /unregserver   removes the registration
//   officestandin excel|word     serves one application (COM starts it so,
//                                adding -Embedding)
// It is registered only in the Wine prefixes of the tests and the gallery, by
// the test programs and by ./run demo; nothing a user installs registers it.
// Each application started by a client runs in a process of its own, as the
// real ones do, and the process ends when its last object is released.
#include "Office.h"
#include "Journal.h"

#include <string>

namespace {

struct CApplicationClass {
    const wchar_t* m_pszName;    // on the command line
    const wchar_t* m_pszProgID;  // what clients ask for
    const wchar_t* m_pszClsid;
    CLSID m_clsid;
    CAutoObject* (*m_pfnCreate)();
};

// Our own class identifiers, not those of any real product.
const CApplicationClass g_aClasses[] = {
    {L"excel",
     L"Excel.Application",
     L"{5B1E7A20-3C41-4E8F-9D2A-6F0B1C8E4A01}",
     {0x5b1e7a20, 0x3c41, 0x4e8f, {0x9d, 0x2a, 0x6f, 0x0b, 0x1c, 0x8e, 0x4a, 0x01}},
     CreateExcelApplication},
    {L"word",
     L"Word.Application",
     L"{5B1E7A20-3C41-4E8F-9D2A-6F0B1C8E4A02}",
     {0x5b1e7a20, 0x3c41, 0x4e8f, {0x9d, 0x2a, 0x6f, 0x0b, 0x1c, 0x8e, 0x4a, 0x02}},
     CreateWordApplication},
};

DWORD g_dwRegister = 0;
LONG g_nLocks = 0;
bool g_bServed = false;  // an object was made; the end of the last one ends the server

// Takes no new client at once, so none reaches a process on its way out, and
// ends a moment later: the client's last releases of its proxies may still be
// on their way.
void StopServing()
{
    if (g_dwRegister != 0) {
        ::CoRevokeClassObject(g_dwRegister);
        g_dwRegister = 0;
    }
    ::SetTimer(nullptr, 0, 500, [](HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(0); });
}

class CClassFactory : public IClassFactory {
public:
    explicit CClassFactory(const CApplicationClass& cls) : m_cls(cls) {}

    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *ppv = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // The factory lives as long as the process.
    STDMETHOD_(ULONG, AddRef)() override { return 2; }
    STDMETHOD_(ULONG, Release)() override { return 1; }
    STDMETHOD(CreateInstance)(IUnknown* pOuter, REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (pOuter != nullptr)
            return CLASS_E_NOAGGREGATION;
        CAutoObject* pApplication = m_cls.m_pfnCreate();
        g_bServed = true;
        const HRESULT hr = pApplication->QueryInterface(riid, ppv);
        pApplication->Release();
        return hr;
    }
    STDMETHOD(LockServer)(BOOL bLock) override
    {
        if (bLock)
            ::InterlockedIncrement(&g_nLocks);
        else if (::InterlockedDecrement(&g_nLocks) == 0 && CAutoObject::GetLiveCount() == 0)
            StopServing();
        return S_OK;
    }

private:
    const CApplicationClass& m_cls;
};

bool SetKey(HKEY hRoot, const std::wstring& strKey, const std::wstring& strValue)
{
    HKEY hKey = nullptr;
    if (::RegCreateKeyExW(hRoot, strKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG nResult = ::RegSetValueExW(hKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(strValue.c_str()),
                                          static_cast<DWORD>((strValue.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(hKey);
    return nResult == ERROR_SUCCESS;
}

// The classes go under the machine's classes of the prefix: Wine's COM does
// not look at a user's own classes (HKCU\Software\Classes), as Windows does.
const HKEY c_hClassesRoot = HKEY_LOCAL_MACHINE;
const wchar_t c_szClasses[] = L"Software\\Classes\\";

int Register()
{
    wchar_t szPath[MAX_PATH];
    ::GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    bool bDone = true;
    for (const CApplicationClass& cls : g_aClasses) {
        const std::wstring strClsidKey = std::wstring(c_szClasses) + L"CLSID\\" + cls.m_pszClsid;
        bDone = SetKey(c_hClassesRoot, strClsidKey, std::wstring(cls.m_pszProgID) + L" (extkit office stand-in)") &&
                SetKey(c_hClassesRoot, strClsidKey + L"\\LocalServer32",
                       L"\"" + std::wstring(szPath) + L"\" " + cls.m_pszName) &&
                SetKey(c_hClassesRoot, strClsidKey + L"\\ProgID", cls.m_pszProgID) &&
                SetKey(c_hClassesRoot, std::wstring(c_szClasses) + cls.m_pszProgID + L"\\CLSID", cls.m_pszClsid) &&
                bDone;
    }
    return bDone ? 0 : 1;
}

int Unregister()
{
    for (const CApplicationClass& cls : g_aClasses) {
        ::RegDeleteTreeW(c_hClassesRoot, (std::wstring(c_szClasses) + L"CLSID\\" + cls.m_pszClsid).c_str());
        ::RegDeleteTreeW(c_hClassesRoot, (std::wstring(c_szClasses) + cls.m_pszProgID).c_str());
    }
    return 0;
}

int Serve(const CApplicationClass& cls)
{
    if (FAILED(::CoInitialize(nullptr)))
        return 1;
    static CClassFactory s_factory(cls);
    HRESULT hr =
        ::CoRegisterClassObject(cls.m_clsid, &s_factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &g_dwRegister);
    if (SUCCEEDED(hr)) {
        // Started by hand, or by a client that went away before asking: the
        // server does not wait for ever.
        ::SetTimer(nullptr, 0, 60000, [](HWND, UINT, UINT_PTR nTimer, DWORD) {
            ::KillTimer(nullptr, nTimer);
            if (!g_bServed)
                StopServing();
        });
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
            ::DispatchMessageW(&msg);
        if (g_dwRegister != 0)
            ::CoRevokeClassObject(g_dwRegister);
    }
    ::CoUninitialize();
    return SUCCEEDED(hr) ? 0 : 1;
}

}  // namespace

void OnLastObjectReleased()
{
    if (g_nLocks == 0)
        StopServing();
}

std::wstring GetSaveFolder()
{
    return GetEnvironmentString(L"EXTKIT_OFFICE_SAVE_DIR");
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    int nArgs = 0;
    LPWSTR* ppszArgs = ::CommandLineToArgvW(::GetCommandLineW(), &nArgs);
    int nResult = 2;
    for (int i = 1; i < nArgs && nResult == 2; ++i) {
        const std::wstring strArg = ppszArgs[i];
        if (strArg == L"/regserver" || strArg == L"-regserver")
            nResult = Register();
        else if (strArg == L"/unregserver" || strArg == L"-unregserver")
            nResult = Unregister();
        for (const CApplicationClass& cls : g_aClasses) {
            if (strArg == cls.m_pszName)
                nResult = Serve(cls);
        }
    }
    ::LocalFree(ppszArgs);
    return nResult;
}

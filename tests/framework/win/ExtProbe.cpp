// A small extension DLL, built the way extkit.dll is, whose class and string
// the tests look for through the framework's chain of extension modules.
#include <afxwin.h>

#include "ExtProbeRes.h"

#include <new>

class CProbeRecord : public CObject {
    DECLARE_DYNAMIC(CProbeRecord)
public:
    CProbeRecord() {}
};

IMPLEMENT_DYNAMIC(CProbeRecord, CObject)

namespace {

AFX_EXTENSION_MODULE g_probeModule = {};
BOOL g_bListSetAsideForConstructors = FALSE;

// A static constructor of this DLL: it sees whether the raw entry hook has
// already set the application's classes aside.
struct CConstructorWitness {
    CConstructorWitness() { g_bListSetAsideForConstructors = AfxGetModuleState()->m_bClassInitSaved; }
} s_witness;

void NTAPI ProbeRawEntry(PVOID hModule, DWORD dwReason, PVOID pReserved)
{
    if (dwReason == DLL_PROCESS_ATTACH)
        AfxGetModuleState()->SaveInitialLists();
}

__attribute__((section(".CRT$XLB"), used)) PIMAGE_TLS_CALLBACK g_pfnProbeRawEntry = ProbeRawEntry;

}  // namespace

extern "C" __declspec(dllexport) BOOL ProbeListWasSetAsideForConstructors()
{
    return g_bListSetAsideForConstructors;
}

extern "C" __declspec(dllexport) const AFX_EXTENSION_MODULE* ProbeModuleRecord()
{
    return &g_probeModule;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID pReserved)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(g_probeModule, hInstance))
            return FALSE;
        if (new (std::nothrow) CDynLinkLibrary(g_probeModule) == NULL)
            return FALSE;
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(g_probeModule, FALSE);
    }
    return TRUE;
}

// extkit.dll's entry point: the extension-module start-up and shutdown.
#include "frame/Frame.h"
#include "frame/LocaleSettings.h"

#include <afxwin.h>

#include <new>

namespace {

AFX_EXTENSION_MODULE g_extkitModule = {};
HINSTANCE g_hExtkitInstance = NULL;

// Must run before this DLL's static constructors: it sets the application's
// class list aside so that the classes they register are collected apart, for
// AfxInitExtensionModule to move into this module's record.
void NTAPI ExtkitRawEntry(PVOID hModule, DWORD dwReason, PVOID pReserved)
{
    if (dwReason == DLL_PROCESS_ATTACH)
        AfxGetModuleState()->SaveInitialLists();
}

// The MinGW-w64 C runtime has no raw DllMain slot, but the loader calls a DLL's
// TLS callbacks before its entry point, which is where that runtime runs the
// static constructors.
__attribute__((section(".CRT$XLB"), used)) PIMAGE_TLS_CALLBACK g_pfnExtkitRawEntry = ExtkitRawEntry;

}  // namespace

HINSTANCE __cdecl GetExtkitInstance()
{
    return g_hExtkitInstance;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID pReserved)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(g_extkitModule, hInstance))
            return FALSE;

        CLocaleSettings settings;
        ReadUserLocaleSettings(settings);
        settings.Store();

        // The framework owns it from here and deletes it at detach. An
        // exception must not leave the entry point, so allocation failure
        // fails the load instead.
        if (new (std::nothrow) CDynLinkLibrary(g_extkitModule) == NULL)
            return FALSE;

        g_hExtkitInstance = hInstance;
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(g_extkitModule, FALSE);
    }
    return TRUE;
}

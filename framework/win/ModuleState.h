// The framework's module state: one per process, kept in framework.dll and
// shared by the application and every extension DLL it loads, so that all of
// them see one resource handle, one application object, one class registry and
// one chain of extension modules.
#pragma once

#include "win/Platform.h"
#include "core/Object.h"

class CWinApp;
class CDynLinkLibrary;

struct FRAMEWORK_API AFX_MODULE_STATE {
    HINSTANCE m_hCurrentInstanceHandle;  // the application's (the executable's) instance
    HINSTANCE m_hCurrentResourceHandle;  // where resources are looked for first
    CWinApp* m_pCurrentWinApp;           // the application object, NULL before one exists

    CRuntimeClass* m_pFirstClass;  // the application's registered classes
    CDynLinkLibrary* m_pFirstDLL;  // the extension modules, most recently linked first

    // Set aside by an extension DLL's raw entry hook while the DLL's static
    // constructors register its classes; AfxInitExtensionModule puts it back.
    CRuntimeClass* m_pClassInit;
    BOOL m_bClassInitSaved;

    // The raw entry hook's step: moves the class list into the initial-list
    // fields and leaves the list empty.
    void SaveInitialLists();
};

// The process's module state. Its handles default to the executable's instance.
FRAMEWORK_API AFX_MODULE_STATE* AFXAPI AfxGetModuleState();

FRAMEWORK_API HINSTANCE AFXAPI AfxGetInstanceHandle();
FRAMEWORK_API HINSTANCE AFXAPI AfxGetResourceHandle();
// Makes hResource the module where resources are looked for first. A null handle
// is refused (the current one stays): every resource look-up needs a module.
FRAMEWORK_API void AFXAPI AfxSetResourceHandle(HINSTANCE hResource);

// The module holding the resource: the current resource handle when it has
// it, else the first extension module in the chain that has it, else the
// current resource handle (so that the caller's own load reports the failure).
FRAMEWORK_API HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);

// Extension modules: DLLs that share the application's framework state. Each
// keeps a record of itself, and a CDynLinkLibrary links its classes and
// resources into the chain that class and resource look-ups walk.
#pragma once

#include "win/Platform.h"
#include "win/ModuleState.h"

struct AFX_EXTENSION_MODULE {
    BOOL bInitialized;
    HMODULE hModule;
    HMODULE hResource;
    CRuntimeClass* pFirstSharedClass;  // the classes this module's static constructors registered
};

// Fills the record at process attach. The classes the DLL's static
// constructors registered (collected apart by its raw entry hook) move into
// the record and the application's list is put back. FALSE for a null module
// handle; the DLL's classes are then dropped, as the DLL will not stay loaded.
FRAMEWORK_API BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);

// Unlinks and deletes the CDynLinkLibrary objects of this module (of every
// module when bAll is TRUE) at process detach, so that nothing in the chain
// points into an unloaded DLL.
FRAMEWORK_API void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

class FRAMEWORK_API CDynLinkLibrary : public CObject {
    DECLARE_DYNAMIC(CDynLinkLibrary)
public:
    // Links the module into the chain. Allocate it with new: the framework
    // deletes it in AfxTermExtensionModule.
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
    virtual ~CDynLinkLibrary();

    HINSTANCE m_hModule;
    HINSTANCE m_hResource;               // where this module's resources are found
    CRuntimeClass* m_pFirstSharedClass;  // this module's classes
    BOOL m_bSystem;                      // searched after the ordinary modules
    CDynLinkLibrary* m_pNextDLL;
};

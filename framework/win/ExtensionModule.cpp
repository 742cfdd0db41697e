// Extension-module records and the chain of CDynLinkLibrary objects.
#include "win/ExtensionModule.h"
#include "win/ModuleStateLock.h"

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    CRuntimeClass* pModuleClasses = NULL;
    {
        CModuleStateLock lock(true);
        // Without the raw entry hook the list was never set aside: it is all the
        // application's, and must stay where it is.
        if (pState->m_bClassInitSaved) {
            pModuleClasses = pState->m_pFirstClass;
            pState->m_pFirstClass = pState->m_pClassInit;
            pState->m_pClassInit = NULL;
            pState->m_bClassInitSaved = FALSE;
        }
    }
    if (hModule == NULL)
        return FALSE;
    if (state.bInitialized)
        return TRUE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.pFirstSharedClass = pModuleClasses;
    state.bInitialized = TRUE;
    return TRUE;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll)
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    for (;;) {
        CDynLinkLibrary* pVictim = NULL;
        {
            CModuleStateLock lock(false);
            for (CDynLinkLibrary* pDLL = pState->m_pFirstDLL; pDLL != NULL; pDLL = pDLL->m_pNextDLL) {
                if (bAll || pDLL->m_hModule == state.hModule) {
                    pVictim = pDLL;
                    break;
                }
            }
        }
        if (pVictim == NULL)
            break;
        delete pVictim;  // unlinks itself
    }
}

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CObject)

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_pFirstSharedClass(state.pFirstSharedClass),
      m_bSystem(bSystem), m_pNextDLL(NULL)
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    CModuleStateLock lock(true);
    m_pNextDLL = pState->m_pFirstDLL;
    pState->m_pFirstDLL = this;
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    CModuleStateLock lock(true);
    for (CDynLinkLibrary** ppLink = &pState->m_pFirstDLL; *ppLink != NULL; ppLink = &(*ppLink)->m_pNextDLL) {
        if (*ppLink == this) {
            *ppLink = m_pNextDLL;
            break;
        }
    }
}

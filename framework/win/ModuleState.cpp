// The process-wide module state, the resource handle and the class registry.
#include "win/ModuleState.h"
#include "win/ExtensionModule.h"
#include "win/ModuleStateLock.h"

#include <cstring>

namespace {

// Constant-initialised, so that classes registered by static constructors that
// run before any dynamic initialisation still find a valid state.
AFX_MODULE_STATE g_afxModuleState = {};
SRWLOCK g_srwModuleState = SRWLOCK_INIT;

CRuntimeClass* FindInList(CRuntimeClass* pClass, LPCSTR lpszClassName)
{
    for (; pClass != NULL; pClass = pClass->m_pNextClass) {
        if (pClass->m_lpszClassName != NULL && std::strcmp(pClass->m_lpszClassName, lpszClassName) == 0)
            return pClass;
    }
    return NULL;
}

bool HasResource(HINSTANCE hModule, LPCTSTR lpszName, LPCTSTR lpszType)
{
    return hModule != NULL && FindResource(hModule, lpszName, lpszType) != NULL;
}

}  // namespace

CModuleStateLock::CModuleStateLock(bool bExclusive) : m_bExclusive(bExclusive)
{
    if (m_bExclusive)
        AcquireSRWLockExclusive(&g_srwModuleState);
    else
        AcquireSRWLockShared(&g_srwModuleState);
}

CModuleStateLock::~CModuleStateLock()
{
    if (m_bExclusive)
        ReleaseSRWLockExclusive(&g_srwModuleState);
    else
        ReleaseSRWLockShared(&g_srwModuleState);
}

void AFX_MODULE_STATE::SaveInitialLists()
{
    CModuleStateLock lock(true);
    m_pClassInit = m_pFirstClass;
    m_pFirstClass = NULL;
    m_bClassInitSaved = TRUE;
}

AFX_MODULE_STATE* AFXAPI AfxGetModuleState()
{
    AFX_MODULE_STATE* pState = &g_afxModuleState;
    // Filled on first use: the executable's handle is known from the start, and
    // every caller would compute the same value.
    if (pState->m_hCurrentInstanceHandle == NULL)
        pState->m_hCurrentInstanceHandle = GetModuleHandle(NULL);
    if (pState->m_hCurrentResourceHandle == NULL)
        pState->m_hCurrentResourceHandle = pState->m_hCurrentInstanceHandle;
    return pState;
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    return AfxGetModuleState()->m_hCurrentInstanceHandle;
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    return AfxGetModuleState()->m_hCurrentResourceHandle;
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hResource)
{
    if (hResource != NULL)
        AfxGetModuleState()->m_hCurrentResourceHandle = hResource;
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    HINSTANCE hCurrent = pState->m_hCurrentResourceHandle;
    if (HasResource(hCurrent, lpszName, lpszType))
        return hCurrent;
    CModuleStateLock lock(false);
    // Ordinary extension modules first; system ones only when none has it.
    for (int nPass = 0; nPass < 2; ++nPass) {
        for (CDynLinkLibrary* pDLL = pState->m_pFirstDLL; pDLL != NULL; pDLL = pDLL->m_pNextDLL) {
            if ((pDLL->m_bSystem != FALSE) == (nPass == 1) && HasResource(pDLL->m_hResource, lpszName, lpszType))
                return pDLL->m_hResource;
        }
    }
    return hCurrent;
}

void AFXAPI AfxClassInit(CRuntimeClass* pNewClass)
{
    if (pNewClass == NULL)
        return;
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    CModuleStateLock lock(true);
    // A second registration of the same class would link the list into a loop.
    for (CRuntimeClass* pClass = pState->m_pFirstClass; pClass != NULL; pClass = pClass->m_pNextClass) {
        if (pClass == pNewClass)
            return;
    }
    pNewClass->m_pNextClass = pState->m_pFirstClass;
    pState->m_pFirstClass = pNewClass;
}

CRuntimeClass* AFXAPI AfxGetFirstRuntimeClass()
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    CModuleStateLock lock(false);
    return pState->m_pFirstClass;
}

CRuntimeClass* AFXAPI AfxFindRuntimeClass(LPCSTR lpszClassName)
{
    if (lpszClassName == NULL)
        return NULL;
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    CModuleStateLock lock(false);
    if (CRuntimeClass* pClass = FindInList(pState->m_pFirstClass, lpszClassName))
        return pClass;
    for (CDynLinkLibrary* pDLL = pState->m_pFirstDLL; pDLL != NULL; pDLL = pDLL->m_pNextDLL) {
        if (CRuntimeClass* pClass = FindInList(pDLL->m_pFirstSharedClass, lpszClassName))
            return pClass;
    }
    return NULL;
}

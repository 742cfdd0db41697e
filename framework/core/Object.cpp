// CObject and CRuntimeClass; natively also the process-wide class registry
// (on Windows the module state in framework/win keeps it).
#include "Object.h"

#ifdef _WIN32
#    include <windows.h>
#endif

#include <cstring>

#include "DumpContext.h"

CRuntimeClass CObject::classCObject = {"CObject", (int)sizeof(CObject), 0xFFFF, NULL, NULL, NULL};
static AFX_CLASSINIT _init_CObject(&CObject::classCObject);

CRuntimeClass* PASCAL CObject::GetThisClass()
{
    return &CObject::classCObject;
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &CObject::classCObject;
}

CObject::~CObject() {}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

void CObject::Serialize(CArchive&) {}

void CObject::AssertValid() const {}

void CObject::Dump(CDumpContext& dc) const
{
    dc << "a " << GetRuntimeClass()->m_lpszClassName << " at " << static_cast<const void*>(this) << "\n";
}

CObject* CRuntimeClass::CreateObject()
{
    if (m_pfnCreateObject == NULL)
        return NULL;
    return (*m_pfnCreateObject)();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    if (pBaseClass == NULL)
        return FALSE;
    for (const CRuntimeClass* pClass = this; pClass != NULL; pClass = pClass->m_pBaseClass) {
        if (pClass == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == NULL)
        return NULL;
    return AfxFindRuntimeClass(lpszClassName);
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass == NULL ? NULL : pClass->CreateObject();
}

#ifndef _WIN32
// Static constructors run one at a time during start-up, and later registrations
// (a shared object loaded at run time) come from the loader's own serialised
// initialisation, so the list needs no lock.
static CRuntimeClass* g_pFirstClass = NULL;

void AFXAPI AfxClassInit(CRuntimeClass* pNewClass)
{
    if (pNewClass == NULL)
        return;
    for (CRuntimeClass* pClass = g_pFirstClass; pClass != NULL; pClass = pClass->m_pNextClass) {
        if (pClass == pNewClass)
            return;  // already linked: linking again would make a cycle
    }
    pNewClass->m_pNextClass = g_pFirstClass;
    g_pFirstClass = pNewClass;
}

CRuntimeClass* AFXAPI AfxGetFirstRuntimeClass()
{
    return g_pFirstClass;
}

CRuntimeClass* AFXAPI AfxFindRuntimeClass(LPCSTR lpszClassName)
{
    if (lpszClassName == NULL)
        return NULL;
    for (CRuntimeClass* pClass = AfxGetFirstRuntimeClass(); pClass != NULL; pClass = pClass->m_pNextClass) {
        if (pClass->m_lpszClassName != NULL && std::strcmp(pClass->m_lpszClassName, lpszClassName) == 0)
            return pClass;
    }
    return NULL;
}
#endif

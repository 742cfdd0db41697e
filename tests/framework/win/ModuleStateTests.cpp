// The module state: handles, the class registry and extension-module records,
// driven directly as an extension DLL's start-up drives them, and a real
// extension DLL (built the way extkit.dll is) loaded and freed at run time.
#include <afxwin.h>

#include "ExtProbeRes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

CRuntimeClass MakeClass(LPCSTR lpszName)
{
    CRuntimeClass c = {lpszName, 0, 0xFFFF, NULL, RUNTIME_CLASS(CObject), NULL};
    return c;
}

std::vector<CRuntimeClass*> ListFrom(CRuntimeClass* pClass)
{
    std::vector<CRuntimeClass*> classes;
    for (; pClass != NULL; pClass = pClass->m_pNextClass)
        classes.push_back(pClass);
    return classes;
}

int LinksOf(HMODULE hModule)
{
    int n = 0;
    for (CDynLinkLibrary* pDLL = AfxGetModuleState()->m_pFirstDLL; pDLL != NULL; pDLL = pDLL->m_pNextDLL)
        n += pDLL->m_hModule == hModule;
    return n;
}

}  // namespace

TEST(ModuleState, TheApplicationsResourcesAndClassesAreFoundThroughIt)
{
    // Both handles default to the executable; a null resource handle is refused.
    EXPECT_EQ(AfxGetInstanceHandle(), GetModuleHandle(NULL));
    AfxSetResourceHandle(NULL);
    EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandle(NULL));

    static CRuntimeClass s_class = MakeClass("CRegistryTestClass");
    EXPECT_EQ(AfxFindRuntimeClass("CRegistryTestClass"), nullptr);
    AfxClassInit(&s_class);
    EXPECT_EQ(AfxGetFirstRuntimeClass(), &s_class);
    EXPECT_EQ(AfxFindRuntimeClass("CRegistryTestClass"), &s_class);
    EXPECT_EQ(AfxFindRuntimeClass(NULL), nullptr);
    // The framework's own classes are registered when framework.dll loads.
    EXPECT_EQ(AfxFindRuntimeClass("CWnd"), RUNTIME_CLASS(CWnd));
    // Registering again, or nothing, does not loop or grow the list.
    size_t nBefore = ListFrom(AfxGetFirstRuntimeClass()).size();
    AfxClassInit(&s_class);
    AfxClassInit(NULL);
    EXPECT_EQ(ListFrom(AfxGetFirstRuntimeClass()).size(), nBefore);
}

// Extension modules' start-ups as their DLLs would run them: the raw hook, the
// static constructors registering classes, AfxInitExtensionModule.
TEST(ModuleState, ExtensionModulesClassesGoToTheirRecordsAndAreFoundOnlyWhileLinked)
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    const std::vector<CRuntimeClass*> appList = ListFrom(AfxGetFirstRuntimeClass());
    HMODULE hFake = GetModuleHandleA("framework.dll");

    // Without the raw hook the application's list stays whole.
    AFX_EXTENSION_MODULE unhooked = {};
    ASSERT_TRUE(AfxInitExtensionModule(unhooked, hFake));
    EXPECT_EQ(unhooked.pFirstSharedClass, nullptr);
    EXPECT_EQ(ListFrom(AfxGetFirstRuntimeClass()), appList);

    // A null module handle fails and drops the module's classes.
    CRuntimeClass lost = MakeClass("CExtLost");
    pState->SaveInitialLists();
    EXPECT_EQ(AfxGetFirstRuntimeClass(), nullptr);
    AfxClassInit(&lost);
    AFX_EXTENSION_MODULE failed = {};
    EXPECT_FALSE(AfxInitExtensionModule(failed, NULL));
    EXPECT_FALSE(failed.bInitialized);
    EXPECT_EQ(failed.pFirstSharedClass, nullptr);
    EXPECT_EQ(ListFrom(AfxGetFirstRuntimeClass()), appList);
    EXPECT_EQ(AfxFindRuntimeClass("CExtLost"), nullptr);
    EXPECT_FALSE(pState->m_bClassInitSaved);

    // The classes move into the record in order; only a linked library makes
    // them findable. A second initialisation keeps the record.
    CRuntimeClass first = MakeClass("CExtFirst"), second = MakeClass("CExtSecond");
    pState->SaveInitialLists();
    AfxClassInit(&first);
    AfxClassInit(&second);
    AFX_EXTENSION_MODULE record = {};
    ASSERT_TRUE(AfxInitExtensionModule(record, hFake));
    EXPECT_EQ(ListFrom(record.pFirstSharedClass), (std::vector<CRuntimeClass*>{&second, &first}));
    EXPECT_EQ(ListFrom(AfxGetFirstRuntimeClass()), appList);
    EXPECT_FALSE(pState->m_bClassInitSaved);
    EXPECT_EQ(AfxFindRuntimeClass("CExtFirst"), nullptr);
    EXPECT_TRUE(AfxInitExtensionModule(record, GetModuleHandle(NULL)));
    EXPECT_EQ(record.hModule, hFake);
    EXPECT_EQ(record.pFirstSharedClass, &second);
    CDynLinkLibrary* pDLL = new CDynLinkLibrary(record);
    EXPECT_EQ(pState->m_pFirstDLL, pDLL);
    EXPECT_FALSE(pDLL->m_bSystem);
    EXPECT_EQ(AfxFindRuntimeClass("CExtFirst"), &first);

    // Another module's library: terminating the first removes only its own.
    CRuntimeClass otherClass = MakeClass("COtherModuleClass");
    pState->SaveInitialLists();
    AfxClassInit(&otherClass);
    AFX_EXTENSION_MODULE other = {};
    ASSERT_TRUE(AfxInitExtensionModule(other, GetModuleHandle(NULL)));
    CDynLinkLibrary* pOther = new CDynLinkLibrary(other, TRUE);
    AfxTermExtensionModule(record, FALSE);
    EXPECT_EQ(AfxFindRuntimeClass("CExtFirst"), nullptr);
    EXPECT_EQ(AfxFindRuntimeClass("COtherModuleClass"), &otherClass);
    EXPECT_EQ(pState->m_pFirstDLL, pOther);
    AfxTermExtensionModule(other, FALSE);
    EXPECT_EQ(AfxFindRuntimeClass("COtherModuleClass"), nullptr);
}

TEST(ModuleState, ARealExtensionDllIsFoundWhileLoadedAndLeavesNothingWhenFreed)
{
    using PfnListSetAside = BOOL (*)();
    using PfnModuleRecord = const AFX_EXTENSION_MODULE* (*)();
    const std::vector<CRuntimeClass*> appList = ListFrom(AfxGetFirstRuntimeClass());
    const LPCTSTR lpszStringBlock = MAKEINTRESOURCE(IDS_PROBE_TEXT / 16 + 1);
    HMODULE hProbe = LoadLibraryA("framework_ext_probe.dll");
    ASSERT_NE(hProbe, nullptr) << GetLastError();

    // The raw entry hook set the application's classes aside before the
    // probe's static constructors ran; AfxInitExtensionModule put them back.
    // (void (*)() is the type any function pointer may pass through.)
    auto pfnSetAside = reinterpret_cast<PfnListSetAside>(
        reinterpret_cast<void (*)()>(GetProcAddress(hProbe, "ProbeListWasSetAsideForConstructors")));
    auto pfnRecord =
        reinterpret_cast<PfnModuleRecord>(reinterpret_cast<void (*)()>(GetProcAddress(hProbe, "ProbeModuleRecord")));
    ASSERT_TRUE(pfnSetAside != nullptr && pfnRecord != nullptr);
    EXPECT_TRUE(pfnSetAside());
    EXPECT_FALSE(AfxGetModuleState()->m_bClassInitSaved);
    EXPECT_EQ(ListFrom(AfxGetFirstRuntimeClass()), appList);
    const AFX_EXTENSION_MODULE* pRecord = pfnRecord();
    EXPECT_TRUE(pRecord->bInitialized);
    EXPECT_EQ(pRecord->hModule, hProbe);
    EXPECT_EQ(pRecord->hResource, hProbe);
    ASSERT_NE(pRecord->pFirstSharedClass, nullptr);
    EXPECT_STREQ(pRecord->pFirstSharedClass->m_lpszClassName, "CProbeRecord");
    EXPECT_EQ(pRecord->pFirstSharedClass->m_pNextClass, nullptr);
    EXPECT_EQ(LinksOf(hProbe), 1);
    EXPECT_EQ(AfxFindRuntimeClass("CProbeRecord"), pRecord->pFirstSharedClass);
    EXPECT_EQ(CRuntimeClass::FromName("CProbeRecord"), pRecord->pFirstSharedClass);
    EXPECT_EQ(AfxFindRuntimeClass("CDynLinkLibrary"), RUNTIME_CLASS(CDynLinkLibrary));  // the application's own first

    // Its resources are found through the chain, and loaded from it once it
    // is the resource module.
    EXPECT_EQ(AfxFindResourceHandle(lpszStringBlock, RT_STRING), hProbe);
    CString str;
    EXPECT_FALSE(str.LoadString(IDS_PROBE_TEXT));
    AfxSetResourceHandle(hProbe);
    ASSERT_TRUE(str.LoadString(IDS_PROBE_TEXT));
    EXPECT_STREQ(static_cast<LPCSTR>(str), "Строка пробного модуля");
    AfxSetResourceHandle(GetModuleHandle(NULL));

    // Unloaded: nothing of it is left; loaded again, it is found again.
    ASSERT_TRUE(FreeLibrary(hProbe));
    EXPECT_EQ(LinksOf(hProbe), 0);
    EXPECT_EQ(AfxFindRuntimeClass("CProbeRecord"), nullptr);
    EXPECT_EQ(AfxFindResourceHandle(lpszStringBlock, RT_STRING), GetModuleHandle(NULL));
    EXPECT_EQ(ListFrom(AfxGetFirstRuntimeClass()), appList);
    hProbe = LoadLibraryA("framework_ext_probe.dll");
    ASSERT_NE(hProbe, nullptr);
    EXPECT_EQ(LinksOf(hProbe), 1);
    EXPECT_NE(AfxFindRuntimeClass("CProbeRecord"), nullptr);
    EXPECT_EQ(ListFrom(AfxGetFirstRuntimeClass()), appList);
    FreeLibrary(hProbe);
}

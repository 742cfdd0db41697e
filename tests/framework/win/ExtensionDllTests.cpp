// A real extension DLL loaded and freed at run time: its classes stay out of
// the application's list yet are found through the chain, its resources are
// found, and nothing of it is left once it is unloaded.
#include <afxwin.h>

#include "ExtProbeRes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using PfnListSetAside = BOOL (*)();
using PfnModuleRecord = const AFX_EXTENSION_MODULE* (*)();

std::vector<CRuntimeClass*> ApplicationClasses()
{
    std::vector<CRuntimeClass*> classes;
    for (CRuntimeClass* pClass = AfxGetFirstRuntimeClass(); pClass != NULL; pClass = pClass->m_pNextClass)
        classes.push_back(pClass);
    return classes;
}

// An export of the probe; void (*)() is the type any function pointer may pass through.
template <typename Pfn>
Pfn ProbeExport(HMODULE hModule, LPCSTR lpszName)
{
    return reinterpret_cast<Pfn>(reinterpret_cast<void (*)()>(GetProcAddress(hModule, lpszName)));
}

int LinksOf(HMODULE hModule)
{
    int n = 0;
    for (CDynLinkLibrary* pDLL = AfxGetModuleState()->m_pFirstDLL; pDLL != NULL; pDLL = pDLL->m_pNextDLL)
        n += pDLL->m_hModule == hModule;
    return n;
}

LPCTSTR ProbeStringBlock()
{
    return MAKEINTRESOURCE(IDS_PROBE_TEXT / 16 + 1);
}

class ExtensionDllTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_before = ApplicationClasses();
        m_hProbe = LoadLibraryA("framework_ext_probe.dll");
        ASSERT_NE(m_hProbe, nullptr) << GetLastError();
    }
    void TearDown() override
    {
        if (m_hProbe != NULL)
            FreeLibrary(m_hProbe);
        AfxSetResourceHandle(GetModuleHandle(NULL));
    }

    std::vector<CRuntimeClass*> m_before;
    HMODULE m_hProbe = NULL;
};

}  // namespace

TEST_F(ExtensionDllTest, ItsClassesGoToItsRecordAndAreFoundThroughTheChain)
{
    // The raw entry hook set the application's classes aside before the
    // probe's static constructors ran; AfxInitExtensionModule put them back.
    auto pfnSetAside = ProbeExport<PfnListSetAside>(m_hProbe, "ProbeListWasSetAsideForConstructors");
    ASSERT_NE(pfnSetAside, nullptr);
    EXPECT_TRUE(pfnSetAside());
    EXPECT_FALSE(AfxGetModuleState()->m_bClassInitSaved);
    EXPECT_EQ(ApplicationClasses(), m_before);

    auto pfnRecord = ProbeExport<PfnModuleRecord>(m_hProbe, "ProbeModuleRecord");
    ASSERT_NE(pfnRecord, nullptr);
    const AFX_EXTENSION_MODULE* pRecord = pfnRecord();
    EXPECT_TRUE(pRecord->bInitialized);
    EXPECT_EQ(pRecord->hModule, m_hProbe);
    EXPECT_EQ(pRecord->hResource, m_hProbe);
    ASSERT_NE(pRecord->pFirstSharedClass, nullptr);
    EXPECT_STREQ(pRecord->pFirstSharedClass->m_lpszClassName, "CProbeRecord");
    EXPECT_EQ(pRecord->pFirstSharedClass->m_pNextClass, nullptr);

    EXPECT_EQ(LinksOf(m_hProbe), 1);
    EXPECT_EQ(AfxFindRuntimeClass("CProbeRecord"), pRecord->pFirstSharedClass);
    EXPECT_EQ(CRuntimeClass::FromName("CProbeRecord"), pRecord->pFirstSharedClass);
    EXPECT_EQ(AfxFindRuntimeClass("CDynLinkLibrary"), RUNTIME_CLASS(CDynLinkLibrary));  // the application's own first
}

TEST_F(ExtensionDllTest, ItsResourcesAreFoundThroughTheChain)
{
    EXPECT_EQ(AfxFindResourceHandle(ProbeStringBlock(), RT_STRING), m_hProbe);
    CString str;
    EXPECT_FALSE(str.LoadString(IDS_PROBE_TEXT));
    AfxSetResourceHandle(m_hProbe);
    ASSERT_TRUE(str.LoadString(IDS_PROBE_TEXT));
    EXPECT_STREQ(static_cast<LPCSTR>(str), "Строка пробного модуля");
}

TEST_F(ExtensionDllTest, UnloadingLeavesNothingBehindAndItLoadsAgain)
{
    ASSERT_TRUE(FreeLibrary(m_hProbe));
    HMODULE hGone = m_hProbe;
    m_hProbe = NULL;
    EXPECT_EQ(LinksOf(hGone), 0);
    EXPECT_EQ(AfxFindRuntimeClass("CProbeRecord"), nullptr);
    EXPECT_EQ(AfxFindResourceHandle(ProbeStringBlock(), RT_STRING), GetModuleHandle(NULL));
    EXPECT_EQ(ApplicationClasses(), m_before);

    m_hProbe = LoadLibraryA("framework_ext_probe.dll");
    ASSERT_NE(m_hProbe, nullptr);
    EXPECT_EQ(LinksOf(m_hProbe), 1);
    EXPECT_NE(AfxFindRuntimeClass("CProbeRecord"), nullptr);
    EXPECT_EQ(ApplicationClasses(), m_before);
}

// extkit.dll as an extension module: its instance handle, its place in the
// framework's resource chain and the resource-handle guard.
#include "frame/Frame.h"
#include "frame/FrameRes.h"

#include <afxwin.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

HINSTANCE ExeInstance()
{
    return GetModuleHandle(NULL);
}

HINSTANCE FrameworkInstance()
{
    return GetModuleHandleA("framework.dll");
}

LPCTSTR StringBlockOf(UINT nID)
{
    return MAKEINTRESOURCE(nID / 16 + 1);
}

class ResourceHandleTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(AfxGetResourceHandle(), ExeInstance()); }
    void TearDown() override { AfxSetResourceHandle(ExeInstance()); }
};

}  // namespace

TEST(ExtkitModule, CarriesItsVersionInformation)
{
    char szPath[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(GetExtkitInstance(), szPath, MAX_PATH), 0u);
    DWORD dwHandle = 0;
    DWORD cb = GetFileVersionInfoSizeA(szPath, &dwHandle);
    ASSERT_GT(cb, 0u);
    std::vector<char> data(cb);
    ASSERT_TRUE(GetFileVersionInfoA(szPath, 0, cb, data.data()));
    VS_FIXEDFILEINFO* pFixed = NULL;
    UINT nLen = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&pFixed), &nLen));
    EXPECT_EQ(pFixed->dwFileVersionMS, MAKELONG(0, 1));
    EXPECT_EQ(pFixed->dwFileType, static_cast<DWORD>(VFT_DLL));
    char* pszName = NULL;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\StringFileInfo\\041904e3\\OriginalFilename",
                               reinterpret_cast<void**>(&pszName), &nLen));
    EXPECT_STREQ(pszName, "extkit.dll");
}

TEST(ExtkitModule, IsLinkedIntoTheChainOfExtensionModules)
{
    int nFound = 0;
    for (CDynLinkLibrary* pDLL = AfxGetModuleState()->m_pFirstDLL; pDLL != NULL; pDLL = pDLL->m_pNextDLL) {
        if (pDLL->m_hModule == GetExtkitInstance()) {
            ++nFound;
            EXPECT_EQ(pDLL->m_hResource, GetExtkitInstance());
            EXPECT_FALSE(pDLL->m_bSystem);
        }
    }
    EXPECT_EQ(nFound, 1);
}

TEST_F(ResourceHandleTest, ChainFindsTheModulesStringWhileTheHostIsCurrent)
{
    EXPECT_EQ(AfxFindResourceHandle(StringBlockOf(IDS_EXTKIT_RESOURCE_PROBE), RT_STRING), GetExtkitInstance());
    // Nowhere to be found: the current handle, for the caller's load to fail on.
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(4000), RT_STRING), ExeInstance());
}

TEST_F(ResourceHandleTest, GuardMakesTheModulesStringsLoadable)
{
    CString str;
    EXPECT_FALSE(str.LoadString(IDS_EXTKIT_RESOURCE_PROBE));
    {
        CSetResourceHandle guard(GetExtkitInstance());
        EXPECT_EQ(AfxGetResourceHandle(), GetExtkitInstance());
        ASSERT_TRUE(str.LoadString(IDS_EXTKIT_RESOURCE_PROBE));
        EXPECT_STREQ(static_cast<LPCSTR>(str), "Ресурсы модуля extkit доступны");
    }
    EXPECT_EQ(AfxGetResourceHandle(), ExeInstance());
    CString strAfter;
    EXPECT_FALSE(strAfter.LoadString(IDS_EXTKIT_RESOURCE_PROBE));
}

TEST_F(ResourceHandleTest, NestedGuardsRestoreInReverseOrder)
{
    {
        CSetResourceHandle outer(GetExtkitInstance());
        {
            CSetResourceHandle inner(FrameworkInstance());
            EXPECT_EQ(AfxGetResourceHandle(), FrameworkInstance());
            {
                // A null guard switches nothing but restores what was current.
                CSetResourceHandle none(NULL);
                EXPECT_EQ(AfxGetResourceHandle(), FrameworkInstance());
                AfxSetResourceHandle(ExeInstance());  // guarded code changes it
            }
            EXPECT_EQ(AfxGetResourceHandle(), FrameworkInstance());
        }
        EXPECT_EQ(AfxGetResourceHandle(), GetExtkitInstance());
    }
    EXPECT_EQ(AfxGetResourceHandle(), ExeInstance());
}

TEST_F(ResourceHandleTest, ExceptionLeavingTheScopeRestoresTheHandle)
{
    try {
        CSetResourceHandle outer(GetExtkitInstance());
        try {
            CSetResourceHandle inner(FrameworkInstance());
            throw std::runtime_error("inner");
        } catch (const std::runtime_error&) {
            EXPECT_EQ(AfxGetResourceHandle(), GetExtkitInstance());
        }
        CSetResourceHandle again(FrameworkInstance());
        AfxThrowInvalidArgException();
    } catch (CException* e) {
        e->Delete();
    }
    EXPECT_EQ(AfxGetResourceHandle(), ExeInstance());
}

// The module state: handles, the class registry and extension-module records
// driven directly, as an extension DLL's start-up drives them.
#include <afxwin.h>

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

}  // namespace

TEST(ModuleState, ResourceHandleIsSetAndANullOneRefused)
{
    EXPECT_EQ(AfxGetInstanceHandle(), GetModuleHandle(NULL));  // both default to the executable
    EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandle(NULL));
    HINSTANCE hFramework = GetModuleHandleA("framework.dll");
    ASSERT_NE(hFramework, nullptr);
    AfxSetResourceHandle(hFramework);
    AfxSetResourceHandle(NULL);
    EXPECT_EQ(AfxGetResourceHandle(), hFramework);
    EXPECT_EQ(AfxGetModuleState()->m_hCurrentResourceHandle, hFramework);
    AfxSetResourceHandle(GetModuleHandle(NULL));
    EXPECT_EQ(AfxGetInstanceHandle(), GetModuleHandle(NULL));
}

TEST(ClassRegistry, RegisteredClassesAreFoundByNameAndRegisteredOnce)
{
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

namespace {

// One extension module's start-up as its DLL would run it: the raw hook, the
// static constructors registering classes, AfxInitExtensionModule.
class ExtensionRecordTest : public ::testing::Test {
protected:
    void SetUp() override { m_appList = ListFrom(AfxGetFirstRuntimeClass()); }

    void StartUp()
    {
        AfxGetModuleState()->SaveInitialLists();
        EXPECT_EQ(AfxGetFirstRuntimeClass(), nullptr);
        AfxClassInit(&m_first);
        AfxClassInit(&m_second);
    }

    HMODULE FakeModule() { return GetModuleHandleA("framework.dll"); }

    CRuntimeClass m_first = MakeClass("CExtFirst");
    CRuntimeClass m_second = MakeClass("CExtSecond");
    AFX_EXTENSION_MODULE m_record = {};
    std::vector<CRuntimeClass*> m_appList;
};

}  // namespace

TEST_F(ExtensionRecordTest, ClassesMoveIntoTheRecordInOrderAndAreFoundOnlyWhileLinked)
{
    StartUp();
    ASSERT_TRUE(AfxInitExtensionModule(m_record, FakeModule()));
    EXPECT_EQ(ListFrom(m_record.pFirstSharedClass), (std::vector<CRuntimeClass*>{&m_second, &m_first}));
    EXPECT_EQ(ListFrom(AfxGetFirstRuntimeClass()), m_appList);
    EXPECT_FALSE(AfxGetModuleState()->m_bClassInitSaved);
    EXPECT_EQ(AfxFindRuntimeClass("CExtFirst"), nullptr);  // not linked yet: only the record knows them
    // A second initialisation keeps the record.
    EXPECT_TRUE(AfxInitExtensionModule(m_record, GetModuleHandle(NULL)));
    EXPECT_EQ(m_record.hModule, FakeModule());
    EXPECT_EQ(m_record.pFirstSharedClass, &m_second);

    CDynLinkLibrary* pDLL = new CDynLinkLibrary(m_record);
    EXPECT_EQ(AfxGetModuleState()->m_pFirstDLL, pDLL);
    EXPECT_FALSE(pDLL->m_bSystem);
    EXPECT_EQ(AfxFindRuntimeClass("CExtFirst"), &m_first);
    AfxTermExtensionModule(m_record);
    EXPECT_EQ(AfxFindRuntimeClass("CExtFirst"), nullptr);
}

TEST_F(ExtensionRecordTest, TerminationRemovesOnlyThatModulesLibraries)
{
    StartUp();
    ASSERT_TRUE(AfxInitExtensionModule(m_record, FakeModule()));
    new CDynLinkLibrary(m_record);
    AFX_EXTENSION_MODULE other = {};
    AfxGetModuleState()->SaveInitialLists();
    CRuntimeClass otherClass = MakeClass("COtherModuleClass");
    AfxClassInit(&otherClass);
    ASSERT_TRUE(AfxInitExtensionModule(other, GetModuleHandle(NULL)));
    CDynLinkLibrary* pOther = new CDynLinkLibrary(other, TRUE);

    AfxTermExtensionModule(m_record, FALSE);
    EXPECT_EQ(AfxFindRuntimeClass("CExtFirst"), nullptr);
    EXPECT_EQ(AfxFindRuntimeClass("COtherModuleClass"), &otherClass);
    EXPECT_EQ(AfxGetModuleState()->m_pFirstDLL, pOther);
    AfxTermExtensionModule(other, FALSE);
    EXPECT_EQ(AfxFindRuntimeClass("COtherModuleClass"), nullptr);
}

TEST_F(ExtensionRecordTest, NullModuleHandleFailsAndDropsTheModulesClasses)
{
    StartUp();
    EXPECT_FALSE(AfxInitExtensionModule(m_record, NULL));
    EXPECT_FALSE(m_record.bInitialized);
    EXPECT_EQ(m_record.pFirstSharedClass, nullptr);
    EXPECT_EQ(ListFrom(AfxGetFirstRuntimeClass()), m_appList);
    EXPECT_EQ(AfxFindRuntimeClass("CExtFirst"), nullptr);
    EXPECT_FALSE(AfxGetModuleState()->m_bClassInitSaved);
}

TEST_F(ExtensionRecordTest, WithoutTheRawHookTheApplicationsListStaysWhole)
{
    ASSERT_TRUE(AfxInitExtensionModule(m_record, FakeModule()));
    EXPECT_EQ(m_record.pFirstSharedClass, nullptr);
    EXPECT_EQ(ListFrom(AfxGetFirstRuntimeClass()), m_appList);
}

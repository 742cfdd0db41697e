// GetAppPath: the folder of the application's profile name.
#include "frame/Frame.h"

#include <afxwin.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

class AppPathTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(AfxWinInit(GetModuleHandle(NULL), NULL, const_cast<LPTSTR>(""), SW_SHOW)); }

    // As hosts do: free the framework's string and put their own copy in.
    void SetProfileName(const char* pszName)
    {
        std::free(const_cast<LPTSTR>(m_app.m_pszProfileName));
        m_app.m_pszProfileName = _strdup(pszName);
    }

    std::string AppPath()
    {
        CString str("stale");
        GetAppPath(str);
        return static_cast<LPCSTR>(str);
    }

    CWinApp m_app{"AppPathTest"};
};

}  // namespace

TEST_F(AppPathTest, DefaultProfileNameHasNoFolder)
{
    ASSERT_NE(m_app.m_pszProfileName, nullptr);
    EXPECT_STREQ(m_app.m_pszProfileName, "frame_dll_tests.INI");
    EXPECT_EQ(AppPath(), "");
}

TEST_F(AppPathTest, PathFormsGiveTheirFolder)
{
    const char* const aCases[][2] = {
        {"C:\\Учёт\\Склад\\store.ini", "C:\\Учёт\\Склад\\"},
        {"C:store.ini", "C:"},
        {"\\\\server\\share\\app.ini", "\\\\server\\share\\"},
        {"D:/data/app.ini", "D:/data/"},
        {"relative\\app.ini", "relative\\"},
        {"C:\\", "C:\\"},
        {"", ""},
    };
    for (const auto& c : aCases) {
        SetProfileName(c[0]);
        EXPECT_EQ(AppPath(), c[1]) << c[0];
    }
}

TEST_F(AppPathTest, FolderLongerThanAPathBufferComesBackWhole)
{
    std::string strFolder = "C:\\";
    while (strFolder.size() < 600)
        strFolder += "каталог_с_длинным_именем\\";
    SetProfileName((strFolder + "app.ini").c_str());
    EXPECT_EQ(AppPath(), strFolder);
    // And no name at all gives no folder.
    std::free(const_cast<LPTSTR>(m_app.m_pszProfileName));
    m_app.m_pszProfileName = NULL;
    EXPECT_EQ(AppPath(), "");
}

TEST(AppPath, WithoutAnApplicationObjectThePathIsEmpty)
{
    ASSERT_EQ(AfxGetApp(), nullptr);
    CString str("stale");
    GetAppPath(str);
    EXPECT_TRUE(str.IsEmpty());
}

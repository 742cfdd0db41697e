// Test programs carry the common-controls manifest, so that controls under
// test are the version 6 ones the host applications use.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>

namespace {

// Wine's comctl32 reports 5.81 from DllGetVersion in both versions, so the
// version is told by where the module comes from (version 6 is the
// side-by-side assembly the manifest names, version 5 the one in system32)
// and by what only version 6 controls answer.
TEST(CommonControlsManifest, TheProgramGetsTheVersion6Controls)
{
    HMODULE hComctl = LoadLibraryA("comctl32.dll");
    ASSERT_NE(hComctl, nullptr);
    char szPath[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(hComctl, szPath, MAX_PATH), 0u);
    CharLowerA(szPath);
    EXPECT_NE(strstr(szPath, "microsoft.windows.common-controls"), nullptr) << szPath;
    FreeLibrary(hComctl);

    // What only a version 6 control answers: an edit's cue banner.
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_STANDARD_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&icc));
    HWND hEdit =
        CreateWindowExA(0, "Edit", "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(hEdit);
    EXPECT_TRUE(SendMessageW(hEdit, EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(L"Поиск")));
    DestroyWindow(hEdit);
}

}  // namespace

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

    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_STANDARD_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&icc));
    HWND hButton = CreateWindowExA(0, "Button", "Сохранить", WS_POPUP | BS_PUSHBUTTON, 0, 0, 10, 10, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    HWND hEdit =
        CreateWindowExA(0, "Edit", "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(hButton && hEdit);
    // The size a button's text needs, and an edit's cue banner.
    SIZE size = {};
    EXPECT_TRUE(SendMessageA(hButton, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&size)));
    EXPECT_GT(size.cx, 10);
    EXPECT_TRUE(SendMessageW(hEdit, EM_SETCUEBANNER, FALSE, reinterpret_cast<LPARAM>(L"Поиск")));
    wchar_t szCue[16] = {};
    EXPECT_TRUE(SendMessageW(hEdit, EM_GETCUEBANNER, reinterpret_cast<WPARAM>(szCue), 16));
    EXPECT_STREQ(szCue, L"Поиск");
    DestroyWindow(hButton);
    DestroyWindow(hEdit);
}

}  // namespace

// extkit.dll as a host meets it under Windows: an extension module whose
// resources a guard makes current, the application's folder, the modifier
// keys and the pointer, and the locale settings read from the user's registry
// when the DLL loads (in a child process: this program run with --probe).
#include "frame/Frame.h"
#include "frame/FrameRes.h"

#include <afxwin.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

TEST(ExtkitModule, AHostReachesTheModulesResourcesThroughTheGuard)
{
    const HINSTANCE hExe = GetModuleHandle(NULL), hExtkit = GetExtkitInstance();
    const HINSTANCE hFramework = GetModuleHandleA("framework.dll");
    // The module stands in the chain of extension modules once, with its own resources.
    int nFound = 0;
    for (CDynLinkLibrary* pDLL = AfxGetModuleState()->m_pFirstDLL; pDLL != NULL; pDLL = pDLL->m_pNextDLL)
        nFound += pDLL->m_hModule == hExtkit && pDLL->m_hResource == hExtkit && !pDLL->m_bSystem ? 1 : 0;
    EXPECT_EQ(1, nFound);

    // With the host's handle current the chain finds the module's string, and
    // a missing one gives the current handle for the load to fail on; loading
    // it takes the guard.
    ASSERT_EQ(hExe, AfxGetResourceHandle());
    EXPECT_EQ(hExtkit, AfxFindResourceHandle(MAKEINTRESOURCE(IDS_EXTKIT_RESOURCE_PROBE / 16 + 1), RT_STRING));
    EXPECT_EQ(hExe, AfxFindResourceHandle(MAKEINTRESOURCE(4000), RT_STRING));
    CString str;
    EXPECT_FALSE(str.LoadString(IDS_EXTKIT_RESOURCE_PROBE));
    try {
        CSetResourceHandle guard(hExtkit);
        EXPECT_TRUE(str.LoadString(IDS_EXTKIT_RESOURCE_PROBE));
        EXPECT_STREQ("Ресурсы модуля extkit доступны", str);
        {
            CSetResourceHandle inner(hFramework);
            EXPECT_EQ(hFramework, AfxGetResourceHandle());
            {
                CSetResourceHandle none(NULL);  // switches nothing, but restores what was current
                EXPECT_EQ(hFramework, AfxGetResourceHandle());
                AfxSetResourceHandle(hExe);
            }
            EXPECT_EQ(hFramework, AfxGetResourceHandle());
        }
        EXPECT_EQ(hExtkit, AfxGetResourceHandle());
        CSetResourceHandle again(hFramework);
        AfxThrowInvalidArgException();  // leaving by an exception restores as well
    } catch (CException* e) {
        e->Delete();
    }
    EXPECT_EQ(hExe, AfxGetResourceHandle());
    EXPECT_FALSE(CString().LoadString(IDS_EXTKIT_RESOURCE_PROBE));
}

TEST(AppPath, TheFolderOfTheProfileNameWhateverItsForm)
{
    CString str("stale");
    ASSERT_EQ(nullptr, AfxGetApp());
    GetAppPath(str);
    EXPECT_TRUE(str.IsEmpty());  // no application object

    CWinApp app("AppPathTest");
    ASSERT_TRUE(AfxWinInit(GetModuleHandle(NULL), NULL, const_cast<LPTSTR>(""), SW_SHOW));
    GetAppPath(str);
    EXPECT_STREQ("frame_dll_tests.INI", app.m_pszProfileName);
    EXPECT_STREQ("", str);  // the default profile name has no folder
    std::string strLong = "C:\\";
    while (strLong.size() < 600)
        strLong += "каталог_с_длинным_именем\\";
    const std::string aCases[][2] = {
        {"C:\\Учёт\\Склад\\store.ini", "C:\\Учёт\\Склад\\"},
        {"C:store.ini", "C:"},
        {"D:/data/app.ini", "D:/data/"},
        {"\\\\server\\share\\app.ini", "\\\\server\\share\\"},
        {"relative\\app.ini", "relative\\"},
        {"C:\\", "C:\\"},
        {"", ""},
        {strLong + "app.ini", strLong},  // longer than a path buffer, whole
    };
    for (const auto& c : aCases) {
        // As hosts do: free the framework's string and put their own copy in.
        std::free(const_cast<LPTSTR>(app.m_pszProfileName));
        app.m_pszProfileName = _strdup(c[0].c_str());
        GetAppPath(str);
        EXPECT_EQ(c[1], static_cast<LPCSTR>(str)) << c[0];
    }
    std::free(const_cast<LPTSTR>(app.m_pszProfileName));
    app.m_pszProfileName = NULL;
    GetAppPath(str);
    EXPECT_STREQ("", str);
}

TEST(KeysAndPointer, HeldModifiersAndThePointerSentToAWindowsCentre)
{
    // The accelerator flags of the modifiers held down; toggled but released keys do not count.
    BYTE saved[256];
    ASSERT_TRUE(GetKeyboardState(saved));
    const struct {
        BYTE ctrl, shift, alt;
        int nResult;
    } aKeys[] = {{0, 0, 0, 0},           {0x80, 0, 0, FCONTROL}, {0, 0x80, 0, FSHIFT},
                 {0, 0, 0x80, FALT},     {0x80, 0x80, 0, 12},    {0x80, 0, 0x80, 24},
                 {0x80, 0x80, 0x80, 28}, {0x01, 0x01, 0x01, 0},  {0x81, 0x01, 0, FCONTROL}};
    for (const auto& c : aKeys) {
        BYTE state[256];
        std::memcpy(state, saved, sizeof(state));
        for (int vk : {VK_LCONTROL, VK_RCONTROL, VK_LSHIFT, VK_RSHIFT, VK_LMENU, VK_RMENU})
            state[vk] = 0;
        state[VK_CONTROL] = c.ctrl;
        state[VK_SHIFT] = c.shift;
        state[VK_MENU] = c.alt;
        ASSERT_TRUE(SetKeyboardState(state));
        EXPECT_EQ(c.nResult, GetPressedExtKey()) << (int)c.ctrl << " " << (int)c.shift << " " << (int)c.alt;
    }
    SetKeyboardState(saved);

    // The centre of a window (odd sizes round the half down: 101 + 201 / 2,
    // 53 + 77 / 2), the pointer not left confined there; a destroyed window or
    // none is refused and the pointer stays.
    HWND hWnd = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "SetMousePos", WS_POPUP | WS_VISIBLE | WS_BORDER, 101, 53, 201,
                                77, NULL, NULL, GetModuleHandle(NULL), NULL);
    ASSERT_NE(nullptr, hWnd);
    ASSERT_TRUE(SetCursorPos(5, 5));
    EXPECT_EQ(1, SetMousePos(hWnd));
    POINT pt = {};
    GetCursorPos(&pt);
    EXPECT_TRUE(pt.x == 201 && pt.y == 91) << pt.x << "," << pt.y;
    ASSERT_TRUE(SetCursorPos(7, 9));
    DestroyWindow(hWnd);
    EXPECT_EQ(0, SetMousePos(hWnd));
    EXPECT_EQ(0, SetMousePos(NULL));
    GetCursorPos(&pt);
    EXPECT_TRUE(pt.x == 7 && pt.y == 9) << pt.x << "," << pt.y;
    ClipCursor(NULL);
}

namespace {
const wchar_t c_szInternational[] = L"Control Panel\\International";

// The eight settings a child process found, as hexadecimal separators, the
// money and number precisions and the five bytes of the currency symbol.
std::string PrintedSettings()
{
    char sz[64];
    snprintf(sz, sizeof(sz), "%02X %02X %02X %02X %02X %d %d %02X%02X%02X%02X%02X", (BYTE)g_chDecimalSep,
             (BYTE)g_chThousandSep, (BYTE)g_chDateSep, (BYTE)g_chThousandSepCur, (BYTE)g_chDecimalSepCur,
             g_nCurrencyPrec, g_nDecimalPrec, (BYTE)g_strCurrencySymbol[0], (BYTE)g_strCurrencySymbol[1],
             (BYTE)g_strCurrencySymbol[2], (BYTE)g_strCurrencySymbol[3], (BYTE)g_strCurrencySymbol[4]);
    return sz;
}

// Sets the registry values the locale functions read, loads the DLL in a child
// process, and puts the values back exactly (type and data, or absence) at
// once, since other programs share the Wine prefix.
std::string LoadWith(const std::map<std::wstring, std::wstring>& values)
{
    HKEY hKey = NULL;
    EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, c_szInternational, 0, KEY_ALL_ACCESS, &hKey));
    std::map<std::wstring, std::pair<DWORD, std::vector<BYTE>>> saved;
    for (const auto& value : values) {
        DWORD dwType = 0, cb = 0;
        if (RegQueryValueExW(hKey, value.first.c_str(), NULL, &dwType, NULL, &cb) == ERROR_SUCCESS) {
            std::vector<BYTE> data(cb);
            RegQueryValueExW(hKey, value.first.c_str(), NULL, &dwType, data.data(), &cb);
            saved[value.first] = {dwType, data};
        }
        RegSetValueExW(hKey, value.first.c_str(), 0, REG_SZ, (const BYTE*)value.second.c_str(),
                       (DWORD)((value.second.size() + 1) * sizeof(wchar_t)));
    }
    char szExe[MAX_PATH];
    GetModuleFileNameA(NULL, szExe, MAX_PATH);
    std::string strOut;
    if (FILE* pChild = _popen(("\"" + std::string(szExe) + "\" --probe").c_str(), "r")) {
        char buf[128];
        while (fgets(buf, sizeof(buf), pChild) != NULL)
            strOut += buf;
        _pclose(pChild);
    }
    for (const auto& value : values) {
        const auto it = saved.find(value.first);
        if (it != saved.end())
            RegSetValueExW(hKey, value.first.c_str(), 0, it->second.first, it->second.second.data(),
                           (DWORD)it->second.second.size());
        else
            RegDeleteValueW(hKey, value.first.c_str());
    }
    RegCloseKey(hKey);
    return strOut;
}
}  // namespace

TEST(LocaleFromTheRegistry, AllEightSettingsAndWhatCannotBeTaken)
{
    // The date separator and the short date format change together, as the
    // regional settings change them; the symbol "руб." has exactly four characters.
    EXPECT_EQ("2C A0 2F 27 3B 4 3 F0F3E12E00", LoadWith({{L"sDecimal", L","},
                                                         {L"sThousand", L"\u00A0"},
                                                         {L"sDate", L"/"},
                                                         {L"sShortDate", L"dd/MM/yyyy"},
                                                         {L"sMonThousandSep", L"'"},
                                                         {L"sMonDecimalSep", L";"},
                                                         {L"sCurrency", L"\u0440\u0443\u0431."},
                                                         {L"iDigits", L"3"},
                                                         {L"iCurrDigits", L"4"}}));
    // Longer texts give their first character; empty ones and precisions that
    // are no digit keep the defaults.
    EXPECT_EQ("2C 20 2D 2C 2E 2 2 2400000000", LoadWith({{L"sDecimal", L",."},
                                                         {L"sThousand", L""},
                                                         {L"sDate", L"-/"},
                                                         {L"sShortDate", L"dd-/MM-/yyyy"},
                                                         {L"sMonThousandSep", L""},
                                                         {L"sMonDecimalSep", L"."},
                                                         {L"sCurrency", L"$"},
                                                         {L"iDigits", L"x"},
                                                         {L"iCurrDigits", L"-1"}}));
    // A symbol longer than four characters, or without a Windows-1251 form
    // (the rouble sign would come as "?"), leaves the symbol empty.
    for (const wchar_t* pszCurrency : {L"\u0440\u0443\u0431\u043B\u044C", L"\u20BD"}) {
        const std::string strSettings =
            LoadWith({{L"sCurrency", pszCurrency}, {L"iDigits", L""}, {L"iCurrDigits", L"0"}});
        EXPECT_EQ(" 0 2 0000000000", strSettings.substr(strSettings.size() < 15 ? 0 : strSettings.size() - 15));
    }
}

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--probe") == 0) {
        std::printf("%s", PrintedSettings().c_str());
        return 0;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

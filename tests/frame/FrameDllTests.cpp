// extkit.dll as a host meets it under Windows: an extension module whose
// resources a guard makes current; and as a case table (frame_win.txt) the
// application's folder, the modifier keys held, and the locale settings read
// from the user's registry when the DLL loads (in a child process: this
// program run with --probe).
#include "frame/Frame.h"
#include "frame/FrameRes.h"

#include "CaseTable.h"
#include "Console.h"

#include <afxwin.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
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
            CSetResourceHandle none(NULL);  // switches nothing, but restores what was current
            AfxSetResourceHandle(hExe);
        }
        EXPECT_EQ(hExtkit, AfxGetResourceHandle());
        CSetResourceHandle again(hFramework);
        AfxThrowInvalidArgException();  // leaving by an exception restores as well
    } catch (CException* e) {
        e->Delete();
    }
    EXPECT_EQ(hExe, AfxGetResourceHandle());
}

namespace {

// The eight settings the DLL found as it loaded, as hexadecimal separators,
// the money and number precisions and the five bytes of the currency symbol.
std::string PrintedSettings()
{
    char sz[64];
    snprintf(sz, sizeof(sz), "%02X %02X %02X %02X %02X %d %d %02X%02X%02X%02X%02X", (BYTE)g_chDecimalSep,
             (BYTE)g_chThousandSep, (BYTE)g_chDateSep, (BYTE)g_chThousandSepCur, (BYTE)g_chDecimalSepCur,
             g_nCurrencyPrec, g_nDecimalPrec, (BYTE)g_strCurrencySymbol[0], (BYTE)g_strCurrencySymbol[1],
             (BYTE)g_strCurrencySymbol[2], (BYTE)g_strCurrencySymbol[3], (BYTE)g_strCurrencySymbol[4]);
    return sz;
}

std::wstring Wide(const std::string& strUtf8)
{
    std::wstring str(strUtf8.size(), L'\0');
    str.resize(MultiByteToWideChar(CP_UTF8, 0, strUtf8.data(), (int)strUtf8.size(), &str[0], (int)str.size()));
    return str;
}

// Sets the registry values (NAME=VALUE, UTF-8) the locale functions read,
// loads the DLL in a child process, and puts the values back exactly (type
// and data, or absence) at once, since other programs share the Wine prefix.
std::string LoadWith(const std::vector<std::string>& values)
{
    HKEY hKey = NULL;
    EXPECT_EQ(ERROR_SUCCESS,
              RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\International", 0, KEY_ALL_ACCESS, &hKey));
    std::map<std::wstring, std::pair<DWORD, std::vector<BYTE>>> saved;
    std::vector<std::wstring> names;
    for (const std::string& strValue : values) {
        const std::wstring strName = Wide(strValue.substr(0, strValue.find('='))),
                           strData = Wide(strValue.substr(strValue.find('=') + 1));
        names.push_back(strName);
        DWORD dwType = 0, cb = 0;
        if (RegQueryValueExW(hKey, strName.c_str(), NULL, &dwType, NULL, &cb) == ERROR_SUCCESS) {
            saved[strName] = {dwType, std::vector<BYTE>(cb)};
            RegQueryValueExW(hKey, strName.c_str(), NULL, &dwType, saved[strName].second.data(), &cb);
        }
        RegSetValueExW(hKey, strName.c_str(), 0, REG_SZ, (const BYTE*)strData.c_str(),
                       (DWORD)((strData.size() + 1) * sizeof(wchar_t)));
    }
    char szExe[MAX_PATH], buf[128];
    GetModuleFileNameA(NULL, szExe, MAX_PATH);
    std::string strOut;
    if (FILE* pChild = _popen(("\"" + std::string(szExe) + "\" --probe").c_str(), "r")) {
        while (fgets(buf, sizeof(buf), pChild) != NULL)
            strOut += buf;
        _pclose(pChild);
    }
    for (const std::wstring& strName : names) {
        const auto it = saved.find(strName);
        if (it == saved.end())
            RegDeleteValueW(hKey, strName.c_str());
        else
            RegSetValueExW(hKey, strName.c_str(), 0, it->second.first, it->second.second.data(),
                           (DWORD)it->second.second.size());
    }
    RegCloseKey(hKey);
    return strOut;
}

std::string RunFrameWinLine(CWinApp& app, const std::string& strLine)
{
    std::vector<std::string> fields;
    std::istringstream in(strLine);
    for (std::string strField; std::getline(in, strField, '\t');)
        fields.push_back(strField);
    fields.resize(std::max<size_t>(fields.size(), 2));
    if (fields[0] == "apppath") {
        // As hosts do: free the framework's string and put their own copy in.
        std::free(const_cast<LPTSTR>(app.m_pszProfileName));
        app.m_pszProfileName = fields[1] == "NULL" ? NULL : _strdup(Utf8ToCp1251(fields[1]).c_str());
        CString str("stale");
        GetAppPath(str);
        return "[" + Cp1251ToUtf8(static_cast<LPCSTR>(str)) + "]";
    }
    if (fields[0] == "keys") {
        // Toggled but released keys do not count.
        BYTE saved[256], state[256];
        GetKeyboardState(saved);
        std::memcpy(state, saved, sizeof(state));
        for (int vk : {VK_LCONTROL, VK_RCONTROL, VK_LSHIFT, VK_RSHIFT, VK_LMENU, VK_RMENU})
            state[vk] = 0;
        unsigned anState[3] = {};
        std::sscanf(fields[1].c_str(), "%x %x %x", &anState[0], &anState[1], &anState[2]);
        state[VK_CONTROL] = (BYTE)anState[0];
        state[VK_SHIFT] = (BYTE)anState[1];
        state[VK_MENU] = (BYTE)anState[2];
        SetKeyboardState(state);
        const int nFlags = GetPressedExtKey();
        SetKeyboardState(saved);
        return std::to_string(nFlags);
    }
    if (fields[0] == "locale")
        return LoadWith(std::vector<std::string>(fields.begin() + 1, fields.end()));
    return "#invalid";
}

}  // namespace

TEST(FrameWin, CasesAndAVeryLongProfileName)
{
    CString str("stale");
    GetAppPath(str);
    EXPECT_TRUE(str.IsEmpty());  // no application object
    CWinApp app("AppPathTest");
    ASSERT_TRUE(AfxWinInit(GetModuleHandle(NULL), NULL, const_cast<LPTSTR>(""), SW_SHOW));
    GetAppPath(str);
    EXPECT_STREQ("", str);  // the default profile name, frame_dll_tests.INI, has no folder
    support::CheckCaseTable("frame_win.txt", [&](const std::string& strLine) { return RunFrameWinLine(app, strLine); });
    // Longer than a path buffer: the folder whole.
    std::string strLong = "C:\\";
    while (strLong.size() < 600)
        strLong += "каталог_с_длинным_именем\\";
    EXPECT_EQ("[" + Cp1251ToUtf8(strLong) + "]", RunFrameWinLine(app, "apppath\t" + Cp1251ToUtf8(strLong) + "app.ini"));
    RunFrameWinLine(app, "apppath\tNULL");
}

TEST(SetMousePos, ThePointerGoesToAWindowsCentreAndIsNotConfinedThere)
{
    // Odd sizes round the half down: 101 + 201 / 2, 53 + 77 / 2; a destroyed
    // window or none is refused and the pointer stays.
    HWND hWnd = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "SetMousePos", WS_POPUP | WS_VISIBLE | WS_BORDER, 101, 53, 201,
                                77, NULL, NULL, GetModuleHandle(NULL), NULL);
    ASSERT_TRUE(SetCursorPos(5, 5));
    EXPECT_EQ(1, SetMousePos(hWnd));
    POINT pt = {};
    GetCursorPos(&pt);
    EXPECT_TRUE(pt.x == 201 && pt.y == 91) << pt.x << "," << pt.y;
    RECT rcClip = {};
    EXPECT_TRUE(GetClipCursor(&rcClip) && rcClip.right - rcClip.left > 201);
    ASSERT_TRUE(SetCursorPos(7, 9));
    DestroyWindow(hWnd);
    EXPECT_EQ(0, SetMousePos(hWnd) + SetMousePos(NULL));
    GetCursorPos(&pt);
    EXPECT_TRUE(pt.x == 7 && pt.y == 9) << pt.x << "," << pt.y;
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

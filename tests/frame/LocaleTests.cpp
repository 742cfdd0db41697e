// The locale settings extkit.dll reads when it is loaded. The user's locale is
// changed through the registry values the locale functions read; a process
// takes them when it starts, so each case loads the DLL in a child process
// (this program run with --probe) and reads back what the child reports.
#include "frame/Frame.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

const wchar_t kInternational[] = L"Control Panel\\International";

// The values this test may change, restored exactly (type and data, or
// absence) when it ends, since other tests share the Wine prefix.
class CInternationalOverride {
public:
    CInternationalOverride()
    {
        for (const wchar_t* pszName : {L"sDecimal", L"sThousand", L"sDate", L"sShortDate", L"sMonThousandSep",
                                       L"sMonDecimalSep", L"sCurrency", L"iDigits", L"iCurrDigits"}) {
            CSaved saved;
            DWORD cb = 0;
            saved.bPresent = RegGetValueW(HKEY_CURRENT_USER, kInternational, pszName, RRF_RT_ANY | RRF_NOEXPAND,
                                          &saved.dwType, NULL, &cb) == ERROR_SUCCESS;
            if (saved.bPresent) {
                saved.data.resize(cb);
                saved.bPresent = RegGetValueW(HKEY_CURRENT_USER, kInternational, pszName, RRF_RT_ANY | RRF_NOEXPAND,
                                              &saved.dwType, saved.data.data(), &cb) == ERROR_SUCCESS;
                saved.data.resize(cb);
            }
            m_saved[pszName] = saved;
        }
    }

    ~CInternationalOverride() { Restore(); }

    void Set(const wchar_t* pszName, const wchar_t* pszValue)
    {
        ASSERT_TRUE(m_saved.count(pszName)) << "not a value this test restores";
        LONG lResult = RegSetKeyValueW(HKEY_CURRENT_USER, kInternational, pszName, REG_SZ, pszValue,
                                       static_cast<DWORD>((wcslen(pszValue) + 1) * sizeof(wchar_t)));
        ASSERT_EQ(lResult, ERROR_SUCCESS);
    }

    void Restore()
    {
        HKEY hKey = NULL;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kInternational, 0, KEY_SET_VALUE, &hKey) != ERROR_SUCCESS)
            return;
        for (const auto& entry : m_saved) {
            if (entry.second.bPresent)
                RegSetValueExW(hKey, entry.first.c_str(), 0, entry.second.dwType, entry.second.data.data(),
                               static_cast<DWORD>(entry.second.data.size()));
            else
                RegDeleteValueW(hKey, entry.first.c_str());
        }
        RegCloseKey(hKey);
    }

private:
    struct CSaved {
        bool bPresent = false;
        DWORD dwType = REG_SZ;
        std::vector<BYTE> data;
    };
    std::map<std::wstring, CSaved> m_saved;
};

// What a child process with the DLL loaded found in the eight globals.
struct CProbe {
    unsigned chDecimalSep, chThousandSep, chDateSep, chThousandSepCur, chDecimalSepCur;
    int nCurrencyPrec, nDecimalPrec;
    unsigned currency[5];
};

const char kProbeFormat[] = "%x %x %x %x %x %d %d %x %x %x %x %x";

int PrintProbe()
{
    std::printf(kProbeFormat, unsigned(BYTE(g_chDecimalSep)), unsigned(BYTE(g_chThousandSep)),
                unsigned(BYTE(g_chDateSep)), unsigned(BYTE(g_chThousandSepCur)), unsigned(BYTE(g_chDecimalSepCur)),
                int(g_nCurrencyPrec), int(g_nDecimalPrec), unsigned(BYTE(g_strCurrencySymbol[0])),
                unsigned(BYTE(g_strCurrencySymbol[1])), unsigned(BYTE(g_strCurrencySymbol[2])),
                unsigned(BYTE(g_strCurrencySymbol[3])), unsigned(BYTE(g_strCurrencySymbol[4])));
    std::fflush(stdout);
    return 0;
}

// Runs this program with --probe and parses its report.
bool RunProbe(CProbe& probe)
{
    char szExe[MAX_PATH];
    if (GetModuleFileNameA(NULL, szExe, MAX_PATH) == 0)
        return false;
    SECURITY_ATTRIBUTES sa = {sizeof(sa), NULL, TRUE};
    HANDLE hRead = NULL, hWrite = NULL;
    if (!CreatePipe(&hRead, &hWrite, &sa, 0))
        return false;
    SetHandleInformation(hRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = hWrite;
    si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::string strCmd = std::string("\"") + szExe + "\" --probe";
    PROCESS_INFORMATION pi = {};
    BOOL bStarted = CreateProcessA(szExe, &strCmd[0], NULL, NULL, TRUE, 0, NULL, NULL, &si, &pi);
    CloseHandle(hWrite);
    std::string strOut;
    if (bStarted) {
        char buf[256];
        DWORD nRead = 0;
        while (ReadFile(hRead, buf, sizeof(buf), &nRead, NULL) && nRead > 0)
            strOut.append(buf, nRead);
        WaitForSingleObject(pi.hProcess, 30000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(hRead);
    CProbe p = {};
    int nFields = std::sscanf(strOut.c_str(), kProbeFormat, &p.chDecimalSep, &p.chThousandSep, &p.chDateSep,
                              &p.chThousandSepCur, &p.chDecimalSepCur, &p.nCurrencyPrec, &p.nDecimalPrec,
                              &p.currency[0], &p.currency[1], &p.currency[2], &p.currency[3], &p.currency[4]);
    probe = p;
    return nFields == 12;
}

class LocaleTest : public ::testing::Test {
protected:
    // Loads the DLL under the current overrides; the values go back at once, so
    // that other programs starting meanwhile see them changed only briefly.
    CProbe Load()
    {
        CProbe probe = {};
        bool bOk = RunProbe(probe);
        m_override.Restore();
        EXPECT_TRUE(bOk) << "the probe process did not report";
        return probe;
    }

    CInternationalOverride m_override;
};

}  // namespace

TEST_F(LocaleTest, ReadsAllEightSettingsFromTheUsersLocale)
{
    m_override.Set(L"sDecimal", L",");
    m_override.Set(L"sThousand", L"\u00A0");  // no-break space, 0xA0 in Windows-1251
    // The regional settings change the date separator and the short date
    // format together; some systems derive the one from the other.
    m_override.Set(L"sDate", L"/");
    m_override.Set(L"sShortDate", L"dd/MM/yyyy");
    m_override.Set(L"sMonThousandSep", L"'");
    m_override.Set(L"sMonDecimalSep", L";");
    m_override.Set(L"sCurrency", L"\u0440\u0443\u0431.");  // "руб.", exactly four characters
    m_override.Set(L"iDigits", L"3");
    m_override.Set(L"iCurrDigits", L"4");
    CProbe p = Load();
    EXPECT_EQ(p.chDecimalSep, unsigned(','));
    EXPECT_EQ(p.chThousandSep, 0xA0u);
    EXPECT_EQ(p.chDateSep, unsigned('/'));
    EXPECT_EQ(p.chThousandSepCur, unsigned('\''));
    EXPECT_EQ(p.chDecimalSepCur, unsigned(';'));
    EXPECT_EQ(p.nDecimalPrec, 3);
    EXPECT_EQ(p.nCurrencyPrec, 4);
    EXPECT_EQ(p.currency[0], 0xF0u);  // р
    EXPECT_EQ(p.currency[1], 0xF3u);  // у
    EXPECT_EQ(p.currency[2], 0xE1u);  // б
    EXPECT_EQ(p.currency[3], unsigned('.'));
    EXPECT_EQ(p.currency[4], 0u);
}

TEST_F(LocaleTest, LongerEmptyOrUnusableValuesKeepTheFirstCharacterOrTheDefault)
{
    m_override.Set(L"sDecimal", L",.");
    m_override.Set(L"sDate", L"-/");
    m_override.Set(L"sShortDate", L"dd-/MM-/yyyy");
    m_override.Set(L"sCurrency", L"$");
    m_override.Set(L"sThousand", L"");
    m_override.Set(L"sMonThousandSep", L"");
    m_override.Set(L"iDigits", L"x");
    m_override.Set(L"iCurrDigits", L"-1");
    CProbe p = Load();
    EXPECT_EQ(p.chDecimalSep, unsigned(','));
    EXPECT_EQ(p.chDateSep, unsigned('-'));
    EXPECT_EQ(p.currency[0], unsigned('$'));
    for (int i = 1; i < 5; ++i)
        EXPECT_EQ(p.currency[i], 0u) << i;
    EXPECT_EQ(p.chThousandSep, unsigned(' '));
    EXPECT_EQ(p.chThousandSepCur, unsigned(','));
    EXPECT_EQ(p.nDecimalPrec, 2);
    EXPECT_EQ(p.nCurrencyPrec, 2);

    // A currency symbol longer than four characters, or without an ANSI form
    // (GetLocaleInfoA would give "?" for the rouble sign), leaves the empty default.
    for (const wchar_t* pszCurrency : {L"\u0440\u0443\u0431\u043B\u044C", L"\u20BD"}) {
        m_override.Set(L"sCurrency", pszCurrency);
        m_override.Set(L"iDigits", L"");
        m_override.Set(L"iCurrDigits", L"0");
        p = Load();
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(p.currency[i], 0u) << i;
        EXPECT_EQ(p.nDecimalPrec, 2);
        EXPECT_EQ(p.nCurrencyPrec, 0);
    }
}

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--probe") == 0)
        return PrintProbe();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

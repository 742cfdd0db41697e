#include "OfficeSession.h"
#include "ModalDriver.h"
#include "Wait.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace support {
namespace {

// The stand-in is registered once for the whole program.
class COfficeEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(RegisterOfficeStandin(true)) << "officestandin /regserver failed"; }
};
[[maybe_unused]] ::testing::Environment* const g_pOfficeEnvironment =
    ::testing::AddGlobalTestEnvironment(new COfficeEnvironment);

const wchar_t* const c_apszVariables[] = {L"EXTKIT_OFFICE_JOURNAL", L"EXTKIT_OFFICE_OBJECTS", L"EXTKIT_OFFICE_SAVE_DIR",
                                          L"EXTKIT_OFFICE_FAIL"};

std::string Text(HWND hWnd)
{
    return AnsiToUtf8(GetWindowString(hWnd));
}

}  // namespace

std::wstring Utf8ToWide(const std::string& strUtf8)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, strUtf8.data(), static_cast<int>(strUtf8.size()), nullptr, 0);
    std::wstring str(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, strUtf8.data(), static_cast<int>(strUtf8.size()), &str[0], n);
    return str;
}

std::string AnsiToUtf8(const std::string& strAnsi)
{
    const std::wstring str = [&] {
        const int n = MultiByteToWideChar(CP_ACP, 0, strAnsi.data(), static_cast<int>(strAnsi.size()), nullptr, 0);
        std::wstring strWide(static_cast<size_t>(n), L'\0');
        MultiByteToWideChar(CP_ACP, 0, strAnsi.data(), static_cast<int>(strAnsi.size()), &strWide[0], n);
        return strWide;
    }();
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, str.data(), static_cast<int>(str.size()), nullptr, 0, nullptr, nullptr);
    std::string strUtf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, str.data(), static_cast<int>(str.size()), &strUtf8[0], n, nullptr, nullptr);
    return strUtf8;
}

std::string ReadFileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool RegisterOfficeStandin(bool bRegister)
{
    std::wstring strCommand = L"\"" + (ToolPath().parent_path() / L"officestandin.exe").wstring() + L"\" " +
                              (bRegister ? L"/regserver" : L"/unregserver");
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, &strCommand[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD nCode = 1;
    GetExitCodeProcess(pi.hProcess, &nCode);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return nCode == 0;
}

COfficeCase::COfficeCase() : m_dir("extkit-office-")
{
    fs::create_directories(GetDir() / "saved");
    const fs::path paths[] = {GetDir() / "journal.txt", GetDir() / "objects.txt", GetDir() / "saved"};
    for (int i = 0; i < 3; ++i)
        SetEnvironmentVariableW(c_apszVariables[i], paths[i].wstring().c_str());
}

COfficeCase::~COfficeCase()
{
    for (const wchar_t* pszName : c_apszVariables)
        SetEnvironmentVariableW(pszName, nullptr);
}

void COfficeCase::SetFailure(const std::string& strSpec)
{
    SetEnvironmentVariableW(L"EXTKIT_OFFICE_FAIL", Utf8ToWide(strSpec).c_str());
}

std::vector<std::string> COfficeCase::ReadJournal() const
{
    std::vector<std::string> lines;
    std::ifstream in(GetDir() / "journal.txt", std::ios::binary);
    for (std::string strLine; std::getline(in, strLine);)
        lines.push_back(strLine);
    return lines;
}

bool COfficeCase::WaitAllReleased(std::string& strCount) const
{
    return PollFor(5000, [&] {
        strCount = ReadFileBytes(GetDir() / "objects.txt");
        return strCount.compare(0, 8, "alive 0\t") == 0;
    });
}

std::vector<fs::path> COfficeCase::GetSaved() const
{
    std::vector<fs::path> saved;
    for (const auto& entry : fs::directory_iterator(GetDir() / "saved"))
        saved.push_back(entry.path());
    std::sort(saved.begin(), saved.end());
    return saved;
}

CBoxRecorder::CBoxRecorder() : m_hStop(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    struct CStart {
        CBoxRecorder* pThis;
        DWORD dwThread;
    };
    auto* pStart = new CStart{this, GetCurrentThreadId()};
    m_hThread = CreateThread(
        nullptr, 0,
        [](LPVOID pParam) -> DWORD {
            const CStart start = *static_cast<CStart*>(pParam);
            delete static_cast<CStart*>(pParam);
            std::vector<HWND> handled;
            while (WaitForSingleObject(start.pThis->m_hStop, 5) == WAIT_TIMEOUT) {
                struct CFind {
                    std::vector<HWND> boxes;
                } find;
                EnumThreadWindows(
                    start.dwThread,
                    [](HWND hWnd, LPARAM lParam) -> BOOL {
                        char szClass[16] = "";
                        GetClassNameA(hWnd, szClass, sizeof(szClass));
                        if (lstrcmpA(szClass, "#32770") == 0 && IsWindowVisible(hWnd))
                            reinterpret_cast<CFind*>(lParam)->boxes.push_back(hWnd);
                        return TRUE;
                    },
                    reinterpret_cast<LPARAM>(&find));
                for (HWND hBox : find.boxes) {
                    if (std::find(handled.begin(), handled.end(), hBox) != handled.end())
                        continue;
                    handled.push_back(hBox);
                    std::string strBox = Text(hBox);
                    for (const std::string& strText : GetStaticTexts(hBox))
                        strBox += "\t" + AnsiToUtf8(strText);
                    start.pThis->m_boxes.push_back(strBox);
                    if (!PressDialogButton(hBox, IDOK))
                        PressDialogButton(hBox, IDCANCEL);
                }
            }
            return 0;
        },
        pStart, 0, nullptr);
}

CBoxRecorder::~CBoxRecorder()
{
    Stop();
    CloseHandle(m_hStop);
}

std::vector<std::string> CBoxRecorder::Stop()
{
    if (m_hThread != nullptr) {
        SetEvent(m_hStop);
        WaitForSingleObject(m_hThread, INFINITE);
        CloseHandle(m_hThread);
        m_hThread = nullptr;
    }
    return m_boxes;
}

}  // namespace support

#include "ToolRun.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>

#ifdef _WIN32
#    define WIN32_LEAN_AND_MEAN
#    include <windows.h>
#else
#    include <fcntl.h>
#    include <sys/wait.h>
#    include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace support {
namespace {

std::string ReadWithoutCr(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string strOut;
    for (std::istreambuf_iterator<char> it(in), end; it != end; ++it)
        if (*it != '\r')
            strOut += *it;
    return strOut;
}

#ifdef _WIN32
std::wstring Wide(const std::string& strUtf8)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, strUtf8.c_str(), -1, NULL, 0);
    std::wstring str(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1)
        MultiByteToWideChar(CP_UTF8, 0, strUtf8.c_str(), -1, &str[0], n);
    return str;
}

// Quoting as the C runtime splits a command line.
std::wstring Quote(const std::wstring& arg)
{
    std::wstring str = L"\"";
    size_t nSlashes = 0;
    for (wchar_t ch : arg) {
        if (ch == L'\\') {
            ++nSlashes;
            continue;
        }
        str.append(ch == L'"' ? 2 * nSlashes + 1 : nSlashes, L'\\');
        nSlashes = 0;
        str += ch;
    }
    str.append(2 * nSlashes, L'\\');
    return str + L"\"";
}

int Spawn(const std::vector<std::string>& args, const fs::path& inPath, const fs::path& outPath,
          const fs::path& errPath)
{
    std::wstring strCommand = Quote(ToolPath().wstring());
    for (const std::string& arg : args)
        strCommand += L" " + Quote(Wide(arg));
    SECURITY_ATTRIBUTES sa = {sizeof(sa), NULL, TRUE};
    HANDLE hIn = CreateFileW(inPath.c_str(), GENERIC_READ, FILE_SHARE_READ, &sa, OPEN_EXISTING, 0, NULL);
    HANDLE hOut = CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, NULL);
    HANDLE hErr = CreateFileW(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, NULL);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = hIn;
    si.hStdOutput = hOut;
    si.hStdError = hErr;
    PROCESS_INFORMATION pi = {};
    std::vector<wchar_t> command(strCommand.begin(), strCommand.end());
    command.push_back(0);
    const BOOL bStarted = CreateProcessW(NULL, command.data(), NULL, NULL, TRUE, 0, NULL, NULL, &si, &pi);
    CloseHandle(hIn);
    CloseHandle(hOut);
    CloseHandle(hErr);
    if (!bStarted) {
        // Leave the reason where the caller's failure message shows it.
        std::ofstream(errPath, std::ios::binary) << "CreateProcess failed, error " << GetLastError() << "\n";
        return -1;
    }
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD nCode = 0;
    GetExitCodeProcess(pi.hProcess, &nCode);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return static_cast<int>(nCode);
}
#else
int Spawn(const std::vector<std::string>& args, const fs::path& inPath, const fs::path& outPath,
          const fs::path& errPath)
{
    const std::string strTool = ToolPath().string();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(strTool.c_str()));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(NULL);
    fflush(stdout);
    fflush(stderr);
    const pid_t pid = fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        const int fdIn = open(inPath.c_str(), O_RDONLY);
        const int fdOut = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int fdErr = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fdIn < 0 || fdOut < 0 || fdErr < 0)
            _exit(126);
        dup2(fdIn, 0);
        dup2(fdOut, 1);
        dup2(fdErr, 2);
        execv(strTool.c_str(), argv.data());
        _exit(127);
    }
    int nWait = 0;
    waitpid(pid, &nWait, 0);
    return WIFEXITED(nWait) ? WEXITSTATUS(nWait) : -1;
}
#endif

}  // namespace

fs::path ToolPath()
{
#ifdef _WIN32
    wchar_t szPath[MAX_PATH];
    GetModuleFileNameW(NULL, szPath, MAX_PATH);
    return fs::path(szPath).parent_path() / L"extkit.exe";
#else
    return fs::read_symlink("/proc/self/exe").parent_path() / "extkit";
#endif
}

CToolRun RunTool(const fs::path& dir, const std::vector<std::string>& args, const std::string& strInput)
{
    const fs::path inPath = dir / "stdin.txt", outPath = dir / "stdout.txt", errPath = dir / "stderr.txt";
    {
        std::ofstream in(inPath, std::ios::binary);
        in.write(strInput.data(), static_cast<std::streamsize>(strInput.size()));
    }
    CToolRun run;
    run.m_nStatus = Spawn(args, inPath, outPath, errPath);
    run.m_strOut = ReadWithoutCr(outPath);
    run.m_strErr = ReadWithoutCr(errPath);
    return run;
}

CTempDir::CTempDir(const char* pszPrefix)
{
    std::random_device rd;
    m_path = fs::temp_directory_path() / (std::string(pszPrefix) + std::to_string(rd()));
    fs::create_directories(m_path);
}

CTempDir::~CTempDir()
{
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

}  // namespace support

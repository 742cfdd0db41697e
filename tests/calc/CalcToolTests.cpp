// The extkit tool's calc command, run as a separate program: the six lines, the
// batch format with its error lines, and the exit statuses of bad usage.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace
{
struct CRun
{
    int m_nStatus;
    std::string m_strOut;  // line ends as "\n"
    std::string m_strErr;
};

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string str((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string strOut;
    for (char ch : str)
        if (ch != '\r')
            strOut += ch;
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
    for (wchar_t ch : arg)
    {
        if (ch == L'\\')
        {
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
#endif

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

class CalcTool : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::random_device rd;
        m_dir = fs::temp_directory_path() / ("extkit_calc_" + std::to_string(rd()));
        fs::create_directories(m_dir);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }

    // Runs "extkit calc ARGS..." with strInput on its standard input.
    CRun Run(const std::vector<std::string>& args, const std::string& strInput = std::string())
    {
        const fs::path inPath = m_dir / "stdin.txt", outPath = m_dir / "stdout.txt", errPath = m_dir / "stderr.txt";
        {
            std::ofstream in(inPath, std::ios::binary);
            in << strInput;
        }
        CRun run;
#ifdef _WIN32
        std::wstring strCommand = Quote(ToolPath().wstring()) + L" calc";
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
        if (!bStarted)
        {
            ADD_FAILURE() << "cannot start the tool, error " << GetLastError();
            run.m_nStatus = -1;
            return run;
        }
        WaitForSingleObject(pi.hProcess, INFINITE);
        DWORD nCode = 0;
        GetExitCodeProcess(pi.hProcess, &nCode);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
        run.m_nStatus = (int)nCode;
#else
        const std::string strTool = ToolPath().string();
        std::vector<std::string> argStrings = {strTool, "calc"};
        argStrings.insert(argStrings.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& arg : argStrings)
            argv.push_back(&arg[0]);
        argv.push_back(NULL);
        fflush(stdout);
        fflush(stderr);
        const pid_t pid = fork();
        if (pid == 0)
        {
            const int fdIn = open(inPath.c_str(), O_RDONLY);
            const int fdOut = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            const int fdErr = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(fdIn, 0);
            dup2(fdOut, 1);
            dup2(fdErr, 2);
            execv(strTool.c_str(), argv.data());
            _exit(127);
        }
        int nWait = 0;
        waitpid(pid, &nWait, 0);
        run.m_nStatus = WIFEXITED(nWait) ? WEXITSTATUS(nWait) : -1;
#endif
        run.m_strOut = ReadAll(outPath);
        run.m_strErr = ReadAll(errPath);
        return run;
    }

    fs::path m_dir;
};

std::string Lines(const std::string& strValue, const std::string& strAccum, const std::string& strOper,
                  const std::string& strMemory, const std::string& strSelected, const std::string& strRefused)
{
    return "value=" + strValue + "\naccum=" + strAccum + "\noper=" + strOper + "\nmemory=" + strMemory +
           "\nselected=" + strSelected + "\nrefused=" + strRefused + "\n";
}
}  // namespace

TEST_F(CalcTool, PrintsTheSixValues)
{
    CRun run = Run({"2", "+", "3", "*", "4", "="});
    EXPECT_EQ(0, run.m_nStatus);
    EXPECT_EQ(Lines("20.00", "", "", "", "-1", "0"), run.m_strOut);
    EXPECT_EQ("", run.m_strErr);

    run = Run({"1", "2", "/"});
    EXPECT_EQ(Lines("", "12.00", "/", "", "-1", "0"), run.m_strOut);

    run = Run({});
    EXPECT_EQ(Lines("0.00", "", "", "", "-1", "0"), run.m_strOut);
}

TEST_F(CalcTool, ValuePrecisionAndEveryKey)
{
    CRun run = Run({"--precision", "0", "--value", "2.5"});
    EXPECT_EQ(Lines("3", "", "", "", "-1", "0"), run.m_strOut);

    run = Run({"--precision=3", "--value=0.125", "ms", "ce", "7", ".", "5", "m+", "back", "neg", "ms", "msel:0",
               "mr", "sqrt", "1/x", "%", "prec:1", "msel:9"});
    EXPECT_EQ(0, run.m_nStatus);
    // ms 0.125; m+ adds 7.5 to it; "7." negated is stored; 7.625 recalled, its
    // root written at 3 decimals, then its reciprocal; % of no accumulator.
    EXPECT_EQ(Lines("0.000", "", "", "7.625;-7.", "0", "0"), run.m_strOut);

    run = Run({"--precision", "1", "5", ".", "1", "2", "3", "neg", "sqrt", "c", "mc", "8", "-", "ce", "9", "="});
    EXPECT_EQ(Lines("-1.0", "", "", "", "-1", "3"), run.m_strOut);
}

TEST_F(CalcTool, NotFiniteResults)
{
    CRun run = Run({"--precision", "0", "--value", "1e308", "*", "1", "0", "="});
    EXPECT_EQ(Lines("inf", "", "", "", "-1", "0"), run.m_strOut);
    run = Run({"--value", "inf", "ms", "-", "mr", "="});
    EXPECT_EQ(Lines("nan", "", "", "inf", "0", "0"), run.m_strOut);
}

TEST_F(CalcTool, BadUsage)
{
    CRun run = Run({"1", "x", "2"});
    EXPECT_EQ(2, run.m_nStatus);
    EXPECT_EQ("", run.m_strOut);
    EXPECT_NE(std::string::npos, run.m_strErr.find("x"));
    EXPECT_EQ(2, Run({"--precision", "two"}).m_nStatus);
    EXPECT_EQ(2, Run({"--precision"}).m_nStatus);
    EXPECT_EQ(2, Run({"--colour", "red"}).m_nStatus);
    EXPECT_EQ(2, Run({"prec:"}).m_nStatus);
    EXPECT_EQ(2, Run({"msel:a"}).m_nStatus);
    EXPECT_EQ(2, Run({"--batch", "5"}, "2\t\t1\n").m_nStatus);
    // "--" ends the options; a key that looks like one is still no key.
    EXPECT_EQ(2, Run({"--", "--value"}).m_nStatus);
    run = Run({"--help"});
    EXPECT_EQ(0, run.m_nStatus);
    EXPECT_NE(std::string::npos, run.m_strOut.find("--batch"));
}

TEST_F(CalcTool, BatchLinesAndErrorLines)
{
    const std::string strInput =
        "2\t\t2 + 3 * 4 =\n"
        "0\t2.5\t\n"
        "2\t\t1 . 2 3 4  ms\r\n"
        "x\t\t1\n"
        "2\t\t1 ? 2\n"
        "15\t1e-3\n"
        "\n"
        "1\t\t9 sqrt neg sqrt";  // no line end at the end of the input
    CRun run = Run({"--batch"}, strInput);
    EXPECT_EQ(1, run.m_nStatus);  // some lines failed
    std::vector<std::string> lines;
    size_t nPos = 0;
    for (size_t nEnd; (nEnd = run.m_strOut.find('\n', nPos)) != std::string::npos; nPos = nEnd + 1)
        lines.push_back(run.m_strOut.substr(nPos, nEnd - nPos));
    ASSERT_EQ(8u, lines.size()) << run.m_strOut;
    EXPECT_EQ("20.00\t\t\t\t-1\t0", lines[0]);
    EXPECT_EQ("3\t\t\t\t-1\t0", lines[1]);
    EXPECT_EQ("1.23\t\t\t1.23\t0\t1", lines[2]);
    EXPECT_EQ(0u, lines[3].rfind("error\t", 0));
    EXPECT_EQ(0u, lines[4].rfind("error\t", 0));
    EXPECT_NE(std::string::npos, lines[4].find('?'));
    EXPECT_EQ("0.0010000000\t\t\t\t-1\t0", lines[5]);
    EXPECT_EQ(0u, lines[6].rfind("error\t", 0));
    EXPECT_EQ("-3.0\t\t\t\t-1\t1", lines[7]);

    run = Run({"--batch"}, "3\t-0\tneg\n");
    EXPECT_EQ(0, run.m_nStatus);
    EXPECT_EQ("0.000\t\t\t\t-1\t0\n", run.m_strOut);
}

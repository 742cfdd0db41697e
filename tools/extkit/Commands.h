// The tool's sub-commands. Each lives in its own file (declared by its
// subsystem's sources.cmake) and registers itself with EXTKIT_TOOL_COMMAND. A
// command gets its arguments (after its name) in UTF-8 and returns the process
// exit status: 0 done, 1 some input failed, 2 bad usage.
#pragma once

#include <string>
#include <vector>

typedef int (*PFNTOOLCOMMAND)(const std::vector<std::string>& args);

struct CToolCommand {
    const char* m_pszName;
    PFNTOOLCOMMAND m_pfnRun;
    const char* m_pszSummary;  // one line, Windows-1251
    int m_nOrder;              // where the command stands in the list of commands
};

// Enters a command in the tool's table; one static object per command.
struct CToolCommandRegistration {
    explicit CToolCommandRegistration(const CToolCommand& command);
};

#define EXTKIT_TOOL_COMMAND(order, name, function, summary) \
    static const CToolCommandRegistration g_registration_##function({name, function, summary, order})

// The registered commands in their order.
std::vector<CToolCommand> GetToolCommands();

// One line of a command's --batch mode, as the tool runs it: the line it
// prints for an input line (both UTF-8), and false with the reason
// (Windows-1251) for a line that is not valid (its printed line then says so).
bool RunMaskBatchLine(const std::string& strLineUtf8, std::string& strOutUtf8, std::string& strProblem);
bool RunCalcBatchLine(const std::string& strLineUtf8, std::string& strOutUtf8, std::string& strProblem);
bool RunDeclineBatchLine(const std::string& strLineUtf8, std::string& strOutUtf8, std::string& strProblem);
bool RunChecksumBatchLine(const std::string& strLineUtf8, std::string& strOutUtf8, std::string& strProblem);
bool RunHotKeyBatchLine(const std::string& strLineUtf8, std::string& strOutUtf8, std::string& strProblem);
// strDir: the folder the lines' file names are in.
bool RunIconBatchLine(const std::string& strLineUtf8, const std::string& strDir, std::string& strOutUtf8,
                      std::string& strProblem);
bool RunPagesBatchLine(const std::string& strLineUtf8, std::string& strOutUtf8, std::string& strProblem);

class CMaskScriptTarget;
// A mask batch line played on the given control: `extkit mask --batch` uses
// the in-memory one, `--window` (Windows) a CWindowMaskTarget.
bool RunMaskBatchLineOn(CMaskScriptTarget& target, const std::string& strLineUtf8, std::string& strOutUtf8,
                        std::string& strProblem);

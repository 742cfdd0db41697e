// The tool's sub-commands. Each lives in its own file and is listed in the
// table in main.cpp. A command gets its arguments (after its name) in UTF-8 and
// returns the process exit status: 0 done, 1 some input failed, 2 bad usage.
#pragma once

#include <string>
#include <vector>

typedef int (*PFNTOOLCOMMAND)(const std::vector<std::string>& args);

struct CToolCommand
{
    const char* m_pszName;
    PFNTOOLCOMMAND m_pfnRun;
    const char* m_pszSummary;  // one line, Windows-1251
};

// extkit checksum [--algo A] [--poly HEX] [--start HEX] FILE...
int ChecksumCommand(const std::vector<std::string>& args);

// extkit calc [--precision N] [--value TEXT] KEY... | --batch
int CalcCommand(const std::vector<std::string>& args);

// extkit decline [--female] [--case C] [--parts P] FULL_NAME... | --first F --middle M --last L | --batch
int DeclineCommand(const std::vector<std::string>& args);

// extkit mask MASK ACTION... | --batch
int MaskCommand(const std::vector<std::string>& args);

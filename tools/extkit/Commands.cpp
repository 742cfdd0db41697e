// The tool's table of commands, filled by the commands themselves.
#include "Commands.h"

#include <algorithm>

namespace {

std::vector<CToolCommand>& Table()
{
    // Made on first use: the registrations run during static initialisation.
    static std::vector<CToolCommand> s_table;
    return s_table;
}

}  // namespace

CToolCommandRegistration::CToolCommandRegistration(const CToolCommand& command)
{
    Table().push_back(command);
}

std::vector<CToolCommand> GetToolCommands()
{
    std::vector<CToolCommand> commands = Table();
    std::stable_sort(commands.begin(), commands.end(),
                     [](const CToolCommand& a, const CToolCommand& b) { return a.m_nOrder < b.m_nOrder; });
    return commands;
}

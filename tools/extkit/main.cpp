// extkit: the command-line front of the library's portable services.
//   extkit COMMAND [ARGUMENTS...]
#include "Commands.h"
#include "Console.h"

#include <cstring>

namespace {
void PrintCommands(FILE* pStream)
{
    WriteText(pStream, "Использование: extkit КОМАНДА [ПАРАМЕТРЫ...]\nКоманды:\n");
    for (const CToolCommand& cmd : GetToolCommands())
        WriteText(pStream, std::string("  ") + cmd.m_pszName + "  " + cmd.m_pszSummary + "\n");
}
}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args = GetUtf8Arguments(argc, argv);
    if (args.empty()) {
        PrintCommands(stderr);
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintCommands(stdout);
        return 0;
    }
    for (const CToolCommand& cmd : GetToolCommands()) {
        if (args[0] == cmd.m_pszName) {
            args.erase(args.begin());
            const int nStatus = cmd.m_pfnRun(args);
            fflush(stdout);
            return nStatus;
        }
    }
    WriteUtf8(stderr, "extkit: " + EscapeControls(Cp1251ToUtf8("неизвестная команда: ") + args[0]) + "\n");
    PrintCommands(stderr);
    return 2;
}

#include "app/help_command.h"

namespace app {

std::string HelpCommandLine(const std::string& applicationDirectory) {
    return "notepad.exe " + applicationDirectory + "\\readme.txt";
}

void cmdHelp_Click(toolkit::PlatformServices& services) {
    std::string system = services.SystemDirectory();
    if (!system.empty() && system.back() != '\\') {
        system += '\\';
    }
    services.StartProgram(system + "notepad.exe", HelpCommandLine(services.ApplicationDirectory()),
                          toolkit::kNormalFocus);
}

}  // namespace app

#include "app/command_line.h"

#include "app/layout.h"

namespace app {

CommandLine ParseCommandLine(const std::vector<std::u16string>& arguments) {
    CommandLine command;
    for (const std::u16string& argument : arguments) {
        bool known = false;
        if (argument.starts_with(u"/user:") && argument.size() > 6 && command.user.empty()) {
            command.user = argument.substr(6);
            known = true;
        }
        // Only the exact form of a check box's argument: nothing else is parsed.
        for (const LayoutRow& row : kLayout) {
            for (const int value : {0, 1}) {
                if (row.kind == toolkit::Kind::CheckBox && !command.check &&
                    argument == frmKorvane::CheckArgument(row.tabIndex, value)) {
                    command.check = {row.tabIndex, value};
                    known = true;
                }
            }
        }
        if (!known) {
            command.problem = u"Korvane does not understand its argument \"" + argument + u"\".";
            return command;
        }
    }
    return command;
}

}  // namespace app

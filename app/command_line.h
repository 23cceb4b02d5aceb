// The program's arguments: "/user:<SID>", whose settings; "/check:<tab index>=<0 or 1>", the
// check box a restart as administrator sets; "/export:<file>" and "/import:<file>", which show
// no window, and "/quiet" beside them, which shows no message either. Formatted and parsed
// here only.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace app {

struct CommandLine {
    std::u16string user;                       // "" for the program's own user
    std::optional<std::pair<int, int>> check;  // a check box's tab index and its new state
    std::u16string exportFile;                 // "" when none
    std::u16string importFile;                 // "" when none
    bool quiet = false;
    std::u16string problem;  // what is not understood, or ""
};

// Each argument at most once, in any order; anything else is a problem. A check names a check
// box of the window; it, an export and an import exclude each other, and /quiet needs one of
// the last two.
CommandLine ParseCommandLine(const std::vector<std::u16string>& arguments);

// The arguments of `command` as one command line, each quoted where the system's splitting
// would otherwise cut or change it.
std::u16string FormatCommandLine(const CommandLine& command);

}  // namespace app

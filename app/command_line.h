// The program's arguments, which only a restart with administrator rights hands it:
// "/user:<SID>", whose settings to show, and "/check:<tab index>=<0 or 1>", a check box to set.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace app {

struct CommandLine {
    std::u16string user;                       // "" for the program's own user
    std::optional<std::pair<int, int>> check;  // the box's tab index and its new state
    std::u16string problem;                    // what is not understood, or ""
};

// Each argument once, in any order; anything else is a problem.
CommandLine ParseCommandLine(const std::vector<std::u16string>& arguments);

}  // namespace app

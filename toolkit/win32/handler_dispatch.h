// Where the user's actions enter the program's handlers: nothing a handler throws may cross a
// window procedure, so a failure is shown in the error report titled "Korvane".
#pragma once

#include <functional>

#include "toolkit/services.h"

namespace toolkit::win32 {

// The title of a report for a failure that no handler of the program caught.
inline constexpr const char* kDispatchTitle = "Korvane";

// Runs `handler`; a failure that escapes it is shown with the error report and swallowed.
void RunHandler(PlatformServices& services, const std::function<void()>& handler) noexcept;

}  // namespace toolkit::win32

// The tooltip text that another process gave one of its windows.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

// The text of the tooltip tool for `tool` (registered by its window handle) in any tooltip
// window of process `pid`; nothing when no tooltip window knows the tool.
std::optional<std::string> TooltipText(DWORD pid, HWND tool);

}  // namespace e2e

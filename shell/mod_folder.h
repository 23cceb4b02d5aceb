// The folder picker: the shell's folder browser, returning the chosen folder's path.
#pragma once

#include <cstddef>
#include <string>

#include "shell/shell_api.h"

namespace shell {

// The path buffer is longer than the platform's 260-character limit.
inline constexpr std::size_t kPathBufferSize = 512;

// Shows the folder browser titled `strTitle`, with no owner window and the desktop as root;
// the chosen folder's file-system path without surrounding spaces, or "" when the user
// cancelled or the item has no such path.
std::string BrowseForFolder(ShellApi& api, const std::string& strTitle);

}  // namespace shell

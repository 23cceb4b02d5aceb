// The shell's folder browser.
#pragma once

#include <string>

namespace shell {

// Shows the folder browser, with no owner window and `title` above the tree, letting only
// file-system folders be chosen: the chosen folder's path, or "" on cancel or when the choice
// has no file-system path. A drive root keeps its backslash.
std::u16string BrowseForFolder(const std::u16string& title);

}  // namespace shell

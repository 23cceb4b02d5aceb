// The shell port over shell32's ANSI folder browser calls.
#pragma once

#include "shell/shell_api.h"

namespace shell::win32 {

class Win32Shell : public ShellApi {
public:
    // Initialises COM on the calling thread for the browser's time on screen, as it needs.
    std::optional<RawItemList> BrowseFolder(BrowseInfo& info) override;
    // Uses a scratch buffer when `buffer` is shorter than the call may write.
    bool PathFromItemList(RawItemList list, std::span<char> buffer) override;
    void FreeItemList(RawItemList list) override;
    std::string ToAnsi(std::string_view utf8) override;
    std::string FromAnsi(std::string_view ansi) override;
};

}  // namespace shell::win32

// The shell port, shaped like shell32's ANSI folder browser calls: text crosses it in the
// system's ANSI code page, item lists are opaque handles that the caller frees.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace shell {

// An item identifier list as the shell hands it out; never 0.
using RawItemList = std::uintptr_t;

// Only file-system folders can be chosen.
inline constexpr std::uint32_t kReturnOnlyFsDirs = 0x1;

// The folder browser's request, field for field as shell32 takes it.
struct BrowseInfo {
    std::uintptr_t hwndOwner = 0;    // 0: not tied to any window
    RawItemList pidlRoot = 0;        // 0: the desktop, the root of the namespace
    char* pszDisplayName = nullptr;  // receives the chosen item's name when not null
    std::string lpszTitle;           // ANSI text shown above the tree
    std::uint32_t ulFlags = 0;
    std::uintptr_t lpfn = 0;   // callback address; 0 for none
    std::intptr_t lParam = 0;  // passed to the callback
    int iImage = 0;            // filled in by the shell
};

class ShellApi {
public:
    virtual ~ShellApi() = default;

    // SHBrowseForFolderA: shows the modal folder browser; the chosen item's list, or nothing
    // when the user cancels. The caller owns the list and frees it with FreeItemList.
    [[nodiscard]] virtual std::optional<RawItemList> BrowseFolder(BrowseInfo& info) = 0;

    // SHGetPathFromIDListA: writes the item's file-system path, ANSI and NUL-terminated, into
    // `buffer`; false when the item has no such path or it does not fit.
    virtual bool PathFromItemList(RawItemList list, std::span<char> buffer) = 0;

    // CoTaskMemFree on a list that BrowseFolder returned.
    virtual void FreeItemList(RawItemList list) = 0;

    // The system's ANSI code page at this boundary, from and to UTF-8.
    virtual std::string ToAnsi(std::string_view utf8) = 0;
    virtual std::string FromAnsi(std::string_view ansi) = 0;
};

}  // namespace shell

#include "shell/win32/win32_shell.h"

#include <windows.h>
// shlobj.h after windows.h
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <array>

#include "shell/win32/ansi_code_page.h"

namespace shell::win32 {

namespace {

// COM for one call: initialised on entry, released on exit when this call initialised it.
class ComScope {
public:
    ComScope()
        : initialised_(SUCCEEDED(
              CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComScope() {
        if (initialised_) {
            CoUninitialize();
        }
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialised_;
};

}  // namespace

std::optional<RawItemList> Win32Shell::BrowseFolder(BrowseInfo& info) {
    ComScope com;
    BROWSEINFOA request{};
    request.hwndOwner = reinterpret_cast<HWND>(info.hwndOwner);
    request.pidlRoot = reinterpret_cast<PCIDLIST_ABSOLUTE>(info.pidlRoot);
    request.pszDisplayName = info.pszDisplayName;
    request.lpszTitle = info.lpszTitle.c_str();
    request.ulFlags = info.ulFlags;
    request.lpfn = reinterpret_cast<BFFCALLBACK>(info.lpfn);
    request.lParam = static_cast<LPARAM>(info.lParam);
    request.iImage = 0;

    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&request);
    info.iImage = request.iImage;
    if (chosen == nullptr) {
        return std::nullopt;
    }
    return reinterpret_cast<RawItemList>(chosen);
}

bool Win32Shell::PathFromItemList(RawItemList list, std::span<char> buffer) {
    const auto item = reinterpret_cast<PCIDLIST_ABSOLUTE>(list);
    if (buffer.size() >= MAX_PATH) {
        return SHGetPathFromIDListA(item, buffer.data()) != FALSE;
    }
    // The call assumes room for MAX_PATH characters.
    std::array<char, MAX_PATH> scratch{};
    if (SHGetPathFromIDListA(item, scratch.data()) == FALSE) {
        return false;
    }
    const auto length = std::find(scratch.begin(), scratch.end(), '\0') - scratch.begin();
    if (static_cast<std::size_t>(length) >= buffer.size()) {
        return false;
    }
    std::copy_n(scratch.begin(), length + 1, buffer.begin());
    return true;
}

void Win32Shell::FreeItemList(RawItemList list) {
    CoTaskMemFree(reinterpret_cast<void*>(list));
}

std::string Win32Shell::ToAnsi(std::string_view utf8) {
    return Utf8ToAnsi(utf8);
}

std::string Win32Shell::FromAnsi(std::string_view ansi) {
    return AnsiToUtf8(ansi);
}

}  // namespace shell::win32

#include "shell/mod_folder.h"

#include <windows.h>

#include <shlobj.h>

#include "toolkit/win32/native_control.h"

namespace shell {

namespace {

// COM for the browser's lifetime; torn down last, after the item list is freed.
struct ComApartment {
    ComApartment() : ok(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (ok) {
            CoUninitialize();
        }
    }
    bool ok;
};

struct ItemList {
    ~ItemList() { CoTaskMemFree(items); }
    PIDLIST_ABSOLUTE items;
};

}  // namespace

std::u16string BrowseForFolder(const std::u16string& title) {
    ComApartment com;
    BROWSEINFOW request{};
    request.lpszTitle = toolkit::win32::Wide(title);
    request.ulFlags = BIF_RETURNONLYFSDIRS;
    const ItemList chosen{SHBrowseForFolderW(&request)};
    if (chosen.items == nullptr) {
        return {};  // cancelled
    }
    // The path buffer of the browser's callers: longer than MAX_PATH, never overrun.
    std::wstring path(MAX_PATH * 2, L'\0');
    if (!SHGetPathFromIDListEx(chosen.items, path.data(), static_cast<DWORD>(path.size()),
                               GPFIDL_DEFAULT)) {
        return {};
    }
    path.resize(path.find(L'\0'));
    // Spaces around the path are no part of it; one inside it, at a name's start, is.
    const auto first = path.find_first_not_of(L' ');
    if (first == std::wstring::npos) {
        return {};
    }
    path = path.substr(first, path.find_last_not_of(L' ') - first + 1);
    return toolkit::win32::FromWide(path.c_str());
}

}  // namespace shell

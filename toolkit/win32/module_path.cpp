#include "toolkit/win32/module_path.h"

namespace toolkit::win32 {

std::wstring DirectoryOf(std::wstring_view path) {
    const auto slash = path.find_last_of(L'\\');
    if (slash == std::wstring_view::npos) {
        return {};
    }
    std::wstring directory(path.substr(0, slash));
    // "C:" alone would mean the drive's current directory, not its root.
    if (directory.size() == 2 && directory[1] == L':') {
        directory += L'\\';
    }
    return directory;
}

std::wstring ModuleFileName(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD length = GetModuleFileNameW(module, path.data(), size);
        if (length == 0) {
            return {};
        }
        // A full buffer means the path may have been cut short.
        if (length < size) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring SystemDirectoryPath() {
    const UINT needed = GetSystemDirectoryW(nullptr, 0);
    if (needed == 0) {
        return {};
    }
    std::wstring path(needed, L'\0');
    const UINT length = GetSystemDirectoryW(path.data(), needed);
    path.resize(length < needed ? length : 0);
    return path;
}

}  // namespace toolkit::win32

#include "app/win32/win32_platform.h"

#include <commdlg.h>

#include "shell/mod_folder.h"
#include "toolkit/win32/native_control.h"

namespace app::win32 {

using toolkit::win32::Narrow;
using toolkit::win32::Widen;

void Win32Platform::ShowMessage(const std::string& prompt, const std::string& title) {
    MessageBoxW(owner_, Widen(prompt).c_str(), Widen(title.empty() ? "Korvane" : title).c_str(),
                MB_OK);
}

std::string Win32Platform::AppDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    path.resize(path.find_last_of(L'\\') + 1);
    if (path.size() > 3) {
        path.pop_back();  // only a drive root ("C:\") keeps its backslash
    }
    return Narrow(path);
}

void Win32Platform::StartNotepad(const std::string& commandLine) {
    // The system's own Notepad by its full path: never a notepad.exe beside the program or in
    // the current directory.
    std::wstring notepad(MAX_PATH, L'\0');
    notepad.resize(GetSystemDirectoryW(notepad.data(), MAX_PATH));
    notepad += L"\\notepad.exe";
    std::wstring line = Widen(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(notepad.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

std::optional<std::string> Win32Platform::OpenFile(const std::string& filter) {
    // "Description|pattern" becomes the dialog's "Description\0pattern\0\0".
    std::wstring filters = Widen(filter) + L'|';
    for (wchar_t& c : filters) {
        c = c == L'|' ? L'\0' : c;
    }
    std::wstring file(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog)) {
        return std::nullopt;
    }
    file.resize(file.find(L'\0'));
    return Narrow(file);
}

std::string Win32Platform::BrowseForFolder(const std::string& title) {
    return shell::BrowseForFolder(title);
}

}  // namespace app::win32

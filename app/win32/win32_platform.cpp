#include "app/win32/win32_platform.h"

#include <commdlg.h>
#include <oleauto.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cwchar>

#include "shell/mod_folder.h"
#include "toolkit/error.h"
#include "toolkit/win32/native_control.h"

namespace app::win32 {

using toolkit::win32::FromWide;
using toolkit::win32::Wide;

void Win32Platform::ShowMessage(const std::u16string& prompt, const std::u16string& title) {
    MessageBoxW(owner_, Wide(prompt), Wide(title.empty() ? u"Korvane" : title), MB_OK);
}

bool Win32Platform::AskYesNo(const std::u16string& prompt) {
    return MessageBoxW(owner_, Wide(prompt), L"Korvane", MB_YESNO) == IDYES;
}

std::wstring Win32Platform::ProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::u16string Win32Platform::AppDirectory() {
    std::wstring path = ProgramPath();
    path.resize(path.find_last_of(L'\\') + 1);
    if (path.size() > 3) {
        path.pop_back();  // only a drive root ("C:\") keeps its backslash
    }
    return FromWide(path.c_str());
}

void Win32Platform::StartNotepad(const std::u16string& commandLine) {
    // The system's own Notepad by its full path: never a notepad.exe beside the program or in
    // the current directory.
    std::wstring notepad(MAX_PATH, L'\0');
    notepad.resize(GetSystemDirectoryW(notepad.data(), MAX_PATH));
    notepad += L"\\notepad.exe";
    std::wstring line = Wide(commandLine);
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

std::optional<std::u16string> Win32Platform::OpenFile(const std::u16string& filter,
                                                      const std::u16string& folder) {
    return FileDialog(filter, folder, false);
}

std::optional<std::u16string> Win32Platform::SaveAs(const std::u16string& filter) {
    return FileDialog(filter, {}, true);
}

std::optional<std::u16string> Win32Platform::FileDialog(const std::u16string& filter,
                                                        const std::u16string& folder, bool save) {
    // "Description|pattern" becomes the dialog's "Description\0pattern\0\0".
    std::wstring filters = Wide(filter + u'|');
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
    dialog.lpstrInitialDir = folder.empty() ? nullptr : Wide(folder);
    dialog.lpstrDefExt = L"reg";  // only the save dialog has a filter without its own extension
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : 0);
    if (!(save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) {
        return std::nullopt;
    }
    return FromWide(file.c_str());
}

std::u16string Win32Platform::BrowseForFolder(const std::u16string& title) {
    return shell::BrowseForFolder(title);
}

std::int32_t Win32Platform::NumberFromText(std::u16string_view text, bool int16) {
    // The platform reads up to a NUL: text after one would pass unseen.
    std::u16string copy(text);
    HRESULT result = copy.find(u'\0') == std::u16string::npos ? S_OK : DISP_E_TYPEMISMATCH;
    auto* wide = reinterpret_cast<OLECHAR*>(copy.data());
    LONG number = 0;
    SHORT small = 0;
    if (result == S_OK) {
        result = int16 ? VarI2FromStr(wide, LOCALE_USER_DEFAULT, 0, &small)
                       : VarI4FromStr(wide, LOCALE_USER_DEFAULT, 0, &number);
    }
    if (result == DISP_E_OVERFLOW) {
        throw toolkit::Error{toolkit::kOverflow};
    }
    if (result == E_OUTOFMEMORY) {
        throw toolkit::Error{toolkit::kOutOfMemory};
    }
    if (FAILED(result)) {
        throw toolkit::Error{toolkit::kTypeMismatch};
    }
    return int16 ? small : number;
}

std::optional<std::u16string> Win32Platform::FromAnsi(std::string_view bytes) {
    if (bytes.empty()) {
        return std::u16string();
    }
    if (bytes.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    const int size = static_cast<int>(bytes.size());
    std::wstring text(bytes.size(), L'\0');  // never more units than bytes
    const int units =
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), size, text.data(), size);
    if (units == 0) {
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(units));
    return FromWide(text.c_str());
}

bool Win32Platform::Elevated() {
    HANDLE token = nullptr;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        GetTokenInformation(token, TokenElevation, &elevation, sizeof(elevation), &size);
        CloseHandle(token);
    }
    return elevation.TokenIsElevated != 0;
}

std::u16string Win32Platform::UndoFolder() {
    PWSTR local = nullptr;
    std::u16string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &local))) {
        folder = FromWide(local) + u"\\Korvane\\Undo";
    }
    CoTaskMemFree(local);
    return folder;
}

std::u16string Win32Platform::LocalTime() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t text[32] = {};
    swprintf(text, 32, L"%04u-%02u-%02u %02u.%02u.%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
             now.wMinute, now.wSecond);
    return FromWide(text);
}

bool Win32Platform::SaveFile(const std::u16string& path, const std::vector<std::uint8_t>& bytes) {
    // A name relative to the current folder ("/export:ie.reg") is saved there.
    std::wstring full(32768, L'\0');
    full.resize(GetFullPathNameW(Wide(path), 32768, full.data(), nullptr));
    const std::wstring folder = full.substr(0, full.find_last_of(L'\\'));
    if (full.empty() || (GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES &&
                         SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr) != ERROR_SUCCESS)) {
        return false;
    }
    const std::u16string temporary = path + u".tmp";
    const HANDLE file = CreateFileW(Wide(temporary), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool saved =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && FlushFileBuffers(file);
    CloseHandle(file);
    if (saved && MoveFileExW(Wide(temporary), Wide(path),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileW(Wide(temporary));
    return false;
}

std::optional<std::vector<std::uint8_t>> Win32Platform::LoadFile(const std::u16string& path,
                                                                 std::size_t limit) {
    const HANDLE file = CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(limit);
    DWORD read = 0;
    const bool done =
        ReadFile(file, bytes.data(), static_cast<DWORD>(limit), &read, nullptr) != FALSE;
    CloseHandle(file);
    if (!done) {
        return std::nullopt;
    }
    bytes.resize(read);
    return bytes;
}

void Win32Platform::KeepNewestFiles(const std::u16string& folder, std::size_t count) {
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(Wide(folder + u"\\*.reg"), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found)) {
        names.push_back(FromWide(found.cFileName));
    }
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
    }
    std::ranges::sort(names);  // named by time: the oldest first
    for (std::size_t i = 0; i + count < names.size(); ++i) {
        DeleteFileW(Wide(folder + u"\\" + names[i]));
    }
}

bool Win32Platform::RestartElevated(const std::u16string& arguments, bool windowless) {
    const std::wstring program = ProgramPath();
    std::wstring system(MAX_PATH, L'\0');
    system.resize(GetSystemDirectoryW(system.data(), MAX_PATH));
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof(request);
    request.fMask = SEE_MASK_NOASYNC | SEE_MASK_NOCLOSEPROCESS;
    request.hwnd = owner_;
    request.lpVerb = L"runas";
    request.lpFile = program.c_str();
    request.lpParameters = Wide(arguments);
    request.lpDirectory = system.c_str();  // never the caller's folder, which may hold any DLL
    request.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&request)) {
        if (GetLastError() != ERROR_CANCELLED) {  // a cancel is the user's no: nothing to tell
            ShowMessage(u"Korvane could not be started as administrator.", {});
        }
        return false;
    }
    const bool tookOver = request.hProcess != nullptr && Await(request.hProcess, windowless);
    if (request.hProcess != nullptr) {
        CloseHandle(request.hProcess);
    }
    if (!tookOver && !windowless) {  // a windowless one tells its own failure
        ShowMessage(u"The restart as administrator did not complete: the setting was not changed.",
                    {});
    }
    return tookOver;
}

bool Win32Platform::Await(HANDLE process, bool windowless) {
    // The window stays disabled meanwhile, as under a dialog: nothing else may change.
    const bool wasEnabled = owner_ != nullptr && !EnableWindow(owner_, FALSE);
    const DWORD id = GetProcessId(process);
    const ULONGLONG until = GetTickCount64() + 30000;
    bool shown = false, ended = false;
    while (!shown && !ended && (windowless || GetTickCount64() < until)) {
        for (HWND window = nullptr;
             !windowless && !shown &&
             (window = FindWindowExW(nullptr, window, kWindowClass, nullptr));) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            shown = owner == id && IsWindowVisible(window);
        }
        ended = !shown && MsgWaitForMultipleObjects(1, &process, FALSE, 100, QS_ALLINPUT) == 0;
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                break;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (wasEnabled) {
        EnableWindow(owner_, TRUE);
    }
    DWORD exitCode = 1;
    return shown ||
           (windowless && ended && GetExitCodeProcess(process, &exitCode) && exitCode == 0);
}

void Win32Platform::CloseWindow() {
    PostMessageW(owner_, WM_CLOSE, 0, 0);
}

}  // namespace app::win32

#include "app/win32/win32_platform.h"

#include <commdlg.h>
#include <oleauto.h>
#include <shellapi.h>

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

std::optional<std::u16string> Win32Platform::OpenFile(const std::u16string& filter) {
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
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog)) {
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

bool Win32Platform::RestartElevated(const std::u16string& arguments) {
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
    const bool tookOver = request.hProcess != nullptr && AwaitWindow(request.hProcess);
    if (request.hProcess != nullptr) {
        CloseHandle(request.hProcess);
    }
    if (!tookOver) {
        ShowMessage(u"The restart as administrator did not complete: the setting was not changed.",
                    {});
    }
    return tookOver;
}

bool Win32Platform::AwaitWindow(HANDLE process) {
    // The window stays disabled meanwhile, as under a dialog: nothing else may change.
    const bool wasEnabled = owner_ != nullptr && !EnableWindow(owner_, FALSE);
    const DWORD id = GetProcessId(process);
    const ULONGLONG until = GetTickCount64() + 30000;
    bool shown = false;
    while (!shown && GetTickCount64() < until) {
        for (HWND window = nullptr;
             !shown && (window = FindWindowExW(nullptr, window, kWindowClass, nullptr));) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            shown = owner == id && IsWindowVisible(window);
        }
        if (!shown && MsgWaitForMultipleObjects(1, &process, FALSE, 100, QS_ALLINPUT) == 0) {
            break;  // it ended without showing its window
        }
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
    return shown;
}

void Win32Platform::CloseWindow() {
    PostMessageW(owner_, WM_CLOSE, 0, 0);
}

}  // namespace app::win32

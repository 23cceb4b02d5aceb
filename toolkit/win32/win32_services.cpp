#include "toolkit/win32/win32_services.h"

#include <commdlg.h>

#include "toolkit/win32/handles.h"
#include "toolkit/win32/module_path.h"
#include "toolkit/win32/text_encoding.h"

namespace toolkit::win32 {

namespace {
// The longest path the system can name, with room for its NUL.
constexpr DWORD kLongestPath = 32768;
}  // namespace

std::wstring FilterText(const std::vector<FileFilter>& filters) {
    std::wstring text;
    for (const auto& filter : filters) {
        text += Widen(filter.description);
        text += L'\0';
        text += Widen(filter.pattern);
        text += L'\0';
    }
    if (!text.empty()) {
        text += L'\0';
    }
    return text;
}

int Win32Services::ShowMessage(const std::string& prompt, int buttons,
                               const std::optional<std::string>& title) {
    const std::wstring text = Widen(prompt);
    const std::wstring caption = Widen(title.value_or(kAppTitle));
    return MessageBoxW(owner_, text.c_str(), caption.c_str(), static_cast<UINT>(buttons));
}

std::string Win32Services::ApplicationDirectory() {
    return Narrow(DirectoryOf(ModuleFileName(nullptr)));
}

std::string Win32Services::SystemDirectory() {
    return Narrow(SystemDirectoryPath());
}

void Win32Services::StartProgram(const std::string& program, const std::string& commandLine,
                                 int windowStyle) {
    const std::wstring application = Widen(program);
    // CreateProcessW may write into the command line, so it gets its own copy.
    std::wstring line = Widen(commandLine);
    line += L'\0';

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(windowStyle);
    PROCESS_INFORMATION started{};
    if (CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &started)) {
        UniqueKernelHandle process(started.hProcess);
        UniqueKernelHandle thread(started.hThread);
    }
}

std::optional<std::string> Win32Services::OpenFileDialog(const std::vector<FileFilter>& filters) {
    const std::wstring filterText = FilterText(filters);
    std::wstring file(kLongestPath, L'\0');

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = filterText.empty() ? nullptr : filterText.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = kLongestPath;
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&dialog)) {
        return std::nullopt;
    }
    const auto end = file.find(L'\0');
    file.resize(end != std::wstring::npos ? end : file.size());
    return Narrow(file);
}

}  // namespace toolkit::win32

// The program: the form over the real registry and platform, in its real window.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include "app/command_line.h"
#include "app/layout.h"
#include "app/win32/main_window.h"
#include "app/win32/user_settings.h"
#include "registry/win32/advapi_registry.h"

namespace {

std::vector<std::u16string> Arguments() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::u16string> result;
    for (int i = 1; arguments != nullptr && i < count; ++i) {
        result.push_back(toolkit::win32::FromWide(arguments[i]));
    }
    LocalFree(arguments);
    return result;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    // DLLs from the system folder only: never one planted beside the program or in the current
    // folder, which an elevated start would load with administrator rights. Windows 7 without
    // its update lacks the call.
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    if (const auto set = reinterpret_cast<SetDirectories>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")))) {
        set(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);

    app::win32::Win32Platform platform;
    const app::CommandLine command = app::ParseCommandLine(Arguments());
    const app::win32::UserSettings user(command.user);
    if (!command.problem.empty() || !user.problem().empty()) {
        platform.ShowMessage(command.problem.empty() ? user.problem() : command.problem, {});
        return 1;  // nothing read, nothing written, no window
    }
    registry::AdvapiRegistry registry(reinterpret_cast<registry::Key>(user.root()));
    app::frmKorvane form(registry, platform, user.sid(), !user.otherUser().empty());
    if (!command.exportFile.empty() || !command.importFile.empty()) {
        // For scripts: no window, the exit code says how it went, and /quiet silences the rest.
        const app::frmKorvane::Outcome outcome = command.exportFile.empty()
                                                     ? form.Import(command.importFile)
                                                     : form.Export(command.exportFile);
        if (!command.quiet && !outcome.message.empty()) {
            platform.ShowMessage(outcome.message, {});
        }
        return outcome.exitCode;
    }
    app::win32::MainWindow window(form, platform);
    if (!window.Create()) {
        platform.ShowMessage(u"Korvane could not create its window.", {});
        return 1;
    }
    if (!user.otherUser().empty()) {
        const std::u16string caption =
            app::kWindowCaption + (u" - settings of " + user.otherUser());
        SetWindowTextW(window.hwnd(), toolkit::win32::Wide(caption));
    }
    platform.SetOwner(window.hwnd());
    form.Form_Load();
    if (form.closedDuringLoad()) {
        window.Close();  // unloaded and gone without ever being shown
        return 0;
    }
    window.Show();
    if (command.check) {
        form.RepeatCheck(command.check->first, command.check->second);
    }
    const int exitCode = app::win32::RunMessageLoop(window.hwnd());
    platform.SetOwner(nullptr);
    return exitCode;
}

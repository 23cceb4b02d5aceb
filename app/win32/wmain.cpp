// The program: the form over the real registry and platform, in its real window.
#include <windows.h>

#include <commctrl.h>

#include "app/win32/main_window.h"
#include "registry/win32/advapi_registry.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);

    registry::AdvapiRegistry registry;
    app::win32::Win32Platform platform;
    app::frmKorvane form(registry, platform);
    app::win32::MainWindow window(form, platform);
    if (!window.Create()) {
        platform.ShowMessage("Korvane could not create its window.", {});
        return 1;
    }
    platform.SetOwner(window.hwnd());
    form.Form_Load();
    if (form.closedDuringLoad()) {
        window.Close();  // unloaded and gone without ever being shown
        return 0;
    }
    window.Show();
    const int exitCode = app::win32::RunMessageLoop(window.hwnd());
    platform.SetOwner(nullptr);
    return exitCode;
}

#include "app/win32/program.h"

#include <commctrl.h>

#include "app/frm_korvane.h"
#include "app/win32/main_window.h"
#include "toolkit/win32/handler_dispatch.h"
#include "toolkit/win32/win32_services.h"

#include "registry/win32/advapi_registry.h"
#include "shell/win32/win32_shell.h"

namespace app::win32 {

namespace {
constexpr const char* kNoWindowPrompt = "Korvane could not create its window.";
}  // namespace

int RunProgram(HINSTANCE instance) {
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof(classes);
    classes.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&classes);

    registry::AdvapiRegistry registryApi;
    toolkit::win32::Win32Services services;
    shell::win32::Win32Shell shell;
    frmKorvane form(registryApi, services, shell);
    MainWindow window(form, services);
    if (!window.Create(instance)) {
        services.ShowMessage(kNoWindowPrompt, toolkit::kOkOnly, std::nullopt);
        return 1;
    }
    services.SetOwner(window.hwnd());

    toolkit::win32::RunHandler(services, [&form] { form.Form_Load(); });
    if (form.unloadRequested()) {
        // Closed during its own load: unloaded and gone without ever being shown.
        window.Close();
        return 0;
    }
    window.Show();
    const int exitCode = RunMessageLoop(window.hwnd());
    services.SetOwner(nullptr);
    return exitCode;
}

}  // namespace app::win32

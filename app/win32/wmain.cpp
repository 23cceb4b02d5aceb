// The program's entry point.
#include <windows.h>

#include "app/win32/program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    return app::win32::RunProgram(instance);
}

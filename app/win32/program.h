// The program's life: the form and its window made, Form_Load, then shown and run, or closed
// unseen when the load refused to go on.
#pragma once

#include <windows.h>

namespace app::win32 {

// Runs Korvane to its end; the process exit code.
int RunProgram(HINSTANCE instance);

}  // namespace app::win32

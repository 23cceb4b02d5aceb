// A control's accessible object under a name of the program's choosing.
#pragma once

#include <windows.h>

#include <string>

namespace toolkit::win32 {

// Answers WM_GETOBJECT (with its `flags`) for `window`'s client area: the standard accessible
// object of the window, whose name is `name`.
LRESULT AnswerWithName(HWND window, WPARAM flags, const std::u16string& name);

}  // namespace toolkit::win32

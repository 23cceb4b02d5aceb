// Paths of the running program and of the system.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace toolkit::win32 {

// The directory part of a full file path: no trailing backslash except at a drive root
// ("C:\korvane.exe" gives "C:\"). A path without a backslash gives the empty text.
std::wstring DirectoryOf(std::wstring_view path);

// The full path of `module` (the program itself for nullptr), however long.
std::wstring ModuleFileName(HMODULE module);

// The system directory, where the system's own programs live.
std::wstring SystemDirectoryPath();

}  // namespace toolkit::win32

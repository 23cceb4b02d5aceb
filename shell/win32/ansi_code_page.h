// Conversions between UTF-8 and the system's ANSI code page (CP_ACP), through UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace shell::win32 {

// Characters the code page cannot hold become its default character.
std::string Utf8ToAnsi(std::string_view utf8);
std::string AnsiToUtf8(std::string_view ansi);

}  // namespace shell::win32

// UTF-8 inside the program, UTF-16 at the Win32 boundary.
#pragma once

#include <string>
#include <string_view>

namespace toolkit::win32 {

// The UTF-16 form of UTF-8 text; invalid bytes become U+FFFD.
std::wstring Widen(std::string_view utf8);

// The UTF-8 form of UTF-16 text; a lone surrogate becomes U+FFFD.
std::string Narrow(std::wstring_view utf16);

}  // namespace toolkit::win32

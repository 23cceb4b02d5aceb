// Text is UTF-8 inside the program and UTF-16 at the platform's boundary.
#pragma once

#include <string>
#include <string_view>

namespace toolkit {

// Invalid input (a stray byte, a lone surrogate) becomes U+FFFD; nothing else changes.
std::u16string ToUtf16(std::string_view utf8);
std::string ToUtf8(std::u16string_view utf16);

}  // namespace toolkit

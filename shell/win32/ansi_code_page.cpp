#include "shell/win32/ansi_code_page.h"

#include <windows.h>

#include <limits>
#include <stdexcept>

namespace shell::win32 {

namespace {

int Length(std::string_view text) {
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        throw std::length_error("text too long to convert");
    }
    return static_cast<int>(text.size());
}

std::wstring ToWide(UINT codePage, std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int units = MultiByteToWideChar(codePage, 0, text.data(), Length(text), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    if (units > 0) {
        MultiByteToWideChar(codePage, 0, text.data(), Length(text), wide.data(), units);
    }
    return wide;
}

std::string FromWide(UINT codePage, const std::wstring& wide) {
    if (wide.empty()) {
        return {};
    }
    const int size = static_cast<int>(wide.size());
    const int bytes =
        WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes), '\0');
    if (bytes > 0) {
        WideCharToMultiByte(codePage, 0, wide.data(), size, text.data(), bytes, nullptr, nullptr);
    }
    return text;
}

}  // namespace

std::string Utf8ToAnsi(std::string_view utf8) {
    return FromWide(CP_ACP, ToWide(CP_UTF8, utf8));
}

std::string AnsiToUtf8(std::string_view ansi) {
    return FromWide(CP_UTF8, ToWide(CP_ACP, ansi));
}

}  // namespace shell::win32

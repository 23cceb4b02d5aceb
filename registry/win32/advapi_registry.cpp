#include "registry/win32/advapi_registry.h"

#include <windows.h>

#include <string>

namespace registry {

namespace {

// A NUL-terminated copy: the port's views need not end in one.
std::wstring Wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

}  // namespace

HKEY AdvapiRegistry::Handle(Key key) const {
    return reinterpret_cast<HKEY>(key == kCurrentUser ? currentUser_ : key);
}

Opened AdvapiRegistry::OpenKey(Key parent, std::u16string_view path, std::uint32_t access) {
    HKEY key = nullptr;
    const LONG status = RegOpenKeyExW(Handle(parent), Wide(path).c_str(), 0, access, &key);
    return {status, status == ERROR_SUCCESS ? reinterpret_cast<Key>(key) : 0};
}

Opened AdvapiRegistry::CreateKey(Key parent, std::u16string_view path, std::uint32_t access) {
    HKEY key = nullptr;
    const LONG status = RegCreateKeyExW(Handle(parent), Wide(path).c_str(), 0, nullptr,
                                        REG_OPTION_NON_VOLATILE, access, nullptr, &key, nullptr);
    return {status, status == ERROR_SUCCESS ? reinterpret_cast<Key>(key) : 0};
}

Queried AdvapiRegistry::QueryValue(Key key, std::u16string_view name,
                                   std::span<std::uint8_t> data) {
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(data.size());
    const LONG status = RegQueryValueExW(Handle(key), Wide(name).c_str(), nullptr, &type,
                                         data.empty() ? nullptr : data.data(), &size);
    return {status, type, size};
}

Status AdvapiRegistry::SetValue(Key key, std::u16string_view name, std::uint32_t type,
                                std::span<const std::uint8_t> data) {
    return RegSetValueExW(Handle(key), Wide(name).c_str(), 0, type, data.data(),
                          static_cast<DWORD>(data.size()));
}

Status AdvapiRegistry::DeleteValue(Key key, std::u16string_view name) {
    return RegDeleteValueW(Handle(key), Wide(name).c_str());
}

Enumerated AdvapiRegistry::EnumValue(Key key, std::uint32_t index) {
    std::wstring name(16384, L'\0');  // the longest value name the registry allows, and its NUL
    DWORD size = static_cast<DWORD>(name.size());
    const LONG status =
        RegEnumValueW(Handle(key), index, name.data(), &size, nullptr, nullptr, nullptr, nullptr);
    name.resize(status == ERROR_SUCCESS ? size : 0);
    return {status, std::u16string(name.begin(), name.end())};
}

Status AdvapiRegistry::DeleteKey(Key parent, std::u16string_view path) {
    return RegDeleteKeyW(Handle(parent), Wide(path).c_str());
}

Status AdvapiRegistry::CloseKey(Key key) {
    return RegCloseKey(Handle(key));
}

}  // namespace registry

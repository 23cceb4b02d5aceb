#include "tests/e2e/registry_access.h"

#include <cstring>

#include "tests/e2e/text_convert.h"
#include "tests/e2e/wait.h"

namespace e2e {

namespace {

void Check(LSTATUS status, const std::string& what) {
    if (status != ERROR_SUCCESS) {
        throw HarnessError(what + " failed: status " + std::to_string(status));
    }
}

// The names of a key's values (or its sub keys) as RegEnumValueW / RegEnumKeyExW give them.
template <class Enumerate>
std::vector<std::wstring> Names(DWORD count, DWORD longest, Enumerate enumerate) {
    std::vector<std::wstring> names;
    for (DWORD i = 0; i < count; ++i) {
        std::wstring name(longest + 1, L'\0');
        DWORD length = longest + 1;
        if (enumerate(i, name.data(), &length) == ERROR_SUCCESS) {
            name.resize(length);
            names.push_back(std::move(name));
        }
    }
    return names;
}

}  // namespace

std::optional<StoredValue> QueryValue(HKEY key, const std::wstring& name) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    StoredValue value{type, std::vector<BYTE>(size)};
    Check(RegQueryValueExW(key, name.c_str(), nullptr, &value.type, value.data.data(), &size),
          "reading a registry value");
    value.data.resize(size);
    return value;
}

void SetValue(HKEY key, const std::wstring& name, const StoredValue& value) {
    Check(RegSetValueExW(key, name.c_str(), 0, value.type, value.data.data(),
                         static_cast<DWORD>(value.data.size())),
          "writing a registry value");
}

std::vector<std::wstring> ValueNames(HKEY key) {
    DWORD count = 0;
    DWORD longest = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longest,
                     nullptr, nullptr, nullptr);
    return Names(count, longest, [&](DWORD i, wchar_t* name, DWORD* length) {
        return RegEnumValueW(key, i, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

std::vector<std::wstring> SubKeyNames(HKEY key) {
    DWORD count = 0;
    DWORD longest = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr);
    return Names(count, longest, [&](DWORD i, wchar_t* name, DWORD* length) {
        return RegEnumKeyExW(key, i, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

StoredValue Sz(std::string_view text) {
    const std::wstring wide = Widen(text);
    StoredValue value{REG_SZ, std::vector<BYTE>((wide.size() + 1) * sizeof(wchar_t))};
    std::memcpy(value.data.data(), wide.c_str(), value.data.size());
    return value;
}

StoredValue Dword(std::uint32_t number) {
    StoredValue value{REG_DWORD, std::vector<BYTE>(sizeof number)};
    std::memcpy(value.data.data(), &number, sizeof number);
    return value;
}

std::string Describe(const std::optional<StoredValue>& value) {
    if (!value) {
        return "absent";
    }
    if (value->type == REG_SZ) {
        std::wstring_view wide(reinterpret_cast<const wchar_t*>(value->data.data()),
                               value->data.size() / sizeof(wchar_t));
        return "REG_SZ \"" + Narrow(wide.substr(0, wide.find(L'\0'))) + "\"";
    }
    if (value->type == REG_DWORD && value->data.size() == sizeof(std::uint32_t)) {
        std::uint32_t number = 0;
        std::memcpy(&number, value->data.data(), sizeof number);
        return "REG_DWORD " + std::to_string(number);
    }
    return "type " + std::to_string(value->type) + " with " + std::to_string(value->data.size()) +
           " bytes";
}

void PrintTo(const StoredValue& value, std::ostream* out) {
    *out << Describe(value);
}

RegKey OpenKey(HKEY parent, const std::wstring& path, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, path.c_str(), 0, access, &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return RegKey(key);
}

RegKey CreateKey(HKEY parent, const std::wstring& path) {
    HKEY key = nullptr;
    Check(RegCreateKeyExW(parent, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                          nullptr),
          "creating the key " + Narrow(path));
    return RegKey(key);
}

std::optional<StoredValue> ReadValue(HKEY root, std::string_view path, std::string_view name) {
    const RegKey key = OpenKey(root, Widen(path), KEY_QUERY_VALUE);
    return key ? QueryValue(key.get(), Widen(name)) : std::nullopt;
}

void WriteValue(HKEY root, std::string_view path, std::string_view name, const StoredValue& value) {
    SetValue(CreateKey(root, Widen(path)).get(), Widen(name), value);
}

void DeleteValue(HKEY root, std::string_view path, std::string_view name) {
    if (const RegKey key = OpenKey(root, Widen(path), KEY_SET_VALUE)) {
        RegDeleteValueW(key.get(), Widen(name).c_str());
    }
}

bool KeyExists(HKEY root, std::string_view path) {
    return OpenKey(root, Widen(path), KEY_QUERY_VALUE) != nullptr;
}

void DeleteKeyTree(HKEY root, std::string_view path) {
    if (KeyExists(root, path)) {
        Check(RegDeleteTreeW(root, Widen(path).c_str()), "deleting the key " + std::string(path));
    }
}

}  // namespace e2e

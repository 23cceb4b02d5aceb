#include "tests/e2e/registry_access.h"

#include <cstring>

#include "tests/e2e/text_convert.h"
#include "tests/e2e/wait.h"

namespace e2e {

namespace {

std::string StatusText(LSTATUS status) {
    return "status " + std::to_string(status);
}

std::wstring_view AsWide(const std::vector<BYTE>& data) {
    return {reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t)};
}

StoredValue StringValue(DWORD type, std::string_view text) {
    std::wstring wide = Widen(text);
    wide.push_back(L'\0');
    StoredValue value{type, {}};
    value.data.resize(wide.size() * sizeof(wchar_t));
    std::memcpy(value.data.data(), wide.data(), value.data.size());
    return value;
}

}  // namespace

bool SameName(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::optional<StoredValue> QueryValue(HKEY key, const std::wstring& name) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    StoredValue value{type, std::vector<BYTE>(size)};
    LSTATUS status = RegQueryValueExW(key, name.c_str(), nullptr, &type, value.data.data(), &size);
    if (status != ERROR_SUCCESS) {
        throw HarnessError("reading a registry value failed: " + StatusText(status));
    }
    value.type = type;
    value.data.resize(size);
    return value;
}

void SetValue(HKEY key, const std::wstring& name, const StoredValue& value) {
    LSTATUS status = RegSetValueExW(key, name.c_str(), 0, value.type, value.data.data(),
                                    static_cast<DWORD>(value.data.size()));
    if (status != ERROR_SUCCESS) {
        throw HarnessError("writing a registry value failed: " + StatusText(status));
    }
}

std::vector<std::wstring> ValueNames(HKEY key) {
    DWORD count = 0;
    DWORD longest = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longest,
                     nullptr, nullptr, nullptr);
    std::vector<std::wstring> names;
    for (DWORD i = 0; i < count; ++i) {
        std::wstring name(longest + 1, L'\0');
        DWORD length = longest + 1;
        if (RegEnumValueW(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) ==
            ERROR_SUCCESS) {
            name.resize(length);
            names.push_back(std::move(name));
        }
    }
    return names;
}

std::vector<std::wstring> SubKeyNames(HKEY key) {
    DWORD count = 0;
    DWORD longest = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr);
    std::vector<std::wstring> names;
    for (DWORD i = 0; i < count; ++i) {
        std::wstring name(longest + 1, L'\0');
        DWORD length = longest + 1;
        if (RegEnumKeyExW(key, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) ==
            ERROR_SUCCESS) {
            name.resize(length);
            names.push_back(std::move(name));
        }
    }
    return names;
}

StoredValue Sz(std::string_view text) {
    return StringValue(REG_SZ, text);
}

StoredValue ExpandSz(std::string_view text) {
    return StringValue(REG_EXPAND_SZ, text);
}

StoredValue Dword(std::uint32_t number) {
    StoredValue value{REG_DWORD, std::vector<BYTE>(sizeof number)};
    std::memcpy(value.data.data(), &number, sizeof number);
    return value;
}

StoredValue Binary(std::vector<BYTE> bytes) {
    return StoredValue{REG_BINARY, std::move(bytes)};
}

std::optional<std::string> TextOf(const StoredValue& value) {
    if (value.type != REG_SZ) {
        return std::nullopt;
    }
    std::wstring_view wide = AsWide(value.data);
    return Narrow(wide.substr(0, wide.find(L'\0')));
}

std::optional<std::uint32_t> DwordOf(const StoredValue& value) {
    if (value.type != REG_DWORD || value.data.size() != sizeof(std::uint32_t)) {
        return std::nullopt;
    }
    std::uint32_t number = 0;
    std::memcpy(&number, value.data.data(), sizeof number);
    return number;
}

std::string Describe(const std::optional<StoredValue>& value) {
    if (!value) {
        return "absent";
    }
    if (auto text = TextOf(*value)) {
        return "REG_SZ \"" + *text + "\"";
    }
    if (auto number = DwordOf(*value)) {
        return "REG_DWORD " + std::to_string(*number);
    }
    return "type " + std::to_string(value->type) + " with " + std::to_string(value->data.size()) +
           " bytes";
}

void PrintTo(const StoredValue& value, std::ostream* out) {
    *out << Describe(value);
}

RegKey& RegKey::operator=(RegKey&& other) noexcept {
    if (this != &other) {
        Close();
        key_ = other.release();
    }
    return *this;
}

std::optional<RegKey> RegKey::Open(HKEY root, std::string_view path, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, Widen(path).c_str(), 0, access, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return RegKey(key);
}

RegKey RegKey::Create(HKEY root, std::string_view path) {
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExW(root, Widen(path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                     nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) {
        throw HarnessError("creating the key " + std::string(path) +
                           " failed: " + StatusText(status));
    }
    return RegKey(key);
}

HKEY RegKey::release() {
    HKEY key = key_;
    key_ = nullptr;
    return key;
}

void RegKey::Close() {
    if (key_ != nullptr) {
        RegCloseKey(key_);
        key_ = nullptr;
    }
}

std::optional<StoredValue> ReadValue(HKEY root, std::string_view path, std::string_view name) {
    auto key = RegKey::Open(root, path, KEY_QUERY_VALUE);
    if (!key) {
        return std::nullopt;
    }
    return QueryValue(key->get(), Widen(name));
}

void WriteValue(HKEY root, std::string_view path, std::string_view name, const StoredValue& value) {
    RegKey key = RegKey::Create(root, path);
    SetValue(key.get(), Widen(name), value);
}

void DeleteValue(HKEY root, std::string_view path, std::string_view name) {
    if (auto key = RegKey::Open(root, path, KEY_SET_VALUE)) {
        RegDeleteValueW(key->get(), Widen(name).c_str());
    }
}

bool KeyExists(HKEY root, std::string_view path) {
    return RegKey::Open(root, path, KEY_QUERY_VALUE).has_value();
}

void DeleteKeyTree(HKEY root, std::string_view path) {
    if (!KeyExists(root, path)) {
        return;
    }
    LSTATUS status = RegDeleteTreeW(root, Widen(path).c_str());
    if (status != ERROR_SUCCESS) {
        throw HarnessError("deleting the key " + std::string(path) +
                           " failed: " + StatusText(status));
    }
}

}  // namespace e2e

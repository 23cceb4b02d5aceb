// The registry of the test prefix, seen from the driver: values as stored, keys, and the
// plain operations on them. Failures of the registry are HarnessErrors: tests fail loudly.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace e2e {

// A value as the registry holds it: its type code and its raw data.
struct StoredValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    bool operator==(const StoredValue&) const = default;
};

// REG_SZ holding `text` and its NUL.
StoredValue Sz(std::string_view text);
StoredValue Dword(std::uint32_t value);

// For failure messages: absent, REG_SZ "text", REG_DWORD 5, type 3 with 2 bytes.
std::string Describe(const std::optional<StoredValue>& value);
void PrintTo(const StoredValue& value, std::ostream* out);

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
// A move-only owner of an open key.
using RegKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

// The key below `parent`, or null when it cannot be opened with `access`.
[[nodiscard]] RegKey OpenKey(HKEY parent, const std::wstring& path, REGSAM access);
// The key, created with every missing level; a HarnessError when that fails.
[[nodiscard]] RegKey CreateKey(HKEY parent, const std::wstring& path);

// The value, or nothing when the key or the value is missing.
std::optional<StoredValue> ReadValue(HKEY root, std::string_view path, std::string_view name);
// Writes the value, creating the key; a HarnessError when the registry refuses.
void WriteValue(HKEY root, std::string_view path, std::string_view name, const StoredValue& value);
// Deletes the value; a missing key or value is no error.
void DeleteValue(HKEY root, std::string_view path, std::string_view name);
bool KeyExists(HKEY root, std::string_view path);
// Deletes the key with everything below it; a missing key is no error.
void DeleteKeyTree(HKEY root, std::string_view path);

// The same on an open key. Names are UTF-16 here, as the registry enumerates them.
std::optional<StoredValue> QueryValue(HKEY key, const std::wstring& name);
void SetValue(HKEY key, const std::wstring& name, const StoredValue& value);
std::vector<std::wstring> ValueNames(HKEY key);
std::vector<std::wstring> SubKeyNames(HKEY key);

}  // namespace e2e

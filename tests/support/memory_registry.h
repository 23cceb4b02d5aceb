// The registry in memory, for tests: keys by case-insensitive path under HKCU and HKLM, typed
// values, counted handles, read-only keys, and a journal of the changes that went through.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "registry/registry_api.h"

namespace support {

class MemoryRegistry final : public registry::RegistryApi {
public:
    using Key = registry::Key;
    using Status = registry::Status;
    using Bytes = std::vector<std::uint8_t>;

    registry::Opened OpenKey(Key parent, std::u16string_view path, std::uint32_t access) override;
    registry::Opened CreateKey(Key parent, std::u16string_view path, std::uint32_t access) override;
    registry::Queried QueryValue(Key key, std::u16string_view name,
                                 std::span<std::uint8_t> data) override;
    Status SetValue(Key key, std::u16string_view name, std::uint32_t type,
                    std::span<const std::uint8_t> data) override;
    Status DeleteValue(Key key, std::u16string_view name) override;
    Status DeleteKey(Key parent, std::u16string_view path) override;
    Status CloseKey(Key key) override;

    // Opening it or a key below for writing, or deleting one of them, is refused from now on.
    void SetReadOnly(Key root, std::string path_utf8);

    // Set up and read the store directly: no handles, no journal, no read-only check.
    void Seed(Key root, std::string path, std::string name, std::uint32_t type, Bytes data);
    void SeedDword(Key root, std::string path, std::string name, std::uint32_t value);
    void SeedText(Key root, std::string path, std::string name, std::string text);
    std::optional<std::pair<std::uint32_t, Bytes>> Stored(Key root, const std::string& path,
                                                          const std::string& name) const;
    bool HasKey(Key root, const std::string& path) const;
    int openHandles() const { return static_cast<int>(handles_.size()); }

    // "set HKCU\Software\X\Name = dword 1", "delete HKCU\...\Name", "delete key HKCU\...".
    std::vector<std::string> journal;

private:
    struct Value {
        std::string name;
        std::uint32_t type;
        Bytes data;
    };
    struct Node {
        std::string path;  // as first created, for the journal
        std::map<std::string, Value> values;
    };

    registry::Opened Open(Key parent, std::u16string_view path, std::uint32_t access, bool create);
    std::optional<std::string> Join(Key parent, std::u16string_view path) const;
    Node* Find(const std::string& path) const;
    Node& Make(const std::string& path);
    bool Locked(const std::string& path) const;
    Status Reach(Key key, std::uint32_t right, Node*& node) const;

    mutable std::map<std::string, Node> keys_{{"hkcu", {"HKCU", {}}}, {"hklm", {"HKLM", {}}}};
    std::map<Key, std::pair<std::string, std::uint32_t>> handles_;  // path and access
    std::vector<std::string> readOnly_;
    Key next_ = 0x1000;
};

}  // namespace support

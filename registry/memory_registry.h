// An in-memory registry with Windows semantics, for headless runs: two roots, case-insensitive
// key and value names, typed values, sub keys, per-handle access rights, a root that can refuse
// writes the way HKLM does without admin rights, and a journal of every call.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/registry_api.h"
#include "registry/variant.h"

namespace registry {

enum class RegistryOp {
    OpenKey,
    CreateKey,
    QueryValue,
    SetValue,
    DeleteValue,
    DeleteKey,
    CloseKey
};

// One call as the store saw it. `path` is the key's full path as named by the caller, rooted
// at "HKCU" or "HKLM" ("HKCU\Software\Microsoft"); `name` is the value name where one applies.
struct JournalEntry {
    RegistryOp op;
    std::string path;
    std::string name;
    std::uint32_t type = 0;  // SetValue: the type written; QueryValue: the type reported
    Bytes data;              // SetValue: the bytes written
    Status status = kSuccess;
    bool created = false;      // CreateKey: at least one key level did not exist before
    std::uint32_t access = 0;  // OpenKey, CreateKey: the rights asked for
    std::size_t capacity = 0;  // QueryValue: the size of the caller's buffer; 0 for a probe
};

struct StoredValue {
    std::uint32_t type = 0;
    Bytes data;
    friend bool operator==(const StoredValue&, const StoredValue&) = default;
};

class MemoryRegistry : public RegistryApi {
public:
    MemoryRegistry();
    ~MemoryRegistry() override;

    OpenResult OpenKey(RawKey parent, std::string_view subKey, std::uint32_t access) override;
    OpenResult CreateKey(RawKey parent, std::string_view subKey, std::uint32_t access) override;
    QueryResult QueryValue(RawKey key, std::string_view name,
                           std::span<std::uint8_t> data) override;
    Status SetValue(RawKey key, std::string_view name, std::uint32_t type,
                    std::span<const std::uint8_t> data) override;
    Status DeleteValue(RawKey key, std::string_view name) override;
    Status DeleteKey(RawKey parent, std::string_view subKey) override;
    Status CloseKey(RawKey key) override;
    // The store's code page is UTF-8 itself.
    std::string ToAnsi(std::string_view utf8) override { return std::string(utf8); }
    std::string FromAnsi(std::string_view ansi) override { return std::string(ansi); }

    // Refuses, like HKLM without admin rights: write access on open, creating keys, deleting
    // keys, and writes through any handle below `root`. Reads still work.
    void SetWritesRefused(RawKey root, bool refused);

    // Direct access for tests; none of these is journaled and none needs write rights.
    void PutKey(RawKey root, std::string_view path);
    void Put(RawKey root, std::string_view path, std::string_view name, std::uint32_t type,
             Bytes data);
    void PutText(RawKey root, std::string_view path, std::string_view name,
                 std::string_view text);  // REG_SZ with its NUL
    void PutDword(RawKey root, std::string_view path, std::string_view name, std::uint32_t value);
    std::optional<StoredValue> Get(RawKey root, std::string_view path, std::string_view name) const;
    // The text of a REG_SZ value without its NUL, or nothing when missing or of another type.
    std::optional<std::string> GetText(RawKey root, std::string_view path,
                                       std::string_view name) const;
    // The number of a 4-byte REG_DWORD value, or nothing.
    std::optional<std::uint32_t> GetDword(RawKey root, std::string_view path,
                                          std::string_view name) const;
    bool HasKey(RawKey root, std::string_view path) const;
    // Names of the values and of the sub keys of a key, as stored.
    std::vector<std::string> ValueNames(RawKey root, std::string_view path) const;
    std::vector<std::string> SubKeyNames(RawKey root, std::string_view path) const;

    const std::vector<JournalEntry>& journal() const { return journal_; }
    void ClearJournal() { journal_.clear(); }
    // The calls that changed the store: successful SetValue, DeleteValue and DeleteKey, and
    // CreateKey calls that created a key.
    std::vector<JournalEntry> Changes() const;
    // Handles opened and not yet closed.
    std::size_t openHandles() const;

private:
    struct Key;
    using KeyPtr = std::shared_ptr<Key>;
    // An open handle: the key it names (which may since have been deleted), the rights it was
    // opened with, and the path the caller named it by.
    struct OpenHandle {
        KeyPtr key;
        RawKey root = 0;
        std::uint32_t access = 0;
        std::string path;
    };
    // What `key` names: a root (with every right) or an open handle; nothing when unknown.
    std::optional<OpenHandle> Lookup(RawKey key) const;
    KeyPtr RootKey(RawKey root) const;
    bool Refused(RawKey root) const;
    RawKey AddHandle(OpenHandle handle);
    Key* Find(RawKey root, std::string_view path) const;
    Key& Make(RawKey root, std::string_view path);
    Status Record(JournalEntry entry);

    KeyPtr currentUser_;
    KeyPtr localMachine_;
    std::map<RawKey, OpenHandle> handles_;
    RawKey nextHandle_ = 0x100;
    bool currentUserRefused_ = false;
    bool localMachineRefused_ = false;
    std::vector<JournalEntry> journal_;
};

// The journal path of a root ("HKCU", "HKLM").
std::string RootName(RawKey root);

}  // namespace registry

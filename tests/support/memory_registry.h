// The registry in memory: keys as paths, counted handles, read-only keys, a journal.
#pragma once

#include <algorithm>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "registry/registry_api.h"
#include "registry/variant.h"
#include "toolkit/text.h"

namespace support {
namespace memory {
using namespace registry;

class MemoryRegistry final : public RegistryApi {
public:
    using Value = std::pair<std::uint32_t, Bytes>;  // type and data

    // A key is there while it or one below it is stored: creating a key creates every level.
    Opened OpenKey(Key root, std::u16string_view path, std::uint32_t access) override {
        const auto below = [&](auto& key) { return key.first.starts_with(Slot(root, path)); };
        return std::ranges::any_of(keys_, below) ? CreateKey(root, path, access)
                                                 : Opened{kFileNotFound, 0};
    }
    Opened CreateKey(Key root, std::u16string_view path, std::uint32_t access) override {
        if ((access & 0x6) != 0 && Locked(Slot(root, path))) {  // set value, create sub key
            return {kAccessDenied, 0};
        }
        keys_[handles_[next_] = Slot(root, path)];
        return {kSuccess, next_++};
    }
    Queried QueryValue(Key key, std::u16string_view name, std::span<std::uint8_t> data) override {
        const auto value = keys_[handles_.at(key)].find(std::u16string(name));
        if (value == keys_[handles_.at(key)].end()) {
            return {kFileNotFound, 0, 0};
        }
        const auto& [type, bytes] = value->second;
        const auto size = static_cast<std::uint32_t>(bytes.size());
        std::copy_n(bytes.begin(), data.size() >= size ? size : 0, data.begin());
        return {data.empty() || data.size() >= size ? kSuccess : kMoreData, type, size};
    }
    Status SetValue(Key key, std::u16string_view name, std::uint32_t type,
                    std::span<const std::uint8_t> data) override {
        const Value& value =
            keys_[handles_.at(key)][std::u16string(name)] = {type, {data.begin(), data.end()}};
        return Log(u"set " + handles_[key] + std::u16string(name) + u" = " + Describe(value));
    }
    Status DeleteValue(Key key, std::u16string_view name) override {
        return keys_[handles_.at(key)].erase(std::u16string(name))
                   ? Log(u"delete " + handles_.at(key) + std::u16string(name))
                   : kFileNotFound;
    }
    Enumerated EnumValue(Key key, std::uint32_t index) override {
        const auto& values = keys_[handles_.at(key)];
        return index < values.size() ? Enumerated{kSuccess, std::next(values.begin(), index)->first}
                                     : Enumerated{kNoMoreItems, {}};
    }
    Status DeleteKey(Key root, std::u16string_view path) override {
        const std::u16string top = Slot(root, path);
        const auto next = keys_.upper_bound(top);  // the first key below it, if any
        if (Locked(top) || (next != keys_.end() && next->first.starts_with(top))) {
            return kAccessDenied;  // as for a key with sub keys
        }
        return keys_.erase(top) ? Log(u"delete key " + top.substr(0, top.size() - 1))
                                : kFileNotFound;
    }
    Status CloseKey(Key key) override { return handles_.erase(key) ? kSuccess : 6; }

    // Opening it or a key below for writing, or deleting one of them, is refused from now on.
    void SetReadOnly(Key root, std::u16string_view path) { readOnly_.push_back(Slot(root, path)); }
    // Set up the store directly: no handles, no journal, no read-only check.
    void Seed(Key root, std::u16string_view path, std::u16string_view name, std::uint32_t type,
              Bytes data) {
        keys_[Slot(root, path)][std::u16string(name)] = {type, std::move(data)};
    }
    // Stores "dword N" or "sz TEXT"; anything else stores nothing.
    void Seed(Key root, std::u16string_view path, std::u16string_view name, std::u16string seed) {
        if (seed.starts_with(u"dword ")) {
            const auto number =
                static_cast<std::uint32_t>(std::stoul(std::string(seed.begin() + 6, seed.end())));
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(&number);
            Seed(root, path, name, kRegDword, Bytes(bytes, bytes + 4));
        } else if (seed.starts_with(u"sz ")) {
            const std::u16string text = seed.substr(3) + u'\0';
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
            Seed(root, path, name, kRegSz, Bytes(bytes, bytes + text.size() * 2));
        }
    }
    int openHandles() const { return static_cast<int>(handles_.size()); }

    // "set HKCU\X\Name = dword 1", "... = sz \"text\"", "delete HKCU\X\Name", "delete key HKCU\X"
    std::vector<std::u16string> journal;

private:
    // The key's path closed by a separator, so that the paths below start with it.
    static std::u16string Slot(Key root, std::u16string_view path) {
        return (root == kCurrentUser ? u"HKCU\\" : u"HKLM\\") + std::u16string(path) + u"\\";
    }
    static std::u16string Describe(const Value& value) {  // "sz \"text\"", "dword 1" or "type 3"
        const auto& [type, data] = value;
        const std::u16string text = ToText(data);
        std::uint32_t number = 0;
        std::copy_n(data.begin(), std::min<std::size_t>(data.size(), 4),
                    reinterpret_cast<std::uint8_t*>(&number));
        return type == kRegSz      ? u"sz \"" + text.substr(0, text.find(u'\0')) + u"\""
               : type == kRegDword ? u"dword " + toolkit::Decimal(number)
                                   : u"type " + toolkit::Decimal(type);
    }
    bool Locked(const std::u16string& slot) const {
        return std::ranges::any_of(readOnly_, [&](auto& top) { return slot.starts_with(top); });
    }
    Status Log(std::u16string line) {
        journal.push_back(std::move(line));
        return kSuccess;
    }

    std::map<std::u16string, std::map<std::u16string, Value>> keys_;  // by slot, then name
    std::map<Key, std::u16string> handles_;                           // to the slot
    std::vector<std::u16string> readOnly_;                            // slots
    Key next_ = 0x1000;
};

}  // namespace memory
using memory::MemoryRegistry;
}  // namespace support

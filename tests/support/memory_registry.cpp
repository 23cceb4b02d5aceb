#include "tests/support/memory_registry.h"

#include <algorithm>
#include <sstream>

#include "toolkit/text.h"

namespace support {

using namespace registry;
using toolkit::ToUtf16;
using toolkit::ToUtf8;

namespace {

constexpr Status kInvalidHandle = 6;
constexpr std::uint32_t kSetValue = 0x2;
constexpr std::uint32_t kWriteRights = 0x6;  // set value, create sub key

std::string Fold(std::string text) {
    for (char& c : text) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return text;
}

std::string Describe(std::uint32_t type, const MemoryRegistry::Bytes& data) {
    if (type == kRegDword && data.size() == 4) {
        return "dword " + std::to_string(data[0] | data[1] << 8 | data[2] << 16 |
                                         std::uint32_t{data[3]} << 24);
    }
    if (type == kRegSz) {
        std::u16string text(data.size() / 2, u'\0');
        std::copy_n(data.begin(), text.size() * 2, reinterpret_cast<std::uint8_t*>(text.data()));
        return "sz \"" + ToUtf8(text.substr(0, text.find(u'\0'))) + "\"";
    }
    return "type " + std::to_string(type) + ", " + std::to_string(data.size()) + " bytes";
}

}  // namespace

std::optional<std::string> MemoryRegistry::Join(Key parent, std::u16string_view path) const {
    const auto handle = handles_.find(parent);
    if (parent != kCurrentUser && parent != kLocalMachine && handle == handles_.end()) {
        return std::nullopt;
    }
    std::string full = parent == kCurrentUser    ? "HKCU"
                       : parent == kLocalMachine ? "HKLM"
                                                 : handle->second.first;
    std::istringstream parts(ToUtf8(path));
    for (std::string part; std::getline(parts, part, '\\');) {
        full += part.empty() ? "" : "\\" + part;
    }
    return full;
}

MemoryRegistry::Node* MemoryRegistry::Find(const std::string& path) const {
    const auto it = keys_.find(Fold(path));
    return it == keys_.end() ? nullptr : &it->second;
}

MemoryRegistry::Node& MemoryRegistry::Make(const std::string& path) {
    for (auto at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1)) {
        keys_.try_emplace(Fold(path.substr(0, at)), Node{path.substr(0, at), {}});
    }
    return keys_.try_emplace(Fold(path), Node{path, {}}).first->second;
}

bool MemoryRegistry::Locked(const std::string& path) const {
    const std::string folded = Fold(path);
    return std::any_of(readOnly_.begin(), readOnly_.end(), [&](const std::string& top) {
        return folded == top || folded.starts_with(top + "\\");
    });
}

Status MemoryRegistry::Reach(Key key, std::uint32_t right, Node*& node) const {
    const auto handle = handles_.find(key);
    if (handle == handles_.end() || (handle->second.second & right) == 0) {
        return handle == handles_.end() ? kInvalidHandle : kAccessDenied;
    }
    node = Find(handle->second.first);
    return node != nullptr ? kSuccess : kFileNotFound;
}

Opened MemoryRegistry::Open(Key parent, std::u16string_view path, std::uint32_t access,
                            bool create) {
    const auto full = Join(parent, path);
    const Node* node = full ? Find(*full) : nullptr;
    if (!full || (node == nullptr && !create)) {
        return {full ? kFileNotFound : kInvalidHandle, 0};
    }
    // Adding a missing key is a write, whatever access the create asks for.
    if (Locked(*full) && ((access & kWriteRights) != 0 || node == nullptr)) {
        return {kAccessDenied, 0};
    }
    handles_[next_] = {node != nullptr ? node->path : Make(*full).path, access};
    return {kSuccess, next_++};
}

Opened MemoryRegistry::OpenKey(Key parent, std::u16string_view path, std::uint32_t access) {
    return Open(parent, path, access, false);
}

Opened MemoryRegistry::CreateKey(Key parent, std::u16string_view path, std::uint32_t access) {
    return Open(parent, path, access, true);
}

Queried MemoryRegistry::QueryValue(Key key, std::u16string_view name,
                                   std::span<std::uint8_t> data) {
    Node* node = nullptr;
    if (const Status status = Reach(key, kQueryValue, node); status != kSuccess) {
        return {status, 0, 0};
    }
    const auto found = node->values.find(Fold(ToUtf8(name)));
    if (found == node->values.end()) {
        return {kFileNotFound, 0, 0};
    }
    const Value& value = found->second;
    const auto size = static_cast<std::uint32_t>(value.data.size());
    if (!data.empty() && data.size() < size) {
        return {kMoreData, value.type, size};
    }
    std::copy_n(value.data.begin(), data.empty() ? 0 : size, data.begin());
    return {kSuccess, value.type, size};
}

Status MemoryRegistry::SetValue(Key key, std::u16string_view name, std::uint32_t type,
                                std::span<const std::uint8_t> data) {
    Node* node = nullptr;
    if (const Status status = Reach(key, kSetValue, node); status != kSuccess) {
        return status;
    }
    const std::string text = ToUtf8(name);
    const Value& value = node->values[Fold(text)] = {text, type, {data.begin(), data.end()}};
    journal.push_back("set " + node->path + "\\" + text + " = " + Describe(type, value.data));
    return kSuccess;
}

Status MemoryRegistry::DeleteValue(Key key, std::u16string_view name) {
    Node* node = nullptr;
    const std::string text = ToUtf8(name);
    const Status status = Reach(key, kSetValue, node);
    if (status != kSuccess || node->values.erase(Fold(text)) == 0) {
        return status != kSuccess ? status : kFileNotFound;
    }
    journal.push_back("delete " + node->path + "\\" + text);
    return kSuccess;
}

Status MemoryRegistry::DeleteKey(Key parent, std::u16string_view path) {
    const auto full = Join(parent, path);
    const auto key = full ? keys_.find(Fold(*full)) : keys_.end();
    if (key == keys_.end()) {
        return full ? kFileNotFound : kInvalidHandle;
    }
    const auto below = keys_.lower_bound(key->first + "\\");
    const bool hasSubKeys = below != keys_.end() && below->first.starts_with(key->first + "\\");
    if (hasSubKeys || Locked(*full) || full->find('\\') == std::string::npos) {
        return kAccessDenied;  // as for a root
    }
    journal.push_back("delete key " + key->second.path);
    keys_.erase(key);
    return kSuccess;
}

Status MemoryRegistry::CloseKey(Key key) {
    return handles_.erase(key) == 1 ? kSuccess : kInvalidHandle;
}

void MemoryRegistry::SetReadOnly(Key root, std::string path_utf8) {
    readOnly_.push_back(Fold(Join(root, ToUtf16(path_utf8)).value()));
}

void MemoryRegistry::Seed(Key root, std::string path, std::string name, std::uint32_t type,
                          Bytes data) {
    Make(Join(root, ToUtf16(path)).value()).values[Fold(name)] = {name, type, std::move(data)};
}

void MemoryRegistry::SeedDword(Key root, std::string path, std::string name, std::uint32_t value) {
    Seed(root, std::move(path), std::move(name), kRegDword,
         {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
}

void MemoryRegistry::SeedText(Key root, std::string path, std::string name, std::string text) {
    const std::u16string units = ToUtf16(text) + u'\0';
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(units.data());
    Seed(root, std::move(path), std::move(name), kRegSz, Bytes(bytes, bytes + units.size() * 2));
}

std::optional<std::pair<std::uint32_t, MemoryRegistry::Bytes>> MemoryRegistry::Stored(
    Key root, const std::string& path, const std::string& name) const {
    const Node* node = Find(Join(root, ToUtf16(path)).value());
    if (node == nullptr || !node->values.contains(Fold(name))) {
        return std::nullopt;
    }
    const Value& value = node->values.at(Fold(name));
    return std::pair{value.type, value.data};
}

bool MemoryRegistry::HasKey(Key root, const std::string& path) const {
    return Find(Join(root, ToUtf16(path)).value()) != nullptr;
}

}  // namespace support

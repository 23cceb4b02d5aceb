#include "registry/memory_registry.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace registry {

namespace {

// Rights that change something; a root that refuses writes refuses a handle asking for any.
constexpr std::uint32_t kWriteRights = 0x2 | 0x4 | 0x20 | 0x10000 | 0x40000 | 0x80000;
constexpr std::uint32_t kSetValueRight = 0x2;

// Names compare without regard to ASCII case, as the registry's do.
std::string Fold(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return folded;
}

// The levels of a key path; empty levels ("a\\\\b", a trailing backslash) are skipped.
std::vector<std::string_view> Levels(std::string_view path) {
    std::vector<std::string_view> levels;
    std::size_t start = 0;
    while (start <= path.size()) {
        const auto end = std::min(path.find('\\', start), path.size());
        if (end > start) {
            levels.push_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return levels;
}

bool StartsWithBackslash(std::string_view path) {
    return !path.empty() && path.front() == '\\';
}

std::string JoinPath(const std::string& parent, std::string_view subKey) {
    return subKey.empty() ? parent : parent + "\\" + std::string(subKey);
}

JournalEntry Entry(RegistryOp op, std::string path, std::string name = {}) {
    JournalEntry entry;
    entry.op = op;
    entry.path = std::move(path);
    entry.name = std::move(name);
    return entry;
}

bool IsStringType(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

}  // namespace

struct MemoryRegistry::Key {
    struct NamedValue {
        std::string name;  // as first written
        StoredValue value;
    };

    std::string name;
    Key* parent = nullptr;  // nullptr for a root and for a deleted key
    bool deleted = false;
    std::map<std::string, NamedValue> values;  // by folded name
    std::map<std::string, KeyPtr> children;    // by folded name

    Key* Child(std::string_view childName) const {
        const auto found = children.find(Fold(childName));
        return found == children.end() ? nullptr : found->second.get();
    }
    Key& AddChild(std::string_view childName) {
        auto& slot = children[Fold(childName)];
        if (!slot) {
            slot = std::make_shared<Key>();
            slot->name = std::string(childName);
            slot->parent = this;
        }
        return *slot;
    }
    KeyPtr Share(std::string_view childName) const {
        const auto found = children.find(Fold(childName));
        return found == children.end() ? nullptr : found->second;
    }
};

std::string RootName(RawKey root) {
    switch (root) {
        case kCurrentUser:
            return "HKCU";
        case kLocalMachine:
            return "HKLM";
        default:
            return "?";
    }
}

MemoryRegistry::MemoryRegistry()
    : currentUser_(std::make_shared<Key>()), localMachine_(std::make_shared<Key>()) {
    currentUser_->name = RootName(kCurrentUser);
    localMachine_->name = RootName(kLocalMachine);
}

MemoryRegistry::~MemoryRegistry() = default;

MemoryRegistry::KeyPtr MemoryRegistry::RootKey(RawKey root) const {
    if (root == kCurrentUser) {
        return currentUser_;
    }
    if (root == kLocalMachine) {
        return localMachine_;
    }
    return nullptr;
}

bool MemoryRegistry::Refused(RawKey root) const {
    return (root == kCurrentUser && currentUserRefused_) ||
           (root == kLocalMachine && localMachineRefused_);
}

std::optional<MemoryRegistry::OpenHandle> MemoryRegistry::Lookup(RawKey key) const {
    if (auto root = RootKey(key)) {
        return OpenHandle{std::move(root), key, ~std::uint32_t{0}, RootName(key)};
    }
    const auto found = handles_.find(key);
    if (found == handles_.end()) {
        return std::nullopt;
    }
    return found->second;
}

RawKey MemoryRegistry::AddHandle(OpenHandle handle) {
    const RawKey key = nextHandle_;
    nextHandle_ += 4;
    handles_.emplace(key, std::move(handle));
    return key;
}

Status MemoryRegistry::Record(JournalEntry entry) {
    const Status status = entry.status;
    journal_.push_back(std::move(entry));
    return status;
}

OpenResult MemoryRegistry::OpenKey(RawKey parent, std::string_view subKey, std::uint32_t access) {
    const auto from = Lookup(parent);
    auto entry = Entry(RegistryOp::OpenKey, from ? JoinPath(from->path, subKey) : "", "");
    entry.access = access;
    const auto finish = [&](Status status, RawKey key = 0) {
        entry.status = status;
        Record(std::move(entry));
        return OpenResult{status, status == kSuccess ? key : 0};
    };
    if (!from) {
        return finish(kInvalidHandle);
    }
    if (from->key->deleted) {
        return finish(kKeyDeleted);
    }
    if (StartsWithBackslash(subKey)) {
        return finish(kBadPathname);
    }
    KeyPtr target = from->key;
    for (const auto level : Levels(subKey)) {
        target = target->Share(level);
        if (!target) {
            return finish(kFileNotFound);
        }
    }
    if (Refused(from->root) && (access & kWriteRights) != 0) {
        return finish(kAccessDenied);
    }
    if (target == RootKey(parent)) {
        return finish(kSuccess, parent);  // the root itself: always open, never a new handle
    }
    return finish(kSuccess, AddHandle({target, from->root, access, entry.path}));
}

OpenResult MemoryRegistry::CreateKey(RawKey parent, std::string_view subKey, std::uint32_t access) {
    const auto from = Lookup(parent);
    auto entry = Entry(RegistryOp::CreateKey, from ? JoinPath(from->path, subKey) : "", "");
    entry.access = access;
    const auto finish = [&](Status status, RawKey key = 0) {
        entry.status = status;
        Record(std::move(entry));
        return OpenResult{status, status == kSuccess ? key : 0};
    };
    if (!from) {
        return finish(kInvalidHandle);
    }
    if (from->key->deleted) {
        return finish(kKeyDeleted);
    }
    if (StartsWithBackslash(subKey)) {
        return finish(kBadPathname);
    }
    const auto levels = Levels(subKey);
    KeyPtr target = from->key;
    std::size_t existing = 0;
    while (existing < levels.size()) {
        auto next = target->Share(levels[existing]);
        if (!next) {
            break;
        }
        target = std::move(next);
        ++existing;
    }
    const bool creates = existing < levels.size();
    if (Refused(from->root) && (creates || (access & kWriteRights) != 0)) {
        return finish(kAccessDenied);
    }
    for (std::size_t i = existing; i < levels.size(); ++i) {
        target->AddChild(levels[i]);
        target = target->Share(levels[i]);
    }
    entry.created = creates;
    return finish(kSuccess, AddHandle({target, from->root, access, entry.path}));
}

QueryResult MemoryRegistry::QueryValue(RawKey key, std::string_view name,
                                       std::span<std::uint8_t> data) {
    const auto handle = Lookup(key);
    auto entry = Entry(RegistryOp::QueryValue, handle ? handle->path : "", std::string(name));
    entry.capacity = data.size();
    const auto finish = [&](QueryResult result) {
        if (result.status != kSuccess && result.status != kMoreData) {
            result.type = 0;
            result.size = 0;
        }
        entry.status = result.status;
        entry.type = result.type;
        Record(std::move(entry));
        return result;
    };
    if (!handle) {
        return finish({kInvalidHandle});
    }
    if (handle->key->deleted) {
        return finish({kKeyDeleted});
    }
    if ((handle->access & kQueryValue) == 0) {
        return finish({kAccessDenied});
    }
    const auto found = handle->key->values.find(Fold(name));
    if (found == handle->key->values.end()) {
        return finish({kFileNotFound});
    }
    const StoredValue& value = found->second.value;
    Bytes shown = value.data;
    if (IsStringType(value.type) && !shown.empty() && shown.back() != 0) {
        shown.push_back(0);  // text is read with its NUL, added when it was stored without
    }
    const auto size = static_cast<std::uint32_t>(shown.size());
    if (data.empty()) {
        return finish({kSuccess, value.type, size});
    }
    if (data.size() < shown.size()) {
        return finish({kMoreData, value.type, size});
    }
    std::copy(shown.begin(), shown.end(), data.begin());
    return finish({kSuccess, value.type, size});
}

Status MemoryRegistry::SetValue(RawKey key, std::string_view name, std::uint32_t type,
                                std::span<const std::uint8_t> data) {
    const auto handle = Lookup(key);
    auto entry = Entry(RegistryOp::SetValue, handle ? handle->path : "", std::string(name));
    entry.type = type;
    entry.data.assign(data.begin(), data.end());
    if (!handle) {
        entry.status = kInvalidHandle;
    } else if (handle->key->deleted) {
        entry.status = kKeyDeleted;
    } else if (Refused(handle->root) || (handle->access & kSetValueRight) == 0) {
        entry.status = kAccessDenied;
    } else {
        auto& slot = handle->key->values[Fold(name)];
        if (slot.name.empty()) {
            slot.name = std::string(name);
        }
        slot.value = StoredValue{type, entry.data};
    }
    return Record(std::move(entry));
}

Status MemoryRegistry::DeleteValue(RawKey key, std::string_view name) {
    const auto handle = Lookup(key);
    auto entry = Entry(RegistryOp::DeleteValue, handle ? handle->path : "", std::string(name));
    if (!handle) {
        entry.status = kInvalidHandle;
    } else if (handle->key->deleted) {
        entry.status = kKeyDeleted;
    } else if (Refused(handle->root) || (handle->access & kSetValueRight) == 0) {
        entry.status = kAccessDenied;
    } else if (handle->key->values.erase(Fold(name)) == 0) {
        entry.status = kFileNotFound;
    }
    return Record(std::move(entry));
}

Status MemoryRegistry::DeleteKey(RawKey parent, std::string_view subKey) {
    const auto from = Lookup(parent);
    auto entry = Entry(RegistryOp::DeleteKey, from ? JoinPath(from->path, subKey) : "", "");
    const auto finish = [&](Status status) {
        entry.status = status;
        return Record(std::move(entry));
    };
    if (!from) {
        return finish(kInvalidHandle);
    }
    if (from->key->deleted) {
        return finish(kKeyDeleted);
    }
    if (StartsWithBackslash(subKey)) {
        return finish(kBadPathname);
    }
    Key* target = from->key.get();
    for (const auto level : Levels(subKey)) {
        target = target->Child(level);
        if (target == nullptr) {
            return finish(kFileNotFound);
        }
    }
    // A root cannot go, nor can a key that still has sub keys.
    if (target->parent == nullptr || !target->children.empty() || Refused(from->root)) {
        return finish(kAccessDenied);
    }
    // Handles still open on the key keep it alive, marked deleted.
    target->deleted = true;
    Key* owner = std::exchange(target->parent, nullptr);
    owner->children.erase(Fold(target->name));
    return finish(kSuccess);
}

Status MemoryRegistry::CloseKey(RawKey key) {
    const auto handle = Lookup(key);
    auto entry = Entry(RegistryOp::CloseKey, handle ? handle->path : "", "");
    if (!handle) {
        entry.status = kInvalidHandle;
    } else {
        handles_.erase(key);  // a root is not in the table: it stays open
    }
    return Record(std::move(entry));
}

void MemoryRegistry::SetWritesRefused(RawKey root, bool refused) {
    if (root == kCurrentUser) {
        currentUserRefused_ = refused;
    } else if (root == kLocalMachine) {
        localMachineRefused_ = refused;
    }
}

MemoryRegistry::Key* MemoryRegistry::Find(RawKey root, std::string_view path) const {
    Key* key = RootKey(root).get();
    for (const auto level : Levels(path)) {
        if (key == nullptr) {
            break;
        }
        key = key->Child(level);
    }
    return key;
}

MemoryRegistry::Key& MemoryRegistry::Make(RawKey root, std::string_view path) {
    Key* key = RootKey(root).get();
    if (key == nullptr) {
        throw std::invalid_argument("not a registry root: " + std::to_string(root));
    }
    for (const auto level : Levels(path)) {
        key = &key->AddChild(level);
    }
    return *key;
}

void MemoryRegistry::PutKey(RawKey root, std::string_view path) {
    Make(root, path);
}

void MemoryRegistry::Put(RawKey root, std::string_view path, std::string_view name,
                         std::uint32_t type, Bytes data) {
    auto& slot = Make(root, path).values[Fold(name)];
    if (slot.name.empty()) {
        slot.name = std::string(name);
    }
    slot.value = StoredValue{type, std::move(data)};
}

void MemoryRegistry::PutText(RawKey root, std::string_view path, std::string_view name,
                             std::string_view text) {
    Bytes data(text.begin(), text.end());
    data.push_back(0);
    Put(root, path, name, kRegSz, std::move(data));
}

void MemoryRegistry::PutDword(RawKey root, std::string_view path, std::string_view name,
                              std::uint32_t value) {
    Put(root, path, name, kRegDword,
        Bytes{static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
              static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
}

std::optional<StoredValue> MemoryRegistry::Get(RawKey root, std::string_view path,
                                               std::string_view name) const {
    const Key* key = Find(root, path);
    if (key == nullptr) {
        return std::nullopt;
    }
    const auto found = key->values.find(Fold(name));
    if (found == key->values.end()) {
        return std::nullopt;
    }
    return found->second.value;
}

std::optional<std::string> MemoryRegistry::GetText(RawKey root, std::string_view path,
                                                   std::string_view name) const {
    const auto value = Get(root, path, name);
    if (!value || value->type != kRegSz) {
        return std::nullopt;
    }
    std::string text(value->data.begin(), value->data.end());
    if (!text.empty() && text.back() == '\0') {
        text.pop_back();
    }
    return text;
}

std::optional<std::uint32_t> MemoryRegistry::GetDword(RawKey root, std::string_view path,
                                                      std::string_view name) const {
    const auto value = Get(root, path, name);
    if (!value || value->type != kRegDword || value->data.size() != 4) {
        return std::nullopt;
    }
    const auto& d = value->data;
    return static_cast<std::uint32_t>(d[0]) | static_cast<std::uint32_t>(d[1]) << 8 |
           static_cast<std::uint32_t>(d[2]) << 16 | static_cast<std::uint32_t>(d[3]) << 24;
}

bool MemoryRegistry::HasKey(RawKey root, std::string_view path) const {
    return Find(root, path) != nullptr;
}

std::vector<std::string> MemoryRegistry::ValueNames(RawKey root, std::string_view path) const {
    std::vector<std::string> names;
    if (const Key* key = Find(root, path)) {
        for (const auto& [folded, value] : key->values) {
            names.push_back(value.name);
        }
    }
    return names;
}

std::vector<std::string> MemoryRegistry::SubKeyNames(RawKey root, std::string_view path) const {
    std::vector<std::string> names;
    if (const Key* key = Find(root, path)) {
        for (const auto& [folded, child] : key->children) {
            names.push_back(child->name);
        }
    }
    return names;
}

std::vector<JournalEntry> MemoryRegistry::Changes() const {
    std::vector<JournalEntry> changes;
    for (const auto& entry : journal_) {
        const bool changed =
            entry.status == kSuccess &&
            (entry.op == RegistryOp::SetValue || entry.op == RegistryOp::DeleteValue ||
             entry.op == RegistryOp::DeleteKey ||
             (entry.op == RegistryOp::CreateKey && entry.created));
        if (changed) {
            changes.push_back(entry);
        }
    }
    return changes;
}

std::size_t MemoryRegistry::openHandles() const {
    return handles_.size();
}

}  // namespace registry

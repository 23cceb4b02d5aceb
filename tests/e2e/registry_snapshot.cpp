#include "tests/e2e/registry_snapshot.h"

#include <gtest/gtest.h>

#include <exception>

#include "tests/e2e/text_convert.h"

namespace e2e {

struct RegistrySnapshot::Tree {
    struct Value {
        std::wstring name;
        StoredValue value;
    };
    struct SubKey;
    std::vector<Value> values;
    std::vector<SubKey> subKeys;
};

struct RegistrySnapshot::Tree::SubKey {
    std::wstring name;
    Tree tree;
};

namespace {

using Tree = RegistrySnapshot::Tree;

Tree ReadTree(HKEY key) {
    Tree tree;
    for (auto& name : ValueNames(key)) {
        if (auto value = QueryValue(key, name)) {
            tree.values.push_back({std::move(name), std::move(*value)});
        }
    }
    for (auto& name : SubKeyNames(key)) {
        if (const RegKey sub = OpenKey(key, name, KEY_READ)) {
            tree.subKeys.push_back({std::move(name), ReadTree(sub.get())});
        }
    }
    return tree;
}

std::unique_ptr<Tree> ReadTreeAt(HKEY root, const std::string& path) {
    if (const RegKey key = OpenKey(root, Widen(path), KEY_READ)) {
        return std::make_unique<Tree>(ReadTree(key.get()));
    }
    return nullptr;
}

template <class Item>
const Item* Named(const std::vector<Item>& items, std::wstring_view name) {
    for (const auto& item : items) {
        if (item.name == name) {
            return &item;
        }
    }
    return nullptr;
}

void Compare(const std::string& path, const Tree& was, const Tree& now,
             std::vector<std::string>& changes) {
    for (const auto& value : was.values) {
        const auto* current = Named(now.values, value.name);
        if (current == nullptr || current->value != value.value) {
            changes.push_back(path + "\\" + Narrow(value.name) + ": was " + Describe(value.value) +
                              ", now " +
                              Describe(current ? std::optional(current->value) : std::nullopt));
        }
    }
    for (const auto& value : now.values) {
        if (Named(was.values, value.name) == nullptr) {
            changes.push_back(path + "\\" + Narrow(value.name) + ": added as " +
                              Describe(value.value));
        }
    }
    for (const auto& sub : was.subKeys) {
        const std::string subPath = path + "\\" + Narrow(sub.name);
        if (const auto* current = Named(now.subKeys, sub.name)) {
            Compare(subPath, sub.tree, current->tree, changes);
        } else {
            changes.push_back(subPath + ": key deleted");
        }
    }
    for (const auto& sub : now.subKeys) {
        if (Named(was.subKeys, sub.name) == nullptr) {
            changes.push_back(path + "\\" + Narrow(sub.name) + ": key added");
        }
    }
}

// Writes `tree` into the open key, which is empty.
void WriteTree(HKEY key, const Tree& tree) {
    for (const auto& value : tree.values) {
        SetValue(key, value.name, value.value);
    }
    for (const auto& sub : tree.subKeys) {
        WriteTree(CreateKey(key, sub.name).get(), sub.tree);
    }
}

}  // namespace

RegistrySnapshot::RegistrySnapshot(HKEY root, std::string path)
    : root_(root), path_(std::move(path)), tree_(ReadTreeAt(root_, path_)) {}

RegistrySnapshot::RegistrySnapshot(RegistrySnapshot&&) noexcept = default;
RegistrySnapshot& RegistrySnapshot::operator=(RegistrySnapshot&&) noexcept = default;
RegistrySnapshot::~RegistrySnapshot() = default;

std::vector<std::string> RegistrySnapshot::Changes() const {
    std::vector<std::string> changes;
    const auto now = ReadTreeAt(root_, path_);
    if (tree_ && now) {
        Compare(path_, *tree_, *now, changes);
    } else if (tree_ || now) {
        changes.push_back(path_ + (now ? ": key added" : ": key deleted"));
    }
    return changes;
}

void RegistrySnapshot::Restore() const {
    // Unless nothing changed, the simplest way to exactly what was there is from nothing.
    if (Changes().empty()) {
        return;
    }
    DeleteKeyTree(root_, path_);
    if (tree_) {
        WriteTree(CreateKey(root_, Widen(path_)).get(), *tree_);
    }
}

RegistryTreeGuard::~RegistryTreeGuard() {
    try {
        snapshot_.Restore();
    } catch (const std::exception& error) {
        ADD_FAILURE() << "putting back a key tree: " << error.what();
    }
}

}  // namespace e2e

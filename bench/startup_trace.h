// One start-up's registry traffic as data: the modRegistry calls it makes, recovered from the
// in-memory store's journal, and the store's contents, so the same start-up can be replayed on
// another backend.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "bench/headless_window.h"
#include "registry/memory_registry.h"
#include "registry/variant.h"

namespace bench {

struct RegistryCall {
    enum class Op { Get, Set, DeleteValue, DeleteKey };
    Op op = Op::Get;
    std::uint32_t root = 0;
    std::string path;  // relative to the root
    std::string name;
    registry::Variant value;  // Set: what is written
    std::uint32_t type = 0;   // Set: the type code
};

// "HKCU\Software\x" as its root and "Software\x".
inline std::pair<std::uint32_t, std::string> SplitJournalPath(std::string_view path) {
    const auto slash = path.find('\\');
    const std::string_view root = path.substr(0, slash);
    const std::string rest(slash == std::string_view::npos ? "" : path.substr(slash + 1));
    if (root == "HKCU") {
        return {static_cast<std::uint32_t>(registry::kCurrentUser), rest};
    }
    if (root == "HKLM") {
        return {static_cast<std::uint32_t>(registry::kLocalMachine), rest};
    }
    throw std::invalid_argument("not a journal path: " + std::string(path));
}

// The value a SetValue entry wrote, as the program would hand it to the layer.
inline registry::Variant WrittenValue(const registry::JournalEntry& entry) {
    if (entry.type == registry::kRegDword && entry.data.size() == 4) {
        const auto bits = static_cast<std::uint32_t>(entry.data[0]) |
                          static_cast<std::uint32_t>(entry.data[1]) << 8 |
                          static_cast<std::uint32_t>(entry.data[2]) << 16 |
                          static_cast<std::uint32_t>(entry.data[3]) << 24;
        return static_cast<std::int32_t>(bits);
    }
    if (entry.type == registry::kRegSz) {
        std::string text(entry.data.begin(), entry.data.end());
        if (!text.empty() && text.back() == '\0') {
            text.pop_back();
        }
        return text;
    }
    return entry.data;
}

// The layer's calls behind a journal. Each operation of the layer starts with an open, a
// create or a key deletion and ends with its close, so the journal splits at those.
inline std::vector<RegistryCall> CallsFromJournal(const std::vector<registry::JournalEntry>& log) {
    using registry::RegistryOp;
    std::vector<RegistryCall> calls;
    for (const auto& entry : log) {
        switch (entry.op) {
            case RegistryOp::OpenKey: {
                auto [root, path] = SplitJournalPath(entry.path);
                RegistryCall call;
                call.op = entry.access == registry::kQueryValue ? RegistryCall::Op::Get
                                                                : RegistryCall::Op::DeleteValue;
                call.root = root;
                call.path = std::move(path);
                calls.push_back(std::move(call));
                break;
            }
            case RegistryOp::CreateKey: {
                auto [root, path] = SplitJournalPath(entry.path);
                RegistryCall call;
                call.op = RegistryCall::Op::Set;
                call.root = root;
                call.path = std::move(path);
                calls.push_back(std::move(call));
                break;
            }
            case RegistryOp::DeleteKey: {
                auto [root, path] = SplitJournalPath(entry.path);
                RegistryCall call;
                call.op = RegistryCall::Op::DeleteKey;
                call.root = root;
                call.path = std::move(path);
                calls.push_back(std::move(call));
                break;
            }
            case RegistryOp::QueryValue:
            case RegistryOp::DeleteValue:
                if (!calls.empty()) {
                    calls.back().name = entry.name;
                }
                break;
            case RegistryOp::SetValue:
                if (!calls.empty()) {
                    calls.back().name = entry.name;
                    calls.back().type = entry.type;
                    calls.back().value = WrittenValue(entry);
                }
                break;
            case RegistryOp::CloseKey:
                break;
        }
    }
    return calls;
}

// A stored value with its place.
struct StoredEntry {
    std::uint32_t root = 0;
    std::string path;
    std::string name;
    registry::StoredValue value;
};

// Every value of the store, depth first; keys without values are left out.
inline std::vector<StoredEntry> Snapshot(const registry::MemoryRegistry& store) {
    std::vector<StoredEntry> entries;
    const auto walk = [&](auto& self, std::uint32_t root, const std::string& path) -> void {
        for (const auto& name : store.ValueNames(root, path)) {
            entries.push_back({root, path, name, *store.Get(root, path, name)});
        }
        for (const auto& child : store.SubKeyNames(root, path)) {
            self(self, root, path.empty() ? child : path + "\\" + child);
        }
    };
    for (const auto root : {registry::kCurrentUser, registry::kLocalMachine}) {
        walk(walk, static_cast<std::uint32_t>(root), "");
    }
    return entries;
}

// A browser whose version passes the gate, with the toolbar policy on: the start-up that
// does the most (all 24 toolbar values read and written back).
inline void SeedToolbarOn(registry::MemoryRegistry& store) {
    store.PutText(registry::kLocalMachine, "Software\\Microsoft\\Internet Explorer", "Version",
                  "9.11.9600.18231");
    store.PutDword(registry::kCurrentUser,
                   "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                   "NoToolbarCustomize", 1);
}

// The registry calls of one start-up on a store in its steady state: the store has been
// through one start-up already, so what the second one reads it also finds.
inline std::vector<RegistryCall> RecordStartup(registry::MemoryRegistry& store) {
    {
        HeadlessWindow first(store);
        first.form.Form_Load();
    }
    store.ClearJournal();
    HeadlessWindow second(store);
    second.form.Form_Load();
    auto calls = CallsFromJournal(store.journal());
    store.ClearJournal();
    return calls;
}

}  // namespace bench

// Shared by the switch, toolbar and start-up tests: the keys and button values as the program
// must spell them (written out here, apart from the program's tables), seeding the in-memory
// store, reading back what the program changed in a form a failure message can show, and a
// whole window on a store.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/frm_korvane.h"
#include "registry/memory_registry.h"
#include "registry/mod_registry.h"
#include "shell/scripted_shell.h"
#include "toolkit/scripted_services.h"

namespace switch_toolbar_test {

using registry::kCurrentUser;
using registry::kLocalMachine;

inline constexpr const char* kVersionKey = "Software\\Microsoft\\Internet Explorer";
inline constexpr const char* kAutoCompleteKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete";
inline constexpr const char* kInternetSettings =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
inline constexpr const char* kMain = "Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr const char* kToolbarKey = "Software\\Microsoft\\Internet Explorer\\Toolbar";
inline constexpr const char* kProtocolDefaults =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\ProtocolDefaults";
inline constexpr const char* kPolicies =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
inline constexpr const char* kZone0 =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\0";
inline constexpr const char* kCacheKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache";

// The toolbar button boxes in reload order, with the value each writes.
struct Button {
    const char* control;
    const char* value;
};

// clang-format off
inline const std::vector<Button> kButtons = {
    {"chkBack", "Btn_Back"}, {"chkForward", "Btn_Forward"}, {"chkStop", "Btn_Stop"},
    {"chkFolders", "Btn_Folders"}, {"chkRefresh", "Btn_Refresh"}, {"chkPrint", "Btn_Print"},
    {"chkFavorites", "Btn_Favorites"}, {"chkEdit", "Btn_Edit"}, {"chkHome", "Btn_Home"},
    {"chkSearch", "Btn_Search"}, {"chkMedia", "Btn_Media"}, {"chkHistory", "Btn_History"},
    {"chkTools", "Btn_Tools"}, {"chkEncoding", "Btn_Encoding"},
    {"chkPrintPreview", "Btn_PrintPreview"}, {"chkFullScreen", "Btn_Fullscreen"},
    {"chkMailNews", "Btn_MailNews"}, {"chkSize", "Btn_Size"},
    {"chkDiscussions", "Btn_Discussions"}, {"chkCut", "Btn_Cut"}, {"chkCopy", "Btn_Copy"},
    {"chkPaste", "Btn_Paste"},
};
// clang-format on

// A value to put in the store before a run; nothing means the value is missing.
struct Seed {
    std::uint32_t type = 0;
    registry::Bytes data;
};

inline Seed Dword(std::uint32_t number) {
    return {registry::kRegDword,
            {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
             static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)}};
}

inline Seed Sz(std::string_view text) {
    registry::Bytes data(text.begin(), text.end());
    data.push_back(0);
    return {registry::kRegSz, data};
}

inline Seed Binary(registry::Bytes bytes) {
    return {registry::kRegBinary, std::move(bytes)};
}

inline void Plant(registry::MemoryRegistry& store, registry::RawKey root, std::string_view path,
                  std::string_view name, const std::optional<Seed>& seed) {
    if (seed) {
        store.Put(root, path, name, seed->type, seed->data);
    }
}

// A stored value as a test reads it: REG_SZ "yes", REG_DWORD 1, type 3 with 3 bytes.
inline std::string ShowValue(std::uint32_t type, const registry::Bytes& data) {
    if (type == registry::kRegSz && !data.empty() && data.back() == 0) {
        return "REG_SZ \"" + std::string(data.begin(), data.end() - 1) + "\"";
    }
    if (type == registry::kRegDword && data.size() == 4) {
        return "REG_DWORD " + std::to_string(data[0] | data[1] << 8 | data[2] << 16 |
                                             static_cast<std::uint32_t>(data[3]) << 24);
    }
    return "type " + std::to_string(type) + " with " + std::to_string(data.size()) + " bytes";
}

// The stored value of `name`, shown, or "missing".
inline std::string Stored(const registry::MemoryRegistry& store, registry::RawKey root,
                          std::string_view path, std::string_view name) {
    const auto value = store.Get(root, path, name);
    return value ? ShowValue(value->type, value->data) : "missing";
}

// One value change the program made: "HKCU\...\Key", "Name = REG_DWORD 1" or "delete Name".
struct Change {
    std::string path;
    std::string what;
};

// The value writes and deletions that took effect, in order; key creations are left out.
inline std::vector<Change> ValueChanges(const registry::MemoryRegistry& store) {
    std::vector<Change> changes;
    for (const auto& entry : store.Changes()) {
        if (entry.op == registry::RegistryOp::SetValue) {
            changes.push_back({entry.path, entry.name + " = " + ShowValue(entry.type, entry.data)});
        } else if (entry.op == registry::RegistryOp::DeleteValue) {
            changes.push_back({entry.path, "delete " + entry.name});
        }
    }
    return changes;
}

inline std::string FullPath(registry::RawKey root, std::string_view path) {
    return registry::RootName(root) + "\\" + std::string(path);
}

// The `what` of each change in `path`, or of every change when `path` is empty.
inline std::vector<std::string> What(const registry::MemoryRegistry& store,
                                     const std::string& path = "") {
    std::vector<std::string> what;
    for (const auto& change : ValueChanges(store)) {
        if (path.empty() || change.path == path) {
            what.push_back(change.what);
        }
    }
    return what;
}

// The window as the program makes it at start, on a store; Load() is its load event.
struct Window {
    explicit Window(registry::MemoryRegistry& store) : form(store, services, shell) {}
    void Load() { form.Form_Load(); }
    toolkit::CheckBox& box(std::string_view name) { return form.controls().checkBox(name); }

    toolkit::ScriptedServices services;
    shell::ScriptedShell shell;
    app::frmKorvane form;
};

inline void PlantVersion(registry::MemoryRegistry& store, std::string_view version) {
    store.PutText(kLocalMachine, kVersionKey, "Version", version);
}

}  // namespace switch_toolbar_test

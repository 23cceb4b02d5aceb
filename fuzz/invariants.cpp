#include "fuzz/invariants.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

#include "bench/startup_trace.h"
#include "fuzz/require.h"
#include "registry/variant.h"
#include "settings/footprint.h"
#include "settings/switch_table.h"
#include "settings/switches.h"
#include "settings/text_settings.h"
#include "settings/toolbar_table.h"
#include "toolkit/error.h"

namespace fuzz {

namespace {

using registry::JournalEntry;
using registry::RegistryOp;

std::string Where(const JournalEntry& entry) {
    return entry.path + " \"" + entry.name + "\"";
}

registry::Bytes Dword(std::int32_t number) {
    const auto bits = static_cast<std::uint32_t>(number);
    return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
            static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
}

registry::Bytes Sz(std::string_view text) {
    registry::Bytes data(text.begin(), text.end());
    data.push_back(0);
    return data;
}

std::string Folded(std::uint32_t root, std::string_view keyPath, std::string_view valueName) {
    std::string out = std::to_string(root) + "|";
    for (const char c : keyPath) {
        out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    }
    out.push_back('|');
    for (const char c : valueName) {
        out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    }
    return out;
}

// Whether one step of a switch's writes is what `change` did.
bool IsStep(const settings::SwitchWrite& step, const JournalEntry& change) {
    using Action = settings::SwitchWrite::Action;
    switch (step.action) {
        case Action::Text:
            return change.op == RegistryOp::SetValue && change.type == registry::kRegSz &&
                   change.data == Sz(step.text);
        case Action::Number:
            return change.op == RegistryOp::SetValue && change.type == registry::kRegDword &&
                   change.data == Dword(step.number);
        case Action::Delete:
            return change.op == RegistryOp::DeleteValue;
        case Action::None:
            break;
    }
    return false;
}

// The box state a button value's last write stands for: 1 for REG_DWORD 1, 0 for 2.
int ButtonState(const JournalEntry& change) {
    Require(change.op == RegistryOp::SetValue && change.type == registry::kRegDword,
            "a button value changed other than as a REG_DWORD: " + Where(change));
    if (change.data == Dword(1)) {
        return 1;
    }
    Require(change.data == Dword(2), "a button value written as neither 1 nor 2: " + Where(change));
    return 0;
}

void CheckTextBox(const toolkit::TextBox& box, const registry::MemoryRegistry& store,
                  const JournalWatcher& watcher, const settings::TextValue& value) {
    const auto* last = watcher.LastChange(store, value.root, value.keyPath, value.valueName);
    if (last) {
        Require(last->op == RegistryOp::SetValue && last->type == registry::kRegSz &&
                    last->data == Sz(box.text()),
                box.name() + " shows text its last write does not hold: " + Where(*last));
    }
}

void CheckDownloads(const toolkit::TextBox& box, const registry::MemoryRegistry& store,
                    const JournalWatcher& watcher) {
    const auto& value = settings::kMaxConnections;
    const auto* last = watcher.LastChange(store, value.root, value.keyPath, value.valueName);
    if (!last) {
        return;
    }
    if (box.text().empty()) {
        Require(last->op == RegistryOp::DeleteValue,
                "txtDownload is empty but its value was last written: " + Where(*last));
        return;
    }
    std::int32_t number = 0;
    try {
        number = registry::ToInt32(box.text());
    } catch (const toolkit::Error&) {
        return;  // text that cannot be written stays in the box; the next change tries again
    }
    Require(last->op == RegistryOp::SetValue && last->type == registry::kRegDword &&
                last->data == Dword(number),
            "txtDownload shows a number its last write does not hold: " + Where(*last));
}

bool KnownTitle(std::string_view title) {
    static constexpr std::string_view kTitles[] = {
        "Form_Load",         "IE_Version",          "Select_Buttons",      "IE_Buttons_Enabled",
        "Check_Box",         "Check_Box_Value",     "Append_Completion",   "Error_Reporting",
        "Intelli_Menus",     "RegistryGetKeyValue", "RegistrySetKeyValue", "RegistryDeleteValue",
        "RegistryDeleteKey",
    };
    return std::find(std::begin(kTitles), std::end(kTitles), title) != std::end(kTitles);
}

// What changed the store, as MemoryRegistry::Changes() has it, without copying the data.
bool IsChange(const JournalEntry& entry) {
    switch (entry.op) {
        case RegistryOp::SetValue:
        case RegistryOp::DeleteValue:
        case RegistryOp::DeleteKey:
            return entry.status == registry::kSuccess;
        case RegistryOp::CreateKey:
            return entry.created;
        default:
            return false;
    }
}

}  // namespace

JournalWatcher::JournalWatcher() {
    using Change = settings::FootprintEntry::Change;
    for (const auto& entry : settings::ProgramFootprint()) {
        const std::string key = Folded(entry.root, entry.keyPath, entry.valueName);
        (entry.change == Change::Write    ? mayWrite_
         : entry.change == Change::Delete ? mayDelete_
                                          : mayDeleteKey_)
            .insert(key);
    }
}

void JournalWatcher::Update(const registry::MemoryRegistry& store) {
    const auto& journal = store.journal();
    for (; seen_ < journal.size(); ++seen_) {
        const auto& entry = journal[seen_];
        if (entry.op != RegistryOp::SetValue && entry.op != RegistryOp::DeleteValue &&
            entry.op != RegistryOp::DeleteKey && entry.op != RegistryOp::CreateKey) {
            continue;
        }
        const auto [root, path] = bench::SplitJournalPath(entry.path);
        const std::string key = Folded(root, path, entry.name);
        if (entry.op == RegistryOp::SetValue || entry.op == RegistryOp::DeleteValue) {
            last_[key] = seen_;
        }
        if (!IsChange(entry)) {
            continue;
        }
        switch (entry.op) {
            case RegistryOp::SetValue:
                Require(mayWrite_.count(key) == 1, "wrote outside the footprint: " + Where(entry));
                break;
            case RegistryOp::DeleteValue:
                Require(mayDelete_.count(key) == 1,
                        "deleted a value outside the footprint: " + Where(entry));
                break;
            case RegistryOp::DeleteKey:
                Require(mayDeleteKey_.count(Folded(root, path, "")) == 1,
                        "deleted a key outside the footprint: " + entry.path);
                break;
            default:
                Require(settings::MayCreateKey(root, path),
                        "created a key outside the footprint: " + entry.path);
                break;
        }
    }
}

const registry::JournalEntry* JournalWatcher::LastChange(const registry::MemoryRegistry& store,
                                                         std::uint32_t root,
                                                         std::string_view keyPath,
                                                         std::string_view valueName) const {
    const auto found = last_.find(Folded(root, keyPath, valueName));
    return found == last_.end() ? nullptr : &store.journal()[found->second];
}

void CheckHandlesClosed(const registry::MemoryRegistry& store) {
    Require(store.openHandles() == 0,
            std::to_string(store.openHandles()) + " registry handles left open");
}

void CheckToolbarValues(bench::HeadlessWindow& window, const registry::MemoryRegistry& store) {
    if (window.form.controls().checkBox("chkSelect").value() != 1) {
        return;
    }
    for (const auto& button : settings::kToolbarButtons) {
        const auto stored =
            store.Get(registry::kCurrentUser, settings::kToolbarPolicyKey, button.valueName);
        Require(stored && stored->type == registry::kRegDword &&
                    (stored->data == Dword(1) || stored->data == Dword(2)),
                "chkSelect is ticked but " + std::string(button.valueName) +
                    " is not the REG_DWORD 1 or 2");
    }
}

void CheckBoxesAgreeWithLastWrites(bench::HeadlessWindow& window,
                                   const registry::MemoryRegistry& store,
                                   const JournalWatcher& watcher) {
    const auto& controls = window.form.controls();
    for (const auto& row : settings::kSwitches) {
        const auto& first = row.ticked[0];
        const auto* last = watcher.LastChange(store, static_cast<std::uint32_t>(row.root),
                                              row.keyPath, first.valueName);
        if (!last) {
            continue;
        }
        const bool ticked = IsStep(first, *last);
        const bool cleared = IsStep(row.cleared[0], *last);
        Require(ticked || cleared,
                std::string(row.control) +
                    "'s value was changed to neither of its states: " + Where(*last));
        Require(controls.checkBox(row.control).value() == (ticked ? 1 : 0),
                std::string(row.control) + " contradicts its last write: " + Where(*last));
    }
    constexpr auto kToolbarRoot = static_cast<std::uint32_t>(registry::kCurrentUser);
    for (const auto& button : settings::kToolbarButtons) {
        if (const auto* last = watcher.LastChange(store, kToolbarRoot, settings::kToolbarPolicyKey,
                                                  button.valueName)) {
            Require(controls.checkBox(button.control).value() == ButtonState(*last),
                    std::string(button.control) + " contradicts its last write: " + Where(*last));
        }
    }
    if (const auto* last = watcher.LastChange(store, kToolbarRoot, settings::kToolbarPolicyKey,
                                              settings::kNoToolbarCustomize)) {
        Require(last->op == RegistryOp::SetValue && last->type == registry::kRegDword &&
                    last->data == Dword(controls.checkBox("chkSelect").value() == 1 ? 1 : 0),
                "chkSelect contradicts its last write: " + Where(*last));
    }
    CheckTextBox(controls.textBox(settings::kWindowTitle.control), store, watcher,
                 settings::kWindowTitle);
    CheckTextBox(controls.textBox(settings::kBackBitmap.control), store, watcher,
                 settings::kBackBitmap);
    CheckDownloads(controls.textBox(settings::kMaxConnections.control), store, watcher);
}

void CheckMessages(const bench::HeadlessWindow& window) {
    for (const auto& message : window.services.messages) {
        Require(message.buttons == toolkit::kOkOnly, "a message box with more than OK");
        if (!message.title) {
            Require(message.prompt == app::kVersionRefusedPrompt ||
                        message.prompt == settings::kRestartNotice,
                    "an untitled message box: " + message.prompt.substr(0, 80));
            continue;
        }
        Require(KnownTitle(*message.title), "a report titled " + *message.title);
        const bool mismatch = message.prompt == "Error: 13. Type mismatch";
        const bool overflow = message.prompt == "Error: 6. Overflow";
        Require(mismatch || overflow, "report " + *message.title + ": " + message.prompt);
    }
}

void CheckAll(bench::HeadlessWindow& window, const registry::MemoryRegistry& store,
              JournalWatcher& watcher) {
    watcher.Update(store);
    CheckHandlesClosed(store);
    CheckToolbarValues(window, store);
    CheckBoxesAgreeWithLastWrites(window, store, watcher);
    CheckMessages(window);
}

}  // namespace fuzz

// Every change taken back, and the settings carried to other users and machines: the undo
// record put back, export and import of .reg files.
#include <algorithm>
#include <optional>

#include "app/command_line.h"
#include "app/frm_korvane.h"
#include "toolkit/error.h"
#include "toolkit/text.h"

namespace app {

namespace {
constexpr const char16_t* kRegFiles = u"Registration Files (*.reg)|*.reg";
constexpr std::size_t kLargestFile = 1 << 20;

// Whether `name` under root\path is one of the table's values, or any value of the typed
// history, which an undo record restores; with no name, whether the key holds any of them.
const RegistryValue* Known(registry::Key root, std::u16string_view path,
                           std::optional<std::u16string_view> name) {
    if (root == kTypedUrls.root && registry::SameName(path, kTypedUrls.key)) {
        return &kTypedUrls;
    }
    for (const RegistryValue* value : SettingValues()) {
        if (value->root == root && registry::SameName(path, value->key) &&
            (!name || registry::SameName(*name, value->name))) {
            return value;
        }
    }
    return nullptr;
}
}  // namespace

void frmKorvane::UndoChanges() {
    toolkit::Guard(platform_, u"Korvane", [this] {
        if (undo_.entries().empty()) {
            platform_.ShowMessage(u"Korvane has changed nothing since it started.");
            return;
        }
        ImportFile(undo_.path());
    });
}

void frmKorvane::ImportSettings() {
    toolkit::Guard(platform_, u"Korvane", [this] {
        if (const auto file = platform_.OpenFile(kRegFiles, platform_.UndoFolder())) {
            ImportFile(*file);
        }
    });
}

void frmKorvane::ExportSettings() {
    toolkit::Guard(platform_, u"Korvane", [this] {
        if (const auto file = platform_.SaveAs(kRegFiles)) {
            const Outcome outcome = Export(*file);
            if (!outcome.message.empty()) {
                platform_.ShowMessage(outcome.message);
            }
        }
    });
}

void frmKorvane::ImportFile(const std::u16string& file) {
    const Outcome outcome = Import(file);
    if (outcome.refusal == registry::Refusal::kRights && !platform_.Elevated() && offerRestart_) {
        // The restarted instance imports the file and tells what fails; this one waits for it.
        if (platform_.AskYesNo(u"Some of these settings need administrator rights.\r\n"
                               u"Restart Korvane as administrator to change them?")) {
            CommandLine next;
            next.user = userSid_;
            next.importFile = file;
            platform_.RestartElevated(FormatCommandLine(next), true);
        }
    } else if (!outcome.message.empty()) {
        platform_.ShowMessage(outcome.message);
    }
    Reload();
}

void frmKorvane::Reload() {
    // The boxes show what is stored now: a loader's change writes nothing back.
    registry_.SuspendWrites(true);
    const toolkit::OnExit resume{[this] { registry_.SuspendWrites(false); }};
    Loaders();
}

frmKorvane::Outcome frmKorvane::Export(const std::u16string& file) {
    std::vector<registry::RegKey> keys;
    for (const RegistryValue* value : SettingValues()) {
        const bool machine = value->root == kLocalMachine;
        registry::AddValue(keys,
                           (machine ? u"HKEY_LOCAL_MACHINE\\" : u"HKEY_CURRENT_USER\\") +
                               std::u16string(value->key),
                           registry::ReadStored(api_, value->root, value->key, value->name));
    }
    if (!platform_.SaveFile(file, registry::WriteRegFile(keys))) {
        return {1, u"Korvane could not write \"" + file + u"\".", registry::Refusal::kNone};
    }
    return {};
}

frmKorvane::Outcome frmKorvane::Import(const std::u16string& file) {
    const auto bytes = platform_.LoadFile(file, kLargestFile + 1);
    if (!bytes) {
        return {1, u"Korvane could not read \"" + file + u"\".", registry::Refusal::kNone};
    }
    const registry::RegFile read = registry::ReadRegFile(*bytes, platform_);
    const auto refuse = [&](int line, const std::u16string& problem) {
        const std::u16string where = line > 0 ? u", line " + toolkit::Decimal(line) : u"";
        return Outcome{1, u"Korvane did not import \"" + file + u"\"" + where + u": " + problem,
                       registry::Refusal::kNone};
    };
    if (!read.problem.empty()) {
        return refuse(read.line, read.problem);
    }
    // Every line is checked before anything is written.
    std::vector<std::pair<const RegistryValue*, registry::RegValue>> writes;
    struct Hive {
        std::u16string prefix;
        registry::Key root;
    };
    const Hive hives[] = {{u"HKEY_CURRENT_USER\\", kCurrentUser},
                          {u"HKEY_USERS\\" + userSid_ + u"\\", kCurrentUser},
                          {u"HKEY_LOCAL_MACHINE\\", kLocalMachine}};
    for (const registry::RegKey& key : read.keys) {
        const std::u16string_view path = key.path;
        const auto hive = std::ranges::find_if(hives, [&](const Hive& hive) {
            return path.size() > hive.prefix.size() &&
                   registry::SameName(path.substr(0, hive.prefix.size()), hive.prefix);
        });
        const std::u16string_view below =
            hive == std::end(hives) ? u"" : path.substr(hive->prefix.size());
        if (below.empty() || !Known(hive->root, below, std::nullopt)) {
            return refuse(key.line, u"[" + key.path + u"] holds none of Korvane's settings.");
        }
        for (const registry::RegValue& value : key.values) {
            const RegistryValue* known = Known(hive->root, below, value.name);
            if (known == nullptr) {
                return refuse(value.line, u"\"" + value.name + u"\" in [" + key.path +
                                              u"] is not one of Korvane's settings.");
            }
            writes.emplace_back(known, value);
        }
    }
    std::vector<std::pair<const RegistryValue*, registry::RegValue>> written;  // as before
    for (const auto& [known, value] : writes) {
        written.emplace_back(known,
                             registry::ReadStored(api_, known->root, known->key, value.name));
        registry_.RegistryPutValue(known->root, known->key, value);
        if (const registry::Refusal refusal = registry_.TakeRefusal();
            refusal != registry::Refusal::kNone) {
            for (auto back = written.rbegin(); back != written.rend(); ++back) {
                registry_.RegistryPutValue(back->first->root, back->first->key, back->second);
            }
            registry_.TakeRefusal();
            const std::u16string why = refusal == registry::Refusal::kUndoRecord
                                           ? u"Korvane could not record \""
                                           : u"The registry refused \"";
            return {2,
                    why + value.name + u"\" in " + known->key +
                        u", so Korvane put back what this import had changed.",
                    refusal};
        }
    }
    return {};
}

}  // namespace app

// What was stored before the run's first change of each value, kept on disk as a .reg file that
// regedit and reg.exe import. It reaches the disk before the change reaches the registry.
#pragma once

#include <string>
#include <vector>

#include "registry/reg_file.h"
#include "registry/registry_api.h"
#include "toolkit/platform.h"

namespace registry {

// The value stored as `name` under root\path, or one without a type when there is none.
RegValue ReadStored(RegistryApi& api, Key root, std::u16string_view path, std::u16string_view name);

class UndoRecord {
public:
    // `userKey` names the user's settings in the file, "HKEY_USERS\<SID>", so that importing it
    // restores them whoever imports it. The file is named for the time the record is made.
    UndoRecord(RegistryApi& api, toolkit::Platform& platform, std::u16string userKey);

    // Called before `after` (a value without a type: a deletion) replaces what is stored under
    // root\path. False when the record could not be written: the change must not be made.
    bool BeforeChange(Key root, std::u16string_view path, const RegValue& after);

    struct Entry {
        Key root;
        std::u16string path;
        RegValue before;
    };
    // Every value the run changed, as it was before, in the order of their first changes.
    const std::vector<Entry>& entries() const { return entries_; }
    // The file, once a change was recorded.
    const std::u16string& path() const { return path_; }

private:
    bool Save();

    RegistryApi& api_;
    toolkit::Platform& platform_;
    const std::u16string userKey_;
    const std::u16string folder_;
    const std::u16string path_;
    std::vector<Entry> entries_;
};

}  // namespace registry

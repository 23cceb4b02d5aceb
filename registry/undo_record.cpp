#include "registry/undo_record.h"

#include <algorithm>

namespace registry {

RegValue ReadStored(RegistryApi& api, Key root, std::u16string_view path,
                    std::u16string_view name) {
    RegValue value{std::u16string(name), std::nullopt, {}, 0};
    const Opened opened = api.OpenKey(root, path, kQueryValue);
    if (opened.status != kSuccess) {
        return value;
    }
    KeyHandle key(api, opened);
    Queried read{kMoreData, 0, 0};
    while (read.status == kMoreData) {  // the value may grow between the probe and the read
        const Queried probe = api.QueryValue(key.get(), name, {});
        if (probe.status != kSuccess) {
            return value;
        }
        value.data.assign(probe.size, 0);
        read = probe.size == 0 ? probe : api.QueryValue(key.get(), name, value.data);
    }
    if (read.status == kSuccess) {
        value.type = read.type;
        value.data.resize(std::min<std::size_t>(read.size, value.data.size()));
    }
    return value;
}

UndoRecord::UndoRecord(RegistryApi& api, toolkit::Platform& platform, std::u16string userKey)
    : api_(api),
      platform_(platform),
      userKey_(std::move(userKey)),
      folder_(platform.UndoFolder()),
      path_(folder_ + u"\\" + platform.LocalTime() + u".reg") {}

bool UndoRecord::BeforeChange(Key root, std::u16string_view path, const RegValue& after) {
    const bool recorded = std::ranges::any_of(entries_, [&](const Entry& entry) {
        return entry.root == root && SameName(entry.path, path) &&
               SameName(entry.before.name, after.name);
    });
    if (recorded) {
        return true;
    }
    RegValue before = ReadStored(api_, root, path, after.name);
    if (before.type == after.type && before.data == after.data) {
        return true;  // stores what is there: no change
    }
    entries_.push_back({root, std::u16string(path), std::move(before)});
    if (Save()) {
        return true;
    }
    entries_.pop_back();
    return false;
}

bool UndoRecord::Save() {
    std::vector<RegKey> keys;
    for (const Entry& entry : entries_) {
        AddValue(
            keys,
            (entry.root == kLocalMachine ? u"HKEY_LOCAL_MACHINE" : userKey_) + u"\\" + entry.path,
            entry.before);
    }
    if (!platform_.SaveFile(path_, WriteRegFile(keys))) {
        return false;
    }
    if (entries_.size() == 1) {
        platform_.KeepNewestFiles(folder_, 20);  // a new record: the oldest beyond 20 go
    }
    return true;
}

}  // namespace registry

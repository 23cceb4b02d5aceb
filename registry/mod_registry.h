// The only code that touches the registry: four self-contained operations that keep registry
// failures silent and report their own errors.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

#include "registry/registry_api.h"
#include "registry/undo_record.h"
#include "registry/variant.h"
#include "toolkit/platform.h"

namespace registry {

// Why a change was not made: no rights, or its undo record could not be written.
enum class Refusal { kNone, kRights, kUndoRecord };

class modRegistry {
public:
    // Every change is first recorded in `undo`, when there is one.
    modRegistry(RegistryApi& api, toolkit::Platform& platform, UndoRecord* undo = nullptr)
        : api_(api), platform_(platform), undo_(undo) {}

    // Text (REG_SZ, up to its first NUL), a 32-bit integer (REG_DWORD) or bytes (REG_BINARY);
    // Empty for a missing key or value, any other type, or a failed read.
    Variant RegistryGetKeyValue(Key lngRoot, const std::u16string& strKeyPath,
                                const std::u16string& strValueName);

    // Creates the key with every missing level and writes `varValue` as REG_SZ (1), REG_BINARY
    // (3) or REG_DWORD (4); any other type code writes nothing. A value that does not convert
    // is reported and nothing is written.
    void RegistrySetKeyValue(Key lngRoot, const std::u16string& strKeyPath,
                             const std::u16string& strValueName, const Variant& varValue,
                             std::uint32_t lngType);

    // A missing key is not created; a missing value is no error.
    void RegistryDeleteValue(Key lngRoot, const std::u16string& strKeyPath,
                             const std::u16string& strValueName);

    // Whether a key with sub keys goes is the registry's decision.
    void RegistryDeleteKey(Key lngRoot, const std::u16string& strKeyPath);

    // Stores `value` with its own type and bytes, or deletes it when it has no type.
    void RegistryPutValue(Key lngRoot, const std::u16string& strKeyPath, const RegValue& value);

    // The weightiest refusal of a write or delete since the last call.
    Refusal TakeRefusal() { return std::exchange(refused_, Refusal::kNone); }
    // While suspended, nothing is written or deleted: the boxes show what is stored.
    void SuspendWrites(bool suspended) { suspended_ = suspended; }

private:
    void Note(Status status) {
        refused_ = status == kAccessDenied ? std::max(refused_, Refusal::kRights) : refused_;
    }
    // Whether `after` may replace what is stored: recorded first, or no record is kept.
    bool Recorded(Key root, const std::u16string& path, const RegValue& after);

    RegistryApi& api_;
    toolkit::Platform& platform_;
    UndoRecord* undo_;
    Refusal refused_ = Refusal::kNone;
    bool suspended_ = false;
};

}  // namespace registry

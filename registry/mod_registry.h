// The only code that touches the registry: four self-contained operations that keep registry
// failures silent and report their own errors.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "registry/registry_api.h"
#include "registry/variant.h"
#include "toolkit/platform.h"

namespace registry {

class modRegistry {
public:
    modRegistry(RegistryApi& api, toolkit::Platform& platform) : api_(api), platform_(platform) {}

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

    // True when a write or delete was refused for lack of rights since the last call.
    bool TakeRefusal() { return std::exchange(refused_, false); }

private:
    void Note(Status status) { refused_ = refused_ || status == kAccessDenied; }

    RegistryApi& api_;
    toolkit::Platform& platform_;
    bool refused_ = false;
};

}  // namespace registry

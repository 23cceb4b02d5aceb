// The only code that touches the registry: four self-contained operations that keep registry
// failures silent and report their own errors.
#pragma once

#include <cstdint>
#include <string>

#include "registry/registry_api.h"
#include "registry/variant.h"
#include "toolkit/services.h"

namespace registry {

class modRegistry {
public:
    modRegistry(RegistryApi& api, toolkit::PlatformServices& services)
        : api_(api), services_(services) {}

    // The stored value: text (REG_SZ, up to its first NUL), a 32-bit integer (REG_DWORD) or
    // bytes (REG_BINARY); Empty for a missing key or value, any other type, or a failed read.
    Variant RegistryGetKeyValue(std::uint32_t lngRoot, const std::string& strKeyPath,
                                const std::string& strValueName);

    // Creates the key with every missing level and writes `varValue` as REG_SZ (1), REG_BINARY
    // (3) or REG_DWORD (4); any other type code writes nothing. A value that does not convert
    // is reported and nothing is written.
    void RegistrySetKeyValue(std::uint32_t lngRoot, const std::string& strKeyPath,
                             const std::string& strValueName, const Variant& varValue,
                             std::uint32_t lngType);

    // Deletes one value; a missing key is not created, a missing value is no error.
    void RegistryDeleteValue(std::uint32_t lngRoot, const std::string& strKeyPath,
                             const std::string& strValueName);

    // Deletes a key; whether one with sub keys goes is the registry's decision.
    void RegistryDeleteKey(std::uint32_t lngRoot, const std::string& strKeyPath);

private:
    RegistryApi& api_;
    toolkit::PlatformServices& services_;
};

}  // namespace registry

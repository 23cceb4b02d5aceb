// The registry port over advapi32's ANSI entry points: the real registry.
#pragma once

#include "registry/registry_api.h"

namespace registry {

class AdvapiRegistry : public RegistryApi {
public:
    OpenResult OpenKey(RawKey parent, std::string_view subKey, std::uint32_t access) override;
    OpenResult CreateKey(RawKey parent, std::string_view subKey, std::uint32_t access) override;
    QueryResult QueryValue(RawKey key, std::string_view name,
                           std::span<std::uint8_t> data) override;
    Status SetValue(RawKey key, std::string_view name, std::uint32_t type,
                    std::span<const std::uint8_t> data) override;
    Status DeleteValue(RawKey key, std::string_view name) override;
    Status DeleteKey(RawKey parent, std::string_view subKey) override;
    Status CloseKey(RawKey key) override;
    // Through UTF-16; characters the code page lacks become its default character.
    std::string ToAnsi(std::string_view utf8) override;
    std::string FromAnsi(std::string_view ansi) override;
};

}  // namespace registry

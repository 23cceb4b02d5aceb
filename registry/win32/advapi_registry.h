// The registry port over advapi32's Unicode entry points.
#pragma once

#include <windows.h>

#include "registry/registry_api.h"

namespace registry {

class AdvapiRegistry final : public RegistryApi {
public:
    // `currentUser` stands for the root kCurrentUser: another user's HKEY_USERS\<SID> key
    // when the program shows that user's settings.
    explicit AdvapiRegistry(Key currentUser = kCurrentUser) : currentUser_(currentUser) {}

    Opened OpenKey(Key parent, std::u16string_view path, std::uint32_t access) override;
    Opened CreateKey(Key parent, std::u16string_view path, std::uint32_t access) override;
    Queried QueryValue(Key key, std::u16string_view name, std::span<std::uint8_t> data) override;
    Status SetValue(Key key, std::u16string_view name, std::uint32_t type,
                    std::span<const std::uint8_t> data) override;
    Status DeleteValue(Key key, std::u16string_view name) override;
    Enumerated EnumValue(Key key, std::uint32_t index) override;
    Status DeleteKey(Key parent, std::u16string_view path) override;
    Status CloseKey(Key key) override;

private:
    HKEY Handle(Key key) const;

    Key currentUser_;
};

}  // namespace registry

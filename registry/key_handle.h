// A move-only owner of one open registry key of a RegistryApi.
#pragma once

#include <utility>

#include "registry/registry_api.h"

namespace registry {

class KeyHandle {
public:
    KeyHandle() = default;
    // Takes ownership of `key`, opened through `api`.
    KeyHandle(RegistryApi& api, RawKey key) : api_(&api), key_(key) {}
    ~KeyHandle() { Close(); }

    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    KeyHandle(KeyHandle&& other) noexcept
        : api_(std::exchange(other.api_, nullptr)), key_(std::exchange(other.key_, 0)) {}
    KeyHandle& operator=(KeyHandle&& other) noexcept {
        if (this != &other) {
            Close();
            api_ = std::exchange(other.api_, nullptr);
            key_ = std::exchange(other.key_, 0);
        }
        return *this;
    }

    // Opens `subKey` of `parent`; on failure returns an empty handle and the status.
    [[nodiscard]] static std::pair<KeyHandle, Status> Open(RegistryApi& api, RawKey parent,
                                                           std::string_view subKey,
                                                           std::uint32_t access) {
        const auto opened = api.OpenKey(parent, subKey, access);
        if (opened.status != kSuccess) {
            return {KeyHandle(), opened.status};
        }
        return {KeyHandle(api, opened.key), kSuccess};
    }

    // Opens or creates `subKey` of `parent` with every missing level.
    [[nodiscard]] static std::pair<KeyHandle, Status> Create(RegistryApi& api, RawKey parent,
                                                             std::string_view subKey,
                                                             std::uint32_t access) {
        const auto created = api.CreateKey(parent, subKey, access);
        if (created.status != kSuccess) {
            return {KeyHandle(), created.status};
        }
        return {KeyHandle(api, created.key), kSuccess};
    }

    bool valid() const { return api_ != nullptr; }
    RawKey get() const { return key_; }

    // Closes the key; safe to call twice.
    void Close() {
        if (api_ != nullptr) {
            api_->CloseKey(key_);
            api_ = nullptr;
            key_ = 0;
        }
    }

private:
    RegistryApi* api_ = nullptr;
    RawKey key_ = 0;
};

}  // namespace registry

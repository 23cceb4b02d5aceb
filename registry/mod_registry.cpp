#include "registry/mod_registry.h"

#include <algorithm>
#include <array>

#include "registry/key_handle.h"
#include "toolkit/error.h"
#include "toolkit/error_report.h"

namespace registry {

namespace {

std::span<const std::uint8_t> AsBytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// REG_SZ data as text: the data up to its first NUL.
std::string TextFromData(RegistryApi& api, const Bytes& data, std::uint32_t written) {
    const auto end = data.begin() + std::min<std::size_t>(written, data.size());
    const auto nul = std::find(data.begin(), end, std::uint8_t{0});
    return api.FromAnsi(std::string(data.begin(), nul));
}

Variant ReadValue(RegistryApi& api, RawKey key, const std::string& name) {
    const auto probe = api.QueryValue(key, name, {});
    if (probe.status != kSuccess) {
        return {};
    }
    switch (probe.type) {
        case kRegSz: {
            if (probe.size == 0) {
                return std::string();
            }
            Bytes data(probe.size, 0);
            const auto read = api.QueryValue(key, name, data);
            if (read.status != kSuccess) {
                return {};
            }
            return TextFromData(api, data, read.size);
        }
        case kRegDword: {
            // Exactly four bytes: longer data does not fit and reads as Empty.
            std::array<std::uint8_t, 4> data{};
            const auto read = api.QueryValue(key, name, data);
            if (read.status != kSuccess) {
                return {};
            }
            const auto bits = static_cast<std::uint32_t>(data[0]) |
                              static_cast<std::uint32_t>(data[1]) << 8 |
                              static_cast<std::uint32_t>(data[2]) << 16 |
                              static_cast<std::uint32_t>(data[3]) << 24;
            return static_cast<std::int32_t>(bits);
        }
        case kRegBinary: {
            if (probe.size == 0) {
                return Bytes();
            }
            Bytes data(probe.size, 0);
            const auto read = api.QueryValue(key, name, data);
            if (read.status != kSuccess) {
                return {};
            }
            return data;
        }
        default:
            return {};
    }
}

void WriteValue(RegistryApi& api, RawKey key, const std::string& name, const Variant& value,
                std::uint32_t type) {
    switch (type) {
        case kRegSz: {
            std::string data = api.ToAnsi(ToText(value));
            data.push_back('\0');
            api.SetValue(key, name, kRegSz, AsBytes(data));
            break;
        }
        case kRegDword: {
            const auto bits = static_cast<std::uint32_t>(ToInt32(value));
            const std::array<std::uint8_t, 4> data{
                static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
            api.SetValue(key, name, kRegDword, data);
            break;
        }
        case kRegBinary: {
            if (value.kind() != Variant::Kind::Bytes) {
                throw toolkit::Error(toolkit::kTypeMismatch);
            }
            api.SetValue(key, name, kRegBinary, value.bytes());
            break;
        }
        default:
            break;
    }
}

}  // namespace

Variant modRegistry::RegistryGetKeyValue(std::uint32_t lngRoot, const std::string& strKeyPath,
                                         const std::string& strValueName) {
    Variant result;
    toolkit::Guard(services_, "RegistryGetKeyValue", [&] {
        auto [key, status] = KeyHandle::Open(api_, lngRoot, api_.ToAnsi(strKeyPath), kQueryValue);
        if (status != kSuccess) {
            return;
        }
        result = ReadValue(api_, key.get(), api_.ToAnsi(strValueName));
    });
    return result;
}

void modRegistry::RegistrySetKeyValue(std::uint32_t lngRoot, const std::string& strKeyPath,
                                      const std::string& strValueName, const Variant& varValue,
                                      std::uint32_t lngType) {
    toolkit::Guard(services_, "RegistrySetKeyValue", [&] {
        auto [key, status] =
            KeyHandle::Create(api_, lngRoot, api_.ToAnsi(strKeyPath), kWriteAccess);
        if (status != kSuccess) {
            return;  // neither opened nor created: nothing to write to
        }
        WriteValue(api_, key.get(), api_.ToAnsi(strValueName), varValue, lngType);
    });
}

void modRegistry::RegistryDeleteValue(std::uint32_t lngRoot, const std::string& strKeyPath,
                                      const std::string& strValueName) {
    toolkit::Guard(services_, "RegistryDeleteValue", [&] {
        auto [key, status] = KeyHandle::Open(api_, lngRoot, api_.ToAnsi(strKeyPath), kWriteAccess);
        if (status != kSuccess) {
            return;
        }
        api_.DeleteValue(key.get(), api_.ToAnsi(strValueName));
    });
}

void modRegistry::RegistryDeleteKey(std::uint32_t lngRoot, const std::string& strKeyPath) {
    toolkit::Guard(services_, "RegistryDeleteKey",
                   [&] { api_.DeleteKey(lngRoot, api_.ToAnsi(strKeyPath)); });
}

}  // namespace registry

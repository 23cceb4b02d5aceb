#include "registry/mod_registry.h"

#include <cstring>
#include <vector>

#include "toolkit/error.h"
#include "toolkit/text.h"

namespace registry {

using toolkit::ToUtf16;

Variant modRegistry::RegistryGetKeyValue(Key lngRoot, const std::string& strKeyPath,
                                         const std::string& strValueName) {
    Variant result;
    toolkit::Guard(platform_, "RegistryGetKeyValue", [&] {
        const Opened opened = api_.OpenKey(lngRoot, ToUtf16(strKeyPath), kQueryValue);
        if (opened.status != kSuccess) {
            return;  // a read never creates a key
        }
        KeyHandle key(api_, opened);
        const std::u16string name = ToUtf16(strValueName);
        const Queried probe = api_.QueryValue(key.get(), name, {});
        if (probe.status != kSuccess) {
            return;
        }
        // A REG_DWORD longer than its 4 bytes does not fit and reads as Empty.
        std::vector<std::uint8_t> data(probe.type == kRegDword ? 4 : probe.size);
        if (probe.type == kRegSz && probe.size == 0) {
            result = std::string();
        } else if (probe.type == kRegBinary && probe.size == 0) {
            result = Bytes();
        } else if (probe.type == kRegSz || probe.type == kRegDword || probe.type == kRegBinary) {
            const Queried read = api_.QueryValue(key.get(), name, data);
            if (read.status != kSuccess) {
                return;
            }
            data.resize(std::min<std::size_t>(read.size, data.size()));
            if (probe.type == kRegSz) {
                // UTF-16 code units up to the first NUL; an odd last byte is no character.
                std::u16string text(data.size() / 2, u'\0');
                std::memcpy(text.data(), data.data(), text.size() * 2);
                result = toolkit::ToUtf8(text.substr(0, text.find(u'\0')));
            } else if (probe.type == kRegDword) {
                data.resize(4);
                result = static_cast<std::int32_t>(data[0] | data[1] << 8 | data[2] << 16 |
                                                   static_cast<std::uint32_t>(data[3]) << 24);
            } else {
                result = std::move(data);
            }
        }
    });
    return result;
}

void modRegistry::RegistrySetKeyValue(Key lngRoot, const std::string& strKeyPath,
                                      const std::string& strValueName, const Variant& varValue,
                                      std::uint32_t lngType) {
    toolkit::Guard(platform_, "RegistrySetKeyValue", [&] {
        const Opened opened = api_.CreateKey(lngRoot, ToUtf16(strKeyPath), kWriteAccess);
        Note(opened.status);
        KeyHandle key(api_, opened);
        std::vector<std::uint8_t> data;
        if (lngType == kRegSz) {
            const std::u16string text = ToUtf16(ToText(varValue)) + u'\0';
            data.resize(text.size() * 2);
            std::memcpy(data.data(), text.data(), data.size());
        } else if (lngType == kRegDword) {
            const auto number = static_cast<std::uint32_t>(ToInt32(varValue));
            data = {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                    static_cast<std::uint8_t>(number >> 16),
                    static_cast<std::uint8_t>(number >> 24)};
        } else if (lngType == kRegBinary) {
            if (!std::holds_alternative<Bytes>(varValue)) {
                throw toolkit::Error{toolkit::kTypeMismatch};
            }
            data = std::get<Bytes>(varValue);
        } else {
            return;  // the key is created, nothing is written
        }
        if (key.get() != 0) {
            Note(api_.SetValue(key.get(), ToUtf16(strValueName), lngType, data));
        }
    });
}

void modRegistry::RegistryDeleteValue(Key lngRoot, const std::string& strKeyPath,
                                      const std::string& strValueName) {
    toolkit::Guard(platform_, "RegistryDeleteValue", [&] {
        const Opened opened = api_.OpenKey(lngRoot, ToUtf16(strKeyPath), kWriteAccess);
        Note(opened.status);
        if (opened.status == kSuccess) {
            KeyHandle key(api_, opened);
            Note(api_.DeleteValue(key.get(), ToUtf16(strValueName)));
        }
    });
}

void modRegistry::RegistryDeleteKey(Key lngRoot, const std::string& strKeyPath) {
    toolkit::Guard(platform_, "RegistryDeleteKey", [&] {
        const std::u16string path = ToUtf16(strKeyPath);
        if (api_.DeleteKey(lngRoot, path) == kAccessDenied) {
            // A key that still has sub keys is refused the same way: only a key that cannot
            // even be opened for writing means missing rights.
            const Opened opened = api_.OpenKey(lngRoot, path, kWriteAccess);
            KeyHandle key(api_, opened);
            Note(opened.status);
        }
    });
}

}  // namespace registry

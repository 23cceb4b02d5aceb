#include "registry/mod_registry.h"

#include <cstring>
#include <vector>

#include "toolkit/error.h"

namespace registry {

Variant modRegistry::RegistryGetKeyValue(Key lngRoot, const std::u16string& strKeyPath,
                                         const std::u16string& strValueName) {
    Variant result;
    toolkit::Guard(platform_, u"RegistryGetKeyValue", [&] {
        const Opened opened = api_.OpenKey(lngRoot, strKeyPath, kQueryValue);
        if (opened.status != kSuccess) {
            return;  // a read never creates a key
        }
        KeyHandle key(api_, opened);
        const Queried probe = api_.QueryValue(key.get(), strValueName, {});
        if (probe.status != kSuccess) {
            return;
        }
        // A REG_DWORD longer than its 4 bytes does not fit and reads as Empty.
        std::vector<std::uint8_t> data(probe.type == kRegDword ? 4 : probe.size);
        if (probe.type == kRegSz && probe.size == 0) {
            result = std::u16string();
        } else if (probe.type == kRegBinary && probe.size == 0) {
            result = Bytes();
        } else if (probe.type == kRegSz || probe.type == kRegDword || probe.type == kRegBinary) {
            const Queried read = api_.QueryValue(key.get(), strValueName, data);
            if (read.status != kSuccess) {
                return;
            }
            data.resize(std::min<std::size_t>(read.size, data.size()));
            if (probe.type == kRegSz) {
                // UTF-16 code units up to the first NUL; an odd last byte is no character.
                std::u16string text(data.size() / 2, u'\0');
                std::memcpy(text.data(), data.data(), text.size() * 2);
                result = text.substr(0, text.find(u'\0'));
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

void modRegistry::RegistrySetKeyValue(Key lngRoot, const std::u16string& strKeyPath,
                                      const std::u16string& strValueName, const Variant& varValue,
                                      std::uint32_t lngType) {
    toolkit::Guard(platform_, u"RegistrySetKeyValue", [&] {
        if (suspended_) {
            return;
        }
        const Opened opened = api_.CreateKey(lngRoot, strKeyPath, kWriteAccess);
        Note(opened.status);
        KeyHandle key(api_, opened);
        std::vector<std::uint8_t> data;
        if (lngType == kRegSz) {
            const std::u16string text = ToText(varValue) + u'\0';
            data.resize(text.size() * 2);
            std::memcpy(data.data(), text.data(), data.size());
        } else if (lngType == kRegDword) {
            const auto number = static_cast<std::uint32_t>(ToInt32(varValue, platform_));
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
        if (key.get() != 0 && Recorded(lngRoot, strKeyPath, {strValueName, lngType, data, {}})) {
            Note(api_.SetValue(key.get(), strValueName, lngType, data));
        }
    });
}

void modRegistry::RegistryDeleteValue(Key lngRoot, const std::u16string& strKeyPath,
                                      const std::u16string& strValueName) {
    toolkit::Guard(platform_, u"RegistryDeleteValue", [&] {
        if (suspended_) {
            return;
        }
        const Opened opened = api_.OpenKey(lngRoot, strKeyPath, kWriteAccess);
        Note(opened.status);
        if (opened.status == kSuccess) {
            KeyHandle key(api_, opened);
            if (Recorded(lngRoot, strKeyPath, RegValue{strValueName, std::nullopt, {}, {}})) {
                Note(api_.DeleteValue(key.get(), strValueName));
            }
        }
    });
}

void modRegistry::RegistryDeleteKey(Key lngRoot, const std::u16string& strKeyPath) {
    toolkit::Guard(platform_, u"RegistryDeleteKey", [&] {
        if (suspended_) {
            return;
        }
        // Every value the key holds is recorded before it goes.
        std::vector<std::u16string> names;
        if (const Opened opened = api_.OpenKey(lngRoot, strKeyPath, kQueryValue);
            opened.status == kSuccess) {
            KeyHandle key(api_, opened);
            for (Enumerated value{kSuccess, {}}; value.status == kSuccess;) {
                value = api_.EnumValue(key.get(), static_cast<std::uint32_t>(names.size()));
                if (value.status == kSuccess) {
                    names.push_back(value.name);
                }
            }
        }
        for (const std::u16string& name : names) {
            if (!Recorded(lngRoot, strKeyPath, RegValue{name, std::nullopt, {}, {}})) {
                return;
            }
        }
        if (api_.DeleteKey(lngRoot, strKeyPath) == kAccessDenied) {
            // A key that still has sub keys is refused the same way: only a key that cannot
            // even be opened for writing means missing rights.
            const Opened opened = api_.OpenKey(lngRoot, strKeyPath, kWriteAccess);
            KeyHandle key(api_, opened);
            Note(opened.status);
        }
    });
}

void modRegistry::RegistryPutValue(Key lngRoot, const std::u16string& strKeyPath,
                                   const RegValue& value) {
    if (!value.type) {
        RegistryDeleteValue(lngRoot, strKeyPath, value.name);
        return;
    }
    if (suspended_) {
        return;
    }
    const Opened opened = api_.CreateKey(lngRoot, strKeyPath, kWriteAccess);
    Note(opened.status);
    KeyHandle key(api_, opened);
    if (key.get() != 0 && Recorded(lngRoot, strKeyPath, value)) {
        Note(api_.SetValue(key.get(), value.name, *value.type, value.data));
    }
}

bool modRegistry::Recorded(Key root, const std::u16string& path, const RegValue& after) {
    if (undo_ == nullptr || undo_->BeforeChange(root, path, after)) {
        return true;
    }
    refused_ = Refusal::kUndoRecord;
    return false;
}

}  // namespace registry

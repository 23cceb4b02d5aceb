// The registry as the program uses it: advapi32's Unicode entry points, one call each, with
// the Windows status codes they return.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace registry {

using Status = std::int32_t;
using Key = std::uintptr_t;  // a root or an open key

inline constexpr Status kSuccess = 0;
inline constexpr Status kFileNotFound = 2;
inline constexpr Status kAccessDenied = 5;
inline constexpr Status kMoreData = 234;
inline constexpr Status kNoMoreItems = 259;

inline constexpr Key kCurrentUser = 0x80000001;
inline constexpr Key kLocalMachine = 0x80000002;

inline constexpr std::uint32_t kQueryValue = 0x1;
// Query, set, create sub key, enumerate, notify, create link; not the standard rights.
inline constexpr std::uint32_t kWriteAccess = 0x3F;

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

struct Opened {
    Status status;
    Key key;  // 0 unless status is kSuccess
};

struct Enumerated {
    Status status;
    std::u16string name;  // on kSuccess
};

struct Queried {
    Status status;
    std::uint32_t type;  // on kSuccess or kMoreData
    std::uint32_t size;  // the value's size for the probe, the bytes written for a read
};

class RegistryApi {
public:
    virtual ~RegistryApi() = default;
    virtual Opened OpenKey(Key parent, std::u16string_view path, std::uint32_t access) = 0;
    // Creates every missing level.
    virtual Opened CreateKey(Key parent, std::u16string_view path, std::uint32_t access) = 0;
    // An empty `data` probes the type and size; otherwise fills it.
    virtual Queried QueryValue(Key key, std::u16string_view name, std::span<std::uint8_t> data) = 0;
    virtual Status SetValue(Key key, std::u16string_view name, std::uint32_t type,
                            std::span<const std::uint8_t> data) = 0;
    virtual Status DeleteValue(Key key, std::u16string_view name) = 0;
    // The name of the key's value at `index`: kNoMoreItems past the last.
    virtual Enumerated EnumValue(Key key, std::uint32_t index) = 0;
    // A key with sub keys is refused.
    virtual Status DeleteKey(Key parent, std::u16string_view path) = 0;
    virtual Status CloseKey(Key key) = 0;
};

// Key and value names as the registry compares them: without regard to case (ASCII letters
// here, which is every name the program knows).
inline bool SameName(std::u16string_view a, std::u16string_view b) {
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? c + 32 : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

// An open key, closed once when the owner goes.
class KeyHandle {
public:
    KeyHandle(RegistryApi& api, Opened opened) : api_(api), key_(opened.key) {}
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    ~KeyHandle() {
        if (key_ != 0) {
            api_.CloseKey(key_);
        }
    }
    Key get() const { return key_; }

private:
    RegistryApi& api_;
    Key key_;
};

}  // namespace registry

// The registry port, shaped like advapi32's ANSI entry points: strings are in the ANSI code
// page, every call returns the Windows status code it would.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace registry {

using Status = std::int32_t;
using RawKey = std::uint64_t;  // a root (0x80000001, 0x80000002) or an open key

inline constexpr Status kSuccess = 0;
inline constexpr Status kFileNotFound = 2;
inline constexpr Status kAccessDenied = 5;
inline constexpr Status kInvalidHandle = 6;
inline constexpr Status kInvalidParameter = 87;
inline constexpr Status kBadPathname = 161;  // a sub key path that starts with a backslash
inline constexpr Status kMoreData = 234;
inline constexpr Status kKeyDeleted = 1018;  // the handle's key was deleted meanwhile

inline constexpr RawKey kCurrentUser = 0x80000001;
inline constexpr RawKey kLocalMachine = 0x80000002;

inline constexpr std::uint32_t kQueryValue = 0x1;
inline constexpr std::uint32_t kWriteAccess = 0x3F;  // query, set, create sub key, enumerate,
                                                     // notify, create link

inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegDwordBigEndian = 5;
inline constexpr std::uint32_t kRegMultiSz = 7;
inline constexpr std::uint32_t kRegQword = 11;

struct OpenResult {
    Status status = kInvalidHandle;
    RawKey key = 0;  // valid only on kSuccess
};

struct QueryResult {
    Status status = kInvalidHandle;
    // On kSuccess and kMoreData: the value's type and its size in bytes (the size needed for
    // kMoreData, the bytes written for a read); 0 and 0 on any other status.
    std::uint32_t type = 0;
    std::uint32_t size = 0;
};

class RegistryApi {
public:
    virtual ~RegistryApi() = default;

    // RegOpenKeyExA with options 0.
    virtual OpenResult OpenKey(RawKey parent, std::string_view subKey, std::uint32_t access) = 0;
    // RegCreateKeyExA, non-volatile, no class, no security attributes; creates every missing
    // level.
    virtual OpenResult CreateKey(RawKey parent, std::string_view subKey, std::uint32_t access) = 0;
    // RegQueryValueExA. An empty `data` is the probe (no buffer, size 0): type and stored size.
    // Otherwise fills `data`; a buffer too small gives kMoreData and leaves it untouched.
    // Text read from a string value (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) ends with a NUL: one
    // is added, and counted, when the stored data lacks it.
    virtual QueryResult QueryValue(RawKey key, std::string_view name,
                                   std::span<std::uint8_t> data) = 0;
    // RegSetValueExA.
    virtual Status SetValue(RawKey key, std::string_view name, std::uint32_t type,
                            std::span<const std::uint8_t> data) = 0;
    // RegDeleteValueA.
    virtual Status DeleteValue(RawKey key, std::string_view name) = 0;
    // RegDeleteKeyA: refuses a key that has sub keys.
    virtual Status DeleteKey(RawKey parent, std::string_view subKey) = 0;
    // RegCloseKey.
    virtual Status CloseKey(RawKey key) = 0;

    // The system's ANSI code page at this boundary, from and to UTF-8.
    virtual std::string ToAnsi(std::string_view utf8) = 0;
    virtual std::string FromAnsi(std::string_view ansi) = 0;
};

}  // namespace registry

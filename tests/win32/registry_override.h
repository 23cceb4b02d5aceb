// Test isolation from the real registry: while a RegistryOverride lives, HKEY_CURRENT_USER and
// HKEY_LOCAL_MACHINE of this process lead into two fresh, empty scratch keys under the real
// HKCU\Software\KorvaneTest. The destructor restores both roots and deletes the scratch keys.
// Scratch keys left behind by a crashed run are swept once they are an hour old.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

namespace registry_test {

// A move-only owner of one HKEY.
struct HkeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueHkey = std::unique_ptr<std::remove_pointer_t<HKEY>, HkeyCloser>;

class RegistryOverride {
public:
    // The parent of every scratch key, under the real HKCU.
    static constexpr const wchar_t* kTestRoot = L"Software\\KorvaneTest";
    // Older scratch keys belong to runs that died.
    static constexpr std::uint64_t kStaleAfter = 3600ull * 10'000'000;  // an hour in 100 ns

    RegistryOverride() {
        UniqueHkey testRoot = CreateUnder(HKEY_CURRENT_USER, kTestRoot);
        const std::uint64_t now = Now();
        SweepStale(testRoot.get(), now);
        name_ = std::to_wstring(now) + L"_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                std::to_wstring(reinterpret_cast<std::uintptr_t>(this));
        scratch_ = CreateUnder(testRoot.get(), name_.c_str());
        currentUser_ = CreateUnder(scratch_.get(), L"HKCU");
        localMachine_ = CreateUnder(scratch_.get(), L"HKLM");
        Check(RegOverridePredefKey(HKEY_CURRENT_USER, currentUser_.get()), "redirecting HKCU");
        if (const LSTATUS status = RegOverridePredefKey(HKEY_LOCAL_MACHINE, localMachine_.get());
            status != ERROR_SUCCESS) {
            RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
            Check(status, "redirecting HKLM");
        }
    }

    ~RegistryOverride() {
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        currentUser_.reset();
        localMachine_.reset();
        RegDeleteTreeW(scratch_.get(), nullptr);
        scratch_.reset();
        HKEY testRoot = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kTestRoot, 0, KEY_ALL_ACCESS, &testRoot) ==
            ERROR_SUCCESS) {
            RegDeleteKeyW(testRoot, name_.c_str());
            RegCloseKey(testRoot);
        }
    }

    RegistryOverride(const RegistryOverride&) = delete;
    RegistryOverride& operator=(const RegistryOverride&) = delete;

    // The scratch key's path under the real HKCU; "HKCU" and "HKLM" below it hold the roots.
    std::wstring scratchPath() const { return std::wstring(kTestRoot) + L"\\" + name_; }

private:
    static void Check(LSTATUS status, const char* what) {
        if (status != ERROR_SUCCESS) {
            throw std::runtime_error(std::string(what) + " failed: " + std::to_string(status));
        }
    }

    static UniqueHkey CreateUnder(HKEY parent, const wchar_t* path) {
        HKEY key = nullptr;
        Check(RegCreateKeyExW(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              "creating a scratch key");
        return UniqueHkey(key);
    }

    static std::uint64_t Now() {
        FILETIME time{};
        GetSystemTimeAsFileTime(&time);
        return static_cast<std::uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
    }

    // Deletes the scratch keys whose names say they are older than kStaleAfter.
    static void SweepStale(HKEY testRoot, std::uint64_t now) {
        std::vector<std::wstring> stale;
        wchar_t name[256];  // the longest key name the registry allows, and its NUL
        for (DWORD index = 0;; ++index) {
            DWORD length = 256;
            if (RegEnumKeyExW(testRoot, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS) {
                break;
            }
            const std::uint64_t created = std::wcstoull(name, nullptr, 10);
            if (created < now && now - created > kStaleAfter) {
                stale.emplace_back(name, length);
            }
        }
        for (const auto& key : stale) {
            RegDeleteTreeW(testRoot, key.c_str());
        }
    }

    std::wstring name_;
    UniqueHkey scratch_;
    UniqueHkey currentUser_;
    UniqueHkey localMachine_;
};

}  // namespace registry_test

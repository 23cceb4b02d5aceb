// The isolation fixture: what a test writes lands in scratch keys that vanish afterwards, the
// real values stay out of sight.
#include <gtest/gtest.h>

#include <string>

#include "tests/win32/registry_override.h"

namespace registry_test {
namespace {

bool KeyExists(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    const bool exists = RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) == 0;
    UniqueHkey owned(key);
    return exists;
}

void MakeKey(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    UniqueHkey owned(key);
}

TEST(RegistryOverride, WritesLandInScratchKeysThatVanishAfterwards) {
    std::wstring scratch;
    {
        RegistryOverride isolated;
        scratch = isolated.scratchPath();
        // Both roots start empty: nothing of the prefix is visible.
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"Software\\Microsoft"));
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, L"Software\\Wine"));
        MakeKey(HKEY_CURRENT_USER, L"Software\\KorvaneOverrideProbe");
        MakeKey(HKEY_LOCAL_MACHINE, L"Software\\KorvaneOverrideProbe");
    }
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, L"Software\\KorvaneOverrideProbe"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"Software\\KorvaneOverrideProbe"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, scratch));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, L"Software\\Microsoft"));  // the real roots are back
}

}  // namespace
}  // namespace registry_test

// The isolation fixture: what a test writes lands in scratch keys that vanish afterwards, the
// real values stay out of sight, and stale scratch keys are swept.
#include <gtest/gtest.h>

#include <string>

#include "tests/win32/registry_override.h"

namespace registry_test {
namespace {

bool KeyExists(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

void WriteDword(HKEY root, const wchar_t* path, const wchar_t* name, DWORD value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    UniqueHkey owned(key);
    ASSERT_EQ(RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                             sizeof value),
              ERROR_SUCCESS);
}

TEST(RegistryOverride, WritesLandInScratchKeysThatVanishAfterwards) {
    std::wstring scratch;
    {
        RegistryOverride isolated;
        scratch = isolated.scratchPath();
        WriteDword(HKEY_CURRENT_USER, L"Software\\KorvaneOverrideProbe", L"v", 1);
        WriteDword(HKEY_LOCAL_MACHINE, L"Software\\KorvaneOverrideProbe", L"v", 2);
        EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, L"Software\\KorvaneOverrideProbe"));
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, L"Software\\KorvaneOverrideProbe"));
        // Both roots start empty: nothing of the prefix is visible.
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"Software\\Microsoft"));
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, L"Software\\Wine"));
    }
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, L"Software\\KorvaneOverrideProbe"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"Software\\KorvaneOverrideProbe"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, scratch));
    // The real roots are back.
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, L"Software\\Microsoft"));
}

TEST(RegistryOverride, EachOverrideGetsFreshKeys) {
    RegistryOverride first;
    WriteDword(HKEY_CURRENT_USER, L"Software\\Seen", L"v", 1);
    const auto firstPath = first.scratchPath();
    {
        RegistryOverride second;
        EXPECT_NE(second.scratchPath(), firstPath);
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, L"Software\\Seen"));
    }
}

TEST(RegistryOverride, SweepsStaleScratchKeysAndKeepsRecentOnes) {
    const std::wstring root = RegistryOverride::kTestRoot;
    const std::wstring stale = root + L"\\1_99_1";
    const std::wstring recent = root + L"\\99999999999999999999_99_1";
    WriteDword(HKEY_CURRENT_USER, (stale + L"\\HKCU\\Deep").c_str(), L"v", 1);
    WriteDword(HKEY_CURRENT_USER, recent.c_str(), L"v", 1);
    { RegistryOverride isolated; }
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, stale));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, recent));
    RegDeleteKeyW(HKEY_CURRENT_USER, recent.c_str());
}

}  // namespace
}  // namespace registry_test

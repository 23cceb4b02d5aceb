// modRegistry over the real registry: the roots reach HKCU and HKLM, and text crosses the
// ANSI code page both ways.
#include <gtest/gtest.h>

#include <string>

#include "registry/mod_registry.h"
#include "registry/win32/advapi_registry.h"
#include "tests/win32/registry_override.h"
#include "toolkit/scripted_services.h"

namespace registry_test {
namespace {

using registry::Variant;

constexpr const char* kKey = "Software\\Microsoft\\Internet Explorer\\Main";

// The raw bytes of a value as the ANSI entry point gives them.
std::string RawValue(HKEY root, const char* path, const char* name, DWORD* type) {
    std::string data(64, '\0');
    DWORD size = static_cast<DWORD>(data.size());
    if (RegGetValueA(root, path, name, RRF_RT_ANY | RRF_NOEXPAND, type, data.data(), &size) !=
        ERROR_SUCCESS) {
        return "<no value>";
    }
    data.resize(size);
    return data;
}

class ModRegistryOnAdvapi : public ::testing::Test {
protected:
    RegistryOverride isolated;
    registry::AdvapiRegistry api;
    toolkit::ScriptedServices services;
    registry::modRegistry reg{api, services};
};

TEST_F(ModRegistryOnAdvapi, BothRootsAreReachedThroughTheirThirtyTwoBitValues) {
    reg.RegistrySetKeyValue(registry::kCurrentUser, kKey, "User", Variant("1"),
                            registry::kRegDword);
    reg.RegistrySetKeyValue(registry::kLocalMachine, kKey, "Machine", Variant("2"),
                            registry::kRegDword);
    DWORD type = 0;
    EXPECT_EQ(RawValue(HKEY_CURRENT_USER, kKey, "User", &type), std::string("\1\0\0\0", 4));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(RawValue(HKEY_LOCAL_MACHINE, kKey, "Machine", &type), std::string("\2\0\0\0", 4));
    EXPECT_EQ(RawValue(HKEY_LOCAL_MACHINE, kKey, "User", &type), "<no value>");
    EXPECT_EQ(reg.RegistryGetKeyValue(registry::kLocalMachine, kKey, "Machine"),
              Variant(std::int32_t{2}));
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(ModRegistryOnAdvapi, TextIsStoredInTheAnsiCodePageAndReadBack) {
    const std::string text = "Caf\xc3\xa9 \xc3\x9c";  // "Café Ü"
    std::string ansi(16, '\0');
    ansi.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_ACP, 0, L"Caf\u00e9 \u00dc", 6, ansi.data(), 16, nullptr, nullptr)));
    ASSERT_NE(ansi, text);  // the code page is not UTF-8, or this shows nothing

    reg.RegistrySetKeyValue(registry::kCurrentUser, kKey, "Window Title", Variant(text),
                            registry::kRegSz);
    DWORD type = 0;
    EXPECT_EQ(RawValue(HKEY_CURRENT_USER, kKey, "Window Title", &type), ansi + '\0');
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(reg.RegistryGetKeyValue(registry::kCurrentUser, kKey, "Window Title"), Variant(text));
    const std::string inner("a\0b", 3);  // the conversion keeps every character
    EXPECT_EQ(api.FromAnsi(api.ToAnsi(inner)), inner);
}

}  // namespace
}  // namespace registry_test

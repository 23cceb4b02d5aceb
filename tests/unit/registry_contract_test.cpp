#include "tests/registry_contract.h"

#include "tests/support/memory_registry.h"

using registry::kCurrentUser;
using support::MemoryRegistry;

INSTANTIATE_TEST_SUITE_P(Memory, RegistryContract,
                         ::testing::Values(RegistryBackend{
                             "MemoryRegistry", [] { return std::make_unique<MemoryRegistry>(); },
                             [](registry::RegistryApi& api) {
                                 return static_cast<MemoryRegistry&>(api).openHandles();
                             }}));

TEST(MemoryRegistryRefusal, ChangesUnderAReadOnlyKeyAreRefusedQuietly) {
    MemoryRegistry api;
    support::ScriptedPlatform platform;
    registry::modRegistry reg(api, platform);
    api.SeedDword(kCurrentUser, "Software\\Locked\\Leaf", "N", 1);
    api.SeedDword(kCurrentUser, "Software\\Open", "N", 1);
    api.SetReadOnly(kCurrentUser, "software\\LOCKED");
    const std::function<void()> changes[] = {
        [&] { reg.RegistrySetKeyValue(kCurrentUser, "Software\\Locked", "N", 2, 4); },
        [&] { reg.RegistrySetKeyValue(kCurrentUser, "Software\\Locked\\New", "N", "x", 1); },
        [&] { reg.RegistryDeleteValue(kCurrentUser, "Software\\Locked\\Leaf", "N"); },
        [&] { reg.RegistryDeleteKey(kCurrentUser, "Software\\Locked\\Leaf"); },
    };
    for (const auto& change : changes) {
        change();
        EXPECT_TRUE(reg.TakeRefusal());
    }
    EXPECT_EQ(api.journal, std::vector<std::string>());
    EXPECT_EQ(platform.messages.size(), 0u);
    EXPECT_FALSE(api.HasKey(kCurrentUser, "Software\\Locked\\New"));
    EXPECT_EQ(reg.RegistryGetKeyValue(kCurrentUser, "Software\\Locked\\Leaf", "N"),
              registry::Variant(std::int32_t{1}));
    reg.RegistryDeleteValue(kCurrentUser, "Software\\Open", "Missing");
    EXPECT_FALSE(reg.TakeRefusal());
    reg.RegistrySetKeyValue(kCurrentUser, "Software\\Locked", "N", 3, 4);
    reg.RegistrySetKeyValue(kCurrentUser, "software\\open", "N", std::string("yes"), 1);
    reg.RegistryDeleteValue(kCurrentUser, "Software\\Open", "n");
    EXPECT_TRUE(reg.TakeRefusal());  // later successes do not clear it
    EXPECT_EQ(api.journal, (std::vector<std::string>{"set HKCU\\Software\\Open\\N = sz \"yes\"",
                                                     "delete HKCU\\Software\\Open\\n"}));
    EXPECT_EQ(api.openHandles(), 0);
}

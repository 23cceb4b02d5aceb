// The harness's own promise: whatever a test or the program does to the registry, the guards
// put the prefix back as it was found.
#include <gtest/gtest.h>

#include <functional>

#include "tests/e2e/registry_access.h"
#include "tests/e2e/registry_snapshot.h"
#include "tests/e2e/value_seed.h"

namespace e2e {
namespace {

constexpr const char* kScratch = "Software\\KorvaneE2eScratch";

std::string Path(const std::string& below) {
    return std::string(kScratch) + "\\" + below;
}

class RegistryGuards : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteKeyTree(HKEY_CURRENT_USER, kScratch);
        WriteValue(HKEY_CURRENT_USER, Path("A"), "text", Sz("kept"));
        WriteValue(HKEY_CURRENT_USER, Path("A"), "number", Dword(7));
        WriteValue(HKEY_CURRENT_USER, Path("A\\B"), "bytes", Binary({1, 2, 3}));
    }
    void TearDown() override { DeleteKeyTree(HKEY_CURRENT_USER, kScratch); }

    static std::optional<StoredValue> At(const std::string& below, const char* name) {
        return ReadValue(HKEY_CURRENT_USER, Path(below), name);
    }
};

struct Meddling {
    const char* label;
    std::function<void()> change;
    friend void PrintTo(const Meddling& row, std::ostream* out) { *out << row.label; }
};

class TreeGuardUndoes : public RegistryGuards, public ::testing::WithParamInterface<Meddling> {};

TEST_P(TreeGuardUndoes, EveryKindOfChange) {
    {
        RegistryTreeGuard guard(HKEY_CURRENT_USER, kScratch);
        EXPECT_TRUE(guard.snapshot().Changes().empty());
        GetParam().change();
        EXPECT_FALSE(guard.snapshot().Changes().empty()) << "the change went unseen";
    }
    EXPECT_EQ(At("A", "text"), Sz("kept"));
    EXPECT_EQ(At("A", "number"), Dword(7));
    EXPECT_EQ(At("A\\B", "bytes"), Binary({1, 2, 3}));
    EXPECT_FALSE(At("A", "added").has_value());
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Path("A\\New")));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Path("C")));
}

INSTANTIATE_TEST_SUITE_P(
    Registry, TreeGuardUndoes,
    ::testing::Values(
        Meddling{"ChangedValue", [] { WriteValue(HKEY_CURRENT_USER, Path("A"), "text", Sz("x")); }},
        Meddling{"ChangedType",
                 [] { WriteValue(HKEY_CURRENT_USER, Path("A"), "number", Sz("7")); }},
        Meddling{"DeletedValue", [] { DeleteValue(HKEY_CURRENT_USER, Path("A"), "text"); }},
        Meddling{"AddedValue", [] { WriteValue(HKEY_CURRENT_USER, Path("A"), "added", Dword(1)); }},
        Meddling{"AddedKeys",
                 [] {
                     WriteValue(HKEY_CURRENT_USER, Path("A\\New\\Deeper"), "v", Dword(1));
                     WriteValue(HKEY_CURRENT_USER, Path("C"), "v", Dword(1));
                 }},
        Meddling{"DeletedKeyTree", [] { DeleteKeyTree(HKEY_CURRENT_USER, Path("A")); }},
        Meddling{"DeletedWholeTree", [] { DeleteKeyTree(HKEY_CURRENT_USER, kScratch); }}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(RegistryGuards, ChangesNameWhatChanged) {
    const RegistrySnapshot before(HKEY_CURRENT_USER, kScratch);
    WriteValue(HKEY_CURRENT_USER, Path("A"), "number", Dword(8));
    WriteValue(HKEY_CURRENT_USER, Path("A\\B"), "new", Sz("n"));
    DeleteKeyTree(HKEY_CURRENT_USER, Path("A\\B"));
    const std::string root = std::string(kScratch) + "\\A";
    EXPECT_EQ(before.Changes(),
              (std::vector<std::string>{root + "\\number: was REG_DWORD 7, now REG_DWORD 8",
                                        root + "\\B: key deleted"}));
}

TEST_F(RegistryGuards, TreeGuardOfAMissingKeyRemovesWhatWasCreated) {
    {
        RegistryTreeGuard guard(HKEY_CURRENT_USER, Path("Missing"));
        WriteValue(HKEY_CURRENT_USER, Path("Missing\\Deep"), "v", Dword(1));
    }
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Path("Missing")));
}

TEST_F(RegistryGuards, ValueSeedPutsBackTheOldValueOrItsAbsence) {
    {
        ValueSeed replaced(HKEY_CURRENT_USER, Path("A"), "text", Sz("seeded"));
        ValueSeed removed(HKEY_CURRENT_USER, Path("A"), "number", std::nullopt);
        ValueSeed added(HKEY_CURRENT_USER, Path("A"), "fresh", Dword(3));
        EXPECT_EQ(At("A", "text"), Sz("seeded"));
        EXPECT_FALSE(At("A", "number").has_value());
        EXPECT_EQ(At("A", "fresh"), Dword(3));
    }
    EXPECT_EQ(At("A", "text"), Sz("kept"));
    EXPECT_EQ(At("A", "number"), Dword(7));
    EXPECT_FALSE(At("A", "fresh").has_value());
}

TEST_F(RegistryGuards, ValueSeedRemovesTheKeysItCreated) {
    {
        ValueSeed deep(HKEY_CURRENT_USER, Path("A\\X\\Y"), "v", Dword(1));
        // Whatever else lands in the new keys goes with them.
        WriteValue(HKEY_CURRENT_USER, Path("A\\X"), "other", Dword(2));
    }
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Path("A\\X")));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, Path("A\\B")));
}

TEST(StoredValues, ReadAsTextOrNumberOnlyWithTheirOwnType) {
    EXPECT_EQ(TextOf(Sz("a b")), "a b");
    EXPECT_EQ(TextOf(Dword(1)), std::nullopt);
    EXPECT_EQ(TextOf(ExpandSz("x")), std::nullopt);
    EXPECT_EQ(DwordOf(Dword(0xFFFFFFFF)), 0xFFFFFFFFu);
    EXPECT_EQ(DwordOf(Binary({1, 0, 0, 0})), std::nullopt);
    EXPECT_EQ(DwordOf(StoredValue{REG_DWORD, {1, 0}}), std::nullopt);
    EXPECT_EQ(Describe(std::optional<StoredValue>{}), "absent");
    EXPECT_EQ(Describe(Sz("q")), "REG_SZ \"q\"");
}

}  // namespace
}  // namespace e2e

// What modRegistry does over any backend of the registry port. Include it in one test file per
// binary and instantiate it there:
//   INSTANTIATE_TEST_SUITE_P(Memory, RegistryContract, ::testing::Values(RegistryBackend{...}));
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

#include "registry/mod_registry.h"
#include "tests/support/scripted_platform.h"
#include "toolkit/text.h"

struct RegistryBackend {
    std::string name;  // names the instantiated cases
    // A backend for one case; every case works below `scratch`, which must be empty.
    std::function<std::unique_ptr<registry::RegistryApi>()> make;
    // The handles left open, or -1 when the backend cannot tell.
    std::function<int(registry::RegistryApi&)> openHandles;
    registry::Key root = registry::kCurrentUser;
    std::string scratch = "Software\\KorvaneTest";
};

inline void PrintTo(const RegistryBackend& backend, std::ostream* out) {
    *out << backend.name;
}

class RegistryContract : public ::testing::TestWithParam<RegistryBackend> {
protected:
    using Bytes = registry::Bytes;
    using Variant = registry::Variant;

    void TearDown() override {
        EXPECT_EQ(platform_.messages, expected_);
        const int open = GetParam().openHandles ? GetParam().openHandles(*api_) : -1;
        EXPECT_TRUE(open <= 0) << open << " handles left open";
    }

    // UTF-16LE, the order of every host we build for.
    static Bytes Le(std::u16string_view text) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
        return Bytes(bytes, bytes + text.size() * 2);
    }
    std::string Path(const std::string& sub) const { return GetParam().scratch + "\\" + sub; }
    // Straight through the port, past modRegistry's conversions; `write` creates the key.
    registry::Opened Open(const std::string& sub, bool write = false) {
        const std::u16string path = toolkit::ToUtf16(Path(sub));
        return write ? api_->CreateKey(root_, path, registry::kWriteAccess)
                     : api_->OpenKey(root_, path, registry::kQueryValue);
    }
    bool HasKey(const std::string& sub) { return registry::KeyHandle(*api_, Open(sub)).get() != 0; }
    void Seed(const std::string& sub, const std::string& name, std::uint32_t type, Bytes data) {
        const registry::KeyHandle key(*api_, Open(sub, true));
        EXPECT_EQ(api_->SetValue(key.get(), toolkit::ToUtf16(name), type, data),
                  registry::kSuccess);
    }
    std::optional<std::pair<std::uint32_t, Bytes>> Raw(const std::string& sub,
                                                       const std::string& name) {
        const registry::KeyHandle key(*api_, Open(sub));
        const std::u16string value = toolkit::ToUtf16(name);
        const registry::Queried probe = api_->QueryValue(key.get(), value, {});
        Bytes data(probe.status == registry::kSuccess ? probe.size : 0);
        if (probe.status != registry::kSuccess ||
            (!data.empty() &&
             api_->QueryValue(key.get(), value, data).status != registry::kSuccess)) {
            return std::nullopt;
        }
        return std::pair{probe.type, data};
    }

    std::unique_ptr<registry::RegistryApi> api_ = GetParam().make();
    registry::Key root_ = GetParam().root;
    support::ScriptedPlatform platform_;
    registry::modRegistry reg_{*api_, platform_};
    std::vector<support::ScriptedPlatform::Shown> expected_;
};

TEST_P(RegistryContract, ReadsOfWhatIsMissingAreEmptyAndCreateNothing) {
    EXPECT_EQ(reg_.RegistryGetKeyValue(root_, Path("Absent"), "N"), Variant());
    EXPECT_FALSE(HasKey("Absent"));
    Seed("Present", "Other", registry::kRegDword, {1, 0, 0, 0});
    EXPECT_EQ(reg_.RegistryGetKeyValue(root_, Path("Present"), "N"), Variant());
}

TEST_P(RegistryContract, ReadsConvertByStoredType) {
    using namespace std::string_view_literals;
    const struct {
        const char* what;
        std::uint32_t type;
        Bytes stored;
        Variant expected;
    } cases[] = {
        {"text up to its NUL", 1, Le(u"abc\0def"sv), std::string("abc")},
        {"empty text", 1, {}, std::string()},
        {"odd byte count", 1, {'a', 0, 'b', 0, 'c'}, std::string("ab")},
        {"expandable text", 2, Le(u"%TEMP%\0"sv), Variant()},
        {"text list", 7, Le(u"a\0b\0\0"sv), Variant()},
        {"dword", 4, {4, 0, 0, 0}, std::int32_t{4}},
        {"dword, all bits", 4, {0xFF, 0xFF, 0xFF, 0xFF}, std::int32_t{-1}},
        {"dword of 8 bytes", 4, {1, 0, 0, 0, 0, 0, 0, 0}, Variant()},
        {"dword of 2 bytes", 4, {0x34, 0x12}, std::int32_t{0x1234}},
        {"bytes", 3, {0, 0xFF, 7}, Bytes{0, 0xFF, 7}},
        {"no bytes", 3, {}, Bytes{}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Seed("Read", "Value", c.type, c.stored);
        EXPECT_EQ(reg_.RegistryGetKeyValue(root_, Path("Read"), "Value"), c.expected);
    }
}

TEST_P(RegistryContract, WritesStoreExactBytes) {
    using namespace std::string_view_literals;
    const struct {
        Variant value;
        std::uint32_t type;
        Bytes stored;
    } cases[] = {
        {std::string("no"), 1, Le(u"no\0"sv)},
        {std::int32_t{4}, 1, Le(u"4\0"sv)},
        {std::string("Ωmega 東京 😀"), 1, Le(u"Ωmega 東京 😀\0"sv)},
        {std::string("1"), 4, {1, 0, 0, 0}},
        {std::int16_t{0}, 4, {0, 0, 0, 0}},
        {std::int32_t{-2}, 4, {0xFE, 0xFF, 0xFF, 0xFF}},
        {Bytes{1, 0, 2}, 3, {1, 0, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(registry::ToText(c.value));
        reg_.RegistrySetKeyValue(root_, Path("Write"), "Value", c.value, c.type);
        EXPECT_EQ(Raw("Write", "Value"), std::pair(c.type, c.stored));
    }
    const Variant text = std::string("Ωmega 東京 😀");
    reg_.RegistrySetKeyValue(root_, Path("Write"), "Value", text, 1);
    EXPECT_EQ(reg_.RegistryGetKeyValue(root_, Path("Write"), "Value"), text);
}

TEST_P(RegistryContract, WriteOfTextThatIsNoNumberIsReportedAfterCreatingTheKey) {
    reg_.RegistrySetKeyValue(root_, Path("Bad"), "N", std::string("x"), registry::kRegDword);
    EXPECT_EQ(Raw("Bad", "N"), std::nullopt);
    EXPECT_TRUE(HasKey("Bad"));
    expected_ = {{"Error: 13. Type mismatch", "RegistrySetKeyValue"}};
}

TEST_P(RegistryContract, WriteCreatesEveryMissingLevel) {
    reg_.RegistrySetKeyValue(root_, Path("A\\B\\C"), "N", std::int32_t{7}, registry::kRegDword);
    EXPECT_TRUE(HasKey("A"));
    EXPECT_TRUE(HasKey("A\\B"));
    EXPECT_EQ(reg_.RegistryGetKeyValue(root_, Path("a\\b\\c"), "n"), Variant(std::int32_t{7}));
}

TEST_P(RegistryContract, WriteOfAnUnknownTypeOnlyCreatesTheKey) {
    reg_.RegistrySetKeyValue(root_, Path("Multi"), "N", std::string("x"), 7);
    EXPECT_TRUE(HasKey("Multi"));
    EXPECT_EQ(Raw("Multi", "N"), std::nullopt);
}

TEST_P(RegistryContract, DeleteValueTakesOnlyThatValue) {
    reg_.RegistryDeleteValue(root_, Path("Absent"), "N");
    EXPECT_FALSE(HasKey("Absent"));
    Seed("Keep", "N", registry::kRegDword, {1, 0, 0, 0});
    Seed("Keep", "Other", registry::kRegDword, {2, 0, 0, 0});
    reg_.RegistryDeleteValue(root_, Path("Keep"), "Absent");
    reg_.RegistryDeleteValue(root_, Path("Keep"), "n");
    EXPECT_EQ(Raw("Keep", "N"), std::nullopt);
    EXPECT_EQ(Raw("Keep", "Other"), std::pair(registry::kRegDword, Bytes{2, 0, 0, 0}));
    EXPECT_FALSE(reg_.TakeRefusal());
}

TEST_P(RegistryContract, DeleteKeyTakesAKeyWithValuesButNotOneWithSubKeys) {
    Seed("Gone", "N", registry::kRegSz, Le(u"x"));
    Seed("Parent\\Child", "N", registry::kRegDword, {1, 0, 0, 0});
    reg_.RegistryDeleteKey(root_, Path("Gone"));
    reg_.RegistryDeleteKey(root_, Path("Absent"));
    EXPECT_FALSE(reg_.TakeRefusal());
    EXPECT_FALSE(HasKey("Gone"));
    reg_.RegistryDeleteKey(root_, Path("Parent"));
    EXPECT_TRUE(HasKey("Parent\\Child"));
}

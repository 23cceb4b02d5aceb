// What modRegistry does over any backend of the registry port, instantiated once per binary.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <tuple>

#include "registry/mod_registry.h"
#include "tests/support/scripted_platform.h"
#include "toolkit/text.h"

struct RegistryBackend {
    std::string name;
    // A backend for one case; each case works below HKCU\Software\KorvaneTest, which is empty.
    std::function<std::unique_ptr<registry::RegistryApi>()> make;
    std::function<int(registry::RegistryApi&)> openHandles;  // unset when it cannot tell
    friend void PrintTo(const RegistryBackend& backend, std::ostream* out) { *out << backend.name; }
};

class RegistryContract : public ::testing::TestWithParam<RegistryBackend> {
protected:
    using Bytes = registry::Bytes;
    using Variant = registry::Variant;
    static constexpr registry::Key kRoot = registry::kCurrentUser;

    void TearDown() override {
        EXPECT_EQ(platform_.messages, expected_);
        EXPECT_EQ(GetParam().openHandles ? GetParam().openHandles(*api_) : 0, 0) << "left open";
    }
    // UTF-16LE, the order of every host we build for, closing NUL included.
    template <std::size_t N>
    static Bytes Le(const char16_t (&text)[N]) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(text);
        return Bytes(bytes, bytes + N * 2);
    }
    static std::string Path(const std::string& sub) { return "Software\\KorvaneTest\\" + sub; }
    // Straight through the port, past modRegistry's conversions; `write` creates the key.
    registry::KeyHandle Open(const std::string& sub, bool write = false) {
        const std::u16string path = toolkit::ToUtf16(Path(sub));
        return {*api_, write ? api_->CreateKey(kRoot, path, registry::kWriteAccess)
                             : api_->OpenKey(kRoot, path, registry::kQueryValue)};
    }
    // The type and bytes stored; type 0 and no bytes when there is no such value.
    std::pair<std::uint32_t, Bytes> Raw(const std::string& sub, std::u16string_view name) {
        Bytes data(64);
        const registry::Queried read = api_->QueryValue(Open(sub).get(), name, data);
        data.resize(read.status == registry::kSuccess ? read.size : 0);
        return {read.status == registry::kSuccess ? read.type : 0, data};
    }

    std::unique_ptr<registry::RegistryApi> api_ = GetParam().make();
    support::ScriptedPlatform platform_;
    registry::modRegistry reg_{*api_, platform_};
    std::vector<std::string> expected_;
};

TEST_P(RegistryContract, ReadsConvertByStoredTypeAndWhatIsMissingIsEmpty) {
    const std::tuple<std::uint32_t, Bytes, Variant> cases[] = {
        // clang-format off
        {1, Le(u"abc\0def"), std::string("abc")}, {1, {}, std::string()},
        {1, {'a', 0, 'b', 0, 'c'}, std::string("ab")}, {2, Le(u"%TEMP%"), Variant()},
        {1, Le(u"Ωmega 東京 😀"), std::string("Ωmega 東京 😀")}, {7, Le(u"a\0b\0"), Variant()},
        {4, {0xFE, 0xFF, 0xFF, 0xFF}, std::int32_t{-2}}, {4, {0x34, 0x12}, std::int32_t{0x1234}},
        {4, {1, 0, 0, 0, 0, 0, 0, 0}, Variant()}, {3, {0, 0xFF, 7}, Bytes{0, 0xFF, 7}},
        {3, {}, Bytes{}},
        // clang-format on
    };
    for (const auto& [type, stored, expected] : cases) {
        api_->SetValue(Open("Read", true).get(), u"Value", type, stored);
        EXPECT_EQ(reg_.RegistryGetKeyValue(kRoot, Path("Read"), "Value"), expected) << type;
    }
    EXPECT_EQ(reg_.RegistryGetKeyValue(kRoot, Path("Read"), "Absent"), Variant());
    EXPECT_EQ(reg_.RegistryGetKeyValue(kRoot, Path("Absent"), "Value"), Variant());
    EXPECT_EQ(Open("Absent").get(), 0u);  // a read creates no key
}

// Each write creates its key, even with text that is no number (reported) or an unknown type.
TEST_P(RegistryContract, WritesCreateTheKeyAndStoreExactBytes) {
    const std::tuple<Variant, std::uint32_t, Bytes> cases[] = {
        // clang-format off
        {std::string("no"), 1, Le(u"no")}, {std::string("x"), 4, {}}, {std::string("x"), 7, {}},
        {std::string("Ωmega 東京 😀"), 1, Le(u"Ωmega 東京 😀")},
        {std::string("-70000"), 4, {0x90, 0xEE, 0xFE, 0xFF}}, {std::int16_t{0}, 4, {0, 0, 0, 0}},
        // numeric text as the platform reads it: half to even, signs after, parentheses, "$",
        // separators, exponents, and &H / &O bit patterns of the target's width
        {std::string(" 2.5 "), 4, {2, 0, 0, 0}}, {std::string("3.5"), 4, {4, 0, 0, 0}},
        {std::string("1-"), 4, {0xFF, 0xFF, 0xFF, 0xFF}}, {std::string("(1)"), 4, {0xFF, 0xFF, 0xFF, 0xFF}},
        {std::string("$1,000"), 4, {0xE8, 3, 0, 0}}, {std::string("1e3"), 4, {0xE8, 3, 0, 0}},
        {std::string("&HFFFFFFFF"), 4, {0xFF, 0xFF, 0xFF, 0xFF}}, {std::string("&O17"), 4, {15, 0, 0, 0}},
        {std::string("+-1"), 4, {}}, {std::string("2147483648"), 4, {}}, {std::string("&H"), 4, {}},
        // clang-format on
    };
    int row = 0;
    for (const auto& [value, type, stored] : cases) {
        const std::string sub = "Row" + std::to_string(row++) + "\\Deep";
        reg_.RegistrySetKeyValue(kRoot, Path(sub), "N", value, type);
        EXPECT_NE(Open(sub).get(), 0u) << sub;
        EXPECT_EQ(Raw(sub, u"N"), std::pair(stored.empty() ? 0 : type, stored)) << sub;
    }
    const std::string mismatch = "RegistrySetKeyValue: Error: 13. Type mismatch";
    expected_ = {mismatch, mismatch, "RegistrySetKeyValue: Error: 6. Overflow", mismatch};
}

TEST_P(RegistryContract, DeletesTakeOnlyWhatIsNamedAndThereAndNotAKeyWithSubKeys) {
    api_->SetValue(Open("Parent\\Child", true).get(), u"N", registry::kRegDword, Bytes(4, 1));
    api_->SetValue(Open("Parent\\Child", true).get(), u"Other", registry::kRegDword, Bytes(4, 1));
    reg_.RegistryDeleteValue(kRoot, Path("Absent"), "N");
    EXPECT_EQ(Open("Absent").get(), 0u);
    reg_.RegistryDeleteKey(kRoot, Path("Absent"));
    reg_.RegistryDeleteValue(kRoot, Path("Parent\\Child"), "Absent");
    reg_.RegistryDeleteValue(kRoot, Path("Parent\\Child"), "n");
    EXPECT_EQ(Raw("Parent\\Child", u"N").first, 0u);
    EXPECT_EQ(Raw("Parent\\Child", u"Other"), std::pair(registry::kRegDword, Bytes(4, 1)));
    reg_.RegistryDeleteKey(kRoot, Path("Parent"));
    EXPECT_NE(Open("Parent\\Child").get(), 0u);
    reg_.RegistryDeleteKey(kRoot, Path("Parent\\Child"));
    EXPECT_EQ(Open("Parent\\Child").get(), 0u);  // with its values
    EXPECT_FALSE(reg_.TakeRefusal());
}

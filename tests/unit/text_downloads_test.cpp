// The concurrent downloads box: its loader, its two values kept equal on every change, the
// key filter, and what pasted text that is no 32-bit number does.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "text_form_fixture.h"

namespace text_test {
namespace {

using settings::kMaxConnections;
using settings::kMaxConnections1_0;

// Both values as REG_DWORD `number`.
void ExpectBothDwords(const registry::MemoryRegistry& store, std::uint32_t number) {
    for (const auto& value : {kMaxConnections, kMaxConnections1_0}) {
        const auto stored = store.Get(value.root, value.keyPath, value.valueName);
        ASSERT_TRUE(stored.has_value()) << value.valueName;
        EXPECT_EQ(stored->type, registry::kRegDword) << value.valueName;
        EXPECT_EQ(store.GetDword(value.root, value.keyPath, value.valueName), number)
            << value.valueName;
    }
}

void ExpectNeither(const registry::MemoryRegistry& store) {
    for (const auto& value : {kMaxConnections, kMaxConnections1_0}) {
        EXPECT_FALSE(store.Get(value.root, value.keyPath, value.valueName).has_value())
            << value.valueName;
    }
}

struct StartupCase {
    const char* name;
    std::optional<std::uint32_t> perServer;  // nothing: the value is missing
    std::optional<std::uint32_t> per1_0Server;
    std::string shown;
    std::uint32_t written;
};

class DownloadsStartup : public TextForm, public ::testing::WithParamInterface<StartupCase> {};

TEST_P(DownloadsStartup, BoxShowsTheFirstValueAndBothTakeIt) {
    const auto& row = GetParam();
    if (row.perServer) {
        SeedDword(kMaxConnections, *row.perServer);
    }
    if (row.per1_0Server) {
        SeedDword(kMaxConnections1_0, *row.per1_0Server);
    }
    Load();
    EXPECT_EQ(Box(kMaxConnections).text(), row.shown);
    EXPECT_EQ(Box(kMaxConnections).tooltip(), row.shown);
    ExpectBothDwords(registry_, row.written);
    EXPECT_TRUE(services_.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Values, DownloadsStartup,
    ::testing::Values(StartupCase{"MissingShowsTwo", std::nullopt, std::nullopt, "2", 2},
                      StartupCase{"SecondFollowsTheFirst", 4, 8, "4", 4},
                      StartupCase{"OnlySecondStoredIsNotRead", std::nullopt, 8, "2", 2},
                      StartupCase{"ZeroIsAValue", 0, std::nullopt, "0", 0},
                      StartupCase{"LargestPositive", 2147483647, 1, "2147483647", 2147483647}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextForm, DownloadsStoredAsTextIsWrittenBackAsDword) {
    SeedText(kMaxConnections, "6");
    Load();
    EXPECT_EQ(Box(kMaxConnections).text(), "6");
    ExpectBothDwords(registry_, 6);
}

// After start-up the box holds "2"; one backspace empties it.
class DownloadsTyping : public TextForm {
protected:
    void SetUp() override {
        Load();
        Box(kMaxConnections).UserType(8);
        ASSERT_EQ(Box(kMaxConnections).text(), "");
        registry_.ClearJournal();
    }
};

TEST_F(DownloadsTyping, EmptyingTheBoxDeletesBothValues) {
    ExpectNeither(registry_);
    EXPECT_EQ(Box(kMaxConnections).tooltip(), "");
}

TEST_F(DownloadsTyping, EveryKeystrokeWritesBothValues) {
    auto& box = Box(kMaxConnections);
    box.UserType('1');
    ExpectBothDwords(registry_, 1);
    box.UserType('0');
    EXPECT_EQ(box.text(), "10");
    EXPECT_EQ(box.tooltip(), "10");
    ExpectBothDwords(registry_, 10);
    box.UserType(8);
    ExpectBothDwords(registry_, 1);
    box.UserType(8);
    ExpectNeither(registry_);
    // The second value always right after the first, one write or delete each per change.
    const auto changes = registry_.Changes();
    std::vector<std::string> names;
    for (const auto& entry : changes) {
        if (entry.op == registry::RegistryOp::SetValue ||
            entry.op == registry::RegistryOp::DeleteValue) {
            names.push_back(entry.name);
        }
    }
    const std::string first(kMaxConnections.valueName);
    const std::string second(kMaxConnections1_0.valueName);
    EXPECT_EQ(names, (std::vector<std::string>{first, second, first, second, first, second, first,
                                               second}));
    EXPECT_TRUE(services_.messages.empty());
}

TEST_F(DownloadsTyping, LeadingZerosAreWrittenAsTheNumber) {
    Box(kMaxConnections).UserPaste("007");
    EXPECT_EQ(Box(kMaxConnections).text(), "007");
    ExpectBothDwords(registry_, 7);
}

struct KeyCase {
    const char* name;
    std::int16_t code;
    bool passes;
    std::string textAfter;                 // typed into the emptied box
    std::optional<std::uint32_t> written;  // nothing: neither value exists and none was written
};

class DownloadsKeyFilter : public DownloadsTyping, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(DownloadsKeyFilter, OnlyBackspaceAndDigitsPass) {
    const auto& row = GetParam();
    EXPECT_EQ(Box(kMaxConnections).UserKeyPress(row.code), row.passes ? row.code : 0);

    Box(kMaxConnections).UserType(row.code);
    EXPECT_EQ(Box(kMaxConnections).text(), row.textAfter);
    if (row.written) {
        ExpectBothDwords(registry_, *row.written);
    } else {
        ExpectNeither(registry_);
        EXPECT_TRUE(registry_.Changes().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DownloadsKeyFilter,
    ::testing::Values(KeyCase{"LetterLower", 'a', false, "", std::nullopt},
                      KeyCase{"LetterUpper", 'Z', false, "", std::nullopt},
                      KeyCase{"Space", ' ', false, "", std::nullopt},
                      KeyCase{"Minus", '-', false, "", std::nullopt},
                      KeyCase{"FullStop", '.', false, "", std::nullopt},
                      KeyCase{"CharacterBeforeZero", '/', false, "", std::nullopt},
                      KeyCase{"CharacterAfterNine", ':', false, "", std::nullopt},
                      KeyCase{"Tab", 9, false, "", std::nullopt},
                      KeyCase{"Enter", 13, false, "", std::nullopt},
                      KeyCase{"ControlV", 22, false, "", std::nullopt},
                      KeyCase{"NonAsciiDigit", static_cast<std::int16_t>(0x0663), false, "",
                              std::nullopt},
                      KeyCase{"BackspaceOnEmptyBox", 8, true, "", std::nullopt},
                      KeyCase{"Zero", '0', true, "0", 0}, KeyCase{"Nine", '9', true, "9", 9}),
    [](const auto& info) { return std::string(info.param.name); });

struct PasteCase {
    const char* name;
    std::string pasted;
    std::optional<std::uint32_t> written;  // nothing: two reports and neither value written
    std::string report;
};

class DownloadsPaste : public DownloadsTyping, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(DownloadsPaste, PastedTextIsNotFilteredButMustBeA32BitNumber) {
    const auto& row = GetParam();
    Box(kMaxConnections).UserPaste(row.pasted);
    EXPECT_EQ(Box(kMaxConnections).text(), row.pasted);
    EXPECT_EQ(Box(kMaxConnections).tooltip(), row.pasted);
    if (row.written) {
        ExpectBothDwords(registry_, *row.written);
        EXPECT_TRUE(services_.messages.empty());
        return;
    }
    ExpectNeither(registry_);
    ASSERT_EQ(services_.messages.size(), 2u);
    for (const auto& message : services_.messages) {
        EXPECT_EQ(message.title, "RegistrySetKeyValue");
        EXPECT_EQ(message.prompt, row.report);
        EXPECT_EQ(message.buttons, toolkit::kOkOnly);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pasted, DownloadsPaste,
    ::testing::Values(PasteCase{"LargestNumber", "2147483647", 2147483647u, ""},
                      PasteCase{"OneTooLarge", "2147483648", std::nullopt, "Error: 6. Overflow"},
                      PasteCase{"Negative", "-1", 0xFFFFFFFFu, ""},
                      PasteCase{"NotANumber", "12ab", std::nullopt, "Error: 13. Type mismatch"},
                      PasteCase{"OnlySpaces", "  ", std::nullopt, "Error: 13. Type mismatch"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DownloadsTyping, RejectedTextIsTriedAgainOnTheNextChange) {
    auto& box = Box(kMaxConnections);
    box.UserPaste("2147483648");
    ASSERT_EQ(services_.messages.size(), 2u);
    box.UserType(8);
    EXPECT_EQ(box.text(), "214748364");
    ExpectBothDwords(registry_, 214748364);
    EXPECT_EQ(services_.messages.size(), 2u);
}

}  // namespace
}  // namespace text_test

// The concurrent downloads box: its loader, its two values kept equal on every change, the
// key filter, and what pasted text that is no 32-bit number does.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "text_form_fixture.h"

namespace text_test {
namespace {

using settings::kMaxConnections;
using settings::kMaxConnections1_0;

class Downloads : public TextForm {
protected:
    // Both values as REG_DWORD `number`, or both missing.
    void ExpectBoth(std::optional<std::uint32_t> number) {
        const std::string expected =
            number ? "REG_DWORD " + std::to_string(*number) : std::string("missing");
        EXPECT_EQ(Stored(kMaxConnections), expected);
        EXPECT_EQ(Stored(kMaxConnections1_0), expected);
    }
};

TEST_F(Downloads, AtStartTheBoxShowsTheFirstValueAndBothTakeIt) {
    const struct {
        std::optional<std::uint32_t> perServer, per1_0Server;  // nothing: missing
        std::string shown;
    } rows[] = {{std::nullopt, std::nullopt, "2"}, {4, 8, "4"}, {std::nullopt, 8, "2"}};
    for (const auto& row : rows) {
        registry::MemoryRegistry store;
        store.PutText(registry::kLocalMachine, "Software\\Microsoft\\Internet Explorer", "Version",
                      "6.0");
        for (const auto& [value, number] : {std::pair{kMaxConnections, row.perServer},
                                            std::pair{kMaxConnections1_0, row.per1_0Server}}) {
            if (number) {
                store.PutDword(value.root, value.keyPath, value.valueName, *number);
            }
        }
        app::frmKorvane form(store, services_, shell_);
        form.Form_Load();
        EXPECT_EQ(form.controls().textBox(kMaxConnections.control).text(), row.shown);
        for (const auto& value : {kMaxConnections, kMaxConnections1_0}) {
            EXPECT_EQ(store.GetDword(value.root, value.keyPath, value.valueName),
                      std::stoul(row.shown))
                << value.valueName;
        }
    }
    EXPECT_TRUE(services_.messages.empty());
}

// After start-up the box holds "2"; one backspace empties it and deletes both values.
class DownloadsTyping : public Downloads {
protected:
    void SetUp() override {
        Load();
        box().UserType(8);
        ASSERT_EQ(box().text(), "");
        ExpectBoth(std::nullopt);
        registry_.ClearJournal();
    }
    toolkit::TextBox& box() { return Box(kMaxConnections); }
};

TEST_F(DownloadsTyping, EveryKeystrokeWritesBothValuesInTurn) {
    box().UserType('1');
    ExpectBoth(1);
    box().UserType('0');
    ExpectShown(kMaxConnections, "10");
    ExpectBoth(10);
    box().UserType(8);
    ExpectBoth(1);
    box().UserType(8);
    ExpectBoth(std::nullopt);
    // The second value always right after the first, one write or delete each per change.
    std::vector<std::string> names;
    for (const auto& entry : registry_.Changes()) {
        if (entry.op != registry::RegistryOp::CreateKey) {
            names.push_back(entry.name);
        }
    }
    const std::string first(kMaxConnections.valueName);
    const std::string second(kMaxConnections1_0.valueName);
    EXPECT_EQ(names, (std::vector<std::string>{first, second, first, second, first, second, first,
                                               second}));
    EXPECT_TRUE(services_.messages.empty());
}

TEST_F(DownloadsTyping, OnlyBackspaceAndDigitsPass) {
    const std::int16_t refused[] = {'a', 'Z', ' ', '-', '.', '/', ':', 9, 13, 22, 0x0663};
    for (const auto code : refused) {
        EXPECT_EQ(box().UserKeyPress(code), 0) << code;
        box().UserType(code);
    }
    EXPECT_EQ(box().UserKeyPress(8), 8);
    box().UserType(8);  // on the empty box: nothing to delete
    EXPECT_EQ(box().text(), "");
    EXPECT_TRUE(registry_.Changes().empty());
    box().UserType('0');
    box().UserType('9');
    EXPECT_EQ(box().text(), "09");
    ExpectBoth(9);
}

TEST_F(DownloadsTyping, PastedTextIsNotFilteredButMustBeA32BitNumber) {
    const struct {
        std::string pasted;
        std::optional<std::uint32_t> written;  // nothing: two reports and neither value written
        std::string report;
    } rows[] = {
        {"2147483647", 2147483647u, ""},
        {"2147483648", std::nullopt, "Error: 6. Overflow"},
        {"12ab", std::nullopt, "Error: 13. Type mismatch"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pasted);
        box().UserEdit("");
        services_.messages.clear();
        box().UserPaste(row.pasted);
        ExpectShown(kMaxConnections, row.pasted);
        ExpectBoth(row.written);
        ASSERT_EQ(services_.messages.size(), row.written ? 0u : 2u);
        for (const auto& message : services_.messages) {
            EXPECT_EQ(message.title, "RegistrySetKeyValue");
            EXPECT_EQ(message.prompt, row.report);
            EXPECT_EQ(message.buttons, toolkit::kOkOnly);
        }
    }
}

}  // namespace
}  // namespace text_test

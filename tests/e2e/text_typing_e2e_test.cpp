// The text boxes typed into like a user: which keystrokes reach the registry, as what, and
// what start-up and closing the window write.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "tests/e2e/harness.h"
#include "tests/e2e/text_test_support.h"
#include "tests/e2e/tooltip_query.h"

namespace e2e {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class TextStartUp : public KorvaneTest {};

TEST_F(TextStartUp, LoadersFillTheBoxesTheDirectoryBoxWritesNothingAndClosingWritesTheBitmap) {
    SeedVersion(Sz("6.0.2800.1106"));
    Seed(HKEY_CURRENT_USER, kBrowserKey, "Download Directory", Sz("C:\\Seeded dir"));
    // A type the registry layer does not read: the box stays empty and nothing is written.
    Seed(HKEY_CURRENT_USER, kMainKey, "Window Title", ExpandSz("%TITLE%"));
    Seed(HKEY_CURRENT_USER, kToolbarKey, "BackBitmap", std::nullopt);
    Seed(HKEY_CURRENT_USER, kSettingsKey, "MaxConnectionsPerServer", std::nullopt);
    Seed(HKEY_CURRENT_USER, kSettingsKey, "MaxConnectionsPer1_0Server", Dword(8));
    Korvane& korvane = StartShown();

    EXPECT_EQ(Text(korvane.Control("txtDefaultDir")), "C:\\Seeded dir");
    EXPECT_EQ(Text(korvane.Control("txtIETitle")), "");
    EXPECT_EQ(Text(korvane.Control("txtBackground")), "");
    EXPECT_EQ(Text(korvane.Control("txtDownload")), "2");
    EXPECT_EQ(TooltipText(korvane.pid(), korvane.Control("txtDefaultDir")), "C:\\Seeded dir");
    EXPECT_EQ(TooltipText(korvane.pid(), korvane.Control("txtDownload")), "2");
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kMainKey, "Window Title"), ExpandSz("%TITLE%"));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kToolbarKey, "BackBitmap"), std::nullopt);
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kSettingsKey, "MaxConnectionsPerServer"), Dword(2));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kSettingsKey, "MaxConnectionsPer1_0Server"), Dword(2));

    const ProgramKeys afterStart;
    const HWND directory = korvane.Control("txtDefaultDir");
    MouseClick(directory);
    PressKey(directory, VK_END);
    Type(directory, "\\new\b\bx");
    EXPECT_EQ(AwaitText(directory, "C:\\Seeded dir\\nx"), "C:\\Seeded dir\\nx");
    EXPECT_EQ(TooltipText(korvane.pid(), directory), "C:\\Seeded dir\\nx");
    EXPECT_THAT(afterStart.Changes(), IsEmpty()) << "typing into the directory box wrote";

    EXPECT_NE(korvane.CloseAndWait(), ProgramProcess::kTerminatedCode);
    // The bitmap box was never touched: the unload writes the empty text, and nothing else.
    EXPECT_THAT(afterStart.Changes(), ElementsAre(HasSubstr("Internet Explorer\\Toolbar")));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kToolbarKey, "BackBitmap"), Sz(""));
}

// A text box whose every change is written at once as the REG_SZ behind it.
struct WrittenBox {
    const char* control;
    const char* keyPath;
    const char* valueName;
    friend void PrintTo(const WrittenBox& row, std::ostream* out) { *out << row.control; }
};

// Keystrokes and the text they leave in the box.
struct Keystrokes {
    const char* keys;
    const char* text;
};

class EveryChangeWritten : public KorvaneTest, public ::testing::WithParamInterface<WrittenBox> {};

TEST_P(EveryChangeWritten, TypingWritesTheTextAndAnEmptyBoxWritesTheEmptyText) {
    const WrittenBox& row = GetParam();
    SeedVersion(Sz("6.0.2800.1106"));
    Seed(HKEY_CURRENT_USER, row.keyPath, row.valueName, Sz("Seeded"));
    Korvane& korvane = StartShown();
    const HWND box = korvane.Control(row.control);
    ASSERT_EQ(Text(box), "Seeded");
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, row.keyPath, row.valueName), Sz("Seeded"));

    MouseClick(box);
    PressKey(box, VK_END);
    const Keystrokes steps[] = {
        {"!", "Seeded!"},
        {"\b\b", "Seede"},
        // Emptied: the value stays, as the empty text.
        {"\b\b\b\b\b", ""},
        {"C:\\Caf\xC3\xA9 b.bmp", "C:\\Caf\xC3\xA9 b.bmp"},
    };
    for (const auto& step : steps) {
        Type(box, step.keys);
        ASSERT_EQ(AwaitText(box, step.text), step.text) << "after typing " << step.keys;
        // Each step starts from what the one before left.
        ASSERT_EQ(AwaitValue(HKEY_CURRENT_USER, row.keyPath, row.valueName, Sz(step.text)),
                  Sz(step.text))
            << "after typing " << step.keys;
        EXPECT_EQ(TooltipText(korvane.pid(), box), std::string(step.text));
    }
    EXPECT_TRUE(MessageBoxesOf(korvane.pid()).empty());

    EXPECT_NE(korvane.CloseAndWait(), ProgramProcess::kTerminatedCode);
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, row.keyPath, row.valueName),
              Sz("C:\\Caf\xC3\xA9 b.bmp"));
}

INSTANTIATE_TEST_SUITE_P(Boxes, EveryChangeWritten,
                         ::testing::Values(WrittenBox{"txtIETitle", kMainKey, "Window Title"},
                                           WrittenBox{"txtBackground", kToolbarKey, "BackBitmap"}),
                         [](const auto& info) { return std::string(info.param.control); });

// Keystrokes into the downloads box and the limit both values hold afterwards (nothing: both
// deleted).
struct LimitStep {
    const char* keys;
    const char* text;
    std::optional<std::uint32_t> stored;
};

class DownloadsBox : public KorvaneTest {
protected:
    static constexpr const char* kFirst = "MaxConnectionsPerServer";
    static constexpr const char* kSecond = "MaxConnectionsPer1_0Server";

    static std::optional<StoredValue> Stored(std::optional<std::uint32_t> number) {
        if (!number) {
            return std::nullopt;
        }
        return Dword(*number);
    }
};

TEST_F(DownloadsBox, OnlyDigitsAndBackspacePassAndBothValuesFollowTheBox) {
    SeedVersion(Sz("6.0.2800.1106"));
    Seed(HKEY_CURRENT_USER, kSettingsKey, kFirst, Dword(4));
    Seed(HKEY_CURRENT_USER, kSettingsKey, kSecond, Dword(8));
    Korvane& korvane = StartShown();
    const HWND box = korvane.Control("txtDownload");
    ASSERT_EQ(Text(box), "4");
    // Start-up reads the first value and writes it to both.
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kSettingsKey, kFirst), Dword(4));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kSettingsKey, kSecond), Dword(4));

    MouseClick(box);
    SelectAll(box);
    const LimitStep steps[] = {
        {"\b", "", std::nullopt},
        {"1", "1", 1},
        {"0", "10", 10},
        // Discarded keys, each followed by a digit so that the box shows it was handled.
        {"a5", "105", 105},
        // Letters, space, tab, signs, Ctrl+V, Ctrl+Backspace, and three characters that are no
        // digits though one byte of each is: an accented letter, a capital I with a dot
        // (U+0130) and a fullwidth 1 (U+FF11).
        {"Z \t-.+,\x16\x7F\xC3\xA9\xC4\xB0\xEF\xBC\x91"
         "7",
         "1057", 1057},
        {"\b\b", "10", 10},
        {"\b\b", "", std::nullopt},
        {"0", "0", 0},
        {"\b2147483647", "2147483647", 2147483647},
        {"\b", "214748364", 214748364},
    };
    for (const auto& step : steps) {
        Type(box, step.keys);
        ASSERT_EQ(AwaitText(box, step.text), step.text) << "after typing " << step.keys;
        ASSERT_EQ(AwaitValue(HKEY_CURRENT_USER, kSettingsKey, kFirst, Stored(step.stored)),
                  Stored(step.stored))
            << "after typing " << step.keys;
        ASSERT_EQ(AwaitValue(HKEY_CURRENT_USER, kSettingsKey, kSecond, Stored(step.stored)),
                  Stored(step.stored))
            << "after typing " << step.keys;
    }
    ASSERT_TRUE(MessageBoxesOf(korvane.pid()).empty());

    // Text that is no 32-bit number: each of the two writes reports it and writes nothing, and
    // the box keeps the text.
    const struct {
        std::function<void()> enter;
        const char* text;
        const char* prompt;
    } refused[] = {
        {[&] { Type(box, "8"); }, "2147483648", "Error: 6. Overflow"},
        // Pasted text passes no key filter.
        {[&] {
             SelectAll(box);
             PasteInto(box, "12 x");
         },
         "12 x", "Error: 13. Type mismatch"},
    };
    for (const auto& entry : refused) {
        entry.enter();
        for (int report = 0; report < 2; ++report) {
            const MessageBoxView view = ReadMessageBox(korvane.AwaitMessageBox());
            EXPECT_EQ(view.title, "RegistrySetKeyValue") << entry.text << ", report " << report;
            EXPECT_EQ(view.prompt, entry.prompt) << entry.text << ", report " << report;
            EXPECT_THAT(view.buttons, ElementsAre("OK"));
            PressOk(view.window);
            AwaitClosed(view.window);
        }
        AwaitInputHandled(korvane);
        EXPECT_TRUE(MessageBoxesOf(korvane.pid()).empty()) << entry.text << ": a third report";
        EXPECT_EQ(Text(box), entry.text);
        EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kSettingsKey, kFirst), Dword(214748364));
        EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kSettingsKey, kSecond), Dword(214748364));
    }
    EXPECT_NE(korvane.CloseAndWait(), ProgramProcess::kTerminatedCode);
}

}  // namespace
}  // namespace e2e

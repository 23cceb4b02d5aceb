// The text boxes typed into like a user (key messages, never WM_SETTEXT): which keystrokes
// reach the real registry, and as what.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "tests/e2e/harness.h"
#include "tests/e2e/text_convert.h"

namespace e2e {
namespace {

using ::testing::ElementsAre;

// Puts `text` on the clipboard and pastes it into the edit, as the edit's context menu does.
void PasteInto(HWND edit, std::string_view text) {
    const std::wstring wide = Widen(text);
    const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) {
        throw HarnessError("no memory for the clipboard");
    }
    if (void* data = GlobalLock(memory)) {
        std::memcpy(data, wide.c_str(), bytes);
        GlobalUnlock(memory);
    }
    if (!OpenClipboard(nullptr)) {
        GlobalFree(memory);
        throw HarnessError("cannot open the clipboard");
    }
    EmptyClipboard();
    // The clipboard owns the memory once it has taken it.
    const bool taken = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    if (!taken) {
        GlobalFree(memory);
        throw HarnessError("cannot put text on the clipboard");
    }
    if (!PostMessageW(edit, WM_PASTE, 0, 0)) {
        throw HarnessError("posting the paste failed");
    }
}

// A text box whose every change is written at once as the REG_SZ behind it.
struct WrittenBox {
    const char* control;
    const char* keyPath;
    const char* valueName;
};
const WrittenBox kWrittenBoxes[] = {
    {"txtIETitle", kMainKey, "Window Title"},
    {"txtBackground", kToolbarKey, "BackBitmap"},
};

class TextBoxes : public KorvaneTest {};

TEST_F(TextBoxes, EveryChangeOfTheTitleAndBitmapBoxesIsWrittenAndPutInTheTooltip) {
    SeedVersion(Sz("6.0.2800.1106"));
    for (const auto& row : kWrittenBoxes) {
        Seed(HKEY_CURRENT_USER, row.keyPath, row.valueName, Sz("Seeded"));
    }
    Korvane& korvane = StartShown();
    // Keystrokes and the text they leave; each step starts from what the one before left.
    const struct {
        const char* keys;
        const char* text;
    } steps[] = {
        {"!", "Seeded!"},
        {"\b\b", "Seede"},
        {"\b\b\b\b\b", ""},  // emptied: the value stays, as the empty text
        {"C:\\Caf\xC3\xA9 b.bmp", "C:\\Caf\xC3\xA9 b.bmp"},
    };
    for (const auto& row : kWrittenBoxes) {
        SCOPED_TRACE(row.control);
        const HWND box = korvane.Control(row.control);
        ASSERT_EQ(Text(box), "Seeded");
        MouseClick(box);
        PressKey(box, VK_END);
        for (const auto& step : steps) {
            Type(box, step.keys);
            ASSERT_EQ(AwaitText(box, step.text), step.text) << "after typing " << step.keys;
            ASSERT_EQ(AwaitValue(HKEY_CURRENT_USER, row.keyPath, row.valueName, Sz(step.text)),
                      Sz(step.text))
                << "after typing " << step.keys;
            EXPECT_EQ(TooltipText(korvane.pid(), box), std::string(step.text));
        }
    }
    EXPECT_TRUE(DialogsOf(korvane.pid()).empty());
    EXPECT_NE(korvane.CloseAndWait(), ProgramProcess::kTerminatedCode);
    for (const auto& row : kWrittenBoxes) {
        EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, row.keyPath, row.valueName),
                  Sz("C:\\Caf\xC3\xA9 b.bmp"));
    }
}

class DownloadsBox : public KorvaneTest {
protected:
    static constexpr const char* kFirst = "MaxConnectionsPerServer";
    static constexpr const char* kSecond = "MaxConnectionsPer1_0Server";

    // Both values hold `number` (nothing: both deleted) once the program has written them.
    static void ExpectBoth(std::optional<std::uint32_t> number, const std::string& after) {
        const auto expected = number ? std::optional(Dword(*number)) : std::nullopt;
        EXPECT_EQ(AwaitValue(HKEY_CURRENT_USER, kSettingsKey, kFirst, expected), expected) << after;
        EXPECT_EQ(AwaitValue(HKEY_CURRENT_USER, kSettingsKey, kSecond, expected), expected)
            << after;
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
    ExpectBoth(4, "start-up");

    MouseClick(box);
    SelectAll(box);
    const struct {
        const char* keys;
        const char* text;
        std::optional<std::uint32_t> stored;
    } steps[] = {
        {"\b", "", std::nullopt},
        {"1", "1", 1},
        {"0", "10", 10},
        // Letters, space, tab, signs, Ctrl+V, Ctrl+Backspace, and three characters that are no
        // digits though one byte of each is: an accented letter, a capital I with a dot
        // (U+0130) and a fullwidth 1 (U+FF11); then a digit to show that they were handled.
        {"Z \t-.+,\x16\x7F\xC3\xA9\xC4\xB0\xEF\xBC\x91"
         "7",
         "107", 107},
        {"\b\b\b2147483647", "2147483647", 2147483647},
    };
    for (const auto& step : steps) {
        Type(box, step.keys);
        ASSERT_EQ(AwaitText(box, step.text), step.text) << "after typing " << step.keys;
        ExpectBoth(step.stored, std::string("after typing ") + step.keys);
    }

    // Pasted text passes no key filter: each of the two writes reports that it is no number
    // and writes nothing, and the box keeps the text.
    SelectAll(box);
    PasteInto(box, "12 x");
    for (int report = 0; report < 2; ++report) {
        const MessageBoxView view = ReadMessageBox(AwaitDialog(korvane.pid(), "a report"));
        EXPECT_EQ(view.title, "RegistrySetKeyValue") << "report " << report;
        EXPECT_EQ(view.prompt, "Error: 13. Type mismatch") << "report " << report;
        EXPECT_THAT(view.buttons, ElementsAre("OK"));
        PressButton(view.window, IDOK);
        AwaitClosed(view.window, "the report");
    }
    korvane.Settle();
    EXPECT_TRUE(DialogsOf(korvane.pid()).empty()) << "a third report";
    EXPECT_EQ(Text(box), "12 x");
    ExpectBoth(2147483647, "the paste");
    EXPECT_NE(korvane.CloseAndWait(), ProgramProcess::kTerminatedCode);
}

}  // namespace
}  // namespace e2e

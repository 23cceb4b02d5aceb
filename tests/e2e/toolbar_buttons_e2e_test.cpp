// The toolbar policy switch and its 22 button boxes in the real window: a seeded policy at
// start, and the switch turned off and on again with the mouse.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

using ::testing::IsEmpty;

using Value = std::optional<StoredValue>;
constexpr const char* kNoCustomize = "NoToolbarCustomize";
constexpr const char* kSpecifyDefaults = "SpecifyDefaultButtons";

struct Button {
    const char* control;
    const char* valueName;
};

// Each box and the policy value the browser reads for its button.
constexpr std::array<Button, 22> kButtons = {{
    {"chkBack", "Btn_Back"},
    {"chkForward", "Btn_Forward"},
    {"chkStop", "Btn_Stop"},
    {"chkFolders", "Btn_Folders"},
    {"chkRefresh", "Btn_Refresh"},
    {"chkPrint", "Btn_Print"},
    {"chkFavorites", "Btn_Favorites"},
    {"chkEdit", "Btn_Edit"},
    {"chkHome", "Btn_Home"},
    {"chkSearch", "Btn_Search"},
    {"chkMedia", "Btn_Media"},
    {"chkHistory", "Btn_History"},
    {"chkTools", "Btn_Tools"},
    {"chkEncoding", "Btn_Encoding"},
    {"chkPrintPreview", "Btn_PrintPreview"},
    {"chkFullScreen", "Btn_Fullscreen"},
    {"chkMailNews", "Btn_MailNews"},
    {"chkSize", "Btn_Size"},
    {"chkDiscussions", "Btn_Discussions"},
    {"chkCut", "Btn_Cut"},
    {"chkCopy", "Btn_Copy"},
    {"chkPaste", "Btn_Paste"},
}};

Value Stored(std::string_view name) {
    return ReadValue(HKEY_CURRENT_USER, kPolicyKey, name);
}

class ToolbarSwitch : public KorvaneTest {
protected:
    void SetUp() override {
        SeedVersion(Sz("6.0.2800.1106"));
        // Any number but 0 turns the policy on; only exactly "2" reads as clear.
        Seed(HKEY_CURRENT_USER, kPolicyKey, kNoCustomize, Dword(0xFFFFFFFF));
        Seed(HKEY_CURRENT_USER, kPolicyKey, kSpecifyDefaults, std::nullopt);
        const std::pair<const char*, Value> seeds[] = {
            {"Btn_Stop", Sz("2")},  {"Btn_Fullscreen", Dword(2)}, {"Btn_Size", Sz(" 2")},
            {"Btn_Back", Dword(0)}, {"Btn_Paste", Dword(3)},      {"Btn_Cut", Sz("two")},
        };
        for (const auto& button : kButtons) {
            Seed(HKEY_CURRENT_USER, kPolicyKey, button.valueName, std::nullopt);
        }
        for (const auto& [name, value] : seeds) {
            Seed(HKEY_CURRENT_USER, kPolicyKey, name, value);
        }
        korvane_ = &StartShown();
    }

    void ClickBox(const char* control) {
        MouseClick(korvane_->Control(control));
        korvane_->Settle();
    }

    // The switch and both its values; the boxes all enabled or not, the ones in `clear`
    // clear and the others ticked; with `written`, each button value holds its box: 1 for
    // ticked, 2 for clear.
    void Expect(bool on, const Value& switchValues, const std::vector<std::string_view>& clear,
                bool written) {
        EXPECT_EQ(IsChecked(korvane_->Control("chkSelect")), on);
        EXPECT_EQ(Stored(kNoCustomize), switchValues);
        EXPECT_EQ(Stored(kSpecifyDefaults), switchValues);
        for (const auto& button : kButtons) {
            const HWND box = korvane_->Control(button.control);
            const bool ticked =
                std::find(clear.begin(), clear.end(), button.control) == clear.end();
            EXPECT_EQ(IsEnabled(box), on) << button.control;
            EXPECT_EQ(IsChecked(box), ticked) << button.control;
            if (written) {
                EXPECT_EQ(Stored(button.valueName), Dword(ticked ? 1 : 2)) << button.valueName;
            }
        }
    }

    Korvane* korvane_ = nullptr;
};

TEST_F(ToolbarSwitch, OnReloadsTheBoxesAndOffKeepsThemWithoutWriting) {
    // Start-up reloads the boxes and writes every value in its normal form, under its own
    // name: "Btn_Fullscreen" breaks the pattern of the box's name.
    Expect(true, Dword(1), {"chkStop", "chkFullScreen"}, true);

    // Off: the boxes keep their ticks and no button value is written, so a value changed from
    // outside meanwhile stays as it is.
    WriteValue(HKEY_CURRENT_USER, kPolicyKey, "Btn_Back", Dword(2));
    {
        const ProgramKeys keys;
        ClickBox("chkSelect");
        Expect(false, Dword(0), {"chkStop", "chkFullScreen"}, false);
        EXPECT_EQ(Stored("Btn_Back"), Dword(2));
        EXPECT_EQ(keys.Changes().size(), 2u) << "only the two switch values change";
    }

    // Changed from outside while off: turning the switch on shows what is stored now.
    WriteValue(HKEY_CURRENT_USER, kPolicyKey, "Btn_Copy", Sz("2"));
    DeleteValue(HKEY_CURRENT_USER, kPolicyKey, "Btn_Stop");
    ClickBox("chkSelect");
    Expect(true, Dword(1), {"chkBack", "chkCopy", "chkFullScreen"}, true);

    EXPECT_THAT(DialogsOf(korvane_->pid()), IsEmpty());
    EXPECT_NE(korvane_->CloseAndWait(), ProgramProcess::kTerminatedCode);
}

}  // namespace
}  // namespace e2e

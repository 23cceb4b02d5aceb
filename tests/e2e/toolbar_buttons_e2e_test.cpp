// The toolbar policy switch and its 22 button boxes in the real window: what a seeded policy
// shows at start, and turning the switch off and on again with the mouse.
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

constexpr const char* kPolicies =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kNoCustomize = "NoToolbarCustomize";
constexpr const char* kSpecifyDefaults = "SpecifyDefaultButtons";

using Value = std::optional<StoredValue>;
const Value kAbsent = std::nullopt;

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

const Button& ButtonOf(std::string_view control) {
    for (const auto& button : kButtons) {
        if (button.control == control) {
            return button;
        }
    }
    throw HarnessError("no toolbar button box " + std::string(control));
}

Value Stored(const char* name) {
    return ReadValue(HKEY_CURRENT_USER, kPolicies, name);
}

bool Contains(const std::vector<const char*>& controls, std::string_view control) {
    return std::find(controls.begin(), controls.end(), control) != controls.end();
}

// The base of both groups: the policy key's values and what the 22 boxes show.
class ToolbarTest : public KorvaneTest {
protected:
    void SeedPolicy(const char* name, Value value) {
        Seed(HKEY_CURRENT_USER, kPolicies, name, std::move(value));
    }

    // A sent message is answered only between two of the program's events.
    void Settle() { SendWithLimit(korvane_->mainWindow(), WM_NULL); }

    void AwaitAllEnabled(bool enabled) {
        WaitUntil(
            [&] {
                return std::all_of(kButtons.begin(), kButtons.end(), [&](const Button& button) {
                    return IsEnabled(korvane_->Control(button.control)) == enabled;
                });
            },
            kReactLimit);
    }

    void ExpectSwitch(bool ticked, const Value& noCustomize, const Value& specifyDefaults) {
        const HWND select = korvane_->Control("chkSelect");
        EXPECT_EQ(IsChecked(select), ticked) << "chkSelect";
        EXPECT_TRUE(IsEnabled(select)) << "chkSelect";
        EXPECT_EQ(Stored(kNoCustomize), noCustomize) << kNoCustomize;
        EXPECT_EQ(Stored(kSpecifyDefaults), specifyDefaults) << kSpecifyDefaults;
    }
    void ExpectSwitch(bool ticked, const Value& both) { ExpectSwitch(ticked, both, both); }

    // Every box is enabled or not, and the ones in `clear` are clear and the others ticked.
    void ExpectBoxes(bool enabled, const std::vector<const char*>& clear) {
        for (const auto& button : kButtons) {
            const HWND box = korvane_->Control(button.control);
            EXPECT_EQ(IsEnabled(box), enabled) << button.control;
            EXPECT_EQ(IsChecked(box), !Contains(clear, button.control)) << button.control;
        }
    }

    // As ExpectBoxes, and each button value holds its box: 1 for ticked, 2 for clear.
    void ExpectButtonsFollowBoxes(bool enabled, const std::vector<const char*>& clear) {
        ExpectBoxes(enabled, clear);
        for (const auto& button : kButtons) {
            EXPECT_EQ(Stored(button.valueName), Dword(Contains(clear, button.control) ? 2 : 1))
                << button.valueName;
        }
    }

    Korvane* korvane_ = nullptr;
};

// ---------------------------------------------------------------------------------------------
// At start.

struct StartCase {
    const char* label;
    Value noCustomize;
    Value specifyDefaults;
    std::vector<std::pair<const char*, Value>> buttonSeeds;  // by box; the others are absent
    bool on;
    std::vector<const char*> clearWhenOn;
    friend void PrintTo(const StartCase& row, std::ostream* out) { *out << row.label; }
};

class ToolbarAtStart : public ToolbarTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(ToolbarAtStart, SwitchSetsTheBoxesAndTheirValues) {
    const StartCase& row = GetParam();
    SeedVersion(Sz("6.0.2800.1106"));
    SeedPolicy(kNoCustomize, row.noCustomize);
    SeedPolicy(kSpecifyDefaults, row.specifyDefaults);
    auto seedOf = [&](const Button& button) {
        for (const auto& [control, value] : row.buttonSeeds) {
            if (ButtonOf(control).valueName == button.valueName) {
                return value;
            }
        }
        return kAbsent;
    };
    for (const auto& button : kButtons) {
        SeedPolicy(button.valueName, seedOf(button));
    }
    korvane_ = &StartShown();
    Settle();
    EXPECT_THAT(MessageBoxesOf(korvane_->pid()), IsEmpty());

    if (row.on) {
        // Start-up reloads the boxes and writes every value in its normal form.
        ExpectSwitch(true, Dword(1));
        ExpectButtonsFollowBoxes(true, row.clearWhenOn);
    } else {
        // Off: the boxes show nothing of the stored values, and nothing is written.
        ExpectSwitch(false, row.noCustomize, row.specifyDefaults);
        for (const auto& button : kButtons) {
            const HWND box = korvane_->Control(button.control);
            EXPECT_FALSE(IsEnabled(box)) << button.control;
            EXPECT_FALSE(IsChecked(box)) << button.control;
            EXPECT_EQ(Stored(button.valueName), seedOf(button)) << button.valueName;
        }
    }
    EXPECT_NE(korvane_->CloseAndWait(), ProgramProcess::kTerminatedCode);
}

INSTANTIATE_TEST_SUITE_P(
    Policies, ToolbarAtStart,
    ::testing::Values(
        // Any number but 0 turns the policy on; only exactly "2" reads as clear.
        StartCase{"OnAsMinusOne",
                  Dword(0xFFFFFFFF),
                  kAbsent,
                  {{"chkStop", Sz("2")},
                   {"chkFullScreen", Dword(2)},
                   {"chkPrintPreview", Sz(" 2")},
                   {"chkBack", Dword(0)},
                   {"chkPaste", Dword(3)},
                   {"chkCut", Sz("two")}},
                  true,
                  {"chkStop", "chkFullScreen"}},
        StartCase{"OnAsText", Sz("1"), Dword(0), {{"chkSize", Dword(2)}}, true, {"chkSize"}},
        StartCase{"OffAsZero",
                  Dword(0),
                  kAbsent,
                  {{"chkBack", Dword(1)}, {"chkStop", Dword(2)}, {"chkHome", Sz("1")}},
                  false,
                  {}},
        StartCase{"OffWhenMissing", kAbsent, kAbsent, {{"chkForward", Dword(1)}}, false, {}}),
    [](const auto& info) { return std::string(info.param.label); });

// ---------------------------------------------------------------------------------------------
// The switch turned on and off by the mouse, and the boxes clicked while it is on.

class ToolbarSwitch : public ToolbarTest {
protected:
    void SetUp() override {
        SeedVersion(Sz("6.0.2800.1106"));
        SeedPolicy(kNoCustomize, kAbsent);
        SeedPolicy(kSpecifyDefaults, kAbsent);
        for (const auto& button : kButtons) {
            const std::string_view name = button.valueName;
            SeedPolicy(button.valueName, name == "Btn_Stop"           ? Dword(2)
                                         : name == "Btn_PrintPreview" ? Sz("2")
                                                                      : kAbsent);
        }
        korvane_ = &StartShown();
        Settle();
    }

    // Clicks the switch and waits for the boxes and both switch values to follow.
    void ClickSwitch(bool on) {
        MouseClick(korvane_->Control("chkSelect"));
        AwaitAllEnabled(on);
        WaitUntil([&] { return Stored(kSpecifyDefaults) == Dword(on ? 1 : 0); }, kReactLimit);
        Settle();
    }

    // Clicks a button box and waits for its value.
    void ClickButton(const char* control, bool ticked) {
        const Button& button = ButtonOf(control);
        const ProgramKeys keys;
        MouseClick(korvane_->Control(control));
        WaitUntil([&] { return Stored(button.valueName) == Dword(ticked ? 1 : 2); }, kReactLimit);
        Settle();
        EXPECT_EQ(IsChecked(korvane_->Control(control)), ticked) << control;
        EXPECT_EQ(Stored(button.valueName), Dword(ticked ? 1 : 2)) << button.valueName;
        EXPECT_EQ(keys.Changes().size(), 1u) << "only " << button.valueName << " changes";
    }
};

TEST_F(ToolbarSwitch, OnReloadsTheBoxesAndOffKeepsThemWithoutWriting) {
    ExpectSwitch(false, kAbsent);
    for (const auto& button : kButtons) {
        EXPECT_FALSE(IsEnabled(korvane_->Control(button.control))) << button.control;
    }

    // On: missing values are created as ticked, the stored clear ones show clear.
    ClickSwitch(true);
    ExpectSwitch(true, Dword(1));
    ExpectButtonsFollowBoxes(true, {"chkStop", "chkPrintPreview"});

    // The two boxes whose values break the naming pattern.
    ClickButton("chkFullScreen", false);
    ClickButton("chkPrintPreview", true);

    // Off: the boxes keep their ticks and no button value is written, so a value changed from
    // outside meanwhile stays as it is.
    WriteValue(HKEY_CURRENT_USER, kPolicies, "Btn_Back", Dword(2));
    {
        const ProgramKeys keys;
        ClickSwitch(false);
        ExpectSwitch(false, Dword(0));
        ExpectBoxes(false, {"chkStop", "chkFullScreen"});
        EXPECT_EQ(Stored("Btn_Back"), Dword(2));
        EXPECT_EQ(keys.Changes().size(), 2u) << "only the two switch values change";
    }

    // Changed from outside while off: turning the switch on shows what is stored now.
    WriteValue(HKEY_CURRENT_USER, kPolicies, "Btn_Fullscreen", Dword(1));
    WriteValue(HKEY_CURRENT_USER, kPolicies, "Btn_Copy", Sz("2"));
    DeleteValue(HKEY_CURRENT_USER, kPolicies, "Btn_Stop");
    ClickSwitch(true);
    ExpectSwitch(true, Dword(1));
    ExpectButtonsFollowBoxes(true, {"chkBack", "chkCopy"});

    EXPECT_THAT(MessageBoxesOf(korvane_->pid()), IsEmpty());
    EXPECT_NE(korvane_->CloseAndWait(), ProgramProcess::kTerminatedCode);
}

}  // namespace
}  // namespace e2e

// The on/off switches clicked in the real window: what a user's clicks write to the real
// registry, and the restart notice of the desktop icon box.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using Value = std::optional<StoredValue>;
const HKEY kHkcu = HKEY_CURRENT_USER;
const HKEY kHklm = HKEY_LOCAL_MACHINE;

struct ClickedValue {
    HKEY root;
    const char* path;
    const char* name;
    Value seeded;  // leaves the box clear at start
    Value ticked;
    Value cleared;
};

struct ClickCase {
    const char* control;
    std::vector<ClickedValue> values;
};

// One switch of each kind of write: a text, a number, deletions below HKLM, and a cleared
// value that differs from the one that cleared the box at start.
const std::vector<ClickCase>& ClickCases() {
    static const std::vector<ClickCase> cases = {
        {"chkAutoAppend",
         {{kHkcu, kAutoCompleteKey, "Append Completion", Sz("no"), Sz("yes"), Sz("no")}}},
        {"chkPassCach",
         {{kHkcu, kSettingsKey, "DisablePasswordCaching", Dword(0), Dword(1), Dword(0)}}},
        // Clearing deletes both values, also one that was there before the box was ticked.
        {"chkIEErr",
         {{kHklm, kMainKey, "IEWatsonDisabled", std::nullopt, Dword(1), std::nullopt},
          {kHklm, kMainKey, "IEWatsonEnabled", Dword(1), Dword(0), std::nullopt}}},
        {"chkAbout",
         {{kHklm, kProtocolKey, "about", std::nullopt, Dword(4), std::nullopt},
          {kHklm, kProtocolKey, "about:", Dword(4), Dword(4), std::nullopt}}},
        {"chkSecurityZone", {{kHkcu, kZone0Key, "Flags", Dword(3), Dword(1), Dword(33)}}},
    };
    return cases;
}

class SwitchClicks : public KorvaneTest {
protected:
    void SetUp() override {
        SeedVersion(Sz("6.0.2800.1106"));
        for (const auto& row : ClickCases()) {
            for (const auto& value : row.values) {
                Seed(value.root, value.path, value.name, value.seeded);
            }
        }
        korvane_ = &StartShown();
    }

    // Clicks `row`'s box and checks the box and the registry: `column` holds what its values
    // should now be, `before` what they held.
    void ClickAndExpect(const ClickCase& row, bool ticked, Value ClickedValue::*column,
                        Value ClickedValue::*before) {
        const HWND box = korvane_->Control(row.control);
        const ProgramKeys keys;
        MouseClick(box);
        korvane_->Settle();
        EXPECT_EQ(IsChecked(box), ticked);
        std::size_t changed = 0;
        for (const auto& value : row.values) {
            EXPECT_EQ(ReadValue(value.root, value.path, value.name), value.*column) << value.name;
            changed += value.*column != value.*before ? 1 : 0;
        }
        // Nothing but the box's own values changed.
        EXPECT_EQ(keys.Changes().size(), changed) << testing::PrintToString(keys.Changes());
    }

    Korvane* korvane_ = nullptr;
};

TEST_F(SwitchClicks, TickingAndClearingEachBoxWritesItsOwnValues) {
    for (const auto& row : ClickCases()) {
        SCOPED_TRACE(row.control);
        ClickAndExpect(row, true, &ClickedValue::ticked, &ClickedValue::seeded);
        ClickAndExpect(row, false, &ClickedValue::cleared, &ClickedValue::ticked);
    }
    EXPECT_THAT(DialogsOf(korvane_->pid()), IsEmpty());
    EXPECT_NE(korvane_->CloseAndWait(), ProgramProcess::kTerminatedCode);
}

// The first mouse release over the desktop icon box in a run shows the notice, whatever the
// box's state; later releases, of any button, show nothing.
class RestartNotice : public KorvaneTest {};

TEST_F(RestartNotice, ComesOnTheFirstReleaseOverTheIconBoxOnly) {
    SeedVersion(Sz("6.0.2800.1106"));
    Seed(kHkcu, kPolicyKey, "NoInternetIcon", std::nullopt);
    Seed(kHkcu, kCacheKey, "Persistent", Dword(1));
    Korvane& korvane = StartShown();
    auto icon = [&] { return ReadValue(kHkcu, kPolicyKey, "NoInternetIcon"); };

    // A release over another box is not one over the icon box.
    const HWND cache = korvane.Control("chkCache");
    MouseClick(cache);
    korvane.Settle();
    ASSERT_TRUE(IsChecked(cache));
    EXPECT_THAT(DialogsOf(korvane.pid()), IsEmpty()) << "a box came for chkCache";

    const HWND box = korvane.Control("chkIcon");
    MouseClick(box);
    const MessageBoxView view = ReadMessageBox(AwaitDialog(korvane.pid(), "the restart notice"));
    EXPECT_EQ(view.prompt, "You need to restart before this setting will take effect.");
    EXPECT_EQ(view.title, "Korvane");
    EXPECT_THAT(view.buttons, ElementsAre("OK"));
    EXPECT_FALSE(view.hasIcon);
    EXPECT_FALSE(IsEnabled(korvane.mainWindow())) << "the notice is not modal to the window";
    // The click itself was handled before the release showed the notice.
    EXPECT_TRUE(IsChecked(box));
    EXPECT_EQ(icon(), Dword(1));
    PressButton(view.window, IDOK);
    AwaitClosed(view.window, "the notice");

    // A right button's release, then a left click that clears the box: neither shows a box.
    RightClick(box);
    MouseClick(box);
    korvane.Settle();
    EXPECT_FALSE(IsChecked(box));
    EXPECT_EQ(icon(), std::nullopt) << "clearing the box deletes the value";
    EXPECT_THAT(DialogsOf(korvane.pid()), IsEmpty()) << "a second notice came";
    EXPECT_NE(korvane.CloseAndWait(), ProgramProcess::kTerminatedCode);
}

}  // namespace
}  // namespace e2e

// The nine on/off switches in the real window: what a seeded registry shows at start and
// what the loaders write back, what a user's clicks write, and the restart notice of the
// desktop icon box.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kAutoComplete =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete";
constexpr const char* kInternetSettings =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr const char* kZone0 =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\0";
constexpr const char* kCache =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache";
constexpr const char* kMain = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr const char* kProtocolDefaults =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\ProtocolDefaults";
constexpr const char* kPolicies =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

const HKEY kHkcu = HKEY_CURRENT_USER;
const HKEY kHklm = HKEY_LOCAL_MACHINE;

using Value = std::optional<StoredValue>;
const Value kAbsent = std::nullopt;

std::string Where(HKEY root, const char* path, const char* name) {
    return std::string(root == kHklm ? "HKLM\\" : "HKCU\\") + path + "\\" + name;
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string all;
    for (const auto& line : lines) {
        all += "\n  " + line;
    }
    return all;
}

// A sent message is answered only between two of the program's events, so once an effect of
// a click has been seen, this waits for the rest of that click's handling.
void Settle(const Korvane& korvane) {
    SendWithLimit(korvane.mainWindow(), WM_NULL);
}

// Every message box of the program, also one that is not shown yet.
std::vector<HWND> BoxesOf(const Korvane& korvane) {
    return TopLevelWindows(korvane.pid(), L"#32770");
}

// ---------------------------------------------------------------------------------------------
// At start: a registry seeded for all nine switches at once gives each box its state, and the
// loaders that tick a box write its values back in their normal form.

struct LoadedValue {
    HKEY root;
    const char* path;
    const char* name;
    Value seeded;
    Value afterStart;
};

struct LoadedBox {
    const char* control;
    bool ticked;
    bool enabled;
};

struct StartCase {
    const char* label;
    StoredValue version;
    std::vector<LoadedBox> boxes;
    std::vector<LoadedValue> values;
    friend void PrintTo(const StartCase& row, std::ostream* out) { *out << row.label; }
};

class SwitchesAtStart : public KorvaneTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(SwitchesAtStart, BoxesShowTheStoredStateAndTickedOnesAreWrittenBack) {
    const StartCase& row = GetParam();
    SeedVersion(row.version);
    for (const auto& value : row.values) {
        Seed(value.root, value.path, value.name, value.seeded);
    }
    Korvane& korvane = StartShown();
    Settle(korvane);

    EXPECT_THAT(BoxesOf(korvane), IsEmpty()) << "a box came with the window";
    for (const auto& box : row.boxes) {
        const HWND window = korvane.Control(box.control);
        EXPECT_EQ(IsChecked(window), box.ticked) << box.control;
        EXPECT_EQ(IsEnabled(window), box.enabled) << box.control;
    }
    for (const auto& value : row.values) {
        EXPECT_EQ(ReadValue(value.root, value.path, value.name), value.afterStart)
            << Where(value.root, value.path, value.name);
    }
    EXPECT_NE(korvane.CloseAndWait(), ProgramProcess::kTerminatedCode);
}

StartCase AllTicked() {
    // Version 5 disables the error reporting and security zone boxes; their loaders still
    // tick them, and their handlers still write.
    return {"AllTickedOnVersion5",
            Sz("5.50.4807.2300"),
            {{"chkAutoAppend", true, true},
             {"chkPassCach", true, true},
             {"chkIEErr", true, false},
             {"chkHideWeb", true, true},
             {"chkUpdate", true, true},
             {"chkAbout", true, true},
             {"chkIcon", true, true},
             {"chkSecurityZone", true, false},
             {"chkCache", true, true}},
            {{kHkcu, kAutoComplete, "Append Completion", kAbsent, Sz("yes")},
             {kHkcu, kInternetSettings, "DisablePasswordCaching", Sz("1"), Dword(1)},
             {kHklm, kMain, "IEWatsonDisabled", Dword(1), Dword(1)},
             {kHklm, kMain, "IEWatsonEnabled", kAbsent, Dword(0)},
             {kHkcu, kMain, "FavIntelliMenus", Sz("yes"), Sz("yes")},
             {kHkcu, kMain, "NoUpdateCheck", kAbsent, Dword(0)},
             {kHklm, kProtocolDefaults, "about", Dword(4), Dword(4)},
             {kHklm, kProtocolDefaults, "about:", kAbsent, Dword(4)},
             {kHkcu, kPolicies, "NoInternetIcon", Sz("1"), Dword(1)},
             {kHkcu, kZone0, "Flags", Sz("1"), Dword(1)},
             {kHkcu, kCache, "Persistent", kAbsent, Dword(0)}}};
}

StartCase AllCleared() {
    // Every stored value here leaves its box clear, so start-up writes none of them.
    return {"AllClearedOnVersion6",
            Sz("6.0.2800.1106"),
            {{"chkAutoAppend", false, true},
             {"chkPassCach", false, true},
             {"chkIEErr", false, true},
             {"chkHideWeb", false, true},
             {"chkUpdate", false, true},
             {"chkAbout", false, true},
             {"chkIcon", false, true},
             {"chkSecurityZone", false, true},
             {"chkCache", false, true}},
            {{kHkcu, kAutoComplete, "Append Completion", Sz("no"), Sz("no")},
             {kHkcu, kInternetSettings, "DisablePasswordCaching", Dword(2), Dword(2)},
             {kHklm, kMain, "IEWatsonDisabled", kAbsent, kAbsent},
             {kHklm, kMain, "IEWatsonEnabled", Dword(1), Dword(1)},
             {kHkcu, kMain, "FavIntelliMenus", Sz("Yes"), Sz("Yes")},
             {kHkcu, kMain, "NoUpdateCheck", Dword(1), Dword(1)},
             {kHklm, kProtocolDefaults, "about", kAbsent, kAbsent},
             {kHklm, kProtocolDefaults, "about:", Dword(4), Dword(4)},
             {kHkcu, kPolicies, "NoInternetIcon", Dword(0), Dword(0)},
             {kHkcu, kZone0, "Flags", Dword(3), Dword(3)},
             {kHkcu, kCache, "Persistent", Dword(1), Dword(1)}}};
}

INSTANTIATE_TEST_SUITE_P(Seeds, SwitchesAtStart, ::testing::Values(AllTicked(), AllCleared()),
                         [](const auto& info) { return std::string(info.param.label); });

// ---------------------------------------------------------------------------------------------
// Clicks: each box ticked and then cleared by the mouse writes exactly its own values.

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

const std::vector<ClickCase>& ClickCases() {
    static const std::vector<ClickCase> cases = {
        {"chkAutoAppend",
         {{kHkcu, kAutoComplete, "Append Completion", Sz("no"), Sz("yes"), Sz("no")}}},
        {"chkPassCach",
         {{kHkcu, kInternetSettings, "DisablePasswordCaching", Dword(0), Dword(1), Dword(0)}}},
        // Clearing deletes both values, also one that was there before the box was ticked.
        {"chkIEErr",
         {{kHklm, kMain, "IEWatsonDisabled", kAbsent, Dword(1), kAbsent},
          {kHklm, kMain, "IEWatsonEnabled", Dword(1), Dword(0), kAbsent}}},
        {"chkHideWeb", {{kHkcu, kMain, "FavIntelliMenus", Sz("no"), Sz("yes"), Sz("no")}}},
        {"chkUpdate", {{kHkcu, kMain, "NoUpdateCheck", Dword(1), Dword(0), Dword(1)}}},
        {"chkAbout",
         {{kHklm, kProtocolDefaults, "about", kAbsent, Dword(4), kAbsent},
          {kHklm, kProtocolDefaults, "about:", Dword(4), Dword(4), kAbsent}}},
        // Clearing writes 33, not the 3 that was stored before.
        {"chkSecurityZone", {{kHkcu, kZone0, "Flags", Dword(3), Dword(1), Dword(33)}}},
        {"chkCache", {{kHkcu, kCache, "Persistent", Dword(1), Dword(0), Dword(1)}}},
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
        Settle(*korvane_);
    }

    // Clicks `row`'s box and checks the box and the registry once `column`'s values are there;
    // `before` is what they held before the click.
    void ClickAndExpect(const ClickCase& row, bool ticked, Value ClickedValue::*column,
                        Value ClickedValue::*before) {
        const HWND box = korvane_->Control(row.control);
        const ProgramKeys keys;
        auto arrived = [&] {
            if (IsChecked(box) != ticked) {
                return false;
            }
            for (const auto& value : row.values) {
                if (ReadValue(value.root, value.path, value.name) != value.*column) {
                    return false;
                }
            }
            return true;
        };
        MouseClick(box);
        WaitUntil(arrived, kReactLimit);
        Settle(*korvane_);

        EXPECT_EQ(IsChecked(box), ticked);
        std::size_t changed = 0;
        for (const auto& value : row.values) {
            EXPECT_EQ(ReadValue(value.root, value.path, value.name), value.*column)
                << Where(value.root, value.path, value.name);
            changed += value.*column != value.*before ? 1 : 0;
        }
        // Nothing but the box's own values changed.
        const auto changes = keys.Changes();
        EXPECT_EQ(changes.size(), changed) << Lines(changes);
    }

    Korvane* korvane_ = nullptr;
};

TEST_F(SwitchClicks, TickingAndClearingEachBoxWritesItsOwnValues) {
    for (const auto& row : ClickCases()) {
        SCOPED_TRACE(row.control);
        ClickAndExpect(row, true, &ClickedValue::ticked, &ClickedValue::seeded);
        ClickAndExpect(row, false, &ClickedValue::cleared, &ClickedValue::ticked);
    }
    EXPECT_THAT(BoxesOf(*korvane_), IsEmpty());
    EXPECT_NE(korvane_->CloseAndWait(), ProgramProcess::kTerminatedCode);
}

// ---------------------------------------------------------------------------------------------
// The restart notice: the first mouse release over the desktop icon box in a run shows it,
// whatever the box's state; later releases, of any button, show nothing.

class RestartNotice : public KorvaneTest {
protected:
    void SetUp() override {
        SeedVersion(Sz("6.0.2800.1106"));
        Seed(kHkcu, kPolicies, "NoInternetIcon", kAbsent);
        Seed(kHkcu, kCache, "Persistent", Dword(1));
        korvane_ = &StartShown();
        Settle(*korvane_);
    }

    Value Icon() const { return ReadValue(kHkcu, kPolicies, "NoInternetIcon"); }

    Korvane* korvane_ = nullptr;
};

TEST_F(RestartNotice, ComesOnTheFirstReleaseOverTheIconBoxOnly) {
    // A release over another box is not one over the icon box.
    const HWND cache = korvane_->Control("chkCache");
    MouseClick(cache);
    WaitUntil([&] { return IsChecked(cache); }, kReactLimit);
    Settle(*korvane_);
    ASSERT_TRUE(IsChecked(cache));
    EXPECT_THAT(BoxesOf(*korvane_), IsEmpty()) << "a box came for chkCache";

    const HWND icon = korvane_->Control("chkIcon");
    MouseClick(icon);
    const HWND notice = korvane_->AwaitMessageBox();
    const MessageBoxView view = ReadMessageBox(notice);
    EXPECT_EQ(view.prompt, "You need to restart before this setting will take effect.");
    EXPECT_EQ(view.title, "Korvane");
    EXPECT_THAT(view.buttons, ElementsAre("OK"));
    EXPECT_FALSE(view.hasIcon);
    EXPECT_FALSE(IsEnabled(korvane_->mainWindow())) << "the notice is not modal to the window";
    // The click itself was handled before the release showed the notice.
    EXPECT_TRUE(IsChecked(icon));
    EXPECT_EQ(Icon(), Dword(1));

    PressOk(notice);
    Await([&] { return BoxesOf(*korvane_).empty(); }, kReactLimit, "the notice to close");
    EXPECT_TRUE(IsEnabled(korvane_->mainWindow()));

    // A right button's release, then a left click that clears the box: neither shows a box.
    RightClick(icon);
    MouseClick(icon);
    WaitUntil([&] { return !IsChecked(icon) && !Icon().has_value(); }, kReactLimit);
    Settle(*korvane_);
    EXPECT_FALSE(IsChecked(icon));
    EXPECT_EQ(Icon(), kAbsent) << "clearing the box deletes the value";
    EXPECT_THAT(BoxesOf(*korvane_), IsEmpty()) << "a second notice came";
    EXPECT_NE(korvane_->CloseAndWait(), ProgramProcess::kTerminatedCode);
}

}  // namespace
}  // namespace e2e

// Start-up seen from outside: the version gate's refusal, a registry seeded for every switch
// on the oldest accepted version, and stored values of the wrong form.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "app/frm_korvane.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using Value = std::optional<StoredValue>;
const HKEY kHkcu = HKEY_CURRENT_USER;
const HKEY kHklm = HKEY_LOCAL_MACHINE;

struct RefusedCase {
    const char* label;
    Value version;
};

class RefusedStart : public KorvaneTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedStart, ShowsTheVersionBoxOnlyAndLeavesTheRegistryAlone) {
    SeedVersion(GetParam().version);
    Seed(kHkcu, kToolbarKey, "BackBitmap", Sz("C:\\seeded\\toolbar.bmp"));
    const ProgramKeys before;

    Korvane& korvane = Start();
    bool mainShown = false;
    std::vector<HWND> boxes;
    auto watch = [&] {
        const auto main = korvane.FindMainWindow();
        mainShown = mainShown || (main && IsVisible(*main));
        for (HWND box : DialogsOf(korvane.pid())) {
            if (std::find(boxes.begin(), boxes.end(), box) == boxes.end()) {
                boxes.push_back(box);
            }
        }
    };
    Await(
        [&] {
            watch();
            return !boxes.empty() || !korvane.process().running();
        },
        kStartLimit, "the version box");
    ASSERT_EQ(boxes.size(), 1u) << "the program ended without a box";
    const MessageBoxView view = ReadMessageBox(boxes.front());
    EXPECT_EQ(view.prompt, app::kVersionRefusedPrompt);
    EXPECT_EQ(view.title, "Korvane");
    EXPECT_THAT(view.buttons, ElementsAre("OK"));
    EXPECT_FALSE(view.hasIcon);

    PressButton(view.window, IDOK);
    const bool ended = WaitUntil(
        [&] {
            watch();
            return !korvane.process().running();
        },
        kExitLimit);
    ASSERT_TRUE(ended) << "the program did not end after its box was closed";
    EXPECT_EQ(boxes.size(), 1u) << "another box followed the version box";
    EXPECT_FALSE(mainShown) << "the main window was shown";
    // No loader ran and the unload wrote nothing, "BackBitmap" included.
    EXPECT_THAT(before.Changes(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Versions, RefusedStart,
                         ::testing::Values(RefusedCase{"Version4", Sz("4.72.3110.8")},
                                           RefusedCase{"NoVersionValue", std::nullopt}),
                         [](const auto& info) { return std::string(info.param.label); });

struct SeededValue {
    HKEY root;
    const char* path;
    const char* name;
    Value seeded;
    Value afterStart;
};

// Every value here ticks its box, and the loaders write the normal form back.
const SeededValue kTickingValues[] = {
    {kHkcu, kAutoCompleteKey, "Append Completion", std::nullopt, Sz("yes")},
    {kHkcu, kSettingsKey, "DisablePasswordCaching", Sz("1"), Dword(1)},
    {kHklm, kMainKey, "IEWatsonDisabled", Dword(1), Dword(1)},
    {kHklm, kMainKey, "IEWatsonEnabled", std::nullopt, Dword(0)},
    {kHkcu, kMainKey, "FavIntelliMenus", Sz("yes"), Sz("yes")},
    {kHkcu, kMainKey, "NoUpdateCheck", std::nullopt, Dword(0)},
    {kHklm, kProtocolKey, "about", Dword(4), Dword(4)},
    {kHklm, kProtocolKey, "about:", std::nullopt, Dword(4)},
    {kHkcu, kPolicyKey, "NoInternetIcon", Sz("1"), Dword(1)},
    {kHkcu, kZone0Key, "Flags", Sz("1"), Dword(1)},
    {kHkcu, kCacheKey, "Persistent", std::nullopt, Dword(0)},
};
const char* const kSwitchBoxes[] = {"chkAutoAppend", "chkPassCach",     "chkIEErr",
                                    "chkHideWeb",    "chkUpdate",       "chkAbout",
                                    "chkIcon",       "chkSecurityZone", "chkCache"};

class SeededStart : public KorvaneTest {};

TEST_F(SeededStart, VersionFiveTicksEverySwitchAndDisablesTwo) {
    SeedVersion(Sz("5.50.4807.2300"));
    // With the policy off the toolbar button boxes would be disabled for their own reason.
    SeedToolbarPolicy(true);
    for (const auto& value : kTickingValues) {
        Seed(value.root, value.path, value.name, value.seeded);
    }
    Korvane& korvane = StartShown();
    korvane.Settle();

    EXPECT_THAT(DialogsOf(korvane.pid()), IsEmpty()) << "a box came with the window";
    EXPECT_EQ(Text(korvane.Control("lblVersion")), "5.50.4807.2300");
    // Version 5 disables the error reporting and security zone boxes; their loaders still
    // tick them.
    for (const auto& row : app::kLayout) {
        if (row.kind != app::LayoutKind::CommonDialog) {
            const bool disabled = row.name == "chkIEErr" || row.name == "chkSecurityZone";
            EXPECT_EQ(IsEnabled(korvane.Control(row.name)), !disabled) << row.name;
        }
    }
    for (const char* box : kSwitchBoxes) {
        EXPECT_TRUE(IsChecked(korvane.Control(box))) << box;
    }
    for (const auto& value : kTickingValues) {
        EXPECT_EQ(ReadValue(value.root, value.path, value.name), value.afterStart) << value.name;
    }
    EXPECT_NE(korvane.CloseAndWait(), ProgramProcess::kTerminatedCode);
}

// Values the real advapi32 reads differently from what their type promises: each start-up
// opens the window without a box and leaves exactly what the read rules lead to.
class BadStoredValues : public KorvaneTest {};

TEST_F(BadStoredValues, AreReadAsMissingOrWholeWithoutAReport) {
    SeedVersion(Sz("9.11.9600.18231"));
    // Far beyond a single-line edit's default limit: shown whole and written back as read.
    const std::string title(1u << 20, 'T');
    Seed(kHkcu, kMainKey, "Window Title", Sz(title));
    // A REG_QWORD reads as nothing, so the box gets the default 2, written to both values.
    Seed(kHkcu, kSettingsKey, "MaxConnectionsPerServer",
         StoredValue{REG_QWORD, {4, 0, 0, 0, 0, 0, 0, 0}});
    Seed(kHkcu, kSettingsKey, "MaxConnectionsPer1_0Server", Dword(8));
    // advapi32 refuses the 4-byte read of an 8-byte REG_DWORD, so it reads as missing, which
    // ticks the box and writes a proper 0. The first four bytes would read as 1: box clear.
    Seed(kHkcu, kMainKey, "NoUpdateCheck", StoredValue{REG_DWORD, {1, 0, 0, 0, 0, 0, 0, 0}});
    Korvane& korvane = StartShown();
    korvane.Settle();

    EXPECT_THAT(DialogsOf(korvane.pid()), IsEmpty());
    EXPECT_EQ(SendWithLimit(korvane.Control("txtIETitle"), WM_GETTEXTLENGTH),
              static_cast<LRESULT>(title.size()));
    EXPECT_EQ(Text(korvane.Control("txtDownload")), "2");
    EXPECT_EQ(ReadValue(kHkcu, kSettingsKey, "MaxConnectionsPerServer"), Dword(2));
    EXPECT_EQ(ReadValue(kHkcu, kSettingsKey, "MaxConnectionsPer1_0Server"), Dword(2));
    EXPECT_TRUE(IsChecked(korvane.Control("chkUpdate")));
    EXPECT_EQ(ReadValue(kHkcu, kMainKey, "NoUpdateCheck"), Dword(0));
    EXPECT_NE(korvane.CloseAndWait(), ProgramProcess::kTerminatedCode);
    EXPECT_EQ(ReadValue(kHkcu, kMainKey, "Window Title"), Sz(title));
}

}  // namespace
}  // namespace e2e

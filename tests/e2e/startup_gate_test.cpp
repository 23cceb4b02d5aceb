// The version gate seen from outside: which browser versions let the window open, what the
// refusal looks like, and what a refused start leaves in the registry.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "app/frm_korvane.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct RefusedCase {
    const char* label;
    std::optional<StoredValue> version;
    friend void PrintTo(const RefusedCase& row, std::ostream* out) { *out << row.label; }
};

class RefusedStart : public KorvaneTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedStart, ShowsTheVersionBoxOnlyAndLeavesTheBitmapValue) {
    SeedVersion(GetParam().version);
    const StoredValue seededBitmap = Sz("C:\\seeded\\toolbar.bmp");
    Seed(HKEY_CURRENT_USER, kToolbarKey, "BackBitmap", seededBitmap);
    const ProgramKeys before;

    Korvane& korvane = Start();
    bool mainShown = false;
    auto watchMain = [&] {
        auto main = korvane.FindMainWindow();
        mainShown = mainShown || (main && IsVisible(*main));
    };
    HWND box = nullptr;
    Await(
        [&] {
            watchMain();
            auto boxes = MessageBoxesOf(korvane.pid());
            box = boxes.empty() ? nullptr : boxes.front();
            return box != nullptr || !korvane.process().running();
        },
        kStartLimit, "the version box");
    ASSERT_NE(box, nullptr) << "the program ended without a box";

    const MessageBoxView view = ReadMessageBox(box);
    EXPECT_EQ(view.prompt, app::kVersionRefusedPrompt);
    EXPECT_EQ(view.title, "Korvane");
    EXPECT_THAT(view.buttons, ElementsAre("OK"));
    EXPECT_FALSE(view.hasIcon);
    EXPECT_FALSE(mainShown) << "the main window was visible behind the box";

    PressOk(box);
    int laterBoxes = 0;
    const bool ended = WaitUntil(
        [&] {
            watchMain();
            auto boxes = MessageBoxesOf(korvane.pid());
            if (std::find(boxes.begin(), boxes.end(), box) == boxes.end() && !boxes.empty()) {
                ++laterBoxes;
                PressOk(boxes.front());
            }
            return !korvane.process().running();
        },
        kExitLimit);
    ASSERT_TRUE(ended) << "the program did not end after its box was closed";
    EXPECT_EQ(laterBoxes, 0) << "another box followed the version box";
    EXPECT_FALSE(mainShown) << "the main window was shown";
    EXPECT_NE(korvane.process().WaitForExit(kExitLimit), ProgramProcess::kTerminatedCode);

    const auto bitmap = ReadValue(HKEY_CURRENT_USER, kToolbarKey, "BackBitmap");
    EXPECT_EQ(bitmap, seededBitmap) << "BackBitmap is now " << Describe(bitmap);
    // No loader ran and the unload wrote nothing.
    EXPECT_THAT(before.Changes(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Versions, RefusedStart,
                         ::testing::Values(RefusedCase{"Version4", Sz("4.72.3110.8")},
                                           RefusedCase{"NoVersionValue", std::nullopt},
                                           RefusedCase{"Version11SortsBelow5",
                                                       Sz("11.0.9600.16428")}),
                         [](const auto& info) { return std::string(info.param.label); });

struct AcceptedCase {
    const char* label;
    StoredValue version;
    const char* shownVersion;
    std::vector<std::string_view> disabled;
    friend void PrintTo(const AcceptedCase& row, std::ostream* out) { *out << row.label; }
};

class AcceptedStart : public KorvaneTest, public ::testing::WithParamInterface<AcceptedCase> {};

TEST_P(AcceptedStart, ShowsTheWindowWithTheVersionAndTheRightBoxesEnabled) {
    SeedVersion(GetParam().version);
    // With the policy off the toolbar button boxes would be disabled for their own reason.
    SeedToolbarPolicy(true);
    Korvane& korvane = StartShown();

    EXPECT_TRUE(MessageBoxesOf(korvane.pid()).empty()) << "a box came with the window";
    EXPECT_EQ(Text(korvane.Control("lblVersion")), GetParam().shownVersion);
    const auto& disabled = GetParam().disabled;
    for (const auto& row : app::kLayout) {
        if (row.kind == app::LayoutKind::CommonDialog) {
            continue;
        }
        const bool expectEnabled =
            std::find(disabled.begin(), disabled.end(), row.name) == disabled.end();
        EXPECT_EQ(IsEnabled(korvane.Control(row.name)), expectEnabled) << row.name;
    }
    EXPECT_NE(korvane.CloseAndWait(), ProgramProcess::kTerminatedCode);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, AcceptedStart,
    ::testing::Values(AcceptedCase{"Version5DisablesTwoBoxes",
                                   Sz("5.50.4807.2300"),
                                   "5.50.4807.2300",
                                   {"chkIEErr", "chkSecurityZone"}},
                      AcceptedCase{"Version6", Sz("6.0.2800.1106"), "6.0.2800.1106", {}},
                      AcceptedCase{"Version9", Sz("9.0.8112.16421"), "9.0.8112.16421", {}},
                      AcceptedCase{"VersionAsNumber6", Dword(6), "6", {}}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace e2e

// The toolbar-button policy: chkSelect at start-up, the reload of the 22 button boxes and its
// nested writes, switching the policy on and off, each button's own value, and enable order.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/layout.h"
#include "settings/toolbar_buttons.h"
#include "switch_toolbar_support.h"

namespace {

using namespace switch_toolbar_test;

// The buttons in reload order with their values, written out here independently of the
// program's table.
struct Button {
    const char* control;
    const char* value;
};

const std::vector<Button> kButtons = {
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
};

const std::vector<std::string> kEnableOrder = {
    "chkBack",    "chkForward",  "chkStop",         "chkRefresh",     "chkHome",  "chkSearch",
    "chkFolders", "chkMedia",    "chkHistory",      "chkFullScreen",  "chkTools", "chkMailNews",
    "chkSize",    "chkPrint",    "chkEdit",         "chkDiscussions", "chkCut",   "chkCopy",
    "chkPaste",   "chkEncoding", "chkPrintPreview", "chkFavorites"};

std::string Number(const std::string& name, std::uint32_t number) {
    return name + " = REG_DWORD " + std::to_string(number);
}

// What ticking chkSelect writes: for each button in reload order, its own click handler's
// write and then the reload's write with the same number (only the reload's where the box did
// not change, as for a stored "2"), then the two policy values.
std::vector<std::string> ReloadWrites(std::string_view clearValue = {}) {
    std::vector<std::string> writes;
    for (const auto& button : kButtons) {
        if (button.value == clearValue) {
            writes.push_back(Number(button.value, 2));
        } else {
            writes.push_back(Number(button.value, 1));
            writes.push_back(Number(button.value, 1));
        }
    }
    writes.push_back(Number("NoToolbarCustomize", 1));
    writes.push_back(Number("SpecifyDefaultButtons", 1));
    return writes;
}

// Only the changes in the policy key that belong to the toolbar (chkIcon shares the key).
std::vector<std::string> ToolbarChanges(const registry::MemoryRegistry& store) {
    std::vector<std::string> changes;
    for (const auto& change : ValueChanges(store)) {
        if (change.path == FullPath(kCurrentUser, kPolicies) &&
            change.what.find("NoInternetIcon") != 0) {
            changes.push_back(change.what);
        }
    }
    return changes;
}

// One ToolbarButtons unit on a fresh set of the window's controls.
class ToolbarUnit {
protected:
    toolkit::CheckBox& box(const std::string& name) { return controls.checkBox(name); }
    std::vector<int> Values() {
        std::vector<int> values;
        for (const auto& button : kButtons) {
            values.push_back(box(button.control).value());
        }
        return values;
    }
    std::vector<bool> Enabled() {
        std::vector<bool> enabled;
        for (const auto& button : kButtons) {
            enabled.push_back(box(button.control).enabled());
        }
        return enabled;
    }

    registry::MemoryRegistry store;
    toolkit::ScriptedServices services;
    toolkit::ControlSet controls = app::CreateControls();
    registry::modRegistry layer{store, services};
    settings::ToolbarButtons toolbar{controls, layer, services};
};

const std::vector<int> kAllTicked(22, 1);
const std::vector<int> kAllClear(22, 0);
const std::vector<bool> kAllEnabled(22, true);
const std::vector<bool> kAllDisabled(22, false);

// ---------------------------------------------------------------------------------------------
// Start-up: what "NoToolbarCustomize" makes of chkSelect and the 22 boxes.

struct StartCase {
    const char* label;
    std::optional<Seed> seed;
    bool on;
    std::optional<std::string> report;  // the prompt of the "Select_Buttons" report
};

class ToolbarStartup : public testing::TestWithParam<StartCase> {
protected:
    ToolbarStartup() { PlantVersion(store, "9.11.9600.1"); }
    registry::MemoryRegistry store;
};

TEST_P(ToolbarStartup, PolicyValueDecidesTheSwitch) {
    const auto& c = GetParam();
    Plant(store, kCurrentUser, kPolicies, "NoToolbarCustomize", c.seed);
    Window window(store);
    window.Load();

    std::vector<int> values;
    std::vector<bool> enabled;
    for (const auto& button : kButtons) {
        values.push_back(window.box(button.control).value());
        enabled.push_back(window.box(button.control).enabled());
    }
    EXPECT_EQ(window.box("chkSelect").value(), c.on ? 1 : 0);
    EXPECT_TRUE(window.box("chkSelect").enabled());
    EXPECT_EQ(values, c.on ? kAllTicked : kAllClear);
    // A failed read leaves every box as created: clear and enabled.
    EXPECT_EQ(enabled, c.on || c.report ? kAllEnabled : kAllDisabled);

    if (c.report) {
        ASSERT_EQ(window.services.messages.size(), 1u);
        EXPECT_EQ(window.services.messages[0].title, "Select_Buttons");
        EXPECT_EQ(window.services.messages[0].prompt, *c.report);
    } else {
        EXPECT_TRUE(window.services.messages.empty());
    }

    EXPECT_EQ(ToolbarChanges(store), c.on ? ReloadWrites() : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    PolicyValues, ToolbarStartup,
    testing::Values(StartCase{"Missing", std::nullopt, false, std::nullopt},
                    StartCase{"Dword0", Dword(0), false, std::nullopt},
                    StartCase{"Dword1", Dword(1), true, std::nullopt},
                    StartCase{"Text1", Sz("1"), true, std::nullopt},
                    StartCase{"Dword70000", Dword(70000), false, "Error: 6. Overflow"},
                    StartCase{"EmptyText", Sz(""), false, "Error: 13. Type mismatch"}),
    [](const auto& info) { return std::string(info.param.label); });

// The nesting at start-up, with one button stored as clear.
TEST(ToolbarStartupOrder, NestedButtonWritesThenThePolicyValues) {
    registry::MemoryRegistry store;
    PlantVersion(store, "9.11.9600.1");
    store.PutDword(kCurrentUser, kPolicies, "NoToolbarCustomize", 1);
    store.PutText(kCurrentUser, kPolicies, "Btn_Media", "2");
    Window window(store);
    window.Load();

    EXPECT_EQ(ToolbarChanges(store), ReloadWrites("Btn_Media"));
    EXPECT_EQ(window.box("chkMedia").value(), 0);
}

// ---------------------------------------------------------------------------------------------
// Reloading one button: what its stored value shows and what it is rewritten as.

struct ReloadCase {
    const char* label;
    std::optional<Seed> seed;
    int box;
    std::vector<std::string> writes;
};

class ToolbarButtonReload : public ToolbarUnit, public testing::TestWithParam<ReloadCase> {};

TEST_P(ToolbarButtonReload, OnlyExactlyTwoMeansClear) {
    const auto& c = GetParam();
    Plant(store, kCurrentUser, kPolicies, "Btn_Stop", c.seed);
    box("chkSelect").UserClick();
    EXPECT_EQ(box("chkStop").value(), c.box);
    EXPECT_EQ(Stored(store, kCurrentUser, kPolicies, "Btn_Stop"),
              c.box == 1 ? "REG_DWORD 1" : "REG_DWORD 2");
    std::vector<std::string> stopWrites;
    for (const auto& what : ToolbarChanges(store)) {
        if (what.starts_with("Btn_Stop ")) {
            stopWrites.push_back(what);
        }
    }
    EXPECT_EQ(stopWrites, c.writes);
    EXPECT_TRUE(services.messages.empty());
}

const std::vector<std::string> kTickedTwice = {"Btn_Stop = REG_DWORD 1", "Btn_Stop = REG_DWORD 1"};
const std::vector<std::string> kClearOnce = {"Btn_Stop = REG_DWORD 2"};

INSTANTIATE_TEST_SUITE_P(StoredForms, ToolbarButtonReload,
                         testing::Values(ReloadCase{"Text2", Sz("2"), 0, kClearOnce},
                                         ReloadCase{"Dword2", Dword(2), 0, kClearOnce},
                                         ReloadCase{"Dword0", Dword(0), 1, kTickedTwice},
                                         ReloadCase{"TextSpace2", Sz(" 2"), 1, kTickedTwice},
                                         ReloadCase{"Missing", std::nullopt, 1, kTickedTwice}),
                         [](const auto& info) { return std::string(info.param.label); });

// ---------------------------------------------------------------------------------------------
// Each button box writes its own value, under its own (sometimes irregular) name.

void PrintTo(const Button& button, std::ostream* os) {
    *os << button.control;
}

class ToolbarButtonClick : public ToolbarUnit, public testing::TestWithParam<Button> {};

TEST_P(ToolbarButtonClick, ClearWritesTwoAndTickWritesOne) {
    const auto& button = GetParam();
    box("chkSelect").UserClick();
    store.ClearJournal();
    box(button.control).UserClick();
    EXPECT_EQ(ToolbarChanges(store), std::vector<std::string>{Number(button.value, 2)});
    store.ClearJournal();
    box(button.control).UserClick();
    EXPECT_EQ(ToolbarChanges(store), std::vector<std::string>{Number(button.value, 1)});
}

// The program's own table gives each box the caption the window shows.
TEST(ToolbarTable, CaptionsMatchTheWindowLayout) {
    for (const auto& row : settings::kToolbarButtons) {
        const auto* layout = app::FindLayout(row.control);
        ASSERT_NE(layout, nullptr) << row.control;
        EXPECT_EQ(layout->caption, row.caption) << row.control;
    }
}

INSTANTIATE_TEST_SUITE_P(All22, ToolbarButtonClick, testing::ValuesIn(kButtons),
                         [](const auto& info) { return std::string(info.param.control); });

// ---------------------------------------------------------------------------------------------
// Switching the policy on and off by hand.

class ToolbarSwitching : public ToolbarUnit, public testing::Test {};

TEST_F(ToolbarSwitching, ClearingWritesOnlyThePolicyAndKeepsTheTicks) {
    box("chkSelect").UserClick();
    box("chkBack").UserClick();
    store.ClearJournal();

    box("chkSelect").UserClick();
    EXPECT_EQ(ToolbarChanges(store),
              (std::vector<std::string>{Number("NoToolbarCustomize", 0),
                                        Number("SpecifyDefaultButtons", 0)}));
    EXPECT_EQ(Enabled(), kAllDisabled);
    auto expected = kAllTicked;
    expected[0] = 0;
    EXPECT_EQ(Values(), expected);
    EXPECT_EQ(Stored(store, kCurrentUser, kPolicies, "Btn_Back"), "REG_DWORD 2");
}

TEST_F(ToolbarSwitching, TickingAgainReloadsWhatWasChangedElsewhere) {
    box("chkSelect").UserClick();
    box("chkSelect").UserClick();
    store.PutText(kCurrentUser, kPolicies, "Btn_Back", "2");
    store.PutDword(kCurrentUser, kPolicies, "Btn_Cut", 2);

    box("chkSelect").UserClick();
    auto expected = kAllTicked;
    expected[0] = 0;   // chkBack
    expected[19] = 0;  // chkCut
    EXPECT_EQ(Values(), expected);
    EXPECT_EQ(Enabled(), kAllEnabled);
    EXPECT_EQ(Stored(store, kCurrentUser, kPolicies, "Btn_Back"), "REG_DWORD 2");
}

// ---------------------------------------------------------------------------------------------
// Enabling: the 22 boxes change together in their own order; chkSelect is never touched.

class EnableLog : public toolkit::ControlPeer {
public:
    EnableLog(std::string name, std::vector<std::string>& log)
        : name_(std::move(name)), log_(log) {}
    void ShowEnabled(bool enabled) override { log_.push_back(name_ + (enabled ? " on" : " off")); }

private:
    std::string name_;
    std::vector<std::string>& log_;
};

class ToolbarEnableOrder : public ToolbarUnit, public testing::Test {
protected:
    ToolbarEnableOrder() {
        peers.reserve(kButtons.size() + 1);
        for (const auto& button : kButtons) {
            peers.emplace_back(button.control, log);
            box(button.control).AttachPeer(&peers.back());
        }
        peers.emplace_back("chkSelect", log);
        box("chkSelect").AttachPeer(&peers.back());
        log.clear();
    }
    ~ToolbarEnableOrder() override {
        for (const auto& button : kButtons) {
            box(button.control).AttachPeer(nullptr);
        }
        box("chkSelect").AttachPeer(nullptr);
    }
    std::vector<std::string> Expected(const char* state) {
        std::vector<std::string> expected;
        for (const auto& name : kEnableOrder) {
            expected.push_back(name + " " + state);
        }
        return expected;
    }

    std::vector<std::string> log;
    std::vector<EnableLog> peers;
};

TEST_F(ToolbarEnableOrder, SwitchingFollowsTheEnableOrderAndNeverTouchesChkSelect) {
    toolbar.IE_Buttons_Enabled(false);
    EXPECT_EQ(log, Expected("off"));
    log.clear();
    box("chkSelect").UserClick();
    EXPECT_EQ(log, Expected("on"));
    log.clear();
    box("chkSelect").UserClick();
    EXPECT_EQ(log, Expected("off"));
    EXPECT_TRUE(box("chkSelect").enabled());
}

}  // namespace

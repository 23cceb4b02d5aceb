// The toolbar-button policy: chkSelect at start-up, the reload of the 22 button boxes and its
// nested writes, switching the policy on and off, each button's own value, and enable order.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/layout.h"
#include "settings/toolbar_buttons.h"
#include "switch_toolbar_support.h"

namespace {

using namespace switch_toolbar_test;

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
std::vector<std::string> ReloadWrites(const std::set<std::string>& cleared = {}) {
    std::vector<std::string> writes;
    for (const auto& button : kButtons) {
        if (cleared.contains(button.value)) {
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
    auto changes = What(store, FullPath(kCurrentUser, kPolicies));
    std::erase_if(changes, [](const auto& what) { return what.starts_with("NoInternetIcon"); });
    return changes;
}

std::vector<int> Values(const toolkit::ControlSet& controls) {
    std::vector<int> values;
    for (const auto& button : kButtons) {
        values.push_back(controls.checkBox(button.control).value());
    }
    return values;
}

std::vector<bool> Enabled(const toolkit::ControlSet& controls) {
    std::vector<bool> enabled;
    for (const auto& button : kButtons) {
        enabled.push_back(controls.checkBox(button.control).enabled());
    }
    return enabled;
}

const std::vector<int> kAllTicked(22, 1);
const std::vector<bool> kAllEnabled(22, true);
const std::vector<bool> kAllDisabled(22, false);

// Start-up: what "NoToolbarCustomize" makes of chkSelect and the 22 boxes.
TEST(ToolbarStartup, PolicyValueDecidesTheSwitch) {
    const struct {
        const char* label;
        std::optional<Seed> seed;
        bool on;
        std::optional<std::string> report;  // the prompt of the "Select_Buttons" report
    } rows[] = {
        {"missing", std::nullopt, false, std::nullopt},
        {"0", Dword(0), false, std::nullopt},
        {"1", Dword(1), true, std::nullopt},
        {"text 1", Sz("1"), true, std::nullopt},
        {"70000", Dword(70000), false, "Error: 6. Overflow"},
        {"empty text", Sz(""), false, "Error: 13. Type mismatch"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        registry::MemoryRegistry store;
        PlantVersion(store, "9.11.9600.1");
        Plant(store, kCurrentUser, kPolicies, "NoToolbarCustomize", row.seed);
        Window window(store);
        window.Load();
        const auto& box = window.form.controls();
        EXPECT_EQ(window.box("chkSelect").value(), row.on ? 1 : 0);
        EXPECT_TRUE(window.box("chkSelect").enabled());
        EXPECT_EQ(Values(box), row.on ? kAllTicked : std::vector<int>(22, 0));
        // A failed read leaves every box as created: clear and enabled.
        EXPECT_EQ(Enabled(box), row.on || row.report ? kAllEnabled : kAllDisabled);
        ASSERT_EQ(window.services.messages.size(), row.report ? 1u : 0u);
        if (row.report) {
            EXPECT_EQ(window.services.messages[0].title, "Select_Buttons");
            EXPECT_EQ(window.services.messages[0].prompt, *row.report);
        }
        EXPECT_EQ(ToolbarChanges(store), row.on ? ReloadWrites() : std::vector<std::string>{});
    }
}

// Only exactly "2" clears a box; each button is written once by its own handler (where the
// box changes) and once by the reload, in reload order, before the two policy values.
TEST(ToolbarStartup, EachButtonIsReloadedAndRewrittenInOrderBeforeThePolicyValues) {
    registry::MemoryRegistry store;
    PlantVersion(store, "9.11.9600.1");
    store.PutDword(kCurrentUser, kPolicies, "NoToolbarCustomize", 1);
    store.PutText(kCurrentUser, kPolicies, "Btn_Stop", "2");
    store.PutDword(kCurrentUser, kPolicies, "Btn_Media", 2);
    store.PutDword(kCurrentUser, kPolicies, "Btn_Back", 0);
    store.PutText(kCurrentUser, kPolicies, "Btn_Cut", " 2");
    Window window(store);
    window.Load();
    EXPECT_EQ(ToolbarChanges(store), ReloadWrites({"Btn_Stop", "Btn_Media"}));
    auto expected = kAllTicked;
    expected[2] = expected[10] = 0;  // chkStop, chkMedia
    EXPECT_EQ(Values(window.form.controls()), expected);
    EXPECT_EQ(Stored(store, kCurrentUser, kPolicies, "Btn_Cut"), "REG_DWORD 1");
}

// One ToolbarButtons unit on a fresh set of the window's controls.
class ToolbarUnit : public testing::Test {
protected:
    toolkit::CheckBox& box(const std::string& name) { return controls.checkBox(name); }

    registry::MemoryRegistry store;
    toolkit::ScriptedServices services;
    toolkit::ControlSet controls = app::CreateControls();
    registry::modRegistry layer{store, services};
    settings::ToolbarButtons toolbar{controls, layer, services};
};

// Each button box writes its own value, under its own (sometimes irregular) name.
TEST_F(ToolbarUnit, ClearingAButtonWritesTwoAndTickingItWritesOne) {
    box("chkSelect").UserClick();
    for (const auto& button : kButtons) {
        store.ClearJournal();
        box(button.control).UserClick();
        box(button.control).UserClick();
        EXPECT_EQ(ToolbarChanges(store),
                  (std::vector<std::string>{Number(button.value, 2), Number(button.value, 1)}));
    }
}

TEST_F(ToolbarUnit, ClearingThePolicyWritesOnlyThePolicyAndKeepsTheTicks) {
    box("chkSelect").UserClick();
    box("chkBack").UserClick();
    store.ClearJournal();

    box("chkSelect").UserClick();
    EXPECT_EQ(ToolbarChanges(store),
              (std::vector<std::string>{Number("NoToolbarCustomize", 0),
                                        Number("SpecifyDefaultButtons", 0)}));
    EXPECT_EQ(Enabled(controls), kAllDisabled);
    auto expected = kAllTicked;
    expected[0] = 0;
    EXPECT_EQ(Values(controls), expected);
}

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

TEST_F(ToolbarUnit, SwitchingFollowsTheEnableOrderAndNeverTouchesChkSelect) {
    std::vector<std::string> log;
    std::vector<EnableLog> peers;
    peers.reserve(kButtons.size() + 1);
    for (const auto& button : kButtons) {
        box(button.control).AttachPeer(&peers.emplace_back(button.control, log));
    }
    box("chkSelect").AttachPeer(&peers.emplace_back("chkSelect", log));
    const auto expected = [](const char* state) {
        std::vector<std::string> names;
        for (const auto& name : kEnableOrder) {
            names.push_back(name + " " + state);
        }
        return names;
    };
    log.clear();
    toolbar.IE_Buttons_Enabled(false);
    EXPECT_EQ(log, expected("off"));
    log.clear();
    box("chkSelect").UserClick();
    EXPECT_EQ(log, expected("on"));
    log.clear();
    box("chkSelect").UserClick();
    EXPECT_EQ(log, expected("off"));
    EXPECT_TRUE(box("chkSelect").enabled());
    box("chkSelect").AttachPeer(nullptr);
    for (const auto& button : kButtons) {
        box(button.control).AttachPeer(nullptr);
    }
}

}  // namespace

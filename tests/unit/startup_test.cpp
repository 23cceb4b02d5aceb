// Start-up: the version gate decides whether the window may run and which switches it disables;
// a refused start ends without loading or writing anything.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/frm_korvane.h"
#include "app/layout.h"
#include "registry/memory_registry.h"
#include "shell/scripted_shell.h"
#include "toolkit/scripted_services.h"

namespace {

using registry::kCurrentUser;
using registry::kLocalMachine;

constexpr const char* kIeKey = "Software\\Microsoft\\Internet Explorer";
constexpr const char* kToolbarKey = "Software\\Microsoft\\Internet Explorer\\Toolbar";

class StartUp : public testing::Test {
protected:
    // Runs the load event on a fresh window over the store.
    app::frmKorvane& Load() {
        form_.emplace(store, services, shell);
        form_->Form_Load();
        return *form_;
    }
    void Unload() {
        std::int16_t cancel = 0;
        form_->Form_Unload(cancel);
        EXPECT_EQ(cancel, 0) << "closing is never refused";
    }

    registry::MemoryRegistry store;
    toolkit::ScriptedServices services;
    shell::ScriptedShell shell;

private:
    std::optional<app::frmKorvane> form_;
};

struct VersionCase {
    const char* version;
    bool runs;
    bool lateSwitchesEnabled;
};

class VersionGate : public StartUp, public testing::WithParamInterface<VersionCase> {};

TEST_P(VersionGate, DecidesFromTheFirstCharacterAsText) {
    const auto& c = GetParam();
    store.PutText(kLocalMachine, kIeKey, "Version", c.version);
    auto& form = Load();
    EXPECT_EQ(form.controls().label("lblVersion").caption(), c.version);
    EXPECT_EQ(form.strVersion(), c.version);
    EXPECT_EQ(form.unloadRequested(), !c.runs);
    if (!c.runs) {
        ASSERT_EQ(services.messages.size(), 1u);
        EXPECT_EQ(services.messages[0].prompt, app::kVersionRefusedPrompt);
        return;
    }
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(form.controls().checkBox("chkIEErr").enabled(), c.lateSwitchesEnabled);
    EXPECT_EQ(form.controls().checkBox("chkSecurityZone").enabled(), c.lateSwitchesEnabled);
    for (const auto& control : form.controls().all()) {
        const auto& name = control->name();
        const bool lateSwitch = name == "chkIEErr" || name == "chkSecurityZone";
        // The toolbar boxes follow their switch, which is off here.
        const bool toolbarButton = app::FindLayout(name)->container == "Frame6" &&
                                   control->kind() == toolkit::ControlKind::CheckBox;
        if (!lateSwitch && !toolbarButton) {
            EXPECT_TRUE(control->enabled()) << name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Versions, VersionGate,
    testing::Values(
        VersionCase{"6.0.2800.1106", true, true}, VersionCase{"5.50.4807.2300", true, false},
        VersionCase{"4.72.3110.8", false, false},
        // "1" sorts below "5": the newest browsers are refused too.
        VersionCase{"10.0.9200.16384", false, false}, VersionCase{"11.0.9600.16428", false, false},
        VersionCase{"9.0.8112.16421", true, true}, VersionCase{"9.11.9600.18376", true, true},
        VersionCase{" 6.0", false, false},  // nothing is trimmed
        VersionCase{"5", true, false}, VersionCase{"6", true, true},
        VersionCase{"x", true, true}),  // any text above "6" runs unrestricted
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST_F(StartUp, AVersionStoredAsANumberCountsByItsDigits) {
    store.PutDword(kLocalMachine, kIeKey, "Version", 6);
    auto& form = Load();
    EXPECT_EQ(form.controls().label("lblVersion").caption(), "6");
    EXPECT_FALSE(form.unloadRequested());
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(StartUp, AMissingVersionIsRefusedWithTheExactBox) {
    auto& form = Load();
    EXPECT_TRUE(form.unloadRequested());
    EXPECT_EQ(form.controls().label("lblVersion").caption(), "");
    ASSERT_EQ(services.messages.size(), 1u);
    const auto& box = services.messages[0];
    EXPECT_EQ(box.prompt.substr(0, 68),
              "You need to have Internet Explorer 5 or higher to use this program\r\n");
    EXPECT_EQ(box.prompt.substr(68, 12), "download at ");
    EXPECT_GT(box.prompt.size(), 80u) << "an address follows";
    EXPECT_EQ(box.buttons, toolkit::kOkOnly);
    EXPECT_EQ(box.title, std::nullopt);
    EXPECT_EQ(box.shownTitle(), "Korvane");
}

TEST_F(StartUp, OnlyTheMachineWideVersionCounts) {
    store.PutText(kCurrentUser, kIeKey, "Version", "6.0.2800.1106");
    EXPECT_TRUE(Load().unloadRequested());
}

TEST_F(StartUp, ARefusedStartLoadsNothingAndWritesNothingAtUnload) {
    store.PutText(kLocalMachine, kIeKey, "Version", "4.72.3110.8");
    store.PutText(kCurrentUser, kToolbarKey, "BackBitmap", "C:\\keep.bmp");
    store.PutDword(kCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                   "NoToolbarCustomize", 1);
    Load();
    Unload();
    EXPECT_TRUE(store.Changes().empty());
    EXPECT_EQ(store.GetText(kCurrentUser, kToolbarKey, "BackBitmap"), "C:\\keep.bmp");
    EXPECT_EQ(store.openHandles(), 0u);
}

}  // namespace

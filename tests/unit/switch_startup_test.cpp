// The switches and the toolbar policy inside the whole start-up of the window: loader order,
// the version-5 restriction, failures that end start-up, and HKLM refusing writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "switch_toolbar_support.h"

namespace {

using namespace switch_toolbar_test;

class SwitchStartup : public testing::Test {
protected:
    SwitchStartup() { PlantVersion(store, "9.11.9600.1"); }
    registry::MemoryRegistry store;
};

TEST_F(SwitchStartup, LoadersRunToolbarFirstAndCacheBeforeZone) {
    // Every switch seeded so that its loader ticks it and so writes.
    store.PutDword(kCurrentUser, kPolicies, "NoToolbarCustomize", 1);
    store.PutDword(kCurrentUser, kInternetSettings, "DisablePasswordCaching", 1);
    store.PutDword(kLocalMachine, kMain, "IEWatsonDisabled", 1);
    store.PutText(kCurrentUser, kMain, "FavIntelliMenus", "yes");
    store.PutDword(kLocalMachine, kProtocolDefaults, "about", 4);
    store.PutDword(kCurrentUser, kPolicies, "NoInternetIcon", 1);
    store.PutDword(kCurrentUser, kZone0, "Flags", 1);

    Window window(store);
    window.Load();
    EXPECT_TRUE(window.services.messages.empty());
    // The first write of each name, leaving out the buttons and the two download counts.
    std::vector<std::string> order;
    for (const auto& what : What(ValueChanges(store))) {
        const auto name = what.substr(0, what.find(" = "));
        if (!name.starts_with("Btn_") && !name.starts_with("MaxConnections") &&
            std::find(order.begin(), order.end(), name) == order.end()) {
            order.push_back(name);
        }
    }
    EXPECT_EQ(order, (std::vector<std::string>{"NoToolbarCustomize", "SpecifyDefaultButtons",
                                               "Append Completion", "DisablePasswordCaching",
                                               "IEWatsonDisabled", "IEWatsonEnabled",
                                               "FavIntelliMenus", "NoUpdateCheck", "about",
                                               "about:", "NoInternetIcon", "Persistent", "Flags"}));
    // The 44 button writes all come before the two policy values.
    const auto what = What(ValueChanges(store));
    const auto policy = std::find(what.begin(), what.end(), "NoToolbarCustomize = REG_DWORD 1");
    ASSERT_NE(policy, what.end());
    EXPECT_EQ(std::count_if(what.begin(), policy,
                            [](const std::string& w) { return w.starts_with("Btn_"); }),
              44);
}

TEST_F(SwitchStartup, VersionFiveDisablesTwoBoxesThatStillLoadAndWrite) {
    PlantVersion(store, "5.50.4807.2300");
    store.PutDword(kLocalMachine, kMain, "IEWatsonDisabled", 1);
    store.PutDword(kCurrentUser, kZone0, "Flags", 1);
    Window window(store);
    window.Load();
    for (const char* name : {"chkIEErr", "chkSecurityZone"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(window.box(name).enabled());
        EXPECT_EQ(window.box(name).value(), 1);
    }
    EXPECT_EQ(Stored(store, kLocalMachine, kMain, "IEWatsonEnabled"), "REG_DWORD 0");
    EXPECT_EQ(Stored(store, kCurrentUser, kZone0, "Flags"), "REG_DWORD 1");
    EXPECT_TRUE(window.box("chkPassCach").enabled());
}

TEST_F(SwitchStartup, ErrorReportingTypeMismatchIsReportedAndStartupGoesOn) {
    store.PutText(kLocalMachine, kMain, "IEWatsonDisabled", "yes");
    Window window(store);
    window.Load();
    ASSERT_EQ(window.services.messages.size(), 1u);
    EXPECT_EQ(window.services.messages[0].title, "Error_Reporting");
    EXPECT_EQ(window.services.messages[0].prompt, "Error: 13. Type mismatch");
    EXPECT_EQ(window.box("chkIEErr").value(), 0);
    EXPECT_EQ(Stored(store, kLocalMachine, kMain, "IEWatsonEnabled"), "missing");
    // Loaders after it still ran.
    EXPECT_EQ(window.box("chkUpdate").value(), 1);
    EXPECT_EQ(window.box("chkCache").value(), 1);
}

// A loader without a guard of its own fails: one report titled Form_Load, and every loader
// after it is skipped. chkAutoAppend (step 2), chkUpdate (step 9) and chkCache (step 13) all
// tick on a missing value, so they show which loaders ran.
struct StopCase {
    const char* label;
    const char* key;
    const char* name;
    Seed seed;
    const char* prompt;
    int autoAppend;
    int update;
    int cache;
};

class SwitchStartupStops : public SwitchStartup, public testing::WithParamInterface<StopCase> {};

TEST_P(SwitchStartupStops, OneFormLoadReportAndTheRestIsSkipped) {
    const auto& c = GetParam();
    Plant(store, kCurrentUser, c.key, c.name, c.seed);
    // Flags = 1 would tick chkSecurityZone, the last loader, had it run.
    if (std::string(c.name) != "Flags") {
        store.PutDword(kCurrentUser, kZone0, "Flags", 1);
    }
    Window window(store);
    window.Load();
    ASSERT_EQ(window.services.messages.size(), 1u);
    EXPECT_EQ(window.services.messages[0].title, "Form_Load");
    EXPECT_EQ(window.services.messages[0].prompt, c.prompt);
    EXPECT_EQ(window.box("chkAutoAppend").value(), c.autoAppend);
    EXPECT_EQ(window.box("chkUpdate").value(), c.update);
    EXPECT_EQ(window.box("chkCache").value(), c.cache);
    EXPECT_EQ(window.box("chkSecurityZone").value(), 0);
    const auto what = What(ValueChanges(store));
    EXPECT_EQ(std::count(what.begin(), what.end(), "Persistent = REG_DWORD 0"), c.cache);
    EXPECT_FALSE(window.form.unloadRequested());
}

INSTANTIATE_TEST_SUITE_P(UnguardedLoaders, SwitchStartupStops,
                         testing::Values(StopCase{"PasswordCaching", kInternetSettings,
                                                  "DisablePasswordCaching", Sz("x"),
                                                  "Error: 13. Type mismatch", 1, 0, 0},
                                         StopCase{"InternetIcon", kPolicies, "NoInternetIcon",
                                                  Dword(70000), "Error: 6. Overflow", 1, 1, 0},
                                         StopCase{"SecurityZone", kZone0, "Flags", Binary({1, 0}),
                                                  "Error: 13. Type mismatch", 1, 1, 1}),
                         [](const auto& info) { return std::string(info.param.label); });

// HKLM refusing writes, as without admin rights: the click shows nothing, the box keeps the
// user's choice, and the next start shows what is really stored.
struct RefusedCase {
    const char* label;
    const char* control;
    const char* key;
    std::vector<const char*> names;
    std::optional<std::uint32_t> stored;  // planted in every name before the first start
    int boxAtStart;
};

class SwitchHklmRefused : public SwitchStartup, public testing::WithParamInterface<RefusedCase> {};

TEST_P(SwitchHklmRefused, ClickIsSilentAndTheNextStartShowsTheStore) {
    const auto& c = GetParam();
    if (c.stored) {
        for (const char* name : c.names) {
            store.PutDword(kLocalMachine, c.key, name, *c.stored);
        }
    }
    store.SetWritesRefused(kLocalMachine, true);
    const auto stored = [&] {
        std::vector<std::string> values;
        for (const char* name : c.names) {
            values.push_back(Stored(store, kLocalMachine, c.key, name));
        }
        return values;
    };
    const auto before = stored();
    {
        Window window(store);
        window.Load();
        ASSERT_EQ(window.box(c.control).value(), c.boxAtStart);
        window.box(c.control).UserClick();
        EXPECT_EQ(window.box(c.control).value(), 1 - c.boxAtStart);
        EXPECT_TRUE(window.services.messages.empty());
    }
    EXPECT_EQ(stored(), before);

    Window next(store);
    next.Load();
    EXPECT_EQ(next.box(c.control).value(), c.boxAtStart);
    EXPECT_TRUE(next.services.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    TickAndClear, SwitchHklmRefused,
    testing::Values(
        RefusedCase{"IEErrTick",
                    "chkIEErr",
                    kMain,
                    {"IEWatsonDisabled", "IEWatsonEnabled"},
                    std::nullopt,
                    0},
        RefusedCase{"IEErrClear", "chkIEErr", kMain, {"IEWatsonDisabled", "IEWatsonEnabled"}, 1, 1},
        RefusedCase{
            "AboutTick", "chkAbout", kProtocolDefaults, {"about", "about:"}, std::nullopt, 0},
        RefusedCase{"AboutClear", "chkAbout", kProtocolDefaults, {"about", "about:"}, 4, 1}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace

// The switches and the toolbar policy inside the whole start-up of the window: loader order,
// the version-5 restriction, failures that end start-up, and HKLM refusing writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "switch_toolbar_support.h"

namespace {

using namespace switch_toolbar_test;

// The names the switches and the toolbar policy write; other settings' writes are ignored.
bool IsSwitchOrToolbarName(const std::string& what) {
    static const std::set<std::string> names = {"Append Completion",
                                                "DisablePasswordCaching",
                                                "IEWatsonDisabled",
                                                "IEWatsonEnabled",
                                                "FavIntelliMenus",
                                                "NoUpdateCheck",
                                                "about",
                                                "about:",
                                                "NoInternetIcon",
                                                "Flags",
                                                "Persistent",
                                                "NoToolbarCustomize",
                                                "SpecifyDefaultButtons"};
    const auto name = what.substr(0, what.find(" = "));
    return names.contains(name) || name.starts_with("Btn_");
}

class SwitchStartup : public testing::Test {
protected:
    SwitchStartup() { PlantVersion(store, "9.11.9600.1"); }

    // The first change of each switch or toolbar name, in order.
    std::vector<std::string> FirstWriteOfEachName() const {
        std::vector<std::string> order;
        for (const auto& what : What(ValueChanges(store))) {
            if (!IsSwitchOrToolbarName(what)) {
                continue;
            }
            const auto name = what.substr(0, what.find(" = "));
            const auto seen = std::find(order.begin(), order.end(), name) != order.end();
            if (!seen && !name.starts_with("Btn_")) {
                order.push_back(name);
            }
        }
        return order;
    }

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
    EXPECT_EQ(
        FirstWriteOfEachName(),
        (std::vector<std::string>{"NoToolbarCustomize", "SpecifyDefaultButtons",
                                  "Append Completion", "DisablePasswordCaching", "IEWatsonDisabled",
                                  "IEWatsonEnabled", "FavIntelliMenus", "NoUpdateCheck", "about",
                                  "about:", "NoInternetIcon", "Persistent", "Flags"}));
    // The 44 button writes all come before the two policy values.
    const auto what = What(ValueChanges(store));
    const auto policy = std::find(what.begin(), what.end(), "NoToolbarCustomize = REG_DWORD 1");
    ASSERT_NE(policy, what.end());
    EXPECT_EQ(std::count_if(what.begin(), policy,
                            [](const std::string& w) { return w.starts_with("Btn_"); }),
              44);
}

TEST_F(SwitchStartup, EmptyRegistryWritesOnlyTheSwitchesThatTickOnMissing) {
    Window window(store);
    window.Load();
    std::vector<std::string> written;
    for (const auto& what : What(ValueChanges(store))) {
        if (IsSwitchOrToolbarName(what)) {
            written.push_back(what);
        }
    }
    EXPECT_EQ(written, (std::vector<std::string>{"Append Completion = REG_SZ \"yes\"",
                                                 "NoUpdateCheck = REG_DWORD 0",
                                                 "Persistent = REG_DWORD 0"}));
    EXPECT_TRUE(window.services.messages.empty());
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

void PrintTo(const StopCase& c, std::ostream* os) {
    *os << c.label;
}

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
                                         StopCase{"UpdateCheck", kMain, "NoUpdateCheck",
                                                  Dword(70000), "Error: 6. Overflow", 1, 0, 0},
                                         StopCase{"InternetIcon", kPolicies, "NoInternetIcon",
                                                  Dword(70000), "Error: 6. Overflow", 1, 1, 0},
                                         StopCase{"CachePersistent", kCacheKey, "Persistent",
                                                  Sz(""), "Error: 13. Type mismatch", 1, 1, 0},
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

void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.label;
}

class SwitchHklmRefused : public SwitchStartup, public testing::WithParamInterface<RefusedCase> {};

TEST_P(SwitchHklmRefused, ClickIsSilentAndTheNextStartShowsTheStore) {
    const auto& c = GetParam();
    if (c.stored) {
        for (const char* name : c.names) {
            store.PutDword(kLocalMachine, c.key, name, *c.stored);
        }
    }
    store.SetWritesRefused(kLocalMachine, true);
    std::vector<std::string> before;
    for (const char* name : c.names) {
        before.push_back(Stored(store, kLocalMachine, c.key, name));
    }
    {
        Window window(store);
        window.Load();
        ASSERT_EQ(window.box(c.control).value(), c.boxAtStart);
        window.box(c.control).UserClick();
        EXPECT_EQ(window.box(c.control).value(), 1 - c.boxAtStart);
        EXPECT_TRUE(window.services.messages.empty());
    }
    std::vector<std::string> after;
    for (const char* name : c.names) {
        after.push_back(Stored(store, kLocalMachine, c.key, name));
    }
    EXPECT_EQ(after, before);

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

TEST_F(SwitchStartup, HklmRefusedLeavesCurrentUserSwitchesWorking) {
    store.SetWritesRefused(kLocalMachine, true);
    Window window(store);
    window.Load();
    window.box("chkPassCach").UserClick();
    EXPECT_EQ(Stored(store, kCurrentUser, kInternetSettings, "DisablePasswordCaching"),
              "REG_DWORD 1");
    EXPECT_EQ(Stored(store, kCurrentUser, kAutoCompleteKey, "Append Completion"), "REG_SZ \"yes\"");
}

}  // namespace

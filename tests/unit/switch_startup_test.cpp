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
    for (const auto& what : What(store)) {
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
// tick on a missing value, and Flags = 1 would tick chkSecurityZone (the last), so they show
// which loaders ran.
TEST(SwitchStartupStops, OneFormLoadReportAndTheRestIsSkipped) {
    const struct {
        const char* key;
        const char* name;
        Seed seed;
        const char* prompt;
        int autoAppend, update, cache;
    } rows[] = {
        {kInternetSettings, "DisablePasswordCaching", Sz("x"), "Error: 13. Type mismatch", 1, 0, 0},
        {kPolicies, "NoInternetIcon", Dword(70000), "Error: 6. Overflow", 1, 1, 0},
        {kZone0, "Flags", Binary({1, 0}), "Error: 13. Type mismatch", 1, 1, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        registry::MemoryRegistry store;
        PlantVersion(store, "9.11.9600.1");
        store.PutDword(kCurrentUser, kZone0, "Flags", 1);
        Plant(store, kCurrentUser, row.key, row.name, row.seed);
        Window window(store);
        window.Load();
        ASSERT_EQ(window.services.messages.size(), 1u);
        EXPECT_EQ(window.services.messages[0].title, "Form_Load");
        EXPECT_EQ(window.services.messages[0].prompt, row.prompt);
        EXPECT_EQ(window.box("chkAutoAppend").value(), row.autoAppend);
        EXPECT_EQ(window.box("chkUpdate").value(), row.update);
        EXPECT_EQ(window.box("chkCache").value(), row.cache);
        EXPECT_EQ(window.box("chkSecurityZone").value(), 0);
        EXPECT_EQ(Stored(store, kCurrentUser, kCacheKey, "Persistent"),
                  row.cache ? "REG_DWORD 0" : "missing");
        EXPECT_FALSE(window.form.unloadRequested());
    }
}

// HKLM refusing writes, as without admin rights: the click shows nothing, the box keeps the
// user's choice, and the next start shows what is really stored.
TEST(SwitchHklmRefused, ClickIsSilentAndTheNextStartShowsTheStore) {
    const struct {
        const char* control;
        const char* key;
        std::vector<const char*> names;
        std::optional<std::uint32_t> stored;  // planted in every name before the first start
    } rows[] = {
        {"chkIEErr", kMain, {"IEWatsonDisabled", "IEWatsonEnabled"}, std::nullopt},
        {"chkIEErr", kMain, {"IEWatsonDisabled", "IEWatsonEnabled"}, 1},
        {"chkAbout", kProtocolDefaults, {"about", "about:"}, std::nullopt},
        {"chkAbout", kProtocolDefaults, {"about", "about:"}, 4},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.control) + (row.stored ? " clear" : " tick"));
        registry::MemoryRegistry store;
        PlantVersion(store, "9.11.9600.1");
        for (const char* name : row.names) {
            if (row.stored) {
                store.PutDword(kLocalMachine, row.key, name, *row.stored);
            }
        }
        store.SetWritesRefused(kLocalMachine, true);
        const auto stored = [&] {
            std::vector<std::string> values;
            for (const char* name : row.names) {
                values.push_back(Stored(store, kLocalMachine, row.key, name));
            }
            return values;
        };
        const auto before = stored();
        const int atStart = row.stored ? 1 : 0;
        {
            Window window(store);
            window.Load();
            ASSERT_EQ(window.box(row.control).value(), atStart);
            window.box(row.control).UserClick();
            EXPECT_EQ(window.box(row.control).value(), 1 - atStart);
            EXPECT_TRUE(window.services.messages.empty());
        }
        EXPECT_EQ(stored(), before);
        Window next(store);
        next.Load();
        EXPECT_EQ(next.box(row.control).value(), atStart);
        EXPECT_TRUE(next.services.messages.empty());
    }
}

}  // namespace

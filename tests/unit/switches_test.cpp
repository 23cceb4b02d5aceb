// The nine on/off settings on their own: what each loader makes of a stored value, what each
// click writes, how loader failures surface, and the restart notice of chkIcon.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/layout.h"
#include "settings/switches.h"
#include "switch_toolbar_support.h"
#include "toolkit/error.h"

namespace {

using namespace switch_toolbar_test;
using settings::Switches;
using Loader = void (Switches::*)();

// Where each switch lives, written out here independently of the program's table.
struct Place {
    const char* control;
    Loader loader;
    const char* loaderName;
    registry::RawKey root;
    const char* key;
    const char* name;  // the value the loader reads
};

// clang-format off
const Place kAutoAppend{"chkAutoAppend", &Switches::Append_Completion, "Append_Completion",
    kCurrentUser, kAutoCompleteKey, "Append Completion"};
const Place kPassCach{"chkPassCach", &Switches::Password_Caching, "Password_Caching",
    kCurrentUser, kInternetSettings, "DisablePasswordCaching"};
const Place kIEErr{"chkIEErr", &Switches::Error_Reporting, "Error_Reporting",
    kLocalMachine, kMain, "IEWatsonDisabled"};
const Place kHideWeb{"chkHideWeb", &Switches::Intelli_Menus, "Intelli_Menus",
    kCurrentUser, kMain, "FavIntelliMenus"};
const Place kUpdate{"chkUpdate", &Switches::Update_Check, "Update_Check",
    kCurrentUser, kMain, "NoUpdateCheck"};
const Place kAbout{"chkAbout", &Switches::About_Urls, "About_Urls",
    kLocalMachine, kProtocolDefaults, "about"};
const Place kIcon{"chkIcon", &Switches::Internet_Icon, "Internet_Icon",
    kCurrentUser, kPolicies, "NoInternetIcon"};
const Place kSecurityZone{"chkSecurityZone", &Switches::Security_Zone, "Security_Zone",
    kCurrentUser, kZone0, "Flags"};
const Place kCache{"chkCache", &Switches::Cache_Persistent, "Cache_Persistent",
    kCurrentUser, kCacheKey, "Persistent"};
// clang-format on

// One Switches unit on a fresh set of the window's controls.
struct SwitchUnit {
    toolkit::CheckBox& box(const Place& place) { return controls.checkBox(place.control); }
    void RunLoader(const Place& place) { (switches.*place.loader)(); }
    void Plant(const Place& place, const std::optional<Seed>& seed) {
        switch_toolbar_test::Plant(store, place.root, place.key, place.name, seed);
    }
    // The changes made, each checked to lie in the switch's own key.
    std::vector<std::string> ChangesIn(const Place& place) {
        const auto all = What(store);
        const auto own = What(store, FullPath(place.root, place.key));
        EXPECT_EQ(all, own) << "a change outside " << place.key;
        return own;
    }

    registry::MemoryRegistry store;
    toolkit::ScriptedServices services;
    toolkit::ControlSet controls = app::CreateControls();
    registry::modRegistry layer{store, services};
    Switches switches{controls, layer, services};
};

// The changes as ValueChanges shows them.
std::string Text(const char* name, const char* text) {
    return std::string(name) + " = REG_SZ \"" + text + "\"";
}
std::string Number(const char* name, std::uint32_t number) {
    return std::string(name) + " = REG_DWORD " + std::to_string(number);
}
std::string Deleted(const char* name) {
    return std::string("delete ") + name;
}

// Loading: the stored value, the box after the loader, and what the loader wrote back through
// the box's own click handler. Password_Caching's two tests leave a box alone on any other
// number, where every other loader clears it: seen on a box ticked before the loader runs.
TEST(SwitchLoad, SetsTheBoxAndWritesBackOnlyWhenItChanges) {
    const std::vector<std::string> nothing;
    const std::vector<std::string> appendYes = {Text("Append Completion", "yes")};
    const struct {
        const char* label;
        const Place* place;
        std::optional<Seed> seed;
        int before;
        int box;
        std::vector<std::string> writes;
    } rows[] = {
        {"AppendMissing", &kAutoAppend, std::nullopt, 0, 1, appendYes},
        {"AppendNo", &kAutoAppend, Sz("no"), 0, 0, nothing},
        {"HideWebYes", &kHideWeb, Sz("yes"), 0, 1, {Text("FavIntelliMenus", "yes")}},
        {"HideWebCapitalYes", &kHideWeb, Sz("Yes"), 0, 0, nothing},
        {"PassCachMissing", &kPassCach, std::nullopt, 1, 0, {Number("DisablePasswordCaching", 0)}},
        {"PassCach1", &kPassCach, Dword(1), 0, 1, {Number("DisablePasswordCaching", 1)}},
        {"PassCach2Leaves", &kPassCach, Dword(2), 1, 1, nothing},
        {"PassCach0Clears", &kPassCach, Dword(0), 1, 0, {Number("DisablePasswordCaching", 0)}},
        {"IEErr1",
         &kIEErr,
         Dword(1),
         0,
         1,
         {Number("IEWatsonDisabled", 1), Number("IEWatsonEnabled", 0)}},
        {"IEErr0", &kIEErr, Dword(0), 0, 0, nothing},
        {"UpdateMissing", &kUpdate, std::nullopt, 0, 1, {Number("NoUpdateCheck", 0)}},
        {"Update1", &kUpdate, Dword(1), 0, 0, nothing},
        {"About4", &kAbout, Dword(4), 0, 1, {Number("about", 4), Number("about:", 4)}},
        {"About3", &kAbout, Dword(3), 0, 0, nothing},
        {"Icon1", &kIcon, Dword(1), 0, 1, {Number("NoInternetIcon", 1)}},
        {"Icon2Clears", &kIcon, Dword(2), 1, 0, {Deleted("NoInternetIcon")}},
        {"Zone1", &kSecurityZone, Dword(1), 0, 1, {Number("Flags", 1)}},
        {"Zone3", &kSecurityZone, Dword(3), 0, 0, nothing},
        {"CacheMissing", &kCache, std::nullopt, 0, 1, {Number("Persistent", 0)}},
        {"Cache1", &kCache, Dword(1), 0, 0, nothing},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SwitchUnit unit;
        if (row.before == 1) {
            unit.box(*row.place).UserClick();
            unit.layer.RegistryDeleteValue(row.place->root, row.place->key, row.place->name);
            unit.store.ClearJournal();
        }
        unit.Plant(*row.place, row.seed);
        unit.RunLoader(*row.place);
        EXPECT_EQ(unit.box(*row.place).value(), row.box);
        EXPECT_EQ(unit.ChangesIn(*row.place), row.writes);
        EXPECT_TRUE(unit.services.messages.empty());
    }
}

// Clicking: a user's tick and then a user's clear, each written at once, in order. The journal
// holds successful calls only, so a deletion listed is a value gone.
TEST(SwitchClick, TickingAndClearingWriteTheirValuesInOrder) {
    const struct {
        const Place* place;
        std::vector<std::string> ticked;
        std::vector<std::string> cleared;
    } rows[] = {
        {&kAutoAppend, {Text("Append Completion", "yes")}, {Text("Append Completion", "no")}},
        {&kPassCach, {Number("DisablePasswordCaching", 1)}, {Number("DisablePasswordCaching", 0)}},
        {&kIEErr,
         {Number("IEWatsonDisabled", 1), Number("IEWatsonEnabled", 0)},
         {Deleted("IEWatsonDisabled"), Deleted("IEWatsonEnabled")}},
        {&kHideWeb, {Text("FavIntelliMenus", "yes")}, {Text("FavIntelliMenus", "no")}},
        {&kUpdate, {Number("NoUpdateCheck", 0)}, {Number("NoUpdateCheck", 1)}},
        {&kAbout, {Number("about", 4), Number("about:", 4)}, {Deleted("about"), Deleted("about:")}},
        {&kIcon, {Number("NoInternetIcon", 1)}, {Deleted("NoInternetIcon")}},
        {&kSecurityZone, {Number("Flags", 1)}, {Number("Flags", 33)}},
        {&kCache, {Number("Persistent", 0)}, {Number("Persistent", 1)}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.place->control);
        SwitchUnit unit;
        auto& box = unit.box(*row.place);
        box.UserClick();
        EXPECT_EQ(unit.ChangesIn(*row.place), row.ticked);
        unit.store.ClearJournal();
        box.UserClick();
        EXPECT_EQ(box.value(), 0);
        EXPECT_EQ(unit.ChangesIn(*row.place), row.cleared);
        EXPECT_TRUE(unit.services.messages.empty());
    }
}

// Loader failures: the guarded loader reports under its own name and goes on; the others pass
// the error up. Either way the box stays clear and nothing is written. The bad-input catalogue
// runs every loader on every stored form.
TEST(SwitchLoadFailure, BoxStaysClearAndNothingIsWritten) {
    const struct {
        const Place* place;
        Seed seed;
        std::int32_t error;
    } rows[] = {
        {&kIEErr, Dword(70000), toolkit::kOverflow},
        {&kIcon, Dword(32768), toolkit::kOverflow},
        {&kCache, Sz(""), toolkit::kTypeMismatch},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.place->control);
        SwitchUnit unit;
        unit.Plant(*row.place, row.seed);
        std::optional<std::int32_t> passedUp;
        try {
            unit.RunLoader(*row.place);
        } catch (const toolkit::Error& error) {
            passedUp = error.number();
        }
        if (row.place == &kIEErr) {
            EXPECT_EQ(passedUp, std::nullopt);
            ASSERT_EQ(unit.services.messages.size(), 1u);
            EXPECT_EQ(unit.services.messages[0].title, row.place->loaderName);
            EXPECT_EQ(unit.services.messages[0].prompt, "Error: 6. Overflow");
            EXPECT_EQ(unit.services.messages[0].buttons, toolkit::kOkOnly);
        } else {
            EXPECT_EQ(passedUp, row.error);
            EXPECT_TRUE(unit.services.messages.empty());
        }
        EXPECT_EQ(unit.box(*row.place).value(), 0);
        EXPECT_TRUE(ValueChanges(unit.store).empty());
    }
}

// ---------------------------------------------------------------------------------------------
// The restart notice of chkIcon: once per run, whatever the button, independent of the setting.

class RestartNotice : public SwitchUnit, public testing::Test {
protected:
    void Release(int button, int shift = 0) {
        box(kIcon).UserMouseUp(toolkit::MouseEvent{button, shift, 10, 5});
    }
};

TEST_F(RestartNotice, OnlyTheFirstReleaseShowsTheUntitledOkOnlyNotice) {
    EXPECT_FALSE(switches.blnRestartNoticeShown());
    // A release while the notice is open stacks no second one.
    services.onMessage = [&](const toolkit::ShownMessage&) { Release(1); };
    Release(1);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].prompt,
              "You need to restart before this setting will take effect.");
    EXPECT_EQ(services.messages[0].buttons, toolkit::kOkOnly);
    EXPECT_EQ(services.messages[0].title, std::nullopt);
    EXPECT_TRUE(switches.blnRestartNoticeShown());
    EXPECT_TRUE(store.journal().empty()) << "a release writes nothing";

    // Later releases show nothing, whichever button; clicks still write.
    box(kIcon).UserClick();
    Release(2, 1);
    Release(4);
    box(kIcon).UserClick();
    EXPECT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(ChangesIn(kIcon),
              (std::vector<std::string>{Number("NoInternetIcon", 1), Deleted("NoInternetIcon")}));
}

TEST_F(RestartNotice, OtherBoxesHaveNoneAndANewWindowShowsItAgain) {
    controls.checkBox("chkCache").UserMouseUp({});
    controls.checkBox("chkAbout").UserMouseUp({});
    EXPECT_TRUE(services.messages.empty());
    Release(1);
    toolkit::ControlSet otherControls = app::CreateControls();
    Switches other{otherControls, layer, services};
    otherControls.checkBox("chkIcon").UserMouseUp({});
    EXPECT_EQ(services.messages.size(), 2u);
}

}  // namespace

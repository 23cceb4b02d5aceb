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
class SwitchUnit {
protected:
    toolkit::CheckBox& box(const Place& place) { return controls.checkBox(place.control); }
    void RunLoader(const Place& place) { (switches.*place.loader)(); }
    void Plant(const Place& place, const std::optional<Seed>& seed) {
        switch_toolbar_test::Plant(store, place.root, place.key, place.name, seed);
    }
    // The changes made, each checked to lie in the switch's own key.
    std::vector<std::string> ChangesIn(const Place& place) {
        const auto changes = ValueChanges(store);
        for (const auto& change : changes) {
            EXPECT_EQ(change.path, FullPath(place.root, place.key)) << change.what;
        }
        return What(changes);
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

// ---------------------------------------------------------------------------------------------
// Loading: the stored value, the box after the loader, and what the loader wrote back through
// the box's own click handler.

struct LoadCase {
    const char* label;
    const Place* place;
    std::optional<Seed> seed;
    int box;
    std::vector<std::string> writes;
};

class SwitchLoad : public SwitchUnit, public testing::TestWithParam<LoadCase> {};

TEST_P(SwitchLoad, SetsTheBoxAndWritesBackOnlyWhenTicked) {
    const auto& c = GetParam();
    Plant(*c.place, c.seed);
    RunLoader(*c.place);
    EXPECT_EQ(box(*c.place).value(), c.box);
    EXPECT_EQ(ChangesIn(*c.place), c.writes);
    EXPECT_TRUE(services.messages.empty());
}

const std::vector<std::string> kNothing;
const std::vector<std::string> kAppendYes = {Text("Append Completion", "yes")};
const std::vector<std::string> kIEErrTicked = {Number("IEWatsonDisabled", 1),
                                               Number("IEWatsonEnabled", 0)};

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    AllNine, SwitchLoad,
    testing::Values(
        LoadCase{"AppendMissing", &kAutoAppend, std::nullopt, 1, kAppendYes},
        LoadCase{"AppendCapitalNo", &kAutoAppend, Sz("No"), 1, kAppendYes},
        LoadCase{"AppendNo", &kAutoAppend, Sz("no"), 0, kNothing},
        LoadCase{"AppendBinaryIsNoFailure", &kAutoAppend, Binary({1, 2, 3}), 1, kAppendYes},
        LoadCase{"HideWebYes", &kHideWeb, Sz("yes"), 1, {Text("FavIntelliMenus", "yes")}},
        LoadCase{"HideWebCapitalYes", &kHideWeb, Sz("Yes"), 0, kNothing},
        LoadCase{"HideWebMissing", &kHideWeb, std::nullopt, 0, kNothing},
        LoadCase{"PassCach0", &kPassCach, Dword(0), 0, kNothing},
        LoadCase{"PassCach1", &kPassCach, Dword(1), 1, {Number("DisablePasswordCaching", 1)}},
        LoadCase{"PassCachText1", &kPassCach, Sz("1"), 1, {Number("DisablePasswordCaching", 1)}},
        LoadCase{"PassCach2", &kPassCach, Dword(2), 0, kNothing},
        LoadCase{"IEErr1", &kIEErr, Dword(1), 1, kIEErrTicked},
        LoadCase{"IEErr0", &kIEErr, Dword(0), 0, kNothing},
        LoadCase{"UpdateMissing", &kUpdate, std::nullopt, 1, {Number("NoUpdateCheck", 0)}},
        LoadCase{"Update1", &kUpdate, Dword(1), 0, kNothing},
        LoadCase{"About4", &kAbout, Dword(4), 1, {Number("about", 4), Number("about:", 4)}},
        LoadCase{"About3", &kAbout, Dword(3), 0, kNothing},
        LoadCase{"Icon1", &kIcon, Dword(1), 1, {Number("NoInternetIcon", 1)}},
        LoadCase{"IconLargest16Bit", &kIcon, Dword(32767), 0, kNothing},
        LoadCase{"Zone1", &kSecurityZone, Dword(1), 1, {Number("Flags", 1)}},
        LoadCase{"Zone3", &kSecurityZone, Dword(3), 0, kNothing},
        LoadCase{"CacheMissing", &kCache, std::nullopt, 1, {Number("Persistent", 0)}},
        LoadCase{"Cache1", &kCache, Dword(1), 0, kNothing}),
    [](const auto& info) { return std::string(info.param.label); });
// clang-format on

// ---------------------------------------------------------------------------------------------
// Clicking: a user's tick and then a user's clear, each written at once, in order.

// The journal holds successful calls only, so a deletion listed is a value gone.
struct ClickCase {
    const Place* place;
    std::vector<std::string> ticked;
    std::vector<std::string> cleared;
};

class SwitchClick : public SwitchUnit, public testing::TestWithParam<ClickCase> {};

TEST_P(SwitchClick, TickingAndClearingWriteTheirValuesInOrder) {
    const auto& c = GetParam();
    box(*c.place).UserClick();
    ASSERT_EQ(box(*c.place).value(), 1);
    EXPECT_EQ(ChangesIn(*c.place), c.ticked);

    store.ClearJournal();
    box(*c.place).UserClick();
    ASSERT_EQ(box(*c.place).value(), 0);
    EXPECT_EQ(ChangesIn(*c.place), c.cleared);
    EXPECT_TRUE(services.messages.empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    AllNine, SwitchClick,
    testing::Values(
        ClickCase{&kAutoAppend, {Text("Append Completion", "yes")},
                  {Text("Append Completion", "no")}},
        ClickCase{&kPassCach, {Number("DisablePasswordCaching", 1)},
                  {Number("DisablePasswordCaching", 0)}},
        ClickCase{&kIEErr, {Number("IEWatsonDisabled", 1), Number("IEWatsonEnabled", 0)},
                  {Deleted("IEWatsonDisabled"), Deleted("IEWatsonEnabled")}},
        ClickCase{&kHideWeb, {Text("FavIntelliMenus", "yes")}, {Text("FavIntelliMenus", "no")}},
        ClickCase{&kUpdate, {Number("NoUpdateCheck", 0)}, {Number("NoUpdateCheck", 1)}},
        ClickCase{&kAbout, {Number("about", 4), Number("about:", 4)},
                  {Deleted("about"), Deleted("about:")}},
        ClickCase{&kIcon, {Number("NoInternetIcon", 1)}, {Deleted("NoInternetIcon")}},
        ClickCase{&kSecurityZone, {Number("Flags", 1)}, {Number("Flags", 33)}},
        ClickCase{&kCache, {Number("Persistent", 0)}, {Number("Persistent", 1)}}),
    [](const auto& info) { return std::string(info.param.place->control); });
// clang-format on

// Password_Caching's two tests leave a box alone on any other number, where every other
// loader clears it; seen on a box that is already ticked when the loader runs.
struct RetestCase {
    const char* label;
    const Place* place;
    Seed seed;
    int box;
    std::vector<std::string> writes;
};

class SwitchRetest : public SwitchUnit, public testing::TestWithParam<RetestCase> {};

TEST_P(SwitchRetest, LoaderOnATickedBox) {
    const auto& c = GetParam();
    box(*c.place).UserClick();
    ASSERT_EQ(box(*c.place).value(), 1);
    Plant(*c.place, c.seed);
    store.ClearJournal();
    RunLoader(*c.place);
    EXPECT_EQ(box(*c.place).value(), c.box);
    EXPECT_EQ(ChangesIn(*c.place), c.writes);
}

INSTANTIATE_TEST_SUITE_P(
    OtherNumbers, SwitchRetest,
    testing::Values(
        RetestCase{"PassCach2Leaves", &kPassCach, Dword(2), 1, kNothing},
        RetestCase{
            "PassCach0Clears", &kPassCach, Dword(0), 0, {Number("DisablePasswordCaching", 0)}},
        RetestCase{"Icon2Clears", &kIcon, Dword(2), 0, {Deleted("NoInternetIcon")}}),
    [](const auto& info) { return std::string(info.param.label); });

// ---------------------------------------------------------------------------------------------
// Loader failures: the three guarded loaders report under their own names and go on; the other
// six pass the error up. Either way the box stays clear and nothing is written.

struct FailureCase {
    const char* label;
    const Place* place;
    Seed seed;
    std::int32_t error;
    bool guarded;
};

std::string PromptOf(std::int32_t error) {
    return error == toolkit::kOverflow ? "Error: 6. Overflow" : "Error: 13. Type mismatch";
}

class SwitchLoadFailure : public SwitchUnit, public testing::TestWithParam<FailureCase> {};

TEST_P(SwitchLoadFailure, BoxStaysClearAndNothingIsWritten) {
    const auto& c = GetParam();
    Plant(*c.place, c.seed);
    std::optional<std::int32_t> passedUp;
    try {
        RunLoader(*c.place);
    } catch (const toolkit::Error& error) {
        passedUp = error.number();
    }
    if (c.guarded) {
        EXPECT_EQ(passedUp, std::nullopt);
        ASSERT_EQ(services.messages.size(), 1u);
        EXPECT_EQ(services.messages[0].title, c.place->loaderName);
        EXPECT_EQ(services.messages[0].prompt, PromptOf(c.error));
        EXPECT_EQ(services.messages[0].buttons, toolkit::kOkOnly);
    } else {
        EXPECT_EQ(passedUp, c.error);
        EXPECT_TRUE(services.messages.empty());
    }
    EXPECT_EQ(box(*c.place).value(), 0);
    EXPECT_TRUE(ValueChanges(store).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, SwitchLoadFailure,
    testing::Values(
        FailureCase{"IEErrBinary", &kIEErr, Binary({1, 0, 0, 0}), toolkit::kTypeMismatch, true},
        FailureCase{"IEErr70000", &kIEErr, Dword(70000), toolkit::kOverflow, true},
        FailureCase{"PassCachText", &kPassCach, Sz("on"), toolkit::kTypeMismatch, false},
        FailureCase{"Update70000", &kUpdate, Dword(70000), toolkit::kOverflow, false},
        FailureCase{"AboutText", &kAbout, Sz("four"), toolkit::kTypeMismatch, false},
        FailureCase{"Icon32768", &kIcon, Dword(32768), toolkit::kOverflow, false},
        FailureCase{"ZoneBinary", &kSecurityZone, Binary({1}), toolkit::kTypeMismatch, false},
        FailureCase{"CacheEmptyText", &kCache, Sz(""), toolkit::kTypeMismatch, false}),
    [](const auto& info) { return std::string(info.param.label); });

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

// The nine on/off browser settings as data: where each lives, how its loader reads and tests
// it, and what its click handler writes for a ticked and for a cleared box.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "registry/registry_api.h"

namespace settings {

// How a loader takes the stored value: as text, or as a 16-bit integer (which can fail).
enum class ReadForm { Text, Number };

// When a loader ticks its box.
enum class LoadRule {
    TickIfEqual,         // ticked when the value equals the constant, cleared otherwise
    TickUnlessEqual,     // cleared when the value equals the constant, ticked otherwise
    ZeroClearsOneTicks,  // 0 clears, 1 ticks, any other number leaves the box alone
};

struct LoadTest {
    ReadForm form;
    LoadRule rule;
    std::string_view text;  // the constant of a text test
    std::int16_t number;    // the constant of a number test
};

// One registry step of a click handler.
struct SwitchWrite {
    enum class Action { None, Text, Number, Delete };
    Action action = Action::None;
    std::string_view valueName;
    std::string_view text;    // Action::Text, stored as REG_SZ
    std::int32_t number = 0;  // Action::Number, stored as REG_DWORD
};

// Up to two steps, run in order.
using SwitchWrites = std::array<SwitchWrite, 2>;

struct SwitchRow {
    std::string_view control;
    std::string_view loader;
    bool loaderGuarded;  // reports its own failures, titled with the loader's name
    registry::RawKey root;
    std::string_view keyPath;
    std::string_view readName;  // the one value the loader reads
    LoadTest test;
    SwitchWrites ticked;
    SwitchWrites cleared;
};

namespace switch_table_detail {
using A = SwitchWrite::Action;
constexpr SwitchWrite Text(std::string_view name, std::string_view text) {
    return {A::Text, name, text, 0};
}
constexpr SwitchWrite Number(std::string_view name, std::int32_t number) {
    return {A::Number, name, {}, number};
}
constexpr SwitchWrite Delete(std::string_view name) {
    return {A::Delete, name, {}, 0};
}
constexpr LoadTest TextTest(LoadRule rule, std::string_view text) {
    return {ReadForm::Text, rule, text, 0};
}
constexpr LoadTest NumberTest(LoadRule rule, std::int16_t number) {
    return {ReadForm::Number, rule, {}, number};
}
constexpr auto kHkcu = registry::kCurrentUser;
constexpr auto kHklm = registry::kLocalMachine;
constexpr auto kIf = LoadRule::TickIfEqual;
constexpr auto kUnless = LoadRule::TickUnlessEqual;
}  // namespace switch_table_detail

// clang-format off
inline constexpr std::array<SwitchRow, 9> kSwitches = [] {
    using namespace switch_table_detail;
    return std::array<SwitchRow, 9>{{
        {"chkAutoAppend", "Append_Completion", true, kHkcu,
         "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete",
         "Append Completion", TextTest(kUnless, "no"),
         {Text("Append Completion", "yes")}, {Text("Append Completion", "no")}},
        {"chkPassCach", "Password_Caching", false, kHkcu,
         "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings",
         "DisablePasswordCaching", NumberTest(LoadRule::ZeroClearsOneTicks, 0),
         {Number("DisablePasswordCaching", 1)}, {Number("DisablePasswordCaching", 0)}},
        {"chkIEErr", "Error_Reporting", true, kHklm,
         "Software\\Microsoft\\Internet Explorer\\Main",
         "IEWatsonDisabled", NumberTest(kIf, 1),
         {Number("IEWatsonDisabled", 1), Number("IEWatsonEnabled", 0)},
         {Delete("IEWatsonDisabled"), Delete("IEWatsonEnabled")}},
        {"chkHideWeb", "Intelli_Menus", true, kHkcu,
         "Software\\Microsoft\\Internet Explorer\\Main",
         "FavIntelliMenus", TextTest(kIf, "yes"),
         {Text("FavIntelliMenus", "yes")}, {Text("FavIntelliMenus", "no")}},
        {"chkUpdate", "Update_Check", false, kHkcu,
         "Software\\Microsoft\\Internet Explorer\\Main",
         "NoUpdateCheck", NumberTest(kIf, 0),
         {Number("NoUpdateCheck", 0)}, {Number("NoUpdateCheck", 1)}},
        {"chkAbout", "About_Urls", false, kHklm,
         "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\ProtocolDefaults",
         "about", NumberTest(kIf, 4),
         {Number("about", 4), Number("about:", 4)}, {Delete("about"), Delete("about:")}},
        {"chkIcon", "Internet_Icon", false, kHkcu,
         "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
         "NoInternetIcon", NumberTest(kIf, 1),
         {Number("NoInternetIcon", 1)}, {Delete("NoInternetIcon")}},
        {"chkSecurityZone", "Security_Zone", false, kHkcu,
         "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\0",
         "Flags", NumberTest(kIf, 1),
         {Number("Flags", 1)}, {Number("Flags", 33)}},
        {"chkCache", "Cache_Persistent", false, kHkcu,
         "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache",
         "Persistent", NumberTest(kIf, 0),
         {Number("Persistent", 0)}, {Number("Persistent", 1)}},
    }};
}();
// clang-format on

// The row of the box named `control`; an unknown name does not compile where used in a
// constant expression.
consteval const SwitchRow& SwitchFor(std::string_view control) {
    for (const auto& row : kSwitches) {
        if (row.control == control) {
            return row;
        }
    }
    throw "no switch for this control";
}

}  // namespace settings

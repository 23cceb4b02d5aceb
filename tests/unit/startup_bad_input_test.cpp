// The bad-input catalogue: every value that start-up reads, stored as each of eight types with
// data of 0, 1, 3, 4, 5, 8 bytes (three fillings) and 1 MiB (one). Start-up must end, show exactly
// the reports the read rules lead to, and change exactly what they lead to. The expectation
// is worked out here from the rules (what a read yields for each stored form, which loaders
// read text and which 16-bit numbers, which guard themselves), not from the program's tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "app/frm_korvane.h"
#include "registry/memory_registry.h"
#include "registry/variant.h"
#include "settings/footprint.h"
#include "shell/scripted_shell.h"
#include "toolkit/error.h"
#include "toolkit/scripted_services.h"

namespace {

using registry::Bytes;
using registry::Variant;

constexpr auto kHkcu = static_cast<std::uint32_t>(registry::kCurrentUser);
constexpr auto kHklm = static_cast<std::uint32_t>(registry::kLocalMachine);

constexpr const char* kBrowser = "Software\\Microsoft\\Internet Explorer";
constexpr const char* kMain = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr const char* kToolbar = "Software\\Microsoft\\Internet Explorer\\Toolbar";
constexpr const char* kPolicies =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kInternet = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr const char* kAutoComplete =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete";
constexpr const char* kProtocols =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\ProtocolDefaults";
constexpr const char* kZone0 =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\0";
constexpr const char* kCache =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache";

constexpr std::string_view kButtons[] = {
    "Btn_Back",       "Btn_Forward",   "Btn_Stop",  "Btn_Folders",     "Btn_Refresh",
    "Btn_Print",      "Btn_Favorites", "Btn_Edit",  "Btn_Home",        "Btn_Search",
    "Btn_Media",      "Btn_History",   "Btn_Tools", "Btn_Encoding",    "Btn_PrintPreview",
    "Btn_Fullscreen", "Btn_MailNews",  "Btn_Size",  "Btn_Discussions", "Btn_Cut",
    "Btn_Copy",       "Btn_Paste",
};

// Start-up's loaders in their order; a failure passed up to Form_Load stops the ones after.
constexpr std::string_view kLoaders[] = {
    "Select_Buttons",   "Append_Completion", "Download_Directory", "Window_Title",
    "Back_Bitmap",      "Password_Caching",  "Error_Reporting",    "Intelli_Menus",
    "Update_Check",     "Max_Connections",   "About_Urls",         "Internet_Icon",
    "Cache_Persistent", "Security_Zone",
};

std::size_t LoaderIndex(std::string_view loader) {
    return static_cast<std::size_t>(std::find(std::begin(kLoaders), std::end(kLoaders), loader) -
                                    std::begin(kLoaders));
}

// One change of a value, as comparable data.
struct Change {
    std::uint32_t root;
    std::string path;
    std::string name;
    bool deleted = false;
    std::uint32_t type = 0;
    Bytes data;
    friend auto operator<=>(const Change&, const Change&) = default;
};

Bytes SzData(const std::string& text) {
    Bytes data(text.begin(), text.end());
    data.push_back(0);
    return data;
}

Bytes DwordData(std::int32_t number) {
    const auto bits = static_cast<std::uint32_t>(number);
    return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
            static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
}

struct Report {
    std::optional<std::string> title;
    std::string prompt;
    friend bool operator==(const Report&, const Report&) = default;
};

std::string ErrorPrompt(std::int32_t number) {
    return number == toolkit::kOverflow ? "Error: 6. Overflow" : "Error: 13. Type mismatch";
}

// What a read yields for each stored form.
Variant ReadYields(std::uint32_t type, const Bytes& data) {
    switch (type) {
        case registry::kRegSz: {
            const auto nul = std::find(data.begin(), data.end(), std::uint8_t{0});
            return std::string(data.begin(), nul);
        }
        case registry::kRegDword: {
            if (data.size() > 4) {
                return {};  // does not fit the 32-bit read
            }
            std::uint32_t bits = 0;
            for (std::size_t i = 0; i < data.size(); ++i) {
                bits |= static_cast<std::uint32_t>(data[i]) << (8 * i);
            }
            return static_cast<std::int32_t>(bits);
        }
        case registry::kRegBinary:
            return data;
        default:
            return {};
    }
}

// A 16-bit reading: the number, or the error it raises.
struct Number {
    std::int32_t error = 0;
    std::int16_t value = 0;
};

Number AsNumber(const Variant& value) {
    try {
        return {0, registry::ToInt16(value)};
    } catch (const toolkit::Error& error) {
        return {error.number(), 0};
    }
}

// What start-up does about one value, given what its read yields.
struct Outcome {
    std::vector<Change> writes;  // the changes of the row's values
    std::vector<Report> reports;
    bool stopsLaterLoaders = false;
    bool refused = false;
};

struct CatalogueRow {
    std::string label;
    std::string_view loader;
    std::uint32_t root;
    std::string path;
    std::string name;
    // The values whose changes depend on this one (itself included).
    std::vector<std::string> controls;
    std::function<Outcome(const Variant&)> expect;
};

Change Dword(std::uint32_t root, std::string path, std::string name, std::int32_t number) {
    return {root, std::move(path), std::move(name), false, registry::kRegDword, DwordData(number)};
}
Change Sz(std::uint32_t root, std::string path, std::string name, const std::string& text) {
    return {root, std::move(path), std::move(name), false, registry::kRegSz, SzData(text)};
}

// A switch read as a 16-bit number: a failure is reported under `guard` (or passed up to
// Form_Load when empty), a number that ticks the box writes `ticked`.
CatalogueRow NumberSwitch(std::string_view loader, std::string guard, std::uint32_t root,
                          std::string path, std::string name,
                          std::function<bool(std::int16_t)> ticks, std::vector<Change> ticked) {
    std::vector<std::string> controls;
    for (const auto& change : ticked) {
        controls.push_back(change.name);
    }
    return {name, loader, root, path, name, controls, [guard, ticks, ticked](const Variant& read) {
                Outcome outcome;
                const Number number = AsNumber(read);
                if (number.error != 0) {
                    outcome.reports.push_back(
                        {guard.empty() ? "Form_Load" : guard, ErrorPrompt(number.error)});
                    outcome.stopsLaterLoaders = guard.empty();
                } else if (ticks(number.value)) {
                    outcome.writes = ticked;
                }
                return outcome;
            }};
}

// A setting read as text; `writes` says what its text leads to.
CatalogueRow TextSetting(std::string_view loader, std::uint32_t root, std::string path,
                         std::string name, std::vector<std::string> controls,
                         std::function<std::vector<Change>(const std::string&)> writes) {
    return {name, loader, root, path, name, controls, [writes](const Variant& read) {
                Outcome outcome;
                outcome.writes = writes(registry::ToText(read));
                return outcome;
            }};
}

std::vector<CatalogueRow> Catalogue() {
    std::vector<CatalogueRow> rows;
    rows.push_back({"Version", "", kHklm, kBrowser, "Version", {}, [](const Variant& read) {
                        Outcome outcome;
                        const std::string first = registry::ToText(read).substr(0, 1);
                        if (first < "5") {
                            outcome.refused = true;
                            outcome.reports.push_back({std::nullopt, app::kVersionRefusedPrompt});
                        }
                        return outcome;
                    }});

    // The toolbar switch decides about all 24 toolbar values: on, each button value is
    // written 1 twice (the box's own handler, then the reload), then both switch values 1.
    std::vector<std::string> toolbarValues(std::begin(kButtons), std::end(kButtons));
    toolbarValues.push_back("NoToolbarCustomize");
    toolbarValues.push_back("SpecifyDefaultButtons");
    rows.push_back(
        {"NoToolbarCustomize", "Select_Buttons", kHkcu, kPolicies, "NoToolbarCustomize",
         toolbarValues, [](const Variant& read) {
             Outcome outcome;
             const Number number = AsNumber(read);
             if (number.error != 0) {
                 outcome.reports.push_back({"Select_Buttons", ErrorPrompt(number.error)});
             } else if (number.value != 0) {
                 for (const auto button : kButtons) {
                     outcome.writes.push_back(Dword(kHkcu, kPolicies, std::string(button), 1));
                     outcome.writes.push_back(Dword(kHkcu, kPolicies, std::string(button), 1));
                 }
                 outcome.writes.push_back(Dword(kHkcu, kPolicies, "NoToolbarCustomize", 1));
                 outcome.writes.push_back(Dword(kHkcu, kPolicies, "SpecifyDefaultButtons", 1));
             }
             return outcome;
         }});
    // With the switch on, a button value reads as text: exactly "2" keeps its box clear and
    // is written once as 2; anything else ticks the box, which writes 1, and the reload 1.
    for (const auto button : kButtons) {
        const std::string name(button);
        rows.push_back(TextSetting("Select_Buttons", kHkcu, kPolicies, name, {name},
                                   [name](const std::string& text) {
                                       if (text == "2") {
                                           return std::vector{Dword(kHkcu, kPolicies, name, 2)};
                                       }
                                       return std::vector{Dword(kHkcu, kPolicies, name, 1),
                                                          Dword(kHkcu, kPolicies, name, 1)};
                                   }));
    }

    rows.push_back(TextSetting("Append_Completion", kHkcu, kAutoComplete, "Append Completion",
                               {"Append Completion"}, [](const std::string& text) {
                                   if (text == "no") {
                                       return std::vector<Change>{};
                                   }
                                   return std::vector{
                                       Sz(kHkcu, kAutoComplete, "Append Completion", "yes")};
                               }));
    rows.push_back(TextSetting("Download_Directory", kHkcu, kBrowser, "Download Directory",
                               {"Download Directory"},
                               [](const std::string&) { return std::vector<Change>{}; }));
    rows.push_back(TextSetting("Window_Title", kHkcu, kMain, "Window Title", {"Window Title"},
                               [](const std::string& text) {
                                   if (text.empty()) {
                                       return std::vector<Change>{};
                                   }
                                   return std::vector{Sz(kHkcu, kMain, "Window Title", text)};
                               }));
    rows.push_back(TextSetting("Back_Bitmap", kHkcu, kToolbar, "BackBitmap", {"BackBitmap"},
                               [](const std::string& text) {
                                   if (text.empty()) {
                                       return std::vector<Change>{};
                                   }
                                   return std::vector{Sz(kHkcu, kToolbar, "BackBitmap", text)};
                               }));
    rows.push_back(NumberSwitch("Password_Caching", "", kHkcu, kInternet, "DisablePasswordCaching",
                                [](std::int16_t n) { return n == 1; },
                                {Dword(kHkcu, kInternet, "DisablePasswordCaching", 1)}));
    rows.push_back(NumberSwitch(
        "Error_Reporting", "Error_Reporting", kHklm, kMain, "IEWatsonDisabled",
        [](std::int16_t n) { return n == 1; },
        {Dword(kHklm, kMain, "IEWatsonDisabled", 1), Dword(kHklm, kMain, "IEWatsonEnabled", 0)}));
    rows.push_back(TextSetting("Intelli_Menus", kHkcu, kMain, "FavIntelliMenus",
                               {"FavIntelliMenus"}, [](const std::string& text) {
                                   if (text != "yes") {
                                       return std::vector<Change>{};
                                   }
                                   return std::vector{Sz(kHkcu, kMain, "FavIntelliMenus", "yes")};
                               }));
    rows.push_back(NumberSwitch("Update_Check", "", kHkcu, kMain, "NoUpdateCheck",
                                [](std::int16_t n) { return n == 0; },
                                {Dword(kHkcu, kMain, "NoUpdateCheck", 0)}));
    // The downloads limit is read as text and written back as a 32-bit number to both values;
    // text that is no such number is reported by each write, and nothing is written.
    rows.push_back({"MaxConnectionsPerServer",
                    "Max_Connections",
                    kHkcu,
                    kInternet,
                    "MaxConnectionsPerServer",
                    {"MaxConnectionsPerServer", "MaxConnectionsPer1_0Server"},
                    [](const Variant& read) {
                        Outcome outcome;
                        std::string text = registry::ToText(read);
                        if (text.empty()) {
                            text = "2";
                        }
                        try {
                            const std::int32_t number = registry::ToInt32(text);
                            outcome.writes = {
                                Dword(kHkcu, kInternet, "MaxConnectionsPerServer", number),
                                Dword(kHkcu, kInternet, "MaxConnectionsPer1_0Server", number)};
                        } catch (const toolkit::Error& error) {
                            const Report report{"RegistrySetKeyValue", ErrorPrompt(error.number())};
                            outcome.reports = {report, report};
                        }
                        return outcome;
                    }});
    rows.push_back(NumberSwitch(
        "About_Urls", "", kHklm, kProtocols, "about", [](std::int16_t n) { return n == 4; },
        {Dword(kHklm, kProtocols, "about", 4), Dword(kHklm, kProtocols, "about:", 4)}));
    rows.push_back(NumberSwitch("Internet_Icon", "", kHkcu, kPolicies, "NoInternetIcon",
                                [](std::int16_t n) { return n == 1; },
                                {Dword(kHkcu, kPolicies, "NoInternetIcon", 1)}));
    rows.push_back(NumberSwitch("Cache_Persistent", "", kHkcu, kCache, "Persistent",
                                [](std::int16_t n) { return n == 0; },
                                {Dword(kHkcu, kCache, "Persistent", 0)}));
    rows.push_back(NumberSwitch("Security_Zone", "", kHkcu, kZone0, "Flags",
                                [](std::int16_t n) { return n == 1; },
                                {Dword(kHkcu, kZone0, "Flags", 1)}));
    return rows;
}

constexpr std::uint32_t kTypes[] = {
    registry::kRegNone,    registry::kRegSz,    registry::kRegExpandSz,
    registry::kRegBinary,  registry::kRegDword, registry::kRegDwordBigEndian,
    registry::kRegMultiSz, registry::kRegQword,
};
constexpr std::size_t kSizes[] = {0, 1, 3, 4, 5, 8, 1u << 20};
// '1' makes numeric text and small numbers, '2' the one text a button value clears on, 0xFF
// makes -1, large numbers and text that is no number.
constexpr std::uint8_t kFills[] = {'1', '2', 0xFF};

// One start-up on a store that holds the browser version, the toolbar switch on and,
// possibly, the value under test.
struct StartUpRun {
    std::vector<Change> changes;
    std::vector<Report> reports;
    std::vector<std::string> createdKeys;  // journal paths of keys the run created
    std::size_t openHandles = 0;
    bool refused = false;
};

StartUpRun StartUp(const CatalogueRow* row, std::uint32_t type, const Bytes& data) {
    registry::MemoryRegistry store;
    store.PutText(registry::kLocalMachine, kBrowser, "Version", "9.11.9600.18231");
    store.PutDword(registry::kCurrentUser, kPolicies, "NoToolbarCustomize", 1);
    if (row != nullptr) {
        store.Put(row->root, row->path, row->name, type, data);
    }
    store.ClearJournal();
    toolkit::ScriptedServices services;
    shell::ScriptedShell shell;
    StartUpRun run;
    {
        app::frmKorvane form(store, services, shell);
        form.Form_Load();
        run.refused = form.unloadRequested();
    }
    for (const auto& entry : store.Changes()) {
        const std::string root = entry.path.substr(0, entry.path.find('\\'));
        const std::uint32_t rootKey = root == "HKLM" ? kHklm : kHkcu;
        const std::string path = entry.path.substr(root.size() + 1);
        switch (entry.op) {
            case registry::RegistryOp::SetValue:
                run.changes.push_back({rootKey, path, entry.name, false, entry.type, entry.data});
                break;
            case registry::RegistryOp::DeleteValue:
                run.changes.push_back({rootKey, path, entry.name, true, 0, {}});
                break;
            case registry::RegistryOp::CreateKey:
                run.createdKeys.push_back(entry.path);
                EXPECT_TRUE(settings::MayCreateKey(rootKey, path)) << entry.path;
                break;
            default:
                run.changes.push_back({rootKey, path, "(key deleted)", true, 0, {}});
                break;
        }
    }
    for (const auto& message : services.messages) {
        run.reports.push_back({message.title, message.prompt});
    }
    run.openHandles = store.openHandles();
    return run;
}

std::string Describe(const std::vector<Change>& changes) {
    std::string out;
    for (const auto& change : changes) {
        out += "\n  " + change.name + (change.deleted ? " deleted" : " = ");
        if (!change.deleted) {
            out += change.type == registry::kRegDword && change.data.size() == 4
                       ? std::to_string(static_cast<std::int32_t>(
                             change.data[0] | change.data[1] << 8 | change.data[2] << 16 |
                             static_cast<std::uint32_t>(change.data[3]) << 24))
                       : "type " + std::to_string(change.type) + ", " +
                             std::to_string(change.data.size()) + " bytes";
        }
    }
    return out;
}

class BadInputCatalogue : public ::testing::TestWithParam<std::size_t> {
protected:
    static void SetUpTestSuite() { baseline_ = StartUp(nullptr, 0, {}); }

    // What a start-up changes with `row`'s value as `read` yields: the baseline, with the
    // changes of the row's values replaced by the row's own, and nothing of the loaders
    // after it when it stops them.
    static std::vector<Change> ExpectedChanges(const CatalogueRow& row, const Outcome& outcome) {
        std::vector<Change> expected;
        if (outcome.refused) {
            return expected;
        }
        const auto rows = Catalogue();
        for (const auto& change : baseline_.changes) {
            if (std::find(row.controls.begin(), row.controls.end(), change.name) !=
                row.controls.end()) {
                continue;
            }
            if (outcome.stopsLaterLoaders &&
                LoaderOf(rows, change.name) > LoaderIndex(row.loader)) {
                continue;
            }
            expected.push_back(change);
        }
        expected.insert(expected.end(), outcome.writes.begin(), outcome.writes.end());
        std::sort(expected.begin(), expected.end());
        return expected;
    }

    // The place in the loader order of the loader whose row controls `name`.
    static std::size_t LoaderOf(const std::vector<CatalogueRow>& rows, const std::string& name) {
        for (const auto& row : rows) {
            if (std::find(row.controls.begin(), row.controls.end(), name) != row.controls.end()) {
                return LoaderIndex(row.loader);
            }
        }
        ADD_FAILURE() << "start-up changed " << name << ", which no row accounts for";
        return 0;
    }

    static StartUpRun baseline_;
};

StartUpRun BadInputCatalogue::baseline_;

TEST_P(BadInputCatalogue, StartUpShowsAndWritesOnlyWhatTheReadRulesLeadTo) {
    const CatalogueRow row = Catalogue()[GetParam()];
    for (const auto type : kTypes) {
        for (const auto size : kSizes) {
            for (const auto fill : kFills) {
                if (size > 8 && fill != kFills[0]) {
                    continue;  // one huge filling is enough, and each costs a second
                }
                const Bytes data(size, fill);
                SCOPED_TRACE(row.label + " stored as type " + std::to_string(type) + ", " +
                             std::to_string(size) + " bytes of " + std::to_string(fill));
                const Outcome outcome = row.expect(ReadYields(type, data));
                StartUpRun run = StartUp(&row, type, data);
                std::sort(run.changes.begin(), run.changes.end());
                EXPECT_EQ(run.refused, outcome.refused);
                EXPECT_EQ(run.reports, outcome.reports)
                    << run.reports.size() << " reports, the first titled "
                    << (run.reports.empty() ? "-" : run.reports[0].title.value_or("(none)")) << ": "
                    << (run.reports.empty() ? "" : run.reports[0].prompt.substr(0, 60));
                const auto expected = ExpectedChanges(row, outcome);
                EXPECT_TRUE(run.changes == expected)
                    << "changed:" << Describe(run.changes) << "\nexpected:" << Describe(expected);
                EXPECT_EQ(run.openHandles, 0u);
                if (::testing::Test::HasFailure()) {
                    return;  // one broken form is enough to read
                }
            }
        }
    }
}

std::string RowName(const ::testing::TestParamInfo<std::size_t>& info) {
    std::string name = Catalogue()[info.param].label;
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(EveryValueStartUpReads, BadInputCatalogue,
                         ::testing::Range<std::size_t>(0, Catalogue().size()), RowName);

// The baseline itself: with the toolbar switch on and nothing else stored, start-up shows
// nothing and writes the toolbar values, the ticked defaults and the downloads limit.
TEST(BadInputCatalogueBaseline, WritesTheDefaultsAndShowsNothing) {
    StartUpRun run = StartUp(nullptr, 0, {});
    EXPECT_TRUE(run.reports.empty());
    EXPECT_FALSE(run.refused);
    std::vector<std::string> names;
    for (const auto& change : run.changes) {
        if (std::find(names.begin(), names.end(), change.name) == names.end()) {
            names.push_back(change.name);
        }
    }
    std::sort(names.begin(), names.end());
    std::vector<std::string> expected(std::begin(kButtons), std::end(kButtons));
    for (const char* name :
         {"NoToolbarCustomize", "SpecifyDefaultButtons", "Append Completion", "NoUpdateCheck",
          "MaxConnectionsPerServer", "MaxConnectionsPer1_0Server", "Persistent"}) {
        expected.push_back(name);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);
}

// The footprint is the whole of what may change: the program's values and keys, compared as
// the registry compares names, and nothing next to them.
struct FootprintCase {
    const char* what;
    bool (*allowed)();
    bool expected;
};

const FootprintCase kFootprintCases[] = {
    {"a button value", [] { return settings::MayWriteValue(kHkcu, kPolicies, "Btn_Paste"); }, true},
    {"a value named in another case",
     [] {
         return settings::MayWriteValue(kHkcu, "software\\microsoft\\internet explorer\\MAIN",
                                        "window title");
     },
     true},
    {"the HKLM spelling of the protocol key",
     [] { return settings::MayDeleteValue(kHklm, kProtocols, "about:"); }, true},
    {"the version, which is only read",
     [] { return settings::MayWriteValue(kHklm, kBrowser, "Version"); }, false},
    {"a switch under the other root",
     [] { return settings::MayWriteValue(kHklm, kInternet, "DisablePasswordCaching"); }, false},
    {"deleting a value that is only ever written",
     [] { return settings::MayDeleteValue(kHkcu, kMain, "Window Title"); }, false},
    {"writing a value that is only ever deleted",
     [] { return settings::MayWriteValue(kHkcu, kToolbar, "BrandBitmap"); }, false},
    {"the typed history key",
     [] { return settings::MayDeleteKey(kHkcu, kBrowser + std::string("\\TypedURLs")); }, true},
    {"a key above the typed history", [] { return settings::MayDeleteKey(kHkcu, kBrowser); },
     false},
    {"creating a level above a written key",
     [] { return settings::MayCreateKey(kHkcu, "Software\\Microsoft\\Windows"); }, true},
    {"creating a key that only shares a prefix",
     [] { return settings::MayCreateKey(kHkcu, "Software\\Microsoft\\Internet Ex"); }, false},
    {"creating a key below a written one",
     [] { return settings::MayCreateKey(kHkcu, kMain + std::string("\\Sub")); }, false},
};

TEST(ProgramFootprint, AllowsExactlyTheProgramsOwnValuesAndKeys) {
    for (const auto& row : kFootprintCases) {
        EXPECT_EQ(row.allowed(), row.expected) << row.what;
    }
}

}  // namespace

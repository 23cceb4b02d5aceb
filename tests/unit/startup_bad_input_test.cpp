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
#include <vector>

#include "registry/variant.h"
#include "settings/footprint.h"
#include "switch_toolbar_support.h"
#include "toolkit/error.h"

namespace {

using namespace switch_toolbar_test;
using registry::Bytes;
using registry::Variant;

constexpr auto kHkcu = static_cast<std::uint32_t>(kCurrentUser);
constexpr auto kHklm = static_cast<std::uint32_t>(kLocalMachine);

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

// One change of a value, as comparable data; a deletion has no type.
struct ValueChange {
    std::uint32_t root;
    std::string path;
    std::string name;
    bool deleted = false;
    std::uint32_t type = 0;
    Bytes data;
    friend auto operator<=>(const ValueChange&, const ValueChange&) = default;
};

ValueChange Wrote(std::uint32_t root, std::string path, std::string name, const Seed& seed) {
    return {root, std::move(path), std::move(name), false, seed.type, seed.data};
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
        case registry::kRegSz:
            return std::string(data.begin(), std::find(data.begin(), data.end(), 0));
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
    std::vector<ValueChange> writes;  // the changes of the row's values
    std::vector<Report> reports;
    bool stopsLaterLoaders = false;
    bool refused = false;
};

struct CatalogueRow {
    std::string_view loader;
    std::uint32_t root;
    std::string path;
    std::string name;
    // The values whose changes depend on this one (itself included).
    std::vector<std::string> controls;
    std::function<Outcome(const Variant&)> expect;
};

// A switch read as a 16-bit number: a failure is reported under `guard` (or passed up to
// Form_Load when empty), a number that ticks the box writes `ticked`.
CatalogueRow NumberSwitch(std::string_view loader, std::string guard, std::uint32_t root,
                          std::string path, std::string name,
                          std::function<bool(std::int16_t)> ticks,
                          std::vector<ValueChange> ticked) {
    std::vector<std::string> controls;
    for (const auto& change : ticked) {
        controls.push_back(change.name);
    }
    return {loader, root, path, name, controls, [guard, ticks, ticked](const Variant& read) {
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

// A setting read as text, kept when `kept` says so and written back as REG_SZ `writes` gives
// (the text itself when that is empty).
CatalogueRow TextSetting(std::string_view loader, std::uint32_t root, std::string path,
                         std::string name, std::function<bool(const std::string&)> written,
                         std::string writes = "") {
    return {loader, root, path, name, {name}, [=](const Variant& read) {
                Outcome outcome;
                const std::string text = registry::ToText(read);
                if (written(text)) {
                    outcome.writes = {Wrote(root, path, name, Sz(writes.empty() ? text : writes))};
                }
                return outcome;
            }};
}

std::vector<CatalogueRow> Catalogue() {
    std::vector<CatalogueRow> rows;
    rows.push_back({"", kHklm, kVersionKey, "Version", {}, [](const Variant& read) {
                        Outcome outcome;
                        if (registry::ToText(read).substr(0, 1) < "5") {
                            outcome.refused = true;
                            outcome.reports.push_back({std::nullopt, app::kVersionRefusedPrompt});
                        }
                        return outcome;
                    }});

    // The toolbar switch decides about all 24 toolbar values: on, each button value is
    // written 1 twice (the box's own handler, then the reload), then both switch values 1.
    std::vector<std::string> toolbarValues = {"NoToolbarCustomize", "SpecifyDefaultButtons"};
    for (const auto& button : kButtons) {
        toolbarValues.push_back(button.value);
    }
    rows.push_back(
        {"Select_Buttons", kHkcu, kPolicies, "NoToolbarCustomize", toolbarValues,
         [](const Variant& read) {
             Outcome outcome;
             const Number number = AsNumber(read);
             if (number.error != 0) {
                 outcome.reports.push_back({"Select_Buttons", ErrorPrompt(number.error)});
             } else if (number.value != 0) {
                 for (const auto& button : kButtons) {
                     outcome.writes.push_back(Wrote(kHkcu, kPolicies, button.value, Dword(1)));
                     outcome.writes.push_back(Wrote(kHkcu, kPolicies, button.value, Dword(1)));
                 }
                 for (const char* name : {"NoToolbarCustomize", "SpecifyDefaultButtons"}) {
                     outcome.writes.push_back(Wrote(kHkcu, kPolicies, name, Dword(1)));
                 }
             }
             return outcome;
         }});
    // With the switch on, a button value reads as text: exactly "2" keeps its box clear and
    // is written once as 2; anything else ticks the box, which writes 1, and the reload 1.
    for (const auto& button : kButtons) {
        const std::string name = button.value;
        rows.push_back(
            {"Select_Buttons", kHkcu, kPolicies, name, {name}, [name](const Variant& read) {
                 Outcome outcome;
                 if (registry::ToText(read) == "2") {
                     outcome.writes = {Wrote(kHkcu, kPolicies, name, Dword(2))};
                 } else {
                     outcome.writes = {Wrote(kHkcu, kPolicies, name, Dword(1)),
                                       Wrote(kHkcu, kPolicies, name, Dword(1))};
                 }
                 return outcome;
             }});
    }

    const auto notEmpty = [](const std::string& text) { return !text.empty(); };
    rows.push_back(TextSetting(
        "Append_Completion", kHkcu, kAutoCompleteKey, "Append Completion",
        [](const std::string& text) { return text != "no"; }, "yes"));
    rows.push_back(TextSetting("Download_Directory", kHkcu, kVersionKey, "Download Directory",
                               [](const std::string&) { return false; }));
    rows.push_back(TextSetting("Window_Title", kHkcu, kMain, "Window Title", notEmpty));
    rows.push_back(TextSetting("Back_Bitmap", kHkcu, kToolbarKey, "BackBitmap", notEmpty));
    rows.push_back(
        NumberSwitch("Password_Caching", "", kHkcu, kInternetSettings, "DisablePasswordCaching",
                     [](std::int16_t n) { return n == 1; },
                     {Wrote(kHkcu, kInternetSettings, "DisablePasswordCaching", Dword(1))}));
    rows.push_back(NumberSwitch("Error_Reporting", "Error_Reporting", kHklm, kMain,
                                "IEWatsonDisabled", [](std::int16_t n) { return n == 1; },
                                {Wrote(kHklm, kMain, "IEWatsonDisabled", Dword(1)),
                                 Wrote(kHklm, kMain, "IEWatsonEnabled", Dword(0))}));
    rows.push_back(TextSetting("Intelli_Menus", kHkcu, kMain, "FavIntelliMenus",
                               [](const std::string& text) { return text == "yes"; }));
    rows.push_back(NumberSwitch("Update_Check", "", kHkcu, kMain, "NoUpdateCheck",
                                [](std::int16_t n) { return n == 0; },
                                {Wrote(kHkcu, kMain, "NoUpdateCheck", Dword(0))}));
    // The downloads limit is read as text and written back as a 32-bit number to both values;
    // text that is no such number is reported by each write, and nothing is written.
    const std::vector<std::string> limits = {"MaxConnectionsPerServer",
                                             "MaxConnectionsPer1_0Server"};
    rows.push_back(
        {"Max_Connections", kHkcu, kInternetSettings, limits[0], limits,
         [limits](const Variant& read) {
             Outcome outcome;
             const std::string text = registry::ToText(read);
             try {
                 const std::int32_t number = registry::ToInt32(text.empty() ? "2" : text);
                 for (const auto& name : limits) {
                     outcome.writes.push_back(Wrote(kHkcu, kInternetSettings, name,
                                                    Dword(static_cast<std::uint32_t>(number))));
                 }
             } catch (const toolkit::Error& error) {
                 const Report report{"RegistrySetKeyValue", ErrorPrompt(error.number())};
                 outcome.reports = {report, report};
             }
             return outcome;
         }});
    rows.push_back(NumberSwitch("About_Urls", "", kHklm, kProtocolDefaults, "about",
                                [](std::int16_t n) { return n == 4; },
                                {Wrote(kHklm, kProtocolDefaults, "about", Dword(4)),
                                 Wrote(kHklm, kProtocolDefaults, "about:", Dword(4))}));
    rows.push_back(NumberSwitch("Internet_Icon", "", kHkcu, kPolicies, "NoInternetIcon",
                                [](std::int16_t n) { return n == 1; },
                                {Wrote(kHkcu, kPolicies, "NoInternetIcon", Dword(1))}));
    rows.push_back(NumberSwitch("Cache_Persistent", "", kHkcu, kCacheKey, "Persistent",
                                [](std::int16_t n) { return n == 0; },
                                {Wrote(kHkcu, kCacheKey, "Persistent", Dword(0))}));
    rows.push_back(NumberSwitch("Security_Zone", "", kHkcu, kZone0, "Flags",
                                [](std::int16_t n) { return n == 1; },
                                {Wrote(kHkcu, kZone0, "Flags", Dword(1))}));
    return rows;
}

// One start-up on a store that holds the browser version, the toolbar switch on and,
// possibly, the value under test.
struct StartUpRun {
    std::vector<ValueChange> changes;  // sorted
    std::vector<Report> reports;
    std::size_t openHandles = 0;
    bool refused = false;
};

StartUpRun StartUp(const CatalogueRow* row, std::uint32_t type, const Bytes& data) {
    registry::MemoryRegistry store;
    PlantVersion(store, "9.11.9600.18231");
    store.PutDword(kCurrentUser, kPolicies, "NoToolbarCustomize", 1);
    if (row != nullptr) {
        store.Put(row->root, row->path, row->name, type, data);
    }
    store.ClearJournal();
    StartUpRun run;
    {
        Window window(store);
        window.Load();
        run.refused = window.form.unloadRequested();
        for (const auto& message : window.services.messages) {
            run.reports.push_back({message.title, message.prompt});
        }
    }
    for (const auto& entry : store.Changes()) {
        const std::string root = entry.path.substr(0, entry.path.find('\\'));
        const std::uint32_t rootKey = root == "HKLM" ? kHklm : kHkcu;
        const std::string path = entry.path.substr(root.size() + 1);
        if (entry.op == registry::RegistryOp::CreateKey) {
            EXPECT_TRUE(settings::MayCreateKey(rootKey, path)) << entry.path;
            continue;
        }
        const bool set = entry.op == registry::RegistryOp::SetValue;
        run.changes.push_back({rootKey, path,
                               entry.op == registry::RegistryOp::DeleteKey ? "(key)" : entry.name,
                               !set, set ? entry.type : 0, set ? entry.data : Bytes{}});
    }
    std::sort(run.changes.begin(), run.changes.end());
    run.openHandles = store.openHandles();
    return run;
}

std::string Describe(const std::vector<ValueChange>& changes) {
    std::string out;
    for (const auto& change : changes) {
        out += "\n  " + change.name +
               (change.deleted ? " deleted" : " = " + ShowValue(change.type, change.data));
    }
    return out;
}

class BadInputCatalogue : public ::testing::TestWithParam<std::size_t> {
protected:
    static void SetUpTestSuite() { baseline_ = StartUp(nullptr, 0, {}); }

    // What a start-up changes with `row`'s value as `read` yields: the baseline, with the
    // changes of the row's values replaced by the row's own, and nothing of the loaders
    // after it when it stops them.
    static std::vector<ValueChange> ExpectedChanges(const CatalogueRow& row,
                                                    const Outcome& outcome) {
        std::vector<ValueChange> expected;
        if (outcome.refused) {
            return expected;
        }
        const auto rows = Catalogue();
        const auto controls = [](const CatalogueRow& r, const std::string& name) {
            return std::find(r.controls.begin(), r.controls.end(), name) != r.controls.end();
        };
        for (const auto& change : baseline_.changes) {
            if (controls(row, change.name)) {
                continue;
            }
            const auto owner = std::find_if(
                rows.begin(), rows.end(), [&](const auto& r) { return controls(r, change.name); });
            if (owner == rows.end()) {
                ADD_FAILURE() << "start-up changed " << change.name
                              << ", which no row accounts for";
            } else if (outcome.stopsLaterLoaders &&
                       LoaderIndex(owner->loader) > LoaderIndex(row.loader)) {
                continue;
            }
            expected.push_back(change);
        }
        expected.insert(expected.end(), outcome.writes.begin(), outcome.writes.end());
        std::sort(expected.begin(), expected.end());
        return expected;
    }

    static StartUpRun baseline_;
};

StartUpRun BadInputCatalogue::baseline_;

TEST_P(BadInputCatalogue, StartUpShowsAndWritesOnlyWhatTheReadRulesLeadTo) {
    constexpr std::uint32_t kTypes[] = {
        registry::kRegNone,    registry::kRegSz,    registry::kRegExpandSz,
        registry::kRegBinary,  registry::kRegDword, registry::kRegDwordBigEndian,
        registry::kRegMultiSz, registry::kRegQword,
    };
    constexpr std::size_t kSizes[] = {0, 1, 3, 4, 5, 8, 1u << 20};
    // '1' makes numeric text and small numbers, '2' the one text a button value clears on,
    // 0xFF makes -1, large numbers and text that is no number.
    constexpr std::uint8_t kFills[] = {'1', '2', 0xFF};
    const CatalogueRow row = Catalogue()[GetParam()];
    for (const auto type : kTypes) {
        for (const auto size : kSizes) {
            for (const auto fill : kFills) {
                if (size > 8 && fill != kFills[0]) {
                    continue;  // one huge filling is enough, and each costs a second
                }
                const Bytes data(size, fill);
                SCOPED_TRACE(row.name + " stored as type " + std::to_string(type) + ", " +
                             std::to_string(size) + " bytes of " + std::to_string(fill));
                const Outcome outcome = row.expect(ReadYields(type, data));
                const StartUpRun run = StartUp(&row, type, data);
                EXPECT_EQ(run.refused, outcome.refused);
                EXPECT_EQ(run.reports, outcome.reports)
                    << run.reports.size() << " reports, the first: "
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

INSTANTIATE_TEST_SUITE_P(EveryValueStartUpReads, BadInputCatalogue,
                         ::testing::Range<std::size_t>(0, Catalogue().size()),
                         [](const ::testing::TestParamInfo<std::size_t>& info) {
                             std::string name = Catalogue()[info.param].name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

// The footprint is the whole of what may change: the program's values and keys, compared as
// the registry compares names, and nothing next to them.
TEST(ProgramFootprint, AllowsExactlyTheProgramsOwnValuesAndKeys) {
    using settings::MayCreateKey;
    using settings::MayDeleteKey;
    using settings::MayDeleteValue;
    using settings::MayWriteValue;
    const std::string typedUrls = std::string(kVersionKey) + "\\TypedURLs";
    const struct {
        const char* what;
        bool allowed;
        bool expected;
    } rows[] = {
        {"a button value", MayWriteValue(kHkcu, kPolicies, "Btn_Paste"), true},
        {"a value named in another case",
         MayWriteValue(kHkcu, "software\\microsoft\\internet explorer\\MAIN", "window title"),
         true},
        {"the HKLM spelling of the protocol key",
         MayDeleteValue(kHklm, kProtocolDefaults, "about:"), true},
        {"the version, only read", MayWriteValue(kHklm, kVersionKey, "Version"), false},
        {"a switch under the other root",
         MayWriteValue(kHklm, kInternetSettings, "DisablePasswordCaching"), false},
        {"deleting a value only written", MayDeleteValue(kHkcu, kMain, "Window Title"), false},
        {"writing a value only deleted", MayWriteValue(kHkcu, kToolbarKey, "BrandBitmap"), false},
        {"the typed history key", MayDeleteKey(kHkcu, typedUrls), true},
        {"a key above the typed history", MayDeleteKey(kHkcu, kVersionKey), false},
        {"a level above a written key", MayCreateKey(kHkcu, "Software\\Microsoft\\Windows"), true},
        {"a key that only shares a prefix", MayCreateKey(kHkcu, "Software\\Microsoft\\Internet Ex"),
         false},
        {"a key below a written one", MayCreateKey(kHkcu, std::string(kMain) + "\\Sub"), false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.allowed, row.expected) << row.what;
    }
}

}  // namespace

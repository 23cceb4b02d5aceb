// The form headless over the registry in memory: what each setting shows for what is stored,
// what it writes and in which order, the version gate, the error reports and the refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "app/frm_korvane.h"
#include "tests/support/memory_registry.h"
#include "tests/support/scripted_platform.h"
#include "toolkit/error.h"

namespace {

using app::frmKorvane;
using F = frmKorvane;
using Box = toolkit::Control frmKorvane::*;
using Lines = std::vector<std::string>;
constexpr registry::Key kUser = registry::kCurrentUser, kMachine = registry::kLocalMachine;
constexpr auto kIE = "Software\\Microsoft\\Internet Explorer";
constexpr auto kMain = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr auto kToolbar = "Software\\Microsoft\\Internet Explorer\\Toolbar";
constexpr auto kSettings = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr auto kPolicy = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr auto kRefused =
    "Korvane: This setting could not be changed: it needs administrator rights.\r\n"
    "Start Korvane as administrator to change it.";

class Form : public testing::Test {
protected:
    Form() { Put(kMachine, kIE, "Version", "sz 6.0.2800.1106"); }

    // Stores "dword N" or "sz TEXT"; "" stores nothing.
    void Put(registry::Key root, const char* path, const char* name, const std::string& seed) {
        if (seed.starts_with("dword ")) {
            store.SeedDword(root, path, name, std::stoul(seed.substr(6)));
        } else if (seed.starts_with("sz ")) {
            store.SeedText(root, path, name, seed.substr(3));
        }
    }
    void Start() {
        form.emplace(store, platform);
        form->Form_Load();
    }
    // One user action, as the window runs it.
    template <class Action>
    void User(Box box, Action action) {
        const auto started = form->BeginUserAction(*form.*box);
        action(*form.*box);
        form->EndUserAction(started);
    }
    void Click(Box box) {
        User(box, [](toolkit::Control& control) { control.UserClick(); });
    }
    void Type(Box box, const std::string& keys) {
        for (const char key : keys) {
            User(box, [key](toolkit::Control& box) {
                const std::int16_t code = box.UserKeyPress(key);
                const std::string& text = box.text();
                if (code != 0) {
                    box.UserEdit(code == 8 ? text.substr(0, text.size() - !text.empty())
                                           : text + static_cast<char>(code));
                }
            });
        }
    }
    // The changes since the last call, without their key paths: "Name = dword 1", "delete Name".
    Lines Journal() {
        Lines lines;
        for (const std::string& line : std::exchange(store.journal, {})) {
            const auto name = line.rfind('\\', line.find(" = ")) + 1;
            const auto verb = line.starts_with("set ") ? 0 : line.find(" HK") + 1;
            lines.push_back(line.substr(0, verb) + line.substr(name));
        }
        return lines;
    }
    // The messages since the last call, as "title: prompt".
    Lines Messages() {
        Lines lines;
        for (const auto& shown : std::exchange(platform.messages, {})) {
            lines.push_back((shown.title.empty() ? "Korvane" : shown.title) + ": " + shown.prompt);
        }
        return lines;
    }

    support::MemoryRegistry store;
    support::ScriptedPlatform platform;
    std::optional<frmKorvane> form;
};

TEST_F(Form, EachSwitchShowsWhatIsStoredAndWritesEachChange) {
    const std::string cv = "Software\\Microsoft\\Windows\\CurrentVersion\\";
    const std::string kAuto = cv + "Explorer\\AutoComplete",
                      kZone = cv + "Internet Settings\\Zones\\0",
                      kCache = cv + "Internet Settings\\Cache",
                      kProtocols = "SOFTWARE" + cv.substr(8) +
                                   "Internet Settings\\ZoneMap\\ProtocolDefaults";
    const struct {
        Box box;
        registry::Key root;
        std::string path;
        const char *name, *stored;
        int shown;
        Lines startWrites, clickWrites;
    } cases[] = {
        // clang-format off
        {&F::chkAutoAppend, kUser, kAuto, "Append Completion", "", 1, {"Append Completion = sz \"yes\""}, {"Append Completion = sz \"no\""}},
        {&F::chkAutoAppend, kUser, kAuto, "Append Completion", "sz no", 0, {}, {"Append Completion = sz \"yes\""}},
        {&F::chkAutoAppend, kUser, kAuto, "Append Completion", "sz No", 1, {"Append Completion = sz \"yes\""}, {"Append Completion = sz \"no\""}},
        {&F::chkPassCach, kUser, kSettings, "DisablePasswordCaching", "sz 1", 1, {"DisablePasswordCaching = dword 1"}, {"DisablePasswordCaching = dword 0"}},
        {&F::chkPassCach, kUser, kSettings, "DisablePasswordCaching", "dword 2", 0, {}, {"DisablePasswordCaching = dword 1"}},
        {&F::chkIEErr, kMachine, kMain, "IEWatsonDisabled", "dword 1", 1, {"IEWatsonDisabled = dword 1", "IEWatsonEnabled = dword 0"}, {"delete IEWatsonDisabled", "delete IEWatsonEnabled"}},
        {&F::chkHideWeb, kUser, kMain, "FavIntelliMenus", "sz Yes", 0, {}, {"FavIntelliMenus = sz \"yes\""}},
        {&F::chkUpdate, kUser, kMain, "NoUpdateCheck", "", 1, {"NoUpdateCheck = dword 0"}, {"NoUpdateCheck = dword 1"}},
        {&F::chkAbout, kMachine, kProtocols, "about", "dword 4", 1, {"about = dword 4", "about: = dword 4"}, {"delete about", "delete about:"}},
        {&F::chkIcon, kUser, kPolicy, "NoInternetIcon", "dword 1", 1, {"NoInternetIcon = dword 1"}, {"delete NoInternetIcon"}},
        {&F::chkSecurityZone, kUser, kZone, "Flags", "dword 3", 0, {}, {"Flags = dword 1"}},
        {&F::chkSecurityZone, kUser, kZone, "Flags", "dword 1", 1, {"Flags = dword 1"}, {"Flags = dword 33"}},
        {&F::chkCache, kUser, kCache, "Persistent", "", 1, {"Persistent = dword 0"}, {"Persistent = dword 1"}},
        // clang-format on
    };
    Start();
    const Lines fresh = Journal();  // in loader order
    EXPECT_EQ(fresh, (Lines{"Append Completion = sz \"yes\"", "NoUpdateCheck = dword 0",
                            "MaxConnectionsPerServer = dword 2",
                            "MaxConnectionsPer1_0Server = dword 2", "Persistent = dword 0"}));
    EXPECT_FALSE(form->chkBack.enabled());
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name + std::string(" ") + row.stored);
        store = support::MemoryRegistry();
        Put(kMachine, kIE, "Version", "sz 6");
        Put(row.root, row.path.c_str(), row.name, row.stored);
        Start();
        EXPECT_EQ((*form.*row.box).value(), row.shown);
        Lines writes;  // this switch's among the start's
        for (const std::string& line : Journal()) {
            if (std::ranges::count(fresh, line) == 0 || std::ranges::count(row.startWrites, line)) {
                writes.push_back(line);
            }
        }
        EXPECT_EQ(writes, row.startWrites);
        Click(row.box);
        EXPECT_EQ(Journal(), row.clickWrites);
        EXPECT_EQ(Messages(), Lines{});
        EXPECT_EQ(store.openHandles(), 0);
    }
}

TEST_F(Form, TheVersionGate) {
    const struct {
        const char* version;
        bool refused, lateSwitchesEnabled;
    } cases[] = {{"sz 6.0.2800.1106", false, true},   {"dword 6", false, true},
                 {"sz 5.50.4807.2300", false, false}, {"sz 4.72.3110.8", true, true},
                 {"sz 10.0.9200.16384", true, true},  {"", true, true}};
    for (const auto& row : cases) {
        SCOPED_TRACE(row.version);
        store = support::MemoryRegistry();
        Put(kMachine, kIE, "Version", row.version);
        Start();
        const std::string seed = row.version;
        EXPECT_EQ(form->lblVersion.text(), seed.substr(seed.find(' ') + 1));
        EXPECT_EQ(form->closedDuringLoad(), row.refused);
        EXPECT_EQ(form->chkSecurityZone.enabled(), row.lateSwitchesEnabled);
        EXPECT_EQ(form->chkIEErr.enabled(), row.lateSwitchesEnabled);
        EXPECT_EQ(Messages().size(), row.refused ? 1u : 0u);
        std::int16_t cancel = 0;
        form->Form_Unload(cancel);
        // After a refused start no loader ran, and a value never read is never written.
        EXPECT_EQ(Journal().empty(), row.refused);
    }
}

TEST_F(Form, FailuresAreReportedByTheProcedureThatGuardsItself) {
    Put(kUser, kPolicy, "NoInternetIcon", "dword 70000");
    Put(kMachine, kMain, "IEWatsonDisabled", "sz yes");
    Put(kUser, kPolicy, "NoToolbarCustomize", "sz ");
    Start();
    EXPECT_EQ(Messages(), (Lines{"Select_Buttons: Error: 13. Type mismatch",
                                 "Error_Reporting: Error: 13. Type mismatch",
                                 "Form_Load: Error: 6. Overflow"}));
    EXPECT_TRUE(form->chkBack.enabled());  // Select_Buttons stopped before touching them
    EXPECT_EQ(form->chkIEErr.value(), 0);
    EXPECT_EQ(form->chkCache.value(), 0);  // the loaders after the failing one did not run
    EXPECT_EQ(std::ranges::count(Journal(), "Persistent = dword 0"), 0);

    toolkit::Guard(platform, "Any", [] { throw std::runtime_error("not the toolkit's own"); });
    EXPECT_EQ(Messages(), Lines{"Any: Error: 51. Internal error"});
}

TEST_F(Form, TheToolbarSwitchNestsEachButtonsWriteInsideItsReload) {
    Put(kUser, kPolicy, "NoToolbarCustomize", "dword 5");
    Put(kUser, kPolicy, "Btn_Stop", "sz 2");
    Start();
    Lines expected;
    for (const auto& button : frmKorvane::kToolbarButtons) {
        const std::string value = button.value;
        if (value != "Btn_Stop") {
            expected.push_back(value + " = dword 1");  // the box's own click, inside the reload
        }
        expected.push_back(value + (value == "Btn_Stop" ? " = dword 2" : " = dword 1"));
    }
    expected.insert(expected.end(),
                    {"NoToolbarCustomize = dword 1", "SpecifyDefaultButtons = dword 1"});
    Lines toolbar = Journal();
    toolbar.resize(expected.size());
    EXPECT_EQ(toolbar, expected);
    EXPECT_EQ(form->chkStop.value(), 0);
    EXPECT_TRUE(form->chkPaste.enabled());

    Click(&F::chkFullScreen);
    EXPECT_EQ(Journal(), Lines{"Btn_Fullscreen = dword 2"});
    Click(&F::chkSelect);
    EXPECT_EQ(Journal(),
              (Lines{"NoToolbarCustomize = dword 0", "SpecifyDefaultButtons = dword 0"}));
    EXPECT_FALSE(form->chkPaste.enabled());
    EXPECT_EQ(form->chkPaste.value(), 1);  // ticks stay
}

TEST_F(Form, TextSettings) {
    Put(kUser, kSettings, "MaxConnectionsPerServer", "dword 4");
    Put(kUser, kSettings, "MaxConnectionsPer1_0Server", "dword 8");
    store.Seed(kUser, kMain, "Window Title", 2, {'a', 0, 0, 0});  // REG_EXPAND_SZ: not read
    Put(kUser, kIE, "Download Directory", "sz C:\\Down");
    Start();
    EXPECT_EQ(form->txtDownload.text(), "4");
    EXPECT_EQ(form->txtDefaultDir.tooltip(), "C:\\Down");
    EXPECT_EQ(Journal(), (Lines{"Append Completion = sz \"yes\"", "NoUpdateCheck = dword 0",
                                "MaxConnectionsPerServer = dword 4",
                                "MaxConnectionsPer1_0Server = dword 4", "Persistent = dword 0"}));

    Type(&F::txtDownload, "\b\b1x-.0");
    EXPECT_EQ(
        Journal(),
        (Lines{"delete MaxConnectionsPerServer", "delete MaxConnectionsPer1_0Server",
               "MaxConnectionsPerServer = dword 1", "MaxConnectionsPer1_0Server = dword 1",
               "MaxConnectionsPerServer = dword 10", "MaxConnectionsPer1_0Server = dword 10"}));
    User(&F::txtDownload, [](auto& box) { box.UserEdit("2147483648"); });  // pasted
    EXPECT_EQ(Journal(), Lines{});
    EXPECT_EQ(Messages(), Lines(2, "RegistrySetKeyValue: Error: 6. Overflow"));

    const std::string title = "\xCE\xA9mega \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80";
    User(&F::txtIETitle, [&](auto& box) { box.UserEdit(title); });
    EXPECT_EQ(Journal(), Lines{"Window Title = sz \"" + title + "\""});
    EXPECT_EQ(form->txtIETitle.tooltip(), title);

    Type(&F::txtDefaultDir, "x");
    platform.folder = "C:\\Pick";
    Click(&F::cmdDir);
    platform.folder = "";
    Click(&F::cmdDir);
    platform.openFile = "C:\\x\\y.bmp";
    Click(&F::cmdBackground);
    platform.openFile.reset();
    Click(&F::cmdBackground);
    EXPECT_EQ(Journal(),
              (Lines{"Download Directory = sz \"C:\\Pick\"", "BackBitmap = sz \"C:\\x\\y.bmp\"",
                     "BackBitmap = sz \"C:\\x\\y.bmp\""}));
    EXPECT_EQ(form->txtDefaultDir.text(), "C:\\Pick");

    std::int16_t cancel = 0;
    form->Form_Unload(cancel);
    form->Form_Unload(cancel);  // a second close request while the first runs
    EXPECT_EQ(Journal(), Lines{"BackBitmap = sz \"C:\\x\\y.bmp\""});
}

TEST_F(Form, ActionsAndHelp) {
    Put(kUser, "Software\\Microsoft\\Internet Explorer\\TypedURLs\\Sub", "url1", "sz http://a/");
    Put(kUser, kToolbar, "SmBrandBitmap", "sz x.bmp");
    platform.appDirectory = "C:\\";
    Start();
    Journal();
    Click(&F::cmdClear);
    Click(&F::cmdRestore);
    Click(&F::cmdRestore);
    EXPECT_EQ(Journal(), Lines{"delete SmBrandBitmap"});  // a key with sub keys stays
    Click(&F::cmdHelp);
    EXPECT_EQ(platform.notepad, Lines{"notepad.exe C:\\\\readme.txt"});
    EXPECT_EQ(Messages(), Lines{});
}

TEST_F(Form, AChangeRefusedForLackOfRightsIsToldOnceAndUndone) {
    Put(kMachine, kMain, "IEWatsonDisabled", "dword 1");
    store.SetReadOnly(kMachine, kMain);
    store.SetReadOnly(kUser, kPolicy);
    store.SetReadOnly(kUser, kMain);
    Start();
    Journal();
    EXPECT_EQ(Messages(), Lines{});  // start-up's own write-back stays silent
    EXPECT_EQ(form->chkIEErr.value(), 1);

    Click(&F::chkIEErr);
    Click(&F::chkSelect);
    EXPECT_EQ(Messages(), Lines(2, kRefused));
    EXPECT_EQ(form->chkIEErr.value(), 1);
    EXPECT_EQ(form->chkSelect.value(), 0);
    EXPECT_FALSE(form->chkBack.enabled());
    EXPECT_EQ(Journal(), Lines{});

    Type(&F::txtIETitle, "ab");
    EXPECT_EQ(Messages(), Lines{kRefused});  // once per text box, which keeps its text
    EXPECT_EQ(form->txtIETitle.text(), "ab");
    Click(&F::cmdRestore);  // deleting what is not there is no refusal
    EXPECT_EQ(Messages(), Lines{});
}

}  // namespace

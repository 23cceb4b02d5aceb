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
using registry::kCurrentUser;
using registry::kLocalMachine;
using Box = toolkit::Control frmKorvane::*;
using Lines = std::vector<std::string>;
using Shown = support::ScriptedPlatform::Shown;

constexpr const char* kIE = "Software\\Microsoft\\Internet Explorer";
constexpr const char* kMain = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr const char* kToolbar = "Software\\Microsoft\\Internet Explorer\\Toolbar";
constexpr const char* kSettings = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr const char* kPolicy = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

class Form : public testing::Test {
protected:
    Form() { store.SeedText(kLocalMachine, kIE, "Version", "6.0.2800.1106"); }

    frmKorvane& Start() {
        form.emplace(store, platform);
        form->Form_Load();
        return *form;
    }
    // One user action, as the window runs it.
    template <class Action>
    void User(toolkit::Control& control, Action action) {
        const auto started = form->BeginUserAction(control);
        action();
        form->EndUserAction(started);
    }
    void Click(Box box) {
        User(form.value().*box, [&] { (*form.*box).UserClick(); });
    }
    void Type(Box box, const std::string& keys) {
        toolkit::Control& control = *form.*box;
        for (const char key : keys) {
            User(control, [&] {
                const std::int16_t code = control.UserKeyPress(key);
                const std::string& text = control.text();
                if (code == 8) {
                    control.UserEdit(text.substr(0, text.empty() ? 0 : text.size() - 1));
                } else if (code != 0) {
                    control.UserEdit(text + static_cast<char>(code));
                }
            });
        }
    }
    // The changes since the last call, without their key paths: "Name = dword 1", "delete Name".
    Lines Journal() {
        Lines lines;
        for (const std::string& line : std::exchange(store.journal, {})) {
            const auto end = line.find(" = ");
            const auto name = line.rfind('\\', end) + 1;
            lines.push_back((line.starts_with("delete key") ? "delete key "
                             : line.starts_with("delete")   ? "delete "
                                                            : "") +
                            line.substr(name));
        }
        return lines;
    }

    support::MemoryRegistry store;
    support::ScriptedPlatform platform;
    std::optional<frmKorvane> form;
};

struct SwitchCase {
    Box box;
    registry::Key root;
    const char* path;
    const char* name;
    std::optional<std::uint32_t> storedNumber;
    const char* storedText;  // used when there is no number; nullptr: nothing stored
    int shown;
    Lines startWrites;
    Lines clickWrites;
};

TEST_F(Form, EachSwitchShowsWhatIsStoredAndWritesEachChange) {
    constexpr const char* kAuto =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete";
    constexpr const char* kProtocols =
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet "
        "Settings\\ZoneMap\\ProtocolDefaults";
    constexpr const char* kZone =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\0";
    constexpr const char* kCache =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache";
    using F = frmKorvane;
    // clang-format off
    const SwitchCase cases[] = {
        {&F::chkAutoAppend, kCurrentUser, kAuto, "Append Completion", {}, nullptr, 1, {"Append Completion = sz \"yes\""}, {"Append Completion = sz \"no\""}},
        {&F::chkAutoAppend, kCurrentUser, kAuto, "Append Completion", {}, "no", 0, {}, {"Append Completion = sz \"yes\""}},
        {&F::chkAutoAppend, kCurrentUser, kAuto, "Append Completion", {}, "No", 1, {"Append Completion = sz \"yes\""}, {"Append Completion = sz \"no\""}},
        {&F::chkPassCach, kCurrentUser, kSettings, "DisablePasswordCaching", {}, "1", 1, {"DisablePasswordCaching = dword 1"}, {"DisablePasswordCaching = dword 0"}},
        {&F::chkPassCach, kCurrentUser, kSettings, "DisablePasswordCaching", 2, nullptr, 0, {}, {"DisablePasswordCaching = dword 1"}},
        {&F::chkIEErr, kLocalMachine, kMain, "IEWatsonDisabled", 1, nullptr, 1, {"IEWatsonDisabled = dword 1", "IEWatsonEnabled = dword 0"}, {"delete IEWatsonDisabled", "delete IEWatsonEnabled"}},
        {&F::chkHideWeb, kCurrentUser, kMain, "FavIntelliMenus", {}, "Yes", 0, {}, {"FavIntelliMenus = sz \"yes\""}},
        {&F::chkUpdate, kCurrentUser, kMain, "NoUpdateCheck", {}, nullptr, 1, {"NoUpdateCheck = dword 0"}, {"NoUpdateCheck = dword 1"}},
        {&F::chkAbout, kLocalMachine, kProtocols, "about", 4, nullptr, 1, {"about = dword 4", "about: = dword 4"}, {"delete about", "delete about:"}},
        {&F::chkIcon, kCurrentUser, kPolicy, "NoInternetIcon", 1, nullptr, 1, {"NoInternetIcon = dword 1"}, {"delete NoInternetIcon"}},
        {&F::chkSecurityZone, kCurrentUser, kZone, "Flags", 3, nullptr, 0, {}, {"Flags = dword 1"}},
        {&F::chkSecurityZone, kCurrentUser, kZone, "Flags", 1, nullptr, 1, {"Flags = dword 1"}, {"Flags = dword 33"}},
        {&F::chkCache, kCurrentUser, kCache, "Persistent", {}, nullptr, 1, {"Persistent = dword 0"}, {"Persistent = dword 1"}},
    };
    // clang-format on
    Start();
    const Lines fresh = Journal();
    for (const SwitchCase& row : cases) {
        SCOPED_TRACE(row.name + std::string(" ") + (row.storedText ? row.storedText : ""));
        store = support::MemoryRegistry();
        store.SeedText(kLocalMachine, kIE, "Version", "6");
        if (row.storedNumber) {
            store.SeedDword(row.root, row.path, row.name, *row.storedNumber);
        } else if (row.storedText) {
            store.SeedText(row.root, row.path, row.name, row.storedText);
        }
        Start();
        EXPECT_EQ((*form.*row.box).value(), row.shown);
        Lines writes;
        for (const std::string& line : Journal()) {
            if (std::ranges::find(fresh, line) == fresh.end() ||
                std::ranges::find(row.startWrites, line) != row.startWrites.end()) {
                writes.push_back(line);
            }
        }
        EXPECT_EQ(writes, row.startWrites);
        Click(row.box);
        EXPECT_EQ(Journal(), row.clickWrites);
        EXPECT_EQ(platform.messages, std::vector<Shown>{});
        EXPECT_EQ(store.openHandles(), 0);
    }
}

TEST_F(Form, AFreshStartWritesTheDefaultsInLoaderOrder) {
    Start();
    EXPECT_EQ(Journal(), (Lines{"Append Completion = sz \"yes\"", "NoUpdateCheck = dword 0",
                                "MaxConnectionsPerServer = dword 2",
                                "MaxConnectionsPer1_0Server = dword 2", "Persistent = dword 0"}));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(form->chkBack.enabled());
}

TEST_F(Form, TheVersionGate) {
    struct Case {
        const char* version;  // nullptr: missing
        bool refused;
        bool lateSwitchesEnabled;
    };
    for (const Case row : {Case{"6.0.2800.1106", false, true}, Case{"9.0", false, true},
                           Case{"5.50.4807.2300", false, false}, Case{"4.72.3110.8", true, true},
                           Case{"10.0.9200.16384", true, true}, Case{nullptr, true, true}}) {
        SCOPED_TRACE(row.version ? row.version : "missing");
        store = support::MemoryRegistry();
        platform.messages.clear();
        if (row.version) {
            store.SeedText(kLocalMachine, kIE, "Version", row.version);
        }
        Start();
        EXPECT_EQ(form->lblVersion.text(), row.version ? row.version : "");
        EXPECT_EQ(form->closedDuringLoad(), row.refused);
        EXPECT_EQ(form->chkIEErr.enabled(), row.lateSwitchesEnabled);
        EXPECT_EQ(form->chkSecurityZone.enabled(), row.lateSwitchesEnabled);
        if (row.refused) {
            EXPECT_EQ(platform.messages,
                      (std::vector<Shown>{{"You need to have Internet Explorer 5 or higher to use "
                                           "this program\r\ndownload at "
                                           "https://www.microsoft.com/download/internet-explorer",
                                           ""}}));
            std::int16_t cancel = 0;
            form->Form_Unload(cancel);
            EXPECT_TRUE(
                store.journal.empty());  // no loader ran, and a value never read is not written
        }
    }
    store.SeedDword(kLocalMachine, kIE, "Version", 6);
    Start();
    EXPECT_EQ(form->lblVersion.text(), "6");
    EXPECT_FALSE(form->closedDuringLoad());
}

TEST_F(Form, FailuresAreReportedByTheProcedureThatGuardsItself) {
    store.SeedDword(kCurrentUser, kPolicy, "NoInternetIcon", 70000);
    store.SeedText(kLocalMachine, kMain, "IEWatsonDisabled", "yes");
    store.SeedText(kCurrentUser, kPolicy, "NoToolbarCustomize", "");
    Start();
    EXPECT_EQ(platform.messages,
              (std::vector<Shown>{{"Error: 13. Type mismatch", "Select_Buttons"},
                                  {"Error: 13. Type mismatch", "Error_Reporting"},
                                  {"Error: 6. Overflow", "Form_Load"}}));
    EXPECT_TRUE(form->chkBack.enabled());  // Select_Buttons stopped before enabling anything
    EXPECT_EQ(form->chkIEErr.value(), 0);
    EXPECT_EQ(form->chkCache.value(), 0);  // the loaders after the failing one did not run
    EXPECT_FALSE(store.Stored(
        kCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache",
        "Persistent"));

    platform.messages.clear();
    toolkit::Guard(platform, "Any", [] { throw std::runtime_error("not the toolkit's own"); });
    EXPECT_EQ(platform.messages, (std::vector<Shown>{{"Error: 51. Internal error", "Any"}}));
}

TEST_F(Form, TheToolbarSwitchNestsEachButtonsWriteInsideItsReload) {
    store.SeedDword(kCurrentUser, kPolicy, "NoToolbarCustomize", 5);
    store.SeedText(kCurrentUser, kPolicy, "Btn_Stop", "2");
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

    Click(&frmKorvane::chkFullScreen);
    EXPECT_EQ(Journal(), Lines{"Btn_Fullscreen = dword 2"});
    Click(&frmKorvane::chkSelect);
    EXPECT_EQ(Journal(),
              (Lines{"NoToolbarCustomize = dword 0", "SpecifyDefaultButtons = dword 0"}));
    EXPECT_FALSE(form->chkPaste.enabled());
    EXPECT_EQ(form->chkPaste.value(), 1);  // ticks stay
}

TEST_F(Form, TextSettings) {
    store.SeedDword(kCurrentUser, kSettings, "MaxConnectionsPerServer", 4);
    store.SeedDword(kCurrentUser, kSettings, "MaxConnectionsPer1_0Server", 8);
    store.Seed(kCurrentUser, kMain, "Window Title", 2, {'a', 0, 0, 0});  // REG_EXPAND_SZ: not read
    store.SeedText(kCurrentUser, kIE, "Download Directory", "C:\\Down");
    Start();
    EXPECT_EQ(form->txtDownload.text(), "4");
    EXPECT_EQ(form->txtDefaultDir.tooltip(), "C:\\Down");
    EXPECT_EQ(Journal(), (Lines{"Append Completion = sz \"yes\"", "NoUpdateCheck = dword 0",
                                "MaxConnectionsPerServer = dword 4",
                                "MaxConnectionsPer1_0Server = dword 4", "Persistent = dword 0"}));

    Type(&frmKorvane::txtDownload, "\b\b1x-.0");
    EXPECT_EQ(
        Journal(),
        (Lines{"delete MaxConnectionsPerServer", "delete MaxConnectionsPer1_0Server",
               "MaxConnectionsPerServer = dword 1", "MaxConnectionsPer1_0Server = dword 1",
               "MaxConnectionsPerServer = dword 10", "MaxConnectionsPer1_0Server = dword 10"}));
    User(form->txtDownload, [&] { form->txtDownload.UserEdit("2147483648"); });  // pasted
    EXPECT_TRUE(Journal().empty());
    EXPECT_EQ(platform.messages,
              (std::vector<Shown>(2, {"Error: 6. Overflow", "RegistrySetKeyValue"})));

    const std::string title = "\xCE\xA9mega \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80";
    User(form->txtIETitle, [&] { form->txtIETitle.UserEdit(title); });
    EXPECT_EQ(Journal(), Lines{"Window Title = sz \"" + title + "\""});
    EXPECT_EQ(form->txtIETitle.tooltip(), title);

    Type(&frmKorvane::txtDefaultDir, "x");
    platform.folder = "C:\\Pick";
    Click(&frmKorvane::cmdDir);
    EXPECT_EQ(Journal(), Lines{"Download Directory = sz \"C:\\Pick\""});
    platform.folder = "";
    Click(&frmKorvane::cmdDir);
    platform.openFile = "C:\\x\\y.bmp";
    Click(&frmKorvane::cmdBackground);
    platform.openFile.reset();
    Click(&frmKorvane::cmdBackground);
    EXPECT_EQ(Journal(), Lines(2, "BackBitmap = sz \"C:\\x\\y.bmp\""));
    EXPECT_EQ(form->txtDefaultDir.text(), "C:\\Pick");

    std::int16_t cancel = 0;
    form->Form_Unload(cancel);
    form->Form_Unload(cancel);  // a second close request while the first runs
    EXPECT_EQ(Journal(), Lines{"BackBitmap = sz \"C:\\x\\y.bmp\""});
}

TEST_F(Form, ActionsAndHelp) {
    store.SeedText(kCurrentUser, std::string(kIE) + "\\TypedURLs", "url1", "http://a/");
    store.SeedText(kCurrentUser, kToolbar, "SmBrandBitmap", "x.bmp");
    platform.appDirectory = "C:\\";
    Start();
    Journal();
    Click(&frmKorvane::cmdClear);
    Click(&frmKorvane::cmdRestore);
    Click(&frmKorvane::cmdClear);
    EXPECT_EQ(Journal(), (Lines{"delete key TypedURLs", "delete SmBrandBitmap"}));
    Click(&frmKorvane::cmdHelp);
    EXPECT_EQ(platform.notepad, Lines{"notepad.exe C:\\\\readme.txt"});
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Form, AChangeRefusedForLackOfRightsIsToldOnceAndUndone) {
    store.SeedDword(kLocalMachine, kMain, "IEWatsonDisabled", 1);
    store.SetReadOnly(kLocalMachine, kMain);
    store.SetReadOnly(kCurrentUser, kPolicy);
    store.SetReadOnly(kCurrentUser, kMain);
    Start();
    EXPECT_TRUE(platform.messages.empty());  // start-up's own write-back stays silent
    EXPECT_EQ(form->chkIEErr.value(), 1);

    const Shown told{
        "This setting could not be changed: it needs administrator rights.\r\n"
        "Start Korvane as administrator to change it.",
        ""};
    Click(&frmKorvane::chkIEErr);
    Click(&frmKorvane::chkSelect);
    EXPECT_EQ(platform.messages, std::vector<Shown>(2, told));
    EXPECT_EQ(form->chkIEErr.value(), 1);
    EXPECT_EQ(form->chkSelect.value(), 0);
    EXPECT_FALSE(form->chkBack.enabled());
    EXPECT_EQ(store.Stored(kLocalMachine, kMain, "IEWatsonDisabled")->second.size(), 4u);

    platform.messages.clear();
    Type(&frmKorvane::txtIETitle, "ab");
    EXPECT_EQ(platform.messages, std::vector<Shown>{told});  // once per box
    EXPECT_EQ(form->txtIETitle.text(), "ab");
    Click(&frmKorvane::cmdRestore);  // deleting what is not there is no refusal
    EXPECT_EQ(platform.messages.size(), 1u);
}

}  // namespace

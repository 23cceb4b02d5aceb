// The form headless: what each setting shows for what is stored, and what it writes, in order.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <tuple>

#include "app/frm_korvane.h"
#include "tests/support/memory_registry.h"
#include "tests/support/scripted_platform.h"
#include "toolkit/error.h"

namespace {

using F = app::frmKorvane;
using Box = toolkit::Control F::*;
using Lines = std::vector<std::string>;
constexpr registry::Key kUser = registry::kCurrentUser, kMachine = registry::kLocalMachine;
const std::string kIE = "Software\\Microsoft\\Internet Explorer", kMain = kIE + "\\Main",
                  kCV = "Software\\Microsoft\\Windows\\CurrentVersion\\",
                  kSettings = kCV + "Internet Settings", kPolicy = kCV + "Policies\\Explorer";

class Form : public testing::Test {
protected:
    Form() { store.Seed(kMachine, kIE, "Version", "sz 6.0.2800.1106"); }

    void Start() {
        form.emplace(store, platform);
        form->Form_Load();
    }
    // One user action on `box`, as the window runs it.
    void User(Box box, const std::function<void(toolkit::Control&)>& action) {
        const auto started = form->BeginUserAction(*form.*box);
        action(*form.*box);
        form->EndUserAction(started);
    }
    void Click(Box box) {
        User(box, [](auto& control) { control.UserClick(); });
    }
    void Type(Box box, const std::string& keys) {
        for (const char key : keys) {
            User(box, [key](auto& box) {
                if (const std::int16_t code = box.UserKeyPress(key)) {
                    box.UserEdit(box.text() + static_cast<char>(code));
                }
            });
        }
    }
    // The changes since the last call: "Name = dword 1", "delete Name", without the path of
    // `key` (of any key when empty); under another key a line keeps its path.
    Lines Journal(const std::string& key = "") {
        Lines lines;
        for (std::string line : std::exchange(store.journal, {})) {
            const auto path = line.find(" HK") + 1, name = line.rfind('\\', line.find(" = ")) + 1;
            if (key.empty() || line.substr(path + 5, name - path - 6) == key) {
                line.erase(path, name - path);
            }
            lines.push_back(line.starts_with("set ") ? line.substr(4) : line);
        }
        return lines;
    }
    Lines Messages() { return std::exchange(platform.messages, {}); }

    support::MemoryRegistry store;
    support::ScriptedPlatform platform;
    std::optional<F> form;
};

TEST_F(Form, EachSwitchShowsWhatIsStoredAndWritesEachChange) {
    const std::string kAuto = kCV + "Explorer\\AutoComplete", kZone = kSettings + "\\Zones\\0",
                      kProtocols = "SOFTWARE" + kSettings.substr(8) + "\\ZoneMap\\ProtocolDefaults";
    // box, where its value is, what is stored, the box at start, what start-up and a click write
    const std::tuple<Box, registry::Key, std::string, const char*, const char*, int, Lines, Lines>
        cases[] = {
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
        {&F::chkCache, kUser, kSettings + "\\Cache", "Persistent", "", 1, {"Persistent = dword 0"}, {"Persistent = dword 1"}},
        {&F::chkIcon, kUser, kPolicy, "NoInternetIcon", "sz &HFFFF", 0, {}, {"NoInternetIcon = dword 1"}},  // -1 in 16 bits
            // clang-format on
        };
    Start();
    const Lines fresh = Journal();  // in loader order
    EXPECT_EQ(fresh, (Lines{"Append Completion = sz \"yes\"", "NoUpdateCheck = dword 0",
                            "MaxConnectionsPerServer = dword 2",
                            "MaxConnectionsPer1_0Server = dword 2", "Persistent = dword 0"}));
    for (const auto& [box, root, path, name, stored, shown, startWrites, clickWrites] : cases) {
        SCOPED_TRACE(name + std::string(" ") + stored);
        store = support::MemoryRegistry();
        store.Seed(kMachine, kIE, "Version", "sz 6");
        store.Seed(root, path, name, stored);
        Start();
        EXPECT_EQ((*form.*box).value(), shown);
        Lines writes = Journal(path);  // this switch's among the start's
        std::erase_if(writes, [&](auto& line) {
            return line.find('\\') != std::string::npos ||
                   (std::ranges::count(fresh, line) && !std::ranges::count(startWrites, line));
        });
        EXPECT_EQ(writes, startWrites);
        Click(box);
        EXPECT_EQ(Journal(path), clickWrites);
        EXPECT_EQ(Messages(), Lines{});
    }
}

TEST_F(Form, TheVersionGate) {
    const std::tuple<std::string, bool, bool> cases[] = {
        {"sz 6.0.2800.1106", false, true},   {"dword 6", false, true},
        {"sz 5.50.4807.2300", false, false}, {"sz 4.72.3110.8", true, true},
        {"sz 10.0.9200.16384", true, true},  {"", true, true}};
    for (const auto& [version, refused, lateSwitchesEnabled] : cases) {
        SCOPED_TRACE(version);
        store = support::MemoryRegistry();
        store.Seed(kMachine, kIE, "Version", version);
        Start();
        EXPECT_EQ(form->lblVersion.text(), version.substr(version.find(' ') + 1));
        EXPECT_EQ(form->closedDuringLoad(), refused);
        EXPECT_EQ(form->chkSecurityZone.enabled() && form->chkIEErr.enabled(), lateSwitchesEnabled);
        EXPECT_EQ(Messages().size(), refused ? 1u : 0u);
        std::int16_t cancel = 0;
        form->Form_Unload(cancel);
        // After a refused start no loader ran, and a value never read is never written.
        EXPECT_EQ(Journal().empty(), refused);
    }
}

TEST_F(Form, FailuresAreReportedByTheProcedureThatGuardsItself) {
    store.Seed(kUser, kPolicy, "NoInternetIcon", "dword 70000");
    store.Seed(kMachine, kMain, "IEWatsonDisabled", "sz yes");
    store.Seed(kUser, kPolicy, "NoToolbarCustomize", "sz ");
    Start();
    EXPECT_EQ(Messages(), (Lines{"Select_Buttons: Error: 13. Type mismatch",
                                 "Error_Reporting: Error: 13. Type mismatch",
                                 "Form_Load: Error: 6. Overflow"}));
    EXPECT_TRUE(form->chkBack.enabled());  // Select_Buttons stopped before touching them
    EXPECT_EQ(form->chkIEErr.value() + form->chkCache.value(), 0);  // later loaders did not run

    toolkit::Guard(platform, "Any", [] { throw std::runtime_error("not the toolkit's own"); });
    EXPECT_EQ(Messages(), Lines{"Any: Error: 51. Internal error"});
}

TEST_F(Form, TheToolbarSwitchNestsEachButtonsWriteInsideItsReload) {
    store.Seed(kUser, kPolicy, "NoToolbarCustomize", "dword 5");
    store.Seed(kUser, kPolicy, "Btn_Stop", "sz 2");
    Start();
    Lines expected;
    for (const auto& button : F::kToolbarButtons) {
        const std::string value = button.value;  // each box's own click runs inside its reload
        expected.insert(expected.end(), value == "Btn_Stop" ? 1 : 2,
                        value + (value == "Btn_Stop" ? " = dword 2" : " = dword 1"));
    }
    expected.insert(expected.end(),
                    {"NoToolbarCustomize = dword 1", "SpecifyDefaultButtons = dword 1"});
    Lines toolbar = Journal();
    toolbar.resize(expected.size());
    EXPECT_EQ(toolbar, expected);

    Click(&F::chkFullScreen);
    Click(&F::chkSelect);
    EXPECT_EQ(Journal(), (Lines{"Btn_Fullscreen = dword 2", "NoToolbarCustomize = dword 0",
                                "SpecifyDefaultButtons = dword 0"}));
    EXPECT_FALSE(form->chkPaste.enabled());
    EXPECT_EQ(form->chkPaste.value(), 1);  // ticks stay
}

TEST_F(Form, TextSettingsAndActions) {
    store.Seed(kUser, kSettings, "MaxConnectionsPerServer", "dword 4");
    store.Seed(kUser, kSettings, "MaxConnectionsPer1_0Server", "dword 8");
    store.Seed(kUser, kMain, "Window Title", 2, {'a', 0, 0, 0});  // REG_EXPAND_SZ: not read
    store.Seed(kUser, kIE, "Download Directory", "sz C:\\Down");
    store.Seed(kUser, kIE + "\\TypedURLs\\Sub", "url1", "sz http://a/");
    store.Seed(kUser, kIE + "\\Toolbar", "SmBrandBitmap", "sz x.bmp");
    store.Seed(kUser, kIE + "\\Toolbar", "BackBitmap", 3, {'A', 0, 'B', 0, 0, 0, 'C'});  // UTF-16
    Start();
    EXPECT_EQ(form->txtDefaultDir.tooltip(), "C:\\Down");
    Lines start = Journal();
    EXPECT_EQ(form->txtBackground.text(), "AB");  // a box holds no NUL: it shows what it writes
    EXPECT_EQ(start[1], "BackBitmap = sz \"AB\"");
    EXPECT_EQ(Lines(start.begin() + 3, start.end() - 1),
              (Lines{"MaxConnectionsPerServer = dword 4", "MaxConnectionsPer1_0Server = dword 4"}));

    User(&F::txtDownload, [](auto& box) { box.UserEdit(""); });
    Type(&F::txtDownload, "1x-.0");
    EXPECT_EQ(
        Journal(),
        (Lines{"delete MaxConnectionsPerServer", "delete MaxConnectionsPer1_0Server",
               "MaxConnectionsPerServer = dword 1", "MaxConnectionsPer1_0Server = dword 1",
               "MaxConnectionsPerServer = dword 10", "MaxConnectionsPer1_0Server = dword 10"}));
    User(&F::txtDownload, [](auto& box) { box.UserEdit("2147483648"); });  // pasted
    EXPECT_EQ(Messages(), Lines(2, "RegistrySetKeyValue: Error: 6. Overflow"));

    const std::string title = "\xCE\xA9mega \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80";
    User(&F::txtIETitle, [&](auto& box) { box.UserEdit(title); });
    Type(&F::txtDefaultDir, "x");  // the directory changes only through the picker
    platform.folder = "C:\\Pick";
    Click(&F::cmdDir);
    platform.folder = "";
    Click(&F::cmdDir);
    platform.openFile = "C:\\x\\y.bmp";
    Click(&F::cmdBackground);
    platform.openFile.reset();
    Click(&F::cmdBackground);
    Click(&F::cmdClear);  // a key with sub keys stays
    Click(&F::cmdRestore);
    platform.appDirectory = "C:\\";
    Click(&F::cmdHelp);
    std::int16_t cancel = 0;
    form->Form_Unload(cancel);
    form->Form_Unload(cancel);  // a second close request while the first runs
    EXPECT_EQ(Journal(),
              (Lines{"Window Title = sz \"" + title + "\"", "Download Directory = sz \"C:\\Pick\"",
                     "BackBitmap = sz \"C:\\x\\y.bmp\"", "BackBitmap = sz \"C:\\x\\y.bmp\"",
                     "delete SmBrandBitmap", "BackBitmap = sz \"C:\\x\\y.bmp\""}));
    EXPECT_EQ(platform.notepad, Lines{"notepad.exe C:\\\\readme.txt"});
    EXPECT_EQ(Messages(), Lines{});
}

TEST_F(Form, AChangeRefusedForLackOfRightsIsToldOnceAndUndone) {
    store.Seed(kMachine, kMain, "IEWatsonDisabled", "dword 1");
    for (const auto& [root, path] :
         {std::pair{kMachine, kMain}, {kUser, kPolicy}, {kUser, kMain}}) {
        store.SetReadOnly(root, path);
    }
    Start();
    Journal();
    EXPECT_EQ(Messages(), Lines{});  // start-up's own write-back stays silent
    const std::string refused =
        "Korvane: This setting could not be changed: it needs administrator rights.\r\n"
        "Start Korvane as administrator to change it.";
    Click(&F::chkIEErr);
    Click(&F::chkSelect);
    EXPECT_EQ(Messages(), Lines(2, refused));
    EXPECT_EQ(form->chkIEErr.value() - form->chkSelect.value(), 1);
    EXPECT_FALSE(form->chkBack.enabled());
    EXPECT_EQ(Journal(), Lines{});

    Type(&F::txtIETitle, "ab");
    Click(&F::cmdRestore);                  // deleting what is not there is no refusal
    EXPECT_EQ(Messages(), Lines{refused});  // once per text box, which keeps its text
    EXPECT_EQ(form->txtIETitle.text(), "ab");
}

}  // namespace

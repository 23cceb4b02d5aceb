// The form headless: what each setting shows for what is stored, and what it writes, in order.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <tuple>

#include "app/frm_korvane.h"
#include "app/layout.h"
#include "registry/reg_file.h"
#include "tests/support/memory_registry.h"
#include "tests/support/scripted_platform.h"

namespace {

using F = app::frmKorvane;
using Box = toolkit::Control F::*;
using Lines = std::vector<std::u16string>;
constexpr registry::Key kUser = registry::kCurrentUser, kMachine = registry::kLocalMachine;
const std::u16string kIE = u"Software\\Microsoft\\Internet Explorer", kMain = kIE + u"\\Main",
                     kCV = u"Software\\Microsoft\\Windows\\CurrentVersion\\",
                     kSettings = kCV + u"Internet Settings", kPolicy = kCV + u"Policies\\Explorer";
// The 22 toolbar buttons in reload order.
// clang-format off
const std::pair<Box, std::u16string> kButtons[] = {{&F::chkBack, u"Btn_Back"}, {&F::chkForward, u"Btn_Forward"},
    {&F::chkStop, u"Btn_Stop"}, {&F::chkFolders, u"Btn_Folders"}, {&F::chkRefresh, u"Btn_Refresh"},
    {&F::chkPrint, u"Btn_Print"}, {&F::chkFavorites, u"Btn_Favorites"}, {&F::chkEdit, u"Btn_Edit"},
    {&F::chkHome, u"Btn_Home"}, {&F::chkSearch, u"Btn_Search"}, {&F::chkMedia, u"Btn_Media"},
    {&F::chkHistory, u"Btn_History"}, {&F::chkTools, u"Btn_Tools"}, {&F::chkEncoding, u"Btn_Encoding"},
    {&F::chkPrintPreview, u"Btn_PrintPreview"}, {&F::chkFullScreen, u"Btn_Fullscreen"},
    {&F::chkMailNews, u"Btn_MailNews"}, {&F::chkSize, u"Btn_Size"}, {&F::chkDiscussions, u"Btn_Discussions"},
    {&F::chkCut, u"Btn_Cut"}, {&F::chkCopy, u"Btn_Copy"}, {&F::chkPaste, u"Btn_Paste"}};
// clang-format on

class Form : public testing::Test {
protected:
    Form() { store.Seed(kMachine, kIE, u"Version", u"sz 6.0.2800.1106"); }
    ~Form() override { EXPECT_EQ(store.openHandles(), 0) << "left open"; }

    void Start(std::u16string sid = {}) {
        form.emplace(store, platform, sid, !sid.empty());
        form->Form_Load();
    }
    // One user action on `box`, as the window runs it.
    void User(Box box, const std::function<void(toolkit::Control&)>& action) {
        form->UserAction(*form.*box, [&] { action(*form.*box); });
    }
    void Click(Box box) {
        User(box, [](auto& box) { box.UserClick(); });
    }
    // Typed one UTF-16 unit at a time, as an input method sends them.
    void Type(Box box, const std::u16string& keys) {
        for (const char16_t key : keys) {
            auto code = static_cast<std::int16_t>(key);
            User(box, [&](auto& control) { code = control.UserKeyPress(code); });
            std::u16string text = (*form.*box).text();  // a backspace takes the last unit
            code == 8 ? text.erase(text.empty() ? 0 : text.size() - 1) : text += char16_t(code);
            User(box, [&](auto& control) { control.UserEdit(code != 0 ? text : control.text()); });
        }
    }
    // The changes since the last call as "HKCU:Name = dword 1", "delete HKLM:Name"; only those
    // under `key` when one is given.
    Lines Journal(const std::u16string& key = u"") {
        Lines lines;
        for (std::u16string line : std::exchange(store.journal, {})) {
            const auto hive = line.find(u" HK") + 1,
                       name = line.rfind(u'\\', line.find(u" = ")) + 1;
            if (key.empty() || line.substr(hive + 5, name - hive - 6) == key) {
                line.replace(hive + 4, name - hive - 4, u":");
                lines.push_back(line.substr(line.starts_with(u"set ") ? 4 : 0));
            }
        }
        return lines;
    }
    Lines Messages() { return std::exchange(platform.messages, {}); }
    // The controls that are disabled, in layout order.
    std::vector<Box> Disabled() {
        std::vector<Box> boxes;
        for (const app::LayoutRow& row : app::kLayout) {
            (*form.*row.control).enabled() ? void() : boxes.push_back(row.control);
        }
        return boxes;
    }

    support::MemoryRegistry store;
    support::ScriptedPlatform platform;
    std::optional<F> form;
};

TEST_F(Form, EachSwitchShowsWhatIsStoredAndWritesEachChange) {
    const std::u16string kAuto = kCV + u"Explorer\\AutoComplete", kZone = kSettings + u"\\Zones\\0",
                         kCache = kSettings + u"\\Cache",
                         kZoneMap =
                             u"SOFTWARE" + kSettings.substr(8) + u"\\ZoneMap\\ProtocolDefaults";
    // box, where its value is, what is stored, the box at start, what start-up and a click write
    const std::tuple<Box, registry::Key, std::u16string, std::u16string, std::u16string, int, Lines,
                     Lines>
        cases[] = {
            // clang-format off
        {&F::chkAutoAppend, kUser, kAuto, u"Append Completion", u"", 1, {u"HKCU:Append Completion = sz \"yes\""}, {u"HKCU:Append Completion = sz \"no\""}},
        {&F::chkAutoAppend, kUser, kAuto, u"Append Completion", u"sz no", 0, {}, {u"HKCU:Append Completion = sz \"yes\""}},
        {&F::chkAutoAppend, kUser, kAuto, u"Append Completion", u"sz No", 1, {u"HKCU:Append Completion = sz \"yes\""}, {u"HKCU:Append Completion = sz \"no\""}},
        {&F::chkPassCach, kUser, kSettings, u"DisablePasswordCaching", u"sz 1", 1, {u"HKCU:DisablePasswordCaching = dword 1"}, {u"HKCU:DisablePasswordCaching = dword 0"}},
        {&F::chkPassCach, kUser, kSettings, u"DisablePasswordCaching", u"dword 2", 0, {}, {u"HKCU:DisablePasswordCaching = dword 1"}},
        {&F::chkIEErr, kMachine, kMain, u"IEWatsonDisabled", u"dword 1", 1, {u"HKLM:IEWatsonDisabled = dword 1", u"HKLM:IEWatsonEnabled = dword 0"}, {u"delete HKLM:IEWatsonDisabled", u"delete HKLM:IEWatsonEnabled"}},
        {&F::chkHideWeb, kUser, kMain, u"FavIntelliMenus", u"sz Yes", 0, {}, {u"HKCU:FavIntelliMenus = sz \"yes\""}},
        {&F::chkHideWeb, kUser, kMain, u"FavIntelliMenus", u"sz yes", 1, {u"HKCU:FavIntelliMenus = sz \"yes\""}, {u"HKCU:FavIntelliMenus = sz \"no\""}},
        {&F::chkUpdate, kUser, kMain, u"NoUpdateCheck", u"", 1, {u"HKCU:NoUpdateCheck = dword 0"}, {u"HKCU:NoUpdateCheck = dword 1"}},
        {&F::chkAbout, kMachine, kZoneMap, u"about", u"dword 4", 1, {u"HKLM:about = dword 4", u"HKLM:about: = dword 4"}, {u"delete HKLM:about", u"delete HKLM:about:"}},
        {&F::chkIcon, kUser, kPolicy, u"NoInternetIcon", u"dword 1", 1, {u"HKCU:NoInternetIcon = dword 1"}, {u"delete HKCU:NoInternetIcon"}},
        {&F::chkSecurityZone, kUser, kZone, u"Flags", u"dword 3", 0, {}, {u"HKCU:Flags = dword 1"}},
        {&F::chkSecurityZone, kUser, kZone, u"Flags", u"dword 1", 1, {u"HKCU:Flags = dword 1"}, {u"HKCU:Flags = dword 33"}},
        {&F::chkCache, kUser, kCache, u"Persistent", u"", 1, {u"HKCU:Persistent = dword 0"}, {u"HKCU:Persistent = dword 1"}},
            // clang-format on
        };
    Start();
    const Lines fresh = Journal();  // in loader order
    EXPECT_EQ(fresh,
              (Lines{u"HKCU:Append Completion = sz \"yes\"", u"HKCU:NoUpdateCheck = dword 0",
                     u"HKCU:MaxConnectionsPerServer = dword 2",
                     u"HKCU:MaxConnectionsPer1_0Server = dword 2", u"HKCU:Persistent = dword 0"}));
    for (const auto& [box, root, path, name, stored, shown, startWrites, clickWrites] : cases) {
        SCOPED_TRACE(testing::PrintToString(name + u" " + stored));
        store = support::MemoryRegistry();
        store.Seed(kMachine, kIE, u"Version", u"sz 6");
        store.Seed(root, path, name, stored);
        Start();
        EXPECT_EQ((*form.*box).value(), shown);
        Lines writes = Journal(path);  // this switch's among the start's
        std::erase_if(writes, [&](auto& line) {
            return std::ranges::count(fresh, line) > std::ranges::count(startWrites, line);
        });
        EXPECT_EQ(writes, startWrites);
        Click(box);
        EXPECT_EQ(Journal(path), clickWrites);
        EXPECT_EQ(Messages(), Lines{});
        // The tooltip names the value, and says when a change needs administrator rights.
        const std::u16string& tip = (*form.*box).tooltip();
        EXPECT_TRUE(tip.starts_with((root == kUser ? u"HKCU\\" : u"HKLM\\") + path + u", ") &&
                    tip.find(name) != std::u16string::npos);
        EXPECT_EQ(tip.find(u"administrator") != std::u16string::npos, root == kMachine);
    }
}

TEST_F(Form, TheVersionGateAndFailuresReportedByTheProcedureThatGuardsItself) {
    std::vector<Box> off;  // the toolbar's 22 while it is off
    std::ranges::transform(kButtons, std::back_inserter(off), [](auto& b) { return b.first; });
    const std::tuple<std::u16string, bool, std::vector<Box>> cases[] = {
        // clang-format off
        {u"sz 6.0.2800.1106", false, off}, {u"dword 6", false, off}, {u"sz 4.72.3110.8", true, {}},
        {u"sz 10.0.9200.16384", true, {}}, {u"", true, {}}};  // clang-format on
    for (const auto& [version, refused, disabled] : cases) {
        store = support::MemoryRegistry();
        store.Seed(kMachine, kIE, u"Version", version);
        Start();
        EXPECT_EQ(form->lblVersion.text(), version.substr(version.find(u' ') + 1));
        EXPECT_EQ(form->closedDuringLoad(), refused);
        EXPECT_EQ(Disabled(), disabled) << testing::PrintToString(version);
        EXPECT_EQ(Messages().size(), refused ? 1u : 0u);
        std::int16_t cancel = 0;
        form->Form_Unload(cancel);
        // After a refused start no loader ran, and a value never read is never written.
        EXPECT_EQ(Journal().empty(), refused);
    }
    store = support::MemoryRegistry();
    store.Seed(kMachine, kIE, u"Version", u"sz 5.50.4807.2300");  // the two late switches off
    store.Seed(kUser, kPolicy, u"NoInternetIcon", u"dword 32768");
    store.Seed(kMachine, kMain, u"IEWatsonDisabled", u"sz yes");
    store.Seed(kUser, kPolicy, u"NoToolbarCustomize", 3, {1, 0});  // bytes are no number
    Start();
    EXPECT_EQ(Messages(), (Lines{u"Select_Buttons: Error: 13. Type mismatch",
                                 u"Error_Reporting: Error: 13. Type mismatch",
                                 u"Form_Load: Error: 6. Overflow"}));
    // Select_Buttons stopped before touching the 22; the loaders after the overflow did not run.
    EXPECT_EQ(Disabled(), (std::vector<Box>{&F::chkIEErr, &F::chkSecurityZone}));
    EXPECT_EQ(form->chkIEErr.value() + form->chkCache.value(), 0);
    User(&F::cmdHelp, [](auto&) { throw std::runtime_error("not the toolkit's own"); });
    EXPECT_EQ(Messages(), Lines{u"Korvane: Error: 51. Internal error"});
}

TEST_F(Form, TheToolbarSwitchNestsEachButtonsWriteInsideItsReload) {
    store.Seed(kUser, kPolicy, u"NoToolbarCustomize", u"dword 5");
    store.Seed(kUser, kPolicy, u"Btn_Stop", u"sz 2");
    store.Seed(kUser, kPolicy, u"Btn_Cut", u"dword 3");
    Start();
    Lines expected;
    for (const auto& [button, name] : kButtons) {  // each box's own click runs inside its reload
        const bool clear = name == u"Btn_Stop";
        expected.insert(expected.end(), clear ? 1 : 2,
                        u"HKCU:" + name + (clear ? u" = dword 2" : u" = dword 1"));
        EXPECT_EQ((*form.*button).value(), clear ? 0 : 1);
    }
    expected.insert(expected.end(), {u"HKCU:NoToolbarCustomize = dword 1",
                                     u"HKCU:SpecifyDefaultButtons = dword 1"});
    Lines toolbar = Journal();
    toolbar.resize(expected.size());
    EXPECT_EQ(toolbar, expected);
    EXPECT_EQ(Disabled(), std::vector<Box>{});
    Click(&F::chkFullScreen);
    Click(&F::chkPrintPreview);
    Click(&F::chkSelect);
    EXPECT_EQ(
        Journal(),
        (Lines{u"HKCU:Btn_Fullscreen = dword 2", u"HKCU:Btn_PrintPreview = dword 2",
               u"HKCU:NoToolbarCustomize = dword 0", u"HKCU:SpecifyDefaultButtons = dword 0"}));
    EXPECT_EQ(Disabled().size(), 22u);
    EXPECT_EQ(form->chkPaste.value() - form->chkStop.value(), 1);  // ticks stay
    EXPECT_EQ(form->chkBack.tooltip(),
              u"HKCU\\" + kPolicy + u", \"Btn_Back\": 1 when ticked, 2 when clear.");
}

TEST_F(Form, TextSettingsAndActions) {
    store.Seed(kUser, kSettings, u"MaxConnectionsPerServer", u"dword 4");
    store.Seed(kUser, kSettings, u"MaxConnectionsPer1_0Server", u"dword 8");
    store.Seed(kUser, kIE, u"Download Directory", u"sz C:\\Down");
    store.Seed(kUser, kIE + u"\\TypedURLs\\Sub", u"url1", u"sz http://a/");
    for (const auto name : {u"SmBrandBitmap", u"BrandBitmap"}) {
        store.Seed(kUser, kIE + u"\\Toolbar", name, u"sz x.bmp");
    }
    store.Seed(kUser, kIE + u"\\Toolbar", u"BackBitmap", 3, {'A', 0, 'B', 0, 0, 0, 'C'});  // UTF-16
    Start();
    EXPECT_EQ(form->txtBackground.text(), u"AB");  // a box holds no NUL: it shows what it writes
    EXPECT_EQ(Journal(),
              (Lines{u"HKCU:Append Completion = sz \"yes\"", u"HKCU:BackBitmap = sz \"AB\"",
                     u"HKCU:NoUpdateCheck = dword 0", u"HKCU:MaxConnectionsPerServer = dword 4",
                     u"HKCU:MaxConnectionsPer1_0Server = dword 4", u"HKCU:Persistent = dword 0"}));
    Type(&F::txtDownload, u"\b1x-.0\b");
    // clang-format off
    EXPECT_EQ(Journal(), (Lines{u"delete HKCU:MaxConnectionsPerServer", u"delete HKCU:MaxConnectionsPer1_0Server",
                                u"HKCU:MaxConnectionsPerServer = dword 1", u"HKCU:MaxConnectionsPer1_0Server = dword 1",
                                u"HKCU:MaxConnectionsPerServer = dword 10", u"HKCU:MaxConnectionsPer1_0Server = dword 10",
                                u"HKCU:MaxConnectionsPerServer = dword 1", u"HKCU:MaxConnectionsPer1_0Server = dword 1"}));
    // clang-format on
    User(&F::txtDownload, [](auto& box) { box.UserEdit(u"2147483648"); });  // pasted
    EXPECT_EQ(Messages(), Lines(2, u"RegistrySetKeyValue: Error: 6. Overflow"));

    // An emoji arrives as two units: the lone first half is kept as it is, never replaced.
    Type(&F::txtIETitle, u"a\xD83D\xDE00");
    Type(&F::txtDefaultDir, u"x");  // the directory changes only through the picker
    platform.folder = [] { return u"C:\\Pick"; };
    Click(&F::cmdDir);
    platform.folder = [] { return u""; };
    Click(&F::cmdDir);
    platform.openFile = u"C:\\x\\y.bmp";
    Click(&F::cmdBackground);
    platform.openFile.reset();
    Click(&F::cmdBackground);
    Click(&F::cmdClear);  // a key with sub keys stays
    Click(&F::cmdRestore);
    platform.appDirectory = u"C:\\";
    Click(&F::cmdHelp);
    std::int16_t cancel = 0;
    form->Form_Unload(cancel);
    form->Form_Unload(cancel);  // a second close request while the first runs
    EXPECT_EQ(Journal(),
              (Lines{u"HKCU:Window Title = sz \"a\"", u"HKCU:Window Title = sz \"a\xD83D\"",
                     u"HKCU:Window Title = sz \"a\xD83D\xDE00\"",
                     u"HKCU:Download Directory = sz \"C:\\Pick\"",
                     u"HKCU:BackBitmap = sz \"C:\\x\\y.bmp\"",
                     u"HKCU:BackBitmap = sz \"C:\\x\\y.bmp\"", u"delete HKCU:BrandBitmap",
                     u"delete HKCU:SmBrandBitmap", u"HKCU:BackBitmap = sz \"C:\\x\\y.bmp\""}));
    EXPECT_EQ(form->txtDefaultDir.tooltip(), u"C:\\Pick");
    EXPECT_EQ(platform.notepad, Lines{u"notepad.exe C:\\\\readme.txt"});
    EXPECT_EQ(Messages(), Lines{});
}

TEST_F(Form, AChangeRefusedForLackOfRightsIsUndoneAndOffersARestartAsAdministrator) {
    store.Seed(kMachine, kMain, u"IEWatsonDisabled", u"dword 1");
    store.Seed(kUser, kIE + u"\\TypedURLs", u"url1", u"sz http://a/");
    for (const auto& [root, path] : {std::pair{kMachine, kMain}, {kUser, kPolicy}, {kUser, kIE}}) {
        store.SetReadOnly(root, path);
    }
    Start();
    Journal();
    Click(&F::chkPassCach);  // start-up's refused write-back stays silent, then and later
    EXPECT_EQ(Messages(), Lines{});
    const std::u16string offer =
        u"Korvane? This setting needs administrator rights.\r\n"
        u"Restart Korvane as administrator to change it?";
    Click(&F::chkIEErr);
    Click(&F::chkSelect);  // its 22 boxes are enabled, reloaded, and all put back
    EXPECT_EQ(Messages(), Lines(2, offer));
    EXPECT_EQ(form->chkIEErr.value() - form->chkSelect.value() - form->chkBack.value(), 1);
    EXPECT_EQ(Disabled().size(), 22u);
    Click(&F::chkBack);  // disabled: the user cannot
    EXPECT_EQ(Journal(), Lines{u"HKCU:DisablePasswordCaching = dword 1"});
    // A picker opened from the window while the first is open, where the user ticks a box and
    // cancels: that accepted change stays when the first picker's own write is refused.
    int pickers = 0;
    platform.folder = [&]() -> std::u16string {
        if (++pickers == 1) {
            Click(&F::cmdDir);
            return u"C:\\Pick";
        }
        Click(&F::chkCache);
        return u"";
    };
    Click(&F::cmdDir);
    Type(&F::txtIETitle, u"ab");
    Click(&F::cmdRestore);  // deleting what is not there is no refusal
    Click(&F::cmdClear);
    EXPECT_EQ(Messages(),
              Lines(3,
                    u"Korvane: This setting could not be changed: it needs administrator "
                    u"rights.\r\nStart Korvane as administrator to change it."));
    EXPECT_EQ(form->chkCache.value(), 0);
    EXPECT_EQ(form->txtIETitle.text(), u"ab");  // told once, and keeps its text
    EXPECT_EQ(Journal(), Lines{u"HKCU:Persistent = dword 1"});
    platform.elevated = true;
    Click(&F::chkIEErr);
    Click(&F::cmdClear);
    EXPECT_EQ(Messages(), Lines(2,
                                u"Korvane: This setting could not be changed: the permissions of "
                                u"its registry key refuse the change even to administrators."));
    EXPECT_EQ(form->chkIEErr.value(), 1);
}

TEST_F(Form, ARestartAsAdministratorTakesOverTheClickAndItsNotice) {
    store.SetReadOnly(kUser, kPolicy);
    Start(u"S-1-5-21-5");
    EXPECT_EQ(form->chkIcon.tooltip(),
              u"HKEY_USERS\\S-1-5-21-5\\" + kPolicy +
                  u", \"NoInternetIcon\": 1 when ticked, deleted when clear.");
    platform.yes = true;
    Click(&F::chkIcon);
    User(&F::chkIcon, [](auto& box) { box.UserMouseUp(); });  // the restart took over: no notice
    EXPECT_EQ(Messages(), Lines{u"Korvane? This setting needs administrator rights.\r\n"
                                u"Restart Korvane as administrator to change it?"});
    EXPECT_EQ(platform.restarts, Lines{u"/user:S-1-5-21-5 /check:35=1"});
    EXPECT_TRUE(platform.closed);
    EXPECT_EQ(form->chkIcon.value(), 0);
    // Restarted, still without the rights: told, never offered again, and no notice.
    Start();
    form->RepeatCheck(35, 1);
    Click(&F::chkIcon);
    EXPECT_EQ(Messages(), Lines(2,
                                u"Korvane: This setting could not be changed: it needs "
                                u"administrator rights.\r\nStart Korvane as administrator to "
                                u"change it."));
}

TEST_F(Form, EveryChangeIsRecordedBeforeItIsMadeAndUndoExportAndImportCarryTheSettings) {
    using registry::RegValue;
    const RegValue was1{u"DisablePasswordCaching", registry::kRegSz, {'1', 0, 0, 0}, 0};
    store.Seed(kUser, kSettings, was1.name, u"sz 1");
    store.Seed(kUser, kIE + u"\\TypedURLs", u"url1", u"sz http://a/");
    Start(u"S-1-5-21-5");
    Click(&F::chkPassCach);
    Click(&F::chkPassCach);  // a value is recorded once, before its first change
    Click(&F::cmdClear);
    Journal();
    form->UndoChanges();  // every box then shows what is stored, and writes nothing back
    EXPECT_EQ(Journal(),
              (Lines{u"delete HKCU:Append Completion", u"HKCU:DisablePasswordCaching = sz \"1\"",
                     u"delete HKCU:MaxConnectionsPerServer",
                     u"delete HKCU:MaxConnectionsPer1_0Server", u"delete HKCU:NoUpdateCheck",
                     u"delete HKCU:Persistent", u"HKCU:url1 = sz \"http://a/\""}));
    EXPECT_EQ(form->chkPassCach.value(), 1);

    platform.openFile = u"C:\\e.reg";  // export: the user's values under HKEY_CURRENT_USER
    form->ExportSettings();
    const auto exported = registry::ReadRegFile(platform.files.at(u"C:\\e.reg"), platform).keys;
    EXPECT_EQ(exported[1].path, u"HKEY_CURRENT_USER\\" + kSettings);
    EXPECT_EQ(exported[1].values[0].data, was1.data);

    // Imports: refused whole, or put back when the registry refuses a value on the way.
    store.SetReadOnly(kMachine, kMain);
    const RegValue seven{was1.name, registry::kRegDword, {7, 0, 0, 0}, 0};
    // clang-format off
    const std::tuple<std::u16string, RegValue, int, std::u16string> imports[] = {
        {u"HKEY_CURRENT_USER\\" + kMain, {u"Other", {}, {}, 0}, 1, u", line 7: \"Other\" in ["},
        {u"HKEY_CURRENT_USER\\Software", {u"Window Title", {}, {}, 0}, 1, u", line 6: [HKEY_CURRENT_USER\\Software] holds"},
        {u"HKEY_USERS\\S-1-5-21-6\\" + kSettings, seven, 1, u", line 6: [HKEY_USERS\\S-1-5-21-6"},
        {u"hkey_local_machine\\" + kMain, {u"IEWatsonDisabled", 4, {1, 0, 0, 0}, 0}, 2, u"The registry refused \"IEWatsonDisabled\""}};
    // clang-format on
    for (const auto& [path, value, exitCode, said] : imports) {
        platform.files[u"i.reg"] = registry::WriteRegFile(
            {{u"HKEY_USERS\\s-1-5-21-5\\" + kSettings, {seven}, 0}, {path, {value}, 0}});
        const F::Outcome outcome = form->Import(u"i.reg");
        EXPECT_EQ(outcome.exitCode, exitCode);
        EXPECT_NE(outcome.message.find(said), std::u16string::npos)
            << testing::PrintToString(outcome.message);
        const Lines putBack = {u"HKCU:DisablePasswordCaching = dword 7",
                               u"HKCU:DisablePasswordCaching = sz \"1\""};
        EXPECT_EQ(Journal(), exitCode == 1 ? Lines{} : putBack);
    }

    platform.saveFails = true;  // a new run whose record cannot be written changes nothing
    Start();
    EXPECT_EQ(Messages(), Lines{});  // its start-up write-backs are skipped silently
    Click(&F::chkPassCach);
    EXPECT_EQ(form->chkPassCach.value(), 1);
    EXPECT_EQ(Journal(), Lines{});
    EXPECT_EQ(Messages(), Lines{u"Korvane: Korvane could not write its undo record, \"C:\\Undo\\"
                                u"2026-12-07 10.00.00.reg\", so the setting was not changed."});
}

}  // namespace

// korvane.exe end to end, on a seeded registry, worked like a user from this process. A message
// box opened by a handler blocks a SendMessage to it: hence SendMessageTimeout throughout.
#include <windows.h>

#include <sddl.h>

#include <algorithm>

#include "tests/win32/program.h"

namespace {

using namespace e2e;

class EndToEnd : public testing::Test {
protected:
    void SetUp() override {
        for (const auto path : {kMain, kToolbar, kSettings, kPolicy}) {
            RegDeleteTreeW(kUser, path);
        }
        RegDeleteKeyValueW(kMachine, kMain, L"IEWatsonDisabled");
    }
};

TEST_F(EndToEnd, ClicksWriteAtOnceAndTheRestartNoticeComesOnce) {
    Seed(kUser, kSettings, L"DisablePasswordCaching", L"1");
    Seed(kUser, kPolicy, L"Btn_Stop", L"2");
    Program program;
    program.Click(&F::chkPassCach);  // ticked at start: a click clears it
    EXPECT_EQ(Stored(kUser, kSettings, L"DisablePasswordCaching"), L"dword 0");
    const std::wstring lasting = kSettings + std::wstring(L"\\Cache\\Lasting");  // the key it made
    Seed(kUser, lasting.c_str(), L"N", L"1");  // is no volatile one: it takes a lasting sub key
    EXPECT_EQ(Stored(kUser, lasting.c_str(), L"N"), L"sz 1");

    program.Click(&F::chkIcon, MAKELPARAM(-40, -40));  // released away: neither click nor notice
    EXPECT_EQ(program.Answer(), L"");
    program.Click(&F::chkIcon);
    EXPECT_EQ(program.Answer(),
              L"Korvane: You need to restart before this setting will take effect.");
    EXPECT_TRUE(WaitFor([&] { return program.Focused(&F::chkIcon); }));
    EXPECT_EQ(Stored(kUser, kPolicy, L"NoInternetIcon"), L"dword 1");
    program.Click(&F::chkIcon);
    EXPECT_EQ(program.Answer(), L"");

    program.Click(&F::chkSelect);
    // At the screen's resolution, each in its container; all enabled now, Tab goes by tab index.
    ExpectLaidOut(program.window_, GetDeviceCaps(GetDC(nullptr), LOGPIXELSY));
    EXPECT_EQ(GetWindowLongW(program.window_, GWL_STYLE) &
                  (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX),
              0L);
    auto rows = app::kLayout;
    std::ranges::sort(rows, {}, &app::LayoutRow::tabIndex);
    HWND next = program.Control(&F::txtBackground);
    for (const app::LayoutRow& row : rows) {
        const HWND control = program.Control(row.control);
        if (row.kind != toolkit::Kind::Label && row.kind != toolkit::Kind::Frame &&
            row.container != &F::Frame7) {  // the hidden group never takes the focus
            EXPECT_EQ(control, next) << "tab index " << row.tabIndex;
            next = GetNextDlgTabItem(program.window_, control, FALSE);
        }
    }
    EXPECT_EQ(next, program.Control(&F::txtBackground));
}

TEST_F(EndToEnd, TextOfAnyScriptIsKeptAsTypedAndTooltipsSayItAsItIs) {
    const std::wstring title = L"\u03A9mega \u6771\u4EAC \U0001F600";
    Seed(kUser, kMain, L"Window Title", title);
    Program program;
    EXPECT_TRUE(WaitFor([&] { return program.Focused(&F::txtBackground); }));  // nested, yet first
    program.Type(&F::txtIETitle, L"\U0001F600 & !");  // one WM_CHAR per UTF-16 unit
    EXPECT_EQ(Stored(kUser, kMain, L"Window Title"), L"sz " + title + L"\U0001F600 & !");
    EXPECT_EQ(program.Tip(&F::txtIETitle), title + L"\U0001F600 & !");  // its text, kept current
    EXPECT_EQ(program.Tip(&F::chkIEErr),
              L"HKLM\\Software\\Microsoft\\Internet Explorer\\Main, IEWatsonDisabled = 1 and "
              L"IEWatsonEnabled = 0 when ticked, both deleted when clear.\r\nChanging it needs "
              L"administrator rights.");
    program.Type(&F::txtDownload, L"5x");  // from 2: a digit, and a letter it refuses
    EXPECT_EQ(Text(program.Control(&F::txtDownload)), L"25");
    program.Type(&F::txtDownload, L"\b");  // a Backspace: both values follow
    EXPECT_EQ(Stored(kUser, kSettings, L"MaxConnectionsPerServer"), L"dword 2");
    EXPECT_EQ(Stored(kUser, kSettings, L"MaxConnectionsPer1_0Server"), L"dword 2");

    // Messages from elsewhere: no private message, and a WM_COMMAND from no control, clicks.
    for (const UINT message : {WM_APP + 2, WM_APP + 1, WM_COMMAND}) {
        PostMessageW(program.window_, message, GetDlgCtrlID(program.Control(&F::chkIcon)), 0x1234);
    }
    EXPECT_EQ(program.Answer(), L"");
    EXPECT_EQ(Stored(kUser, kPolicy, L"NoInternetIcon"), L"none");
    EXPECT_EQ(WaitForSingleObject(program.process_.hProcess, 0), WAIT_TIMEOUT);  // still there
}

TEST_F(EndToEnd, ARefusedChangeIsUndoneAndWithoutAdministratorRightsARestartMakesIt) {
    // The machine key made read-only, as it is for a user without administrator rights.
    HKEY key = nullptr;
    alignas(8) char saved[4096] = {};
    DWORD size = sizeof(saved);
    PSECURITY_DESCRIPTOR readOnly = nullptr;
    RegOpenKeyExW(kMachine, kMain, 0, READ_CONTROL | WRITE_DAC, &key);
    RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, saved, &size);
    ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;KR;;;WD)", SDDL_REVISION_1,
                                                         &readOnly, nullptr);
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, readOnly), 0);
    LocalFree(readOnly);
    Program limited(L"", true);
    const std::wstring offer =
        L"Korvane: This setting needs administrator rights.\r\nRestart Korvane as administrator "
        L"to change it?";
    limited.Click(&F::chkIEErr);
    EXPECT_EQ(limited.Answer(IDNO), offer);
    EXPECT_NE(Send(limited.Control(&F::chkIEErr), BM_GETCHECK), BST_CHECKED);
    limited.Click(&F::chkIEErr);
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, saved);  // what an administrator may do
    RegCloseKey(key);
    EXPECT_EQ(limited.Answer(IDYES), offer);
    EXPECT_TRUE(limited.Exited());
    HWND again = nullptr;  // the restarted program, which repeats the click
    EXPECT_TRUE(WaitFor([&] { return (again = FindWindowW(L"Korvane.frmKorvane", nullptr)); }));
    const HWND box = Find(again, app::kFirstControlId + app::RowOf(&F::chkIEErr).tabIndex);
    EXPECT_TRUE(WaitFor([&] { return Send(box, BM_GETCHECK) == BST_CHECKED; }));
    EXPECT_EQ(Stored(kMachine, kMain, L"IEWatsonDisabled"), L"dword 1");
    PostMessageW(again, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(again); }));
}

TEST_F(EndToEnd, AnotherUsersSettingsAreShownAndChangedUnderHisKeyAndABadUserIsRefused) {
    const std::wstring sid = L"S-1-5-21-7-8-9-1001", settings = sid + L"\\" + kSettings;
    Seed(HKEY_USERS, settings.c_str(), L"DisablePasswordCaching", L"1");
    {
        Program program(L"/user:" + sid);
        EXPECT_EQ(Text(program.window_), L"Korvanelle - settings of " + sid);
        program.Click(&F::chkPassCach);  // ticked, as he stored it
        EXPECT_EQ(Stored(HKEY_USERS, settings.c_str(), L"DisablePasswordCaching"), L"dword 0");
    }  // closing writes BackBitmap once more, his
    EXPECT_EQ(Stored(HKEY_USERS, (sid + L"\\" + kToolbar).c_str(), L"BackBitmap"), L"sz ");
    EXPECT_EQ(Stored(kUser, kSettings, L"DisablePasswordCaching"), L"none");
    RegDeleteTreeW(HKEY_USERS, sid.c_str());
    // Refused starts: a message, no window, nothing written. The version is read in the
    // program's own (32-bit) view: the 64-bit one, which it does not read, says 9.
    const std::wstring version = Stored(kMachine, kIE, L"Version").substr(3);
    Seed(kMachine, kIE, L"Version", L"9.0", KEY_WOW64_64KEY);
    Seed(kUser, kToolbar, L"BackBitmap", L"keep.bmp");
    for (const auto& [argument, said] :
         {std::pair{L"/user:nobody", L"\"nobody\" is not a user's security identifier (SID)."},
          {L"/user:S-1-5-21-7-8-9-1001",
           L"The settings of the user S-1-5-21-7-8-9-1001 are not loaded on this computer."},
          {L"/check:30=1 x", L"Korvane does not understand its argument \"x\"."},
          {L"/check:0=1", L"Korvane does not understand its argument \"/check:0=1\"."},
          {L"/user:a /user:a", L"Korvane does not understand its argument \"/user:a\"."},
          {L"",
           L"You need to have Internet Explorer 5 or higher to use this program\r\ndownload "
           L"at https://www.microsoft.com/download/internet-explorer"}}) {
        Seed(kMachine, kIE, L"Version", *argument ? version : L"4.72.3110.8");
        Program program(argument);
        EXPECT_EQ(program.Answer(), L"Korvane: " + std::wstring(said));
        EXPECT_TRUE(program.Exited());
        EXPECT_EQ(program.window_, nullptr);
    }
    Seed(kMachine, kIE, L"Version", version);
    EXPECT_EQ(Stored(kUser, kToolbar, L"BackBitmap"), L"sz keep.bmp");
}

}  // namespace

// korvane.exe end to end, on a seeded registry, worked like a user from this process. A message
// box opened by a handler blocks a SendMessage to it: hence SendMessageTimeout throughout.
#include <windows.h>

#include <gtest/gtest.h>
#include <sddl.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <source_location>
#include <string>
#include <thread>

#include "app/layout.h"

namespace {

using F = app::frmKorvane;
using Box = toolkit::Control F::*;
const HKEY kUser = HKEY_CURRENT_USER, kMachine = HKEY_LOCAL_MACHINE;
constexpr auto kIE = L"Software\\Microsoft\\Internet Explorer";
constexpr auto kMain = L"Software\\Microsoft\\Internet Explorer\\Main";
constexpr auto kToolbar = L"Software\\Microsoft\\Internet Explorer\\Toolbar";
constexpr auto kTyped = L"Software\\Microsoft\\Internet Explorer\\TypedURLs";
constexpr auto kSettings = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr auto kPolicy = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

// Stores text, in the program's own (32-bit) view unless told otherwise.
void Seed(HKEY root, const wchar_t* path, const wchar_t* name, const std::wstring& text,
          REGSAM view = KEY_WOW64_32KEY) {
    HKEY key = nullptr;
    RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key, nullptr);
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1) * 2);
    RegCloseKey(key);
}

// "dword N", "sz TEXT" or "none".
std::wstring Stored(HKEY root, const wchar_t* path, const wchar_t* name) {
    wchar_t data[1024] = {};
    DWORD type = 0, size = sizeof(data) - 2;
    if (RegGetValueW(root, path, name, RRF_RT_ANY | RRF_SUBKEY_WOW6432KEY, &type, data, &size)) {
        return L"none";
    }
    return type == REG_DWORD ? L"dword " + std::to_wstring(*reinterpret_cast<DWORD*>(data))
                             : L"sz " + std::wstring(data);
}

bool WaitFor(const std::function<bool()>& done, int ms = 20000) {
    for (int waited = 0; waited < ms && !done(); waited += 20) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return done();
}

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 1500, &result);
    return static_cast<LRESULT>(result);
}

std::wstring Text(HWND window) {
    wchar_t text[1024] = {};
    Send(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

// The descendant of `parent` with this id.
HWND Find(HWND parent, int id) {
    HWND found = GetDlgItem(parent, id);
    for (HWND child = GetWindow(parent, GW_CHILD); child && !found;
         child = GetWindow(child, GW_HWNDNEXT)) {
        found = Find(child, id);
    }
    return found;
}

// korvane.exe, started from beside this test; closed and waited for when it goes.
class Program {
public:
    Program() {
        wchar_t command[] = L"korvane.exe";  // found first in this test's own directory
        STARTUPINFOW startup{sizeof(startup)};
        CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process_);
        WaitFor([&] { return (window_ = Top(L"Korvane.frmKorvane")) || Top(L"#32770"); });
    }
    ~Program() {
        PostMessageW(window_, WM_CLOSE, 0, 0);
        if (!Exited()) {
            TerminateProcess(process_.hProcess, 1);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    bool Exited() { return WaitForSingleObject(process_.hProcess, 10000) == WAIT_OBJECT_0; }
    // The program's visible top-level window of class `cls`.
    HWND Top(const wchar_t* cls) {
        for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, cls, nullptr));) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == process_.dwProcessId && IsWindowVisible(window)) {
                return window;
            }
        }
        return nullptr;
    }
    HWND Control(Box box) { return Find(window_, app::kFirstControlId + app::RowOf(box).tabIndex); }
    bool Focused(Box box) {
        GUITHREADINFO info{sizeof(info)};
        return GetGUIThreadInfo(process_.dwThreadId, &info) && info.hwndFocus == Control(box);
    }

    // A press and a release of the left button; `release` in the control's client pixels.
    void Click(Box box, LPARAM release = MAKELPARAM(3, 3)) {
        Send(Control(box), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        Send(Control(box), WM_LBUTTONUP, 0, release);
    }
    // Keys typed at the end of a text box.
    void Type(Box box, const std::wstring& keys) {
        Send(Control(box), EM_SETSEL, 0x7FFF, 0x7FFF);
        for (const wchar_t key : keys) {
            Send(Control(box), WM_CHAR, key, 1);
        }
    }
    // The open message box (owned, OK alone, no icon) as "title: prompt", answered; "" if none.
    std::wstring Answer(std::source_location at = std::source_location::current()) {
        HWND box = nullptr;
        WaitFor([&] { return (box = Top(L"#32770")) != nullptr; }, 2000);
        const std::wstring said = box ? Text(box) + L": " + Text(GetDlgItem(box, 0xFFFF)) : L"";
        const testing::ScopedTrace trace(at.file_name(), static_cast<int>(at.line()), "Answer()");
        EXPECT_TRUE(!box || !window_ || GetWindow(box, GW_OWNER) == window_);
        EXPECT_TRUE(!box || (GetDlgItem(box, IDOK) && !GetDlgItem(box, IDCANCEL) &&
                             !GetDlgItem(box, IDYES) && !GetDlgItem(box, IDNO)));
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            EXPECT_EQ(Send(child, STM_GETICON), 0) << "control " << GetDlgCtrlID(child);
        }
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        WaitFor([&] { return !IsWindow(box); });
        return said;
    }

    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

class EndToEnd : public testing::Test {
protected:
    void SetUp() override {
        for (const auto path : {kMain, kToolbar, kTyped, kSettings, kPolicy}) {
            RegDeleteTreeW(kUser, path);
        }
        RegDeleteKeyValueW(kMachine, kMain, L"IEWatsonDisabled");
    }
};

TEST_F(EndToEnd, BelowVersionFiveInItsOwnRegistryViewTheWindowNeverOpens) {
    // The 64-bit view, which the program does not read, says 9 (and keeps saying it).
    const std::wstring version = Stored(kMachine, kIE, L"Version").substr(3);
    Seed(kMachine, kIE, L"Version", L"4.72.3110.8");
    Seed(kMachine, kIE, L"Version", L"9.0", KEY_WOW64_64KEY);
    Seed(kUser, kToolbar, L"BackBitmap", L"keep.bmp");
    {
        Program program;
        EXPECT_EQ(program.Answer(),
                  L"Korvane: You need to have Internet Explorer 5 or higher to use this "
                  L"program\r\ndownload at https://www.microsoft.com/download/internet-explorer");
        EXPECT_TRUE(program.Exited());
        EXPECT_EQ(program.window_, nullptr);
    }
    Seed(kMachine, kIE, L"Version", version);
    EXPECT_EQ(Stored(kUser, kToolbar, L"BackBitmap"), L"sz keep.bmp");
}

TEST_F(EndToEnd, ClicksWriteAtOnceAndTheRestartNoticeComesOnce) {
    Seed(kUser, kSettings, L"DisablePasswordCaching", L"1");
    Seed(kUser, kPolicy, L"Btn_Stop", L"2");
    Program program;
    program.Click(&F::chkPassCach);  // ticked at start: a click clears it
    EXPECT_EQ(Stored(kUser, kSettings, L"DisablePasswordCaching"), L"dword 0");

    program.Click(&F::chkIcon, MAKELPARAM(-40, -40));  // released away: neither click nor notice
    EXPECT_EQ(program.Answer(), L"");
    program.Click(&F::chkIcon);
    EXPECT_EQ(program.Answer(),
              L"Korvane: You need to restart before this setting will take effect.");
    EXPECT_TRUE(WaitFor([&] { return program.Focused(&F::chkIcon); }));
    EXPECT_EQ(Stored(kUser, kPolicy, L"NoInternetIcon"), L"dword 1");
    program.Click(&F::chkIcon);
    EXPECT_EQ(program.Answer(), L"");
    EXPECT_EQ(Stored(kUser, kPolicy, L"NoInternetIcon"), L"none");

    EXPECT_FALSE(IsWindowEnabled(program.Control(&F::chkBack)));
    program.Click(&F::chkSelect);
    // At the screen's resolution, each in its container; all enabled now, Tab goes by tab index.
    const int dpi = GetDeviceCaps(GetDC(nullptr), LOGPIXELSY);
    const auto px = [dpi](int twips) { return MulDiv(twips, dpi, 1440); };
    RECT at{};
    GetClientRect(program.window_, &at);
    EXPECT_EQ(std::tuple(at.right, at.bottom,
                         GetWindowLongW(program.window_, GWL_STYLE) &
                             (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX)),
              std::tuple(px(app::kClientWidthTwips), px(app::kClientHeightTwips), 0L));
    auto rows = app::kLayout;
    std::ranges::sort(rows, {}, &app::LayoutRow::tabIndex);
    HWND next = program.Control(&F::txtBackground);
    for (const app::LayoutRow& row : rows) {
        const HWND control = program.Control(row.control);
        GetWindowRect(control, &at);
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&at), 2);
        EXPECT_EQ(std::tuple(at.left, at.top, at.right - at.left, at.bottom - at.top),
                  std::tuple(px(row.left), px(row.top), px(row.width), px(row.height)));
        if (row.kind != toolkit::Kind::Label && row.kind != toolkit::Kind::Frame &&
            row.container != &F::Frame7) {  // the hidden group never takes the focus
            EXPECT_EQ(control, next) << "tab index " << row.tabIndex;
            next = GetNextDlgTabItem(program.window_, control, FALSE);
        }
    }
    EXPECT_EQ(next, program.Control(&F::txtBackground));
    program.Click(&F::chkFullScreen);
    EXPECT_EQ(Stored(kUser, kPolicy, L"Btn_Fullscreen"), L"dword 2");
}

TEST_F(EndToEnd, TextOfAnyScriptIsShownTypedAndChosenUnchanged) {
    const std::wstring title = L"\u03A9mega \u6771\u4EAC \U0001F600";
    const std::wstring file = L"C:\\users\\Public\\B\u00EFld \u6771.bmp";
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    Seed(kUser, kMain, L"Window Title", title);
    Program program;
    EXPECT_TRUE(WaitFor([&] { return program.Focused(&F::txtBackground); }));  // nested, yet first
    EXPECT_EQ(GetNextDlgTabItem(program.window_, program.Control(&F::txtBackground), TRUE),
              program.Control(&F::cmdHelp));  // Shift+Tab wraps
    EXPECT_EQ(Text(program.Control(&F::txtIETitle)), title);
    EXPECT_EQ(Stored(kUser, kMain, L"Window Title"), L"sz " + title);
    program.Type(&F::txtIETitle, L"!");
    EXPECT_EQ(Stored(kUser, kMain, L"Window Title"), L"sz " + title + L"!");
    // The downloads box from 2: a digit, a letter it refuses, a Backspace; both values follow.
    for (const auto& [keys, shown] : {std::pair{L"5", L"25"}, {L"x", L"25"}, {L"\b", L"2"}}) {
        program.Type(&F::txtDownload, keys);
        EXPECT_EQ(Text(program.Control(&F::txtDownload)), shown);
        for (const auto value : {L"MaxConnectionsPerServer", L"MaxConnectionsPer1_0Server"}) {
            EXPECT_EQ(Stored(kUser, kSettings, value), L"dword " + std::wstring(shown)) << keys;
        }
    }

    program.Click(&F::cmdBackground);
    HWND dialog = nullptr;
    ASSERT_TRUE(
        WaitFor([&] { return (dialog = program.Top(L"#32770")) && Text(dialog) == L"Open"; }));
    // The file name box: the combo box cmb13's edit, or cmb13 itself.
    const HWND combo = GetDlgItem(dialog, 0x47C),
               edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
    Send(edit ? edit : combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
    PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return Text(program.Control(&F::txtBackground)) == file; }));
    EXPECT_EQ(Stored(kUser, kToolbar, L"BackBitmap"), L"sz " + file);
    DeleteFileW(file.c_str());

    for (const UINT message : {WM_APP + 2, WM_APP + 1}) {  // not the window's: ignored
        PostMessageW(program.window_, message, GetDlgCtrlID(program.Control(&F::chkIcon)), 0x1234);
    }
    EXPECT_EQ(program.Answer(), L"");
    program.Click(&F::cmdHelp);  // and the window still answers
    HWND notepad = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (notepad = FindWindowW(L"Notepad", nullptr)) != nullptr; }));
    PostMessageW(notepad, WM_CLOSE, 0, 0);
}

TEST_F(EndToEnd, AChangeThatNeedsAdministratorRightsIsToldAndUndoneAndClearWorks) {
    // The machine key made read-only, as it is for a user without administrator rights.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(kMachine, kMain, 0, READ_CONTROL | WRITE_DAC, &key), 0);
    DWORD size = 4096;
    std::string saved(size, '\0');
    RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, saved.data(), &size);
    PSECURITY_DESCRIPTOR readOnly = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(A;;KR;;;WD)", SDDL_REVISION_1,
                                                         &readOnly, nullptr);
    ASSERT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, readOnly), 0);
    Seed(kUser, kTyped, L"url1", L"http://a/");
    {
        Program program;
        program.Click(&F::chkIEErr);
        const std::wstring said = program.Answer();
        EXPECT_TRUE(said.starts_with(L"Korvane: ") && said.find(L"administrator") != said.npos)
            << said;
        EXPECT_NE(Send(program.Control(&F::chkIEErr), BM_GETCHECK), BST_CHECKED);
        EXPECT_EQ(program.Answer(), L"");  // no second message
        program.Click(&F::cmdClear);
    }
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, saved.data());
    RegCloseKey(key);
    LocalFree(readOnly);
    EXPECT_EQ(Stored(kMachine, kMain, L"IEWatsonDisabled"), L"none");
    EXPECT_EQ(Stored(kUser, kTyped, L"url1"), L"none");
    EXPECT_EQ(Stored(kUser, kToolbar, L"BackBitmap"), L"sz ");  // written once more at close
}

}  // namespace

// korvane.exe end to end, on a seeded registry, worked like a user from this process. A message
// box opened by a handler blocks a SendMessage to it: hence SendMessageTimeout throughout.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>
#include <sddl.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <source_location>
#include <string>
#include <thread>

#include "app/layout.h"
#include "app/registry_values.h"
#include "app/win32/main_window.h"

namespace {

using F = app::frmKorvane;
using Box = toolkit::Control F::*;
const HKEY kUser = HKEY_CURRENT_USER, kMachine = HKEY_LOCAL_MACHINE;
constexpr auto kIE = L"Software\\Microsoft\\Internet Explorer";
constexpr auto kMain = L"Software\\Microsoft\\Internet Explorer\\Main";
constexpr auto kToolbar = L"Software\\Microsoft\\Internet Explorer\\Toolbar";
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

// korvane.exe with `arguments`, started from beside this test (`limited`: with the token of a
// normal start under UAC); closed and waited for when it goes.
class Program {
public:
    explicit Program(const std::wstring& arguments = L"", bool limited = false) {
        std::wstring command = L"korvane.exe " + arguments;  // the one in this test's directory
        HANDLE own = nullptr, token = nullptr;  // UAC's token of a normal start: not elevated
        TOKEN_LINKED_TOKEN linked{};
        DWORD size = 0;
        if (limited && OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &own) &&
            GetTokenInformation(own, TokenLinkedToken, &linked, sizeof(linked), &size)) {
            DuplicateTokenEx(linked.LinkedToken, MAXIMUM_ALLOWED, nullptr, SecurityImpersonation,
                             TokenPrimary, &token);
        }
        STARTUPINFOW startup{sizeof(startup)};
        CreateProcessAsUserW(token, nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &process_);
        for (const HANDLE handle : {own, linked.LinkedToken, token}) {
            CloseHandle(handle);
        }
        WaitFor([&] { return (window_ = Top(L"Korvane.frmKorvane")) || Top(L"#32770"); });
    }
    // The instance that shows `window`, started by another one.
    explicit Program(HWND window) {
        GetWindowThreadProcessId(window, &process_.dwProcessId);
        process_.hProcess = OpenProcess(PROCESS_ALL_ACCESS, FALSE, process_.dwProcessId);
        window_ = Top(L"Korvane.frmKorvane");
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
    // The tooltip of `box`, asked for in the program's own memory, where the control answers.
    std::wstring Tip(Box box) {
        struct Query {
            TTTOOLINFOW tool;
            wchar_t text[512];
        } query{{sizeof(TTTOOLINFOW), 0, GetParent(Control(box)), UINT_PTR(Control(box))}, {}};
        auto* there = static_cast<Query*>(
            VirtualAllocEx(process_.hProcess, nullptr, sizeof(query), MEM_COMMIT, PAGE_READWRITE));
        query.tool.lpszText = there->text;
        WriteProcessMemory(process_.hProcess, there, &query, sizeof(query), nullptr);
        const HWND tips = Tips();  // it shows texts as they are
        EXPECT_EQ(GetWindowLongW(tips, GWL_STYLE) & TTS_NOPREFIX, TTS_NOPREFIX);
        Send(tips, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&there->tool));
        ReadProcessMemory(process_.hProcess, there, &query, sizeof(query), nullptr);
        VirtualFreeEx(process_.hProcess, there, 0, MEM_RELEASE);
        return query.text;
    }
    // The program's tooltip window.
    HWND Tips() {
        HWND tips = nullptr;
        while ((tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr)) &&
               GetWindow(tips, GW_OWNER) != window_) {
        }
        return tips;
    }
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
    std::wstring Answer(int button = IDOK) {
        HWND box = nullptr;
        WaitFor([&] { return (box = Top(L"#32770")) != nullptr; }, 2000);
        const std::wstring said = box ? Text(box) + L": " + Text(GetDlgItem(box, 0xFFFF)) : L"";
        EXPECT_TRUE(!box || !window_ || GetWindow(box, GW_OWNER) == window_);
        const bool ask = button != IDOK;  // Yes and No, else OK alone
        EXPECT_TRUE(!box || (!GetDlgItem(box, IDOK) == ask && !GetDlgItem(box, IDCANCEL) &&
                             !GetDlgItem(box, IDYES) == !ask && !GetDlgItem(box, IDNO) == !ask));
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            EXPECT_EQ(Send(child, STM_GETICON), 0) << "control " << GetDlgCtrlID(child);
        }
        PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
        WaitFor([&] { return !IsWindow(box); });
        return said;
    }

    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

// The name a screen reader hears for `control`, asked the way it asks.
std::wstring Heard(HWND control) {
    IAccessible* object = nullptr;
    BSTR name = nullptr;
    VARIANT self{};
    self.vt = VT_I4;  // and lVal 0, CHILDID_SELF
    if (SUCCEEDED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                             IID_IAccessible, reinterpret_cast<void**>(&object)))) {
        object->get_accName(self, &name);
        object->Release();
    }
    std::wstring heard = name != nullptr ? name : L"(no name)";
    SysFreeString(name);
    return heard;
}

// WM_DPICHANGED as Windows sends it, the suggested frame in the program's memory.
void ChangeDpi(Program& program, int dpi, const RECT& frame) {
    void* there = VirtualAllocEx(program.process_.hProcess, nullptr, sizeof(frame), MEM_COMMIT,
                                 PAGE_READWRITE);
    WriteProcessMemory(program.process_.hProcess, there, &frame, sizeof(frame), nullptr);
    Send(program.window_, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(there));
    VirtualFreeEx(program.process_.hProcess, there, 0, MEM_RELEASE);
}

// At `dpi`: the client area, every control's place and size in its container, and the font,
// "MS Sans Serif" of 8.25 points, as wide in a text box as here. Under Wine neither GetObject
// nor WM_GETFONT tells another process anything of a font; the regular one is measured, and
// the bold and italic ones are made by the same code.
void ExpectLaidOut(Program& program, int dpi,
                   std::source_location at = std::source_location::current()) {
    const testing::ScopedTrace trace(at.file_name(), static_cast<int>(at.line()), dpi);
    const auto px = [dpi](int twips) -> LONG { return MulDiv(twips, dpi, 1440); };
    RECT place{};
    GetClientRect(program.window_, &place);
    const std::pair size{px(app::kClientWidthTwips), px(app::kClientHeightTwips)};
    EXPECT_EQ(std::pair(place.right, place.bottom), size);
    for (const app::LayoutRow& row : app::kLayout) {
        const HWND control = program.Control(row.control);
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
        const std::tuple laidOut{place.left, place.top, place.right - place.left,
                                 place.bottom - place.top};
        const std::tuple wanted{px(row.left), px(row.top), px(row.width), px(row.height)};
        EXPECT_EQ(laidOut, wanted) << "tab index " << row.tabIndex;
        EXPECT_TRUE(place.right > place.left && place.bottom > place.top) << "seen at all";
    }
    const HDC here = CreateCompatibleDC(nullptr);
    const HFONT font = CreateFontW(-MulDiv(825, dpi, 7200), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                   DEFAULT_CHARSET, 0, 0, 0, 0, L"MS Sans Serif");
    SelectObject(here, font);
    SIZE wanted{};
    GetTextExtentPoint32W(here, L"WW", 2, &wanted);
    DeleteDC(here);
    DeleteObject(font);
    const HWND box = program.Control(&F::txtAddDomain);  // hidden: the user sees nothing
    Send(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"WWx"));
    const int width = LOWORD(Send(box, EM_POSFROMCHAR, 2)) - LOWORD(Send(box, EM_POSFROMCHAR, 0));
    EXPECT_EQ(width, wanted.cx);
}

TEST(Everyone, AScreenReaderHearsEachBoxByItsLabelAndEachButtonByWhatItDoes) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Program program;
    const std::pair<Box, std::wstring> heard[] = {
        {&F::txtBackground, L"Select A Background Bitmap for IE Toolbar"},
        {&F::txtIETitle, L"Change the IE Window Title"},
        {&F::txtDownload, L"Maximum # of Concurrent Downloads"},
        {&F::txtDefaultDir, L"Default IE Download Directory"},
        {&F::cmdBackground, L"Browse for the toolbar bitmap"},
        {&F::cmdDir, L"Browse for the download folder"},
        {&F::cmdHelp, L"Help: open the readme"},
        {&F::chkPassCach, L"Disable IE Password Caching"},
    };
    for (const auto& [box, name] : heard) {
        EXPECT_EQ(Heard(program.Control(box)), name);
    }
    CoUninitialize();
}

TEST(Everyone, StartedAt144DpiOrMovedTo144AndBackTheWindowIsLaidOutForItAndGreyedBoxesTipped) {
    const auto logPixels = [](DWORD dpi) {
        RegSetKeyValueW(kUser, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi,
                        sizeof(dpi));
    };
    logPixels(144);
    {
        Program started;
        logPixels(GetDeviceCaps(GetDC(nullptr), LOGPIXELSY));  // this process's, as it started
        ExpectLaidOut(started, 144);
    }  // a bitmap font's face follows the system's DPI: the program starts at this one's
    RegDeleteTreeW(kUser, kPolicy);  // the toolbar's policy is off: its boxes are greyed
    const std::wstring version = Stored(kMachine, kIE, L"Version").substr(3);
    Seed(kMachine, kIE, L"Version", L"5.50.4134.100");  // and two switches with them
    Program program;
    Seed(kMachine, kIE, L"Version", version);
    // Window data that another program overwrote is not where the program finds its objects.
    SetWindowLongPtrW(program.window_, GWLP_USERDATA, 0x1234);
    SetWindowLongPtrW(program.Control(&F::chkBack), GWLP_USERDATA, 0x1234);
    RECT frame{}, client{};
    GetWindowRect(program.window_, &frame);
    GetClientRect(program.window_, &client);
    const LONG edges = frame.right - frame.left - client.right;
    const LONG caption = frame.bottom - frame.top - client.bottom;
    for (const int dpi : {144, 96, 144}) {
        const RECT suggested{40, 30, 40 + MulDiv(app::kClientWidthTwips, dpi, 1440) + edges,
                             30 + MulDiv(app::kClientHeightTwips, dpi, 1440) + caption};
        ChangeDpi(program, dpi, suggested);
        GetWindowRect(program.window_, &frame);
        EXPECT_EQ(std::tuple(frame.left, frame.top, frame.right, frame.bottom),
                  std::tuple(suggested.left, suggested.top, suggested.right, suggested.bottom));
        ExpectLaidOut(program, dpi);
        EXPECT_EQ(Send(program.Tips(), TTM_GETMAXTIPWIDTH),
                  MulDiv(app::kClientWidthTwips, dpi, 1440));
    }
    for (const Box box : {&F::chkBack, &F::chkIEErr}) {  // the pointer really moved over it
        RECT place{};
        GetWindowRect(program.Control(box), &place);
        EXPECT_FALSE(IsWindowEnabled(program.Control(box)));
        SetCursorPos(0, 0);  // away first, or the shown tip follows the pointer by itself
        EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(program.Tips()); }, 5000));
        SetCursorPos(place.left + 6, place.top + 6);
        const std::wstring tip = program.Tip(box);
        EXPECT_TRUE(WaitFor(
            [&] { return IsWindowVisible(program.Tips()) && Text(program.Tips()) == tip; }, 5000));
    }
    // A rectangle outside the program's memory, or a DPI no screen has, moves nothing.
    Send(program.window_, WM_DPICHANGED, MAKEWPARAM(96, 96), 16);
    ChangeDpi(program, 4000, frame);
    ExpectLaidOut(program, 144);
}

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
    // All enabled now, Tab goes by tab index (places and sizes: the test at 144 dpi below).
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
              L"HKLM\\Software\\Microsoft\\Internet Explorer\\Main, \"IEWatsonDisabled\" and "
              L"\"IEWatsonEnabled\": 1 and 0 when ticked, both deleted when clear.\r\nChanging it "
              L"needs administrator rights.");
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

// A visible message box of another instance than `first`'s.
HWND OtherBox(const Program& first) {
    HWND box = nullptr;
    WaitFor([&] {
        for (box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", nullptr));) {
            DWORD owner = 0;
            GetWindowThreadProcessId(box, &owner);
            if (owner != first.process_.dwProcessId && IsWindowVisible(box)) {
                return true;
            }
        }
        return false;
    });
    return box;
}

TEST_F(EndToEnd, ARefusedChangeIsUndoneAndWithoutAdministratorRightsARestartMakesIt) {
    // The policy key made read-only, as a key an administrator locked is for other users.
    HKEY key = nullptr;
    alignas(8) char saved[4096] = {};
    DWORD size = sizeof(saved);
    PSECURITY_DESCRIPTOR readOnly = nullptr;
    RegCreateKeyExW(kUser, kPolicy, 0, nullptr, 0, READ_CONTROL | WRITE_DAC, nullptr, &key,
                    nullptr);
    RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, saved, &size);
    ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;KR;;;WD)", SDDL_REVISION_1,
                                                         &readOnly, nullptr);
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, readOnly), 0);
    LocalFree(readOnly);
    Program limited(L"", true);
    const std::wstring offer =
        L"Korvane: This setting needs administrator rights.\r\nRestart Korvane as administrator "
        L"to change it?";

    // A restart that ends before its window shows (here: it refuses the browser's version)
    // leaves this instance open, with the box as stored.
    const std::wstring version = Stored(kMachine, kIE, L"Version").substr(3);
    limited.Click(&F::chkIcon);
    Seed(kMachine, kIE, L"Version", L"4.72.3110.8");
    EXPECT_EQ(limited.Answer(IDYES), offer);
    Program(OtherBox(limited)).Answer();
    EXPECT_EQ(limited.Answer(),
              L"Korvane: The restart as administrator did not complete: the "
              L"setting was not changed.");
    EXPECT_EQ(limited.Answer(),  // the release's, which the restart did not take over
              L"Korvane: You need to restart before this setting will take effect.");
    Seed(kMachine, kIE, L"Version", version);
    EXPECT_NE(Send(limited.Control(&F::chkIcon), BM_GETCHECK), BST_CHECKED);

    limited.Click(&F::chkIcon);
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, saved);  // what an administrator may do
    RegCloseKey(key);
    EXPECT_EQ(limited.Answer(IDYES), offer);
    // The restarted instance makes the click and shows its notice; this one has gone quietly.
    Program again(OtherBox(limited));
    EXPECT_EQ(again.Answer(),
              L"Korvane: You need to restart before this setting will take effect.");
    EXPECT_TRUE(limited.Exited());
    EXPECT_EQ(Send(again.Control(&F::chkIcon), BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(Stored(kUser, kPolicy, L"NoInternetIcon"), L"dword 1");
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
    Seed(HKEY_USERS, L"S-1-5-18\\Software\\KorvaneTest", L"N", L"1");  // LocalSystem's, loaded
    // Refused starts: a message, no window, nothing written. The version is read in the
    // program's own (32-bit) view: the 64-bit one, which it does not read, says 9.
    const std::wstring version = Stored(kMachine, kIE, L"Version").substr(3);
    Seed(kMachine, kIE, L"Version", L"9.0", KEY_WOW64_64KEY);
    Seed(kUser, kToolbar, L"BackBitmap", L"keep.bmp");
    for (const auto& [argument, said] :
         {std::pair{L"/user:nobody", L"\"nobody\" is not a user's security identifier (SID)."},
          {L"/user:SY", L"\"SY\" is not a user's security identifier (SID)."},
          {L"/user:S-1-5-18", L"\"S-1-5-18\" is not a user's security identifier (SID)."},
          {L"/user:BA", L"\"BA\" is not a user's security identifier (SID)."},
          {L"/user:S-1-5-32-544", L"\"S-1-5-32-544\" is not a user's security identifier (SID)."},
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
    const std::wstring system = L"S-1-5-18\\" + std::wstring(kSettings);  // no write-back there
    EXPECT_EQ(Stored(HKEY_USERS, system.c_str(), L"MaxConnectionsPerServer"), L"none");
    RegDeleteTreeW(HKEY_USERS, L"S-1-5-18\\Software\\KorvaneTest");
}

// Runs `command` (a program beside this test, or the system's) to its end: its exit code.
DWORD RunToEnd(std::wstring command) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    DWORD code = 99;
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    return code;
}

// Every setting as stored, in the table's order.
std::vector<std::wstring> Settings() {
    std::vector<std::wstring> stored;
    for (const app::RegistryValue* value : app::SettingValues()) {
        stored.push_back(Stored(value->root == app::kLocalMachine ? kMachine : kUser,
                                reinterpret_cast<const wchar_t*>(value->key),
                                reinterpret_cast<const wchar_t*>(value->name)));
    }
    return stored;
}

TEST_F(EndToEnd, TheUndoRecordAndAnExportAreFilesRegImportsAndAnImportIsWholeOrNothing) {
    const std::wstring typed = kIE + std::wstring(L"\\TypedURLs");
    Seed(kUser, typed.c_str(), L"url1", L"http://a/");
    Seed(kUser, kSettings, L"DisablePasswordCaching", L"1");
    wchar_t local[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, local);
    const std::wstring undo = local + std::wstring(L"\\Korvane\\Undo\\");
    WIN32_FIND_DATAW found{};
    for (HANDLE search;
         (search = FindFirstFileW((undo + L"*.reg").c_str(), &found)) != INVALID_HANDLE_VALUE;) {
        FindClose(search);
        DeleteFileW((undo + found.cFileName).c_str());
    }
    {
        Program program;
        program.Click(&F::chkPassCach);
        program.Click(&F::cmdClear);
        PostMessageW(program.window_, WM_SYSCOMMAND, app::win32::MainWindow::kUndoCommand, 0);
        EXPECT_TRUE(
            WaitFor([] { return Stored(kUser, kSettings, L"DisablePasswordCaching") == L"sz 1"; }));
        EXPECT_EQ(Send(program.Control(&F::chkPassCach), BM_GETCHECK), BST_CHECKED);
        program.Click(&F::chkPassCach);
        program.Click(&F::cmdClear);
    }
    const HANDLE search = FindFirstFileW((undo + L"*.reg").c_str(), &found);
    FindClose(search);
    EXPECT_EQ(RunToEnd(L"reg.exe import \"" + undo + found.cFileName + L"\""), 0u);
    EXPECT_EQ(Stored(kUser, kSettings, L"DisablePasswordCaching"), L"sz 1");
    EXPECT_EQ(Stored(kUser, typed.c_str(), L"url1"), L"sz http://a/");
    EXPECT_EQ(Stored(kUser, kMain, L"NoUpdateCheck"), L"none");  // the start wrote it back
    EXPECT_EQ(Stored(kUser, kToolbar, L"BackBitmap"), L"none");  // the close wrote it

    const std::wstring file = undo + L"..\\export.reg", bad = undo + L"..\\bad.reg";
    EXPECT_EQ(RunToEnd(L"korvane.exe /export:\"" + file + L"\""), 0u);
    const std::vector<std::wstring> exported = Settings();
    SetUp();  // cleared, then imported by the system's own tool
    EXPECT_EQ(RunToEnd(L"reg.exe import \"" + file + L"\""), 0u);
    EXPECT_EQ(Settings(), exported);
    EXPECT_EQ(RunToEnd(L"korvane.exe /quiet /import:\"" + file + L"\""), 0u);
    EXPECT_EQ(Settings(), exported);

    // The registry refuses the second value: the first is put back.
    HKEY key = nullptr;
    alignas(8) char saved[4096] = {};
    DWORD size = sizeof(saved);
    PSECURITY_DESCRIPTOR readOnly = nullptr;
    RegOpenKeyExW(kMachine, kMain, 0, READ_CONTROL | WRITE_DAC | KEY_WOW64_32KEY, &key);
    RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, saved, &size);
    ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;KR;;;WD)", SDDL_REVISION_1,
                                                         &readOnly, nullptr);
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, readOnly);
    LocalFree(readOnly);
    const std::wstring reg =
        L"\xFEFFWindows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\"
        L"Windows\\CurrentVersion\\Internet Settings]\r\n\"DisablePasswordCaching\"=dword:5\r\n"
        L"[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer\\Main]\r\n"
        L"\"IEWatsonDisabled\"=dword:1";
    const HANDLE out =
        CreateFileW(bad.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(out, reg.data(), static_cast<DWORD>(reg.size() * 2), &written, nullptr);
    CloseHandle(out);
    EXPECT_EQ(RunToEnd(L"korvane.exe /import:\"" + bad + L"\" /quiet"), 2u);
    EXPECT_EQ(RunToEnd(L"korvane.exe /import:\"" + bad + L".gone\" /quiet"), 1u);
    EXPECT_EQ(Settings(), exported);
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, saved);
    RegCloseKey(key);
}

}  // namespace

// korvane.exe end to end: started on a seeded registry, worked like a user from this process,
// closed, and the registry read back. Under Wine another process's control text is read with
// WM_GETTEXT, and a message box opened by a handler blocks a SendMessage to it, hence
// SendMessageTimeout.
#include <windows.h>

#include <gtest/gtest.h>
#include <sddl.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/layout.h"

namespace {

using app::frmKorvane;
using Box = toolkit::Control frmKorvane::*;
const HKEY kUser = HKEY_CURRENT_USER, kMachine = HKEY_LOCAL_MACHINE;
constexpr auto kIE = L"Software\\Microsoft\\Internet Explorer";
constexpr auto kMain = L"Software\\Microsoft\\Internet Explorer\\Main";
constexpr auto kToolbar = L"Software\\Microsoft\\Internet Explorer\\Toolbar";
constexpr auto kTyped = L"Software\\Microsoft\\Internet Explorer\\TypedURLs";
constexpr auto kSettings = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr auto kPolicy = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr auto kProtocols =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\ProtocolDefaults";

// Stores text, or a DWORD when `text` is empty; `view` picks the 64-bit view.
void Seed(HKEY root, const wchar_t* path, const wchar_t* name, std::wstring text, DWORD number = 0,
          REGSAM view = 0) {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key, nullptr),
        0);
    if (text.empty()) {
        RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<BYTE*>(&number), 4);
    } else {
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1) * 2);
    }
    RegCloseKey(key);
}

// "dword N", "sz TEXT" or "none".
std::wstring Stored(HKEY root, const wchar_t* path, const wchar_t* name, REGSAM view = 0) {
    wchar_t data[1024] = {};
    DWORD type = 0, size = sizeof(data) - 2;
    const DWORD flags = RRF_RT_ANY | (view ? RRF_SUBKEY_WOW6464KEY : 0);
    if (RegGetValueW(root, path, name, flags, &type, data, &size) != 0) {
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

BOOL CALLBACK Collect(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

// A visible top-level window of process `pid` of class `cls`.
HWND TopWindow(DWORD pid, const std::wstring& cls) {
    std::vector<HWND> windows;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
    for (const HWND window : windows) {
        DWORD owner = 0;
        wchar_t name[64] = {};
        GetWindowThreadProcessId(window, &owner);
        GetClassNameW(window, name, 64);
        if (owner == pid && IsWindowVisible(window) && name == cls) {
            return window;
        }
    }
    return nullptr;
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

// korvane.exe, started from beside this test; closed and waited for when it goes.
class Program {
public:
    Program() {
        wchar_t path[MAX_PATH] = {};
        const std::wstring self(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
        const std::wstring exe = self.substr(0, self.find_last_of(L'\\')) + L"\\korvane.exe";
        STARTUPINFOW startup{sizeof(startup)};
        CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process_);
        WaitFor([&] {
            window_ = TopWindow(process_.dwProcessId, L"Korvane.frmKorvane");
            return window_ || TopWindow(process_.dwProcessId, L"#32770");
        });
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
    HWND window() const { return window_; }

    HWND Control(Box box) const {
        std::vector<HWND> children;
        EnumChildWindows(window_, Collect, reinterpret_cast<LPARAM>(&children));
        for (const HWND child : children) {
            if (GetDlgCtrlID(child) == app::kFirstControlId + app::RowOf(box).tabIndex) {
                return child;
            }
        }
        return nullptr;
    }
    bool Checked(Box box) const { return Send(Control(box), BM_GETCHECK) == BST_CHECKED; }
    std::wstring TextOf(Box box) const { return Text(Control(box)); }

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
    // The program's open dialog titled `title` (any, when null), or null when none opens.
    HWND Dialog(const wchar_t* title = nullptr) {
        HWND box = nullptr;
        WaitFor(
            [&] {
                box = TopWindow(process_.dwProcessId, L"#32770");
                return box && (!title || Text(box) == title);
            },
            title ? 20000 : 2000);
        return box;
    }
    // The title and the prompt of the open message box, which is then closed with OK.
    std::wstring Answer() {
        const HWND box = Dialog();
        if (box == nullptr) {
            return L"";
        }
        std::wstring said = Text(box) + L": ";
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t cls[16] = {};
            GetClassNameW(child, cls, 16);
            said += std::wstring(cls) == L"Static" ? Text(child) : L"";
        }
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        WaitFor([&] { return !IsWindow(box); });
        return said;
    }

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

class EndToEnd : public testing::Test {
protected:
    void SetUp() override {
        for (const auto path : {kMain, kToolbar, kTyped, kSettings, kPolicy}) {
            RegDeleteTreeW(kUser, path);
        }
        for (const auto name : {L"IEWatsonDisabled", L"IEWatsonEnabled"}) {
            RegDeleteKeyValueW(kMachine, kMain, name);
        }
        RegDeleteKeyValueW(kMachine, kProtocols, L"about");
        RegDeleteKeyValueW(kMachine, kProtocols, L"about:");
    }
};

TEST_F(EndToEnd, BelowVersionFiveTheWindowNeverOpensAndNothingIsWritten) {
    const std::wstring version = Stored(kMachine, kIE, L"Version").substr(3);
    Seed(kMachine, kIE, L"Version", L"4.72.3110.8");
    Seed(kUser, kToolbar, L"BackBitmap", L"keep.bmp");
    {
        Program program;
        EXPECT_EQ(program.Answer(),
                  L"Korvane: You need to have Internet Explorer 5 or higher to use this "
                  L"program\r\ndownload at https://www.microsoft.com/download/internet-explorer");
        EXPECT_TRUE(program.Exited());
        EXPECT_EQ(program.window(), nullptr);
    }
    Seed(kMachine, kIE, L"Version", version);
    EXPECT_EQ(Stored(kUser, kToolbar, L"BackBitmap"), L"sz keep.bmp");
}

TEST_F(EndToEnd, TheProgramReadsTheThirtyTwoBitViewOfTheMachineKeys) {
    const std::wstring version64 = Stored(kMachine, kIE, L"Version", KEY_WOW64_64KEY);
    Seed(kMachine, kIE, L"Version", L"4.0", 0, KEY_WOW64_64KEY);
    {
        Program program;
        ASSERT_NE(program.window(), nullptr);
        EXPECT_EQ(L"sz " + program.TextOf(&frmKorvane::lblVersion),
                  Stored(kMachine, kIE, L"Version"));
    }
    if (version64 != L"none") {  // else the seed stays: the program does not read it
        Seed(kMachine, kIE, L"Version", version64.substr(3), 0, KEY_WOW64_64KEY);
    }
}

TEST_F(EndToEnd, SwitchesShowTheStoredStateAndWriteEachClick) {
    Seed(kUser, kSettings, L"DisablePasswordCaching", L"1");
    Seed(kMachine, kProtocols, L"about", L"", 4);
    Program program;
    EXPECT_TRUE(program.Checked(&frmKorvane::chkPassCach));
    EXPECT_TRUE(program.Checked(&frmKorvane::chkAbout));
    EXPECT_EQ(Stored(kUser, kSettings, L"DisablePasswordCaching"), L"dword 1");
    EXPECT_EQ(Stored(kMachine, kProtocols, L"about:"), L"dword 4");

    program.Click(&frmKorvane::chkPassCach);
    EXPECT_FALSE(program.Checked(&frmKorvane::chkPassCach));
    EXPECT_EQ(Stored(kUser, kSettings, L"DisablePasswordCaching"), L"dword 0");

    // Released away from the box: neither a click nor the restart notice.
    program.Click(&frmKorvane::chkIcon, MAKELPARAM(-40, -40));
    EXPECT_EQ(program.Answer(), L"");
    EXPECT_EQ(Stored(kUser, kPolicy, L"NoInternetIcon"), L"none");
    program.Click(&frmKorvane::chkIcon);
    EXPECT_EQ(program.Answer(),
              L"Korvane: You need to restart before this setting will take effect.");
    EXPECT_EQ(Stored(kUser, kPolicy, L"NoInternetIcon"), L"dword 1");
    program.Click(&frmKorvane::chkIcon);
    EXPECT_EQ(program.Answer(), L"");  // once per run
    EXPECT_EQ(Stored(kUser, kPolicy, L"NoInternetIcon"), L"none");
}

TEST_F(EndToEnd, TheToolbarSwitchReloadsAndEnablesTheButtons) {
    Seed(kUser, kPolicy, L"Btn_Stop", L"2");
    Program program;
    EXPECT_FALSE(IsWindowEnabled(program.Control(&frmKorvane::chkBack)));
    program.Click(&frmKorvane::chkSelect);
    EXPECT_TRUE(IsWindowEnabled(program.Control(&frmKorvane::chkBack)));
    EXPECT_TRUE(program.Checked(&frmKorvane::chkBack));
    EXPECT_FALSE(program.Checked(&frmKorvane::chkStop));
    EXPECT_EQ(Stored(kUser, kPolicy, L"Btn_Stop"), L"dword 2");
    EXPECT_EQ(Stored(kUser, kPolicy, L"Btn_Paste"), L"dword 1");
    EXPECT_EQ(Stored(kUser, kPolicy, L"SpecifyDefaultButtons"), L"dword 1");
    program.Click(&frmKorvane::chkFullScreen);
    EXPECT_EQ(Stored(kUser, kPolicy, L"Btn_Fullscreen"), L"dword 2");
}

TEST_F(EndToEnd, TextOfAnyScriptIsShownAndWrittenBackUnchanged) {
    const std::wstring title = L"\u03A9mega \u6771\u4EAC \U0001F600";
    Seed(kUser, kMain, L"Window Title", title);
    Program program;
    EXPECT_EQ(program.TextOf(&frmKorvane::txtIETitle), title);
    EXPECT_EQ(Stored(kUser, kMain, L"Window Title"), L"sz " + title);
    program.Type(&frmKorvane::txtIETitle, L"!");
    EXPECT_EQ(Stored(kUser, kMain, L"Window Title"), L"sz " + title + L"!");

    program.Type(&frmKorvane::txtDownload, L"x-1");  // only digits pass
    EXPECT_EQ(program.TextOf(&frmKorvane::txtDownload), L"21");
    EXPECT_EQ(Stored(kUser, kSettings, L"MaxConnectionsPer1_0Server"), L"dword 21");
}

TEST_F(EndToEnd, ABitmapChosenInTheFileDialogIsShownAndWrittenAndHelpOpensNotepad) {
    const std::wstring file = L"C:\\users\\Public\\B\u00EFld \u6771.bmp";
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    Program program;
    program.Click(&frmKorvane::cmdBackground);
    const HWND dialog = program.Dialog(L"Open");
    ASSERT_NE(dialog, nullptr);
    // The file name box: the combo box cmb13's edit, or cmb13 itself.
    const HWND combo = GetDlgItem(dialog, 0x47C);
    const HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
    Send(edit ? edit : combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
    PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return program.TextOf(&frmKorvane::txtBackground) == file; }));
    EXPECT_EQ(Stored(kUser, kToolbar, L"BackBitmap"), L"sz " + file);
    DeleteFileW(file.c_str());

    program.Click(&frmKorvane::cmdHelp);
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
        program.Click(&frmKorvane::chkIEErr);
        const std::wstring said = program.Answer();
        EXPECT_TRUE(said.starts_with(L"Korvane: ") && said.find(L"administrator") != said.npos)
            << said;
        EXPECT_FALSE(program.Checked(&frmKorvane::chkIEErr));
        EXPECT_EQ(program.Answer(), L"");  // no second message

        program.Click(&frmKorvane::cmdClear);
        EXPECT_EQ(Stored(kUser, kTyped, L"url1"), L"none");
    }
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, saved.data());
    RegCloseKey(key);
    LocalFree(readOnly);
    EXPECT_EQ(Stored(kMachine, kMain, L"IEWatsonDisabled"), L"none");
    EXPECT_EQ(Stored(kUser, kToolbar, L"BackBitmap"), L"sz ");  // written once more at close
}

}  // namespace

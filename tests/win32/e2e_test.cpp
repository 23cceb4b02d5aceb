// korvane.exe end to end: started on a seeded registry, worked like a user from this process,
// closed, and the registry read back. Two Wine facts shape the driver: another process's
// control text is read with WM_GETTEXT, and a message box opened by a handler blocks a
// SendMessage to it, hence SendMessageTimeout.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/layout.h"

namespace {

using app::frmKorvane;
using Box = toolkit::Control frmKorvane::*;

constexpr const wchar_t* kIE = L"Software\\Microsoft\\Internet Explorer";
constexpr const wchar_t* kMain = L"Software\\Microsoft\\Internet Explorer\\Main";
constexpr const wchar_t* kToolbar = L"Software\\Microsoft\\Internet Explorer\\Toolbar";
constexpr const wchar_t* kSettings =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr const wchar_t* kPolicy =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const wchar_t* kProtocols =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\ProtocolDefaults";

void Seed(HKEY root, const wchar_t* path, const wchar_t* name, DWORD type, const void* data,
          DWORD size, REGSAM view = 0) {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key, nullptr),
        0);
    RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}
void SeedText(HKEY root, const wchar_t* path, const wchar_t* name, const std::wstring& text,
              REGSAM view = 0) {
    Seed(root, path, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * 2), view);
}
void Unseed(HKEY root, const wchar_t* path, const wchar_t* name, REGSAM view = 0) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path, 0, KEY_SET_VALUE | view, &key) == 0) {
        RegDeleteValueW(key, name);
        RegCloseKey(key);
    }
}
void SeedDword(HKEY root, const wchar_t* path, const wchar_t* name, DWORD number) {
    Seed(root, path, name, REG_DWORD, &number, 4);
}

// The stored value as "dword N" or "sz TEXT", or "none".
std::wstring Stored(HKEY root, const wchar_t* path, const wchar_t* name, REGSAM view = 0) {
    DWORD type = 0, size = 0;
    if (RegGetValueW(
            root, path, name,
            RRF_RT_ANY | RRF_NOEXPAND | (view == KEY_WOW64_64KEY ? RRF_SUBKEY_WOW6464KEY : 0),
            &type, nullptr, &size) != 0) {
        return L"none";
    }
    std::wstring data(size / 2 + 2, L'\0');
    RegGetValueW(root, path, name,
                 RRF_RT_ANY | RRF_NOEXPAND | (view == KEY_WOW64_64KEY ? RRF_SUBKEY_WOW6464KEY : 0),
                 &type, data.data(), &size);
    if (type == REG_DWORD) {
        return L"dword " + std::to_wstring(*reinterpret_cast<const DWORD*>(data.data()));
    }
    return L"sz " + std::wstring(data.c_str());
}

bool WaitFor(const std::function<bool()>& done, int ms = 20000) {
    for (int waited = 0; waited < ms; waited += 20) {
        if (done()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return done();
}

BOOL CALLBACK Collect(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

// Every descendant of `parent`, or every top-level window.
std::vector<HWND> Windows(HWND parent = nullptr) {
    std::vector<HWND> windows;
    if (parent != nullptr) {
        EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&windows));
    } else {
        EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
    }
    return windows;
}

// A visible top-level window of process `pid` of class `cls`.
HWND TopWindow(DWORD pid, const wchar_t* cls) {
    for (const HWND window : Windows()) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (owner == pid && IsWindowVisible(window) && std::wstring(name) == cls) {
            return window;
        }
    }
    return nullptr;
}

std::wstring Text(HWND window) {
    wchar_t text[1024] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000,
                        &ignored);
    return text;
}

// korvane.exe, started from beside this test; closed (and waited for) when it goes.
class Program {
public:
    Program() {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring exe(path);
        exe = exe.substr(0, exe.find_last_of(L'\\')) + L"\\korvane.exe";
        STARTUPINFOW startup{sizeof(startup)};
        if (CreateProcessW(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &process_)) {
            WaitFor([&] {
                return (window_ = TopWindow(process_.dwProcessId, L"Korvane.frmKorvane")) ||
                       TopWindow(process_.dwProcessId, L"#32770");
            });
        }
    }
    ~Program() {
        if (window_ != nullptr && IsWindow(window_)) {
            PostMessageW(window_, WM_CLOSE, 0, 0);
        }
        if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) {
            TerminateProcess(process_.hProcess, 1);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    HWND window() const { return window_; }
    bool Exited(int ms = 10000) {
        return WaitForSingleObject(process_.hProcess, ms) == WAIT_OBJECT_0;
    }

    HWND Control(Box box) const {
        const int id = app::kFirstControlId + app::RowOf(box).tabIndex;
        for (const HWND child : Windows(window_)) {
            if (GetDlgCtrlID(child) == id) {
                return child;
            }
        }
        return nullptr;
    }
    bool Checked(Box box) const { return Send(Control(box), BM_GETCHECK) == BST_CHECKED; }
    bool Enabled(Box box) const { return IsWindowEnabled(Control(box)) != FALSE; }
    std::wstring BoxText(Box box) const { return Text(Control(box)); }

    // A press and a release of the left button, at a point of the control (client pixels).
    void Click(Box box, POINT release = {3, 3}) {
        Send(Control(box), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        Send(Control(box), WM_LBUTTONUP, 0, MAKELPARAM(release.x, release.y));
    }
    // Keys typed at the end of a text box.
    void Type(Box box, const std::wstring& keys) {
        Send(Control(box), EM_SETSEL, 0x7FFF, 0x7FFF);
        for (const wchar_t key : keys) {
            Send(Control(box), WM_CHAR, key, 1);
        }
    }
    // The open message box (or dialog) of the program: its title and its longest text, after
    // which it is answered with `command`. Empty when none opens.
    std::pair<std::wstring, std::wstring> Answer(const wchar_t* title = nullptr, int command = IDOK,
                                                 HWND* found = nullptr) {
        HWND box = nullptr;
        WaitFor(
            [&] {
                box = TopWindow(process_.dwProcessId, L"#32770");
                return box && (!title || Text(box) == title);
            },
            title ? 20000 : 2000);
        if (box == nullptr) {
            return {};
        }
        std::wstring prompt;
        for (const HWND child : Windows(box)) {
            const std::wstring text = Text(child);
            prompt = text.size() > prompt.size() ? text : prompt;
        }
        if (found != nullptr) {
            *found = box;
            return {Text(box), prompt};
        }
        const std::wstring boxTitle = Text(box);
        PostMessageW(box, WM_COMMAND, command, 0);
        WaitFor([&] { return !IsWindow(box); });
        return {boxTitle, prompt};
    }

private:
    static LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 1500, &result);
        return static_cast<LRESULT>(result);
    }

    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

class EndToEnd : public testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* path : {kMain, kToolbar, kSettings, kPolicy,
                                    L"Software\\Microsoft\\Internet Explorer\\TypedURLs"}) {
            RegDeleteTreeW(HKEY_CURRENT_USER, path);
        }
        for (const wchar_t* name : {L"IEWatsonDisabled", L"IEWatsonEnabled"}) {
            RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kMain, name);
        }
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kProtocols, L"about");
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kProtocols, L"about:");
    }
};

TEST_F(EndToEnd, BelowVersionFiveTheWindowNeverOpensAndNothingIsWritten) {
    const std::wstring version = Stored(HKEY_LOCAL_MACHINE, kIE, L"Version").substr(3);
    SeedText(HKEY_LOCAL_MACHINE, kIE, L"Version", L"4.72.3110.8");
    SeedText(HKEY_CURRENT_USER, kToolbar, L"BackBitmap", L"keep.bmp");
    {
        Program program;
        const auto [title, prompt] = program.Answer();
        EXPECT_EQ(title, L"Korvane");
        EXPECT_EQ(prompt,
                  L"You need to have Internet Explorer 5 or higher to use this program\r\n"
                  L"download at https://www.microsoft.com/download/internet-explorer");
        EXPECT_TRUE(program.Exited());
        EXPECT_EQ(program.window(), nullptr);
    }
    SeedText(HKEY_LOCAL_MACHINE, kIE, L"Version", version);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kToolbar, L"BackBitmap"), L"sz keep.bmp");
}

TEST_F(EndToEnd, TheProgramReadsTheThirtyTwoBitViewOfTheMachineKeys) {
    const std::wstring version64 = Stored(HKEY_LOCAL_MACHINE, kIE, L"Version", KEY_WOW64_64KEY);
    SeedText(HKEY_LOCAL_MACHINE, kIE, L"Version", L"4.0", KEY_WOW64_64KEY);
    {
        Program program;
        EXPECT_NE(program.window(), nullptr);
        EXPECT_EQ(program.BoxText(&frmKorvane::lblVersion),
                  Stored(HKEY_LOCAL_MACHINE, kIE, L"Version").substr(3));
    }
    if (version64 == L"none") {
        Unseed(HKEY_LOCAL_MACHINE, kIE, L"Version", KEY_WOW64_64KEY);
    } else {
        SeedText(HKEY_LOCAL_MACHINE, kIE, L"Version", version64.substr(3), KEY_WOW64_64KEY);
    }
}

TEST_F(EndToEnd, SwitchesShowTheStoredStateAndWriteEachClick) {
    SeedText(HKEY_CURRENT_USER, kSettings, L"DisablePasswordCaching", L"1");
    SeedDword(HKEY_LOCAL_MACHINE, kProtocols, L"about", 4);
    Program program;
    EXPECT_TRUE(program.Checked(&frmKorvane::chkPassCach));
    EXPECT_TRUE(program.Checked(&frmKorvane::chkAbout));
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kSettings, L"DisablePasswordCaching"), L"dword 1");
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, kProtocols, L"about:"), L"dword 4");

    program.Click(&frmKorvane::chkPassCach);
    EXPECT_FALSE(program.Checked(&frmKorvane::chkPassCach));
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kSettings, L"DisablePasswordCaching"), L"dword 0");

    // Released away from the box: neither a click nor the restart notice.
    program.Click(&frmKorvane::chkIcon, {-40, -40});
    EXPECT_EQ(program.Answer().first, L"");
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kPolicy, L"NoInternetIcon"), L"none");
    program.Click(&frmKorvane::chkIcon);
    EXPECT_EQ(
        program.Answer(),
        std::make_pair(std::wstring(L"Korvane"),
                       std::wstring(L"You need to restart before this setting will take effect.")));
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kPolicy, L"NoInternetIcon"), L"dword 1");
    program.Click(&frmKorvane::chkIcon);
    EXPECT_EQ(program.Answer().first, L"");  // once per run
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kPolicy, L"NoInternetIcon"), L"none");
}

TEST_F(EndToEnd, TheToolbarSwitchReloadsAndEnablesTheButtons) {
    SeedText(HKEY_CURRENT_USER, kPolicy, L"Btn_Stop", L"2");
    Program program;
    EXPECT_FALSE(program.Enabled(&frmKorvane::chkBack));
    program.Click(&frmKorvane::chkSelect);
    EXPECT_TRUE(program.Enabled(&frmKorvane::chkBack));
    EXPECT_TRUE(program.Checked(&frmKorvane::chkBack));
    EXPECT_FALSE(program.Checked(&frmKorvane::chkStop));
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kPolicy, L"Btn_Stop"), L"dword 2");
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kPolicy, L"Btn_Paste"), L"dword 1");
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kPolicy, L"SpecifyDefaultButtons"), L"dword 1");
    program.Click(&frmKorvane::chkFullScreen);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kPolicy, L"Btn_Fullscreen"), L"dword 2");
}

TEST_F(EndToEnd, TextOfAnyScriptIsShownAndWrittenBackUnchanged) {
    const std::wstring title = L"\u03A9mega \u6771\u4EAC \U0001F600";
    SeedText(HKEY_CURRENT_USER, kMain, L"Window Title", title);
    Program program;
    EXPECT_EQ(program.BoxText(&frmKorvane::txtIETitle), title);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kMain, L"Window Title"), L"sz " + title);
    program.Type(&frmKorvane::txtIETitle, L"!");
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kMain, L"Window Title"), L"sz " + title + L"!");

    EXPECT_EQ(program.BoxText(&frmKorvane::txtDownload), L"2");
    program.Type(&frmKorvane::txtDownload, L"x-1");  // only digits pass
    EXPECT_EQ(program.BoxText(&frmKorvane::txtDownload), L"21");
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kSettings, L"MaxConnectionsPer1_0Server"), L"dword 21");
}

TEST_F(EndToEnd, ABitmapChosenInTheFileDialogIsShownAndWritten) {
    const std::wstring file = L"C:\\users\\Public\\B\u00EFld \u6771.bmp";
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    Program program;
    program.Click(&frmKorvane::cmdBackground);
    HWND dialog = nullptr;
    program.Answer(L"Open", IDOK, &dialog);
    ASSERT_NE(dialog, nullptr);
    // The file name box: the combo box cmb13's edit, or cmb13 itself.
    HWND name = GetDlgItem(dialog, 0x47C);
    name = FindWindowExW(name, nullptr, L"Edit", nullptr)
               ? FindWindowExW(name, nullptr, L"Edit", nullptr)
               : name;
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
    PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    WaitFor([&] { return program.BoxText(&frmKorvane::txtBackground) == file; });
    EXPECT_EQ(program.BoxText(&frmKorvane::txtBackground), file);
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kToolbar, L"BackBitmap"), L"sz " + file);
    DeleteFileW(file.c_str());
}

TEST_F(EndToEnd, AChangeThatNeedsAdministratorRightsIsToldAndUndone) {
    // The machine key made read-only, as it is for a user without administrator rights.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kMain, 0, READ_CONTROL | WRITE_DAC, &key), 0);
    DWORD size = 0;
    RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
    std::string saved(size, '\0');
    RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, saved.data(), &size);
    SECURITY_DESCRIPTOR readOnly;
    InitializeSecurityDescriptor(&readOnly, SECURITY_DESCRIPTOR_REVISION);
    char aclBuffer[256];
    auto* acl = reinterpret_cast<ACL*>(aclBuffer);
    InitializeAcl(acl, sizeof(aclBuffer), ACL_REVISION);
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
    AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ, everyone);
    SetSecurityDescriptorDacl(&readOnly, TRUE, acl, FALSE);
    ASSERT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &readOnly), 0);
    {
        Program program;
        program.Click(&frmKorvane::chkIEErr);
        const auto [title, prompt] = program.Answer();
        EXPECT_EQ(title, L"Korvane");
        EXPECT_NE(prompt.find(L"administrator"), std::wstring::npos) << prompt;
        EXPECT_FALSE(program.Checked(&frmKorvane::chkIEErr));
        EXPECT_EQ(program.Answer().first, L"");  // no second message
    }
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, saved.data());
    RegCloseKey(key);
    FreeSid(everyone);
    EXPECT_EQ(Stored(HKEY_LOCAL_MACHINE, kMain, L"IEWatsonDisabled"), L"none");
}

TEST_F(EndToEnd, ClearRemovesTheTypedAddressesAndHelpOpensNotepad) {
    SeedText(HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer\\TypedURLs", L"url1",
             L"http://a/");
    Program program;
    program.Click(&frmKorvane::cmdClear);
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer\\TypedURLs",
                            0, KEY_READ, &key),
              0);

    program.Click(&frmKorvane::cmdHelp);
    HWND notepad = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (notepad = FindWindowW(L"Notepad", nullptr)) != nullptr; }));
    PostMessageW(notepad, WM_CLOSE, 0, 0);
}

TEST_F(EndToEnd, ClosingWritesTheBitmapValueOnce) {
    { Program program; }
    EXPECT_EQ(Stored(HKEY_CURRENT_USER, kToolbar, L"BackBitmap"), L"sz ");
}

}  // namespace

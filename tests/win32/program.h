// korvane.exe started from beside the tests, and the helpers that work it from outside as a
// user or an accessibility tool would.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <source_location>
#include <string>
#include <thread>

#include "app/layout.h"

namespace e2e {

using F = app::frmKorvane;
using Box = toolkit::Control F::*;
const HKEY kUser = HKEY_CURRENT_USER, kMachine = HKEY_LOCAL_MACHINE;
constexpr auto kIE = L"Software\\Microsoft\\Internet Explorer";
constexpr auto kMain = L"Software\\Microsoft\\Internet Explorer\\Main";
constexpr auto kToolbar = L"Software\\Microsoft\\Internet Explorer\\Toolbar";
constexpr auto kSettings = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr auto kPolicy = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

// Stores text, in the program's own (32-bit) view unless told otherwise.
inline void Seed(HKEY root, const wchar_t* path, const wchar_t* name, const std::wstring& text,
                 REGSAM view = KEY_WOW64_32KEY) {
    HKEY key = nullptr;
    RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key, nullptr);
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1) * 2);
    RegCloseKey(key);
}

// "dword N", "sz TEXT" or "none".
inline std::wstring Stored(HKEY root, const wchar_t* path, const wchar_t* name) {
    wchar_t data[1024] = {};
    DWORD type = 0, size = sizeof(data) - 2;
    if (RegGetValueW(root, path, name, RRF_RT_ANY | RRF_SUBKEY_WOW6432KEY, &type, data, &size)) {
        return L"none";
    }
    return type == REG_DWORD ? L"dword " + std::to_wstring(*reinterpret_cast<DWORD*>(data))
                             : L"sz " + std::wstring(data);
}

inline bool WaitFor(const std::function<bool()>& done, int ms = 20000) {
    for (int waited = 0; waited < ms && !done(); waited += 20) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return done();
}

inline LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 1500, &result);
    return static_cast<LRESULT>(result);
}

inline std::wstring Text(HWND window) {
    wchar_t text[1024] = {};
    Send(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

// The descendant of `parent` with this id.
inline HWND Find(HWND parent, int id) {
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
        const HWND tips = Tips();  // it shows texts as they are, wrapped at its width
        EXPECT_EQ(GetWindowLongW(tips, GWL_STYLE) & TTS_NOPREFIX, TTS_NOPREFIX);
        EXPECT_EQ(Send(tips, TTM_GETMAXTIPWIDTH),
                  MulDiv(app::kClientWidthTwips, GetDeviceCaps(GetDC(nullptr), LOGPIXELSY), 1440));
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

// The client area, and every control's place and size in its container, at `dpi`.
inline void ExpectLaidOut(HWND window, int dpi,
                          std::source_location at = std::source_location::current()) {
    const testing::ScopedTrace trace(at.file_name(), static_cast<int>(at.line()), dpi);
    const auto px = [dpi](int twips) -> LONG { return MulDiv(twips, dpi, 1440); };
    RECT place{};
    GetClientRect(window, &place);
    const std::pair size{px(app::kClientWidthTwips), px(app::kClientHeightTwips)};
    EXPECT_EQ(std::pair(place.right, place.bottom), size);
    for (const app::LayoutRow& row : app::kLayout) {
        const HWND control = Find(window, app::kFirstControlId + row.tabIndex);
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
        const std::tuple laidOut{place.left, place.top, place.right - place.left,
                                 place.bottom - place.top};
        const std::tuple wanted{px(row.left), px(row.top), px(row.width), px(row.height)};
        EXPECT_EQ(laidOut, wanted) << "tab index " << row.tabIndex;
    }
}

}  // namespace e2e

// The main window made the plainest way, straight on user32 and advapi32: the floor that
// korvane.exe's start-up time is measured against.
#include <windows.h>

#include <commctrl.h>

#include <cwchar>
#include <string>

namespace {

enum Kind { Label, TextBox, CheckBox, PushButton, Frame, ListBox };
enum FontStyle { Regular, Bold, Italic };

struct Row {
    const wchar_t* name;
    const wchar_t* container;  // "Window" for the window itself
    Kind kind;
    const char16_t* caption;
    int left, top, width, height, tab;
    FontStyle font;
    HWND hwnd = nullptr;
};

// The program's own rows, in its order of creation: labels just before their boxes.
Row rows[] = {
#define KORVANE_ROW(control, container, kind, caption, left, top, width, height, tab, font) \
    {L"" #control, L"" #container, kind, caption, left, top, width, height, tab, font},
#include "app/layout_rows.h"
#undef KORVANE_ROW
};

// What each switch writes, as the program's tooltips say; a toolbar box's is made from its name.
const wchar_t* const kSwitchTips[][2] = {
    {L"chkAutoAppend",
     L"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete, \"Append "
     L"Completion\": \"yes\" when ticked, \"no\" when clear."},
    {L"chkPassCach",
     L"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings, "
     L"DisablePasswordCaching: 1 when ticked, 0 when clear."},
    {L"chkIEErr",
     L"HKLM\\Software\\Microsoft\\Internet Explorer\\Main, IEWatsonDisabled = 1 and "
     L"IEWatsonEnabled = 0 when ticked, both deleted when clear.\r\nChanging it needs "
     L"administrator rights."},
    {L"chkHideWeb",
     L"HKCU\\Software\\Microsoft\\Internet Explorer\\Main, FavIntelliMenus: \"yes\" when ticked, "
     L"\"no\" when clear."},
    {L"chkUpdate",
     L"HKCU\\Software\\Microsoft\\Internet Explorer\\Main, NoUpdateCheck: 0 when ticked, 1 when "
     L"clear."},
    {L"chkAbout",
     L"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet "
     L"Settings\\ZoneMap\\ProtocolDefaults, \"about\" and \"about:\": 4 when ticked, deleted when "
     L"clear.\r\nChanging it needs administrator rights."},
    {L"chkIcon",
     L"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer, NoInternetIcon: 1 "
     L"when ticked, deleted when clear."},
    {L"chkSecurityZone",
     L"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\0, Flags: 1 "
     L"when ticked, 33 when clear."},
    {L"chkCache",
     L"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache, Persistent: 0 "
     L"when ticked, 1 when clear."},
    {L"chkSelect",
     L"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer, NoToolbarCustomize "
     L"and SpecifyDefaultButtons: 1 when ticked, 0 when clear."},
};

int dpi = 96;
WNDPROC buttonProc;
HWND tip;

// A group box paints only its edge and caption; as a parent it must fill its inside too.
LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCHITTEST) {
        return HTCLIENT;  // the pointer over a disabled control in it is the frame's
    }
    if (message == WM_ERASEBKGND) {
        RECT rect;
        GetClientRect(hwnd, &rect);
        FillRect(reinterpret_cast<HDC>(wparam), &rect, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    return CallWindowProcW(buttonProc, hwnd, message, wparam, lparam);
}

int Px(int twips) {
    return MulDiv(twips, dpi, 1440);
}

Row* Find(const wchar_t* name) {
    for (Row& row : rows) {
        if (wcscmp(row.name, name) == 0) {
            return &row;
        }
    }
    return nullptr;
}

void CreateRow(Row& row, HWND window, const HFONT* fonts) {
    static const wchar_t* const kClasses[] = {L"STATIC", L"EDIT",   L"BUTTON",
                                              L"BUTTON", L"BUTTON", L"LISTBOX"};
    static const DWORD kStyles[] = {
        SS_LEFT | SS_NOPREFIX,         ES_AUTOHSCROLL | WS_TABSTOP,
        BS_CHECKBOX | WS_TABSTOP,      BS_PUSHBUTTON | WS_TABSTOP,
        BS_GROUPBOX | WS_CLIPCHILDREN, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP};
    const bool sunken = row.kind == TextBox || row.kind == ListBox;
    const bool hidden = row.top == 7200;  // Frame7 lies below the window and stays hidden
    const Row* container = Find(row.container);
    HWND parent = container ? container->hwnd : window;
    row.hwnd =
        CreateWindowExW(sunken ? WS_EX_CLIENTEDGE : (row.kind == Frame ? WS_EX_CONTROLPARENT : 0),
                        kClasses[row.kind], reinterpret_cast<const wchar_t*>(row.caption),
                        WS_CHILD | WS_CLIPSIBLINGS | (hidden ? 0 : WS_VISIBLE) | kStyles[row.kind],
                        Px(row.left), Px(row.top), Px(row.width), Px(row.height), parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + row.tab)),
                        GetModuleHandleW(nullptr), nullptr);
    if (row.kind == Frame) {
        buttonProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(row.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameProc)));
    }
    if (row.kind == TextBox) {
        SendMessageW(row.hwnd, EM_SETLIMITTEXT, 0, 0);
    }
    SendMessageW(row.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fonts[row.font]), FALSE);
}

// A tool for the pointer over the control, and one over its place in the container, for when
// it is disabled and the container gets the mouse.
void AddTools(HWND tip, const Row& row, const wchar_t* text) {
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(row.hwnd);
    tool.uId = reinterpret_cast<UINT_PTR>(row.hwnd);
    tool.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    tool.uFlags = TTF_SUBCLASS;
    tool.uId = static_cast<UINT_PTR>(100 + row.tab);
    tool.rect = {Px(row.left), Px(row.top), Px(row.left + row.width), Px(row.top + row.height)};
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// One read the way the program's start-up reads: open, probe the size, read, close.
std::wstring Read(HKEY root, const wchar_t* key, const wchar_t* name) {
    HKEY h;
    if (RegOpenKeyExW(root, key, 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS) {
        return L"";
    }
    DWORD type = 0, size = 0;
    std::wstring text;
    if (RegQueryValueExW(h, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(h, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                             &size) == ERROR_SUCCESS) {
            if (type == REG_DWORD) {
                text = std::to_wstring(*reinterpret_cast<const DWORD*>(buffer.data()));
            } else if (type == REG_SZ || type == REG_EXPAND_SZ) {
                text = buffer.c_str();
            }
        }
    }
    RegCloseKey(h);
    return text;
}

void Write(const wchar_t* key, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY h;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, 0x3F, nullptr, &h, nullptr) ==
        ERROR_SUCCESS) {
        RegSetValueExW(h, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(h);
    }
}

void WriteDword(const wchar_t* key, const wchar_t* name, DWORD value) {
    Write(key, name, REG_DWORD, &value, sizeof value);
}

// A text box's tooltip shows its text.
void SetText(const wchar_t* name, const std::wstring& text) {
    const HWND box = Find(name)->hwnd;
    SetWindowTextW(box, text.c_str());
    for (const UINT_PTR id : {reinterpret_cast<UINT_PTR>(box), UINT_PTR(GetDlgCtrlID(box))}) {
        TOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        tool.hwnd = GetParent(box);
        tool.uId = id;
        tool.lpszText = const_cast<wchar_t*>(text.c_str());
        SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void SetCheck(const wchar_t* name, bool on) {
    SendMessageW(Find(name)->hwnd, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

void LoadSettings() {
    const wchar_t* ie = L"Software\\Microsoft\\Internet Explorer";
    const wchar_t* main = L"Software\\Microsoft\\Internet Explorer\\Main";
    const wchar_t* inet = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
    const wchar_t* policies = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
    const wchar_t* complete =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete";
    const wchar_t* cache =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache";
    const wchar_t* toolbar = L"Software\\Microsoft\\Internet Explorer\\Toolbar";
    const wchar_t* zone0 =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\0";
    const wchar_t* protocols =
        L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet "
        L"Settings\\ZoneMap\\ProtocolDefaults";
    HKEY cu = HKEY_CURRENT_USER, lm = HKEY_LOCAL_MACHINE;

    SetText(L"lblVersion", Read(lm, ie, L"Version"));
    const bool buttons = Read(cu, policies, L"NoToolbarCustomize") == L"1";
    SetCheck(L"chkSelect", buttons);
    SetCheck(L"chkAutoAppend", Read(cu, complete, L"Append Completion") == L"yes");
    SetText(L"txtDefaultDir", Read(cu, ie, L"Download Directory"));
    SetText(L"txtIETitle", Read(cu, main, L"Window Title"));
    SetText(L"txtBackground", Read(cu, toolbar, L"BackBitmap"));
    SetCheck(L"chkPassCach", Read(cu, inet, L"DisablePasswordCaching") == L"1");
    SetCheck(L"chkIEErr", Read(lm, main, L"IEWatsonDisabled") == L"1");
    SetCheck(L"chkHideWeb", Read(cu, main, L"FavIntelliMenus") == L"1");
    SetCheck(L"chkUpdate", Read(cu, main, L"NoUpdateCheck") != L"1");
    SetText(L"txtDownload", Read(cu, inet, L"MaxConnectionsPerServer"));
    SetCheck(L"chkAbout", !Read(lm, protocols, L"about").empty());
    SetCheck(L"chkIcon", Read(cu, policies, L"NoInternetIcon") == L"1");
    SetCheck(L"chkCache", Read(cu, cache, L"Persistent") == L"0");
    SetCheck(L"chkSecurityZone", Read(cu, zone0, L"Flags") == L"1");

    // The toolbar's boxes only count while their switch is on.
    for (const Row& row : rows) {
        if (!buttons && row.kind == CheckBox && wcscmp(row.container, L"Frame6") == 0) {
            EnableWindow(row.hwnd, FALSE);
        }
    }

    // The values a first start writes back.
    Write(complete, L"Append Completion", REG_SZ, L"yes", sizeof L"yes");
    WriteDword(main, L"NoUpdateCheck", 0);
    WriteDword(inet, L"MaxConnectionsPerServer", 2);
    WriteDword(inet, L"MaxConnectionsPer1_0Server", 2);
    WriteDword(cache, L"Persistent", 0);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);

    HDC screen = GetDC(nullptr);
    dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"KorvaneRawWindow";
    RegisterClassExW(&wc);

    // Per-monitor aware: the window's own DPI, where Windows has the calls for it.
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const auto dpiForWindow = reinterpret_cast<UINT(WINAPI*)(HWND)>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetDpiForWindow")));
    const auto adjust = reinterpret_cast<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "AdjustWindowRectExForDpi")));
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    RECT rect = {0, 0, Px(7350), Px(6405)};
    adjust ? adjust(&rect, style, FALSE, WS_EX_CONTROLPARENT, dpi)
           : AdjustWindowRectEx(&rect, style, FALSE, WS_EX_CONTROLPARENT);
    HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, wc.lpszClassName, L"Korvanelle", style,
                                  CW_USEDEFAULT, CW_USEDEFAULT, rect.right - rect.left,
                                  rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);
    if (dpiForWindow && static_cast<int>(dpiForWindow(window)) != dpi) {
        dpi = static_cast<int>(dpiForWindow(window));
        rect = {0, 0, Px(7350), Px(6405)};
        adjust(&rect, style, FALSE, WS_EX_CONTROLPARENT, dpi);
        SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    HFONT fonts[3];
    for (int i = 0; i < 3; ++i) {
        fonts[i] = CreateFontW(-MulDiv(825, dpi, 7200), 0, 0, 0, i == Bold ? FW_BOLD : FW_NORMAL,
                               i == Italic, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                               L"MS Sans Serif");
    }

    // Every text box and every check box has its tools: a check box's says what it writes.
    tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                          WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance, nullptr);
    SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, Px(7350));
    for (Row& row : rows) {  // in the program's order: containers first
        CreateRow(row, window, fonts);
        std::wstring text;
        if (row.kind == CheckBox && wcscmp(row.container, L"Frame6") == 0) {
            text = L"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer, Btn_" +
                   std::wstring(row.name + 3) + L": 1 when ticked, 2 when clear.";
        }
        for (const auto& [name, said] : kSwitchTips) {
            text = wcscmp(row.name, name) == 0 ? said : text;
        }
        if (row.kind == TextBox || row.kind == CheckBox) {
            AddTools(tip, row, text.c_str());
        }
    }

    LoadSettings();

    ShowWindow(window, show);
    UpdateWindow(window);
    SetFocus(Find(L"txtBackground")->hwnd);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    for (HFONT font : fonts) {
        DeleteObject(font);
    }
    return static_cast<int>(msg.wParam);
}

// The main window made the plainest way, straight on user32 and advapi32: the floor that
// korvane.exe's start-up time is measured against.
#include <windows.h>

#include <commctrl.h>

#include <cwchar>
#include <string>

namespace {

enum Kind { kLabel, kText, kCheck, kButton, kFrame, kList };
enum FontStyle { kRegular, kBold, kItalic };

struct Row {
    const wchar_t* name;
    const wchar_t* container;  // nullptr for the window itself
    Kind kind;
    const wchar_t* caption;
    int left, top, width, height, tab;
    FontStyle font = kRegular;
    HWND hwnd = nullptr;
};

// clang-format off
Row rows[] = {
    {L"cmdHelp", nullptr, kButton, L"?", 6960, 0, 375, 255, 60, kBold},
    {L"Label7", nullptr, kLabel, L"Internet Explorer Version:", 3840, 360, 1935, 255, 56, kItalic},
    {L"lblVersion", nullptr, kLabel, L"", 5760, 360, 1215, 255, 57},
    {L"chkIEErr", nullptr, kCheck, L"Disable IE Error Reporting", 3960, 720, 2775, 255, 30},
    {L"chkSecurityZone", nullptr, kCheck, L"Enable the hidden 5th security zone in IE", 3960, 1080, 3255, 255, 31},
    {L"chkPassCach", nullptr, kCheck, L"Disable IE Password Caching", 3960, 1440, 3135, 255, 32},
    {L"chkHideWeb", nullptr, kCheck, L"Hide Rarely Visited Websites", 3960, 1800, 2535, 255, 33},
    {L"chkUpdate", nullptr, kCheck, L"Automatically Check for IE Updates", 3960, 2160, 2895, 255, 34},
    {L"chkIcon", nullptr, kCheck, L"Hide IE Icon on Desktop", 3960, 2520, 3015, 255, 35},
    {L"chkAbout", nullptr, kCheck, L"Kill IE ABOUT: URLs", 3960, 2880, 2775, 255, 36},
    {L"chkCache", nullptr, kCheck, L"Clear IE Cache On Close", 3960, 3240, 2775, 255, 37},
    {L"chkAutoAppend", nullptr, kCheck, L"Enable Auto Append Completion", 3960, 3600, 2775, 315, 38},
    {L"Frame1", nullptr, kFrame, L"", 120, 120, 3495, 2295, 41},
    {L"Frame2", nullptr, kFrame, L"", 120, 2640, 3495, 615, 46},
    {L"Frame4", nullptr, kFrame, L"", 120, 3480, 3495, 975, 47},
    {L"Frame3", nullptr, kFrame, L"", 3840, 3960, 3375, 615, 44},
    {L"Frame6", nullptr, kFrame, L"", 120, 4680, 7095, 1575, 58},
    {L"Frame7", nullptr, kFrame, L"IE Common Domain Search", 600, 7200, 3495, 1215, 51},
    {L"Label4", L"Frame1", kLabel, L"Select A Background Bitmap for IE Toolbar", 120, 240, 3135, 255, 42},
    {L"txtBackground", L"Frame1", kText, L"", 120, 480, 2775, 285, 0},
    {L"cmdBackground", L"Frame1", kButton, L"...", 3000, 480, 375, 255, 1},
    {L"Label3", L"Frame1", kLabel, L"Change the IE Window Title", 120, 840, 3015, 255, 43},
    {L"txtIETitle", L"Frame1", kText, L"", 120, 1080, 3135, 285, 2},
    {L"Frame5", L"Frame1", kFrame, L"", 120, 1440, 3255, 735, 49},
    {L"Label5", L"Frame5", kLabel, L"Restore Default Animated IE Logo", 360, 120, 2535, 255, 50},
    {L"cmdRestore", L"Frame5", kButton, L"Restore", 1080, 360, 975, 255, 3},
    {L"Label6", L"Frame2", kLabel, L"Maximum # of Concurrent Downloads", 120, 240, 3135, 255, 40},
    {L"txtDownload", L"Frame2", kText, L"", 2880, 240, 375, 285, 4},
    {L"Label2", L"Frame4", kLabel, L"Default IE Download Directory", 120, 240, 2415, 255, 48},
    {L"txtDefaultDir", L"Frame4", kText, L"", 120, 480, 2775, 285, 5},
    {L"cmdDir", L"Frame4", kButton, L"...", 3000, 480, 375, 255, 6},
    {L"Label1", L"Frame3", kLabel, L"Clear IE Typed History", 360, 240, 1695, 255, 45},
    {L"cmdClear", L"Frame3", kButton, L"Clear", 2280, 240, 855, 255, 39},
    {L"Frame8", L"Frame6", kFrame, L"", 120, 120, 3855, 495, 59},
    {L"chkSelect", L"Frame8", kCheck, L"Add\\Remove Selected IE Toolbar Buttons", 240, 120, 3375, 255, 7},
    {L"cmdAddDomain", L"Frame7", kButton, L"Add", 480, 360, 735, 255, 53},
    {L"cmdDeleteDomain", L"Frame7", kButton, L"Delete", 480, 720, 735, 255, 54},
    {L"txtAddDomain", L"Frame7", kText, L"", 1440, 360, 615, 285, 55},
    {L"lstDomain", L"Frame7", kList, L"", 2160, 360, 855, 645, 52},
    {L"chkBack", L"Frame6", kCheck, L"Back", 360, 720, 855, 255, 8},
    {L"chkForward", L"Frame6", kCheck, L"Forward", 360, 960, 975, 255, 9},
    {L"chkStop", L"Frame6", kCheck, L"Stop", 360, 1200, 855, 255, 10},
    {L"chkFolders", L"Frame6", kCheck, L"Folders", 1440, 720, 855, 255, 11},
    {L"chkRefresh", L"Frame6", kCheck, L"Refresh", 1440, 960, 975, 255, 12},
    {L"chkPrint", L"Frame6", kCheck, L"Print", 1440, 1200, 735, 255, 13},
    {L"chkFavorites", L"Frame6", kCheck, L"Favorites", 2520, 720, 975, 255, 14},
    {L"chkEdit", L"Frame6", kCheck, L"Edit", 2520, 960, 735, 255, 15},
    {L"chkHome", L"Frame6", kCheck, L"Home", 2520, 1200, 855, 255, 16},
    {L"chkSearch", L"Frame6", kCheck, L"Search", 3600, 720, 855, 255, 17},
    {L"chkMedia", L"Frame6", kCheck, L"Media", 3600, 960, 855, 255, 18},
    {L"chkHistory", L"Frame6", kCheck, L"History", 3600, 1200, 855, 255, 19},
    {L"chkTools", L"Frame6", kCheck, L"Tools", 4560, 240, 735, 255, 20},
    {L"chkEncoding", L"Frame6", kCheck, L"Encoding", 4560, 480, 1095, 255, 21},
    {L"chkPrintPreview", L"Frame6", kCheck, L"PrintPrev", 4560, 720, 975, 255, 22},
    {L"chkFullScreen", L"Frame6", kCheck, L"FullScreen", 4560, 960, 1095, 255, 23},
    {L"chkMailNews", L"Frame6", kCheck, L"MailNews", 4560, 1200, 1095, 255, 24},
    {L"chkSize", L"Frame6", kCheck, L"Size", 5760, 240, 735, 195, 25},
    {L"chkDiscussions", L"Frame6", kCheck, L"Discussions", 5760, 480, 1215, 255, 26},
    {L"chkCut", L"Frame6", kCheck, L"Cut", 5760, 720, 1215, 255, 27},
    {L"chkCopy", L"Frame6", kCheck, L"Copy", 5760, 960, 855, 255, 28},
    {L"chkPaste", L"Frame6", kCheck, L"Paste", 5760, 1200, 855, 255, 29},
};
// clang-format on

int dpi = 96;
WNDPROC buttonProc;

// A group box paints only its edge and caption; as a parent it must fill its inside too.
LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
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
    static const DWORD kStyles[] = {SS_LEFT,
                                    ES_AUTOHSCROLL | WS_TABSTOP,
                                    BS_AUTOCHECKBOX | WS_TABSTOP,
                                    BS_PUSHBUTTON | WS_TABSTOP,
                                    BS_GROUPBOX,
                                    LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP};
    const bool sunken = row.kind == kText || row.kind == kList;
    const bool hidden = row.top == 7200;  // Frame7 lies below the window and stays hidden
    HWND parent = row.container ? Find(row.container)->hwnd : window;
    row.hwnd = CreateWindowExW(sunken ? WS_EX_CLIENTEDGE : 0, kClasses[row.kind], row.caption,
                               WS_CHILD | (hidden ? 0 : WS_VISIBLE) | kStyles[row.kind],
                               Px(row.left), Px(row.top), Px(row.width), Px(row.height), parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + row.tab)),
                               GetModuleHandleW(nullptr), nullptr);
    if (row.kind == kFrame) {
        buttonProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(row.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameProc)));
    }
    SendMessageW(row.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fonts[row.font]), FALSE);
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

void SetText(const wchar_t* name, const std::wstring& text) {
    SetWindowTextW(Find(name)->hwnd, text.c_str());
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
        if (!buttons && row.kind == kCheck && row.container &&
            wcscmp(row.container, L"Frame6") == 0) {
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
    HFONT fonts[3];
    for (int i = 0; i < 3; ++i) {
        fonts[i] = CreateFontW(-MulDiv(825, dpi, 7200), 0, 0, 0, i == kBold ? FW_BOLD : FW_NORMAL,
                               i == kItalic, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                               L"MS Sans Serif");
    }

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"KorvaneRawWindow";
    RegisterClassExW(&wc);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    RECT rect = {0, 0, Px(7350), Px(6405)};
    AdjustWindowRectEx(&rect, style, FALSE, WS_EX_CONTROLPARENT);
    HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, wc.lpszClassName, L"Korvanelle", style,
                                  CW_USEDEFAULT, CW_USEDEFAULT, rect.right - rect.left,
                                  rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);

    for (Row& row : rows) {  // containers first, so they can parent the rest
        if (row.kind == kFrame) {
            CreateRow(row, window, fonts);
        }
    }
    for (Row& row : rows) {
        if (row.kind != kFrame) {
            CreateRow(row, window, fonts);
        }
    }

    // Every text box and every check box has a tool: a check box's says what it writes.
    HWND tip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance, nullptr);
    SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, Px(7350));
    for (Row& row : rows) {
        if (row.kind != kText && row.kind != kCheck) {
            continue;
        }
        TOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = GetParent(row.hwnd);
        tool.uId = reinterpret_cast<UINT_PTR>(row.hwnd);
        tool.lpszText = const_cast<wchar_t*>(
            row.kind == kText ? L""
                              : L"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\"
                                L"Explorer, Btn_Back: 1 when ticked, 2 when clear.");
        SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
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

#include "app/win32/main_window.h"

#include <commctrl.h>

#include <utility>

#include "app/layout.h"
#include "toolkit/error.h"

namespace app::win32 {

namespace {

using toolkit::win32::NativeControl;

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

// Names for a screen reader where a button's caption is punctuation.
constexpr std::pair<Control frmKorvane::*, const char16_t*> kAccessibleNames[] = {
    {&frmKorvane::cmdBackground, u"Browse for the toolbar bitmap"},
    {&frmKorvane::cmdDir, u"Browse for the download folder"},
    {&frmKorvane::cmdHelp, u"Help: open the readme"},
};

// No scale goes below half or beyond 500%: such a WM_DPICHANGED is no system's.
constexpr int kLowestDpi = 48, kHighestDpi = 480;

int Pixels(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}

RECT Place(const LayoutRow& row, int dpi) {
    return {Pixels(row.left, dpi), Pixels(row.top, dpi), Pixels(row.left + row.width, dpi),
            Pixels(row.top + row.height, dpi)};
}

// A user32 function that older Windows lack (before Windows 10 1607), or nullptr.
template <typename Function>
Function* User32(const char* name) {
    return reinterpret_cast<Function*>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

// The window's own DPI where Windows knows it per monitor, else the system's.
int DpiOf(HWND window) {
    if (const auto dpiForWindow = User32<UINT WINAPI(HWND)>("GetDpiForWindow");
        window != nullptr && dpiForWindow != nullptr) {
        return static_cast<int>(dpiForWindow(window));
    }
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// The frame around the client area at `dpi`, at the origin.
RECT FrameFor(int dpi) {
    RECT frame{0, 0, Pixels(kClientWidthTwips, dpi), Pixels(kClientHeightTwips, dpi)};
    if (const auto adjust =
            User32<BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi")) {
        adjust(&frame, kStyle, FALSE, kExStyle, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    }
    return frame;
}

}  // namespace

MainWindow::~MainWindow() {
    // The window first, with its controls: no message then reaches a control half destroyed.
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
    natives_.clear();
}

bool MainWindow::Create() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &MainWindow::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass);

    const int systemDpi = DpiOf(nullptr);
    RECT frame = FrameFor(systemDpi);
    creating_ = true;
    CreateWindowExW(kExStyle, kWindowClass, reinterpret_cast<const wchar_t*>(kWindowCaption),
                    kStyle, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                    frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    creating_ = false;
    if (hwnd_ == nullptr) {
        return false;
    }
    // Made on another monitor than the primary one, the window has that monitor's DPI.
    const int dpi = DpiOf(hwnd_);
    if (dpi != systemDpi) {
        frame = FrameFor(dpi);
        SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    fonts_ = MakeFonts(dpi);
    tooltip_ = toolkit::win32::CreateTooltip(hwnd_, Pixels(kClientWidthTwips, dpi));
    natives_.resize(kLayout.size());
    for (const LayoutRow& row : kLayout) {  // in creation order: containers first
        const HWND parent =
            row.container == nullptr
                ? hwnd_
                : natives_[static_cast<std::size_t>(&RowOf(row.container) - kLayout.data())]
                      ->hwnd();
        auto native = std::make_unique<NativeControl>(form_.*row.control, windows_, parent,
                                                      kFirstControlId + row.tabIndex,
                                                      Place(row, dpi), FontOf(row), tooltip_);
        if (native->hwnd() == nullptr) {
            return false;
        }
        // A group wholly below the client area is never seen; hidden, Tab never reaches it.
        if (row.container == nullptr && row.top >= kClientHeightTwips) {
            ShowWindow(native->hwnd(), SW_HIDE);
        }
        natives_[static_cast<std::size_t>(&row - kLayout.data())] = std::move(native);
    }
    for (const auto& [control, name] : kAccessibleNames) {
        natives_[static_cast<std::size_t>(&RowOf(control) - kLayout.data())]->SetAccessibleName(
            name);
    }
    // Undo, import and export live in the window menu, so the window keeps its layout.
    const HMENU menu = GetSystemMenu(hwnd_, FALSE);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kUndoCommand, L"Undo Changes Since Korvane Started");
    AppendMenuW(menu, MF_STRING, kImportCommand, L"Import Settings...");
    AppendMenuW(menu, MF_STRING, kExportCommand, L"Export Settings...");
    lastFocus_ = Find(kFirstControlId + RowOf(&frmKorvane::txtBackground).tabIndex)->hwnd();
    return true;
}

MainWindow::Fonts MainWindow::MakeFonts(int dpi) {
    const auto font = [dpi](int weight, BOOL italic) {
        return UniqueFont(CreateFontW(-MulDiv(825, dpi, 7200), 0, 0, 0, weight, italic, FALSE,
                                      FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif"));
    };
    return {font(FW_NORMAL, FALSE), font(FW_BOLD, FALSE), font(FW_NORMAL, TRUE)};
}

HFONT MainWindow::FontOf(const LayoutRow& row) const {
    return row.font == app::Font::Bold     ? fonts_.bold.get()
           : row.font == app::Font::Italic ? fonts_.italic.get()
                                           : fonts_.regular.get();
}

void MainWindow::LayOut(int dpi) {
    Fonts old = std::exchange(fonts_, MakeFonts(dpi));  // deleted once no control has them
    for (std::size_t i = 0; i < kLayout.size(); ++i) {
        natives_[i]->Place(Place(kLayout[i], dpi));
        SendMessageW(natives_[i]->hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(kLayout[i])),
                     TRUE);
    }
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, Pixels(kClientWidthTwips, dpi));
}

void MainWindow::OnDpiChanged(WPARAM dpis, LPARAM suggested) {
    // Sent by another program, the rectangle may be anywhere: read, not taken on trust.
    const int dpi = HIWORD(dpis);
    RECT frame{};
    if (LOWORD(dpis) != dpi || dpi < kLowestDpi || dpi > kHighestDpi ||
        !ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<const void*>(suggested), &frame,
                           sizeof(frame), nullptr)) {
        return;
    }
    SetWindowPos(hwnd_, nullptr, frame.left, frame.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut(dpi);
}

NativeControl* MainWindow::Find(int id) const {
    for (const auto& native : natives_) {
        if (native != nullptr && GetDlgCtrlID(native->hwnd()) == id) {
            return native.get();
        }
    }
    return nullptr;
}

void MainWindow::Show() {
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
    SetFocus(lastFocus_);
}

void MainWindow::Close() {
    std::int16_t cancel = 0;
    toolkit::Guard(platform_, u"Korvane", [&] { form_.Form_Unload(cancel); });
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The thread's map belongs to its one main window, which takes the window that it is
    // creating at that window's first message.
    const toolkit::win32::WindowMap* windows = toolkit::win32::WindowMap::OfThisThread();
    auto* self = windows != nullptr ? static_cast<MainWindow*>(&windows->host()) : nullptr;
    if (self != nullptr && self->hwnd_ == nullptr && self->creating_) {
        self->hwnd_ = window;
    }
    if (self == nullptr || self->hwnd_ != window) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    toolkit::Guard(self->platform_, u"Korvane",
                   [&] { result = self->WndProc(message, wParam, lParam); });
    return result;
}

LRESULT MainWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    toolkit::win32::RelayToTooltip(tooltip_, hwnd_, message, wParam, lParam);  // a disabled box
    switch (message) {
        case WM_COMMAND:
            // Only a control's own notification, which names its window, is a user's action.
            if (NativeControl* native = Find(LOWORD(wParam));
                native != nullptr && native->hwnd() == reinterpret_cast<HWND>(lParam)) {
                native->OnNotify(HIWORD(wParam));
                return 0;
            }
            break;
        case WM_ACTIVATE:
            // Keep the focus where the user left it while a message box had the activation.
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus != nullptr && IsChild(hwnd_, focus)) {
                    lastFocus_ = focus;
                }
            } else if (lastFocus_ != nullptr) {
                SetFocus(lastFocus_);
            }
            return 0;
        case WM_SYSCOMMAND:
            switch (wParam & 0xFFF0) {  // the system keeps the low four bits
                case kUndoCommand:
                    form_.UndoChanges();
                    return 0;
                case kImportCommand:
                    form_.ImportSettings();
                    return 0;
                case kExportCommand:
                    form_.ExportSettings();
                    return 0;
                default:
                    break;
            }
            break;
        case WM_DPICHANGED:
            OnDpiChanged(wParam, lParam);
            return 0;
        case WM_CLOSE:
            Close();
            return 0;
        case WM_ENDSESSION:
            if (wParam != FALSE) {
                std::int16_t cancel = 0;
                toolkit::Guard(platform_, u"Korvane", [&] { form_.Form_Unload(cancel); });
            }
            return 0;
        case WM_DESTROY:
            hwnd_ = nullptr;
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

int RunMessageLoop(HWND window) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsWindow(window) && IsDialogMessageW(window, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace app::win32

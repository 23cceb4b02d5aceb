#include "app/win32/main_window.h"

#include <cstdint>

#include "app/layout.h"
#include "app/win32/window_geometry.h"
#include "toolkit/win32/handler_dispatch.h"
#include "toolkit/win32/peer_factory.h"
#include "toolkit/win32/text_encoding.h"

namespace app::win32 {

namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;
constexpr int kIconId = 1;
constexpr std::string_view kFirstFocus = "txtBackground";

int SystemDpi() {
    toolkit::win32::ScreenDC screen;
    const int dpi = screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : 96;
}

bool RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    // The class does nothing itself: the window's object sees every message through its
    // subclass.
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconId));
    windowClass.hIconSm = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                   GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR | LR_SHARED));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool IsInside(HWND window, HWND child) {
    return child != nullptr && (child == window || IsChild(window, child));
}

}  // namespace

bool MainWindow::Create(HINSTANCE instance) {
    if (hwnd() != nullptr || !RegisterWindowClass(instance)) {
        return false;
    }
    dpi_ = SystemDpi();
    RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, dpi_),
               TwipsToPixels(kClientHeightTwips, dpi_)};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, kWindowExStyle);
    const std::wstring caption = toolkit::win32::Widen(kWindowCaption);
    HWND window = CreateWindowExW(kWindowExStyle, kWindowClass, caption.c_str(), kWindowStyle,
                                  CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return false;
    }
    if (!Attach(window)) {
        DestroyWindow(window);
        return false;
    }
    if (!CreateFonts() || !CreateControls()) {
        peers_.clear();
        Destroy();
        return false;
    }
    lastFocus_ = ControlWindow(kFirstFocus);
    return true;
}

bool MainWindow::CreateFonts() {
    auto make = [this](int weight, bool italic) {
        return toolkit::win32::UniqueFont(
            CreateFontW(FontHeight(dpi_), 0, 0, 0, weight, italic ? TRUE : FALSE, FALSE, FALSE,
                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, kFontFace));
    };
    regular_ = make(FW_NORMAL, false);
    bold_ = make(FW_BOLD, false);
    italic_ = make(FW_NORMAL, true);
    return regular_ && bold_ && italic_;
}

HFONT MainWindow::FontFor(FontStyle style) const {
    switch (style) {
        case FontStyle::Bold:
            return bold_.get();
        case FontStyle::Italic:
            return italic_.get();
        case FontStyle::Regular:
            break;
    }
    return regular_.get();
}

bool MainWindow::CreateControls() {
    peers_.clear();
    peers_.resize(kLayout.size());
    for (const std::size_t row : CreationOrder()) {
        const ControlLayout& layout = kLayout[row];
        HWND parent = layout.container.empty() ? hwnd() : ControlWindow(layout.container);
        if (parent == nullptr) {
            return false;
        }
        toolkit::win32::PeerPlace place;
        place.parent = parent;
        place.id = ControlId(row);
        place.x = TwipsToPixels(layout.left, dpi_);
        place.y = TwipsToPixels(layout.top, dpi_);
        place.width = TwipsToPixels(layout.width, dpi_);
        place.height = TwipsToPixels(layout.height, dpi_);
        place.font = FontFor(layout.font);
        auto peer =
            toolkit::win32::CreatePeer(form_.controls().Named(layout.name), place, services_);
        if (peer == nullptr) {
            return false;
        }
        // Each new control goes last among its siblings: creation order is the Tab order.
        SetWindowPos(peer->hwnd(), HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
        // A group placed wholly below the client area is never seen; hidden as well, its
        // controls are never reached by Tab, so the focus cannot vanish into it.
        if (layout.container.empty() && layout.top >= kClientHeightTwips) {
            ShowWindow(peer->hwnd(), SW_HIDE);
        }
        peers_[row] = std::move(peer);
    }
    return true;
}

HWND MainWindow::ControlWindow(std::string_view name) const {
    for (std::size_t row = 0; row < kLayout.size() && row < peers_.size(); ++row) {
        if (kLayout[row].name == name) {
            return peers_[row] != nullptr ? peers_[row]->hwnd() : nullptr;
        }
    }
    return nullptr;
}

void MainWindow::Show() {
    if (hwnd() == nullptr) {
        return;
    }
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    UpdateWindow(hwnd());
    if (HWND first = ControlWindow(kFirstFocus)) {
        SetFocus(first);
    }
}

void MainWindow::Close() {
    if (!unloaded_) {
        std::int16_t cancel = 0;
        toolkit::win32::RunHandler(services_, [this, &cancel] { form_.Form_Unload(cancel); });
        if (cancel != 0) {
            return;
        }
        unloaded_ = true;
    }
    if (hwnd() != nullptr) {
        DestroyWindow(hwnd());
    }
}

LRESULT MainWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT routed = 0;
    if (toolkit::win32::RouteNotification(message, wParam, lParam, routed)) {
        return routed;
    }
    switch (message) {
        case WM_ACTIVATE:
            // Keep the focus where the user left it when another window (a message box, say)
            // takes and gives back the activation.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (IsInside(hwnd(), focus) && focus != hwnd()) {
                    lastFocus_ = focus;
                }
                return 0;
            }
            if (lastFocus_ != nullptr && IsWindow(lastFocus_)) {
                SetFocus(lastFocus_);
                return 0;
            }
            break;
        case WM_CLOSE:
            Close();
            return 0;
        case WM_ENDSESSION:
            // The session ends without WM_CLOSE: the last write still happens.
            if (wParam != FALSE && !unloaded_) {
                std::int16_t cancel = 0;
                toolkit::win32::RunHandler(services_,
                                           [this, &cancel] { form_.Form_Unload(cancel); });
                unloaded_ = true;
            }
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

int RunMessageLoop(HWND window) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window != nullptr && IsWindow(window) && IsDialogMessageW(window, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace app::win32

#include "app/win32/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>

#include "app/layout.h"
#include "toolkit/error.h"

namespace app::win32 {

namespace {

using toolkit::Kind;
using toolkit::win32::NativeControl;

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

int Pixels(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}

bool TakesFocus(Kind kind) {
    return kind != Kind::Label && kind != Kind::Frame;
}

// The lowest tab index of a control that takes the focus at or inside `row`, or INT_MAX.
int LowestFocusIndex(const LayoutRow& row) {
    int lowest = TakesFocus(row.kind) ? row.tabIndex : INT_MAX;
    for (const LayoutRow& inside : kLayout) {
        if (inside.container == row.control) {
            lowest = std::min(lowest, LowestFocusIndex(inside));
        }
    }
    return lowest;
}

// Containers before their controls, and siblings in Tab order: Tab follows the order of
// creation, and a frame takes its place by the first of its controls that takes the focus.
void AppendInCreationOrder(Control frmKorvane::*container, std::vector<const LayoutRow*>& order) {
    std::vector<const LayoutRow*> siblings;
    for (const LayoutRow& row : kLayout) {
        if (row.container == container) {
            siblings.push_back(&row);
        }
    }
    std::ranges::stable_sort(siblings, [](const LayoutRow* a, const LayoutRow* b) {
        const int first = LowestFocusIndex(*a), second = LowestFocusIndex(*b);
        return first != second ? first < second : a->tabIndex < b->tabIndex;
    });
    for (const LayoutRow* row : siblings) {
        order.push_back(row);
        AppendInCreationOrder(row->control, order);
    }
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

    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    RECT frame{0, 0, Pixels(kClientWidthTwips, dpi), Pixels(kClientHeightTwips, dpi)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    hwnd_ =
        CreateWindowExW(kExStyle, kWindowClass, reinterpret_cast<const wchar_t*>(kWindowCaption),
                        kStyle, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                        frame.bottom - frame.top, nullptr, nullptr, instance, this);
    if (hwnd_ == nullptr) {
        return false;
    }
    const auto font = [dpi](int weight, BOOL italic) {
        return UniqueFont(CreateFontW(-MulDiv(825, dpi, 7200), 0, 0, 0, weight, italic, FALSE,
                                      FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif"));
    };
    regular_ = font(FW_NORMAL, FALSE);
    bold_ = font(FW_BOLD, FALSE);
    italic_ = font(FW_NORMAL, TRUE);
    tooltip_ = toolkit::win32::CreateTooltip(hwnd_, Pixels(kClientWidthTwips, dpi));

    std::vector<const LayoutRow*> order;
    AppendInCreationOrder(nullptr, order);
    natives_.resize(kLayout.size());
    for (const LayoutRow* row : order) {
        const HWND parent = row->container == nullptr
                                ? hwnd_
                                : Find(RowOf(row->container).tabIndex + kFirstControlId)->hwnd();
        const RECT place{Pixels(row->left, dpi), Pixels(row->top, dpi),
                         Pixels(row->left + row->width, dpi), Pixels(row->top + row->height, dpi)};
        const HFONT rowFont = row->font == app::Font::Bold     ? bold_.get()
                              : row->font == app::Font::Italic ? italic_.get()
                                                               : regular_.get();
        auto native = std::make_unique<NativeControl>(form_.*row->control, *this, parent,
                                                      kFirstControlId + row->tabIndex, place,
                                                      rowFont, tooltip_);
        if (native->hwnd() == nullptr) {
            return false;
        }
        // A group wholly below the client area is never seen; hidden, Tab never reaches it.
        if (row->container == nullptr && row->top >= kClientHeightTwips) {
            ShowWindow(native->hwnd(), SW_HIDE);
        }
        natives_[static_cast<std::size_t>(row - kLayout.data())] = std::move(native);
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
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    toolkit::Guard(self->platform_, u"Korvane",
                   [&] { result = self->WndProc(message, wParam, lParam); });
    return result;
}

LRESULT MainWindow::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
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

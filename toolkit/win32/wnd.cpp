#include "toolkit/win32/wnd.h"

#include <commctrl.h>

namespace toolkit::win32 {

namespace {
// One subclass id for every Wnd: the object is in the reference data, and in a window
// property so that a parent can find it from the child's handle.
constexpr UINT_PTR kSubclassId = 0x4B6F72;
constexpr const wchar_t* kObjectProperty = L"Korvane.Wnd";
}  // namespace

Wnd::~Wnd() {
    Destroy();
}

Wnd::Wnd(Wnd&& other) noexcept {
    other.Unhook();
    window_ = std::move(other.window_);
    (void)Hook();
}

Wnd& Wnd::operator=(Wnd&& other) noexcept {
    if (this != &other) {
        Destroy();
        other.Unhook();
        window_ = std::move(other.window_);
        (void)Hook();
    }
    return *this;
}

bool Wnd::Attach(HWND window) {
    if (window == nullptr || window_) {
        return false;
    }
    window_ = UniqueWindow(window);
    if (!Hook()) {
        (void)window_.release();
        return false;
    }
    return true;
}

HWND Wnd::Detach() {
    Unhook();
    return window_.release();
}

void Wnd::Destroy() {
    Unhook();
    window_.Close();
}

Wnd* Wnd::FromHandle(HWND window) {
    if (window == nullptr) {
        return nullptr;
    }
    return static_cast<Wnd*>(GetPropW(window, kObjectProperty));
}

LRESULT Wnd::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT Wnd::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(hwnd(), message, wParam, lParam);
}

void Wnd::Unhook() {
    if (window_) {
        RemoveWindowSubclass(window_.get(), &Wnd::SubclassProc, kSubclassId);
        RemovePropW(window_.get(), kObjectProperty);
    }
}

bool Wnd::Hook() {
    if (!window_) {
        return false;
    }
    if (!SetPropW(window_.get(), kObjectProperty, this)) {
        return false;
    }
    if (!SetWindowSubclass(window_.get(), &Wnd::SubclassProc, kSubclassId,
                           reinterpret_cast<DWORD_PTR>(this))) {
        RemovePropW(window_.get(), kObjectProperty);
        return false;
    }
    return true;
}

LRESULT CALLBACK Wnd::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR /*id*/, DWORD_PTR self) {
    auto* object = reinterpret_cast<Wnd*>(self);
    if (message == WM_NCDESTROY) {
        // The system destroys the window (with its parent, say): let go without a second
        // DestroyWindow on a handle that may already name another window.
        RemoveWindowSubclass(window, &Wnd::SubclassProc, kSubclassId);
        RemovePropW(window, kObjectProperty);
        (void)object->window_.release();
        return DefSubclassProc(window, message, wParam, lParam);
    }
    try {
        return object->WndProc(message, wParam, lParam);
    } catch (...) {
        // Nothing may cross the window procedure; handlers report their own failures
        // (RunHandler), so whatever still arrives here is dropped.
        return 0;
    }
}

bool RouteNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_COMMAND) {
        // Menus, accelerators and the dialog keys (Enter, Escape) come without a sender.
        auto* sender = Wnd::FromHandle(reinterpret_cast<HWND>(lParam));
        if (sender == nullptr) {
            return false;
        }
        sender->OnCommand(HIWORD(wParam));
        result = 0;
        return true;
    }
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        auto* sender = header != nullptr ? Wnd::FromHandle(header->hwndFrom) : nullptr;
        if (sender == nullptr) {
            return false;
        }
        result = 0;
        return sender->OnNotify(*header, result);
    }
    return false;
}

}  // namespace toolkit::win32

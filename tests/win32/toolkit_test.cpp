// The toolkit's table on real controls: what Windows notifies on its own (EN_CHANGE after our
// WM_SETTEXT, BN_CLICKED) must never run a handler twice.
#include <algorithm>
#include <list>

#include "tests/toolkit_contract.h"
#include "toolkit/win32/native_control.h"

namespace {

using toolkit::win32::NativeControl;

// Controls in a top-level window that hands each its messages, as the main window does.
struct HostedDriver final : ToolkitDriver {
    ~HostedDriver() override {
        DestroyWindow(host);  // first: its messages while the controls go would find them gone
        natives.clear();
    }
    Control& Make(Kind kind) override {
        controls.emplace_back().Design(kind, "");
        natives.emplace_back(controls.back(), host, static_cast<int>(natives.size()) + 100,
                             RECT{0, 0, 120, 24}, nullptr, nullptr);
        return controls.back();
    }
    HWND Window(const Control& control) {
        return std::ranges::find(natives, &control, [](auto& native) { return &native.control(); })
            ->hwnd();
    }
    void Click(Control& control) override { SendMessageW(Window(control), BM_CLICK, 0, 0); }
    void Type(Control& control, char key) override {
        SendMessageW(Window(control), WM_CHAR, key, 1);
    }
    void ExpectMirrors(const Control& control) override {
        EXPECT_EQ(toolkit::win32::Narrow(toolkit::win32::WindowText(Window(control))),
                  control.text());
        EXPECT_EQ(IsWindowEnabled(Window(control)) != FALSE, control.enabled());
        EXPECT_EQ(SendMessageW(Window(control), BM_GETCHECK, 0, 0), control.value());
    }
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        for (NativeControl& native : natives) {
            if (GetDlgCtrlID(native.hwnd()) == LOWORD(wParam) && !native.refreshing() &&
                (message == WM_COMMAND || message == toolkit::win32::kKeyPressMessage)) {
                native.OnUserMessage(message, wParam, lParam);
            }
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    const WNDCLASSW windowClass{0,       &Proc,   0,       0,       nullptr,
                                nullptr, nullptr, nullptr, nullptr, L"Host"};
    HWND host =
        CreateWindowExW(0, MAKEINTATOM(RegisterClassW(&windowClass)), L"", WS_OVERLAPPEDWINDOW, 0,
                        0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    std::list<Control> controls;  // outlive their native windows
    static inline std::list<NativeControl> natives;
};

TEST(Toolkit, RealControlsRunHandlersOncePerChange) {
    HostedDriver().Run();
}

}  // namespace

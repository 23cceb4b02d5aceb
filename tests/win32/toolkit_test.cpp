// The toolkit's table on real controls: what Windows notifies on its own (EN_CHANGE after our
// WM_SETTEXT, BN_CLICKED) must never run a handler twice.
#include <algorithm>
#include <list>

#include "tests/toolkit_contract.h"
#include "toolkit/win32/native_control.h"

namespace {

using toolkit::win32::NativeControl;

// A top-level window that hands each control's messages to it, as the main window does.
class HostedDriver final : public ToolkitDriver {
public:
    HostedDriver() {
        host_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                                nullptr, nullptr, nullptr);
        SetWindowLongPtrW(host_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrW(host_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostedDriver::Proc));
    }
    ~HostedDriver() override {
        natives_.clear();
        DestroyWindow(host_);
    }
    Control& Make(Kind kind) override {
        controls_.emplace_back().Design(kind, "");
        return natives_
            .emplace_back(controls_.back(), host_, 100 + static_cast<int>(natives_.size()),
                          RECT{0, 0, 120, 24}, nullptr, nullptr)
            .control();
    }
    void Click(Control& control) override { SendMessageW(Window(control), BM_CLICK, 0, 0); }
    void Type(Control& control, char key) override {
        SendMessageW(Window(control), WM_CHAR, static_cast<WPARAM>(key), 1);
    }
    void ExpectMirrors(const Control& control) override {
        EXPECT_EQ(toolkit::win32::Narrow(toolkit::win32::WindowText(Window(control))),
                  control.text());
        EXPECT_EQ(IsWindowEnabled(Window(control)) != FALSE, control.enabled());
        EXPECT_EQ(SendMessageW(Window(control), BM_GETCHECK, 0, 0), control.value());
    }

private:
    HWND Window(const Control& control) {
        const auto of = [](const NativeControl& native) { return &native.control(); };
        return std::ranges::find(natives_, &control, of)->hwnd();
    }
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<HostedDriver*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_COMMAND || message == toolkit::win32::kKeyPressMessage) {
            for (NativeControl& native : self->natives_) {
                if (GetDlgCtrlID(native.hwnd()) == LOWORD(wParam) && !native.refreshing()) {
                    native.OnUserMessage(message, wParam, lParam);
                }
            }
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND host_ = nullptr;
    std::list<Control> controls_;  // outlive their native windows
    std::list<NativeControl> natives_;
};

TEST(Toolkit, RealControlsRunHandlersOncePerChange) {
    HostedDriver driver;
    RunToolkitContract(driver);
}

}  // namespace

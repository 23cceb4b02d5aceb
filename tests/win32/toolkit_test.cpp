// The toolkit's table on real controls: what Windows notifies on its own (EN_CHANGE after our
// WM_SETTEXT, BN_CLICKED) must never run a handler twice.
#include <memory>
#include <stdexcept>
#include <vector>

#include "tests/toolkit_contract.h"
#include "toolkit/win32/native_control.h"

namespace {

using toolkit::win32::NativeControl;

// A top-level window that hands each control's messages to it, as the main window does.
class HostedDriver final : public ToolkitDriver {
public:
    HostedDriver() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &HostedDriver::Proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"KorvaneToolkitTest";
        RegisterClassW(&windowClass);
        host_ = CreateWindowExW(0, L"KorvaneToolkitTest", L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
        SetWindowLongPtrW(host_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~HostedDriver() override {
        natives_.clear();
        DestroyWindow(host_);
    }
    Control& Make(Kind kind) override {
        controls_.push_back(std::make_unique<Control>());
        controls_.back()->Design(kind, "");
        natives_.push_back(std::make_unique<NativeControl>(*controls_.back(), host_,
                                                           100 + static_cast<int>(natives_.size()),
                                                           RECT{0, 0, 120, 24}, nullptr, nullptr));
        return *controls_.back();
    }
    void Click(Control& control) override { SendMessageW(Native(control).hwnd(), BM_CLICK, 0, 0); }
    void Type(Control& control, char key) override {
        SendMessageW(Native(control).hwnd(), WM_CHAR, static_cast<WPARAM>(key), 1);
    }
    void ExpectMirrors(const Control& control) override {
        const HWND window = Native(control).hwnd();
        EXPECT_EQ(toolkit::win32::Narrow(toolkit::win32::WindowText(window)), control.text());
        EXPECT_EQ(IsWindowEnabled(window) != FALSE, control.enabled());
        if (control.kind() == Kind::CheckBox) {
            EXPECT_EQ(SendMessageW(window, BM_GETCHECK, 0, 0), control.value());
        }
    }

private:
    NativeControl& Native(const Control& control) {
        for (const auto& native : natives_) {
            if (&native->control() == &control) {
                return *native;
            }
        }
        throw std::logic_error("no native control");
    }
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<HostedDriver*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && (message == WM_COMMAND || message == toolkit::win32::kKeyPressMessage)) {
            for (const auto& native : self->natives_) {
                if (GetDlgCtrlID(native->hwnd()) == LOWORD(wParam) && !native->refreshing()) {
                    native->OnUserMessage(message, wParam, lParam);
                }
            }
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND host_ = nullptr;
    std::vector<std::unique_ptr<Control>> controls_;  // outlive their native windows
    std::vector<std::unique_ptr<NativeControl>> natives_;
};

TEST(Toolkit, RealControlsRunHandlersOncePerChange) {
    HostedDriver driver;
    RunToolkitContract(driver);
}

}  // namespace

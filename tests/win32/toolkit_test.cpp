// Real controls run a handler once per change, never again for what Windows notifies on its own
// (EN_CHANGE after our WM_SETTEXT, BN_CLICKED), and always show the control's state.
#include <gtest/gtest.h>

#include <list>
#include <tuple>

#include "toolkit/win32/native_control.h"

namespace {

using toolkit::Control;
using toolkit::Kind;
using toolkit::win32::NativeControl;

// The top-level window hands each control its messages, as the main window does.
LRESULT CALLBACK Host(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static std::list<NativeControl> empty;
    auto* natives =
        reinterpret_cast<std::list<NativeControl>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    for (NativeControl& native : natives ? *natives : empty) {
        if (GetDlgCtrlID(native.hwnd()) == LOWORD(wParam) && !native.refreshing() &&
            (message == WM_COMMAND || message == toolkit::win32::kKeyPressMessage)) {
            native.OnUserMessage(message, wParam, lParam);
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(Toolkit, RealControlsRunHandlersOncePerChange) {
    enum Step { SetValue, SetText, UserClick, UserType, UserTypeX };
    const std::tuple<Kind, bool, Step, int, int, const char*> cases[] = {
        // kind, enabled, step, handler runs, value and text after
        {Kind::CheckBox, true, SetValue, 1, 1, "Box"},
        {Kind::CheckBox, false, SetValue, 1, 1, "Box"},  // code sets a disabled box too
        {Kind::CheckBox, true, UserClick, 1, 1, "Box"},
        {Kind::CheckBox, false, UserClick, 0, 0, "Box"},  // the user cannot
        {Kind::TextBox, true, SetText, 1, 0, "new"},
        {Kind::TextBox, true, UserType, 1, 0, "7"},
        {Kind::TextBox, true, UserTypeX, 0, 0, ""},  // the key hook discards an x
    };
    const WNDCLASSW hostClass{0, &Host, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, L"Host"};
    const HWND host =
        CreateWindowExW(0, MAKEINTATOM(RegisterClassW(&hostClass)), L"", WS_OVERLAPPEDWINDOW, 0, 0,
                        300, 200, nullptr, nullptr, nullptr, nullptr);
    std::list<Control> controls;  // outlive their native windows
    std::list<NativeControl> natives;
    SetWindowLongPtrW(host, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&natives));
    for (const auto& [kind, enabled, step, runs, value, text] : cases) {
        SCOPED_TRACE(testing::Message() << "row " << controls.size());
        Control& control = controls.emplace_back();
        control.Design(kind, kind == Kind::TextBox ? "" : "Box");
        const HWND window = natives
                                .emplace_back(control, host, static_cast<int>(natives.size()) + 100,
                                              RECT{0, 0, 120, 24}, nullptr, nullptr)
                                .hwnd();
        control.SetEnabled(enabled);
        int ran = 0;
        control.onClick = control.onChange = [&] { ++ran; };
        control.onKeyPress = [](std::int16_t& key) { key = key == 'x' ? 0 : key; };
        step == SetValue    ? control.SetValue(1)
        : step == SetText   ? control.SetText("new")
        : step == UserClick ? void(SendMessageW(window, BM_CLICK, 0, 0))
                            : void(SendMessageW(window, WM_CHAR, step == UserType ? '7' : 'x', 1));
        EXPECT_EQ(ran, runs);
        EXPECT_EQ(control.value(), value);
        EXPECT_EQ(control.text(), text);
        EXPECT_EQ(toolkit::win32::Narrow(toolkit::win32::WindowText(window)), control.text());
        EXPECT_EQ(IsWindowEnabled(window) != FALSE, control.enabled());
        EXPECT_EQ(SendMessageW(window, BM_GETCHECK, 0, 0), control.value());
    }
    DestroyWindow(host);  // first: no message while the controls go then finds one half gone
    natives.clear();
}

}  // namespace

// Real controls run a handler once per change, never again for what Windows notifies on its own
// (EN_CHANGE after our WM_SETTEXT, BN_CLICKED), and always show the control's state.
#include "toolkit/win32/native_control.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <list>
#include <tuple>

namespace {

using toolkit::Control;
using toolkit::Kind;
using toolkit::win32::NativeControl;

// The top-level window hands each control its notifications, as the main window does.
struct Host final : toolkit::win32::Host {
    void UserAction(Control&, const std::function<void()>& action) noexcept override { action(); }
    std::list<NativeControl> natives;
};

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static std::list<NativeControl> none;
    auto* host = reinterpret_cast<Host*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    for (NativeControl& native : host != nullptr && message == WM_COMMAND ? host->natives : none) {
        if (native.hwnd() == reinterpret_cast<HWND>(lParam)) {
            native.OnNotify(HIWORD(wParam));
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::u16string TipText(HWND tooltip, HWND control) {
    wchar_t text[256] = {};
    TTTOOLINFOW tool{sizeof(tool), 0, GetParent(control), reinterpret_cast<UINT_PTR>(control)};
    tool.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
    return toolkit::win32::FromWide(text);
}

TEST(Toolkit, RealControlsRunHandlersOncePerChangeAndKeepTextAsTyped) {
    enum Step { SetValue, SetText, UserClick, UserType, UserTypeX, UserEmoji };
    const std::tuple<Kind, bool, Step, int, int, std::u16string> cases[] = {
        // kind, enabled, step, handler runs, value and text after
        {Kind::CheckBox, true, SetValue, 1, 1, u"Box"},
        {Kind::CheckBox, false, SetValue, 1, 1, u"Box"},  // code sets a disabled box too
        {Kind::CheckBox, true, UserClick, 1, 1, u"Box"},
        {Kind::CheckBox, false, UserClick, 0, 0, u"Box"},  // the user cannot
        {Kind::TextBox, true, SetText, 1, 0, u"new & \t"},
        {Kind::TextBox, true, UserType, 1, 0, u"7"},
        {Kind::TextBox, true, UserTypeX, 0, 0, u""},  // the key hook discards an x
        // one unit per WM_CHAR, as an input method sends a character outside the BMP
        {Kind::TextBox, true, UserEmoji, 2, 0, u"\xD83D\xDE00"},
    };
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    const WNDCLASSW hostClass{0,       &HostProc, 0,       0,       nullptr,
                              nullptr, nullptr,   nullptr, nullptr, L"Host"};
    const HWND window =
        CreateWindowExW(0, MAKEINTATOM(RegisterClassW(&hostClass)), L"", WS_OVERLAPPEDWINDOW, 0, 0,
                        300, 200, nullptr, nullptr, nullptr, nullptr);
    const HWND tooltip = toolkit::win32::CreateTooltip(window, 200);
    EXPECT_EQ(GetWindowLongW(tooltip, GWL_STYLE) & TTS_NOPREFIX, TTS_NOPREFIX);  // "&" is shown
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETMAXTIPWIDTH, 0, 0), 200);
    std::list<Control> controls;  // outlive their native windows
    Host host;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&host));
    for (const auto& [kind, enabled, step, runs, value, text] : cases) {
        SCOPED_TRACE(testing::Message() << "row " << controls.size());
        Control& control = controls.emplace_back();
        control.Design(kind, kind == Kind::TextBox ? u"" : u"Box");
        control.SetTooltip(kind == Kind::CheckBox ? u"HKCU\\Key, Name: 1 when ticked" : u"");
        const HWND hwnd =
            host.natives
                .emplace_back(control, host, window, 100 + static_cast<int>(controls.size()),
                              RECT{0, 0, 120, 24}, nullptr, tooltip)
                .hwnd();
        control.SetEnabled(enabled);
        int ran = 0;
        control.onClick = control.onChange = [&] {
            ++ran;
            control.SetTooltip(control.text());  // as every change handler of a text box does
        };
        control.onKeyPress = [](std::int16_t& key) { key = key == 'x' ? 0 : key; };
        const auto type = [&](wchar_t key) { SendMessageW(hwnd, WM_CHAR, key, 1); };
        step == SetValue    ? control.SetValue(1)
        : step == SetText   ? control.SetText(u"new & \t")
        : step == UserClick ? void(SendMessageW(hwnd, BM_CLICK, 0, 0))
        : step == UserEmoji ? (type(0xD83D), type(0xDE00))
                            : type(step == UserType ? L'7' : L'x');
        EXPECT_EQ(ran, runs);
        EXPECT_EQ(control.value(), value);
        EXPECT_EQ(control.text(), text);
        EXPECT_EQ(toolkit::win32::WindowText(hwnd), control.text());
        EXPECT_EQ(IsWindowEnabled(hwnd) != FALSE, control.enabled());
        EXPECT_EQ(SendMessageW(hwnd, BM_GETCHECK, 0, 0), control.value());
        EXPECT_EQ(TipText(tooltip, hwnd), control.tooltip());
        // The caret stays after what was typed: the text was never written back.
        DWORD caret = 0;
        SendMessageW(hwnd, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
        EXPECT_EQ(caret, step >= UserType ? text.size() : caret);
    }
    DestroyWindow(window);  // first: no message while the controls go then finds one half gone
    host.natives.clear();
}

}  // namespace

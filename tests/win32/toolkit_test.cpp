// A real text box: what the user types, one UTF-16 unit per WM_CHAR as an input method sends a
// character outside the BMP, stays as typed (never written back, so the caret stays after
// it), and its tooltip shows the text as it is ("&" no mnemonic), wrapped at a set width.
#include "toolkit/win32/native_control.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

struct Host final : toolkit::win32::Host {
    void UserAction(toolkit::Control&, const std::function<void()>& action) noexcept override {
        action();
    }
};

LRESULT CALLBACK Parent(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* native = reinterpret_cast<toolkit::win32::NativeControl*>(GetWindowLongPtrW(window, 0));
    if (message == WM_COMMAND && native != nullptr) {
        native->OnNotify(HIWORD(wParam));
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(Toolkit, ARealTextBoxKeepsWhatIsTypedAndItsTooltipShowsItLiterally) {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    WNDCLASSW parentClass{};
    parentClass.lpfnWndProc = &Parent;
    parentClass.cbWndExtra = sizeof(void*);
    parentClass.lpszClassName = L"Parent";
    const HWND window =
        CreateWindowExW(0, MAKEINTATOM(RegisterClassW(&parentClass)), L"", WS_OVERLAPPEDWINDOW, 0,
                        0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    const HWND tooltip = toolkit::win32::CreateTooltip(window, 200);
    EXPECT_EQ(GetWindowLongW(tooltip, GWL_STYLE) & TTS_NOPREFIX, TTS_NOPREFIX);
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETMAXTIPWIDTH, 0, 0), 200);
    toolkit::Control box;
    box.Design(toolkit::Kind::TextBox, u"");
    int changes = 0;
    box.onChange = [&] { box.SetTooltip(box.text() + (++changes == 1 ? u"" : u" & \t")); };
    Host host;
    toolkit::win32::NativeControl native(box, host, window, 100, RECT{0, 0, 120, 24}, nullptr,
                                         tooltip);
    SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(&native));
    for (const wchar_t unit : {L'a', wchar_t(0xD83D), wchar_t(0xDE00)}) {
        SendMessageW(native.hwnd(), WM_CHAR, unit, 1);
    }
    EXPECT_EQ(box.text(), u"a\xD83D\xDE00");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(toolkit::win32::WindowText(native.hwnd()), box.text());
    EXPECT_EQ(LOWORD(SendMessageW(native.hwnd(), EM_GETSEL, 0, 0)), 3);  // the caret after it
    wchar_t tip[64] = {};
    TTTOOLINFOW tool{sizeof(tool), 0, window, reinterpret_cast<UINT_PTR>(native.hwnd())};
    tool.lpszText = tip;
    SendMessageW(tooltip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(toolkit::win32::FromWide(tip), u"a\xD83D\xDE00 & \t");
    SetWindowLongPtrW(window, 0, 0);
    DestroyWindow(window);
}

}  // namespace

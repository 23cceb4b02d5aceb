// What the Windows toolkit tests share: a top-level window that routes its children's
// notifications the way the main window does, and a way to let posted messages through.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "toolkit/win32/wnd.h"

namespace toolkit_test {

class TestHost : public toolkit::win32::Wnd {
public:
    TestHost() {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = L"KorvaneTestHost";
        RegisterClassExW(&windowClass);  // already there after the first host
        HWND window =
            CreateWindowExW(0, L"KorvaneTestHost", L"host", WS_OVERLAPPEDWINDOW, 10, 10, 400, 300,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        EXPECT_NE(window, nullptr);
        EXPECT_TRUE(Attach(window));
        // Left hidden: under Wine without a window manager, hiding or destroying a shown
        // top-level window waits two seconds for the manager's answer.
    }

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        LRESULT routed = 0;
        if (toolkit::win32::RouteNotification(message, wParam, lParam, routed)) {
            return routed;
        }
        return Default(message, wParam, lParam);
    }
};

// Dispatches what is posted to this thread, and drops a WM_QUIT a closed window left behind
// so that the next message loop (a message box's, say) does not end at once.
inline void PumpMessages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

// The window's text as the user sees it.
inline std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

}  // namespace toolkit_test

// What the Windows tests share: a top-level window that routes its children's notifications
// the way the main window does, a way to let posted messages through, and a user who answers
// a modal dialog from a second thread.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

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

// Plays the user from a second thread: waits for a visible dialog of `thread`, lets `look` see
// it, then presses `button`. Presses Cancel if that did not close it, rather than hang the run.
class DialogAnswer {
public:
    DialogAnswer(DWORD thread, WPARAM button, std::function<void(HWND)> look)
        : worker_([this, thread, button, look = std::move(look)] {
              HWND dialog = nullptr;
              for (int tries = 0; tries < 600 && dialog == nullptr; ++tries) {
                  Sleep(50);
                  EnumThreadWindows(thread, FindDialog, reinterpret_cast<LPARAM>(&dialog));
              }
              if (dialog == nullptr) {
                  return;
              }
              found_ = true;
              look(dialog);
              PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
              for (int tries = 0; tries < 200 && IsWindow(dialog); ++tries) {
                  Sleep(50);
              }
              if (IsWindow(dialog)) {
                  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
              }
          }) {}
    ~DialogAnswer() { Join(); }
    DialogAnswer(const DialogAnswer&) = delete;
    DialogAnswer& operator=(const DialogAnswer&) = delete;

    // Waits for the user; true when a dialog came up.
    bool Join() {
        if (worker_.joinable()) {
            worker_.join();
        }
        return found_;
    }

private:
    static BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (std::wstring(name) == L"#32770" && IsWindowVisible(window)) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }

    std::atomic<bool> found_{false};
    std::thread worker_;
};

}  // namespace toolkit_test

#include "tests/e2e/user_input.h"

#include <string>

#include "tests/e2e/text_convert.h"
#include "tests/e2e/wait.h"

namespace e2e {

namespace {

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!PostMessageW(window, message, wParam, lParam)) {
        throw HarnessError("posting message " + std::to_string(message) + " failed");
    }
}

// A press and release of a mouse button in the middle of the window.
void Press(HWND window, UINT down, WPARAM held) {
    RECT client{};
    GetClientRect(window, &client);
    const LPARAM at = MAKELPARAM(client.right / 2, client.bottom / 2);
    Post(window, down, held, at);
    Post(window, down + 1, 0, at);  // the matching WM_xBUTTONUP
}

}  // namespace

void Click(HWND button) {
    Post(button, BM_CLICK, 0, 0);
}

void MouseClick(HWND window) {
    Press(window, WM_LBUTTONDOWN, MK_LBUTTON);
}

void RightClick(HWND window) {
    Press(window, WM_RBUTTONDOWN, MK_RBUTTON);
}

void Type(HWND window, std::string_view text) {
    for (wchar_t c : Widen(text)) {
        // Repeat count 1; the scan code is not read by the controls.
        Post(window, WM_CHAR, c, 1);
    }
}

void PressKey(HWND window, UINT virtualKey) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    Post(window, WM_KEYDOWN, virtualKey, scan | 1);
    Post(window, WM_KEYUP, virtualKey, scan | 1 | (1 << 30) | (static_cast<LPARAM>(1) << 31));
}

void SelectAll(HWND edit) {
    Post(edit, EM_SETSEL, 0, -1);
}

void Close(HWND window) {
    Post(window, WM_CLOSE, 0, 0);
}

}  // namespace e2e

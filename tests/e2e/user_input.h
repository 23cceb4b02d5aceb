// Acting on another process's controls like a user, by posted messages only: a handler of
// the program may open a modal box, and a sent message would then wait for it to close.
// Nothing here waits for the effect; wait for what the program should do (WaitUntil).
#pragma once

#include <windows.h>

#include <string_view>

namespace e2e {

// A click on a push button or check box, as the mouse would give it (BM_CLICK).
void Click(HWND button);
// A left mouse press and release in the middle of the window: sets the focus and, in a text
// box, puts the caret there.
void MouseClick(HWND window);
// Each character as the keyboard would give it (WM_CHAR, UTF-8 in). "\b" is backspace.
void Type(HWND window, std::string_view text);
// A key that makes no character (VK_DELETE, VK_HOME, VK_END, arrows): WM_KEYDOWN and WM_KEYUP.
void PressKey(HWND window, UINT virtualKey);
// Selects the whole text of a text box, as a user's Ctrl+A or a triple click would.
void SelectAll(HWND edit);
// Asks the window to close, as its close box does.
void Close(HWND window);

}  // namespace e2e

// The system's message boxes (#32770) shown by another process.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace e2e {

struct MessageBoxView {
    HWND window = nullptr;
    std::string title;
    std::string prompt;                // the text as shown, CR LF included
    std::vector<std::string> buttons;  // the captions of its visible buttons
    bool hasIcon = false;
};

// The visible message boxes of process `pid`.
std::vector<HWND> MessageBoxesOf(DWORD pid);
// Waits for a message box of process `pid`; a HarnessError when none comes within `limit`.
HWND AwaitMessageBox(DWORD pid, std::chrono::milliseconds limit);
MessageBoxView ReadMessageBox(HWND box);
// Presses its OK button like a user; a HarnessError when it has none.
void PressOk(HWND box);

}  // namespace e2e

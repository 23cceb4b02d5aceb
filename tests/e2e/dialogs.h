// The system's dialogs (#32770) that the program shows, read and answered from outside:
// message boxes, the file-open dialog and the folder browser. They are not ours, so unlike
// the program's controls they may be filled in directly; their buttons are still clicked.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace e2e {

struct MessageBoxView {
    HWND window = nullptr;
    std::string title;
    std::string prompt;                // the text as shown, CR LF included
    std::vector<std::string> buttons;  // the captions of its visible buttons
    bool hasIcon = false;
};

// The visible dialogs of process `pid`.
std::vector<HWND> DialogsOf(DWORD pid);
// Waits for one; a HarnessError naming `what` when none comes in time.
HWND AwaitDialog(DWORD pid, const std::string& what);
// Waits for the dialog to be gone or hidden; a HarnessError when it stays.
void AwaitClosed(HWND dialog, const std::string& what);
MessageBoxView ReadMessageBox(HWND box);
// Clicks its button `id` (IDOK, IDCANCEL) like a user; a HarnessError when it has none.
void PressButton(HWND dialog, int id);

// The file-open dialog: its "Files of type" combo box.
HWND FileTypeBox(HWND dialog);
// The file-open dialog: puts `path` in its file name box and presses Open.
void ChooseFile(HWND dialog, std::string_view path);

}  // namespace e2e

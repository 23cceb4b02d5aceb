// What the text settings' tests share: waiting for a box or a stored value to become what it
// should, knowing that the program has handled the input posted so far, the state of every
// control, and files and folders on drive C: for the dialogs to find.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/harness.h"

namespace e2e {

// Waits for the control's text to become `expected`; its last text either way.
std::string AwaitText(HWND control, std::string_view expected);
// Waits for the value to become `expected` (nothing: absent); the last value read either way.
std::optional<StoredValue> AwaitValue(HKEY root, std::string_view path, std::string_view name,
                                      const std::optional<StoredValue>& expected);
// Waits for a box or dialog to be gone or hidden; a HarnessError when it stays.
void AwaitClosed(HWND window, const std::string& what = "the box");
// Returns once the program has handled every message posted to it so far: a character typed
// into the domain box (which has no behaviour) comes after them and is awaited.
void AwaitInputHandled(const Korvane& korvane);
// Returns once the program's thread is back at its message loop, after a dialog has closed.
void AwaitIdle(const Korvane& korvane);

// Puts `text` on the clipboard and pastes it into the edit, as the edit's context menu does.
void PasteInto(HWND edit, std::string_view text);

// One line per text box and check box: its name, text or state, and whether it is enabled.
std::vector<std::string> ControlStates(const Korvane& korvane, std::string_view except = {});

// A folder on drive C: with files and folders below it, removed with the object.
class ScratchFolder {
public:
    // `path`: a Windows path such as C:\name. A folder left by an earlier run is emptied.
    explicit ScratchFolder(std::string path);
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();

    const std::string& path() const { return path_; }
    // Creates a file `name` (a few bytes) in the folder; its full path.
    std::string AddFile(std::string_view name) const;
    // Creates a folder `name` in the folder; its full path.
    std::string AddFolder(std::string_view name) const;

private:
    std::string path_;
};

}  // namespace e2e

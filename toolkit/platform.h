// What the program asks of the platform besides its window and the registry.
#pragma once

#include <optional>
#include <string>

namespace toolkit {

class Platform {
public:
    virtual ~Platform() = default;
    // A modal box with an OK button only and no icon; an empty title shows "Korvane".
    virtual void ShowMessage(const std::string& prompt, const std::string& title = {}) = 0;
    // The full path of the program's directory; a drive root keeps its backslash.
    virtual std::string AppDirectory() = 0;
    // Starts the system's Notepad with `commandLine` in a normal, focused window; no wait.
    virtual void StartNotepad(const std::string& commandLine) = 0;
    // The file-open dialog with one filter ("Bitmap (*.bmp)|*.bmp"): the chosen file's full
    // path, or nothing when cancelled.
    virtual std::optional<std::string> OpenFile(const std::string& filter) = 0;
    // The shell's folder browser: the chosen folder's path, or "" when none was chosen.
    virtual std::string BrowseForFolder(const std::string& title) = 0;
};

}  // namespace toolkit

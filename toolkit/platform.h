// What the program asks of the platform besides its window and the registry.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace toolkit {

class Platform {
public:
    virtual ~Platform() = default;
    // A modal box with an OK button only and no icon; an empty title shows "Korvane".
    virtual void ShowMessage(const std::u16string& prompt, const std::u16string& title = {}) = 0;
    // A modal box titled "Korvane" with Yes and No: true for Yes.
    virtual bool AskYesNo(const std::u16string& prompt) = 0;
    // The full path of the program's directory; a drive root keeps its backslash.
    virtual std::u16string AppDirectory() = 0;
    // Starts the system's Notepad with `commandLine` in a normal, focused window; no wait.
    virtual void StartNotepad(const std::u16string& commandLine) = 0;
    // The file-open dialog with one filter ("Bitmap (*.bmp)|*.bmp"): the chosen file's full
    // path, or nothing when cancelled.
    virtual std::optional<std::u16string> OpenFile(const std::u16string& filter) = 0;
    // The shell's folder browser: the chosen folder's path, or "" when none was chosen.
    virtual std::u16string BrowseForFolder(const std::u16string& title) = 0;
    // Numeric text read as the platform reads it in the user's locale, rounded half to even,
    // into 16 bits when `int16`, else 32. Throws Error 13 when it is no number, 6 when the
    // number does not fit.
    virtual std::int32_t NumberFromText(std::u16string_view text, bool int16) = 0;
    // Text in the ANSI code page as UTF-16, or nothing when it is no text there (a NUL, or a
    // byte the code page does not define).
    virtual std::optional<std::u16string> FromAnsi(std::string_view bytes) = 0;
    // Whether the program runs with administrator rights.
    virtual bool Elevated() = 0;
    // Starts the program again with administrator rights, for the same user, handing it
    // `arguments`: false when the user declined or it could not start.
    virtual bool RestartElevated(const std::u16string& arguments) = 0;
    // Closes the window the normal way once the current event is over.
    virtual void CloseWindow() = 0;
};

}  // namespace toolkit

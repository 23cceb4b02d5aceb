// What the program asks of the platform besides its window and the registry.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
    // The file-open dialog with one filter ("Bitmap (*.bmp)|*.bmp"), opening in `folder` ("":
    // the dialog's own choice): the chosen file's full path, or nothing when cancelled.
    virtual std::optional<std::u16string> OpenFile(const std::u16string& filter,
                                                   const std::u16string& folder) = 0;
    // The save dialog with one filter: the named file's full path, or nothing when cancelled.
    virtual std::optional<std::u16string> SaveAs(const std::u16string& filter) = 0;
    // The shell's folder browser: the chosen folder's path, or "" when none was chosen.
    virtual std::u16string BrowseForFolder(const std::u16string& title) = 0;
    // Numeric text read as the platform reads it in the user's locale, rounded half to even,
    // into 16 bits when `int16`, else 32. Throws Error 13 when it is no number, 6 when the
    // number does not fit.
    virtual std::int32_t NumberFromText(std::u16string_view text, bool int16) = 0;
    // Text in the ANSI code page as UTF-16, or nothing when it is no text there (a NUL, or a
    // byte the code page does not define).
    virtual std::optional<std::u16string> FromAnsi(std::string_view bytes) = 0;
    // Where the undo records are kept: %LOCALAPPDATA%\Korvane\Undo.
    virtual std::u16string UndoFolder() = 0;
    // The local time now as "yyyy-mm-dd hh.mm.ss".
    virtual std::u16string LocalTime() = 0;
    // Writes `bytes` to a file beside `path`, flushed, then moves it over `path`, creating the
    // folders: false when any step failed, and `path` is then as it was.
    virtual bool SaveFile(const std::u16string& path, const std::vector<std::uint8_t>& bytes) = 0;
    // The file's first `limit` bytes, or nothing when it cannot be read.
    virtual std::optional<std::vector<std::uint8_t>> LoadFile(const std::u16string& path,
                                                              std::size_t limit) = 0;
    // Deletes the .reg files in `folder` beyond the `count` whose names sort last (the newest).
    virtual void KeepNewestFiles(const std::u16string& folder, std::size_t count) = 0;
    // Whether the program runs with administrator rights.
    virtual bool Elevated() = 0;
    // Starts the program again with administrator rights, handing it `arguments`, and waits
    // until it shows its window or, when `windowless`, until it ends. True when it showed its
    // window or ended with exit code 0; false (and the user told why) when it did not start,
    // ended first or failed.
    virtual bool RestartElevated(const std::u16string& arguments, bool windowless) = 0;
    // Closes the window the normal way once the current event is over.
    virtual void CloseWindow() = 0;
};

}  // namespace toolkit

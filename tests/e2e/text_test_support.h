// What the text settings' tests share beyond the harness: the clipboard, and files and
// folders on drive C: for the dialogs to find.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace e2e {

// Puts `text` on the clipboard and pastes it into the edit, as the edit's context menu does.
void PasteInto(HWND edit, std::string_view text);

// A folder on drive C: with files and folders below it, removed with the object.
class ScratchFolder {
public:
    // `path`: a Windows path such as C:\name. A folder left by an earlier run is emptied.
    explicit ScratchFolder(std::string path);
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();

    // Creates a file `name` (a few bytes) in the folder; its full path.
    std::string AddFile(std::string_view name) const;
    // Creates a folder `name` in the folder; its full path.
    std::string AddFolder(std::string_view name) const;

private:
    std::string path_;
};

}  // namespace e2e

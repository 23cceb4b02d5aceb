// The platform's message box, program directory, Notepad and dialogs, for the real window.
#pragma once

#include <windows.h>

#include "toolkit/platform.h"

namespace app::win32 {

class Win32Platform final : public toolkit::Platform {
public:
    // Message boxes and the file dialog belong to `owner` once it is set.
    void SetOwner(HWND owner) { owner_ = owner; }

    void ShowMessage(const std::string& prompt, const std::string& title) override;
    std::string AppDirectory() override;
    void StartNotepad(const std::string& commandLine) override;
    std::optional<std::string> OpenFile(const std::string& filter) override;
    std::string BrowseForFolder(const std::string& title) override;

private:
    HWND owner_ = nullptr;
};

}  // namespace app::win32

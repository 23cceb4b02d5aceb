// The platform's message boxes, program directory, Notepad, dialogs, numbers and rights, for
// the real window.
#pragma once

#include <windows.h>

#include "toolkit/platform.h"

namespace app::win32 {

// The main window's class: how a restart finds the window of the instance it started.
inline constexpr const wchar_t* kWindowClass = L"Korvane.frmKorvane";

class Win32Platform final : public toolkit::Platform {
public:
    // Message boxes and the file dialog belong to `owner` once it is set.
    void SetOwner(HWND owner) { owner_ = owner; }

    void ShowMessage(const std::u16string& prompt, const std::u16string& title) override;
    bool AskYesNo(const std::u16string& prompt) override;
    std::u16string AppDirectory() override;
    void StartNotepad(const std::u16string& commandLine) override;
    std::optional<std::u16string> OpenFile(const std::u16string& filter) override;
    std::u16string BrowseForFolder(const std::u16string& title) override;
    std::int32_t NumberFromText(std::u16string_view text, bool int16) override;
    std::optional<std::u16string> FromAnsi(std::string_view bytes) override;
    bool Elevated() override;
    bool RestartElevated(const std::u16string& arguments) override;
    void CloseWindow() override;

private:
    std::wstring ProgramPath();
    bool AwaitWindow(HANDLE process);

    HWND owner_ = nullptr;
};

}  // namespace app::win32

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
    std::optional<std::u16string> OpenFile(const std::u16string& filter,
                                           const std::u16string& folder) override;
    std::optional<std::u16string> SaveAs(const std::u16string& filter) override;
    std::u16string BrowseForFolder(const std::u16string& title) override;
    std::int32_t NumberFromText(std::u16string_view text, bool int16) override;
    std::optional<std::u16string> FromAnsi(std::string_view bytes) override;
    bool Elevated() override;
    std::u16string UndoFolder() override;
    std::u16string LocalTime() override;
    bool SaveFile(const std::u16string& path, const std::vector<std::uint8_t>& bytes) override;
    std::optional<std::vector<std::uint8_t>> LoadFile(const std::u16string& path,
                                                      std::size_t limit) override;
    void KeepNewestFiles(const std::u16string& folder, std::size_t count) override;
    bool RestartElevated(const std::u16string& arguments, bool windowless) override;
    void CloseWindow() override;

private:
    std::wstring ProgramPath();
    std::optional<std::u16string> FileDialog(const std::u16string& filter,
                                             const std::u16string& folder, bool save);
    bool Await(HANDLE process, bool windowless);

    HWND owner_ = nullptr;
};

}  // namespace app::win32

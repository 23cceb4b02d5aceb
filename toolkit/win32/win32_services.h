// The platform services on Win32: MessageBoxW, the module's directory, CreateProcessW and the
// common file-open dialog. Text is UTF-8 on the program's side, UTF-16 at the calls.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/services.h"

namespace toolkit::win32 {

// The filter text of the file-open dialog: each description and pattern ended by a NUL, and
// one more NUL at the end; empty for no filters.
std::wstring FilterText(const std::vector<FileFilter>& filters);

class Win32Services : public PlatformServices {
public:
    // Message boxes and dialogs are modal to `owner` (none: to nothing).
    void SetOwner(HWND owner) { owner_ = owner; }
    HWND owner() const { return owner_; }

    int ShowMessage(const std::string& prompt, int buttons,
                    const std::optional<std::string>& title) override;
    std::string ApplicationDirectory() override;
    std::string SystemDirectory() override;
    void StartProgram(const std::string& program, const std::string& commandLine,
                      int windowStyle) override;
    std::optional<std::string> OpenFileDialog(const std::vector<FileFilter>& filters) override;

private:
    HWND owner_ = nullptr;
};

}  // namespace toolkit::win32

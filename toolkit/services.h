// The platform services port: what the program asks of the system besides its window.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace toolkit {

// Message box buttons; the program only ever asks for OK.
inline constexpr int kOkOnly = 0;
// Message box result for OK.
inline constexpr int kResultOk = 1;
// Window style for a started program: a normal window that takes the focus.
inline constexpr int kNormalFocus = 1;
// The application's title, shown on a message box that has none of its own.
inline constexpr const char* kAppTitle = "Korvane";

// One filter of the file-open dialog: "Bitmap (*.bmp)" and "*.bmp".
struct FileFilter {
    std::string description;
    std::string pattern;
};

class PlatformServices {
public:
    virtual ~PlatformServices() = default;

    // Shows a modal message box; without a title it carries kAppTitle. Returns the button.
    virtual int ShowMessage(const std::string& prompt, int buttons,
                            const std::optional<std::string>& title) = 0;

    // The full path of the running executable's directory: no trailing backslash except at a
    // drive root ("C:\").
    virtual std::string ApplicationDirectory() = 0;

    // The system directory, where the system's own programs live ("C:\windows\system32").
    virtual std::string SystemDirectory() = 0;

    // Starts `program` (a full path) with `commandLine` as its command line and returns at once.
    // Failures to start are the platform's affair and are not reported.
    virtual void StartProgram(const std::string& program, const std::string& commandLine,
                              int windowStyle) = 0;

    // Shows the modal file-open dialog; the chosen file's full path, or nothing on cancel.
    virtual std::optional<std::string> OpenFileDialog(const std::vector<FileFilter>& filters) = 0;
};

}  // namespace toolkit

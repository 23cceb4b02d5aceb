// Platform services for headless runs: records every message box and program start, and
// answers the file-open dialog from a script.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/services.h"

namespace toolkit {

struct ShownMessage {
    std::string prompt;
    int buttons = 0;
    std::optional<std::string> title;  // as passed; nothing means the application's title

    // The title the user sees.
    std::string shownTitle() const { return title.value_or(kAppTitle); }
};

struct StartedProgram {
    std::string program;
    std::string commandLine;
    int windowStyle = 0;
};

class ScriptedServices : public PlatformServices {
public:
    int ShowMessage(const std::string& prompt, int buttons,
                    const std::optional<std::string>& title) override;
    std::string ApplicationDirectory() override { return applicationDirectory; }
    std::string SystemDirectory() override { return systemDirectory; }
    void StartProgram(const std::string& program, const std::string& commandLine,
                      int windowStyle) override;
    // Takes the next scripted answer; with none left the dialog is cancelled.
    std::optional<std::string> OpenFileDialog(const std::vector<FileFilter>& filters) override;

    std::string applicationDirectory = "C:\\Program Files\\Korvane";
    std::string systemDirectory = "C:\\windows\\system32";
    std::deque<std::optional<std::string>> fileDialogAnswers;
    // Runs while a message box is "open", to act as the user would meanwhile.
    std::function<void(const ShownMessage&)> onMessage;

    std::vector<ShownMessage> messages;
    std::vector<StartedProgram> started;
    std::vector<std::vector<FileFilter>> fileDialogFilters;
};

}  // namespace toolkit

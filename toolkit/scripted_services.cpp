#include "toolkit/scripted_services.h"

namespace toolkit {

int ScriptedServices::ShowMessage(const std::string& prompt, int buttons,
                                  const std::optional<std::string>& title) {
    messages.push_back({prompt, buttons, title});
    if (onMessage) {
        onMessage(messages.back());
    }
    return kResultOk;
}

void ScriptedServices::StartProgram(const std::string& program, const std::string& commandLine,
                                    int windowStyle) {
    started.push_back({program, commandLine, windowStyle});
}

std::optional<std::string> ScriptedServices::OpenFileDialog(
    const std::vector<FileFilter>& filters) {
    fileDialogFilters.push_back(filters);
    if (fileDialogAnswers.empty()) {
        return std::nullopt;
    }
    auto answer = fileDialogAnswers.front();
    fileDialogAnswers.pop_front();
    return answer;
}

}  // namespace toolkit

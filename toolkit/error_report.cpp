#include "toolkit/error_report.h"

namespace toolkit {

std::string ErrorPrompt(const Error& error) {
    return "Error: " + std::to_string(error.number()) + ". " + error.description();
}

void ShowErrorReport(PlatformServices& services, const std::string& title, const Error& error) {
    services.ShowMessage(ErrorPrompt(error), kOkOnly, title);
}

}  // namespace toolkit

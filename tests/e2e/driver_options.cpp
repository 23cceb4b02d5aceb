#include "tests/e2e/driver_options.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdlib>

#include "tests/e2e/program_process.h"
#include "tests/e2e/text_convert.h"

namespace e2e {

namespace {

DriverOptions ParseOptions() {
    DriverOptions options;
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; i < count; ++i) {
        const std::string arg = Narrow(args[i]);
        if (arg.starts_with("--dpi=")) {
            options.dpi = std::atoi(arg.c_str() + 6);
        } else if (arg.starts_with("--budget=")) {
            options.budget = std::chrono::seconds(std::atoi(arg.c_str() + 9));
        } else if (!arg.starts_with("--") && options.korvaneExe.empty()) {
            options.korvaneExe = WindowsPath(arg);
        }
    }
    LocalFree(args);
    return options;
}

}  // namespace

const DriverOptions& Options() {
    static const DriverOptions options = ParseOptions();
    return options;
}

std::chrono::steady_clock::time_point RunDeadline() {
    static const auto deadline = std::chrono::steady_clock::now() + Options().budget;
    return deadline;
}

}  // namespace e2e

// The driver's command line: korvane_e2e.exe KORVANE_EXE [--dpi=N] [--budget=SECONDS]
// [gtest flags]. Read once from the process's command line, never changed.
#pragma once

#include <chrono>
#include <string>

namespace e2e {

struct DriverOptions {
    std::string korvaneExe;  // Windows path
    int dpi = 96;            // the system DPI the tests must run at
    // The whole run's time: once it is spent every wait gives up at once, so a broken
    // program fails the run instead of outlasting the test runner's own limit.
    std::chrono::seconds budget{180};
};

const DriverOptions& Options();

// When the budget runs out, counted from the first call (main makes it at start).
std::chrono::steady_clock::time_point RunDeadline();

}  // namespace e2e

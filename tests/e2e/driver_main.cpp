// korvane_e2e.exe KORVANE_EXE [--dpi=N] [--budget=SECONDS] [gtest flags]
//
// A process reads the system DPI when it starts, so to run at another DPI the driver sets
// LogPixels in the prefix, runs itself again, and puts the value back afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"
#include "tests/e2e/program_process.h"
#include "tests/e2e/registry_access.h"
#include "tests/e2e/registry_snapshot.h"

namespace {

constexpr wchar_t kRelaunchedVariable[] = L"KORVANE_E2E_RELAUNCHED";

int RunAtDpi(int dpi) {
    const e2e::RegistryTreeGuard desktop(HKEY_CURRENT_USER, "Control Panel\\Desktop");
    e2e::WriteValue(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels",
                    e2e::Dword(static_cast<std::uint32_t>(dpi)));
    SetEnvironmentVariableW(kRelaunchedVariable, L"1");
    std::wstring commandLine = GetCommandLineW();
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(self, buffer.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &info)) {
        std::fprintf(stderr, "could not run the driver again at %d DPI\n", dpi);
        return 1;
    }
    const e2e::OwnedHandle process(info.hProcess);
    CloseHandle(info.hThread);
    DWORD code = 1;
    // The run keeps to its budget; the margin is for ending the program and putting back.
    const auto limit = e2e::Options().budget + std::chrono::seconds(60);
    if (WaitForSingleObject(process.get(), static_cast<DWORD>(limit.count() * 1000)) !=
        WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 1);
        WaitForSingleObject(process.get(), 30000);
        std::fprintf(stderr, "the driver at %d DPI did not finish\n", dpi);
        return 1;
    }
    GetExitCodeProcess(process.get(), &code);
    return static_cast<int>(code);
}

int Main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    e2e::RunDeadline();  // the budget counts from here
    const e2e::DriverOptions& options = e2e::Options();
    if (options.korvaneExe.empty()) {
        std::fprintf(stderr, "usage: korvane_e2e KORVANE_EXE [--dpi=N] [gtest flags]\n");
        return 2;
    }
    if (e2e::SystemDpi() != options.dpi) {
        if (GetEnvironmentVariableW(kRelaunchedVariable, nullptr, 0) != 0) {
            std::fprintf(stderr, "LogPixels %d did not take: the system DPI is %d\n", options.dpi,
                         e2e::SystemDpi());
            return 2;
        }
        return RunAtDpi(options.dpi);
    }
    std::printf("running at %d DPI\n", options.dpi);
    std::fflush(stdout);
    return RUN_ALL_TESTS();
}

}  // namespace

int main(int argc, char** argv) {
    // Real pixels, as the program sees them.
    SetProcessDPIAware();
    try {
        return Main(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "korvane_e2e: %s\n", error.what());
        return 2;
    }
}

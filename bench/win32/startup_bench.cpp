// Start-up under Wine: from process start until the main window is visible and the program
// waits for input (WaitForInputIdle), for korvane.exe and for the minimal window program,
// alternating, each measured many times; then each one's peak working set, read from here.
//   startup_bench.exe <korvane.exe> <minimal_window.exe> [rounds]
// The toolbar policy is switched on first, so korvane's start-up does all it can.
#include <windows.h>

#include <psapi.h>  // after windows.h, which it needs

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/timing.h"

namespace {

struct Found {
    DWORD process;
    HWND window = nullptr;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<Found*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == found->process && IsWindowVisible(window)) {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

struct Run {
    double milliseconds = 0;
    double peakWorkingSetKiB = 0;
};

// A process owner that makes sure the program is gone when the run is over.
class Process {
public:
    explicit Process(const PROCESS_INFORMATION& info) : info_(info) {}
    ~Process() {
        if (WaitForSingleObject(info_.hProcess, 10000) != WAIT_OBJECT_0) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    const PROCESS_INFORMATION& info() const { return info_; }

private:
    PROCESS_INFORMATION info_;
};

Run StartOnce(const std::wstring& program) {
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    LARGE_INTEGER hz;
    LARGE_INTEGER from;
    LARGE_INTEGER to;
    QueryPerformanceFrequency(&hz);
    QueryPerformanceCounter(&from);
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
        std::fprintf(stderr, "cannot start %ls: %lu\n", program.c_str(), GetLastError());
        std::exit(2);
    }
    Process process(info);
    if (WaitForInputIdle(info.hProcess, 30000) != 0) {
        std::fprintf(stderr, "%ls never became idle\n", program.c_str());
        std::exit(2);
    }
    Found found{info.dwProcessId};
    for (int tries = 0; found.window == nullptr && tries < 30000; ++tries) {
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&found));
        if (found.window == nullptr) {
            Sleep(1);
        }
    }
    QueryPerformanceCounter(&to);
    if (found.window == nullptr) {
        std::fprintf(stderr, "%ls showed no window\n", program.c_str());
        std::exit(2);
    }
    Run run;
    run.milliseconds = static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 /
                       static_cast<double>(hz.QuadPart);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(info.hProcess, &memory, sizeof memory)) {
        run.peakWorkingSetKiB = static_cast<double>(memory.PeakWorkingSetSize) / 1024.0;
    }
    PostMessageW(found.window, WM_CLOSE, 0, 0);
    return run;
}

void SwitchToolbarPolicyOn() {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER,
                        L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", 0,
                        nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key,
                        nullptr) == ERROR_SUCCESS) {
        const DWORD on = 1;
        RegSetValueExW(key, L"NoToolbarCustomize", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&on),
                       sizeof on);
        RegCloseKey(key);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench <korvane.exe> <minimal_window.exe> [rounds]\n");
        return 2;
    }
    const std::wstring korvane = argv[1];
    const std::wstring minimal = argv[2];
    const int rounds = argc > 3 ? _wtoi(argv[3]) : 15;
    SwitchToolbarPolicyOn();

    // One start of each first, so neither pays for the first load of the system DLLs.
    StartOnce(korvane);
    StartOnce(minimal);

    std::vector<double> korvaneTimes;
    std::vector<double> minimalTimes;
    std::vector<double> korvanePeaks;
    std::vector<double> minimalPeaks;
    for (int round = 0; round < rounds; ++round) {
        const bool korvaneFirst = round % 2 == 0;
        for (int turn = 0; turn < 2; ++turn) {
            const bool isKorvane = (turn == 0) == korvaneFirst;
            const Run run = StartOnce(isKorvane ? korvane : minimal);
            (isKorvane ? korvaneTimes : minimalTimes).push_back(run.milliseconds);
            (isKorvane ? korvanePeaks : minimalPeaks).push_back(run.peakWorkingSetKiB);
            std::fprintf(stderr, "round %d %s %.1f ms\n", round, isKorvane ? "korvane" : "minimal",
                         run.milliseconds);
        }
    }
    const double korvaneMedian = bench::Median(korvaneTimes);
    const double minimalMedian = bench::Median(minimalTimes);
    bench::PrintFigure("startup_korvane_ms", korvaneMedian, "ms");
    bench::PrintFigure("startup_minimal_ms", minimalMedian, "ms");
    bench::PrintFigure("startup_ratio", korvaneMedian / minimalMedian, "x");
    bench::PrintFigure("peak_working_set_korvane_kib", bench::Median(korvanePeaks), "KiB");
    bench::PrintFigure("peak_working_set_minimal_kib", bench::Median(minimalPeaks), "KiB");
    return 0;
}

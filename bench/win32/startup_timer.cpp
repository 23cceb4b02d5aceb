// Times programs from CreateProcess until their "Korvanelle" window is visible and they are
// idle, taking the programs in turn each round so that drift in the machine hits them alike.
//   startup_timer.exe rounds program.exe [program.exe...]
// Prints "<round> <program index> <milliseconds>" per launch; round 0 warms up and is not timed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK Visit(HWND hwnd, LPARAM lparam) {
    auto* search = reinterpret_cast<Search*>(lparam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t caption[32];
    if (pid == search->pid && IsWindowVisible(hwnd) && GetWindowTextW(hwnd, caption, 32) > 0 &&
        wcscmp(caption, L"Korvanelle") == 0) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Milliseconds to a visible, idle window; negative when the program never got there.
double TimeOne(const wchar_t* program) {
    std::wstring command = L"\"" + std::wstring(program) + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(program, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        fwprintf(stderr, L"cannot start %ls (%lu)\n", program, GetLastError());
        return -1;
    }
    WaitForInputIdle(process.hProcess, 30000);
    Search search = {process.dwProcessId, nullptr};
    for (int i = 0; i < 30000 && !search.found; ++i) {
        EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
        if (!search.found) {
            if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) {
                break;  // gone without a window
            }
        }
    }
    QueryPerformanceCounter(&now);
    double ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
                static_cast<double>(frequency.QuadPart);
    if (!search.found) {
        ms = -1;
    } else {
        PostMessageW(search.found, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ms;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        fwprintf(stderr, L"usage: startup_timer rounds program.exe [program.exe...]\n");
        return 2;
    }
    const int rounds = _wtoi(argv[1]);
    int failures = 0;
    for (int round = 0; round <= rounds; ++round) {
        for (int i = 2; i < argc; ++i) {
            const double ms = TimeOne(argv[i]);
            failures += ms < 0;
            if (round > 0) {
                printf("%d %d %.1f\n", round, i - 2, ms);
                fflush(stdout);
            }
        }
    }
    return failures ? 1 : 0;
}

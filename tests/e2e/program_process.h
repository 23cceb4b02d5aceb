// A process the driver started or found, owned so that it never outlives the test.
#pragma once

#include <windows.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace e2e {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
// A move-only owner of a kernel handle.
using OwnedHandle = std::unique_ptr<void, HandleCloser>;

// The Windows form of a path given to the driver: a Unix path becomes one on drive Z:.
std::string WindowsPath(std::string_view path);
// The directory part of a Windows path, without its trailing backslash.
std::string DirectoryOf(std::string_view path);

// A running program. Ending the object ends the program if it is still running, so a
// failed test leaves nothing behind.
class ProgramProcess {
public:
    // Starts `exe` (a Windows path) in `directory`; a HarnessError on failure.
    static ProgramProcess Start(const std::string& exe, const std::string& directory);
    // Takes the process that owns `window`; a HarnessError when it cannot be opened.
    static ProgramProcess OfWindow(HWND window);

    ProgramProcess(ProgramProcess&&) noexcept = default;
    ProgramProcess& operator=(ProgramProcess&&) noexcept = default;
    ~ProgramProcess();

    DWORD id() const { return id_; }
    bool running() const;
    // Waits until the program waits for input, at most `limit`; false on timeout.
    bool WaitForIdle(std::chrono::milliseconds limit) const;
    // Waits for the program to end, at most `limit`; its exit code, or nothing on timeout.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds limit) const;
    // The exit code of a program that the driver had to end.
    static constexpr DWORD kTerminatedCode = 0xE2E;

private:
    ProgramProcess(OwnedHandle process, DWORD id) : process_(std::move(process)), id_(id) {}

    OwnedHandle process_;
    DWORD id_ = 0;
};

}  // namespace e2e

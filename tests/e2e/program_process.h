// A process the driver started or found, owned so that it never outlives the test.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace e2e {

// A move-only owner of a kernel handle.
class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.release()) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept;
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    ~OwnedHandle() { Close(); }

    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    HANDLE release();
    void Close();

private:
    HANDLE handle_ = nullptr;
};

// The Windows form of a path given to the driver: a Unix path becomes one on drive Z:.
std::string WindowsPath(std::string_view path);
// The directory part of a Windows path, without its trailing backslash.
std::string DirectoryOf(std::string_view path);

// A running program. Ending the object ends the program if it is still running, so a
// failed test leaves nothing behind.
class ProgramProcess {
public:
    // Starts `exe` (a Windows path) with `arguments` in `directory`; a HarnessError on failure.
    static ProgramProcess Start(const std::string& exe, const std::string& arguments = {},
                                const std::string& directory = {});
    // Takes the process that owns `window`; a HarnessError when it cannot be opened.
    static ProgramProcess OfWindow(HWND window);

    ProgramProcess(ProgramProcess&&) noexcept = default;
    ProgramProcess& operator=(ProgramProcess&&) noexcept = default;
    ~ProgramProcess();

    DWORD id() const { return id_; }
    DWORD threadId() const { return threadId_; }
    bool running() const;
    // Waits until the program waits for input, at most `limit`; false on timeout.
    bool WaitForIdle(std::chrono::milliseconds limit) const;
    // Waits for the program to end, at most `limit`; its exit code, or nothing on timeout.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds limit) const;
    // Ends it at once; the exit code it is given.
    static constexpr DWORD kTerminatedCode = 0xE2E;
    void Terminate();

private:
    ProgramProcess(OwnedHandle process, DWORD id, DWORD threadId)
        : process_(std::move(process)), id_(id), threadId_(threadId) {}

    OwnedHandle process_;
    DWORD id_ = 0;
    DWORD threadId_ = 0;
};

}  // namespace e2e

#include "tests/e2e/program_process.h"

#include <vector>

#include "tests/e2e/text_convert.h"
#include "tests/e2e/wait.h"

namespace e2e {

OwnedHandle& OwnedHandle::operator=(OwnedHandle&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = other.release();
    }
    return *this;
}

HANDLE OwnedHandle::release() {
    HANDLE handle = handle_;
    handle_ = nullptr;
    return handle;
}

void OwnedHandle::Close() {
    if (handle_ != nullptr) {
        CloseHandle(handle_);
        handle_ = nullptr;
    }
}

std::string WindowsPath(std::string_view path) {
    std::string out(path);
    if (out.starts_with('/')) {
        out = "Z:" + out;
    }
    for (char& c : out) {
        if (c == '/') {
            c = '\\';
        }
    }
    return out;
}

std::string DirectoryOf(std::string_view path) {
    const auto slash = path.find_last_of('\\');
    return std::string(slash == std::string_view::npos ? std::string_view{}
                                                       : path.substr(0, slash));
}

ProgramProcess ProgramProcess::Start(const std::string& exe, const std::string& arguments,
                                     const std::string& directory) {
    std::wstring commandLine = L"\"" + Widen(exe) + L"\"";
    if (!arguments.empty()) {
        commandLine += L" " + Widen(arguments);
    }
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    const std::wstring wideExe = Widen(exe);
    const std::wstring wideDir = Widen(directory);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(wideExe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        wideDir.empty() ? nullptr : wideDir.c_str(), &startup, &info)) {
        throw HarnessError("starting " + exe + " failed: error " + std::to_string(GetLastError()));
    }
    CloseHandle(info.hThread);
    return ProgramProcess(OwnedHandle(info.hProcess), info.dwProcessId, info.dwThreadId);
}

ProgramProcess ProgramProcess::OfWindow(HWND window) {
    DWORD id = 0;
    const DWORD thread = GetWindowThreadProcessId(window, &id);
    HANDLE process =
        OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, id);
    if (process == nullptr) {
        throw HarnessError("opening the process of a window failed");
    }
    return ProgramProcess(OwnedHandle(process), id, thread);
}

ProgramProcess::~ProgramProcess() {
    if (process_ && running()) {
        Terminate();
    }
}

bool ProgramProcess::running() const {
    return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

bool ProgramProcess::WaitForIdle(std::chrono::milliseconds limit) const {
    const auto ms = limit.count() > 0 ? limit.count() : 0;
    return WaitForInputIdle(process_.get(), static_cast<DWORD>(ms)) == 0;
}

std::optional<DWORD> ProgramProcess::WaitForExit(std::chrono::milliseconds limit) const {
    if (!WaitUntil([&] { return !running(); }, limit)) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

void ProgramProcess::Terminate() {
    TerminateProcess(process_.get(), kTerminatedCode);
    WaitForSingleObject(process_.get(), static_cast<DWORD>(kExitLimit.count()));
}

}  // namespace e2e

#include "tests/e2e/program_process.h"

#include "tests/e2e/text_convert.h"
#include "tests/e2e/wait.h"

namespace e2e {

std::string WindowsPath(std::string_view path) {
    std::string out(path);
    if (out.starts_with('/')) {
        out = "Z:" + out;
    }
    for (char& c : out) {
        c = c == '/' ? '\\' : c;
    }
    return out;
}

std::string DirectoryOf(std::string_view path) {
    const auto slash = path.find_last_of('\\');
    return std::string(path.substr(0, slash == std::string_view::npos ? 0 : slash));
}

ProgramProcess ProgramProcess::Start(const std::string& exe, const std::string& directory) {
    const std::wstring wideExe = Widen(exe);
    std::wstring commandLine = L"\"" + wideExe + L"\"";
    const std::wstring wideDir = Widen(directory);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(wideExe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        wideDir.empty() ? nullptr : wideDir.c_str(), &startup, &info)) {
        throw HarnessError("starting " + exe + " failed: error " + std::to_string(GetLastError()));
    }
    CloseHandle(info.hThread);
    return ProgramProcess(OwnedHandle(info.hProcess), info.dwProcessId);
}

ProgramProcess ProgramProcess::OfWindow(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    OwnedHandle process(
        OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, id));
    if (!process) {
        throw HarnessError("opening the process of a window failed");
    }
    return ProgramProcess(std::move(process), id);
}

ProgramProcess::~ProgramProcess() {
    if (process_ && running()) {
        TerminateProcess(process_.get(), kTerminatedCode);
        WaitForSingleObject(process_.get(), static_cast<DWORD>(kExitLimit.count()));
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

}  // namespace e2e

#include "tests/e2e/text_test_support.h"

#include <shellapi.h>

#include <cstring>

#include "tests/e2e/text_convert.h"

namespace e2e {

namespace {

// Removes a folder and everything in it; a missing folder is fine.
void RemoveTree(const std::string& path) {
    std::wstring from = Widen(path);
    from.push_back(L'\0');  // the list of paths ends with an empty one
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NO_UI;
    SHFileOperationW(&operation);
}

}  // namespace

std::string AwaitText(HWND control, std::string_view expected) {
    std::string text;
    WaitUntil(
        [&] {
            text = Text(control);
            return text == expected;
        },
        kReactLimit);
    return text;
}

std::optional<StoredValue> AwaitValue(HKEY root, std::string_view path, std::string_view name,
                                      const std::optional<StoredValue>& expected) {
    std::optional<StoredValue> value;
    WaitUntil(
        [&] {
            value = ReadValue(root, path, name);
            return value == expected;
        },
        kReactLimit);
    return value;
}

void AwaitClosed(HWND window, const std::string& what) {
    Await([&] { return !IsWindow(window) || !IsVisible(window); }, kReactLimit, what + " to close");
}

void AwaitInputHandled(const Korvane& korvane) {
    const HWND marker = korvane.Control("txtAddDomain");
    const std::string before = Text(marker);
    Type(marker, "|");
    Await([&] { return Text(marker) != before; }, kReactLimit, "the program to handle its input");
}

void AwaitIdle(const Korvane& korvane) {
    // A sent message is only answered when the thread reads its queue again.
    SendWithLimit(korvane.mainWindow(), WM_NULL);
}

void PasteInto(HWND edit, std::string_view text) {
    const std::wstring wide = Widen(text);
    const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) {
        throw HarnessError("no memory for the clipboard");
    }
    if (void* data = GlobalLock(memory)) {
        std::memcpy(data, wide.c_str(), bytes);
        GlobalUnlock(memory);
    }
    if (!OpenClipboard(nullptr)) {
        GlobalFree(memory);
        throw HarnessError("cannot open the clipboard");
    }
    EmptyClipboard();
    // The clipboard owns the memory once it has taken it.
    const bool taken = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    if (!taken) {
        GlobalFree(memory);
        throw HarnessError("cannot put text on the clipboard");
    }
    if (!PostMessageW(edit, WM_PASTE, 0, 0)) {
        throw HarnessError("posting the paste failed");
    }
}

std::vector<std::string> ControlStates(const Korvane& korvane, std::string_view except) {
    std::vector<std::string> states;
    for (const auto& row : app::kLayout) {
        if (row.name == except) {
            continue;
        }
        const HWND control =
            row.kind == app::LayoutKind::TextBox || row.kind == app::LayoutKind::CheckBox
                ? korvane.Control(row.name)
                : nullptr;
        if (control == nullptr) {
            continue;
        }
        const std::string state = row.kind == app::LayoutKind::TextBox
                                      ? "\"" + Text(control) + "\""
                                      : std::to_string(CheckState(control));
        states.push_back(std::string(row.name) + " " + state +
                         (IsEnabled(control) ? "" : " disabled"));
    }
    return states;
}

ScratchFolder::ScratchFolder(std::string path) : path_(std::move(path)) {
    RemoveTree(path_);
    if (!CreateDirectoryW(Widen(path_).c_str(), nullptr)) {
        throw HarnessError("cannot create the folder " + path_);
    }
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(path_);
}

std::string ScratchFolder::AddFile(std::string_view name) const {
    const std::string file = path_ + "\\" + std::string(name);
    HANDLE handle = CreateFileW(Widen(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        throw HarnessError("cannot create the file " + file);
    }
    OwnedHandle owner(handle);
    // The start of a bitmap's header is enough: the program only names the file.
    const char content[] = "BM";
    DWORD written = 0;
    WriteFile(handle, content, 2, &written, nullptr);
    return file;
}

std::string ScratchFolder::AddFolder(std::string_view name) const {
    const std::string folder = path_ + "\\" + std::string(name);
    if (!CreateDirectoryW(Widen(folder).c_str(), nullptr)) {
        throw HarnessError("cannot create the folder " + folder);
    }
    return folder;
}

}  // namespace e2e

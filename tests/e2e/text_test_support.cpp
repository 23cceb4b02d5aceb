#include "tests/e2e/text_test_support.h"

#include <shellapi.h>

#include <cstring>

#include "tests/e2e/program_process.h"
#include "tests/e2e/text_convert.h"
#include "tests/e2e/wait.h"

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
    const OwnedHandle owner(handle);
    // The start of a bitmap's header is enough: the program only names the file.
    DWORD written = 0;
    WriteFile(handle, "BM", 2, &written, nullptr);
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

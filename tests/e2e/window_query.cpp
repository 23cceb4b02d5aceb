#include "tests/e2e/window_query.h"

#include <commctrl.h>

#include <array>

#include "tests/e2e/program_process.h"
#include "tests/e2e/text_convert.h"
#include "tests/e2e/wait.h"

namespace e2e {

namespace {

BOOL CALLBACK Collect(HWND window, LPARAM context) {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

// Memory inside another process, for the messages whose argument is a pointer (a tooltip's
// text): the pointer must be valid where the message is handled. Freed with the object.
class RemoteBuffer {
public:
    RemoteBuffer(DWORD pid, std::size_t size)
        : process_(
              OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid)) {
        address_ = process_ ? VirtualAllocEx(process_.get(), nullptr, size,
                                             MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)
                            : nullptr;
        if (address_ == nullptr) {
            throw HarnessError("cannot allocate memory in process " + std::to_string(pid));
        }
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    // Fails harmlessly when the process has ended: its memory went with it.
    ~RemoteBuffer() { VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE); }

    void* at(std::size_t offset) const { return static_cast<char*>(address_) + offset; }
    void Write(const void* data, std::size_t size, std::size_t offset = 0) const {
        if (!WriteProcessMemory(process_.get(), at(offset), data, size, nullptr)) {
            throw HarnessError("cannot write the other process's memory");
        }
    }
    void Read(void* data, std::size_t size, std::size_t offset = 0) const {
        if (!ReadProcessMemory(process_.get(), at(offset), data, size, nullptr)) {
            throw HarnessError("cannot read the other process's memory");
        }
    }

private:
    OwnedHandle process_;
    void* address_ = nullptr;
};

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD pid, const std::wstring& className) {
    std::vector<HWND> all;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> found;
    for (HWND window : all) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == pid && (className.empty() || Widen(ClassName(window)) == className)) {
            found.push_back(window);
        }
    }
    return found;
}

std::vector<HWND> DescendantWindows(HWND parent) {
    std::vector<HWND> all;
    EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&all));
    return all;
}

std::string ClassName(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, 256);
    return Narrow(std::wstring_view(name, static_cast<size_t>(length > 0 ? length : 0)));
}

LRESULT SendWithLimit(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                             static_cast<UINT>(kSendLimit.count()), &result)) {
        throw HarnessError("window " + std::to_string(reinterpret_cast<UINT_PTR>(window)) +
                           " did not answer message " + std::to_string(message));
    }
    return static_cast<LRESULT>(result);
}

std::string Text(HWND window) {
    const auto length = static_cast<size_t>(SendWithLimit(window, WM_GETTEXTLENGTH));
    std::wstring text(length + 1, L'\0');
    const auto copied = static_cast<size_t>(
        SendWithLimit(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data())));
    text.resize(copied < length ? copied : length);
    return Narrow(text);
}

LONG_PTR Style(HWND window) {
    return GetWindowLongPtrW(window, GWL_STYLE);
}

int CheckState(HWND checkBox) {
    return static_cast<int>(SendWithLimit(checkBox, BM_GETCHECK));
}

bool IsChecked(HWND checkBox) {
    return CheckState(checkBox) == BST_CHECKED;
}

bool IsEnabled(HWND window) {
    return IsWindowEnabled(window) != FALSE;
}

bool IsVisible(HWND window) {
    return IsWindowVisible(window) != FALSE;
}

RECT RectInParent(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetAncestor(window, GA_PARENT), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT ClientRectOnScreen(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string Describe(const RECT& rect) {
    return "(" + std::to_string(rect.left) + ", " + std::to_string(rect.top) + ") " +
           std::to_string(rect.right - rect.left) + " x " + std::to_string(rect.bottom - rect.top);
}

HWND FocusOfThreadOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) {
        return nullptr;
    }
    return info.hwndFocus;
}

std::optional<std::string> TooltipText(DWORD pid, HWND tool) {
    // The tool's description and the room for its text, both where the tooltip can read them.
    constexpr std::size_t kTipChars = 1024;
    constexpr std::size_t kTextOffset = (sizeof(TTTOOLINFOW) + 15) / 16 * 16;
    RemoteBuffer buffer(pid, kTextOffset + kTipChars * sizeof(wchar_t));
    for (HWND tip : TopLevelWindows(pid, TOOLTIPS_CLASSW)) {
        TTTOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V2_SIZE;  // the older size: every comctl32 takes it
        info.uFlags = TTF_IDISHWND;
        info.hwnd = GetParent(tool);
        info.uId = reinterpret_cast<UINT_PTR>(tool);
        info.lpszText = static_cast<wchar_t*>(buffer.at(kTextOffset));
        std::array<wchar_t, kTipChars> text{};
        buffer.Write(text.data(), text.size() * sizeof(wchar_t), kTextOffset);
        buffer.Write(&info, sizeof info);
        if (!SendWithLimit(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(buffer.at(0)))) {
            continue;
        }
        // GETTOOLINFO may have pointed lpszText at the tool's own copy: ask for the text.
        buffer.Write(&info, sizeof info);
        SendWithLimit(tip, TTM_GETTEXTW, kTipChars, reinterpret_cast<LPARAM>(buffer.at(0)));
        buffer.Read(text.data(), text.size() * sizeof(wchar_t), kTextOffset);
        text.back() = L'\0';
        return Narrow(text.data());
    }
    return std::nullopt;
}

}  // namespace e2e

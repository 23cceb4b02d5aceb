#include "tests/e2e/window_query.h"

#include "tests/e2e/text_convert.h"
#include "tests/e2e/wait.h"

namespace e2e {

namespace {

struct TopLevelQuery {
    DWORD pid;
    const std::wstring* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context) {
    auto& query = *reinterpret_cast<TopLevelQuery*>(context);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == query.pid &&
        (query.className->empty() || Widen(ClassName(window)) == *query.className)) {
        query.found.push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK CollectDescendant(HWND window, LPARAM context) {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD pid, const std::wstring& className) {
    TopLevelQuery query{pid, &className, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

std::vector<HWND> DescendantWindows(HWND parent) {
    std::vector<HWND> all;
    EnumChildWindows(parent, CollectDescendant, reinterpret_cast<LPARAM>(&all));
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

LONG_PTR ExStyle(HWND window) {
    return GetWindowLongPtrW(window, GWL_EXSTYLE);
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
    if (HWND parent = GetAncestor(window, GA_PARENT); parent != GetDesktopWindow()) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    }
    return rect;
}

RECT ClientRectOnScreen(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

SIZE ClientSize(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

bool Intersects(const RECT& a, const RECT& b) {
    RECT both{};
    return IntersectRect(&both, &a, &b) != FALSE;
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

}  // namespace e2e

// Reading another process's windows. Texts go through WM_GETTEXT (Wine does not ask another
// process's control for GetWindowText), and every sent message has a time limit.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// The visible or hidden top-level windows of process `pid`, of class `className` if given.
std::vector<HWND> TopLevelWindows(DWORD pid, const std::wstring& className = {});
// Every window below `parent`, at any depth.
std::vector<HWND> DescendantWindows(HWND parent);

std::string ClassName(HWND window);
// The window's text (caption or content), UTF-8.
std::string Text(HWND window);
// The result of a message sent with a time limit; a HarnessError when the window is gone or
// does not answer within it.
LRESULT SendWithLimit(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

LONG_PTR Style(HWND window);
// The check box's state: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
int CheckState(HWND checkBox);
bool IsChecked(HWND checkBox);
bool IsEnabled(HWND window);
bool IsVisible(HWND window);

// The window's rectangle in the client coordinates of its parent.
RECT RectInParent(HWND window);
// The client area's rectangle in screen coordinates.
RECT ClientRectOnScreen(HWND window);
std::string Describe(const RECT& rect);

// The window that has the keyboard focus in the thread that owns `window`.
HWND FocusOfThreadOf(HWND window);

// The text of the tooltip tool for `tool` (registered by its window handle) in any tooltip
// window of process `pid`; nothing when no tooltip window knows the tool.
std::optional<std::string> TooltipText(DWORD pid, HWND tool);

}  // namespace e2e

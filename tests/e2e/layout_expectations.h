// What the layout table means for the native window: pixel rectangles at a DPI, window
// classes and styles per kind, fonts, and the tab order.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/layout.h"
#include "tests/e2e/ink_capture.h"

namespace e2e {

// Twips to pixels at `dpi`, each value on its own.
int Pixels(int twips, int dpi);
// The row's rectangle in its container's client area, in pixels.
RECT ExpectedRect(const app::ControlLayout& row, int dpi);
// The font the row's text is drawn in at `dpi`.
FontChoice ExpectedFont(const app::ControlLayout& row, int dpi);

// The window class of a kind ("Static", "Edit", "Button", "ListBox").
std::string ExpectedClass(app::LayoutKind kind);
// Whether a Button's style fits the kind: check box, push button or group box.
bool ButtonStyleFits(app::LayoutKind kind, LONG_PTR style);

// True for rows inside Frame7, at any depth, and Frame7 itself.
bool InDomainGroup(const app::ControlLayout& row);
// The rows that take the focus, in tab order: no labels, frames or dialog component, and
// nothing of the domain group, which the user never reaches.
std::vector<std::string_view> ExpectedTabOrder();
// The layout name of a control found in the window, by its ID; "ID n" when it has none.
std::string NameOfControl(HWND control);

}  // namespace e2e

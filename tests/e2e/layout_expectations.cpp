#include "tests/e2e/layout_expectations.h"

#include <algorithm>

namespace e2e {

int Pixels(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}

RECT ExpectedRect(const app::ControlLayout& row, int dpi) {
    const int left = Pixels(row.left, dpi);
    const int top = Pixels(row.top, dpi);
    return RECT{left, top, left + Pixels(row.width, dpi), top + Pixels(row.height, dpi)};
}

FontChoice ExpectedFont(const app::ControlLayout& row, int dpi) {
    // 8.25 points.
    return FontChoice{L"MS Sans Serif", -MulDiv(825, dpi, 7200),
                      row.font == app::FontStyle::Bold ? FW_BOLD : FW_NORMAL,
                      row.font == app::FontStyle::Italic};
}

std::string ExpectedClass(app::LayoutKind kind) {
    switch (kind) {
        case app::LayoutKind::Label:
            return "Static";
        case app::LayoutKind::TextBox:
            return "Edit";
        case app::LayoutKind::CheckBox:
        case app::LayoutKind::PushButton:
        case app::LayoutKind::Frame:
            return "Button";
        case app::LayoutKind::ListBox:
            return "ListBox";
        case app::LayoutKind::CommonDialog:
            break;
    }
    return "(no window)";
}

bool ButtonStyleFits(app::LayoutKind kind, LONG_PTR style) {
    const LONG_PTR type = style & BS_TYPEMASK;
    switch (kind) {
        case app::LayoutKind::CheckBox:
            return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX;
        case app::LayoutKind::PushButton:
            return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
        case app::LayoutKind::Frame:
            return type == BS_GROUPBOX;
        default:
            return false;
    }
}

bool InDomainGroup(const app::ControlLayout& row) {
    for (const app::ControlLayout* at = &row; at != nullptr;
         at = at->container.empty() ? nullptr : app::FindLayout(at->container)) {
        if (at->name == "Frame7") {
            return true;
        }
    }
    return false;
}

std::vector<std::string_view> ExpectedTabOrder() {
    std::vector<const app::ControlLayout*> rows;
    for (const auto& row : app::kLayout) {
        const bool focusable =
            row.kind == app::LayoutKind::TextBox || row.kind == app::LayoutKind::CheckBox ||
            row.kind == app::LayoutKind::PushButton || row.kind == app::LayoutKind::ListBox;
        if (focusable && !InDomainGroup(row)) {
            rows.push_back(&row);
        }
    }
    std::sort(rows.begin(), rows.end(),
              [](const auto* a, const auto* b) { return a->tabIndex < b->tabIndex; });
    std::vector<std::string_view> names;
    for (const auto* row : rows) {
        names.push_back(row->name);
    }
    return names;
}

std::string NameOfControl(HWND control) {
    const int index = GetDlgCtrlID(control) - 1000;
    if (index >= 0 && index < static_cast<int>(app::kLayout.size())) {
        return std::string(app::kLayout[static_cast<size_t>(index)].name);
    }
    return "ID " + std::to_string(GetDlgCtrlID(control));
}

}  // namespace e2e

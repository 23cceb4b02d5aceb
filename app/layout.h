// Every control of the main window as data: kind, container, caption, place in twips, tab
// index and font. Both the portable controls and the native window are made from this table.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "toolkit/control_set.h"

namespace app {

inline constexpr int kClientWidthTwips = 7350;
inline constexpr int kClientHeightTwips = 6405;
inline constexpr std::string_view kWindowCaption = "Korvanelle";

enum class LayoutKind { Label, TextBox, CheckBox, PushButton, Frame, ListBox, CommonDialog };
enum class FontStyle { Regular, Bold, Italic };

struct ControlLayout {
    std::string_view name;
    LayoutKind kind;
    std::string_view container;  // "" for the window itself
    std::string_view caption;
    int left;
    int top;
    int width;
    int height;
    int tabIndex;  // -1 for the dialog component, which has no place in the window
    FontStyle font = FontStyle::Regular;
};

// The rows in creation order: every container comes before the controls inside it.
extern const std::array<ControlLayout, 62> kLayout;

// The row named `name`, or nothing.
const ControlLayout* FindLayout(std::string_view name);

// The toolkit kind of a row; nothing for the dialog component.
std::optional<toolkit::ControlKind> ToolkitKind(LayoutKind kind);

// The portable control of every row that has one, with its caption, in table order.
toolkit::ControlSet CreateControls();

}  // namespace app

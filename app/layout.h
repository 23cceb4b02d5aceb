// Every control of the main window as data: kind, container, caption, place in twips, tab
// index and font. The form's controls and the native window are both made from this table.
#pragma once

#include <array>

#include "app/frm_korvane.h"

namespace app {

inline constexpr int kClientWidthTwips = 7350;
inline constexpr int kClientHeightTwips = 6405;
inline constexpr const char16_t* kWindowCaption = u"Korvanelle";

enum class Font { Regular, Bold, Italic };

struct LayoutRow {
    Control frmKorvane::*control;
    Control frmKorvane::*container;  // nullptr for the window itself
    toolkit::Kind kind;
    const char16_t* caption;
    int left, top, width, height;
    int tabIndex;  // also the native control's id, offset by kFirstControlId
    Font font = Font::Regular;
};

inline constexpr int kFirstControlId = 100;

// In creation order (see layout_rows.h): containers first, labels just before their boxes.
extern const std::array<LayoutRow, 61> kLayout;

// The row of `control`.
const LayoutRow& RowOf(Control frmKorvane::*control);

}  // namespace app

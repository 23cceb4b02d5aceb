#include "app/layout.h"

namespace app {

namespace {
// The containers that the rows name.
namespace in {
constexpr Control frmKorvane::*Window = nullptr;
constexpr auto Frame1 = &frmKorvane::Frame1, Frame2 = &frmKorvane::Frame2;
constexpr auto Frame3 = &frmKorvane::Frame3, Frame4 = &frmKorvane::Frame4;
constexpr auto Frame5 = &frmKorvane::Frame5, Frame6 = &frmKorvane::Frame6;
constexpr auto Frame7 = &frmKorvane::Frame7, Frame8 = &frmKorvane::Frame8;
}  // namespace in
}  // namespace

const std::array<LayoutRow, 61> kLayout = {{
#define KORVANE_ROW(control, container, kind, caption, left, top, width, height, tab, font) \
    {&frmKorvane::control,                                                                  \
     in::container,                                                                         \
     toolkit::Kind::kind,                                                                   \
     caption,                                                                               \
     left,                                                                                  \
     top,                                                                                   \
     width,                                                                                 \
     height,                                                                                \
     tab,                                                                                   \
     Font::font},
#include "app/layout_rows.h"
#undef KORVANE_ROW
}};

const LayoutRow& RowOf(Control frmKorvane::*control) {
    for (const LayoutRow& row : kLayout) {
        if (row.control == control) {
            return row;
        }
    }
    return kLayout[0];  // every control has a row
}

}  // namespace app

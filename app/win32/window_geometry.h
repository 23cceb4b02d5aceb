// From the layout table to native windows: twips to pixels, control IDs, and the order in
// which the controls are made so that the dialog manager's Tab walk is the tab index order.
#pragma once

#include <cstddef>
#include <vector>

#include "app/layout.h"

namespace app::win32 {

// Control IDs are 1000 plus the row's index in kLayout, so a control is found by its name
// through the same table.
inline constexpr int kFirstControlId = 1000;

inline constexpr int ControlId(std::size_t row) {
    return kFirstControlId + static_cast<int>(row);
}

// Twips at `dpi` dots per inch, rounded to the nearest pixel (15 twips a pixel at 96).
int TwipsToPixels(int twips, int dpi);

// The font height of 8.25 points at `dpi`, as a LOGFONT height (negative: character height).
int FontHeight(int dpi);

// Whether the user can move the focus to a control of this kind.
bool TakesFocus(LayoutKind kind);

// The rows of kLayout that get a window, in the order to create them: every container before
// what it holds, and siblings ordered by the lowest tab index of a control that takes the
// focus among them and inside them (their own tab index when none does). The dialog manager
// walks siblings in creation order and steps into frames, so Tab then visits the controls in
// tab index order.
std::vector<std::size_t> CreationOrder();

}  // namespace app::win32

#include "app/win32/window_geometry.h"

#include <windows.h>

#include <algorithm>
#include <climits>

namespace app::win32 {

namespace {

constexpr int kTwipsPerInch = 1440;
// 8.25 points in hundredths of a point, and hundredths of a point to the inch.
constexpr int kFontHundredthsOfPoint = 825;
constexpr int kHundredthsOfPointPerInch = 7200;

bool HasWindow(const ControlLayout& row) {
    return row.kind != LayoutKind::CommonDialog;
}

// The lowest tab index of a focus-taking row at or below `row`, or INT_MAX.
int LowestFocusIndex(std::size_t row) {
    int lowest = TakesFocus(kLayout[row].kind) ? kLayout[row].tabIndex : INT_MAX;
    for (std::size_t child = 0; child < kLayout.size(); ++child) {
        if (kLayout[child].container == kLayout[row].name && HasWindow(kLayout[child])) {
            lowest = std::min(lowest, LowestFocusIndex(child));
        }
    }
    return lowest;
}

void AppendInOrder(std::string_view container, std::vector<std::size_t>& order) {
    struct Sibling {
        std::size_t row;
        int lowestFocus;
    };
    std::vector<Sibling> siblings;
    for (std::size_t row = 0; row < kLayout.size(); ++row) {
        if (kLayout[row].container == container && HasWindow(kLayout[row])) {
            siblings.push_back({row, LowestFocusIndex(row)});
        }
    }
    std::stable_sort(siblings.begin(), siblings.end(), [](const Sibling& a, const Sibling& b) {
        if (a.lowestFocus != b.lowestFocus) {
            return a.lowestFocus < b.lowestFocus;
        }
        return kLayout[a.row].tabIndex < kLayout[b.row].tabIndex;
    });
    for (const auto& sibling : siblings) {
        order.push_back(sibling.row);
        if (kLayout[sibling.row].kind == LayoutKind::Frame) {
            AppendInOrder(kLayout[sibling.row].name, order);
        }
    }
}

}  // namespace

int TwipsToPixels(int twips, int dpi) {
    return MulDiv(twips, dpi, kTwipsPerInch);
}

int FontHeight(int dpi) {
    return -MulDiv(kFontHundredthsOfPoint, dpi, kHundredthsOfPointPerInch);
}

bool TakesFocus(LayoutKind kind) {
    switch (kind) {
        case LayoutKind::TextBox:
        case LayoutKind::CheckBox:
        case LayoutKind::PushButton:
        case LayoutKind::ListBox:
            return true;
        case LayoutKind::Label:
        case LayoutKind::Frame:
        case LayoutKind::CommonDialog:
            return false;
    }
    return false;
}

std::vector<std::size_t> CreationOrder() {
    std::vector<std::size_t> order;
    AppendInOrder("", order);
    return order;
}

}  // namespace app::win32

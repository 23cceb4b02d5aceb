// The 22 browser toolbar buttons as data: each box, its caption, its registry value, its place
// when the boxes are reloaded and its place when they are enabled.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace settings {

inline constexpr const char* kToolbarPolicyKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
inline constexpr const char* kNoToolbarCustomize = "NoToolbarCustomize";
inline constexpr const char* kSpecifyDefaultButtons = "SpecifyDefaultButtons";

struct ToolbarButton {
    int reload;  // 1-based place in the reload sequence; the table is in this order
    std::string_view control;
    std::string_view caption;
    std::string_view valueName;
    int enable;  // 1-based place in the enable sequence
};

inline constexpr std::size_t kToolbarButtonCount = 22;

// clang-format off
inline constexpr std::array<ToolbarButton, kToolbarButtonCount> kToolbarButtons = {{
    // reload control            caption        value name           enable
    { 1, "chkBack",         "Back",        "Btn_Back",          1},
    { 2, "chkForward",      "Forward",     "Btn_Forward",       2},
    { 3, "chkStop",         "Stop",        "Btn_Stop",          3},
    { 4, "chkFolders",      "Folders",     "Btn_Folders",       7},
    { 5, "chkRefresh",      "Refresh",     "Btn_Refresh",       4},
    { 6, "chkPrint",        "Print",       "Btn_Print",        14},
    { 7, "chkFavorites",    "Favorites",   "Btn_Favorites",    22},
    { 8, "chkEdit",         "Edit",        "Btn_Edit",         15},
    { 9, "chkHome",         "Home",        "Btn_Home",          5},
    {10, "chkSearch",       "Search",      "Btn_Search",        6},
    {11, "chkMedia",        "Media",       "Btn_Media",         8},
    {12, "chkHistory",      "History",     "Btn_History",       9},
    {13, "chkTools",        "Tools",       "Btn_Tools",        11},
    {14, "chkEncoding",     "Encoding",    "Btn_Encoding",     20},
    {15, "chkPrintPreview", "PrintPrev",   "Btn_PrintPreview", 21},
    {16, "chkFullScreen",   "FullScreen",  "Btn_Fullscreen",   10},
    {17, "chkMailNews",     "MailNews",    "Btn_MailNews",     12},
    {18, "chkSize",         "Size",        "Btn_Size",         13},
    {19, "chkDiscussions",  "Discussions", "Btn_Discussions",  16},
    {20, "chkCut",          "Cut",         "Btn_Cut",          17},
    {21, "chkCopy",         "Copy",        "Btn_Copy",         18},
    {22, "chkPaste",        "Paste",       "Btn_Paste",        19},
}};
// clang-format on

// Row indices of kToolbarButtons in enable order.
inline constexpr std::array<std::size_t, kToolbarButtonCount> kEnableOrder = [] {
    std::array<std::size_t, kToolbarButtonCount> order{};
    std::array<bool, kToolbarButtonCount> taken{};
    for (std::size_t row = 0; row < kToolbarButtons.size(); ++row) {
        const auto place = static_cast<std::size_t>(kToolbarButtons[row].enable - 1);
        if (place >= kToolbarButtonCount || taken[place]) {
            throw "enable places must be 1 to 22, each once";
        }
        taken[place] = true;
        order[place] = row;
    }
    return order;
}();

// True when every row's reload place is its position in the table.
constexpr bool InReloadOrder() {
    for (std::size_t row = 0; row < kToolbarButtons.size(); ++row) {
        if (kToolbarButtons[row].reload != static_cast<int>(row + 1)) {
            return false;
        }
    }
    return true;
}
static_assert(InReloadOrder(), "the table is kept in reload order");

}  // namespace settings

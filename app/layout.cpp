#include "app/layout.h"

namespace app {

namespace {
constexpr auto L = LayoutKind::Label;
constexpr auto T = LayoutKind::TextBox;
constexpr auto C = LayoutKind::CheckBox;
constexpr auto B = LayoutKind::PushButton;
constexpr auto F = LayoutKind::Frame;
}  // namespace

// clang-format off
const std::array<ControlLayout, 62> kLayout = {{
    // name               kind container  caption                                       left  top   width height tab
    {"cmdHelp",            B, "",       "?",                                           6960,    0,  375,  255, 60, FontStyle::Bold},
    {"Label7",             L, "",       "Internet Explorer Version:",                  3840,  360, 1935,  255, 56, FontStyle::Italic},
    {"lblVersion",         L, "",       "",                                            5760,  360, 1215,  255, 57},
    {"chkIEErr",           C, "",       "Disable IE Error Reporting",                  3960,  720, 2775,  255, 30},
    {"chkSecurityZone",    C, "",       "Enable the hidden 5th security zone in IE",   3960, 1080, 3255,  255, 31},
    {"chkPassCach",        C, "",       "Disable IE Password Caching",                 3960, 1440, 3135,  255, 32},
    {"chkHideWeb",         C, "",       "Hide Rarely Visited Websites",                3960, 1800, 2535,  255, 33},
    {"chkUpdate",          C, "",       "Automatically Check for IE Updates",          3960, 2160, 2895,  255, 34},
    {"chkIcon",            C, "",       "Hide IE Icon on Desktop",                     3960, 2520, 3015,  255, 35},
    {"chkAbout",           C, "",       "Kill IE ABOUT: URLs",                         3960, 2880, 2775,  255, 36},
    {"chkCache",           C, "",       "Clear IE Cache On Close",                     3960, 3240, 2775,  255, 37},
    {"chkAutoAppend",      C, "",       "Enable Auto Append Completion",               3960, 3600, 2775,  315, 38},
    {"Frame1",             F, "",       "",                                             120,  120, 3495, 2295, 41},
    {"Frame2",             F, "",       "",                                             120, 2640, 3495,  615, 46},
    {"Frame4",             F, "",       "",                                             120, 3480, 3495,  975, 47},
    {"Frame3",             F, "",       "",                                            3840, 3960, 3375,  615, 44},
    {"Frame6",             F, "",       "",                                             120, 4680, 7095, 1575, 58},
    {"Frame7",             F, "",       "IE Common Domain Search",                      600, 7200, 3495, 1215, 51},
    {"CommonDialog1",      LayoutKind::CommonDialog, "", "",                              0,    0,    0,    0, -1},
    {"Label4",             L, "Frame1", "Select A Background Bitmap for IE Toolbar",    120,  240, 3135,  255, 42},
    {"txtBackground",      T, "Frame1", "",                                             120,  480, 2775,  285,  0},
    {"cmdBackground",      B, "Frame1", "...",                                         3000,  480,  375,  255,  1},
    {"Label3",             L, "Frame1", "Change the IE Window Title",                   120,  840, 3015,  255, 43},
    {"txtIETitle",         T, "Frame1", "",                                             120, 1080, 3135,  285,  2},
    {"Frame5",             F, "Frame1", "",                                             120, 1440, 3255,  735, 49},
    {"Label5",             L, "Frame5", "Restore Default Animated IE Logo",             360,  120, 2535,  255, 50},
    {"cmdRestore",         B, "Frame5", "Restore",                                     1080,  360,  975,  255,  3},
    {"Label6",             L, "Frame2", "Maximum # of Concurrent Downloads",            120,  240, 3135,  255, 40},
    {"txtDownload",        T, "Frame2", "",                                            2880,  240,  375,  285,  4},
    {"Label2",             L, "Frame4", "Default IE Download Directory",                120,  240, 2415,  255, 48},
    {"txtDefaultDir",      T, "Frame4", "",                                             120,  480, 2775,  285,  5},
    {"cmdDir",             B, "Frame4", "...",                                         3000,  480,  375,  255,  6},
    {"Label1",             L, "Frame3", "Clear IE Typed History",                       360,  240, 1695,  255, 45},
    {"cmdClear",           B, "Frame3", "Clear",                                       2280,  240,  855,  255, 39},
    {"Frame8",             F, "Frame6", "",                                             120,  120, 3855,  495, 59},
    {"chkSelect",          C, "Frame8", "Add\\Remove Selected IE Toolbar Buttons",      240,  120, 3375,  255,  7},
    {"cmdAddDomain",       B, "Frame7", "Add",                                          480,  360,  735,  255, 53},
    {"cmdDeleteDomain",    B, "Frame7", "Delete",                                       480,  720,  735,  255, 54},
    {"txtAddDomain",       T, "Frame7", "",                                            1440,  360,  615,  285, 55},
    {"lstDomain",          LayoutKind::ListBox, "Frame7", "",                          2160,  360,  855,  645, 52},
    {"chkBack",            C, "Frame6", "Back",                                         360,  720,  855,  255,  8},
    {"chkForward",         C, "Frame6", "Forward",                                      360,  960,  975,  255,  9},
    {"chkStop",            C, "Frame6", "Stop",                                         360, 1200,  855,  255, 10},
    {"chkFolders",         C, "Frame6", "Folders",                                     1440,  720,  855,  255, 11},
    {"chkRefresh",         C, "Frame6", "Refresh",                                     1440,  960,  975,  255, 12},
    {"chkPrint",           C, "Frame6", "Print",                                       1440, 1200,  735,  255, 13},
    {"chkFavorites",       C, "Frame6", "Favorites",                                   2520,  720,  975,  255, 14},
    {"chkEdit",            C, "Frame6", "Edit",                                        2520,  960,  735,  255, 15},
    {"chkHome",            C, "Frame6", "Home",                                        2520, 1200,  855,  255, 16},
    {"chkSearch",          C, "Frame6", "Search",                                      3600,  720,  855,  255, 17},
    {"chkMedia",           C, "Frame6", "Media",                                       3600,  960,  855,  255, 18},
    {"chkHistory",         C, "Frame6", "History",                                     3600, 1200,  855,  255, 19},
    {"chkTools",           C, "Frame6", "Tools",                                       4560,  240,  735,  255, 20},
    {"chkEncoding",        C, "Frame6", "Encoding",                                    4560,  480, 1095,  255, 21},
    {"chkPrintPreview",    C, "Frame6", "PrintPrev",                                   4560,  720,  975,  255, 22},
    {"chkFullScreen",      C, "Frame6", "FullScreen",                                  4560,  960, 1095,  255, 23},
    {"chkMailNews",        C, "Frame6", "MailNews",                                    4560, 1200, 1095,  255, 24},
    {"chkSize",            C, "Frame6", "Size",                                        5760,  240,  735,  195, 25},
    {"chkDiscussions",     C, "Frame6", "Discussions",                                 5760,  480, 1215,  255, 26},
    {"chkCut",             C, "Frame6", "Cut",                                         5760,  720, 1215,  255, 27},
    {"chkCopy",            C, "Frame6", "Copy",                                        5760,  960,  855,  255, 28},
    {"chkPaste",           C, "Frame6", "Paste",                                       5760, 1200,  855,  255, 29},
}};
// clang-format on

const ControlLayout* FindLayout(std::string_view name) {
    for (const auto& row : kLayout) {
        if (row.name == name) {
            return &row;
        }
    }
    return nullptr;
}

std::optional<toolkit::ControlKind> ToolkitKind(LayoutKind kind) {
    switch (kind) {
        case LayoutKind::Label:
            return toolkit::ControlKind::Label;
        case LayoutKind::TextBox:
            return toolkit::ControlKind::TextBox;
        case LayoutKind::CheckBox:
            return toolkit::ControlKind::CheckBox;
        case LayoutKind::PushButton:
            return toolkit::ControlKind::PushButton;
        case LayoutKind::Frame:
            return toolkit::ControlKind::Frame;
        case LayoutKind::ListBox:
            return toolkit::ControlKind::ListBox;
        case LayoutKind::CommonDialog:
            return std::nullopt;
    }
    return std::nullopt;
}

toolkit::ControlSet CreateControls() {
    toolkit::ControlSet controls;
    for (const auto& row : kLayout) {
        const auto kind = ToolkitKind(row.kind);
        if (!kind) {
            continue;
        }
        auto& control = controls.Add(row.name, *kind);
        if (auto* captioned = dynamic_cast<toolkit::CaptionedControl*>(&control)) {
            captioned->SetCaption(std::string(row.caption));
        }
    }
    return controls;
}

}  // namespace app

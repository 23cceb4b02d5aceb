#include "app/layout.h"

namespace app {

namespace {
using F = frmKorvane;
constexpr auto L = toolkit::Kind::Label;
constexpr auto T = toolkit::Kind::TextBox;
constexpr auto C = toolkit::Kind::CheckBox;
constexpr auto B = toolkit::Kind::PushButton;
constexpr auto F_ = toolkit::Kind::Frame;
}  // namespace

// clang-format off
const std::array<LayoutRow, 61> kLayout = {{
    // control          container   kind caption, left, top, width, height, tab index, font
    {&F::cmdHelp,         nullptr,    B, u"?", 6960, 0, 375, 255, 60, Font::Bold},
    {&F::Label7,          nullptr,    L, u"Internet Explorer Version:", 3840, 360, 1935, 255, 56, Font::Italic},
    {&F::lblVersion,      nullptr,    L, u"", 5760, 360, 1215, 255, 57},
    {&F::chkIEErr,        nullptr,    C, u"Disable IE Error Reporting", 3960, 720, 2775, 255, 30},
    {&F::chkSecurityZone, nullptr,    C, u"Enable the hidden 5th security zone in IE", 3960, 1080, 3255, 255, 31},
    {&F::chkPassCach,     nullptr,    C, u"Disable IE Password Caching", 3960, 1440, 3135, 255, 32},
    {&F::chkHideWeb,      nullptr,    C, u"Hide Rarely Visited Websites", 3960, 1800, 2535, 255, 33},
    {&F::chkUpdate,       nullptr,    C, u"Automatically Check for IE Updates", 3960, 2160, 2895, 255, 34},
    {&F::chkIcon,         nullptr,    C, u"Hide IE Icon on Desktop", 3960, 2520, 3015, 255, 35},
    {&F::chkAbout,        nullptr,    C, u"Kill IE ABOUT: URLs", 3960, 2880, 2775, 255, 36},
    {&F::chkCache,        nullptr,    C, u"Clear IE Cache On Close", 3960, 3240, 2775, 255, 37},
    {&F::chkAutoAppend,   nullptr,    C, u"Enable Auto Append Completion", 3960, 3600, 2775, 315, 38},
    {&F::Frame1,          nullptr,    F_, u"", 120, 120, 3495, 2295, 41},
    {&F::Frame2,          nullptr,    F_, u"", 120, 2640, 3495, 615, 46},
    {&F::Frame4,          nullptr,    F_, u"", 120, 3480, 3495, 975, 47},
    {&F::Frame3,          nullptr,    F_, u"", 3840, 3960, 3375, 615, 44},
    {&F::Frame6,          nullptr,    F_, u"", 120, 4680, 7095, 1575, 58},
    {&F::Frame7,          nullptr,    F_, u"IE Common Domain Search", 600, 7200, 3495, 1215, 51},
    {&F::Label4,          &F::Frame1, L, u"Select A Background Bitmap for IE Toolbar", 120, 240, 3135, 255, 42},
    {&F::txtBackground,   &F::Frame1, T, u"", 120, 480, 2775, 285, 0},
    {&F::cmdBackground,   &F::Frame1, B, u"...", 3000, 480, 375, 255, 1},
    {&F::Label3,          &F::Frame1, L, u"Change the IE Window Title", 120, 840, 3015, 255, 43},
    {&F::txtIETitle,      &F::Frame1, T, u"", 120, 1080, 3135, 285, 2},
    {&F::Frame5,          &F::Frame1, F_, u"", 120, 1440, 3255, 735, 49},
    {&F::Label5,          &F::Frame5, L, u"Restore Default Animated IE Logo", 360, 120, 2535, 255, 50},
    {&F::cmdRestore,      &F::Frame5, B, u"Restore", 1080, 360, 975, 255, 3},
    {&F::Label6,          &F::Frame2, L, u"Maximum # of Concurrent Downloads", 120, 240, 3135, 255, 40},
    {&F::txtDownload,     &F::Frame2, T, u"", 2880, 240, 375, 285, 4},
    {&F::Label2,          &F::Frame4, L, u"Default IE Download Directory", 120, 240, 2415, 255, 48},
    {&F::txtDefaultDir,   &F::Frame4, T, u"", 120, 480, 2775, 285, 5},
    {&F::cmdDir,          &F::Frame4, B, u"...", 3000, 480, 375, 255, 6},
    {&F::Label1,          &F::Frame3, L, u"Clear IE Typed History", 360, 240, 1695, 255, 45},
    {&F::cmdClear,        &F::Frame3, B, u"Clear", 2280, 240, 855, 255, 39},
    {&F::Frame8,          &F::Frame6, F_, u"", 120, 120, 3855, 495, 59},
    {&F::chkSelect,       &F::Frame8, C, u"Add\\Remove Selected IE Toolbar Buttons", 240, 120, 3375, 255, 7},
    {&F::cmdAddDomain,    &F::Frame7, B, u"Add", 480, 360, 735, 255, 53},
    {&F::cmdDeleteDomain, &F::Frame7, B, u"Delete", 480, 720, 735, 255, 54},
    {&F::txtAddDomain,    &F::Frame7, T, u"", 1440, 360, 615, 285, 55},
    {&F::lstDomain,       &F::Frame7, toolkit::Kind::ListBox, u"", 2160, 360, 855, 645, 52},
    {&F::chkBack,         &F::Frame6, C, u"Back", 360, 720, 855, 255, 8},
    {&F::chkForward,      &F::Frame6, C, u"Forward", 360, 960, 975, 255, 9},
    {&F::chkStop,         &F::Frame6, C, u"Stop", 360, 1200, 855, 255, 10},
    {&F::chkFolders,      &F::Frame6, C, u"Folders", 1440, 720, 855, 255, 11},
    {&F::chkRefresh,      &F::Frame6, C, u"Refresh", 1440, 960, 975, 255, 12},
    {&F::chkPrint,        &F::Frame6, C, u"Print", 1440, 1200, 735, 255, 13},
    {&F::chkFavorites,    &F::Frame6, C, u"Favorites", 2520, 720, 975, 255, 14},
    {&F::chkEdit,         &F::Frame6, C, u"Edit", 2520, 960, 735, 255, 15},
    {&F::chkHome,         &F::Frame6, C, u"Home", 2520, 1200, 855, 255, 16},
    {&F::chkSearch,       &F::Frame6, C, u"Search", 3600, 720, 855, 255, 17},
    {&F::chkMedia,        &F::Frame6, C, u"Media", 3600, 960, 855, 255, 18},
    {&F::chkHistory,      &F::Frame6, C, u"History", 3600, 1200, 855, 255, 19},
    {&F::chkTools,        &F::Frame6, C, u"Tools", 4560, 240, 735, 255, 20},
    {&F::chkEncoding,     &F::Frame6, C, u"Encoding", 4560, 480, 1095, 255, 21},
    {&F::chkPrintPreview, &F::Frame6, C, u"PrintPrev", 4560, 720, 975, 255, 22},
    {&F::chkFullScreen,   &F::Frame6, C, u"FullScreen", 4560, 960, 1095, 255, 23},
    {&F::chkMailNews,     &F::Frame6, C, u"MailNews", 4560, 1200, 1095, 255, 24},
    {&F::chkSize,         &F::Frame6, C, u"Size", 5760, 240, 735, 195, 25},
    {&F::chkDiscussions,  &F::Frame6, C, u"Discussions", 5760, 480, 1215, 255, 26},
    {&F::chkCut,          &F::Frame6, C, u"Cut", 5760, 720, 1215, 255, 27},
    {&F::chkCopy,         &F::Frame6, C, u"Copy", 5760, 960, 855, 255, 28},
    {&F::chkPaste,        &F::Frame6, C, u"Paste", 5760, 1200, 855, 255, 29},
}};
// clang-format on

const LayoutRow& RowOf(Control frmKorvane::*control) {
    for (const LayoutRow& row : kLayout) {
        if (row.control == control) {
            return row;
        }
    }
    return kLayout[0];  // every control has a row
}

}  // namespace app

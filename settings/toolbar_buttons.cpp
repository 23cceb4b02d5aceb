// The toolbar-button policy: the switch chkSelect and the 22 button boxes, each written at once
// (1 ticked, 2 clear).
#include <algorithm>

#include "app/frm_korvane.h"
#include "app/registry_values.h"
#include "toolkit/error.h"

namespace app {

namespace {
using F = frmKorvane;
}  // namespace

const std::array<frmKorvane::ToolbarButton, 22> frmKorvane::kToolbarButtons = {{
    {&F::chkBack, &kButtonValues[0], 1},            // Btn_Back
    {&F::chkForward, &kButtonValues[1], 2},         // Btn_Forward
    {&F::chkStop, &kButtonValues[2], 3},            // Btn_Stop
    {&F::chkFolders, &kButtonValues[3], 7},         // Btn_Folders
    {&F::chkRefresh, &kButtonValues[4], 4},         // Btn_Refresh
    {&F::chkPrint, &kButtonValues[5], 14},          // Btn_Print
    {&F::chkFavorites, &kButtonValues[6], 22},      // Btn_Favorites
    {&F::chkEdit, &kButtonValues[7], 15},           // Btn_Edit
    {&F::chkHome, &kButtonValues[8], 5},            // Btn_Home
    {&F::chkSearch, &kButtonValues[9], 6},          // Btn_Search
    {&F::chkMedia, &kButtonValues[10], 8},          // Btn_Media
    {&F::chkHistory, &kButtonValues[11], 9},        // Btn_History
    {&F::chkTools, &kButtonValues[12], 11},         // Btn_Tools
    {&F::chkEncoding, &kButtonValues[13], 20},      // Btn_Encoding
    {&F::chkPrintPreview, &kButtonValues[14], 21},  // Btn_PrintPreview
    {&F::chkFullScreen, &kButtonValues[15], 10},    // Btn_Fullscreen
    {&F::chkMailNews, &kButtonValues[16], 12},      // Btn_MailNews
    {&F::chkSize, &kButtonValues[17], 13},          // Btn_Size
    {&F::chkDiscussions, &kButtonValues[18], 16},   // Btn_Discussions
    {&F::chkCut, &kButtonValues[19], 17},           // Btn_Cut
    {&F::chkCopy, &kButtonValues[20], 18},          // Btn_Copy
    {&F::chkPaste, &kButtonValues[21], 19},         // Btn_Paste
}};

void frmKorvane::Select_Buttons() {
    toolkit::Guard(platform_, u"Select_Buttons", [this] {
        const bool on = Number(kNoToolbarCustomize) != 0;
        chkSelect.SetValue(on ? 1 : 0);
        IE_Buttons_Enabled(on);
    });
}

void frmKorvane::IE_Buttons_Enabled(bool enabled) {
    toolkit::Guard(platform_, u"IE_Buttons_Enabled", [this, enabled] {
        for (int order = 1; order <= 22; ++order) {
            const auto& button =
                *std::ranges::find(kToolbarButtons, order, &ToolbarButton::enableOrder);
            (this->*button.box).SetEnabled(enabled);
        }
    });
}

void frmKorvane::Check_Box(Control& strChkBox, const RegistryValue& strValue) {
    toolkit::Guard(platform_, u"Check_Box",
                   [&] { Set(strValue, strChkBox.value() == 1 ? 1 : 2, registry::kRegDword); });
}

void frmKorvane::Check_Box_Value(Control& strChkBox, const RegistryValue& strValue) {
    toolkit::Guard(platform_, u"Check_Box_Value", [&] {
        const bool clear = Text(strValue) == u"2";
        strChkBox.SetValue(clear ? 0 : 1);  // a change runs the box's click handler first
        Set(strValue, clear ? 2 : 1, registry::kRegDword);
    });
}

void frmKorvane::chkSelect_Click() {
    const int number = chkSelect.value() == 1 ? 1 : 0;
    IE_Buttons_Enabled(number == 1);
    if (number == 1) {
        for (const ToolbarButton& button : kToolbarButtons) {
            Check_Box_Value(this->*button.box, *button.value);
        }
    }
    Set(kNoToolbarCustomize, number, registry::kRegDword);
    Set(kSpecifyDefaultButtons, number, registry::kRegDword);
}

}  // namespace app

// The toolbar-button policy: the switch chkSelect and the 22 button boxes, each written at once
// (1 ticked, 2 clear).
#include <algorithm>

#include "app/frm_korvane.h"
#include "app/registry_keys.h"
#include "toolkit/error.h"

namespace app {

namespace {
constexpr const char16_t* kPolicyKey = kPoliciesExplorerKey;
using F = frmKorvane;
}  // namespace

const std::array<frmKorvane::ToolbarButton, 22> frmKorvane::kToolbarButtons = {{
    {&F::chkBack, u"Btn_Back", 1},
    {&F::chkForward, u"Btn_Forward", 2},
    {&F::chkStop, u"Btn_Stop", 3},
    {&F::chkFolders, u"Btn_Folders", 7},
    {&F::chkRefresh, u"Btn_Refresh", 4},
    {&F::chkPrint, u"Btn_Print", 14},
    {&F::chkFavorites, u"Btn_Favorites", 22},
    {&F::chkEdit, u"Btn_Edit", 15},
    {&F::chkHome, u"Btn_Home", 5},
    {&F::chkSearch, u"Btn_Search", 6},
    {&F::chkMedia, u"Btn_Media", 8},
    {&F::chkHistory, u"Btn_History", 9},
    {&F::chkTools, u"Btn_Tools", 11},
    {&F::chkEncoding, u"Btn_Encoding", 20},
    {&F::chkPrintPreview, u"Btn_PrintPreview", 21},
    {&F::chkFullScreen, u"Btn_Fullscreen", 10},
    {&F::chkMailNews, u"Btn_MailNews", 12},
    {&F::chkSize, u"Btn_Size", 13},
    {&F::chkDiscussions, u"Btn_Discussions", 16},
    {&F::chkCut, u"Btn_Cut", 17},
    {&F::chkCopy, u"Btn_Copy", 18},
    {&F::chkPaste, u"Btn_Paste", 19},
}};

void frmKorvane::Select_Buttons() {
    toolkit::Guard(platform_, u"Select_Buttons", [this] {
        const bool on = Number(kCurrentUser, kPolicyKey, u"NoToolbarCustomize") != 0;
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

void frmKorvane::Check_Box(Control& strChkBox, const std::u16string& strValue) {
    toolkit::Guard(platform_, u"Check_Box", [&] {
        registry_.RegistrySetKeyValue(kCurrentUser, kPolicyKey, strValue,
                                      strChkBox.value() == 1 ? 1 : 2, registry::kRegDword);
    });
}

void frmKorvane::Check_Box_Value(Control& strChkBox, const std::u16string& strValue) {
    toolkit::Guard(platform_, u"Check_Box_Value", [&] {
        const bool clear = Text(kCurrentUser, kPolicyKey, strValue) == u"2";
        strChkBox.SetValue(clear ? 0 : 1);  // a change runs the box's click handler first
        registry_.RegistrySetKeyValue(kCurrentUser, kPolicyKey, strValue, clear ? 2 : 1,
                                      registry::kRegDword);
    });
}

void frmKorvane::chkSelect_Click() {
    const int number = chkSelect.value() == 1 ? 1 : 0;
    IE_Buttons_Enabled(number == 1);
    if (number == 1) {
        for (const ToolbarButton& button : kToolbarButtons) {
            Check_Box_Value(this->*button.box, button.value);
        }
    }
    registry_.RegistrySetKeyValue(kCurrentUser, kPolicyKey, u"NoToolbarCustomize", number,
                                  registry::kRegDword);
    registry_.RegistrySetKeyValue(kCurrentUser, kPolicyKey, u"SpecifyDefaultButtons", number,
                                  registry::kRegDword);
}

}  // namespace app

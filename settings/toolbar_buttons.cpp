// The toolbar-button policy: the switch chkSelect and the 22 button boxes, each written at once
// (1 ticked, 2 clear).
#include <algorithm>

#include "app/frm_korvane.h"
#include "app/registry_keys.h"
#include "toolkit/error.h"

namespace app {

namespace {
constexpr const char* kPolicyKey = kPoliciesExplorerKey;
using F = frmKorvane;
}  // namespace

const std::array<frmKorvane::ToolbarButton, 22> frmKorvane::kToolbarButtons = {{
    {&F::chkBack, "Btn_Back", 1},
    {&F::chkForward, "Btn_Forward", 2},
    {&F::chkStop, "Btn_Stop", 3},
    {&F::chkFolders, "Btn_Folders", 7},
    {&F::chkRefresh, "Btn_Refresh", 4},
    {&F::chkPrint, "Btn_Print", 14},
    {&F::chkFavorites, "Btn_Favorites", 22},
    {&F::chkEdit, "Btn_Edit", 15},
    {&F::chkHome, "Btn_Home", 5},
    {&F::chkSearch, "Btn_Search", 6},
    {&F::chkMedia, "Btn_Media", 8},
    {&F::chkHistory, "Btn_History", 9},
    {&F::chkTools, "Btn_Tools", 11},
    {&F::chkEncoding, "Btn_Encoding", 20},
    {&F::chkPrintPreview, "Btn_PrintPreview", 21},
    {&F::chkFullScreen, "Btn_Fullscreen", 10},
    {&F::chkMailNews, "Btn_MailNews", 12},
    {&F::chkSize, "Btn_Size", 13},
    {&F::chkDiscussions, "Btn_Discussions", 16},
    {&F::chkCut, "Btn_Cut", 17},
    {&F::chkCopy, "Btn_Copy", 18},
    {&F::chkPaste, "Btn_Paste", 19},
}};

void frmKorvane::Select_Buttons() {
    toolkit::Guard(platform_, "Select_Buttons", [this] {
        const bool on = registry::ToInt16(registry_.RegistryGetKeyValue(kCurrentUser, kPolicyKey,
                                                                        "NoToolbarCustomize")) != 0;
        chkSelect.SetValue(on ? 1 : 0);
        IE_Buttons_Enabled(on);
    });
}

void frmKorvane::IE_Buttons_Enabled(bool enabled) {
    toolkit::Guard(platform_, "IE_Buttons_Enabled", [this, enabled] {
        for (int order = 1; order <= 22; ++order) {
            const auto& button =
                *std::ranges::find(kToolbarButtons, order, &ToolbarButton::enableOrder);
            (this->*button.box).SetEnabled(enabled);
        }
    });
}

void frmKorvane::Check_Box(Control& strChkBox, const std::string& strValue) {
    toolkit::Guard(platform_, "Check_Box", [&] {
        registry_.RegistrySetKeyValue(kCurrentUser, kPolicyKey, strValue,
                                      strChkBox.value() == 1 ? 1 : 2, registry::kRegDword);
    });
}

void frmKorvane::Check_Box_Value(Control& strChkBox, const std::string& strValue) {
    toolkit::Guard(platform_, "Check_Box_Value", [&] {
        const bool clear = registry::ToText(registry_.RegistryGetKeyValue(kCurrentUser, kPolicyKey,
                                                                          strValue)) == "2";
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
    registry_.RegistrySetKeyValue(kCurrentUser, kPolicyKey, "NoToolbarCustomize", number,
                                  registry::kRegDword);
    registry_.RegistrySetKeyValue(kCurrentUser, kPolicyKey, "SpecifyDefaultButtons", number,
                                  registry::kRegDword);
}

}  // namespace app

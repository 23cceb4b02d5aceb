#include "app/frm_korvane.h"

#include <algorithm>

#include "app/layout.h"
#include "app/registry_keys.h"
#include "toolkit/error.h"

namespace app {

namespace {
constexpr const char* kVersionRefused =
    "You need to have Internet Explorer 5 or higher to use this program\r\n"
    "download at https://www.microsoft.com/download/internet-explorer";
constexpr const char* kNeedsAdministrator =
    "This setting could not be changed: it needs administrator rights.\r\n"
    "Start Korvane as administrator to change it.";
}  // namespace

frmKorvane::frmKorvane(registry::RegistryApi& registry, toolkit::Platform& platform)
    : platform_(platform), registry_(registry, platform) {
    for (const LayoutRow& row : kLayout) {
        (this->*row.control).Design(row.kind, row.caption);
    }
    chkSelect.onClick = [this] { chkSelect_Click(); };
    for (const ToolbarButton& button : kToolbarButtons) {
        Control& box = this->*button.box;
        box.onClick = [this, &box, &button] { Check_Box(box, button.value); };
    }
    chkAutoAppend.onClick = [this] { chkAutoAppend_Click(); };
    chkPassCach.onClick = [this] { chkPassCach_Click(); };
    chkIEErr.onClick = [this] { chkIEErr_Click(); };
    chkHideWeb.onClick = [this] { chkHideWeb_Click(); };
    chkUpdate.onClick = [this] { chkUpdate_Click(); };
    chkAbout.onClick = [this] { chkAbout_Click(); };
    chkIcon.onClick = [this] { chkIcon_Click(); };
    chkIcon.onMouseUp = [this] { chkIcon_MouseUp(); };
    chkSecurityZone.onClick = [this] { chkSecurityZone_Click(); };
    chkCache.onClick = [this] { chkCache_Click(); };
    txtDefaultDir.onChange = [this] { txtDefaultDir_Change(); };
    txtIETitle.onChange = [this] { txtIETitle_Change(); };
    txtBackground.onChange = [this] { txtBackground_Change(); };
    txtDownload.onChange = [this] { txtDownload_Change(); };
    txtDownload.onKeyPress = [this](std::int16_t& code) { txtDownload_KeyPress(code); };
    cmdDir.onClick = [this] { cmdDir_Click(); };
    cmdBackground.onClick = [this] { cmdBackground_Click(); };
    cmdClear.onClick = [this] { cmdClear_Click(); };
    cmdRestore.onClick = [this] { cmdRestore_Click(); };
    cmdHelp.onClick = [this] { cmdHelp_Click(); };
}

void frmKorvane::Form_Load() {
    toolkit::Guard(platform_, "Form_Load", [this] {
        IE_Version();
        // Compared as text, by character code: "1" (as in 10.0) and "" sort below "5".
        const std::string first = strVersion.substr(0, 1);
        if (first < "6") {
            if (first < "5") {
                platform_.ShowMessage(kVersionRefused);
                closedDuringLoad_ = true;
                return;
            }
            chkIEErr.SetEnabled(false);
            chkSecurityZone.SetEnabled(false);
        }
        Select_Buttons();
        Append_Completion();
        Download_Directory();
        Window_Title();
        Back_Bitmap();
        Password_Caching();
        Error_Reporting();
        Intelli_Menus();
        Update_Check();
        Max_Connections();
        About_Urls();
        Internet_Icon();
        Cache_Persistent();
        Security_Zone();
    });
    registry_.TakeRefusal();  // what the loaders wrote back was already shown as stored
}

void frmKorvane::Form_Unload(std::int16_t& /*Cancel*/) {
    if (std::exchange(unloaded_, true)) {
        return;
    }
    // A value never read (a refused start, a failed load) is never written over the stored one.
    if (backBitmapSet_) {
        registry_.RegistrySetKeyValue(kCurrentUser, kToolbarKey, "BackBitmap", strBackBitmap,
                                      registry::kRegSz);
    }
}

frmKorvane::UserAction frmKorvane::BeginUserAction(const Control& control) {
    UserAction action{&control, {}};
    for (const LayoutRow& row : kLayout) {
        action.boxes.emplace_back((this->*row.control).value(), (this->*row.control).enabled());
    }
    return action;
}

void frmKorvane::EndUserAction(const UserAction& action) {
    if (!registry_.TakeRefusal()) {
        return;
    }
    if (action.control->kind() == toolkit::Kind::TextBox) {
        // The box keeps its text; the next start shows what is stored.
        if (std::ranges::find(toldTextBoxes_, action.control) != toldTextBoxes_.end()) {
            return;
        }
        toldTextBoxes_.push_back(action.control);
    }
    platform_.ShowMessage(kNeedsAdministrator);
    for (std::size_t i = 0; i < kLayout.size(); ++i) {
        (this->*kLayout[i].control).Restore(action.boxes[i].first, action.boxes[i].second);
    }
}

void frmKorvane::cmdHelp_Click() {
    platform_.StartNotepad("notepad.exe " + platform_.AppDirectory() + "\\readme.txt");
}

}  // namespace app

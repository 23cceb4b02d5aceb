#include "app/frm_korvane.h"

#include <algorithm>

#include "app/command_line.h"
#include "app/layout.h"
#include "app/registry_values.h"
#include "toolkit/error.h"
#include "toolkit/text.h"

namespace app {

namespace {
constexpr const char16_t* kVersionRefused =
    u"You need to have Internet Explorer 5 or higher to use this program\r\n"
    u"download at https://www.microsoft.com/download/internet-explorer";
constexpr const char16_t* kNeedsAdministrator =
    u"This setting could not be changed: it needs administrator rights.\r\n"
    u"Start Korvane as administrator to change it.";
constexpr const char16_t* kOfferRestart =
    u"This setting needs administrator rights.\r\n"
    u"Restart Korvane as administrator to change it?";
constexpr const char16_t* kRefusedToAdministrators =
    u"This setting could not be changed: the permissions of its registry key refuse the "
    u"change even to administrators.";
}  // namespace

frmKorvane::frmKorvane(registry::RegistryApi& registry, toolkit::Platform& platform,
                       std::u16string userSid, bool otherUser)
    : platform_(platform),
      api_(registry),
      undo_(registry, platform, u"HKEY_USERS\\" + userSid),
      registry_(registry, platform, &undo_),
      userSid_(std::move(userSid)),
      userKeyName_(otherUser ? u"HKEY_USERS\\" + userSid_ : u"HKCU") {
    for (const LayoutRow& row : kLayout) {
        (this->*row.control).Design(row.kind, row.caption);
    }
    chkSelect.onClick = [this] { chkSelect_Click(); };
    for (const ToolbarButton& button : kToolbarButtons) {
        Control& box = this->*button.box;
        box.onClick = [this, &box, &button] { Check_Box(box, *button.value); };
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
    SetCheckBoxTips();
}

void frmKorvane::Form_Load() {
    toolkit::Guard(platform_, u"Form_Load", [this] {
        IE_Version();
        // Compared as text, by character code: "1" (as in 10.0) and "" sort below "5".
        const std::u16string first = strVersion.substr(0, 1);
        if (first < u"6") {
            if (first < u"5") {
                platform_.ShowMessage(kVersionRefused);
                closedDuringLoad_ = true;
                return;
            }
            chkIEErr.SetEnabled(false);
            chkSecurityZone.SetEnabled(false);
        }
        Loaders();
    });
    registry_.TakeRefusal();  // what the loaders wrote back was already shown as stored
}

void frmKorvane::Loaders() {
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
}

void frmKorvane::Form_Unload(std::int16_t& /*Cancel*/) {
    if (std::exchange(unloaded_, true)) {
        return;
    }
    // A value never read (a refused start, a failed load) is never written over the stored one.
    if (backBitmapSet_) {
        Set(kBackBitmap, strBackBitmap, registry::kRegSz);
    }
}

void frmKorvane::UserAction(const Control& control, const std::function<void()>& action) noexcept {
    toolkit::Guard(platform_, u"Korvane", [&] {
        if (handedOver_) {
            return;
        }
        if (!running_.empty()) {
            // The enclosing action's own.
            running_.back()->refused = std::max(running_.back()->refused, registry_.TakeRefusal());
        }
        RunningAction current{Boxes()};
        running_.push_back(&current);
        const toolkit::OnExit pop{[this] { running_.pop_back(); }};
        toolkit::Guard(platform_, u"Korvane", action);
        current.refused = std::max(current.refused, registry_.TakeRefusal());
        if (current.refused != registry::Refusal::kNone) {
            Refused(control, current.before, current.refused);
        } else {
            // What this action changed is no change of any action around it: kept on a refusal.
            const BoxStates after = Boxes();
            for (std::size_t level = 0; level + 1 < running_.size(); ++level) {
                BoxStates& outer = running_[level]->before;
                for (std::size_t i = 0; i < after.size(); ++i) {
                    outer[i] = after[i] != current.before[i] ? after[i] : outer[i];
                }
            }
        }
    });
}

frmKorvane::BoxStates frmKorvane::Boxes() const {
    BoxStates boxes;
    for (const LayoutRow& row : kLayout) {
        boxes.emplace_back((this->*row.control).value(), (this->*row.control).enabled());
    }
    return boxes;
}

void frmKorvane::Refused(const Control& control, const BoxStates& before,
                         registry::Refusal refusal) {
    const BoxStates after = Boxes();
    for (std::size_t i = 0; i < kLayout.size(); ++i) {
        if (after[i] != before[i]) {
            (this->*kLayout[i].control).Restore(before[i].first, before[i].second);
        }
    }
    // A text box keeps its text and tells once; the next start shows what is stored.
    if (control.kind() == toolkit::Kind::TextBox) {
        if (std::ranges::find(toldTextBoxes_, &control) != toldTextBoxes_.end()) {
            return;
        }
        toldTextBoxes_.push_back(&control);
    }
    if (refusal == registry::Refusal::kUndoRecord) {
        platform_.ShowMessage(u"Korvane could not write its undo record, \"" + undo_.path() +
                              u"\", so the setting was not changed.");
    } else if (control.kind() != toolkit::Kind::CheckBox) {
        platform_.ShowMessage(platform_.Elevated() ? kRefusedToAdministrators
                                                   : kNeedsAdministrator);
    } else if (platform_.Elevated()) {
        platform_.ShowMessage(kRefusedToAdministrators);
    } else if (!offerRestart_) {
        platform_.ShowMessage(kNeedsAdministrator);  // a restart did not give the rights
    } else if (platform_.AskYesNo(kOfferRestart)) {
        const auto row = std::ranges::find_if(
            kLayout, [&](const LayoutRow& row) { return &(this->*row.control) == &control; });
        OfferRestart(*row, after[static_cast<std::size_t>(row - kLayout.begin())].first);
    }
}

void frmKorvane::OfferRestart(const LayoutRow& row, int wanted) {
    CommandLine next;
    next.user = userSid_;
    next.check = std::pair(row.tabIndex, wanted);
    if (platform_.RestartElevated(FormatCommandLine(next), false)) {
        handedOver_ = true;
        platform_.CloseWindow();
    }
}

void frmKorvane::RepeatCheck(int tabIndex, int value) {
    offerRestart_ = false;
    for (const LayoutRow& row : kLayout) {
        Control& box = this->*row.control;
        if (row.tabIndex == tabIndex && box.kind() == toolkit::Kind::CheckBox &&
            box.value() != value) {
            UserAction(box, [&] { box.UserClick(); });
            if (box.value() == value) {  // not refused
                UserAction(box, [&] { box.UserMouseUp(); });
            }
        }
    }
}

std::u16string frmKorvane::Text(const RegistryValue& value) {
    return registry::ToText(registry_.RegistryGetKeyValue(value.root, value.key, value.name));
}

std::int16_t frmKorvane::Number(const RegistryValue& value) {
    return registry::ToInt16(registry_.RegistryGetKeyValue(value.root, value.key, value.name),
                             platform_);
}

void frmKorvane::Set(const RegistryValue& value, const registry::Variant& data,
                     std::uint32_t type) {
    registry_.RegistrySetKeyValue(value.root, value.key, value.name, data, type);
}

void frmKorvane::Delete(const RegistryValue& value) {
    registry_.RegistryDeleteValue(value.root, value.key, value.name);
}

void frmKorvane::cmdHelp_Click() {
    platform_.StartNotepad(u"notepad.exe " + platform_.AppDirectory() + u"\\readme.txt");
}

}  // namespace app

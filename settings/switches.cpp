// The nine on/off switches: a loader that sets the box, a click handler that writes it.
#include "app/frm_korvane.h"
#include "app/registry_values.h"
#include "toolkit/error.h"

namespace app {

namespace {
constexpr const char16_t* kRestartNotice =
    u"You need to restart before this setting will take effect.";

using registry::kRegDword;
using registry::kRegSz;
}  // namespace

void frmKorvane::Append_Completion() {
    toolkit::Guard(platform_, u"Append_Completion",
                   [this] { chkAutoAppend.SetValue(Text(kAppendCompletion) != u"no"); });
}

void frmKorvane::Password_Caching() {
    const auto number = Number(kDisablePasswordCaching);
    if (number == 0) {
        chkPassCach.SetValue(0);
    }
    if (number == 1) {
        chkPassCach.SetValue(1);
    }
}

void frmKorvane::Error_Reporting() {
    toolkit::Guard(platform_, u"Error_Reporting",
                   [this] { chkIEErr.SetValue(Number(kIEWatsonDisabled) == 1); });
}

void frmKorvane::Intelli_Menus() {
    toolkit::Guard(platform_, u"Intelli_Menus",
                   [this] { chkHideWeb.SetValue(Text(kFavIntelliMenus) == u"yes"); });
}

void frmKorvane::Update_Check() {
    chkUpdate.SetValue(Number(kNoUpdateCheck) == 0);
}

void frmKorvane::About_Urls() {
    chkAbout.SetValue(Number(kAbout) == 4);
}

void frmKorvane::Internet_Icon() {
    chkIcon.SetValue(Number(kNoInternetIcon) == 1);
}

void frmKorvane::Security_Zone() {
    chkSecurityZone.SetValue(Number(kZone0Flags) == 1);
}

void frmKorvane::Cache_Persistent() {
    chkCache.SetValue(Number(kCachePersistent) == 0);
}

void frmKorvane::chkAutoAppend_Click() {
    Set(kAppendCompletion, chkAutoAppend.value() == 1 ? u"yes" : u"no", kRegSz);
}

void frmKorvane::chkPassCach_Click() {
    Set(kDisablePasswordCaching, chkPassCach.value() == 1 ? 1 : 0, kRegDword);
}

void frmKorvane::chkIEErr_Click() {
    if (chkIEErr.value() == 1) {
        Set(kIEWatsonDisabled, 1, kRegDword);
        Set(kIEWatsonEnabled, 0, kRegDword);
    } else {
        Delete(kIEWatsonDisabled);
        Delete(kIEWatsonEnabled);
    }
}

void frmKorvane::chkHideWeb_Click() {
    Set(kFavIntelliMenus, chkHideWeb.value() == 1 ? u"yes" : u"no", kRegSz);
}

void frmKorvane::chkUpdate_Click() {
    Set(kNoUpdateCheck, chkUpdate.value() == 1 ? 0 : 1, kRegDword);
}

void frmKorvane::chkAbout_Click() {
    for (const RegistryValue* value : {&kAbout, &kAboutColon}) {
        if (chkAbout.value() == 1) {
            Set(*value, 4, kRegDword);
        } else {
            Delete(*value);
        }
    }
}

void frmKorvane::chkIcon_Click() {
    if (chkIcon.value() == 1) {
        Set(kNoInternetIcon, 1, kRegDword);
    } else {
        Delete(kNoInternetIcon);
    }
}

void frmKorvane::chkSecurityZone_Click() {
    Set(kZone0Flags, chkSecurityZone.value() == 1 ? 1 : 33, kRegDword);
}

void frmKorvane::chkCache_Click() {
    Set(kCachePersistent, chkCache.value() == 1 ? 0 : 1, kRegDword);
}

void frmKorvane::chkIcon_MouseUp() {
    // The flag goes up before the box opens, so notices never stack.
    if (!std::exchange(blnRestartNoticeShown, true)) {
        platform_.ShowMessage(kRestartNotice);
    }
}

}  // namespace app

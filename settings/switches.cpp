// The nine on/off switches: a loader that sets the box, a click handler that writes it.
#include "app/frm_korvane.h"
#include "app/registry_keys.h"
#include "toolkit/error.h"

namespace app {

namespace {
constexpr const char16_t* kAutoCompleteKey =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete";
constexpr const char16_t* kProtocolDefaultsKey =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\ProtocolDefaults";
constexpr const char16_t* kZone0Key =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\0";
constexpr const char16_t* kCacheKey =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache";
constexpr const char16_t* kRestartNotice =
    u"You need to restart before this setting will take effect.";

using registry::kRegDword;
using registry::kRegSz;
}  // namespace

void frmKorvane::Append_Completion() {
    toolkit::Guard(platform_, u"Append_Completion", [this] {
        chkAutoAppend.SetValue(Text(kCurrentUser, kAutoCompleteKey, u"Append Completion") != u"no");
    });
}

void frmKorvane::Password_Caching() {
    const auto number = Number(kCurrentUser, kInternetSettingsKey, u"DisablePasswordCaching");
    if (number == 0) {
        chkPassCach.SetValue(0);
    }
    if (number == 1) {
        chkPassCach.SetValue(1);
    }
}

void frmKorvane::Error_Reporting() {
    toolkit::Guard(platform_, u"Error_Reporting", [this] {
        chkIEErr.SetValue(Number(kLocalMachine, kIEMainKey, u"IEWatsonDisabled") == 1);
    });
}

void frmKorvane::Intelli_Menus() {
    toolkit::Guard(platform_, u"Intelli_Menus", [this] {
        chkHideWeb.SetValue(Text(kCurrentUser, kIEMainKey, u"FavIntelliMenus") == u"yes");
    });
}

void frmKorvane::Update_Check() {
    chkUpdate.SetValue(Number(kCurrentUser, kIEMainKey, u"NoUpdateCheck") == 0);
}

void frmKorvane::About_Urls() {
    chkAbout.SetValue(Number(kLocalMachine, kProtocolDefaultsKey, u"about") == 4);
}

void frmKorvane::Internet_Icon() {
    chkIcon.SetValue(Number(kCurrentUser, kPoliciesExplorerKey, u"NoInternetIcon") == 1);
}

void frmKorvane::Security_Zone() {
    chkSecurityZone.SetValue(Number(kCurrentUser, kZone0Key, u"Flags") == 1);
}

void frmKorvane::Cache_Persistent() {
    chkCache.SetValue(Number(kCurrentUser, kCacheKey, u"Persistent") == 0);
}

void frmKorvane::chkAutoAppend_Click() {
    registry_.RegistrySetKeyValue(kCurrentUser, kAutoCompleteKey, u"Append Completion",
                                  chkAutoAppend.value() == 1 ? u"yes" : u"no", kRegSz);
}

void frmKorvane::chkPassCach_Click() {
    registry_.RegistrySetKeyValue(kCurrentUser, kInternetSettingsKey, u"DisablePasswordCaching",
                                  chkPassCach.value() == 1 ? 1 : 0, kRegDword);
}

void frmKorvane::chkIEErr_Click() {
    if (chkIEErr.value() == 1) {
        registry_.RegistrySetKeyValue(kLocalMachine, kIEMainKey, u"IEWatsonDisabled", 1, kRegDword);
        registry_.RegistrySetKeyValue(kLocalMachine, kIEMainKey, u"IEWatsonEnabled", 0, kRegDword);
    } else {
        registry_.RegistryDeleteValue(kLocalMachine, kIEMainKey, u"IEWatsonDisabled");
        registry_.RegistryDeleteValue(kLocalMachine, kIEMainKey, u"IEWatsonEnabled");
    }
}

void frmKorvane::chkHideWeb_Click() {
    registry_.RegistrySetKeyValue(kCurrentUser, kIEMainKey, u"FavIntelliMenus",
                                  chkHideWeb.value() == 1 ? u"yes" : u"no", kRegSz);
}

void frmKorvane::chkUpdate_Click() {
    registry_.RegistrySetKeyValue(kCurrentUser, kIEMainKey, u"NoUpdateCheck",
                                  chkUpdate.value() == 1 ? 0 : 1, kRegDword);
}

void frmKorvane::chkAbout_Click() {
    for (const char16_t* name : {u"about", u"about:"}) {
        if (chkAbout.value() == 1) {
            registry_.RegistrySetKeyValue(kLocalMachine, kProtocolDefaultsKey, name, 4, kRegDword);
        } else {
            registry_.RegistryDeleteValue(kLocalMachine, kProtocolDefaultsKey, name);
        }
    }
}

void frmKorvane::chkIcon_Click() {
    if (chkIcon.value() == 1) {
        registry_.RegistrySetKeyValue(kCurrentUser, kPoliciesExplorerKey, u"NoInternetIcon", 1,
                                      kRegDword);
    } else {
        registry_.RegistryDeleteValue(kCurrentUser, kPoliciesExplorerKey, u"NoInternetIcon");
    }
}

void frmKorvane::chkSecurityZone_Click() {
    registry_.RegistrySetKeyValue(kCurrentUser, kZone0Key, u"Flags",
                                  chkSecurityZone.value() == 1 ? 1 : 33, kRegDword);
}

void frmKorvane::chkCache_Click() {
    registry_.RegistrySetKeyValue(kCurrentUser, kCacheKey, u"Persistent",
                                  chkCache.value() == 1 ? 0 : 1, kRegDword);
}

void frmKorvane::chkIcon_MouseUp() {
    // The flag goes up before the box opens, so notices never stack.
    if (!std::exchange(blnRestartNoticeShown, true)) {
        platform_.ShowMessage(kRestartNotice);
    }
}

}  // namespace app

// The nine on/off switches: a loader that sets the box, a click handler that writes it.
#include "app/frm_korvane.h"
#include "app/registry_keys.h"
#include "toolkit/error.h"

namespace app {

namespace {
constexpr const char* kAutoCompleteKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete";
constexpr const char* kProtocolDefaultsKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\ProtocolDefaults";
constexpr const char* kZone0Key =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\0";
constexpr const char* kCacheKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache";
constexpr const char* kRestartNotice = "You need to restart before this setting will take effect.";

using registry::kRegDword;
using registry::kRegSz;
using registry::ToInt16;
using registry::ToText;
}  // namespace

void frmKorvane::Append_Completion() {
    toolkit::Guard(platform_, "Append_Completion", [this] {
        const auto text = ToText(
            registry_.RegistryGetKeyValue(kCurrentUser, kAutoCompleteKey, "Append Completion"));
        chkAutoAppend.SetValue(text != "no" ? 1 : 0);
    });
}

void frmKorvane::Password_Caching() {
    const auto number = ToInt16(registry_.RegistryGetKeyValue(kCurrentUser, kInternetSettingsKey,
                                                              "DisablePasswordCaching"));
    if (number == 0) {
        chkPassCach.SetValue(0);
    }
    if (number == 1) {
        chkPassCach.SetValue(1);
    }
}

void frmKorvane::Error_Reporting() {
    toolkit::Guard(platform_, "Error_Reporting", [this] {
        chkIEErr.SetValue(ToInt16(registry_.RegistryGetKeyValue(kLocalMachine, kIEMainKey,
                                                                "IEWatsonDisabled")) == 1);
    });
}

void frmKorvane::Intelli_Menus() {
    toolkit::Guard(platform_, "Intelli_Menus", [this] {
        chkHideWeb.SetValue(ToText(registry_.RegistryGetKeyValue(kCurrentUser, kIEMainKey,
                                                                 "FavIntelliMenus")) == "yes");
    });
}

void frmKorvane::Update_Check() {
    chkUpdate.SetValue(
        ToInt16(registry_.RegistryGetKeyValue(kCurrentUser, kIEMainKey, "NoUpdateCheck")) == 0);
}

void frmKorvane::About_Urls() {
    chkAbout.SetValue(
        ToInt16(registry_.RegistryGetKeyValue(kLocalMachine, kProtocolDefaultsKey, "about")) == 4);
}

void frmKorvane::Internet_Icon() {
    chkIcon.SetValue(ToInt16(registry_.RegistryGetKeyValue(kCurrentUser, kPoliciesExplorerKey,
                                                           "NoInternetIcon")) == 1);
}

void frmKorvane::Security_Zone() {
    chkSecurityZone.SetValue(
        ToInt16(registry_.RegistryGetKeyValue(kCurrentUser, kZone0Key, "Flags")) == 1);
}

void frmKorvane::Cache_Persistent() {
    chkCache.SetValue(
        ToInt16(registry_.RegistryGetKeyValue(kCurrentUser, kCacheKey, "Persistent")) == 0);
}

void frmKorvane::chkAutoAppend_Click() {
    registry_.RegistrySetKeyValue(kCurrentUser, kAutoCompleteKey, "Append Completion",
                                  chkAutoAppend.value() == 1 ? "yes" : "no", kRegSz);
}

void frmKorvane::chkPassCach_Click() {
    registry_.RegistrySetKeyValue(kCurrentUser, kInternetSettingsKey, "DisablePasswordCaching",
                                  chkPassCach.value() == 1 ? 1 : 0, kRegDword);
}

void frmKorvane::chkIEErr_Click() {
    if (chkIEErr.value() == 1) {
        registry_.RegistrySetKeyValue(kLocalMachine, kIEMainKey, "IEWatsonDisabled", 1, kRegDword);
        registry_.RegistrySetKeyValue(kLocalMachine, kIEMainKey, "IEWatsonEnabled", 0, kRegDword);
    } else {
        registry_.RegistryDeleteValue(kLocalMachine, kIEMainKey, "IEWatsonDisabled");
        registry_.RegistryDeleteValue(kLocalMachine, kIEMainKey, "IEWatsonEnabled");
    }
}

void frmKorvane::chkHideWeb_Click() {
    registry_.RegistrySetKeyValue(kCurrentUser, kIEMainKey, "FavIntelliMenus",
                                  chkHideWeb.value() == 1 ? "yes" : "no", kRegSz);
}

void frmKorvane::chkUpdate_Click() {
    registry_.RegistrySetKeyValue(kCurrentUser, kIEMainKey, "NoUpdateCheck",
                                  chkUpdate.value() == 1 ? 0 : 1, kRegDword);
}

void frmKorvane::chkAbout_Click() {
    for (const char* name : {"about", "about:"}) {
        if (chkAbout.value() == 1) {
            registry_.RegistrySetKeyValue(kLocalMachine, kProtocolDefaultsKey, name, 4, kRegDword);
        } else {
            registry_.RegistryDeleteValue(kLocalMachine, kProtocolDefaultsKey, name);
        }
    }
}

void frmKorvane::chkIcon_Click() {
    if (chkIcon.value() == 1) {
        registry_.RegistrySetKeyValue(kCurrentUser, kPoliciesExplorerKey, "NoInternetIcon", 1,
                                      kRegDword);
    } else {
        registry_.RegistryDeleteValue(kCurrentUser, kPoliciesExplorerKey, "NoInternetIcon");
    }
}

void frmKorvane::chkSecurityZone_Click() {
    registry_.RegistrySetKeyValue(kCurrentUser, kZone0Key, "Flags",
                                  chkSecurityZone.value() == 1 ? 1 : 33, kRegDword);
}

void frmKorvane::chkCache_Click() {
    registry_.RegistrySetKeyValue(kCurrentUser, kCacheKey, "Persistent",
                                  chkCache.value() == 1 ? 0 : 1, kRegDword);
}

void frmKorvane::chkIcon_MouseUp() {
    // The flag goes up before the box opens, so notices never stack.
    if (!std::exchange(blnRestartNoticeShown, true)) {
        platform_.ShowMessage(kRestartNotice);
    }
}

}  // namespace app

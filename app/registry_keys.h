// The roots and key paths of the settings, spelled and cased as the browser's.
#pragma once

#include "registry/registry_api.h"

namespace app {

inline constexpr registry::Key kCurrentUser = registry::kCurrentUser;
inline constexpr registry::Key kLocalMachine = registry::kLocalMachine;

inline constexpr const char16_t* kIEKey = u"Software\\Microsoft\\Internet Explorer";
inline constexpr const char16_t* kIEMainKey = u"Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr const char16_t* kToolbarKey = u"Software\\Microsoft\\Internet Explorer\\Toolbar";
inline constexpr const char16_t* kTypedUrlsKey =
    u"Software\\Microsoft\\Internet Explorer\\TypedURLs";
inline constexpr const char16_t* kInternetSettingsKey =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
inline constexpr const char16_t* kPoliciesExplorerKey =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

}  // namespace app

// The roots and key paths of the settings, spelled and cased as the browser's.
#pragma once

#include "registry/registry_api.h"

namespace app {

inline constexpr registry::Key kCurrentUser = registry::kCurrentUser;
inline constexpr registry::Key kLocalMachine = registry::kLocalMachine;

inline constexpr const char* kIEKey = "Software\\Microsoft\\Internet Explorer";
inline constexpr const char* kIEMainKey = "Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr const char* kToolbarKey = "Software\\Microsoft\\Internet Explorer\\Toolbar";
inline constexpr const char* kTypedUrlsKey = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
inline constexpr const char* kInternetSettingsKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
inline constexpr const char* kPoliciesExplorerKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

}  // namespace app

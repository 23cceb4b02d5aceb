// Every registry value the program reads or writes, spelled and cased as the browser's. The
// handlers, the check boxes' tooltips, the undo record, export and import all read these.
#pragma once

#include <array>
#include <vector>

#include "registry/registry_api.h"

namespace app {

struct RegistryValue {
    registry::Key root;  // registry::kCurrentUser (the user's settings) or kLocalMachine
    const char16_t* key;
    const char16_t* name;  // nullptr: every value of the key
};

inline constexpr registry::Key kCurrentUser = registry::kCurrentUser;
inline constexpr registry::Key kLocalMachine = registry::kLocalMachine;

inline constexpr const char16_t* kIEKey = u"Software\\Microsoft\\Internet Explorer";
inline constexpr const char16_t* kIEMainKey = u"Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr const char16_t* kToolbarKey = u"Software\\Microsoft\\Internet Explorer\\Toolbar";
inline constexpr const char16_t* kInternetSettingsKey =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
inline constexpr const char16_t* kPolicyKey =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

// Read only: never written, exported or imported.
inline constexpr RegistryValue kVersion{kLocalMachine, kIEKey, u"Version"};

inline constexpr RegistryValue kAppendCompletion{
    kCurrentUser, u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete",
    u"Append Completion"};
inline constexpr RegistryValue kDisablePasswordCaching{kCurrentUser, kInternetSettingsKey,
                                                       u"DisablePasswordCaching"};
inline constexpr RegistryValue kIEWatsonDisabled{kLocalMachine, kIEMainKey, u"IEWatsonDisabled"};
inline constexpr RegistryValue kIEWatsonEnabled{kLocalMachine, kIEMainKey, u"IEWatsonEnabled"};
inline constexpr RegistryValue kFavIntelliMenus{kCurrentUser, kIEMainKey, u"FavIntelliMenus"};
inline constexpr RegistryValue kNoUpdateCheck{kCurrentUser, kIEMainKey, u"NoUpdateCheck"};
inline constexpr const char16_t* kProtocolDefaultsKey =
    u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\ProtocolDefaults";
inline constexpr RegistryValue kAbout{kLocalMachine, kProtocolDefaultsKey, u"about"};
inline constexpr RegistryValue kAboutColon{kLocalMachine, kProtocolDefaultsKey, u"about:"};
inline constexpr RegistryValue kNoInternetIcon{kCurrentUser, kPolicyKey, u"NoInternetIcon"};
inline constexpr RegistryValue kZone0Flags{
    kCurrentUser, u"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\0",
    u"Flags"};
inline constexpr RegistryValue kCachePersistent{
    kCurrentUser, u"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache",
    u"Persistent"};

inline constexpr RegistryValue kNoToolbarCustomize{kCurrentUser, kPolicyKey, u"NoToolbarCustomize"};
inline constexpr RegistryValue kSpecifyDefaultButtons{kCurrentUser, kPolicyKey,
                                                      u"SpecifyDefaultButtons"};
// The 22 toolbar buttons, in the order the toolbar switch reloads them.
inline constexpr std::array<RegistryValue, 22> kButtonValues = {{
    {kCurrentUser, kPolicyKey, u"Btn_Back"},         {kCurrentUser, kPolicyKey, u"Btn_Forward"},
    {kCurrentUser, kPolicyKey, u"Btn_Stop"},         {kCurrentUser, kPolicyKey, u"Btn_Folders"},
    {kCurrentUser, kPolicyKey, u"Btn_Refresh"},      {kCurrentUser, kPolicyKey, u"Btn_Print"},
    {kCurrentUser, kPolicyKey, u"Btn_Favorites"},    {kCurrentUser, kPolicyKey, u"Btn_Edit"},
    {kCurrentUser, kPolicyKey, u"Btn_Home"},         {kCurrentUser, kPolicyKey, u"Btn_Search"},
    {kCurrentUser, kPolicyKey, u"Btn_Media"},        {kCurrentUser, kPolicyKey, u"Btn_History"},
    {kCurrentUser, kPolicyKey, u"Btn_Tools"},        {kCurrentUser, kPolicyKey, u"Btn_Encoding"},
    {kCurrentUser, kPolicyKey, u"Btn_PrintPreview"}, {kCurrentUser, kPolicyKey, u"Btn_Fullscreen"},
    {kCurrentUser, kPolicyKey, u"Btn_MailNews"},     {kCurrentUser, kPolicyKey, u"Btn_Size"},
    {kCurrentUser, kPolicyKey, u"Btn_Discussions"},  {kCurrentUser, kPolicyKey, u"Btn_Cut"},
    {kCurrentUser, kPolicyKey, u"Btn_Copy"},         {kCurrentUser, kPolicyKey, u"Btn_Paste"},
}};

inline constexpr RegistryValue kDownloadDirectory{kCurrentUser, kIEKey, u"Download Directory"};
inline constexpr RegistryValue kWindowTitle{kCurrentUser, kIEMainKey, u"Window Title"};
inline constexpr RegistryValue kBackBitmap{kCurrentUser, kToolbarKey, u"BackBitmap"};
inline constexpr RegistryValue kMaxConnectionsPerServer{kCurrentUser, kInternetSettingsKey,
                                                        u"MaxConnectionsPerServer"};
inline constexpr RegistryValue kMaxConnectionsPer1_0Server{kCurrentUser, kInternetSettingsKey,
                                                           u"MaxConnectionsPer1_0Server"};
inline constexpr RegistryValue kBrandBitmap{kCurrentUser, kToolbarKey, u"BrandBitmap"};
inline constexpr RegistryValue kSmBrandBitmap{kCurrentUser, kToolbarKey, u"SmBrandBitmap"};

// The typed-address history: "Clear" removes the whole key.
inline constexpr RegistryValue kTypedUrls{
    kCurrentUser, u"Software\\Microsoft\\Internet Explorer\\TypedURLs", nullptr};

// Every setting's value, the history excluded, in the order an export lists them.
std::vector<const RegistryValue*> SettingValues();

}  // namespace app

// What each check box changes, shown as its tooltip: the registry value it writes, and what
// ticked and clear store.
#include "app/frm_korvane.h"

namespace app {

namespace {
using F = frmKorvane;
constexpr const char16_t* kNeedsAdministrator = u"\r\nChanging it needs administrator rights.";
constexpr const char16_t* kSettings =
    u"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr const char16_t* kPolicy =
    u"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

struct Tip {
    Control F::*box;
    std::u16string text;
};
}  // namespace

void frmKorvane::SetCheckBoxTips() {
    // clang-format off
    const Tip tips[] = {
        {&F::chkAutoAppend, u"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete, \"Append Completion\": \"yes\" when ticked, \"no\" when clear."},
        {&F::chkPassCach, kSettings + std::u16string(u", DisablePasswordCaching: 1 when ticked, 0 when clear.")},
        {&F::chkIEErr, u"HKLM\\Software\\Microsoft\\Internet Explorer\\Main, IEWatsonDisabled = 1 and IEWatsonEnabled = 0 when ticked, both deleted when clear." + std::u16string(kNeedsAdministrator)},
        {&F::chkHideWeb, u"HKCU\\Software\\Microsoft\\Internet Explorer\\Main, FavIntelliMenus: \"yes\" when ticked, \"no\" when clear."},
        {&F::chkUpdate, u"HKCU\\Software\\Microsoft\\Internet Explorer\\Main, NoUpdateCheck: 0 when ticked, 1 when clear."},
        {&F::chkAbout, u"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\ProtocolDefaults, \"about\" and \"about:\": 4 when ticked, deleted when clear." + std::u16string(kNeedsAdministrator)},
        {&F::chkIcon, kPolicy + std::u16string(u", NoInternetIcon: 1 when ticked, deleted when clear.")},
        {&F::chkSecurityZone, kSettings + std::u16string(u"\\Zones\\0, Flags: 1 when ticked, 33 when clear.")},
        {&F::chkCache, kSettings + std::u16string(u"\\Cache, Persistent: 0 when ticked, 1 when clear.")},
        {&F::chkSelect, kPolicy + std::u16string(u", NoToolbarCustomize and SpecifyDefaultButtons: 1 when ticked, 0 when clear.")},
    };
    // clang-format on
    for (const Tip& tip : tips) {
        (this->*tip.box).SetTooltip(tip.text);
    }
    for (const ToolbarButton& button : kToolbarButtons) {
        (this->*button.box)
            .SetTooltip(kPolicy + (u", " + std::u16string(button.value)) +
                        u": 1 when ticked, 2 when clear.");
    }
}

}  // namespace app

// The nine on/off browser settings: one loader and one click handler each, over the rows of
// kSwitches, and the restart notice of chkIcon.
#pragma once

#include "registry/mod_registry.h"
#include "settings/switch_table.h"
#include "toolkit/control_set.h"
#include "toolkit/controls.h"
#include "toolkit/services.h"

namespace settings {

// The notice shown on the first mouse release over chkIcon in a run.
inline constexpr const char* kRestartNotice =
    "You need to restart before this setting will take effect.";

class Switches {
public:
    // Wires the click handlers of the nine boxes and the mouse-up handler of chkIcon.
    Switches(const toolkit::ControlSet& controls, registry::modRegistry& registry,
             toolkit::PlatformServices& services);
    Switches(const Switches&) = delete;
    Switches& operator=(const Switches&) = delete;

    // Loaders: read the stored value and set the box. Append_Completion, Error_Reporting and
    // Intelli_Menus report their own failures; the others let a failure pass to the caller.
    void Append_Completion() { Load(SwitchFor("chkAutoAppend")); }
    void Password_Caching() { Load(SwitchFor("chkPassCach")); }
    void Error_Reporting() { Load(SwitchFor("chkIEErr")); }
    void Intelli_Menus() { Load(SwitchFor("chkHideWeb")); }
    void Update_Check() { Load(SwitchFor("chkUpdate")); }
    void About_Urls() { Load(SwitchFor("chkAbout")); }
    void Internet_Icon() { Load(SwitchFor("chkIcon")); }
    void Security_Zone() { Load(SwitchFor("chkSecurityZone")); }
    void Cache_Persistent() { Load(SwitchFor("chkCache")); }

    // Click handlers: write the box's state at once.
    void chkAutoAppend_Click() { Store(SwitchFor("chkAutoAppend")); }
    void chkPassCach_Click() { Store(SwitchFor("chkPassCach")); }
    void chkIEErr_Click() { Store(SwitchFor("chkIEErr")); }
    void chkHideWeb_Click() { Store(SwitchFor("chkHideWeb")); }
    void chkUpdate_Click() { Store(SwitchFor("chkUpdate")); }
    void chkAbout_Click() { Store(SwitchFor("chkAbout")); }
    void chkIcon_Click() { Store(SwitchFor("chkIcon")); }
    void chkSecurityZone_Click() { Store(SwitchFor("chkSecurityZone")); }
    void chkCache_Click() { Store(SwitchFor("chkCache")); }

    // Shows the restart notice the first time in a run; the event's details do not matter.
    void chkIcon_MouseUp(const toolkit::MouseEvent& event);

    bool blnRestartNoticeShown() const { return blnRestartNoticeShown_; }

private:
    void Load(const SwitchRow& row);
    void LoadBody(const SwitchRow& row);
    void Store(const SwitchRow& row);
    toolkit::CheckBox& Box(const SwitchRow& row) const;

    const toolkit::ControlSet& controls_;
    registry::modRegistry& registry_;
    toolkit::PlatformServices& services_;
    bool blnRestartNoticeShown_ = false;
};

}  // namespace settings

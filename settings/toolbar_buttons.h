// The toolbar-button policy: the master switch chkSelect and the 22 button boxes of
// kToolbarButtons, each written to the registry as soon as it changes.
#pragma once

#include <array>
#include <string>

#include "registry/mod_registry.h"
#include "settings/toolbar_table.h"
#include "toolkit/control_set.h"
#include "toolkit/controls.h"
#include "toolkit/services.h"

namespace settings {

class ToolbarButtons {
public:
    // Wires the click handlers of chkSelect and of the 22 button boxes.
    ToolbarButtons(const toolkit::ControlSet& controls, registry::modRegistry& registry,
                   toolkit::PlatformServices& services);
    ToolbarButtons(const ToolbarButtons&) = delete;
    ToolbarButtons& operator=(const ToolbarButtons&) = delete;

    // The start-up loader: turns chkSelect on when "NoToolbarCustomize" is not 0, and enables
    // the button boxes accordingly. Reports its own failures.
    void Select_Buttons();

    // Enables or disables the 22 button boxes, in enable order. Reports its own failures.
    void IE_Buttons_Enabled(bool enabled);

    // Writes the state of one button box to its value: 1 ticked, 2 clear.
    void Check_Box(toolkit::CheckBox& strChkBox, const std::string& strValue);

    // Loads one button box from its value ("2" is clear, anything else ticked) and writes the
    // value back as 1 or 2.
    void Check_Box_Value(toolkit::CheckBox& strChkBox, const std::string& strValue);

    // The master switch: on reloads and enables the boxes, off disables them; both write the
    // two policy values.
    void chkSelect_Click();

    // The click handler every button box shares: saves its own box to its own value.
    void Button_Click(const ToolbarButton& button);

private:
    toolkit::CheckBox& Box(const ToolbarButton& button) const;

    toolkit::CheckBox& chkSelect_;
    std::array<toolkit::CheckBox*, kToolbarButtonCount> boxes_{};  // in table order
    registry::modRegistry& registry_;
    toolkit::PlatformServices& services_;
};

}  // namespace settings

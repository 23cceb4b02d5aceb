#include "settings/toolbar_buttons.h"

#include <cstdint>

#include "registry/variant.h"
#include "toolkit/error_report.h"

namespace settings {

namespace {

void WriteNumber(registry::modRegistry& registry, const std::string& name, std::int32_t number) {
    registry.RegistrySetKeyValue(registry::kCurrentUser, kToolbarPolicyKey, name, number,
                                 registry::kRegDword);
}

}  // namespace

ToolbarButtons::ToolbarButtons(const toolkit::ControlSet& controls, registry::modRegistry& registry,
                               toolkit::PlatformServices& services)
    : chkSelect_(controls.checkBox("chkSelect")), registry_(registry), services_(services) {
    chkSelect_.onClick = [this] { chkSelect_Click(); };
    for (std::size_t row = 0; row < kToolbarButtons.size(); ++row) {
        const auto& button = kToolbarButtons[row];
        boxes_[row] = &controls.checkBox(button.control);
        boxes_[row]->onClick = [this, &button] { Button_Click(button); };
    }
}

toolkit::CheckBox& ToolbarButtons::Box(const ToolbarButton& button) const {
    return *boxes_[static_cast<std::size_t>(button.reload - 1)];
}

void ToolbarButtons::Select_Buttons() {
    toolkit::Guard(services_, "Select_Buttons", [&] {
        const std::int16_t number = registry::ToInt16(registry_.RegistryGetKeyValue(
            registry::kCurrentUser, kToolbarPolicyKey, kNoToolbarCustomize));
        // Ticking runs chkSelect_Click, which reloads and writes everything before we go on.
        if (number != 0) {
            chkSelect_.SetValue(1);
            IE_Buttons_Enabled(true);
        } else {
            chkSelect_.SetValue(0);
            IE_Buttons_Enabled(false);
        }
    });
}

void ToolbarButtons::IE_Buttons_Enabled(bool enabled) {
    toolkit::Guard(services_, "IE_Buttons_Enabled", [&] {
        for (const std::size_t row : kEnableOrder) {
            boxes_[row]->SetEnabled(enabled);
        }
    });
}

void ToolbarButtons::Check_Box(toolkit::CheckBox& strChkBox, const std::string& strValue) {
    toolkit::Guard(services_, "Check_Box",
                   [&] { WriteNumber(registry_, strValue, strChkBox.value() == 1 ? 1 : 2); });
}

void ToolbarButtons::Check_Box_Value(toolkit::CheckBox& strChkBox, const std::string& strValue) {
    toolkit::Guard(services_, "Check_Box_Value", [&] {
        const std::string stored = registry::ToText(
            registry_.RegistryGetKeyValue(registry::kCurrentUser, kToolbarPolicyKey, strValue));
        // A change of state runs the box's handler, which writes the same number first.
        std::int32_t number = 1;
        if (stored == "2") {
            strChkBox.SetValue(0);
            number = 2;
        } else {
            strChkBox.SetValue(1);
        }
        WriteNumber(registry_, strValue, number);
    });
}

void ToolbarButtons::chkSelect_Click() {
    std::int32_t number = 0;
    if (chkSelect_.value() == 1) {
        number = 1;
        IE_Buttons_Enabled(true);
        for (const auto& button : kToolbarButtons) {
            Check_Box_Value(Box(button), std::string(button.valueName));
        }
    } else {
        // The boxes keep their ticks; no button value is written.
        IE_Buttons_Enabled(false);
    }
    WriteNumber(registry_, kNoToolbarCustomize, number);
    WriteNumber(registry_, kSpecifyDefaultButtons, number);
}

void ToolbarButtons::Button_Click(const ToolbarButton& button) {
    Check_Box(Box(button), std::string(button.valueName));
}

}  // namespace settings

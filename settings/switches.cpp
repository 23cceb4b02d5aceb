#include "settings/switches.h"

#include <optional>
#include <string>

#include "registry/variant.h"
#include "toolkit/error_report.h"

namespace settings {

namespace {

// The box state a load test asks for; nothing leaves the box as it is.
std::optional<int> WantedState(const LoadTest& test, const registry::Variant& stored) {
    bool equal = false;
    if (test.form == ReadForm::Text) {
        equal = registry::ToText(stored) == test.text;
    } else {
        const std::int16_t number = registry::ToInt16(stored);
        if (test.rule == LoadRule::ZeroClearsOneTicks) {
            if (number == 0) {
                return 0;
            }
            if (number == 1) {
                return 1;
            }
            return std::nullopt;
        }
        equal = number == test.number;
    }
    const bool tick = test.rule == LoadRule::TickUnlessEqual ? !equal : equal;
    return tick ? 1 : 0;
}

}  // namespace

Switches::Switches(const toolkit::ControlSet& controls, registry::modRegistry& registry,
                   toolkit::PlatformServices& services)
    : controls_(controls), registry_(registry), services_(services) {
    controls.checkBox("chkAutoAppend").onClick = [this] { chkAutoAppend_Click(); };
    controls.checkBox("chkPassCach").onClick = [this] { chkPassCach_Click(); };
    controls.checkBox("chkIEErr").onClick = [this] { chkIEErr_Click(); };
    controls.checkBox("chkHideWeb").onClick = [this] { chkHideWeb_Click(); };
    controls.checkBox("chkUpdate").onClick = [this] { chkUpdate_Click(); };
    controls.checkBox("chkAbout").onClick = [this] { chkAbout_Click(); };
    controls.checkBox("chkIcon").onClick = [this] { chkIcon_Click(); };
    controls.checkBox("chkSecurityZone").onClick = [this] { chkSecurityZone_Click(); };
    controls.checkBox("chkCache").onClick = [this] { chkCache_Click(); };
    controls.checkBox("chkIcon").onMouseUp = [this](const toolkit::MouseEvent& event) {
        chkIcon_MouseUp(event);
    };
}

void Switches::chkIcon_MouseUp(const toolkit::MouseEvent& /*event*/) {
    if (blnRestartNoticeShown_) {
        return;
    }
    // Marked before the box opens, so a release that reaches us while it is open cannot stack
    // a second notice on the first.
    blnRestartNoticeShown_ = true;
    services_.ShowMessage(kRestartNotice, toolkit::kOkOnly, std::nullopt);
}

toolkit::CheckBox& Switches::Box(const SwitchRow& row) const {
    return controls_.checkBox(row.control);
}

void Switches::Load(const SwitchRow& row) {
    if (row.loaderGuarded) {
        toolkit::Guard(services_, std::string(row.loader), [&] { LoadBody(row); });
    } else {
        LoadBody(row);
    }
}

void Switches::LoadBody(const SwitchRow& row) {
    const auto stored = registry_.RegistryGetKeyValue(
        static_cast<std::uint32_t>(row.root), std::string(row.keyPath), std::string(row.readName));
    // Setting the box runs its click handler when the state changes, which writes it back.
    if (const auto state = WantedState(row.test, stored)) {
        Box(row).SetValue(*state);
    }
}

void Switches::Store(const SwitchRow& row) {
    const auto root = static_cast<std::uint32_t>(row.root);
    const std::string keyPath(row.keyPath);
    const auto& writes = Box(row).value() == 1 ? row.ticked : row.cleared;
    for (const auto& write : writes) {
        const std::string name(write.valueName);
        switch (write.action) {
            case SwitchWrite::Action::None:
                break;
            case SwitchWrite::Action::Text:
                registry_.RegistrySetKeyValue(root, keyPath, name, std::string(write.text),
                                              registry::kRegSz);
                break;
            case SwitchWrite::Action::Number:
                registry_.RegistrySetKeyValue(root, keyPath, name, write.number,
                                              registry::kRegDword);
                break;
            case SwitchWrite::Action::Delete:
                registry_.RegistryDeleteValue(root, keyPath, name);
                break;
        }
    }
}

}  // namespace settings

#include "settings/version_probe.h"

#include "toolkit/error_report.h"

namespace settings {

VersionProbe::VersionProbe(const toolkit::ControlSet& controls, registry::modRegistry& registry,
                           toolkit::PlatformServices& services)
    : lblVersion_(controls.label("lblVersion")), registry_(registry), services_(services) {}

void VersionProbe::IE_Version() {
    toolkit::Guard(services_, "IE_Version", [&] {
        strVersion_ = registry::ToText(registry_.RegistryGetKeyValue(
            registry::kLocalMachine, "Software\\Microsoft\\Internet Explorer", "Version"));
        lblVersion_.SetCaption(strVersion_);
    });
}

}  // namespace settings

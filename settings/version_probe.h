// Which browser version is installed: read once at start-up, shown in lblVersion.
#pragma once

#include <string>

#include "registry/mod_registry.h"
#include "toolkit/control_set.h"
#include "toolkit/services.h"

namespace settings {

class VersionProbe {
public:
    VersionProbe(const toolkit::ControlSet& controls, registry::modRegistry& registry,
                 toolkit::PlatformServices& services);

    // Reads "Version" from HKLM into strVersion and lblVersion; reports its own failures.
    void IE_Version();

    // The version text exactly as read; empty when there is none.
    const std::string& strVersion() const { return strVersion_; }

private:
    toolkit::Label& lblVersion_;
    registry::modRegistry& registry_;
    toolkit::PlatformServices& services_;
    std::string strVersion_;
};

}  // namespace settings

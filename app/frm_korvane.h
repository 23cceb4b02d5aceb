// The main window's program side: owns every control and the form-level values, wires the
// handlers, runs start-up and shut-down. Knows nothing of HWNDs.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/mod_registry.h"
#include "registry/registry_api.h"
#include "registry/variant.h"
#include "settings/domain_search.h"
#include "settings/history_actions.h"
#include "settings/switches.h"
#include "settings/text_settings.h"
#include "settings/toolbar_buttons.h"
#include "settings/version_probe.h"
#include "shell/shell_api.h"
#include "toolkit/common_dialog.h"
#include "toolkit/control_set.h"
#include "toolkit/services.h"

namespace app {

// The version box's prompt: two lines, the second with the browser's download page.
extern const std::string kVersionRefusedPrompt;

class frmKorvane {
public:
    frmKorvane(registry::RegistryApi& registryApi, toolkit::PlatformServices& services,
               shell::ShellApi& shell);
    frmKorvane(const frmKorvane&) = delete;
    frmKorvane& operator=(const frmKorvane&) = delete;

    // The load event: the version gate, then every loader in its fixed order.
    void Form_Load();
    // The unload event; closing is never refused, so Cancel is left alone.
    void Form_Unload(std::int16_t& Cancel);

    // True when the window closed itself during load: it must never be shown.
    bool unloadRequested() const { return unloadRequested_; }

    struct Loader {
        std::string_view name;
        std::function<void()> run;
    };
    // The start-up loaders in the order Form_Load calls them.
    std::vector<Loader> StartupLoaders();

    // The domain search group's public method: Empty, and nothing else.
    registry::Variant Domain() const { return domain_.Domain(); }

    toolkit::ControlSet& controls() { return controls_; }
    const std::string& strVersion() const { return version_.strVersion(); }
    const registry::Variant& strBackBitmap() const { return strBackBitmap_; }

private:
    toolkit::PlatformServices& services_;
    toolkit::ControlSet controls_;
    registry::modRegistry registry_;
    toolkit::CommonDialog CommonDialog1;
    settings::VersionProbe version_;
    settings::DomainSearch domain_;
    settings::ToolbarButtons toolbarButtons_;
    settings::Switches switches_;

    // The toolbar bitmap path as last read or set; written once more at unload, but only once
    // it has been read, so a value never read is never written over the stored one.
    registry::Variant strBackBitmap_;
    bool backBitmapRead_ = false;
    bool unloadRequested_ = false;

    settings::TextSettings text_;
    settings::HistoryActions history_;
};

}  // namespace app

// The main window without a screen, as benchmarks and fuzz targets drive it: the form over a
// registry store, with scripted platform services that record every message box.
#pragma once

#include "app/frm_korvane.h"
#include "registry/registry_api.h"
#include "toolkit/scripted_services.h"

namespace bench {

struct HeadlessWindow {
    explicit HeadlessWindow(registry::RegistryApi& store) : form(store, services) {}

    toolkit::ScriptedServices services;
    app::frmKorvane form;
};

}  // namespace bench

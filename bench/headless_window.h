// The main window without a screen, as benchmarks and fuzz targets drive it: the form over a
// registry store, with scripted platform services and shell that record what they are asked.
#pragma once

#include "app/frm_korvane.h"
#include "registry/registry_api.h"
#include "shell/scripted_shell.h"
#include "toolkit/scripted_services.h"

namespace bench {

struct HeadlessWindow {
    explicit HeadlessWindow(registry::RegistryApi& store) : form(store, services, shell) {}

    toolkit::ScriptedServices services;
    shell::ScriptedShell shell;
    app::frmKorvane form;
};

}  // namespace bench

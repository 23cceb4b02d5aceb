// The installed browser's version, read before any setting.
#include "app/frm_korvane.h"
#include "app/registry_keys.h"
#include "toolkit/error.h"

namespace app {

void frmKorvane::IE_Version() {
    toolkit::Guard(platform_, "IE_Version", [this] {
        strVersion =
            registry::ToText(registry_.RegistryGetKeyValue(kLocalMachine, kIEKey, "Version"));
        lblVersion.SetText(strVersion);
    });
}

}  // namespace app

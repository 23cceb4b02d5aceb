// The installed browser's version, read before any setting.
#include "app/frm_korvane.h"
#include "app/registry_values.h"
#include "toolkit/error.h"

namespace app {

void frmKorvane::IE_Version() {
    toolkit::Guard(platform_, u"IE_Version", [this] {
        strVersion = Text(kVersion);
        lblVersion.SetText(strVersion);
    });
}

}  // namespace app

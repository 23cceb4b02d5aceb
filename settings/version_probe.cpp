// The installed browser's version, read before any setting.
#include "app/frm_korvane.h"
#include "app/registry_keys.h"
#include "toolkit/error.h"

namespace app {

void frmKorvane::IE_Version() {
    toolkit::Guard(platform_, u"IE_Version", [this] {
        strVersion = Text(kLocalMachine, kIEKey, u"Version");
        lblVersion.SetText(strVersion);
    });
}

}  // namespace app

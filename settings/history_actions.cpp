// Two one-shot actions: clear the typed-address history, restore the default animated logo.
#include "app/frm_korvane.h"
#include "app/registry_values.h"

namespace app {

void frmKorvane::cmdClear_Click() {
    registry_.RegistryDeleteKey(kTypedUrls.root, kTypedUrls.key);
}

void frmKorvane::cmdRestore_Click() {
    Delete(kBrandBitmap);
    Delete(kSmBrandBitmap);
}

}  // namespace app

// Two one-shot actions: clear the typed-address history, restore the default animated logo.
#include "app/frm_korvane.h"
#include "app/registry_keys.h"

namespace app {

void frmKorvane::cmdClear_Click() {
    registry_.RegistryDeleteKey(kCurrentUser, kTypedUrlsKey);
}

void frmKorvane::cmdRestore_Click() {
    registry_.RegistryDeleteValue(kCurrentUser, kToolbarKey, u"BrandBitmap");
    registry_.RegistryDeleteValue(kCurrentUser, kToolbarKey, u"SmBrandBitmap");
}

}  // namespace app

#include "app/registry_values.h"

namespace app {

std::vector<const RegistryValue*> SettingValues() {
    std::vector<const RegistryValue*> values = {
        &kAppendCompletion, &kDisablePasswordCaching, &kFavIntelliMenus,
        &kNoUpdateCheck,    &kNoInternetIcon,         &kZone0Flags,
        &kCachePersistent,  &kNoToolbarCustomize,     &kSpecifyDefaultButtons};
    for (const RegistryValue& button : kButtonValues) {
        values.push_back(&button);
    }
    values.insert(values.end(),
                  {&kDownloadDirectory, &kWindowTitle, &kBackBitmap, &kMaxConnectionsPerServer,
                   &kMaxConnectionsPer1_0Server, &kBrandBitmap, &kSmBrandBitmap, &kIEWatsonDisabled,
                   &kIEWatsonEnabled, &kAbout, &kAboutColon});
    return values;
}

}  // namespace app

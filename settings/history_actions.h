// The two one-shot actions: clear the typed-address history and restore the default logo.
// Neither reads anything first, asks anything or reports success.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "registry/mod_registry.h"
#include "registry/registry_api.h"
#include "toolkit/control_set.h"

namespace settings {

// Registry data the actions remove; an empty value name means the whole key.
struct RemovedData {
    std::uint32_t root;
    std::string_view keyPath;
    std::string_view valueName;
};

inline constexpr std::uint32_t kHistoryRoot = static_cast<std::uint32_t>(registry::kCurrentUser);

inline constexpr RemovedData kTypedUrls{kHistoryRoot,
                                        "Software\\Microsoft\\Internet Explorer\\TypedURLs", ""};
// Removed in this order; the toolbar key and its other values stay.
inline constexpr std::array kBrandBitmaps{
    RemovedData{kHistoryRoot, "Software\\Microsoft\\Internet Explorer\\Toolbar", "BrandBitmap"},
    RemovedData{kHistoryRoot, "Software\\Microsoft\\Internet Explorer\\Toolbar", "SmBrandBitmap"},
};

class HistoryActions {
public:
    // Connects the handlers to cmdClear and cmdRestore in `controls`.
    HistoryActions(const toolkit::ControlSet& controls, registry::modRegistry& registry);
    HistoryActions(const HistoryActions&) = delete;
    HistoryActions& operator=(const HistoryActions&) = delete;

    // Deletes the typed-address key; one with sub keys stays, silently.
    void cmdClear_Click();
    // Deletes both logo values, each whether or not the other was there.
    void cmdRestore_Click();

private:
    registry::modRegistry& registry_;
};

}  // namespace settings

#include "settings/history_actions.h"

#include <string>

namespace settings {

HistoryActions::HistoryActions(const toolkit::ControlSet& controls, registry::modRegistry& registry)
    : registry_(registry) {
    controls.button("cmdClear").onClick = [this] { cmdClear_Click(); };
    controls.button("cmdRestore").onClick = [this] { cmdRestore_Click(); };
}

void HistoryActions::cmdClear_Click() {
    registry_.RegistryDeleteKey(kTypedUrls.root, std::string(kTypedUrls.keyPath));
}

void HistoryActions::cmdRestore_Click() {
    for (const auto& value : kBrandBitmaps) {
        registry_.RegistryDeleteValue(value.root, std::string(value.keyPath),
                                      std::string(value.valueName));
    }
}

}  // namespace settings

#include "settings/domain_search.h"

namespace settings {

DomainSearch::DomainSearch(const toolkit::ControlSet& controls) {
    controls.button("cmdAddDomain").onClick = [this] { cmdAddDomain_Click(); };
    controls.button("cmdDeleteDomain").onClick = [this] { cmdDeleteDomain_Click(); };
    controls.listBox("lstDomain").onClick = [this] { lstDomain_Click(); };
    auto& txtAddDomain = controls.textBox("txtAddDomain");
    txtAddDomain.onChange = [this] { txtAddDomain_Change(); };
    txtAddDomain.onKeyPress = [this](std::int16_t& KeyAscii) { txtAddDomain_KeyPress(KeyAscii); };
}

}  // namespace settings

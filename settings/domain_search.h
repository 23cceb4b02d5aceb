// The common domain search group: part of the window, below its visible area, with no
// behaviour. Its handlers are deliberately empty and nothing is stored for it.
#pragma once

#include <cstdint>

#include "registry/variant.h"
#include "toolkit/control_set.h"

namespace settings {

class DomainSearch {
public:
    // Wires the group's events to the empty handlers.
    explicit DomainSearch(const toolkit::ControlSet& controls);

    // Returns Empty and changes nothing.
    registry::Variant Domain() const { return {}; }

    void cmdAddDomain_Click() {}
    void cmdDeleteDomain_Click() {}
    void lstDomain_Click() {}
    void txtAddDomain_Change() {}
    // Every key is accepted.
    void txtAddDomain_KeyPress(std::int16_t& /*KeyAscii*/) {}
};

}  // namespace settings

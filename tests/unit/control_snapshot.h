// Every control's visible state as text, to compare before and after an event.
#pragma once

#include <string>
#include <vector>

#include "toolkit/control_set.h"

namespace control_test {

inline std::vector<std::string> Snapshot(const toolkit::ControlSet& controls) {
    std::vector<std::string> states;
    for (const auto& control : controls.all()) {
        std::string state = control->name() + (control->enabled() ? " on" : " off");
        if (auto* box = dynamic_cast<const toolkit::CheckBox*>(control.get())) {
            state += " " + std::to_string(box->value());
        } else if (auto* text = dynamic_cast<const toolkit::TextBox*>(control.get())) {
            state += " [" + text->text() + "|" + text->tooltip() + "]";
        } else if (auto* list = dynamic_cast<const toolkit::ListBox*>(control.get())) {
            state += " " + std::to_string(list->items().size());
        }
        if (auto* captioned = dynamic_cast<const toolkit::CaptionedControl*>(control.get())) {
            state += " " + captioned->caption();
        }
        states.push_back(state);
    }
    return states;
}

}  // namespace control_test

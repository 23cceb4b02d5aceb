#include "toolkit/control_set.h"

namespace toolkit {

Control& ControlSet::Add(std::string_view name, ControlKind kind) {
    for (const auto& control : controls_) {
        if (control->name() == name) {
            throw std::logic_error("control named twice: " + std::string(name));
        }
    }
    std::string owned(name);
    std::unique_ptr<Control> control;
    switch (kind) {
        case ControlKind::CheckBox:
            control = std::make_unique<CheckBox>(owned);
            break;
        case ControlKind::TextBox:
            control = std::make_unique<TextBox>(owned);
            break;
        case ControlKind::Label:
            control = std::make_unique<Label>(owned);
            break;
        case ControlKind::PushButton:
            control = std::make_unique<PushButton>(owned);
            break;
        case ControlKind::Frame:
            control = std::make_unique<Frame>(owned);
            break;
        case ControlKind::ListBox:
            control = std::make_unique<ListBox>(owned);
            break;
    }
    controls_.push_back(std::move(control));
    return *controls_.back();
}

Control& ControlSet::Named(std::string_view name) const {
    for (const auto& control : controls_) {
        if (control->name() == name) {
            return *control;
        }
    }
    throw std::logic_error("no control named " + std::string(name));
}

}  // namespace toolkit

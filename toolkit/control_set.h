// The controls of one window, owned together and reached by name.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/controls.h"

namespace toolkit {

class ControlSet {
public:
    // Creates a control of `kind` named `name`; names are unique.
    Control& Add(std::string_view name, ControlKind kind);

    // The control named `name`; a missing name or another kind is a programming error.
    Control& Named(std::string_view name) const;
    CheckBox& checkBox(std::string_view name) const { return As<CheckBox>(name); }
    TextBox& textBox(std::string_view name) const { return As<TextBox>(name); }
    Label& label(std::string_view name) const { return As<Label>(name); }
    PushButton& button(std::string_view name) const { return As<PushButton>(name); }
    Frame& frame(std::string_view name) const { return As<Frame>(name); }
    ListBox& listBox(std::string_view name) const { return As<ListBox>(name); }

    const std::vector<std::unique_ptr<Control>>& all() const { return controls_; }

private:
    template <typename T>
    T& As(std::string_view name) const {
        auto* control = dynamic_cast<T*>(&Named(name));
        if (control == nullptr) {
            throw std::logic_error("control of another kind: " + std::string(name));
        }
        return *control;
    }

    std::vector<std::unique_ptr<Control>> controls_;
};

}  // namespace toolkit

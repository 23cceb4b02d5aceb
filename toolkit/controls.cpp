#include "toolkit/controls.h"

#include <algorithm>

namespace toolkit {

void Control::SetValue(int value) {
    if (value == value_) {
        return;
    }
    value_ = value;
    Refresh();
    if (onClick) {
        onClick();
    }
}

void Control::SetText(std::u16string text) {
    if (kind_ == Kind::TextBox) {
        text.resize(std::min(text.find(u'\0'), text.size()));
    }
    if (text == text_) {
        return;
    }
    text_ = std::move(text);
    Refresh();
    if (onChange) {
        onChange();
    }
}

void Control::SetTooltip(std::u16string tooltip) {
    if (tooltip != tooltip_) {
        tooltip_ = std::move(tooltip);
        Refresh();
    }
}

void Control::SetEnabled(bool enabled) {
    if (enabled != enabled_) {
        enabled_ = enabled;
        Refresh();
    }
}

void Control::UserClick() {
    if (!enabled_) {
        return;
    }
    if (kind_ == Kind::CheckBox) {
        SetValue(value_ == 1 ? 0 : 1);
    } else if (onClick) {
        onClick();
    }
}

std::int16_t Control::UserKeyPress(std::int16_t code) {
    if (!enabled_) {
        return 0;
    }
    if (onKeyPress) {
        onKeyPress(code);
    }
    return code;
}

void Control::UserEdit(std::u16string text) {
    if (enabled_ && kind_ == Kind::TextBox) {
        SetText(std::move(text));
    }
}

void Control::UserMouseUp() {
    if (enabled_ && onMouseUp) {
        onMouseUp();
    }
}

void Control::AttachPeer(Peer* peer) {
    peer_ = peer;
    Refresh();
}

void Control::Restore(int value, bool enabled) {
    value_ = value;
    enabled_ = enabled;
    Refresh();
}

void Control::Refresh() const {
    if (peer_ != nullptr) {
        peer_->Refresh(*this);
    }
}

}  // namespace toolkit

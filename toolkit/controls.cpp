#include "toolkit/controls.h"

namespace toolkit {

namespace {

// Appends the UTF-8 form of one UTF-16 code unit.
void AppendCodeUnit(std::string& text, std::uint16_t unit) {
    if (unit < 0x80) {
        text += static_cast<char>(unit);
    } else if (unit < 0x800) {
        text += static_cast<char>(0xC0 | (unit >> 6));
        text += static_cast<char>(0x80 | (unit & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | (unit >> 12));
        text += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (unit & 0x3F));
    }
}

// Removes the last UTF-8 character.
void RemoveLastCharacter(std::string& text) {
    while (!text.empty()) {
        const auto byte = static_cast<unsigned char>(text.back());
        text.pop_back();
        if ((byte & 0xC0) != 0x80) {
            break;
        }
    }
}

}  // namespace

void Control::SetEnabled(bool enabled) {
    if (enabled_ == enabled) {
        return;
    }
    enabled_ = enabled;
    if (peer_ != nullptr) {
        peer_->ShowEnabled(enabled_);
    }
}

void Control::AttachPeer(ControlPeer* peer) {
    peer_ = peer;
    if (peer_ != nullptr) {
        peer_->ShowEnabled(enabled_);
        RefreshPeer();
    }
}

void CaptionedControl::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    if (peer() != nullptr) {
        peer()->ShowCaption(caption_);
    }
}

void CaptionedControl::RefreshPeer() {
    peer()->ShowCaption(caption_);
}

void CheckBox::SetValue(int value) {
    if (value == value_) {
        return;
    }
    value_ = value;
    if (peer() != nullptr) {
        peer()->ShowValue(value_);
    }
    if (onClick) {
        onClick();
    }
}

void CheckBox::UserClick() {
    if (enabled()) {
        SetValue(value_ == 1 ? 0 : 1);
    }
}

void CheckBox::UserMouseUp(const MouseEvent& event) {
    if (enabled() && onMouseUp) {
        onMouseUp(event);
    }
}

void CheckBox::RefreshPeer() {
    CaptionedControl::RefreshPeer();
    peer()->ShowValue(value_);
}

void TextBox::SetText(std::string text) {
    if (text == text_) {
        return;
    }
    text_ = std::move(text);
    if (peer() != nullptr) {
        peer()->ShowText(text_);
    }
    if (onChange) {
        onChange();
    }
}

void TextBox::SetTooltip(std::string tooltip) {
    tooltip_ = std::move(tooltip);
    if (peer() != nullptr) {
        peer()->ShowTooltip(tooltip_);
    }
}

std::int16_t TextBox::UserKeyPress(std::int16_t code) {
    if (onKeyPress) {
        onKeyPress(code);
    }
    return code;
}

void TextBox::UserEdit(std::string text) {
    if (text == text_) {
        return;
    }
    text_ = std::move(text);
    if (onChange) {
        onChange();
    }
}

void TextBox::UserType(std::int16_t code) {
    if (!enabled()) {
        return;
    }
    const auto passed = static_cast<std::uint16_t>(UserKeyPress(code));
    if (passed == 0) {
        return;
    }
    std::string edited = text_;
    if (passed == 8) {
        RemoveLastCharacter(edited);
    } else if (passed >= 32) {
        AppendCodeUnit(edited, passed);
    }
    UserEdit(std::move(edited));
}

void TextBox::UserPaste(const std::string& text) {
    if (enabled()) {
        UserEdit(text_ + text);
    }
}

void TextBox::RefreshPeer() {
    peer()->ShowText(text_);
    peer()->ShowTooltip(tooltip_);
}

void PushButton::UserClick() {
    if (enabled() && onClick) {
        onClick();
    }
}

void ListBox::UserClick() {
    if (enabled() && onClick) {
        onClick();
    }
}

void ListBox::RefreshPeer() {
    peer()->ShowItems(items_);
}

}  // namespace toolkit

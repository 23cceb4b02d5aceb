// A control of the window. It holds its state and runs its handlers exactly when that state
// changes, whether code or the user changed it; the native control only mirrors it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace toolkit {

enum class Kind { Label, TextBox, CheckBox, PushButton, Frame, ListBox };

class Control;

// The native mirror of a control: told after each change of the control's state.
class Peer {
public:
    virtual void Refresh(const Control& control) = 0;

protected:
    ~Peer() = default;
};

class Control {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The design state: what kind of control this is and its caption.
    void Design(Kind kind, std::u16string caption) {
        kind_ = kind;
        text_ = std::move(caption);
    }
    Kind kind() const { return kind_; }

    // A check box's state, 0 or 1. Setting a new value runs onClick inside the call, whether
    // the box is enabled or not; setting the same value runs nothing.
    int value() const { return value_; }
    void SetValue(int value);

    // A text box's text or any other control's caption. A new text runs onChange inside the
    // call. A text box cannot hold a NUL: the text ends before the first one.
    const std::u16string& text() const { return text_; }
    void SetText(std::u16string text);

    const std::u16string& tooltip() const { return tooltip_; }
    void SetTooltip(std::u16string tooltip);

    // A disabled control ignores the user, never code.
    bool enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // What the user does. A click toggles a check box (a ticked box clears, any other ticks)
    // and runs a button's or list's onClick. A typed key passes onKeyPress, which may discard
    // it by setting the code to 0; the code that passed is returned, for the box to apply.
    // An edit (typed, deleted or pasted) leaves `text` in the box, unfiltered.
    void UserClick();
    std::int16_t UserKeyPress(std::int16_t code);
    void UserEdit(std::u16string text);
    void UserMouseUp();

    std::function<void()> onClick;
    std::function<void()> onChange;
    std::function<void(std::int16_t& keyAscii)> onKeyPress;
    std::function<void()> onMouseUp;

    // The native mirror, or nothing while the control is headless.
    void AttachPeer(Peer* peer);
    // Sets the value and the enabled state without running a handler: a refused change
    // shown as undone.
    void Restore(int value, bool enabled);

private:
    void Refresh() const;

    Kind kind_ = Kind::Label;
    std::u16string text_;
    std::u16string tooltip_;
    int value_ = 0;
    bool enabled_ = true;
    Peer* peer_ = nullptr;
};

}  // namespace toolkit

// Portable control objects. Each holds its state and runs its handlers exactly when that
// state changes, whether code or the user changed it; a native peer only mirrors the state.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace toolkit {

enum class ControlKind { CheckBox, TextBox, Label, PushButton, Frame, ListBox };

// The native mirror of a control. The toolkit calls it after the state changed; a peer never
// calls back into a handler for a change the toolkit made.
class ControlPeer {
public:
    virtual ~ControlPeer() = default;
    virtual void ShowValue(int /*value*/) {}
    virtual void ShowText(const std::string& /*text*/) {}
    virtual void ShowTooltip(const std::string& /*text*/) {}
    virtual void ShowCaption(const std::string& /*caption*/) {}
    virtual void ShowEnabled(bool /*enabled*/) {}
    virtual void ShowItems(const std::vector<std::string>& /*items*/) {}
};

struct MouseEvent {
    int button = 1;  // 1 left, 2 right, 4 middle
    int shift = 0;
    float x = 0;
    float y = 0;
};

class Control {
public:
    Control(std::string name, ControlKind kind) : name_(std::move(name)), kind_(kind) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return name_; }
    ControlKind kind() const { return kind_; }

    bool enabled() const { return enabled_; }
    // A disabled control ignores the user, never code.
    void SetEnabled(bool enabled);

    // Attaches the native mirror and brings it up to date; nullptr detaches.
    void AttachPeer(ControlPeer* peer);
    ControlPeer* peer() const { return peer_; }

protected:
    virtual void RefreshPeer() {}

private:
    std::string name_;
    ControlKind kind_;
    bool enabled_ = true;
    ControlPeer* peer_ = nullptr;
};

// A control with a caption: label, push button, check box, frame.
class CaptionedControl : public Control {
public:
    using Control::Control;
    const std::string& caption() const { return caption_; }
    void SetCaption(std::string caption);

protected:
    void RefreshPeer() override;

private:
    std::string caption_;
};

class CheckBox : public CaptionedControl {
public:
    explicit CheckBox(std::string name)
        : CaptionedControl(std::move(name), ControlKind::CheckBox) {}

    int value() const { return value_; }
    // Runs onClick inside the call when the value changes, enabled or not.
    void SetValue(int value);

    // A user's click: toggles a ticked box to clear and anything else to ticked.
    void UserClick();
    // A mouse button released over the box.
    void UserMouseUp(const MouseEvent& event);

    std::function<void()> onClick;
    std::function<void(const MouseEvent&)> onMouseUp;

protected:
    void RefreshPeer() override;

private:
    int value_ = 0;
};

class TextBox : public Control {
public:
    explicit TextBox(std::string name) : Control(std::move(name), ControlKind::TextBox) {}

    const std::string& text() const { return text_; }
    // Runs onChange inside the call when the text changes.
    void SetText(std::string text);

    const std::string& tooltip() const { return tooltip_; }
    void SetTooltip(std::string tooltip);

    // Runs the key-press hook on a typed character code; 0 afterwards means discarded.
    std::int16_t UserKeyPress(std::int16_t code);
    // A user's edit that left `text` in the box (typed, deleted or pasted).
    void UserEdit(std::string text);
    // Headless typing at the end of the text: the hook first, then backspace deletes the last
    // character and a printable code is appended.
    void UserType(std::int16_t code);
    // Pasting at the end of the text; pasted text does not pass the key-press hook.
    void UserPaste(const std::string& text);

    std::function<void()> onChange;
    std::function<void(std::int16_t& keyAscii)> onKeyPress;

protected:
    void RefreshPeer() override;

private:
    std::string text_;
    std::string tooltip_;
};

class Label : public CaptionedControl {
public:
    explicit Label(std::string name) : CaptionedControl(std::move(name), ControlKind::Label) {}
};

class Frame : public CaptionedControl {
public:
    explicit Frame(std::string name) : CaptionedControl(std::move(name), ControlKind::Frame) {}
};

class PushButton : public CaptionedControl {
public:
    explicit PushButton(std::string name)
        : CaptionedControl(std::move(name), ControlKind::PushButton) {}

    void UserClick();
    std::function<void()> onClick;
};

class ListBox : public Control {
public:
    explicit ListBox(std::string name) : Control(std::move(name), ControlKind::ListBox) {}

    const std::vector<std::string>& items() const { return items_; }
    void UserClick();
    std::function<void()> onClick;

protected:
    void RefreshPeer() override;

private:
    std::vector<std::string> items_;
};

}  // namespace toolkit

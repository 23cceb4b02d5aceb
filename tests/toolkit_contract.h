// When a control runs its handlers: one table, run on headless controls and on real ones. A
// driver makes the controls and does what the user does, as its side receives it.
#pragma once

#include <gtest/gtest.h>

#include <tuple>

#include "toolkit/controls.h"

using toolkit::Control;
using toolkit::Kind;

class ToolkitDriver {
public:
    virtual ~ToolkitDriver() = default;
    // A control of `kind`, owned by the driver, with its native window if the driver has one.
    virtual Control& Make(Kind kind) = 0;
    virtual void Click(Control& control) = 0;
    virtual void Type(Control& control, char key) = 0;
    // The native window shows the control's state.
    virtual void ExpectMirrors(const Control& control) = 0;

    void Run() {
        enum Step { SetValue, SetSameValue, SetText, SetSameText, UserClick, UserType, UserTypeX };
        const std::tuple<Kind, bool, Step, int, int, const char*> cases[] = {
            // kind, enabled, step, handler runs, value and text after
            {Kind::CheckBox, true, SetValue, 1, 1, "Box"},
            {Kind::CheckBox, false, SetValue, 1, 1, "Box"},  // code sets a disabled box too
            {Kind::CheckBox, true, SetSameValue, 0, 0, "Box"},
            {Kind::CheckBox, true, UserClick, 1, 1, "Box"},
            {Kind::CheckBox, false, UserClick, 0, 0, "Box"},  // the user cannot
            {Kind::PushButton, true, UserClick, 1, 0, "Box"},
            {Kind::TextBox, true, SetText, 1, 0, "new"},
            {Kind::TextBox, true, SetSameText, 0, 0, ""},
            {Kind::TextBox, true, UserType, 1, 0, "7"},
            {Kind::TextBox, true, UserTypeX, 0, 0, ""},  // the key hook discards an x
        };
        for (std::size_t row = 0; row < std::size(cases); ++row) {
            SCOPED_TRACE(row);
            const auto& [kind, enabled, step, runs, value, text] = cases[row];
            Control& control = Make(kind);
            control.SetText(kind == Kind::TextBox ? "" : "Box");
            control.SetEnabled(enabled);
            int ran = 0;
            control.onClick = control.onChange = [&] { ++ran; };
            control.onKeyPress = [](std::int16_t& key) { key = key == 'x' ? 0 : key; };
            step == SetValue       ? control.SetValue(1)
            : step == SetSameValue ? control.SetValue(0)
            : step == SetText      ? control.SetText("new")
            : step == SetSameText  ? control.SetText("")
            : step == UserClick    ? Click(control)
                                   : Type(control, step == UserType ? '7' : 'x');
            EXPECT_EQ(ran, runs);
            EXPECT_EQ(control.value(), value);
            EXPECT_EQ(control.text(), text);
            ExpectMirrors(control);
        }
    }
};

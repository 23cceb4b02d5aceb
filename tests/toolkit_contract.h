// When a control runs its handlers: one table, run on headless controls and on real ones. A
// driver makes the controls and performs the user's actions as its side receives them.
#pragma once

#include <gtest/gtest.h>

#include "toolkit/controls.h"

using toolkit::Control;
using toolkit::Kind;

class ToolkitDriver {
public:
    virtual ~ToolkitDriver() = default;
    // A control of `kind` that the driver owns, with its native window if it has one.
    virtual Control& Make(Kind kind) = 0;
    virtual void Click(Control& control) = 0;
    virtual void Type(Control& control, char key) = 0;
    // What the native window shows agrees with the control.
    virtual void ExpectMirrors(const Control& control) = 0;
};

inline void RunToolkitContract(ToolkitDriver& driver) {
    enum Step { SetValue, SetSameValue, SetText, SetSameText, Click, Type, TypeDiscarded };
    const struct {
        const char* what;
        Kind kind;
        bool enabled;
        Step step;
        int runs;  // onClick for boxes and buttons, onChange for text boxes
        int value;
        const char* text;
    } cases[] = {
        {"code ticks a box", Kind::CheckBox, true, SetValue, 1, 1, "Box"},
        {"code ticks a disabled box", Kind::CheckBox, false, SetValue, 1, 1, "Box"},
        {"the same value", Kind::CheckBox, true, SetSameValue, 0, 0, "Box"},
        {"the user ticks a box", Kind::CheckBox, true, Click, 1, 1, "Box"},
        {"a disabled box ignores the user", Kind::CheckBox, false, Click, 0, 0, "Box"},
        {"the user presses a button", Kind::PushButton, true, Click, 1, 0, "Box"},
        {"code changes text", Kind::TextBox, true, SetText, 1, 0, "new"},
        {"the same text", Kind::TextBox, true, SetSameText, 0, 0, ""},
        {"a typed key", Kind::TextBox, true, Type, 1, 0, "7"},
        {"a discarded key", Kind::TextBox, true, TypeDiscarded, 0, 0, ""},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        Control& control = driver.Make(row.kind);
        control.SetText(row.kind == Kind::TextBox ? "" : "Box");
        control.SetEnabled(row.enabled);
        int runs = 0;
        control.onClick = control.onChange = [&] { ++runs; };
        control.onKeyPress = [](std::int16_t& key) { key = key == 'x' ? 0 : key; };
        row.step == SetValue       ? control.SetValue(1)
        : row.step == SetSameValue ? control.SetValue(0)
        : row.step == SetText      ? control.SetText("new")
        : row.step == SetSameText  ? control.SetText("")
        : row.step == Click        ? driver.Click(control)
                                   : driver.Type(control, row.step == Type ? '7' : 'x');
        EXPECT_EQ(runs, row.runs);
        EXPECT_EQ(control.value(), row.value);
        EXPECT_EQ(control.text(), row.text);
        driver.ExpectMirrors(control);
    }
}

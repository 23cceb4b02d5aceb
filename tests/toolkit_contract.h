// When a control runs its handlers: one table, run on headless controls and on real ones.
// A driver makes the control (headless or with its native window) and performs the user's
// actions the way that side receives them.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "toolkit/controls.h"

using toolkit::Control;
using toolkit::Kind;

class ToolkitDriver {
public:
    virtual ~ToolkitDriver() = default;
    // A control of `kind`, with its native window when the driver has one; the driver owns it.
    virtual Control& Make(Kind kind) = 0;
    virtual void Click(Control& control) = 0;
    virtual void Type(Control& control, char key) = 0;
    // What the native window shows agrees with the control's state.
    virtual void ExpectMirrors(const Control& control) = 0;
};

enum class Step { SetValue, SetSameValue, SetText, SetSameText, Click, Type, TypeFiltered };

struct ToolkitCase {
    const char* name;
    Kind kind;
    bool enabled;
    Step step;
    int handlerRuns;  // onClick for boxes and buttons, onChange for text boxes
    int value;
    const char* text;
};

// clang-format off
inline const ToolkitCase kToolkitCases[] = {
    {"code ticks a box: one click",               Kind::CheckBox,   true,  Step::SetValue,     1, 1, "Box"},
    {"code ticks a disabled box: one click",      Kind::CheckBox,   false, Step::SetValue,     1, 1, "Box"},
    {"the same value runs nothing",               Kind::CheckBox,   true,  Step::SetSameValue, 0, 0, "Box"},
    {"the user ticks a box: one click",           Kind::CheckBox,   true,  Step::Click,        1, 1, "Box"},
    {"a disabled box ignores the user",           Kind::CheckBox,   false, Step::Click,        0, 0, "Box"},
    {"the user presses a button: one click",      Kind::PushButton, true,  Step::Click,        1, 0, "Box"},
    {"code changes text: one change",             Kind::TextBox,    true,  Step::SetText,      1, 0, "new"},
    {"the same text runs nothing",                Kind::TextBox,    true,  Step::SetSameText,  0, 0, ""},
    {"a typed key: one change",                   Kind::TextBox,    true,  Step::Type,         1, 0, "7"},
    {"a discarded key changes nothing",           Kind::TextBox,    true,  Step::TypeFiltered, 0, 0, ""},
};
// clang-format on

inline void RunToolkitContract(ToolkitDriver& driver) {
    for (const ToolkitCase& row : kToolkitCases) {
        SCOPED_TRACE(row.name);
        Control* control = &driver.Make(row.kind);
        control->SetText(row.kind == Kind::TextBox ? "" : "Box");
        control->SetEnabled(row.enabled);
        int runs = 0;
        control->onClick = [&] { ++runs; };
        control->onChange = [&] { ++runs; };
        control->onKeyPress = [](std::int16_t& key) { key = key == 'x' ? 0 : key; };
        switch (row.step) {
            case Step::SetValue:
                control->SetValue(1);
                break;
            case Step::SetSameValue:
                control->SetValue(0);
                break;
            case Step::SetText:
                control->SetText("new");
                break;
            case Step::SetSameText:
                control->SetText("");
                break;
            case Step::Click:
                driver.Click(*control);
                break;
            case Step::Type:
                driver.Type(*control, '7');
                break;
            case Step::TypeFiltered:
                driver.Type(*control, 'x');
                break;
        }
        EXPECT_EQ(runs, row.handlerRuns);
        EXPECT_EQ(control->value(), row.value);
        EXPECT_EQ(control->text(), row.text);
        driver.ExpectMirrors(*control);
    }
}

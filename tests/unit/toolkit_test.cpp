#include <list>

#include "tests/toolkit_contract.h"

namespace {

struct HeadlessDriver final : ToolkitDriver {
    Control& Make(Kind kind) override {
        controls.emplace_back().Design(kind, "");
        return controls.back();
    }
    void Click(Control& control) override { control.UserClick(); }
    void Type(Control& control, char key) override {
        if (const std::int16_t passed = control.UserKeyPress(key)) {
            control.UserEdit(control.text() + static_cast<char>(passed));
        }
    }
    void ExpectMirrors(const Control&) override {}
    std::list<Control> controls;
};

TEST(Toolkit, HandlersRunOncePerChangeWhoeverMakesIt) {
    HeadlessDriver driver;
    driver.Run();
    Control& box = driver.Make(Kind::TextBox);  // holds no NUL: what it shows is what is written
    box.SetText(std::string("ab\0cd", 5));
    EXPECT_EQ(box.text(), "ab");
}

}  // namespace

#include <list>

#include "tests/toolkit_contract.h"

namespace {

class HeadlessDriver final : public ToolkitDriver {
public:
    Control& Make(Kind kind) override {
        controls_.emplace_back().Design(kind, "");
        return controls_.back();
    }
    void Click(Control& control) override { control.UserClick(); }
    void Type(Control& control, char key) override {
        if (const std::int16_t passed = control.UserKeyPress(key)) {
            control.UserEdit(control.text() + static_cast<char>(passed));
        }
    }
    void ExpectMirrors(const Control&) override {}

private:
    std::list<Control> controls_;
};

TEST(Toolkit, HandlersRunOncePerChangeWhoeverMakesIt) {
    HeadlessDriver driver;
    RunToolkitContract(driver);
    Control box;  // a text box cannot hold a NUL: what it shows is what is written
    box.Design(Kind::TextBox, "");
    box.SetText(std::string("ab\0cd", 5));
    EXPECT_EQ(box.text(), "ab");
}

}  // namespace

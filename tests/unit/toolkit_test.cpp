#include <memory>
#include <vector>

#include "tests/toolkit_contract.h"

namespace {

class HeadlessDriver final : public ToolkitDriver {
public:
    Control& Make(Kind kind) override {
        controls_.push_back(std::make_unique<Control>());
        controls_.back()->Design(kind, "");
        return *controls_.back();
    }
    void Click(Control& control) override { control.UserClick(); }
    void Type(Control& control, char key) override {
        if (const std::int16_t passed = control.UserKeyPress(key)) {
            control.UserEdit(control.text() + static_cast<char>(passed));
        }
    }
    void ExpectMirrors(const Control&) override {}

private:
    std::vector<std::unique_ptr<Control>> controls_;
};

TEST(Toolkit, HandlersRunOncePerChangeWhoeverMakesIt) {
    HeadlessDriver driver;
    RunToolkitContract(driver);
}

TEST(Toolkit, ATextBoxEndsAtItsFirstNul) {
    Control box;
    box.Design(Kind::TextBox, "");
    box.SetText(std::string("ab\0cd", 5));
    EXPECT_EQ(box.text(), "ab");
}

}  // namespace

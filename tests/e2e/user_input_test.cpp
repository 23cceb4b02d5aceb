// The harness acts like a user: typed characters and clicks reach the real controls once
// each, the way a keyboard and a mouse would give them.
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

class UserInput : public KorvaneTest {
protected:
    void SetUp() override {
        SeedVersion(Sz("6.0.2800.1106"));
        korvane_ = &StartShown();
    }

    // Waits for `control`'s text to become `expected`; its last text either way.
    std::string AwaitText(HWND control, const std::string& expected) {
        std::string text;
        WaitUntil(
            [&] {
                text = Text(control);
                return text == expected;
            },
            kReactLimit);
        return text;
    }

    Korvane* korvane_ = nullptr;
};

TEST_F(UserInput, TypedCharactersArriveOnceAndBackspaceErases) {
    // The domain box: the one text box whose changes the program ignores.
    const HWND box = korvane_->Control("txtAddDomain");
    MouseClick(box);
    Type(box, "ab c");
    EXPECT_EQ(AwaitText(box, "ab c"), "ab c");
    Type(box, "\b\bd");
    EXPECT_EQ(AwaitText(box, "abd"), "abd");
    SelectAll(box);
    Type(box, "z");
    EXPECT_EQ(AwaitText(box, "z"), "z");
}

TEST_F(UserInput, KeysMoveTheCaret) {
    const HWND box = korvane_->Control("txtAddDomain");
    MouseClick(box);
    Type(box, "bc");
    ASSERT_EQ(AwaitText(box, "bc"), "bc");
    PressKey(box, VK_HOME);
    Type(box, "a");
    EXPECT_EQ(AwaitText(box, "abc"), "abc");
    PressKey(box, VK_DELETE);
    EXPECT_EQ(AwaitText(box, "ac"), "ac");
}

TEST_F(UserInput, ClickTicksAndClearsACheckBox) {
    const HWND box = korvane_->Control("chkPassCach");
    const bool before = IsChecked(box);
    Click(box);
    EXPECT_TRUE(WaitUntil([&] { return IsChecked(box) != before; }, kReactLimit));
    Click(box);
    EXPECT_TRUE(WaitUntil([&] { return IsChecked(box) == before; }, kReactLimit));
}

}  // namespace
}  // namespace e2e

// The control contract where the real controls under Wine cannot show it: nested handlers,
// what the peer is asked to mirror, headless typing, and the common dialog. The per-change
// rows for check boxes, push buttons and mouse releases run on the real controls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/common_dialog.h"
#include "toolkit/controls.h"
#include "toolkit/error.h"
#include "toolkit/scripted_services.h"

namespace {

using toolkit::CheckBox;
using toolkit::TextBox;

// Records what the toolkit asked the native side to show.
class RecordingPeer : public toolkit::ControlPeer {
public:
    void ShowValue(int value) override { calls.push_back("value " + std::to_string(value)); }
    void ShowText(const std::string& text) override { calls.push_back("text " + text); }
    void ShowTooltip(const std::string& text) override { calls.push_back("tip " + text); }
    void ShowCaption(const std::string& text) override { calls.push_back("caption " + text); }
    void ShowEnabled(bool enabled) override { calls.push_back(enabled ? "enabled" : "disabled"); }
    std::vector<std::string> calls;
};

TEST(CheckBoxContract, AHandlerThatSetsAnotherBoxRunsItsHandlerInside) {
    CheckBox outer("outer");
    CheckBox inner("inner");
    std::vector<std::string> order;
    outer.onClick = [&] {
        order.push_back("outer begins");
        inner.SetValue(1);
        order.push_back("outer ends");
    };
    inner.onClick = [&] { order.push_back("inner"); };
    outer.SetValue(1);
    EXPECT_EQ(order, (std::vector<std::string>{"outer begins", "inner", "outer ends"}));
}

TEST(CheckBoxContract, ThePeerMirrorsCodeChangesOnly) {
    CheckBox box("chkTest");
    RecordingPeer peer;
    box.SetCaption("Caption");
    box.AttachPeer(&peer);
    EXPECT_EQ(peer.calls, (std::vector<std::string>{"enabled", "caption Caption", "value 0"}));
    peer.calls.clear();
    box.SetValue(1);
    box.SetValue(1);
    box.SetEnabled(false);
    box.SetEnabled(false);
    EXPECT_EQ(peer.calls, (std::vector<std::string>{"value 1", "disabled"}));
}

class TextBoxContract : public testing::Test {
protected:
    TextBoxContract() {
        box.onChange = [this] { changes.push_back(box.text()); };
    }
    TextBox box{"txtTest"};
    std::vector<std::string> changes;
};

TEST_F(TextBoxContract, ChangesRunTheHandlerOnceAndOnlyCodeIsMirrored) {
    RecordingPeer peer;
    box.AttachPeer(&peer);
    peer.calls.clear();
    box.SetText("a");
    box.SetText("a");
    box.UserEdit("typed");
    box.UserEdit("typed");
    box.SetText("");
    EXPECT_EQ(changes, (std::vector<std::string>{"a", "typed", ""}));
    EXPECT_EQ(peer.calls, (std::vector<std::string>{"text a", "text "}));
}

// The hook sees every typed key and 0 discards it; backspace removes one whole character;
// pasting is not filtered; a disabled box takes no typing but code still changes it.
TEST_F(TextBoxContract, TypingGoesThroughTheKeyPressHook) {
    std::vector<int> seen;
    box.onKeyPress = [&](std::int16_t& key) {
        seen.push_back(key);
        key = key == 8 || key == 'a' ? key : 0;
    };
    box.SetText("\xC3\xA9");  // "é"
    box.UserType('a');
    box.UserType('x');
    box.UserPaste("zz");
    box.UserType(8);
    box.UserType(8);
    box.UserType(8);
    box.UserType(8);
    box.UserType(8);  // on an empty box: no change, no handler
    EXPECT_EQ(seen, (std::vector<int>{'a', 'x', 8, 8, 8, 8, 8}));
    EXPECT_EQ(changes, (std::vector<std::string>{"\xC3\xA9",
                                                 "\xC3\xA9"
                                                 "a",
                                                 "\xC3\xA9"
                                                 "azz",
                                                 "\xC3\xA9"
                                                 "az",
                                                 "\xC3\xA9"
                                                 "a",
                                                 "\xC3\xA9", ""}));
    box.SetEnabled(false);
    box.UserType('a');
    box.UserPaste("2");
    box.SetText("3");
    EXPECT_EQ(changes.back(), "3");
    EXPECT_EQ(changes.size(), 8u);
}

TEST(CommonDialogContract, ParsesDescriptionAndPatternPairs) {
    const auto filters = toolkit::ParseFilter("A|*.a|B|*.b");
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[1].description, "B");
    EXPECT_EQ(filters[1].pattern, "*.b");
    EXPECT_TRUE(toolkit::ParseFilter("").empty());
    try {
        toolkit::ParseFilter("Bitmap (*.bmp)");
        ADD_FAILURE() << "a description without a pattern is an invalid property value";
    } catch (const toolkit::Error& error) {
        EXPECT_EQ(error.number(), 380);
    }
}

TEST(CommonDialogContract, ACancelRaisesOnlyWhenAskedTo) {
    toolkit::ScriptedServices services;
    toolkit::CommonDialog dialog(services);
    dialog.Filter = "Bitmap (*.bmp)|*.bmp";
    dialog.FileName = "old";
    dialog.ShowOpen();  // no answer scripted: cancelled
    EXPECT_EQ(dialog.FileName, "");
    dialog.CancelError = true;
    try {
        dialog.ShowOpen();
        ADD_FAILURE() << "a cancel raises";
    } catch (const toolkit::Error& error) {
        EXPECT_EQ(error.number(), toolkit::kCancelSelected);
        EXPECT_EQ(error.description(), "Cancel was selected.");
    }
    services.fileDialogAnswers.push_back("C:\\x\\y.bmp");
    dialog.ShowOpen();
    EXPECT_EQ(dialog.FileName, "C:\\x\\y.bmp");
    ASSERT_EQ(services.fileDialogFilters.size(), 3u);
    EXPECT_EQ(services.fileDialogFilters[2][0].pattern, "*.bmp");
}

}  // namespace

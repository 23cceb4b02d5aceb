// The control contract: a handler runs inside the change, exactly once per change, whoever made
// it; a disabled control ignores the user but not code; the peer only mirrors.
#include <gtest/gtest.h>

#include <functional>
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

TEST(CheckBoxContract, RunsTheHandlerExactlyWhenTheValueChanges) {
    const struct {
        const char* what;
        bool enabled;
        int start;
        std::function<void(CheckBox&)> act;
        int runs;
        int value;
    } steps[] = {
        {"code ticks", true, 0, [](CheckBox& b) { b.SetValue(1); }, 1, 1},
        {"code clears", true, 1, [](CheckBox& b) { b.SetValue(0); }, 1, 0},
        {"code sets the same", true, 1, [](CheckBox& b) { b.SetValue(1); }, 0, 1},
        {"code ticks disabled", false, 0, [](CheckBox& b) { b.SetValue(1); }, 1, 1},
        {"user clears", true, 1, [](CheckBox& b) { b.UserClick(); }, 1, 0},
        {"user on disabled", false, 0, [](CheckBox& b) { b.UserClick(); }, 0, 0},
        {"two user clicks", true, 0,
         [](CheckBox& b) {
             b.UserClick();
             b.UserClick();
         },
         2, 0},
    };
    for (const auto& step : steps) {
        CheckBox box("chkTest");
        box.SetValue(step.start);
        box.SetEnabled(step.enabled);
        std::vector<int> seen;  // the value each run of the handler saw
        box.onClick = [&] { seen.push_back(box.value()); };
        step.act(box);
        EXPECT_EQ(seen.size(), static_cast<std::size_t>(step.runs)) << step.what;
        EXPECT_EQ(box.value(), step.value) << step.what;
        if (!seen.empty()) {
            EXPECT_EQ(seen.front(), 1 - step.start) << step.what << ": the handler sees the change";
        }
    }
}

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

TEST(CheckBoxContract, MouseUpReachesAnEnabledBoxOnly) {
    CheckBox box("chkIcon");
    std::vector<int> buttons;
    box.onMouseUp = [&](const toolkit::MouseEvent& e) { buttons.push_back(e.button); };
    box.UserMouseUp({2, 0, 1, 1});
    box.SetEnabled(false);
    box.UserMouseUp({1, 0, 1, 1});
    EXPECT_EQ(buttons, std::vector<int>{2});
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

TEST_F(TextBoxContract, TheKeyPressHookSeesEveryTypedKeyAndZeroDiscardsIt) {
    std::vector<int> seen;
    box.onKeyPress = [&](std::int16_t& key) {
        seen.push_back(key);
        if (key == 'x') {
            key = 0;
        }
    };
    for (char c : std::string("axb")) {
        box.UserType(c);
    }
    EXPECT_EQ(box.text(), "ab");
    EXPECT_EQ(seen, (std::vector<int>{'a', 'x', 'b'}));
    EXPECT_EQ(changes, (std::vector<std::string>{"a", "ab"}));
}

TEST_F(TextBoxContract, BackspaceRemovesOneWholeCharacterAndPastingIsNotFiltered) {
    box.onKeyPress = [](std::int16_t& key) { key = key == 8 ? 8 : 0; };
    box.SetText("a\xC3\xA9");  // "aé"
    box.UserType(8);
    EXPECT_EQ(box.text(), "a");
    box.UserType('z');
    EXPECT_EQ(box.text(), "a");
    box.UserPaste("zz");
    EXPECT_EQ(box.text(), "azz");
    box.UserType(8);
    box.UserType(8);
    box.UserType(8);
    box.UserType(8);  // on an empty box: no change, no handler
    EXPECT_EQ(changes, (std::vector<std::string>{"a\xC3\xA9", "a", "azz", "az", "a", ""}));
}

TEST_F(TextBoxContract, ADisabledBoxTakesNoTypingButCodeStillChangesIt) {
    box.SetEnabled(false);
    box.UserType('1');
    box.UserPaste("2");
    box.SetText("3");
    EXPECT_EQ(changes, std::vector<std::string>{"3"});
}

TEST(PushButtonContract, ADisabledButtonIgnoresTheUser) {
    toolkit::PushButton button("cmdTest");
    int clicks = 0;
    button.onClick = [&] { ++clicks; };
    button.UserClick();
    button.SetEnabled(false);
    button.UserClick();
    EXPECT_EQ(clicks, 1);
}

TEST(CommonDialogContract, ParsesDescriptionAndPatternPairs) {
    const auto filters = toolkit::ParseFilter("Bitmap (*.bmp)|*.bmp");
    ASSERT_EQ(filters.size(), 1u);
    EXPECT_EQ(filters[0].description, "Bitmap (*.bmp)");
    EXPECT_EQ(filters[0].pattern, "*.bmp");
    EXPECT_EQ(toolkit::ParseFilter("A|*.a|B|*.b").size(), 2u);
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

// The domain search group is inert: its events change no control, write nothing, show nothing.
#include <gtest/gtest.h>

#include "app/layout.h"
#include "settings/domain_search.h"

namespace {

// Every control's observable state, to compare before and after.
std::vector<std::string> Snapshot(const toolkit::ControlSet& controls) {
    std::vector<std::string> state;
    for (const auto& control : controls.all()) {
        std::string line = control->name() + (control->enabled() ? " on" : " off");
        if (auto* box = dynamic_cast<toolkit::CheckBox*>(control.get())) {
            line += " " + std::to_string(box->value());
        } else if (auto* text = dynamic_cast<toolkit::TextBox*>(control.get())) {
            line += " [" + text->text() + "|" + text->tooltip() + "]";
        } else if (auto* list = dynamic_cast<toolkit::ListBox*>(control.get())) {
            line += " " + std::to_string(list->items().size());
        } else if (auto* captioned = dynamic_cast<toolkit::CaptionedControl*>(control.get())) {
            line += " " + captioned->caption();
        }
        state.push_back(line);
    }
    return state;
}

TEST(DomainSearch, EveryEventOfTheGroupChangesNothing) {
    auto controls = app::CreateControls();
    settings::DomainSearch domain(controls);
    const auto before = Snapshot(controls);
    controls.button("cmdAddDomain").UserClick();
    controls.button("cmdDeleteDomain").UserClick();
    controls.listBox("lstDomain").UserClick();
    auto& txtAddDomain = controls.textBox("txtAddDomain");
    EXPECT_EQ(txtAddDomain.UserKeyPress('q'), 'q') << "every key is accepted";
    EXPECT_EQ(txtAddDomain.UserKeyPress('-'), '-');
    auto after = Snapshot(controls);
    EXPECT_EQ(after, before);
    txtAddDomain.UserType('q');  // only the typed text itself changes
    EXPECT_EQ(txtAddDomain.text(), "q");
    EXPECT_EQ(txtAddDomain.tooltip(), "");
    EXPECT_TRUE(domain.Domain().isEmpty());
}

}  // namespace

// The domain search group is inert: its events change no control, write nothing, show nothing.
#include <gtest/gtest.h>

#include "app/layout.h"
#include "control_snapshot.h"
#include "settings/domain_search.h"

namespace {

TEST(DomainSearch, EveryEventOfTheGroupChangesNothing) {
    auto controls = app::CreateControls();
    settings::DomainSearch domain(controls);
    const auto before = control_test::Snapshot(controls);
    controls.button("cmdAddDomain").UserClick();
    controls.button("cmdDeleteDomain").UserClick();
    controls.listBox("lstDomain").UserClick();
    auto& txtAddDomain = controls.textBox("txtAddDomain");
    EXPECT_EQ(txtAddDomain.UserKeyPress('-'), '-') << "every key is accepted";
    EXPECT_EQ(control_test::Snapshot(controls), before);
    txtAddDomain.UserType('q');  // only the typed text itself changes
    EXPECT_EQ(txtAddDomain.text(), "q");
    EXPECT_EQ(txtAddDomain.tooltip(), "");
    EXPECT_TRUE(domain.Domain().isEmpty());
}

}  // namespace

// The two one-shot actions: what they remove, what they leave, and that they say nothing and
// touch no control.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/frm_korvane.h"
#include "registry/memory_registry.h"
#include "shell/scripted_shell.h"
#include "toolkit/scripted_services.h"

namespace {

using registry::kCurrentUser;

constexpr const char* kTypedUrls = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
constexpr const char* kToolbar = "Software\\Microsoft\\Internet Explorer\\Toolbar";

class HistoryActions : public ::testing::Test {
protected:
    HistoryActions() {
        registry_.PutText(registry::kLocalMachine, "Software\\Microsoft\\Internet Explorer",
                          "Version", "6.0.2800.1106");
        form_.Form_Load();
        registry_.ClearJournal();
    }

    void Click(const char* button, int times = 1) {
        for (int i = 0; i < times; ++i) {
            form_.controls().button(button).UserClick();
        }
    }

    registry::MemoryRegistry registry_;
    toolkit::ScriptedServices services_;
    shell::ScriptedShell shell_;
    app::frmKorvane form_{registry_, services_, shell_};
};

TEST_F(HistoryActions, ClearRemovesTheTypedAddressesAndASecondClickDoesNothing) {
    registry_.PutText(kCurrentUser, kTypedUrls, "url1", "http://example.com/");
    registry_.PutText(kCurrentUser, kTypedUrls, "url2", "http://example.org/");
    Click("cmdClear");
    EXPECT_FALSE(registry_.HasKey(kCurrentUser, kTypedUrls));
    EXPECT_TRUE(registry_.HasKey(kCurrentUser, "Software\\Microsoft\\Internet Explorer"));
    registry_.ClearJournal();
    Click("cmdClear");
    EXPECT_FALSE(registry_.HasKey(kCurrentUser, kTypedUrls));
    EXPECT_TRUE(registry_.Changes().empty());
    EXPECT_TRUE(services_.messages.empty());
}

TEST_F(HistoryActions, ClearLeavesAKeyWithSubKeysInPlaceSilently) {
    registry_.PutText(kCurrentUser, kTypedUrls, "url1", "http://example.com/");
    registry_.PutKey(kCurrentUser, std::string(kTypedUrls) + "\\Nested");
    Click("cmdClear");
    EXPECT_TRUE(registry_.HasKey(kCurrentUser, kTypedUrls));
    EXPECT_EQ(registry_.GetText(kCurrentUser, kTypedUrls, "url1"), "http://example.com/");
    EXPECT_EQ(registry_.SubKeyNames(kCurrentUser, kTypedUrls), std::vector<std::string>{"Nested"});
    EXPECT_TRUE(services_.messages.empty());
}

struct RestoreCase {
    const char* name;
    std::vector<std::string> seeded;     // values put under the toolbar key
    std::vector<std::string> remaining;  // its values afterwards, in stored order
};

class RestoreLogo : public HistoryActions, public ::testing::WithParamInterface<RestoreCase> {};

TEST_P(RestoreLogo, RemovesBothLogoValuesAndNothingElse) {
    for (const auto& name : GetParam().seeded) {
        registry_.PutText(kCurrentUser, kToolbar, name, "C:\\" + name + ".bmp");
    }
    const bool keyBefore = registry_.HasKey(kCurrentUser, kToolbar);
    Click("cmdRestore", 2);
    EXPECT_EQ(registry_.HasKey(kCurrentUser, kToolbar), keyBefore);
    if (keyBefore) {
        EXPECT_EQ(registry_.ValueNames(kCurrentUser, kToolbar), GetParam().remaining);
    }
    for (const auto& entry : registry_.Changes()) {
        EXPECT_EQ(entry.op, registry::RegistryOp::DeleteValue) << entry.path << " " << entry.name;
    }
    EXPECT_TRUE(services_.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Toolbar, RestoreLogo,
    ::testing::Values(
        RestoreCase{"OnlySmall", {"SmBrandBitmap", "BackBitmap", "Other"}, {"BackBitmap", "Other"}},
        RestoreCase{"OnlyLarge", {"BrandBitmap", "BackBitmap"}, {"BackBitmap"}},
        RestoreCase{"Both", {"BrandBitmap", "SmBrandBitmap"}, {}},
        RestoreCase{"Neither", {"BackBitmap"}, {"BackBitmap"}}, RestoreCase{"NoKey", {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HistoryActions, RestoreDeletesTheLargeLogoThenTheSmallOne) {
    registry_.PutText(kCurrentUser, kToolbar, "BrandBitmap", "a");
    registry_.PutText(kCurrentUser, kToolbar, "SmBrandBitmap", "b");
    Click("cmdRestore");
    std::vector<std::string> deleted;
    for (const auto& entry : registry_.Changes()) {
        deleted.push_back(entry.name);
    }
    EXPECT_EQ(deleted, (std::vector<std::string>{"BrandBitmap", "SmBrandBitmap"}));
}

// Every control's visible state, to compare before and after an action.
std::vector<std::string> Snapshot(const toolkit::ControlSet& controls) {
    std::vector<std::string> states;
    for (const auto& control : controls.all()) {
        std::string state = control->name() + (control->enabled() ? " on" : " off");
        if (auto* box = dynamic_cast<const toolkit::CheckBox*>(control.get())) {
            state += " " + std::to_string(box->value());
        }
        if (auto* text = dynamic_cast<const toolkit::TextBox*>(control.get())) {
            state += " [" + text->text() + "] [" + text->tooltip() + "]";
        }
        if (auto* captioned = dynamic_cast<const toolkit::CaptionedControl*>(control.get())) {
            state += " " + captioned->caption();
        }
        states.push_back(state);
    }
    return states;
}

TEST_F(HistoryActions, NeitherActionChangesAControl) {
    registry_.PutText(kCurrentUser, kTypedUrls, "url1", "http://example.com/");
    registry_.PutText(kCurrentUser, kToolbar, "BrandBitmap", "a");
    const auto before = Snapshot(form_.controls());
    Click("cmdClear");
    Click("cmdRestore");
    EXPECT_EQ(Snapshot(form_.controls()), before);
    EXPECT_FALSE(registry_.HasKey(kCurrentUser, kTypedUrls));
}

}  // namespace

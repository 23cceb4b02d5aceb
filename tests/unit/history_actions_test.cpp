// The two one-shot actions: what they remove, what they leave, and that they say nothing and
// touch no control.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/frm_korvane.h"
#include "control_snapshot.h"
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
    void TearDown() override { EXPECT_TRUE(services_.messages.empty()); }

    // Clicks `button` twice: the second finds nothing left to remove.
    void ClickTwice(const char* button) {
        const auto before = control_test::Snapshot(form_.controls());
        form_.controls().button(button).UserClick();
        form_.controls().button(button).UserClick();
        EXPECT_EQ(control_test::Snapshot(form_.controls()), before) << "no control changes";
    }
    // The names of the values deleted and the keys removed, in order.
    std::vector<std::string> Removed() const {
        std::vector<std::string> removed;
        for (const auto& entry : registry_.Changes()) {
            removed.push_back(entry.op == registry::RegistryOp::DeleteKey ? entry.path
                                                                          : entry.name);
        }
        return removed;
    }

    registry::MemoryRegistry registry_;
    toolkit::ScriptedServices services_;
    shell::ScriptedShell shell_;
    app::frmKorvane form_{registry_, services_, shell_};
};

TEST_F(HistoryActions, ClearRemovesTheTypedAddresses) {
    registry_.PutText(kCurrentUser, kTypedUrls, "url1", "http://example.com/");
    ClickTwice("cmdClear");
    EXPECT_FALSE(registry_.HasKey(kCurrentUser, kTypedUrls));
    EXPECT_TRUE(registry_.HasKey(kCurrentUser, "Software\\Microsoft\\Internet Explorer"));
    EXPECT_EQ(Removed(), std::vector<std::string>{"HKCU\\" + std::string(kTypedUrls)});
}

TEST_F(HistoryActions, ClearLeavesAKeyWithSubKeysInPlaceSilently) {
    registry_.PutText(kCurrentUser, kTypedUrls, "url1", "http://example.com/");
    registry_.PutKey(kCurrentUser, std::string(kTypedUrls) + "\\Nested");
    ClickTwice("cmdClear");
    EXPECT_EQ(registry_.GetText(kCurrentUser, kTypedUrls, "url1"), "http://example.com/");
    EXPECT_TRUE(registry_.Changes().empty());
}

TEST_F(HistoryActions, RestoreDeletesTheLargeLogoThenTheSmallOneAndNothingElse) {
    const struct {
        std::vector<std::string> seeded;  // values put under the toolbar key
        std::vector<std::string> removed;
        std::vector<std::string> remaining;
    } rows[] = {
        {{"SmBrandBitmap", "BrandBitmap", "BackBitmap"},
         {"BrandBitmap", "SmBrandBitmap"},
         {"BackBitmap"}},
        {{"SmBrandBitmap", "Other"}, {"SmBrandBitmap"}, {"Other"}},
        {{}, {}, {}},  // no key at all
    };
    for (const auto& row : rows) {
        for (const auto& name : row.seeded) {
            registry_.PutText(kCurrentUser, kToolbar, name, "C:\\" + name + ".bmp");
        }
        registry_.ClearJournal();
        ClickTwice("cmdRestore");
        EXPECT_EQ(Removed(), row.removed);
        EXPECT_EQ(registry_.ValueNames(kCurrentUser, kToolbar), row.remaining);
        EXPECT_EQ(registry_.HasKey(kCurrentUser, kToolbar), !row.seeded.empty());
        registry_.DeleteKey(kCurrentUser, kToolbar);
    }
}

}  // namespace

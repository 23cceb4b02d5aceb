// The main window made from the layout table, in this process: one native control per row,
// the portable controls wired to the native ones, closing through Form_Unload. Places, fonts,
// the frame and the Tab walk are compared with the table in the real window's tests.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>

#include "app/frm_korvane.h"
#include "app/layout.h"
#include "app/win32/main_window.h"
#include "app/win32/window_geometry.h"
#include "registry/memory_registry.h"
#include "shell/scripted_shell.h"
#include "tests/win32/toolkit_test_host.h"
#include "toolkit/scripted_services.h"

namespace {

using app::win32::ControlId;
using toolkit_test::WindowText;

// Every descendant window by its control ID.
std::map<int, HWND> ChildrenById(HWND window) {
    std::map<int, HWND> children;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            (*reinterpret_cast<std::map<int, HWND>*>(data))[GetDlgCtrlID(child)] = child;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

class MainWindowControls : public testing::Test {
protected:
    MainWindowControls() {
        created_ = window_.Create(GetModuleHandleW(nullptr));
        if (created_) {
            children_ = ChildrenById(window_.hwnd());
        }
    }
    ~MainWindowControls() override {
        window_.Close();
        toolkit_test::PumpMessages();
    }

    HWND Named(std::string_view name) const { return window_.ControlWindow(name); }

    registry::MemoryRegistry store_;
    toolkit::ScriptedServices services_;
    shell::ScriptedShell shell_;
    app::frmKorvane form_{store_, services_, shell_};
    app::win32::MainWindow window_{form_, services_};
    bool created_ = false;
    std::map<int, HWND> children_;
};

TEST_F(MainWindowControls, EveryRowButTheDialogComponentHasItsWindowHiddenUntilShown) {
    ASSERT_TRUE(created_);
    EXPECT_FALSE(IsWindowVisible(window_.hwnd())) << "shown only after Form_Load";
    for (std::size_t row = 0; row < app::kLayout.size(); ++row) {
        const bool dialog = app::kLayout[row].kind == app::LayoutKind::CommonDialog;
        EXPECT_EQ(children_.count(ControlId(row)), dialog ? 0u : 1u) << app::kLayout[row].name;
    }
}

TEST_F(MainWindowControls, ThePortableControlsDriveTheNativeOnesAndBack) {
    ASSERT_TRUE(created_);
    auto& controls = form_.controls();
    HWND chkBack = Named("chkBack");
    HWND txtDownload = Named("txtDownload");

    controls.checkBox("chkIEErr").SetValue(1);
    EXPECT_EQ(SendMessageW(Named("chkIEErr"), BM_GETCHECK, 0, 0), BST_CHECKED);
    controls.checkBox("chkSecurityZone").SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(Named("chkSecurityZone")));
    controls.label("lblVersion").SetCaption("6.0.2800.1106");
    EXPECT_EQ(WindowText(Named("lblVersion")), L"6.0.2800.1106");

    // A click inside Frame6 and typing inside Frame2 reach the portable controls.
    int clicks = 0;
    controls.checkBox("chkBack").onClick = [&] { ++clicks; };
    SendMessageW(chkBack, BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(controls.checkBox("chkBack").value(), 1);
    SendMessageW(txtDownload, WM_CHAR, L'8', 1);
    EXPECT_EQ(controls.textBox("txtDownload").text(), "8");
}

TEST_F(MainWindowControls, ClosingRunsTheUnloadAndDestroysTheWindow) {
    ASSERT_TRUE(created_);
    HWND window = window_.hwnd();
    HWND child = Named("txtBackground");
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(window_.hwnd(), nullptr);
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        << "the message loop is told to end";
    // The controls outlive their native peers and keep working.
    int runs = 0;
    form_.controls().checkBox("chkCache").onClick = [&] { ++runs; };
    form_.controls().checkBox("chkCache").SetValue(1);
    EXPECT_EQ(runs, 1);
}

}  // namespace

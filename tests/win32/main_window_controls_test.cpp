// The main window made from the layout table, in this process: one native control per row at
// its place at the system DPI, in its container, with its font; the window's own frame; the
// Tab walk in tab index order from txtBackground; the portable controls wired to the native
// ones; closing through Form_Unload.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "app/frm_korvane.h"
#include "app/layout.h"
#include "app/win32/main_window.h"
#include "app/win32/window_geometry.h"
#include "registry/memory_registry.h"
#include "shell/scripted_shell.h"
#include "tests/win32/toolkit_test_host.h"
#include "toolkit/scripted_services.h"
#include "toolkit/win32/text_encoding.h"

namespace {

using app::ControlLayout;
using app::LayoutKind;
using app::win32::ControlId;
using app::win32::TwipsToPixels;
using toolkit::win32::Widen;
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

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

const wchar_t* ExpectedClass(LayoutKind kind) {
    switch (kind) {
        case LayoutKind::TextBox:
            return L"Edit";
        case LayoutKind::Label:
            return L"Static";
        case LayoutKind::ListBox:
            return L"ListBox";
        default:
            return L"Button";
    }
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

    // The window of the row named `name`.
    HWND Named(std::string_view name) const { return window_.ControlWindow(name); }

    registry::MemoryRegistry store_;
    toolkit::ScriptedServices services_;
    shell::ScriptedShell shell_;
    app::frmKorvane form_{store_, services_, shell_};
    app::win32::MainWindow window_{form_, services_};
    bool created_ = false;
    std::map<int, HWND> children_;
};

TEST_F(MainWindowControls, TheWindowIsFixedSizedCaptionedAndHiddenUntilShown) {
    ASSERT_TRUE(created_);
    HWND window = window_.hwnd();
    EXPECT_EQ(ClassOf(window), app::win32::kWindowClass);
    EXPECT_EQ(WindowText(window), L"Korvanelle");
    EXPECT_FALSE(IsWindowVisible(window)) << "shown only after Form_Load";
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, TwipsToPixels(app::kClientWidthTwips, window_.dpi()));
    EXPECT_EQ(client.bottom, TwipsToPixels(app::kClientHeightTwips, window_.dpi()));
}

TEST_F(MainWindowControls, EveryRowIsOneControlInItsContainerAtItsPlace) {
    ASSERT_TRUE(created_);
    std::size_t windows = 0;
    for (std::size_t row = 0; row < app::kLayout.size(); ++row) {
        const ControlLayout& layout = app::kLayout[row];
        SCOPED_TRACE(std::string(layout.name));
        const auto found = children_.find(ControlId(row));
        if (layout.kind == LayoutKind::CommonDialog) {
            EXPECT_EQ(found, children_.end()) << "the dialog component has no window";
            continue;
        }
        ASSERT_NE(found, children_.end());
        ++windows;
        HWND control = found->second;
        EXPECT_EQ(control, Named(layout.name));
        EXPECT_EQ(ClassOf(control), ExpectedClass(layout.kind));
        EXPECT_EQ(WindowText(control), Widen(layout.caption));
        HWND container = layout.container.empty() ? window_.hwnd() : Named(layout.container);
        EXPECT_EQ(GetParent(control), container);

        RECT place{};
        GetWindowRect(control, &place);
        MapWindowPoints(HWND_DESKTOP, container, reinterpret_cast<POINT*>(&place), 2);
        const int dpi = window_.dpi();
        EXPECT_EQ(place.left, TwipsToPixels(layout.left, dpi));
        EXPECT_EQ(place.top, TwipsToPixels(layout.top, dpi));
        EXPECT_EQ(place.right - place.left, TwipsToPixels(layout.width, dpi));
        EXPECT_EQ(place.bottom - place.top, TwipsToPixels(layout.height, dpi));

        LOGFONTW font{};
        auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        ASSERT_NE(handle, nullptr);
        GetObjectW(handle, sizeof(font), &font);
        EXPECT_STREQ(font.lfFaceName, L"MS Sans Serif");
        EXPECT_EQ(font.lfHeight, app::win32::FontHeight(dpi));
        EXPECT_EQ(font.lfWeight, layout.font == app::FontStyle::Bold ? 700 : 400);
        EXPECT_EQ(font.lfItalic != 0, layout.font == app::FontStyle::Italic);
    }
    EXPECT_EQ(windows, children_.size()) << "no window beyond the table's";
}

TEST_F(MainWindowControls, TabWalksTheControlsInTabIndexOrderFromTxtBackground) {
    ASSERT_TRUE(created_);
    std::vector<const ControlLayout*> focusable;
    for (const auto& row : app::kLayout) {
        if (app::win32::TakesFocus(row.kind)) {
            focusable.push_back(&row);
        }
    }
    std::sort(focusable.begin(), focusable.end(),
              [](const auto* a, const auto* b) { return a->tabIndex < b->tabIndex; });
    std::vector<std::string> expected;
    for (const auto* row : focusable) {
        expected.emplace_back(row->name);
    }

    window_.Show();
    toolkit_test::PumpMessages();
    ASSERT_EQ(GetFocus(), Named("txtBackground")) << "the focus starts in txtBackground";

    std::map<HWND, std::string> names;
    for (const auto& row : app::kLayout) {
        names[Named(row.name)] = row.name;
    }
    std::vector<std::string> forward;
    std::vector<std::string> backward;
    HWND forwardAt = GetFocus();
    HWND backwardAt = GetFocus();
    for (std::size_t step = 0; step < expected.size(); ++step) {
        forward.push_back(names[forwardAt]);
        backward.push_back(names[backwardAt]);
        forwardAt = GetNextDlgTabItem(window_.hwnd(), forwardAt, FALSE);
        backwardAt = GetNextDlgTabItem(window_.hwnd(), backwardAt, TRUE);
    }
    EXPECT_EQ(forward, expected);
    EXPECT_EQ(forwardAt, Named("txtBackground")) << "Tab wraps around";
    std::vector<std::string> reversed(expected.rbegin(), expected.rend() - 1);
    reversed.insert(reversed.begin(), expected.front());
    EXPECT_EQ(backward, reversed);
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

TEST(CreationOrder, PutsEveryContainerBeforeWhatItHolds) {
    const auto order = app::win32::CreationOrder();
    std::vector<std::string_view> made;
    for (const auto row : order) {
        const auto& layout = app::kLayout[row];
        if (!layout.container.empty()) {
            EXPECT_NE(std::find(made.begin(), made.end(), layout.container), made.end())
                << layout.name << " comes before " << layout.container;
        }
        made.push_back(layout.name);
    }
    EXPECT_EQ(order.size(), app::kLayout.size() - 1) << "every row but the dialog component";
}

struct PixelRow {
    int twips;
    int dpi;
    int pixels;
};

void PrintTo(const PixelRow& row, std::ostream* out) {
    *out << row.twips << " twips at " << row.dpi << " dpi";
}

class TwipsAtADpi : public testing::TestWithParam<PixelRow> {};

TEST_P(TwipsAtADpi, RoundToTheNearestPixel) {
    EXPECT_EQ(TwipsToPixels(GetParam().twips, GetParam().dpi), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(Rows, TwipsAtADpi,
                         testing::Values(PixelRow{7350, 96, 490}, PixelRow{6405, 96, 427},
                                         PixelRow{7350, 144, 735}, PixelRow{255, 96, 17},
                                         PixelRow{255, 144, 26}, PixelRow{195, 120, 16},
                                         PixelRow{0, 144, 0}));

}  // namespace

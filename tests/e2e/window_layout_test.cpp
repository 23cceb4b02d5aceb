// The real window against the layout table, at the DPI the driver runs at: every control's
// class, text, place and font, the window's frame and size, the tab order and the focus, and
// the domain group kept out of sight.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "tests/e2e/harness.h"
#include "tests/e2e/layout_expectations.h"
#include "tests/e2e/text_convert.h"

namespace e2e {
namespace {

constexpr const char* kVersion = "6.0.2800.1106";

// One line, so that a difference shows in full.
std::string Joined(const std::vector<std::string>& names) {
    std::string line;
    for (const auto& name : names) {
        line += (line.empty() ? "" : " ") + name;
    }
    return line;
}

class WindowLayout : public KorvaneTest {
protected:
    void SetUp() override {
        SeedVersion(Sz(kVersion));
        // Every control enabled, as designed: the policy off would disable the toolbar boxes.
        SeedToolbarPolicy(true);
        korvane_ = &StartShown();
        main_ = korvane_->mainWindow();
        // Wine answers GetDpiForWindow for another process's window with 96 whatever the
        // system DPI; both processes start with the same system DPI, so the driver's is used.
        dpi_ = SystemDpi();
    }

    Korvane* korvane_ = nullptr;
    HWND main_ = nullptr;
    int dpi_ = 0;
};

TEST_F(WindowLayout, RunsAtTheRequestedDpi) {
    EXPECT_EQ(dpi_, Options().dpi);
}

TEST_F(WindowLayout, WindowHasItsCaptionFixedFrameAndClientSize) {
    EXPECT_EQ(Text(main_), app::kWindowCaption);
    const LONG_PTR style = Style(main_);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU) << "no close box";
    EXPECT_FALSE(style & WS_THICKFRAME) << "the window can be resized";
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    // Scaled by the DPI the driver asked for, not by what the window claims.
    const SIZE client = ClientSize(main_);
    EXPECT_EQ(client.cx, Pixels(app::kClientWidthTwips, Options().dpi));
    EXPECT_EQ(client.cy, Pixels(app::kClientHeightTwips, Options().dpi));
}

TEST_F(WindowLayout, EveryRowIsOneWindowInItsContainerAndNothingElseIs) {
    std::map<std::string, int> found;
    for (HWND window : DescendantWindows(main_)) {
        ++found[NameOfControl(window)];
    }
    for (const auto& row : app::kLayout) {
        const int expected = row.kind == app::LayoutKind::CommonDialog ? 0 : 1;
        EXPECT_EQ(found[std::string(row.name)], expected) << row.name;
        found.erase(std::string(row.name));
    }
    for (const auto& [name, count] : found) {
        ADD_FAILURE() << count << " window(s) not in the table: " << name;
    }
    for (const auto& row : app::kLayout) {
        if (row.kind == app::LayoutKind::CommonDialog) {
            continue;
        }
        const HWND container = row.container.empty() ? main_ : korvane_->Control(row.container);
        EXPECT_EQ(GetAncestor(korvane_->Control(row.name), GA_PARENT), container) << row.name;
    }
}

TEST_F(WindowLayout, EveryControlHasItsClassTextAndRectangle) {
    for (const auto& row : app::kLayout) {
        if (row.kind == app::LayoutKind::CommonDialog) {
            continue;
        }
        SCOPED_TRACE(std::string(row.name));
        const HWND control = korvane_->Control(row.name);
        EXPECT_EQ(ClassName(control), ExpectedClass(row.kind));
        if (ExpectedClass(row.kind) == "Button") {
            EXPECT_TRUE(ButtonStyleFits(row.kind, Style(control)))
                << "button style " << (Style(control) & BS_TYPEMASK);
        }
        if (row.name == "lblVersion") {
            EXPECT_EQ(Text(control), kVersion);
        } else if (row.kind == app::LayoutKind::TextBox) {
            const LONG_PTR style = Style(control);
            EXPECT_FALSE(style & ES_MULTILINE);
            EXPECT_FALSE(style & ES_READONLY);
            // Without scrolling a single-line box refuses text wider than itself.
            EXPECT_TRUE(style & ES_AUTOHSCROLL);
            EXPECT_GE(static_cast<unsigned long>(SendWithLimit(control, EM_GETLIMITTEXT)),
                      0x7FFFFFFEul)
                << "the box has a length limit";
        } else if (row.kind == app::LayoutKind::ListBox) {
            EXPECT_EQ(SendWithLimit(control, LB_GETCOUNT), 0);
        } else {
            EXPECT_EQ(Text(control), row.caption);
        }
        const RECT actual = RectInParent(control);
        const RECT expected = ExpectedRect(row, dpi_);
        EXPECT_TRUE(EqualRect(&actual, &expected))
            << "at " << Describe(actual) << ", the table gives " << Describe(expected);
    }
}

// The parts of `control` that other controls of the window cover where the table makes them
// overlap (txtDownload over the end of Label6, for one), in the control's own coordinates.
std::vector<RECT> CoveredParts(HWND main, HWND control) {
    RECT own{};
    GetWindowRect(control, &own);
    std::vector<RECT> covered;
    for (HWND other : DescendantWindows(main)) {
        if (other == control || IsChild(other, control) || IsChild(control, other) ||
            !IsVisible(other)) {
            continue;
        }
        RECT rect{};
        GetWindowRect(other, &rect);
        RECT both{};
        if (IntersectRect(&both, &rect, &own)) {
            OffsetRect(&both, -own.left, -own.top);
            covered.push_back(both);
        }
    }
    return covered;
}

TEST_F(WindowLayout, TextIsDrawnInTheTableFont) {
    const ActivationContext controls(Widen(Options().korvaneExe));
    const RECT client = ClientRectOnScreen(main_);
    const ScreenShot shot = SettledScreenShot(client);
    struct Drawn {
        const app::ControlLayout* row;
        HWND control;
        InkMask ink;
    };
    std::vector<Drawn> drawn;
    for (const auto& row : app::kLayout) {
        const bool hasText = row.kind == app::LayoutKind::Label ||
                             row.kind == app::LayoutKind::CheckBox ||
                             row.kind == app::LayoutKind::PushButton;
        if (!hasText || InDomainGroup(row)) {
            continue;
        }
        const HWND control = korvane_->Control(row.name);
        drawn.push_back({&row, control, shot.InkOf(control)});
    }
    // The look-alikes are drawn on top of the window, so only once every picture is taken.
    int reported = 0;
    for (const auto& [row, control, ink] : drawn) {
        SCOPED_TRACE(std::string(row->name));
        const FontChoice font = ExpectedFont(*row, dpi_);
        InkMask mine = LookalikeInk(control, font, controls);
        InkMask theirs = ink;
        for (const RECT& part : CoveredParts(main_, control)) {
            mine.Clear(part);
            theirs.Clear(part);
        }
        ASSERT_GT(mine.InkCount(), 0) << "the look-alike drew nothing";
        EXPECT_GT(theirs.InkCount(), 0) << "nothing is drawn in the control";
        const int difference = theirs.DifferenceFrom(mine);
        if (difference != 0 && reported++ < 3) {
            ADD_FAILURE() << difference << " pixels differ from " << Describe(font)
                          << "\nthe window:\n"
                          << theirs.Art() << "the table's font:\n"
                          << mine.Art();
        } else {
            EXPECT_EQ(difference, 0) << "pixels differ from " << Describe(font);
        }
    }
}

TEST_F(WindowLayout, FocusStartsInTheBitmapBox) {
    EXPECT_EQ(NameOfControl(FocusOfThreadOf(main_)), "txtBackground");
}

TEST_F(WindowLayout, TabOrderFollowsTheTabIndexes) {
    const auto order = ExpectedTabOrder();
    ASSERT_EQ(order.front(), "txtBackground");
    const HWND start = korvane_->Control("txtBackground");
    std::vector<std::string> forward;
    std::vector<std::string> backward;
    HWND next = start;
    HWND previous = start;
    for (size_t i = 0; i < order.size(); ++i) {
        next = GetNextDlgTabItem(main_, next, FALSE);
        previous = GetNextDlgTabItem(main_, previous, TRUE);
        forward.push_back(next ? NameOfControl(next) : "(none)");
        backward.push_back(previous ? NameOfControl(previous) : "(none)");
    }
    std::vector<std::string> expectedForward;
    std::vector<std::string> expectedBackward;
    for (size_t i = 1; i <= order.size(); ++i) {
        expectedForward.emplace_back(order[i % order.size()]);
        expectedBackward.emplace_back(order[order.size() - i]);
    }
    EXPECT_EQ(Joined(forward), Joined(expectedForward));
    EXPECT_EQ(Joined(backward), Joined(expectedBackward));
}

TEST_F(WindowLayout, TabKeyMovesTheFocusInTabOrder) {
    const auto order = ExpectedTabOrder();
    std::vector<std::string> visited;
    HWND focus = FocusOfThreadOf(main_);
    ASSERT_NE(focus, nullptr);
    for (size_t i = 0; i < order.size(); ++i) {
        PressKey(focus, VK_TAB);
        const HWND before = focus;
        if (!WaitUntil(
                [&] {
                    focus = FocusOfThreadOf(main_);
                    return focus != nullptr && focus != before;
                },
                kReactLimit)) {
            visited.push_back("(stuck)");
            break;
        }
        visited.push_back(NameOfControl(focus));
    }
    std::vector<std::string> expected;
    for (size_t i = 1; i <= order.size(); ++i) {
        expected.emplace_back(order[i % order.size()]);
    }
    EXPECT_EQ(Joined(visited), Joined(expected));
}

TEST_F(WindowLayout, DomainGroupIsNeverInSight) {
    const RECT client = ClientRectOnScreen(main_);
    for (const auto& row : app::kLayout) {
        if (!InDomainGroup(row)) {
            continue;
        }
        const HWND control = korvane_->Control(row.name);
        RECT rect{};
        GetWindowRect(control, &rect);
        EXPECT_FALSE(IsVisible(control) && Intersects(rect, client))
            << row.name << " shows at " << Describe(rect) << " in the client area "
            << Describe(client);
    }
}

}  // namespace
}  // namespace e2e

// The real window against the layout table, at the DPI the driver runs at: every control's
// class, text, place and font, the window's frame and size, the tab order and the focus, and
// the domain group kept out of sight.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "tests/e2e/harness.h"
#include "tests/e2e/ink_capture.h"
#include "tests/e2e/text_convert.h"

namespace e2e {
namespace {

using app::LayoutKind;

constexpr const char* kVersion = "6.0.2800.1106";

// The native window of each kind, and for buttons the style types that fit the kind.
struct NativeKind {
    LayoutKind kind;
    const char* className;
    std::vector<LONG_PTR> buttonTypes;
};
const NativeKind kNativeKinds[] = {
    {LayoutKind::Label, "Static", {}},
    {LayoutKind::TextBox, "Edit", {}},
    {LayoutKind::CheckBox, "Button", {BS_CHECKBOX, BS_AUTOCHECKBOX}},
    {LayoutKind::PushButton, "Button", {BS_PUSHBUTTON, BS_DEFPUSHBUTTON}},
    {LayoutKind::Frame, "Button", {BS_GROUPBOX}},
    {LayoutKind::ListBox, "ListBox", {}},
};

const NativeKind& NativeOf(LayoutKind kind) {
    return *std::find_if(std::begin(kNativeKinds), std::end(kNativeKinds),
                         [&](const NativeKind& native) { return native.kind == kind; });
}

int Pixels(int twips, int dpi) {
    return MulDiv(twips, dpi, 1440);
}

// Frame7 and everything inside it, at any depth.
bool InDomainGroup(const app::ControlLayout& row) {
    for (const app::ControlLayout* at = &row; at != nullptr; at = app::FindLayout(at->container)) {
        if (at->name == "Frame7") {
            return true;
        }
    }
    return false;
}

// The layout name of a control found in the window, by its ID.
std::string NameOfControl(HWND control) {
    const auto index = static_cast<size_t>(GetDlgCtrlID(control) - 1000);
    return index < app::kLayout.size() ? std::string(app::kLayout[index].name)
                                       : "ID " + std::to_string(GetDlgCtrlID(control));
}

// The names that take the focus, in tab order: no labels, frames or dialog component, and
// nothing of the domain group, which the user never reaches.
std::vector<std::string> ExpectedTabOrder() {
    std::vector<const app::ControlLayout*> rows;
    for (const auto& row : app::kLayout) {
        const bool focusable =
            row.kind == LayoutKind::TextBox || row.kind == LayoutKind::CheckBox ||
            row.kind == LayoutKind::PushButton || row.kind == LayoutKind::ListBox;
        if (focusable && !InDomainGroup(row)) {
            rows.push_back(&row);
        }
    }
    std::sort(rows.begin(), rows.end(),
              [](const auto* a, const auto* b) { return a->tabIndex < b->tabIndex; });
    std::vector<std::string> names;
    for (const auto* row : rows) {
        names.emplace_back(row->name);
    }
    return names;
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

TEST_F(WindowLayout, WindowHasItsCaptionFixedFrameAndClientSize) {
    EXPECT_EQ(dpi_, Options().dpi);
    EXPECT_EQ(Text(main_), app::kWindowCaption);
    const LONG_PTR style = Style(main_);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU) << "no close box";
    EXPECT_FALSE(style & WS_THICKFRAME) << "the window can be resized";
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    // Scaled by the DPI the driver asked for, not by what the window claims.
    RECT client{};
    GetClientRect(main_, &client);
    EXPECT_EQ(client.right, Pixels(app::kClientWidthTwips, Options().dpi));
    EXPECT_EQ(client.bottom, Pixels(app::kClientHeightTwips, Options().dpi));
}

TEST_F(WindowLayout, EveryRowIsOneEnabledWindowOfItsClassTextAndPlace) {
    std::map<std::string, int> found;
    for (HWND window : DescendantWindows(main_)) {
        ++found[NameOfControl(window)];
    }
    const RECT client = ClientRectOnScreen(main_);
    for (const auto& row : app::kLayout) {
        SCOPED_TRACE(std::string(row.name));
        const int count = found[std::string(row.name)];
        found.erase(std::string(row.name));
        if (row.kind == LayoutKind::CommonDialog) {
            EXPECT_EQ(count, 0) << "the dialog component has a window";
            continue;
        }
        ASSERT_EQ(count, 1);
        const HWND control = korvane_->Control(row.name);
        const HWND container = row.container.empty() ? main_ : korvane_->Control(row.container);
        EXPECT_EQ(GetAncestor(control, GA_PARENT), container);
        const NativeKind& native = NativeOf(row.kind);
        EXPECT_EQ(ClassName(control), native.className);
        if (!native.buttonTypes.empty()) {
            const LONG_PTR type = Style(control) & BS_TYPEMASK;
            EXPECT_NE(std::find(native.buttonTypes.begin(), native.buttonTypes.end(), type),
                      native.buttonTypes.end())
                << "button style " << type;
        }
        if (row.name == "lblVersion") {
            EXPECT_EQ(Text(control), kVersion);
        } else if (row.kind == LayoutKind::TextBox) {
            const LONG_PTR style = Style(control);
            EXPECT_FALSE(style & (ES_MULTILINE | ES_READONLY));
            // Without scrolling a single-line box refuses text wider than itself.
            EXPECT_TRUE(style & ES_AUTOHSCROLL);
            EXPECT_GE(static_cast<unsigned long>(SendWithLimit(control, EM_GETLIMITTEXT)),
                      0x7FFFFFFEul)
                << "the box has a length limit";
        } else if (row.kind == LayoutKind::ListBox) {
            EXPECT_EQ(SendWithLimit(control, LB_GETCOUNT), 0);
        } else {
            EXPECT_EQ(Text(control), row.caption);
        }
        const RECT actual = RectInParent(control);
        const int left = Pixels(row.left, dpi_);
        const int top = Pixels(row.top, dpi_);
        const RECT expected{left, top, left + Pixels(row.width, dpi_),
                            top + Pixels(row.height, dpi_)};
        EXPECT_TRUE(EqualRect(&actual, &expected))
            << "at " << Describe(actual) << ", the table gives " << Describe(expected);
        EXPECT_TRUE(IsEnabled(control));
        RECT onScreen{};
        GetWindowRect(control, &onScreen);
        RECT shown{};
        const bool inSight = IsVisible(control) && IntersectRect(&shown, &onScreen, &client);
        EXPECT_EQ(inSight, !InDomainGroup(row)) << "at " << Describe(onScreen);
    }
    for (const auto& [name, count] : found) {
        ADD_FAILURE() << count << " window(s) not in the table: " << name;
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
    const ActivationContext controls = ManifestContext(Widen(Options().korvaneExe));
    const ScreenShot shot = SettledScreenShot(ClientRectOnScreen(main_));
    struct Drawn {
        const app::ControlLayout* row;
        HWND control;
        InkMask ink;
    };
    std::vector<Drawn> drawn;
    for (const auto& row : app::kLayout) {
        const bool hasText = row.kind == LayoutKind::Label || row.kind == LayoutKind::CheckBox ||
                             row.kind == LayoutKind::PushButton;
        if (hasText && !InDomainGroup(row)) {
            const HWND control = korvane_->Control(row.name);
            drawn.push_back({&row, control, shot.InkOf(control)});
        }
    }
    // The look-alikes are drawn on top of the window, so only once every picture is taken.
    for (auto& [row, control, theirs] : drawn) {
        SCOPED_TRACE(std::string(row->name));
        // 8.25 points.
        const FontChoice font{L"MS Sans Serif", -MulDiv(825, dpi_, 7200),
                              row->font == app::FontStyle::Bold ? FW_BOLD : FW_NORMAL,
                              row->font == app::FontStyle::Italic};
        InkMask mine = LookalikeInk(control, font, controls);
        for (const RECT& part : CoveredParts(main_, control)) {
            mine.Clear(part);
            theirs.Clear(part);
        }
        ASSERT_GT(mine.InkCount(), 0) << "the look-alike drew nothing";
        EXPECT_GT(theirs.InkCount(), 0) << "nothing is drawn in the control";
        EXPECT_EQ(theirs.DifferenceFrom(mine), 0) << "pixels differ from " << Describe(font);
    }
}

TEST_F(WindowLayout, FocusStartsInTheBitmapBoxAndMovesInTabOrder) {
    const auto order = ExpectedTabOrder();
    ASSERT_EQ(order.front(), "txtBackground");
    HWND focus = FocusOfThreadOf(main_);
    ASSERT_EQ(NameOfControl(focus), "txtBackground");

    // The dialog manager's order, both ways round from the bitmap box, and the Tab key's.
    std::vector<std::string> expectedForward;
    std::vector<std::string> expectedBackward;
    std::vector<std::string> forward;
    std::vector<std::string> backward;
    std::vector<std::string> tabbed;
    HWND next = focus;
    HWND previous = focus;
    for (size_t i = 1; i <= order.size(); ++i) {
        expectedForward.push_back(order[i % order.size()]);
        expectedBackward.push_back(order[order.size() - i]);
        next = GetNextDlgTabItem(main_, next, FALSE);
        previous = GetNextDlgTabItem(main_, previous, TRUE);
        forward.push_back(next ? NameOfControl(next) : "(none)");
        backward.push_back(previous ? NameOfControl(previous) : "(none)");
        if (tabbed.size() == i - 1) {  // not stuck yet
            const HWND before = focus;
            PressKey(focus, VK_TAB);
            const bool moved = WaitUntil(
                [&] {
                    focus = FocusOfThreadOf(main_);
                    return focus != nullptr && focus != before;
                },
                kReactLimit);
            if (moved) {
                tabbed.push_back(NameOfControl(focus));
            }
        }
    }
    EXPECT_EQ(forward, expectedForward);
    EXPECT_EQ(backward, expectedBackward);
    EXPECT_EQ(tabbed, expectedForward) << "the Tab key";
}

}  // namespace
}  // namespace e2e

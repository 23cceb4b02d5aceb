// The layout table: every control once, a consistent tab order, containers before contents,
// and everything visible inside the client area.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>

#include "app/layout.h"

namespace {

using app::ControlLayout;
using app::kLayout;
using app::LayoutKind;

struct Rect {
    int left, top, right, bottom;
};

// The row's rectangle in client-area twips, through its chain of frames.
Rect AbsoluteRect(const ControlLayout& row) {
    Rect rect{row.left, row.top, row.left + row.width, row.top + row.height};
    for (auto container = row.container; !container.empty();) {
        const auto* frame = app::FindLayout(container);
        rect.left += frame->left;
        rect.right += frame->left;
        rect.top += frame->top;
        rect.bottom += frame->top;
        container = frame->container;
    }
    return rect;
}

bool InsideFrame7(const ControlLayout& row) {
    for (auto container = row.container; !container.empty();
         container = app::FindLayout(container)->container) {
        if (container == "Frame7") {
            return true;
        }
    }
    return row.name == "Frame7";
}

// Every control once, and tab indexes 0 to 60 each once (the dialog component has none).
TEST(LayoutTable, NamesAndTabIndexesAreUnique) {
    std::set<std::string_view> names;
    std::set<int> indexes;
    for (const auto& row : kLayout) {
        EXPECT_TRUE(names.insert(row.name).second) << row.name;
        if (row.kind != LayoutKind::CommonDialog) {
            EXPECT_TRUE(indexes.insert(row.tabIndex).second) << row.name;
        }
    }
    EXPECT_EQ(names.size(), 62u);
    ASSERT_EQ(indexes.size(), 61u);
    EXPECT_EQ(*indexes.begin(), 0);
    EXPECT_EQ(*indexes.rbegin(), 60);
    EXPECT_EQ(app::FindLayout("txtBackground")->tabIndex, 0);
}

TEST(LayoutTable, EveryContainerIsAFrameListedBeforeItsControls) {
    for (std::size_t i = 0; i < kLayout.size(); ++i) {
        const auto& row = kLayout[i];
        if (row.container.empty()) {
            continue;
        }
        const auto* frame = app::FindLayout(row.container);
        ASSERT_NE(frame, nullptr) << row.name;
        EXPECT_EQ(frame->kind, LayoutKind::Frame) << row.name;
        EXPECT_LT(frame - kLayout.data(), static_cast<std::ptrdiff_t>(i)) << row.name;
        // A control lies inside its frame.
        EXPECT_LE(row.left + row.width, frame->width) << row.name;
        EXPECT_LE(row.top + row.height, frame->height) << row.name;
    }
}

// The domain search group lies wholly below the client area, out of sight; everything else
// that shows lies inside it.
TEST(LayoutTable, OnlyTheDomainSearchGroupLiesOutsideTheClientArea) {
    int hidden = 0;
    for (const auto& row : kLayout) {
        const auto rect = AbsoluteRect(row);
        if (InsideFrame7(row)) {
            ++hidden;
            EXPECT_GE(rect.top, app::kClientHeightTwips) << row.name;
        } else if (row.kind != LayoutKind::CommonDialog) {
            EXPECT_GE(rect.left, 0) << row.name;
            EXPECT_GE(rect.top, 0) << row.name;
            EXPECT_LE(rect.right, app::kClientWidthTwips) << row.name;
            EXPECT_LE(rect.bottom, app::kClientHeightTwips) << row.name;
        }
    }
    EXPECT_EQ(hidden, 5);
}

TEST(LayoutTable, CreatesEveryControlClearEmptyAndEnabled) {
    const auto controls = app::CreateControls();
    EXPECT_EQ(controls.all().size(), kLayout.size() - 1);  // the dialog component has no control
    EXPECT_EQ(controls.checkBox("chkPrintPreview").caption(), "PrintPrev");
    for (const auto& control : controls.all()) {
        EXPECT_TRUE(control->enabled()) << control->name();
        if (auto* box = dynamic_cast<toolkit::CheckBox*>(control.get())) {
            EXPECT_EQ(box->value(), 0) << control->name();
        }
        if (auto* text = dynamic_cast<toolkit::TextBox*>(control.get())) {
            EXPECT_EQ(text->text(), "") << control->name();
        }
    }
    EXPECT_THROW(controls.checkBox("txtIETitle"), std::logic_error);
    EXPECT_THROW(controls.Named("CommonDialog1"), std::logic_error);
}

}  // namespace

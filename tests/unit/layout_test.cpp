// The layout table: every control once, a consistent tab order, containers before contents,
// and everything visible inside the client area.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

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

TEST(LayoutTable, HoldsEveryControlOfTheWindowOnce) {
    const std::set<std::string> expected = {
        "cmdHelp",       "Label7",        "lblVersion",      "chkIEErr",       "chkSecurityZone",
        "chkPassCach",   "chkHideWeb",    "chkUpdate",       "chkIcon",        "chkAbout",
        "chkCache",      "chkAutoAppend", "Frame1",          "Frame2",         "Frame4",
        "Frame3",        "Frame6",        "Frame7",          "CommonDialog1",  "Label4",
        "txtBackground", "cmdBackground", "Label3",          "txtIETitle",     "Frame5",
        "Label5",        "cmdRestore",    "Label6",          "txtDownload",    "Label2",
        "txtDefaultDir", "cmdDir",        "Label1",          "cmdClear",       "Frame8",
        "chkSelect",     "cmdAddDomain",  "cmdDeleteDomain", "txtAddDomain",   "lstDomain",
        "chkBack",       "chkForward",    "chkStop",         "chkFolders",     "chkRefresh",
        "chkPrint",      "chkFavorites",  "chkEdit",         "chkHome",        "chkSearch",
        "chkMedia",      "chkHistory",    "chkTools",        "chkEncoding",    "chkPrintPreview",
        "chkFullScreen", "chkMailNews",   "chkSize",         "chkDiscussions", "chkCut",
        "chkCopy",       "chkPaste"};
    std::multiset<std::string> names;
    for (const auto& row : kLayout) {
        names.insert(std::string(row.name));
    }
    EXPECT_EQ(names.size(), expected.size());
    for (const auto& name : expected) {
        EXPECT_EQ(names.count(name), 1u) << name;
    }
}

TEST(LayoutTable, TabIndexesRunFromZeroToSixtyEachOnce) {
    std::vector<int> indexes;
    for (const auto& row : kLayout) {
        if (row.kind != LayoutKind::CommonDialog) {
            indexes.push_back(row.tabIndex);
        }
    }
    std::sort(indexes.begin(), indexes.end());
    ASSERT_EQ(indexes.size(), 61u);
    for (int i = 0; i < 61; ++i) {
        EXPECT_EQ(indexes[i], i);
    }
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

TEST(LayoutTable, TheDomainSearchGroupLiesWhollyBelowTheClientArea) {
    int groupControls = 0;
    for (const auto& row : kLayout) {
        if (InsideFrame7(row)) {
            ++groupControls;
            EXPECT_GE(AbsoluteRect(row).top, app::kClientHeightTwips) << row.name;
        }
    }
    EXPECT_EQ(groupControls, 5);
}

TEST(LayoutTable, EveryVisibleControlLiesInsideTheClientArea) {
    for (const auto& row : kLayout) {
        if (row.kind == LayoutKind::CommonDialog || InsideFrame7(row)) {
            continue;
        }
        const auto rect = AbsoluteRect(row);
        EXPECT_GE(rect.left, 0) << row.name;
        EXPECT_GE(rect.top, 0) << row.name;
        EXPECT_LE(rect.right, app::kClientWidthTwips) << row.name;
        EXPECT_LE(rect.bottom, app::kClientHeightTwips) << row.name;
    }
}

TEST(LayoutTable, OnlyFrame7HasACaptionAndOnlyTwoControlsAnotherFont) {
    for (const auto& row : kLayout) {
        if (row.kind == LayoutKind::Frame) {
            EXPECT_EQ(row.caption.empty(), row.name != "Frame7") << row.name;
        }
        const auto expected = row.name == "cmdHelp"  ? app::FontStyle::Bold
                              : row.name == "Label7" ? app::FontStyle::Italic
                                                     : app::FontStyle::Regular;
        EXPECT_EQ(row.font, expected) << row.name;
    }
}

TEST(LayoutTable, CreatesEveryControlClearEmptyAndEnabled) {
    const auto controls = app::CreateControls();
    EXPECT_EQ(controls.all().size(), kLayout.size() - 1);  // the dialog component has no control
    EXPECT_EQ(controls.checkBox("chkSelect").caption(), "Add\\Remove Selected IE Toolbar Buttons");
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
    EXPECT_EQ(controls.label("lblVersion").caption(), "");
    EXPECT_THROW(controls.checkBox("txtIETitle"), std::logic_error);
    EXPECT_THROW(controls.Named("CommonDialog1"), std::logic_error);
}

}  // namespace

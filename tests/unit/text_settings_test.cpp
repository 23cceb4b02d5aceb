// The download directory, window title and toolbar bitmap boxes: what their loaders show and
// write back at start-up, what editing them writes, the two pickers, and the bitmap value
// written at unload.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "text_form_fixture.h"

namespace text_test {
namespace {

using settings::kBackBitmap;
using settings::kDownloadDirectory;
using settings::kWindowTitle;

struct LoadCase {
    const char* name;
    std::uint32_t type;  // kRegNone: the value is missing
    registry::Bytes data;
    std::string shown;
};

void PrintTo(const LoadCase& row, std::ostream* out) {
    *out << row.name;
}

const std::vector<LoadCase> kLoadCases{
    {"Missing", registry::kRegNone, {}, ""},
    {"Text", registry::kRegSz, {'C', ':', '\\', 'D', 0}, "C:\\D"},
    {"Number", registry::kRegDword, {5, 0, 0, 0}, "5"},
    {"ExpandableTextReadsAsNothing", registry::kRegExpandSz, {'%', 'P', '%', 0}, ""},
};

class TextLoad : public TextForm, public ::testing::WithParamInterface<LoadCase> {
protected:
    // Seeds the row into `value`, loads, and checks what the box shows.
    void LoadInto(const TextValue& value) {
        if (GetParam().type != registry::kRegNone) {
            Seed(value, GetParam().type, GetParam().data);
        }
        before_ = Stored(value);
        Load();
        ExpectShown(value, GetParam().shown);
    }
    std::string before_;
};

// Shown, but never written back: the stored directory changes only through the picker.
TEST_P(TextLoad, DirectoryIsShownAndLeftAlone) {
    LoadInto(kDownloadDirectory);
    EXPECT_EQ(Stored(kDownloadDirectory), before_);
    EXPECT_EQ(ChangesTo(kDownloadDirectory), 0u);
}

// A title that is not empty is written back as REG_SZ; an empty box writes nothing.
TEST_P(TextLoad, TitleIsShownAndWrittenBackWhenNotEmpty) {
    LoadInto(kWindowTitle);
    EXPECT_EQ(ChangesTo(kWindowTitle), GetParam().shown.empty() ? 0u : 1u);
    EXPECT_EQ(Stored(kWindowTitle),
              GetParam().shown.empty() ? before_ : "REG_SZ \"" + GetParam().shown + "\"");
}

// Whatever was read, missing included, the bitmap is REG_SZ once the window has closed.
TEST_P(TextLoad, BitmapIsShownAndStoredAsTextByUnload) {
    LoadInto(kBackBitmap);
    Unload();
    EXPECT_EQ(Stored(kBackBitmap), "REG_SZ \"" + GetParam().shown + "\"");
    EXPECT_TRUE(services_.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(StoredForms, TextLoad, ::testing::ValuesIn(kLoadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextForm, BitmapKeepsTheValueReadUnconverted) {
    Seed(kBackBitmap, registry::kRegBinary, {});
    Load();
    EXPECT_EQ(form_.strBackBitmap(), registry::Variant(registry::Bytes{}));
}

// Editing after start-up.
class TextEditing : public TextForm {
protected:
    void SetUp() override {
        SeedText(kDownloadDirectory, "C:\\Old");
        SeedText(kWindowTitle, "Web");
        SeedText(kBackBitmap, "C:\\a.bmp");
        Load();
        registry_.ClearJournal();
    }
    void Click(const char* button) { form_.controls().button(button).UserClick(); }
    void ExpectNoChange() {
        EXPECT_TRUE(registry_.Changes().empty());
        EXPECT_TRUE(services_.messages.empty());
    }
};

TEST_F(TextEditing, TypingIntoTheDirectoryBoxWritesNothing) {
    auto& box = Box(kDownloadDirectory);
    box.UserType('x');
    box.UserPaste("\\sub");
    box.UserEdit("D:\\");
    ExpectShown(kDownloadDirectory, "D:\\");
    ExpectNoChange();
}

TEST_F(TextEditing, EveryTitleChangeIsWrittenAndEmptyStaysAsEmptyText) {
    Box(kWindowTitle).UserType('s');
    ExpectShown(kWindowTitle, "Webs");
    EXPECT_EQ(Stored(kWindowTitle), "REG_SZ \"Webs\"");
    Box(kWindowTitle).UserEdit("");
    ExpectShown(kWindowTitle, "");
    EXPECT_EQ(Stored(kWindowTitle), "REG_SZ \"\"");
}

TEST_F(TextEditing, EveryBitmapChangeIsWrittenAndKeptForUnload) {
    Box(kBackBitmap).UserEdit("C:\\b.bmp");
    ExpectShown(kBackBitmap, "C:\\b.bmp");
    EXPECT_EQ(Stored(kBackBitmap), "REG_SZ \"C:\\b.bmp\"");
    // Someone else changes it meanwhile; unload writes the window's value once more.
    SeedText(kBackBitmap, "C:\\other.bmp");
    Unload();
    EXPECT_EQ(Stored(kBackBitmap), "REG_SZ \"C:\\b.bmp\"");
}

TEST_F(TextEditing, PickedFolderIsShownInTheTooltipAndWrittenEvenWhenAlreadyShown) {
    SeedText(kDownloadDirectory, "C:\\Elsewhere");
    shell_.answers.push_back(shell::ChosenFolder("C:\\Old"));
    shell_.answers.push_back(shell::ChosenFolder("C:\\Users\\Me"));
    Click("cmdDir");
    EXPECT_EQ(Stored(kDownloadDirectory), "REG_SZ \"C:\\Old\"");
    Click("cmdDir");
    ASSERT_EQ(shell_.browsed.size(), 2u);
    EXPECT_EQ(shell_.browsed[0].lpszTitle, "Pick A Folder");
    ExpectShown(kDownloadDirectory, "C:\\Users\\Me");
    EXPECT_EQ(Stored(kDownloadDirectory), "REG_SZ \"C:\\Users\\Me\"");
    EXPECT_EQ(shell_.liveItemLists(), 0u);
    EXPECT_TRUE(services_.messages.empty());
}

TEST_F(TextEditing, NoFolderPickedChangesNothing) {
    const std::optional<shell::ScriptedItem> answers[] = {
        std::nullopt,                    // cancelled
        shell::ScriptedItem{"", false},  // an item without a file-system path
        shell::ScriptedItem{"   ", true}};
    for (const auto& answer : answers) {
        shell_.answers.push_back(answer);
        Click("cmdDir");
        ExpectShown(kDownloadDirectory, "C:\\Old");
    }
    EXPECT_EQ(shell_.browsed.size(), 3u);
    ExpectNoChange();
}

TEST_F(TextEditing, ChosenBitmapIsShownAndWrittenEvenWhenAlreadyShown) {
    SeedText(kBackBitmap, "C:\\other.bmp");
    services_.fileDialogAnswers.push_back("C:\\a.bmp");
    services_.fileDialogAnswers.push_back("C:\\x\\y.bmp");
    Click("cmdBackground");
    EXPECT_EQ(Stored(kBackBitmap), "REG_SZ \"C:\\a.bmp\"");
    Click("cmdBackground");
    ASSERT_EQ(services_.fileDialogFilters.size(), 2u);
    ASSERT_EQ(services_.fileDialogFilters[0].size(), 1u);
    EXPECT_EQ(services_.fileDialogFilters[0][0].description, "Bitmap (*.bmp)");
    EXPECT_EQ(services_.fileDialogFilters[0][0].pattern, "*.bmp");
    ExpectShown(kBackBitmap, "C:\\x\\y.bmp");
    EXPECT_EQ(Stored(kBackBitmap), "REG_SZ \"C:\\x\\y.bmp\"");
    EXPECT_EQ(form_.strBackBitmap(), registry::Variant("C:\\x\\y.bmp"));
    EXPECT_TRUE(services_.messages.empty());
}

TEST_F(TextEditing, CancelledBitmapDialogChangesNothingAndSaysNothing) {
    Click("cmdBackground");  // no answer scripted: cancelled
    EXPECT_EQ(services_.fileDialogFilters.size(), 1u);
    ExpectShown(kBackBitmap, "C:\\a.bmp");
    EXPECT_EQ(form_.strBackBitmap(), registry::Variant("C:\\a.bmp"));
    ExpectNoChange();
}

}  // namespace
}  // namespace text_test

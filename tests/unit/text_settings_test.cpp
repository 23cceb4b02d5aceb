// The download directory, window title and toolbar bitmap boxes: what their loaders show and
// write back at start-up, what editing them writes, the two pickers, and the bitmap value
// written at unload.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "text_form_fixture.h"

namespace text_test {
namespace {

using settings::kBackBitmap;
using settings::kDownloadDirectory;
using settings::kWindowTitle;

// The four text loaders run at start-up in this order, between the others.
TEST_F(TextForm, TextLoadersRunInTheirStartupOrder) {
    std::vector<std::string> ours;
    for (const auto& loader : form_.StartupLoaders()) {
        const std::vector<std::string_view> names{"Download_Directory", "Window_Title",
                                                  "Back_Bitmap", "Max_Connections"};
        if (std::find(names.begin(), names.end(), loader.name) != names.end()) {
            ours.emplace_back(loader.name);
        }
    }
    EXPECT_EQ(ours, (std::vector<std::string>{"Download_Directory", "Window_Title", "Back_Bitmap",
                                              "Max_Connections"}));
}

struct LoadCase {
    const char* name;
    std::uint32_t type;  // kRegNone: the value is missing
    registry::Bytes data;
    std::string shown;
};

registry::Bytes Sz(const std::string& text) {
    registry::Bytes bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

registry::Bytes Dword(std::uint32_t number) {
    return {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
            static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)};
}

const std::vector<LoadCase> kLoadCases{
    {"Missing", registry::kRegNone, {}, ""},
    {"Text", registry::kRegSz, Sz("C:\\Downloads"), "C:\\Downloads"},
    {"EmptyText", registry::kRegSz, Sz(""), ""},
    {"Number", registry::kRegDword, Dword(5), "5"},
    {"ExpandableTextReadsAsNothing", registry::kRegExpandSz, Sz("%USERPROFILE%"), ""},
};

class TextLoad : public TextForm, public ::testing::WithParamInterface<LoadCase> {
protected:
    void SeedRow(const TextValue& value) {
        if (GetParam().type != registry::kRegNone) {
            Seed(value, GetParam().type, GetParam().data);
        }
    }
};

// Shown, but never written back: the stored directory changes only through the picker.
TEST_P(TextLoad, DirectoryIsShownAndLeftAlone) {
    SeedRow(kDownloadDirectory);
    const auto before = Stored(kDownloadDirectory);
    Load();
    EXPECT_EQ(Box(kDownloadDirectory).text(), GetParam().shown);
    EXPECT_EQ(Box(kDownloadDirectory).tooltip(), GetParam().shown);
    EXPECT_TRUE(ChangesTo(kDownloadDirectory).empty());
    EXPECT_EQ(Stored(kDownloadDirectory), before);
}

// A title that is not empty is written back as REG_SZ; an empty box writes nothing.
TEST_P(TextLoad, TitleIsShownAndWrittenBackWhenNotEmpty) {
    SeedRow(kWindowTitle);
    const auto before = Stored(kWindowTitle);
    Load();
    EXPECT_EQ(Box(kWindowTitle).text(), GetParam().shown);
    EXPECT_EQ(Box(kWindowTitle).tooltip(), GetParam().shown);
    if (GetParam().shown.empty()) {
        EXPECT_TRUE(ChangesTo(kWindowTitle).empty());
        EXPECT_EQ(Stored(kWindowTitle), before);
    } else {
        EXPECT_EQ(ChangesTo(kWindowTitle).size(), 1u);
        EXPECT_EQ(Stored(kWindowTitle)->type, registry::kRegSz);
        EXPECT_EQ(StoredText(kWindowTitle), GetParam().shown);
    }
}

// Whatever was read, the bitmap is REG_SZ once the window has closed.
TEST_P(TextLoad, BitmapIsShownAndStoredAsTextByUnload) {
    SeedRow(kBackBitmap);
    Load();
    EXPECT_EQ(Box(kBackBitmap).text(), GetParam().shown);
    EXPECT_EQ(Box(kBackBitmap).tooltip(), GetParam().shown);
    Unload();
    ASSERT_TRUE(Stored(kBackBitmap).has_value());
    EXPECT_EQ(Stored(kBackBitmap)->type, registry::kRegSz);
    EXPECT_EQ(StoredText(kBackBitmap), GetParam().shown);
    EXPECT_TRUE(services_.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(StoredForms, TextLoad, ::testing::ValuesIn(kLoadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextForm, BitmapKeepsTheValueReadUnconverted) {
    Seed(kBackBitmap, registry::kRegBinary, {});
    Load();
    EXPECT_EQ(form_.strBackBitmap(), registry::Variant(registry::Bytes{}));
}

TEST_F(TextForm, MissingBitmapNeverTouchedIsCreatedEmptyAtUnload) {
    Load();
    EXPECT_FALSE(Stored(kBackBitmap).has_value());
    Unload();
    ASSERT_TRUE(Stored(kBackBitmap).has_value());
    EXPECT_EQ(Stored(kBackBitmap)->type, registry::kRegSz);
    EXPECT_EQ(StoredText(kBackBitmap), "");
}

// A refused start reads nothing, so unload has nothing to write over the stored value.
struct RefusedCase {
    const char* name;
    std::optional<std::string> stored;
};

class RefusedStart : public TextForm, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedStart, UnloadWritesNothing) {
    registry_.PutText(registry::kLocalMachine, "Software\\Microsoft\\Internet Explorer", "Version",
                      "4.0");
    if (GetParam().stored) {
        SeedText(kBackBitmap, *GetParam().stored);
    }
    form_.Form_Load();
    ASSERT_TRUE(form_.unloadRequested());
    registry_.ClearJournal();
    Unload();
    EXPECT_TRUE(registry_.Changes().empty());
    EXPECT_EQ(StoredText(kBackBitmap), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(BackBitmap, RefusedStart,
                         ::testing::Values(RefusedCase{"Stored", "C:\\x\\y.bmp"},
                                           RefusedCase{"Missing", std::nullopt}),
                         [](const auto& info) { return std::string(info.param.name); });

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
};

TEST_F(TextEditing, TypingIntoTheDirectoryBoxWritesNothing) {
    auto& box = Box(kDownloadDirectory);
    box.UserType('x');
    box.UserPaste("\\sub");
    box.UserEdit("");
    EXPECT_EQ(box.tooltip(), "");
    box.UserEdit("D:\\");
    EXPECT_EQ(box.tooltip(), "D:\\");
    EXPECT_TRUE(registry_.Changes().empty());
    EXPECT_EQ(StoredText(kDownloadDirectory), "C:\\Old");
}

TEST_F(TextEditing, EveryTitleChangeIsWrittenAndEmptyStaysAsEmptyText) {
    auto& box = Box(kWindowTitle);
    box.UserType('s');
    EXPECT_EQ(StoredText(kWindowTitle), "Webs");
    EXPECT_EQ(box.tooltip(), "Webs");
    box.UserEdit("");
    EXPECT_EQ(box.tooltip(), "");
    ASSERT_TRUE(Stored(kWindowTitle).has_value());
    EXPECT_EQ(Stored(kWindowTitle)->type, registry::kRegSz);
    EXPECT_EQ(StoredText(kWindowTitle), "");
    EXPECT_EQ(ChangesTo(kWindowTitle).size(), 2u);
}

TEST_F(TextEditing, EveryBitmapChangeIsWrittenAndKeptForUnload) {
    auto& box = Box(kBackBitmap);
    box.UserEdit("C:\\b.bmp");
    EXPECT_EQ(box.tooltip(), "C:\\b.bmp");
    EXPECT_EQ(StoredText(kBackBitmap), "C:\\b.bmp");
    EXPECT_EQ(form_.strBackBitmap(), registry::Variant("C:\\b.bmp"));
    // Someone else changes it meanwhile; unload writes the window's value once more.
    SeedText(kBackBitmap, "C:\\other.bmp");
    Unload();
    EXPECT_EQ(StoredText(kBackBitmap), "C:\\b.bmp");
}

TEST_F(TextEditing, PickedFolderIsShownInTheTooltipAndWritten) {
    shell_.answers.push_back(shell::ChosenFolder("C:\\Users\\Me\\Downloads"));
    form_.controls().button("cmdDir").UserClick();
    ASSERT_EQ(shell_.browsed.size(), 1u);
    EXPECT_EQ(shell_.browsed[0].lpszTitle, "Pick A Folder");
    EXPECT_EQ(Box(kDownloadDirectory).text(), "C:\\Users\\Me\\Downloads");
    EXPECT_EQ(Box(kDownloadDirectory).tooltip(), "C:\\Users\\Me\\Downloads");
    ASSERT_TRUE(Stored(kDownloadDirectory).has_value());
    EXPECT_EQ(Stored(kDownloadDirectory)->type, registry::kRegSz);
    EXPECT_EQ(StoredText(kDownloadDirectory), "C:\\Users\\Me\\Downloads");
    EXPECT_EQ(shell_.liveItemLists(), 0u);
    EXPECT_TRUE(services_.messages.empty());
}

TEST_F(TextEditing, PickingTheFolderAlreadyShownStillWritesIt) {
    SeedText(kDownloadDirectory, "C:\\Elsewhere");
    shell_.answers.push_back(shell::ChosenFolder("C:\\Old"));
    form_.controls().button("cmdDir").UserClick();
    EXPECT_EQ(StoredText(kDownloadDirectory), "C:\\Old");
}

struct NoFolderCase {
    const char* name;
    std::optional<shell::ScriptedItem> answer;
};

class NoFolderPicked : public TextEditing, public ::testing::WithParamInterface<NoFolderCase> {};

TEST_P(NoFolderPicked, ChangesNothing) {
    shell_.answers.push_back(GetParam().answer);
    form_.controls().button("cmdDir").UserClick();
    EXPECT_EQ(shell_.browsed.size(), 1u);
    EXPECT_EQ(Box(kDownloadDirectory).text(), "C:\\Old");
    EXPECT_TRUE(registry_.Changes().empty());
    EXPECT_TRUE(services_.messages.empty());
    EXPECT_EQ(shell_.liveItemLists(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, NoFolderPicked,
    ::testing::Values(NoFolderCase{"Cancelled", std::nullopt},
                      NoFolderCase{"NoFileSystemPath", shell::ScriptedItem{"", false}},
                      NoFolderCase{"OnlySpaces", shell::ScriptedItem{"   ", true}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextEditing, ChosenBitmapIsShownAndWrittenWithTheBitmapFilter) {
    services_.fileDialogAnswers.push_back("C:\\x\\y.bmp");
    form_.controls().button("cmdBackground").UserClick();

    ASSERT_EQ(services_.fileDialogFilters.size(), 1u);
    ASSERT_EQ(services_.fileDialogFilters[0].size(), 1u);
    EXPECT_EQ(services_.fileDialogFilters[0][0].description, "Bitmap (*.bmp)");
    EXPECT_EQ(services_.fileDialogFilters[0][0].pattern, "*.bmp");
    EXPECT_EQ(Box(kBackBitmap).text(), "C:\\x\\y.bmp");
    EXPECT_EQ(Box(kBackBitmap).tooltip(), "C:\\x\\y.bmp");
    EXPECT_EQ(Stored(kBackBitmap)->type, registry::kRegSz);
    EXPECT_EQ(StoredText(kBackBitmap), "C:\\x\\y.bmp");
    EXPECT_EQ(form_.strBackBitmap(), registry::Variant("C:\\x\\y.bmp"));
    EXPECT_TRUE(services_.messages.empty());
}

TEST_F(TextEditing, ChoosingTheBitmapAlreadyShownStillWritesIt) {
    SeedText(kBackBitmap, "C:\\other.bmp");
    services_.fileDialogAnswers.push_back("C:\\a.bmp");
    form_.controls().button("cmdBackground").UserClick();
    EXPECT_EQ(StoredText(kBackBitmap), "C:\\a.bmp");
}

TEST_F(TextEditing, CancelledBitmapDialogChangesNothingAndSaysNothing) {
    services_.fileDialogAnswers.push_back(std::nullopt);
    form_.controls().button("cmdBackground").UserClick();
    EXPECT_EQ(services_.fileDialogFilters.size(), 1u);
    EXPECT_EQ(Box(kBackBitmap).text(), "C:\\a.bmp");
    EXPECT_EQ(form_.strBackBitmap(), registry::Variant("C:\\a.bmp"));
    EXPECT_TRUE(registry_.Changes().empty());
    EXPECT_TRUE(services_.messages.empty());
}

}  // namespace
}  // namespace text_test

// BrowseForFolder against a scripted shell: what it asks of the folder browser, how it turns
// the path buffer into text, and that it frees what the shell hands out.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "shell/item_list.h"
#include "shell/mod_folder.h"
#include "shell/scripted_shell.h"

namespace {

using shell::BrowseForFolder;
using shell::ChosenFolder;
using shell::ScriptedItem;
using shell::ScriptedShell;

class FolderPicker : public ::testing::Test {
protected:
    // Every handed-out list freed exactly once, none freed that was not handed out.
    void ExpectEveryListFreedOnce() {
        EXPECT_EQ(shell_.liveItemLists(), 0u);
        for (const auto& [list, count] : shell_.frees) {
            EXPECT_EQ(count, 1) << "item list " << list;
        }
    }

    ScriptedShell shell_;
};

TEST_F(FolderPicker, AsksForFileSystemFoldersFromTheDesktopWithNoOwner) {
    shell_.answers.push_back(std::nullopt);
    BrowseForFolder(shell_, "Pick A Folder");

    ASSERT_EQ(shell_.browsed.size(), 1u);
    const auto& info = shell_.browsed[0];
    EXPECT_EQ(info.hwndOwner, 0u);
    EXPECT_EQ(info.pidlRoot, 0u);
    EXPECT_EQ(info.pszDisplayName, nullptr);
    EXPECT_EQ(info.lpszTitle, "Pick A Folder");
    EXPECT_EQ(info.ulFlags, 1u);
    EXPECT_EQ(info.lpfn, 0u);
    EXPECT_EQ(info.lParam, 0);
}

TEST_F(FolderPicker, TitleIsPassedInTheAnsiCodePage) {
    shell_.answers.push_back(std::nullopt);
    BrowseForFolder(shell_, "Choisir un r\xC3\xA9pertoire");
    ASSERT_EQ(shell_.browsed.size(), 1u);
    EXPECT_EQ(shell_.browsed[0].lpszTitle, "Choisir un r\xE9pertoire");
}

TEST_F(FolderPicker, CancelGivesEmptyTextWithoutAskingForAPath) {
    shell_.answers.push_back(std::nullopt);
    EXPECT_EQ(BrowseForFolder(shell_, "Pick A Folder"), "");
    EXPECT_TRUE(shell_.queries.empty());
    EXPECT_TRUE(shell_.frees.empty());
}

TEST_F(FolderPicker, PathIsAskedForIntoA512CharacterBufferOfSpaces) {
    shell_.answers.push_back(ChosenFolder("C:\\Windows"));
    BrowseForFolder(shell_, "Pick A Folder");
    ASSERT_EQ(shell_.queries.size(), 1u);
    EXPECT_EQ(shell_.queries[0].bufferSize, 512u);
    EXPECT_EQ(shell_.queries[0].bufferBefore, std::string(512, ' '));
}

TEST_F(FolderPicker, ChosenListIsQueriedThenFreedExactlyOnce) {
    shell_.answers.push_back(ChosenFolder("C:\\Windows"));
    shell_.answers.push_back(ChosenFolder("D:\\"));
    BrowseForFolder(shell_, "Pick A Folder");
    BrowseForFolder(shell_, "Pick A Folder");

    ASSERT_EQ(shell_.queries.size(), 2u);
    EXPECT_NE(shell_.queries[0].list, shell_.queries[1].list);
    EXPECT_EQ(shell_.frees.size(), 2u);
    EXPECT_EQ(shell_.frees.count(shell_.queries[0].list), 1u);
    EXPECT_EQ(shell_.frees.count(shell_.queries[1].list), 1u);
    ExpectEveryListFreedOnce();
}

struct BufferCase {
    const char* name;
    ScriptedItem item;
    std::string expected;
};

class FolderPickerBuffer : public FolderPicker, public ::testing::WithParamInterface<BufferCase> {};

TEST_P(FolderPickerBuffer, TextUpToTheFirstNulWithoutSurroundingSpaces) {
    shell_.answers.push_back(GetParam().item);
    EXPECT_EQ(BrowseForFolder(shell_, "Pick A Folder"), GetParam().expected);
    ExpectEveryListFreedOnce();
}

INSTANTIATE_TEST_SUITE_P(
    Results, FolderPickerBuffer,
    ::testing::Values(
        BufferCase{"Folder", ChosenFolder("C:\\Windows"), "C:\\Windows"},
        BufferCase{"DriveRootKeepsItsBackslash", ChosenFolder("C:\\"), "C:\\"},
        // The space lies inside the path, not at its start.
        BufferCase{"LeadingSpaceOfANameIsKept", ChosenFolder("C:\\ Leading"), "C:\\ Leading"},
        BufferCase{"TrailingSpaceOfANameGoes", ChosenFolder("C:\\Trailing "), "C:\\Trailing"},
        BufferCase{"SpacesAroundThePathGo", ChosenFolder("  C:\\Temp  "), "C:\\Temp"},
        BufferCase{"TextAfterTheNulIsIgnored",
                   ScriptedItem{std::string("C:\\A\0C:\\Longer", 14), true}, "C:\\A"},
        BufferCase{"NoNulTakesTheWholeBuffer", ScriptedItem{"C:\\NoNul", true}, "C:\\NoNul"},
        BufferCase{"FullBufferWithoutNul", ScriptedItem{std::string(512, 'x'), true},
                   std::string(512, 'x')},
        BufferCase{"FailedQueryWritingNothing", ScriptedItem{"", false}, ""},
        BufferCase{"FailedQueryWritingAnEmptyPath", ScriptedItem{std::string(1, '\0'), false}, ""},
        BufferCase{"AnsiPathComesBackAsUtf8", ChosenFolder("C:\\Caf\xE9"), "C:\\Caf\xC3\xA9"}),
    [](const auto& info) { return std::string(info.param.name); });

// The owner of an item list: freed once however it is moved around.
class ItemListOwner : public FolderPicker {
protected:
    shell::ItemList Chosen() {
        shell_.answers.push_back(ChosenFolder("C:\\"));
        shell::BrowseInfo info;
        return shell::ItemList::Browse(shell_, info);
    }
};

TEST_F(ItemListOwner, CancelGivesAnEmptyOwnerThatFreesNothing) {
    shell::BrowseInfo info;
    {
        auto none = shell::ItemList::Browse(shell_, info);
        EXPECT_FALSE(none.valid());
    }
    EXPECT_TRUE(shell_.frees.empty());
}

TEST_F(ItemListOwner, FreeIsSafeToCallTwice) {
    auto list = Chosen();
    ASSERT_TRUE(list.valid());
    list.Free();
    list.Free();
    EXPECT_FALSE(list.valid());
    ExpectEveryListFreedOnce();
}

TEST_F(ItemListOwner, MoveEmptiesTheSourceAndFreesOnce) {
    {
        auto first = Chosen();
        const auto raw = first.get();
        shell::ItemList second(std::move(first));
        EXPECT_FALSE(first.valid());
        EXPECT_EQ(second.get(), raw);
        EXPECT_TRUE(shell_.frees.empty());
    }
    ExpectEveryListFreedOnce();
    EXPECT_EQ(shell_.frees.size(), 1u);
}

TEST_F(ItemListOwner, MoveAssignmentFreesTheListItReplaces) {
    auto kept = Chosen();
    auto replaced = Chosen();
    const auto replacedRaw = replaced.get();
    replaced = std::move(kept);
    EXPECT_EQ(shell_.frees[replacedRaw], 1);
    EXPECT_EQ(shell_.liveItemLists(), 1u);
    replaced = std::move(replaced);
    EXPECT_TRUE(replaced.valid());
}

}  // namespace

// BrowseForFolder against a scripted shell: what it asks of the folder browser, how it turns
// the path buffer into text, and that it frees what the shell hands out.
#include <gtest/gtest.h>

#include <string>

#include "shell/item_list.h"
#include "shell/mod_folder.h"
#include "shell/scripted_shell.h"

namespace {

using shell::BrowseForFolder;
using shell::ChosenFolder;
using shell::ScriptedItem;

class FolderPicker : public ::testing::Test {
protected:
    // Every handed-out list freed exactly once, none freed that was not handed out.
    void ExpectEveryListFreedOnce() {
        EXPECT_EQ(shell_.liveItemLists(), 0u);
        for (const auto& [list, count] : shell_.frees) {
            EXPECT_EQ(count, 1) << "item list " << list;
        }
    }

    shell::ScriptedShell shell_;
};

TEST_F(FolderPicker, AsksForFileSystemFoldersFromTheDesktopWithNoOwner) {
    shell_.answers.push_back(std::nullopt);
    EXPECT_EQ(BrowseForFolder(shell_, "Choisir un r\xC3\xA9pertoire"), "");
    ASSERT_EQ(shell_.browsed.size(), 1u);
    const auto& info = shell_.browsed[0];
    EXPECT_EQ(info.hwndOwner, 0u);
    EXPECT_EQ(info.pidlRoot, 0u);
    EXPECT_EQ(info.pszDisplayName, nullptr);
    EXPECT_EQ(info.lpszTitle, "Choisir un r\xE9pertoire");  // in the ANSI code page
    EXPECT_EQ(info.ulFlags, 1u);
    EXPECT_EQ(info.lpfn, 0u);
    EXPECT_EQ(info.lParam, 0);
    // A cancel asks for no path.
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

TEST_F(FolderPicker, TextUpToTheFirstNulWithoutSurroundingSpaces) {
    const struct {
        const char* what;
        ScriptedItem item;
        std::string expected;
    } rows[] = {
        {"a drive root keeps its backslash", ChosenFolder("C:\\"), "C:\\"},
        {"the leading space of a name is kept", ChosenFolder("C:\\ Leading"), "C:\\ Leading"},
        {"the trailing space of a name goes", ChosenFolder("C:\\Trailing "), "C:\\Trailing"},
        {"spaces around the path go", ChosenFolder("  C:\\Temp  "), "C:\\Temp"},
        {"text after the NUL is ignored", {std::string("C:\\A\0C:\\Longer", 14), true}, "C:\\A"},
        {"no NUL", {"C:\\NoNul", true}, "C:\\NoNul"},
        {"a full buffer without a NUL", {std::string(512, 'x'), true}, std::string(512, 'x')},
        {"a failed query writing nothing", {"", false}, ""},
        {"a failed query writing an empty path", {std::string(1, '\0'), false}, ""},
        {"an ANSI path comes back as UTF-8", ChosenFolder("C:\\Caf\xE9"), "C:\\Caf\xC3\xA9"},
    };
    for (const auto& row : rows) {
        shell_.answers.push_back(row.item);
        EXPECT_EQ(BrowseForFolder(shell_, "Pick A Folder"), row.expected) << row.what;
    }
    EXPECT_EQ(shell_.frees.size(), std::size(rows));
    ExpectEveryListFreedOnce();
}

// The owner of an item list: freed once however it is moved around.
TEST_F(FolderPicker, AnItemListOwnerFreesItsListOnce) {
    shell::BrowseInfo info;
    EXPECT_FALSE(shell::ItemList::Browse(shell_, info).valid());  // cancelled: nothing to free
    shell_.answers.push_back(ChosenFolder("C:\\"));
    shell_.answers.push_back(ChosenFolder("D:\\"));
    auto first = shell::ItemList::Browse(shell_, info);
    auto replaced = shell::ItemList::Browse(shell_, info);
    const auto replacedRaw = replaced.get();
    {
        shell::ItemList moved(std::move(first));
        EXPECT_FALSE(first.valid());
        replaced = std::move(moved);
        EXPECT_EQ(shell_.frees[replacedRaw], 1);
        EXPECT_EQ(shell_.liveItemLists(), 1u);
    }
    replaced = std::move(replaced);
    EXPECT_TRUE(replaced.valid());
    replaced.Free();
    replaced.Free();
    EXPECT_FALSE(replaced.valid());
    ExpectEveryListFreedOnce();
    EXPECT_EQ(shell_.frees.size(), 2u);
}

}  // namespace

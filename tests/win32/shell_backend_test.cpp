// The shell32 backend on real item lists made from paths: what the path query writes, and
// BrowseForFolder's result handling over it. The modal browser itself is driven in
// folder_browser_test.cpp.
#include <gtest/gtest.h>
#include <windows.h>
// shlobj.h after windows.h
#include <shlobj.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "shell/mod_folder.h"
#include "shell/win32/ansi_code_page.h"
#include "shell/win32/win32_shell.h"

namespace {

using shell::RawItemList;
using shell::win32::Win32Shell;

// A real item list for `path`, freed on scope exit.
class PathItem {
public:
    explicit PathItem(const std::string& path) : list_(ILCreateFromPathA(path.c_str())) {}
    ~PathItem() { ILFree(list_); }
    PathItem(const PathItem&) = delete;
    PathItem& operator=(const PathItem&) = delete;
    RawItemList raw() const { return reinterpret_cast<RawItemList>(list_); }

private:
    PIDLIST_ABSOLUTE list_;
};

// A scratch folder under %TEMP%, removed with the folders the test made in it.
class ShellBackend : public ::testing::Test {
protected:
    ShellBackend() {
        std::string temp(MAX_PATH + 1, '\0');
        temp.resize(GetTempPathA(static_cast<DWORD>(temp.size()), temp.data()));
        scratch_ = temp + "korvane-shell-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(scratch_.c_str(), nullptr);
    }
    ~ShellBackend() override {
        for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
            RemoveDirectoryA(it->c_str());
        }
        RemoveDirectoryA(scratch_.c_str());
    }

    // Makes `name` in the scratch folder and returns its full path.
    std::string Make(const std::string& name) {
        const std::string full = scratch_ + "\\" + name;
        EXPECT_TRUE(CreateDirectoryA(full.c_str(), nullptr)) << full;
        made_.push_back(full);
        return full;
    }

    std::string scratch_;
    std::vector<std::string> made_;
};

// The call itself assumes MAX_PATH characters of room; a shorter buffer must not be overrun,
// and an item without a file-system path gives none.
TEST_F(ShellBackend, PathQueryNeverOverrunsAShortBuffer) {
    Win32Shell api;
    PathItem root("C:\\");
    std::string buffer(8, '\xbd');
    ASSERT_TRUE(api.PathFromItemList(root.raw(), buffer));
    EXPECT_EQ(buffer, std::string("C:\\\0\xbd\xbd\xbd\xbd", 8));

    PathItem longer(Make("longer than eight"));
    buffer.assign(8, '\xbd');
    EXPECT_FALSE(api.PathFromItemList(longer.raw(), buffer));
    EXPECT_EQ(buffer, std::string(8, '\xbd'));

    PIDLIST_ABSOLUTE computer = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
    std::string path(512, ' ');
    EXPECT_FALSE(api.PathFromItemList(reinterpret_cast<RawItemList>(computer), path));
    ILFree(computer);
}

// The port with the browser replaced by a chosen path: the rest is the real shell32.
class PathChoosingShell : public Win32Shell {
public:
    std::optional<RawItemList> BrowseFolder(shell::BrowseInfo&) override {
        if (!chosen) {
            return std::nullopt;
        }
        return reinterpret_cast<RawItemList>(ILCreateFromPathA(chosen->c_str()));
    }
    void FreeItemList(RawItemList list) override {
        ++frees[list];
        Win32Shell::FreeItemList(list);
    }

    std::optional<std::string> chosen;
    std::map<RawItemList, int> frees;
};

TEST_F(ShellBackend, BrowseForFolderReturnsTheRealPathExactly) {
    const std::string folders[] = {Make("chosen"), Make(" spaced"), Make("two  spaces"), "C:\\"};
    for (const auto& folder : folders) {
        PathChoosingShell api;
        api.chosen = folder;
        EXPECT_EQ(shell::BrowseForFolder(api, "Pick A Folder"), folder);
        ASSERT_EQ(api.frees.size(), 1u) << folder;
        EXPECT_EQ(api.frees.begin()->second, 1) << folder;
    }
    PathChoosingShell cancelled;
    EXPECT_EQ(shell::BrowseForFolder(cancelled, "Pick A Folder"), "");
    EXPECT_TRUE(cancelled.frees.empty());
}

TEST(ShellAnsiCodePage, ConvertsThroughTheWesternCodePage) {
    EXPECT_EQ(shell::win32::Utf8ToAnsi(""), "");
    EXPECT_EQ(shell::win32::AnsiToUtf8("C:\\Pick A Folder"), "C:\\Pick A Folder");
    if (GetACP() != 1252) {
        GTEST_SKIP() << "code page " << GetACP();
    }
    EXPECT_EQ(shell::win32::Utf8ToAnsi("Caf\xC3\xA9 \xE2\x82\xAC"), "Caf\xE9 \x80");
    EXPECT_EQ(shell::win32::AnsiToUtf8("Caf\xE9 \x80"), "Caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(shell::win32::Utf8ToAnsi("\xE4\xB8\xAD"), "?");  // not in the code page
}

}  // namespace

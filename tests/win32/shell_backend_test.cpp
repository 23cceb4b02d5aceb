// The shell32 backend on real item lists made from paths: what the path query writes, and
// BrowseForFolder's result handling over it. The modal browser itself is driven in
// folder_browser_test.cpp.
#include <gtest/gtest.h>
#include <windows.h>
// shlobj.h after windows.h
#include <shlobj.h>

#include <algorithm>
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

// A scratch folder under %TEMP%, removed with what the test made in it.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string temp(MAX_PATH + 1, '\0');
        temp.resize(GetTempPathA(static_cast<DWORD>(temp.size()), temp.data()));
        path_ = temp + "korvane-shell-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~ScratchFolder() {
        for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
            RemoveDirectoryA(it->c_str());
        }
        RemoveDirectoryA(path_.c_str());
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Makes `name` inside and returns its full path.
    std::string Make(const std::string& name) {
        const std::string full = path_ + "\\" + name;
        EXPECT_TRUE(CreateDirectoryA(full.c_str(), nullptr)) << full;
        made_.push_back(full);
        return full;
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::vector<std::string> made_;
};

// A real item list for `path`, freed on scope exit.
class PathItem {
public:
    explicit PathItem(const std::string& path) : list_(ILCreateFromPathA(path.c_str())) {}
    ~PathItem() { ILFree(list_); }
    PathItem(const PathItem&) = delete;
    PathItem& operator=(const PathItem&) = delete;
    RawItemList raw() const { return reinterpret_cast<RawItemList>(list_); }
    bool valid() const { return list_ != nullptr; }

private:
    PIDLIST_ABSOLUTE list_;
};

// The text up to the first NUL of a query into `size` bytes of 0xbd, or nothing on failure;
// `untouched` gets how many bytes after the NUL kept their poison.
std::optional<std::string> Query(RawItemList list, std::size_t size, std::size_t* untouched) {
    Win32Shell api;
    std::string buffer(size, '\xbd');
    if (!api.PathFromItemList(list, buffer)) {
        return std::nullopt;
    }
    const auto nul = buffer.find('\0');
    EXPECT_NE(nul, std::string::npos) << "no NUL written";
    if (untouched != nullptr && nul != std::string::npos) {
        *untouched = static_cast<std::size_t>(std::count(
            buffer.begin() + static_cast<std::ptrdiff_t>(nul) + 1, buffer.end(), '\xbd'));
    }
    return buffer.substr(0, nul);
}

class ShellPathQuery : public ::testing::Test {
protected:
    ScratchFolder scratch_;
};

TEST_F(ShellPathQuery, ItemWithoutAFileSystemPathFails) {
    PIDLIST_ABSOLUTE computer = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
    EXPECT_EQ(Query(reinterpret_cast<RawItemList>(computer), 512, nullptr), std::nullopt);
    ILFree(computer);
}

// The call itself assumes MAX_PATH characters of room; a shorter buffer must not be overrun.
TEST_F(ShellPathQuery, ShortBufferIsNeverOverrun) {
    PathItem root("C:\\");
    ASSERT_TRUE(root.valid());
    std::size_t untouched = 0;
    EXPECT_EQ(Query(root.raw(), 8, &untouched), "C:\\");
    EXPECT_EQ(untouched, 4u);

    const auto folder = scratch_.Make("longer than eight");
    PathItem item(folder);
    ASSERT_TRUE(item.valid());
    Win32Shell api;
    std::string small(8, '\xbd');
    EXPECT_FALSE(api.PathFromItemList(item.raw(), small));
    EXPECT_EQ(small, std::string(8, '\xbd'));
}

// The port with the browser replaced by a chosen path: the rest is the real shell32.
class PathChoosingShell : public Win32Shell {
public:
    std::optional<RawItemList> BrowseFolder(shell::BrowseInfo& info) override {
        title = info.lpszTitle;
        if (!chosen) {
            return std::nullopt;
        }
        return reinterpret_cast<RawItemList>(ILCreateFromPathA(chosen->c_str()));
    }
    bool PathFromItemList(RawItemList list, std::span<char> buffer) override {
        ++queries;
        return Win32Shell::PathFromItemList(list, buffer);
    }
    void FreeItemList(RawItemList list) override {
        ++frees[list];
        Win32Shell::FreeItemList(list);
    }

    std::optional<std::string> chosen;
    std::string title;
    int queries = 0;
    std::map<RawItemList, int> frees;
};

struct ChoiceCase {
    const char* name;
    std::string folder;                   // made under the scratch folder; "" for none
    std::optional<std::string> absolute;  // a path outside it instead
    bool expectEmpty;
};

class BrowseResultOverShell32 : public ShellPathQuery,
                                public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(BrowseResultOverShell32, ReturnsThePathExactly) {
    PathChoosingShell api;
    std::string expected;
    if (GetParam().absolute) {
        expected = *GetParam().absolute;
    } else if (!GetParam().folder.empty()) {
        expected = scratch_.Make(GetParam().folder);
    }
    if (!expected.empty()) {
        api.chosen = expected;
    }
    const std::string result = shell::BrowseForFolder(api, "Pick A Folder");
    EXPECT_EQ(api.title, "Pick A Folder");
    if (GetParam().expectEmpty) {
        EXPECT_EQ(result, "");
        EXPECT_EQ(api.queries, 0);
        EXPECT_TRUE(api.frees.empty());
        return;
    }
    EXPECT_EQ(result, expected);
    EXPECT_EQ(result.find('\0'), std::string::npos);
    EXPECT_EQ(api.queries, 1);
    ASSERT_EQ(api.frees.size(), 1u);
    EXPECT_EQ(api.frees.begin()->second, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, BrowseResultOverShell32,
    ::testing::Values(ChoiceCase{"Folder", "chosen", std::nullopt, false},
                      ChoiceCase{"LeadingSpace", " spaced", std::nullopt, false},
                      ChoiceCase{"InnerSpaces", "two  spaces", std::nullopt, false},
                      ChoiceCase{"DriveRoot", "", std::string("C:\\"), false},
                      ChoiceCase{"Cancelled", "", std::nullopt, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ShellAnsiCodePage, AsciiAndEmptyPassUnchanged) {
    EXPECT_EQ(shell::win32::Utf8ToAnsi(""), "");
    EXPECT_EQ(shell::win32::AnsiToUtf8(""), "");
    EXPECT_EQ(shell::win32::Utf8ToAnsi("C:\\Pick A Folder"), "C:\\Pick A Folder");
    EXPECT_EQ(shell::win32::AnsiToUtf8("C:\\Pick A Folder"), "C:\\Pick A Folder");
}

TEST(ShellAnsiCodePage, WesternCodePageHoldsAccentedLetters) {
    if (GetACP() != 1252) {
        GTEST_SKIP() << "code page " << GetACP();
    }
    EXPECT_EQ(shell::win32::Utf8ToAnsi("Caf\xC3\xA9 \xE2\x82\xAC"), "Caf\xE9 \x80");
    EXPECT_EQ(shell::win32::AnsiToUtf8("Caf\xE9 \x80"), "Caf\xC3\xA9 \xE2\x82\xAC");
    // Not in the code page: its default character.
    EXPECT_EQ(shell::win32::Utf8ToAnsi("\xE4\xB8\xAD"), "?");
}

}  // namespace

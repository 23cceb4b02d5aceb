// The real modal folder browser, driven from a second thread as a user would: it must come up
// titled and without an owner, return the selected folder's path on OK and "" on cancel.
#include <gtest/gtest.h>
#include <windows.h>
// shlobj.h after windows.h
#include <shlobj.h>

#include <string>

#include "shell/mod_folder.h"
#include "shell/win32/win32_shell.h"
#include "tests/win32/toolkit_test_host.h"

namespace {

class CountingShell : public shell::win32::Win32Shell {
public:
    void FreeItemList(shell::RawItemList list) override {
        ++frees;
        Win32Shell::FreeItemList(list);
    }
    int frees = 0;
};

TEST(FolderBrowser, ComesUpTitledWithoutAnOwnerAndCancelGivesEmptyText) {
    CountingShell shell;
    bool owned = true;
    bool titled = false;
    toolkit_test::DialogAnswer user(GetCurrentThreadId(), IDCANCEL, [&](HWND dialog) {
        owned = GetWindow(dialog, GW_OWNER) != nullptr;
        EnumChildWindows(
            dialog,
            [](HWND child, LPARAM found) -> BOOL {
                char text[128] = {};
                GetWindowTextA(child, text, sizeof text);
                *reinterpret_cast<bool*>(found) |= std::string(text) == "Pick A Folder";
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&titled));
    });
    const std::string result = shell::BrowseForFolder(shell, "Pick A Folder");
    ASSERT_TRUE(user.Join()) << "the folder browser never came up";
    EXPECT_FALSE(owned);
    EXPECT_TRUE(titled);
    EXPECT_EQ(result, "");
    EXPECT_EQ(shell.frees, 0);
}

TEST(FolderBrowser, OkReturnsTheSelectedFolderAndFreesItsItemList) {
    CountingShell shell;
    std::string windows(MAX_PATH, '\0');
    windows.resize(GetWindowsDirectoryA(windows.data(), MAX_PATH));
    toolkit_test::DialogAnswer user(GetCurrentThreadId(), IDOK, [&](HWND dialog) {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(dialog, BFFM_SETSELECTIONA, TRUE,
                            reinterpret_cast<LPARAM>(windows.c_str()), SMTO_NORMAL, 10000, &result);
    });
    const std::string result = shell::BrowseForFolder(shell, "Pick A Folder");
    ASSERT_TRUE(user.Join()) << "the folder browser never came up";
    EXPECT_EQ(
        CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, result.c_str(), -1, windows.c_str(), -1),
        CSTR_EQUAL)
        << result << " vs " << windows;
    EXPECT_EQ(shell.frees, 1);
}

}  // namespace

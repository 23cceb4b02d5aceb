// The real modal folder browser, driven from a second thread as a user would: it must come up
// titled and without an owner, return the selected folder's path on OK and "" on cancel.
#include <gtest/gtest.h>
#include <windows.h>
// shlobj.h after windows.h
#include <shlobj.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "shell/mod_folder.h"
#include "shell/win32/win32_shell.h"

namespace {

using namespace std::chrono_literals;

BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) == "#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindTitle(HWND child, LPARAM param) {
    char text[128] = {};
    GetWindowTextA(child, text, sizeof text);
    *reinterpret_cast<bool*>(param) |= std::string(text) == "Pick A Folder";
    return TRUE;
}

// What the user does once the browser is up.
enum class Answer { Cancel, SelectAndOk };

// Plays the user from a second thread: waits for the browser of `thread`, records what it
// shows, then answers. Gives up (and closes whatever is open) rather than hang the run.
class BrowserUser {
public:
    BrowserUser(DWORD thread, Answer answer, std::string select)
        : thread_(thread),
          answer_(answer),
          select_(std::move(select)),
          worker_([this] { Run(); }) {}
    ~BrowserUser() { Join(); }
    BrowserUser(const BrowserUser&) = delete;
    BrowserUser& operator=(const BrowserUser&) = delete;

    // Waits until the user is done: the browser has closed or never came up.
    void Join() {
        if (worker_.joinable()) {
            worker_.join();
        }
    }

    std::atomic<bool> found{false};
    std::atomic<bool> owned{true};
    std::atomic<bool> titled{false};

private:
    void Run() {
        HWND dialog = nullptr;
        for (int tries = 0; tries < 600 && dialog == nullptr; ++tries) {
            std::this_thread::sleep_for(50ms);
            EnumThreadWindows(thread_, FindDialog, reinterpret_cast<LPARAM>(&dialog));
        }
        if (dialog == nullptr) {
            return;
        }
        found = true;
        owned = GetWindow(dialog, GW_OWNER) != nullptr;
        bool title = false;
        EnumChildWindows(dialog, FindTitle, reinterpret_cast<LPARAM>(&title));
        titled = title;
        int button = IDCANCEL;
        if (answer_ == Answer::SelectAndOk) {
            DWORD_PTR result = 0;
            SendMessageTimeoutA(dialog, BFFM_SETSELECTIONA, TRUE,
                                reinterpret_cast<LPARAM>(select_.c_str()), SMTO_NORMAL, 10000,
                                &result);
            button = IDOK;
        }
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        for (int tries = 0; tries < 200 && IsWindow(dialog); ++tries) {
            std::this_thread::sleep_for(50ms);
        }
        if (IsWindow(dialog)) {
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
    }

    DWORD thread_;
    Answer answer_;
    std::string select_;
    std::thread worker_;
};

class CountingShell : public shell::win32::Win32Shell {
public:
    void FreeItemList(shell::RawItemList list) override {
        ++frees;
        Win32Shell::FreeItemList(list);
    }
    int frees = 0;
};

class FolderBrowser : public ::testing::Test {
protected:
    CountingShell shell_;
};

TEST_F(FolderBrowser, ComesUpTitledWithoutAnOwnerAndCancelGivesEmptyText) {
    BrowserUser user(GetCurrentThreadId(), Answer::Cancel, "");
    const std::string result = shell::BrowseForFolder(shell_, "Pick A Folder");
    user.Join();
    ASSERT_TRUE(user.found) << "the folder browser never came up";
    EXPECT_FALSE(user.owned);
    EXPECT_TRUE(user.titled);
    EXPECT_EQ(result, "");
    EXPECT_EQ(shell_.frees, 0);
}

TEST_F(FolderBrowser, OkReturnsTheSelectedFolderAndFreesItsItemList) {
    std::string windows(MAX_PATH, '\0');
    windows.resize(GetWindowsDirectoryA(windows.data(), MAX_PATH));
    BrowserUser user(GetCurrentThreadId(), Answer::SelectAndOk, windows);
    const std::string result = shell::BrowseForFolder(shell_, "Pick A Folder");
    user.Join();
    ASSERT_TRUE(user.found) << "the folder browser never came up";
    EXPECT_EQ(
        CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, result.c_str(), -1, windows.c_str(), -1),
        CSTR_EQUAL)
        << result << " vs " << windows;
    EXPECT_EQ(shell_.frees, 1);
}

}  // namespace

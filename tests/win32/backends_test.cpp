// The registry and the folder browser for real, under Wine.
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <thread>

#include "registry/win32/advapi_registry.h"
#include "shell/mod_folder.h"
#include "tests/registry_contract.h"
#include "toolkit/win32/native_control.h"

namespace {

INSTANTIATE_TEST_SUITE_P(Advapi, RegistryContract,
                         ::testing::Values(RegistryBackend{
                             "AdvapiRegistry", [] {
                                 // Each case starts on an empty scratch key of this test prefix.
                                 RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KorvaneTest");
                                 return std::make_unique<registry::AdvapiRegistry>();
                             }}));

// Picks `name` among the desktop's folders in the folder browser, from another thread, as a
// user would, and presses OK.
void PickOnTheDesktop(std::wstring name) {
    HWND dialog = nullptr, tree = nullptr;
    for (int tries = 0; tries < 500 && !tree; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        dialog = FindWindowW(L"#32770", nullptr);
        tree = dialog ? FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr) : nullptr;
    }
    auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    for (item = reinterpret_cast<HTREEITEM>(
             SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
         item != nullptr; item = reinterpret_cast<HTREEITEM>(SendMessageW(
                              tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
        wchar_t text[MAX_PATH] = {};
        TVITEMW query{TVIF_TEXT, item};
        query.pszText = text;
        query.cchTextMax = MAX_PATH;
        SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
        if (name == text) {
            SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
            break;
        }
    }
    PostMessageW(dialog, WM_COMMAND, name.empty() ? IDCANCEL : IDOK, 0);
}

TEST(FolderBrowser, ReturnsTheChosenFoldersPathWhateverItsScriptOrEmptyOnCancel) {
    wchar_t desktop[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop), S_OK);
    const std::wstring name = L" Dossier \u00E9 \u6771";  // a leading space stays: it is inside
    const std::wstring folder = std::wstring(desktop) + L"\\" + name;
    CreateDirectoryW(folder.c_str(), nullptr);

    std::thread user(PickOnTheDesktop, name);
    const std::string picked = shell::BrowseForFolder("Pick A Folder");
    user.join();
    EXPECT_EQ(picked, toolkit::win32::Narrow(folder));

    std::thread cancel(PickOnTheDesktop, L"");
    EXPECT_EQ(shell::BrowseForFolder("Pick A Folder"), "");
    cancel.join();
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

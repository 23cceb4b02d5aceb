// The registry and the folder browser for real, under Wine.
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <thread>

#include "app/win32/win32_platform.h"
#include "registry/win32/advapi_registry.h"
#include "shell/mod_folder.h"
#include "tests/registry_contract.h"
#include "toolkit/win32/native_control.h"

namespace {

INSTANTIATE_TEST_SUITE_P(Advapi, RegistryContract,
                         ::testing::Values(RegistryBackend{
                             "AdvapiRegistry",
                             [] {
                                 RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KorvaneTest");
                                 return std::make_unique<registry::AdvapiRegistry>();
                             },
                             {},
                             [](std::u16string_view text, bool int16) {
                                 return app::win32::Win32Platform().NumberFromText(text, int16);
                             }}));

// The keys a write creates outlive the session: a volatile one would refuse a lasting sub key.
TEST(AdvapiRegistry, WritesCreateLastingKeys) {
    registry::AdvapiRegistry api;
    support::ScriptedPlatform platform;
    registry::modRegistry(api, platform)
        .RegistrySetKeyValue(registry::kCurrentUser, u"Software\\KorvaneTest\\A", u"N", u"1", 4);
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\KorvaneTest\\A\\B", 0, nullptr,
                              REG_OPTION_NON_VOLATILE, KEY_READ, nullptr, &key, nullptr),
              0);
    RegCloseKey(key);
}

// As a user, from another thread: picks `name` on the desktop and presses OK (Cancel for "").
void PickOnTheDesktop(std::wstring name) {
    HWND dialog = nullptr, tree = nullptr;
    for (int tries = 0; tries < 500 && !tree; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        dialog = FindWindowW(L"#32770", nullptr);
        tree = FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
    }
    const auto next = [&](WPARAM how, HTREEITEM from) {
        return reinterpret_cast<HTREEITEM>(
            SendMessageW(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(from)));
    };
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(next(TVGN_ROOT, nullptr)));
    for (HTREEITEM item = next(TVGN_CHILD, next(TVGN_ROOT, nullptr)); item;
         item = next(TVGN_NEXT, item)) {
        wchar_t text[MAX_PATH] = {};
        TVITEMW query{TVIF_TEXT, item, 0, 0, text, MAX_PATH};
        SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
        if (name == text) {
            SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
        }
    }
    PostMessageW(dialog, WM_COMMAND, name.empty() ? IDCANCEL : IDOK, 0);
}

TEST(FolderBrowser, ReturnsTheChosenFoldersPathWhateverItsScriptOrEmptyOnCancel) {
    wchar_t desktop[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop);
    const std::wstring name = L" Dossier \u00E9 \u6771";  // a leading space stays: it is inside
    const std::wstring folder = std::wstring(desktop) + L"\\" + name;
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const std::wstring& pick : {name, std::wstring()}) {
        std::thread user(PickOnTheDesktop, pick);
        EXPECT_EQ(shell::BrowseForFolder(u"Pick A Folder"),
                  pick.empty() ? u"" : toolkit::win32::FromWide(folder.c_str()));
        user.join();
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

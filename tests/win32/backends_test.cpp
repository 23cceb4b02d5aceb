// The registry and the folder browser for real, under Wine.
#include <windows.h>

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

// A user picks `folder` (or cancels, for "") in the browser, from another thread.
TEST(FolderBrowser, ReturnsTheChosenFoldersPathWhateverItsScriptOrEmptyOnCancel) {
    wchar_t desktop[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop);
    const std::wstring folder = desktop + std::wstring(L"\\ Dossier \u00E9 \u6771");
    CreateDirectoryW(folder.c_str(), nullptr);  // a leading space in a name is part of it
    for (const std::wstring& pick : {folder, std::wstring()}) {
        std::thread user([&] {
            HWND dialog = nullptr;
            while (!(dialog = FindWindowW(L"#32770", nullptr))) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
            SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(pick.c_str()));
            PostMessageW(dialog, WM_COMMAND, pick.empty() ? IDCANCEL : IDOK, 0);
        });
        EXPECT_EQ(shell::BrowseForFolder(u"Pick A Folder"), toolkit::win32::FromWide(pick.c_str()));
        user.join();
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

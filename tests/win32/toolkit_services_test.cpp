// The platform services on Win32, against the real system: the message box as the user sees
// it (answered from a helper thread, as a user would), the program's directory, starting a
// program by its full path, and the file-open dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "tests/win32/toolkit_test_host.h"
#include "toolkit/win32/module_path.h"
#include "toolkit/win32/text_encoding.h"
#include "toolkit/win32/win32_services.h"

namespace {

using toolkit::win32::Narrow;
using toolkit::win32::Widen;
using toolkit::win32::Win32Services;
using toolkit_test::DialogAnswer;
using toolkit_test::WindowText;

// The Win32 services with a hidden window of this test as their owner.
class OwnedServices : public testing::Test {
protected:
    OwnedServices() { services_.SetOwner(owner_.hwnd()); }
    toolkit_test::TestHost owner_;
    Win32Services services_;
};

TEST_F(OwnedServices, AMessageBoxShowsThePromptModallyWithOkOnlyAndNoIcon) {
    const struct {
        const char* prompt;
        std::optional<std::string> title;
        const wchar_t* shownTitle;
        const wchar_t* shownPrompt;
    } rows[] = {
        {"You need to restart.", std::nullopt, L"Korvane", L"You need to restart."},
        {"Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC\r\nline two", "\xC3\x9C", L"\u00DC",
         L"Gr\u00FC\u00DF \u20AC\r\nline two"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.prompt);
        std::wstring title;
        std::vector<std::wstring> texts;
        bool hasOk = false;
        bool hasCancel = false;
        bool showsIcon = false;
        HWND owner = nullptr;
        DialogAnswer answer(GetCurrentThreadId(), IDOK, [&](HWND dialog) {
            title = WindowText(dialog);
            owner = GetWindow(dialog, GW_OWNER);
            hasOk = GetDlgItem(dialog, IDOK) != nullptr;
            hasCancel = GetDlgItem(dialog, IDCANCEL) != nullptr;
            for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
                 child = GetWindow(child, GW_HWNDNEXT)) {
                wchar_t name[16] = {};
                GetClassNameW(child, name, 16);
                if (std::wstring(name) != L"Static") {
                    continue;
                }
                if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
                    showsIcon |= IsWindowVisible(child) && SendMessageW(child, STM_GETICON, 0, 0);
                } else if (GetWindowTextLengthW(child) > 0) {
                    texts.push_back(WindowText(child));
                }
            }
        });
        const int result = services_.ShowMessage(row.prompt, toolkit::kOkOnly, row.title);
        ASSERT_TRUE(answer.Join()) << "no message box appeared";
        EXPECT_EQ(result, toolkit::kResultOk);
        EXPECT_EQ(title, row.shownTitle);
        EXPECT_EQ(texts, std::vector<std::wstring>{row.shownPrompt});
        EXPECT_TRUE(hasOk);
        EXPECT_FALSE(hasCancel);
        EXPECT_FALSE(showsIcon);
        EXPECT_EQ(owner, owner_.hwnd());
    }
}

TEST(ModulePath, TheDirectoryHasATrailingBackslashOnlyAtADriveRoot) {
    const struct {
        const wchar_t* path;
        const wchar_t* directory;
    } rows[] = {
        {L"C:\\Program Files\\Korvane\\korvane.exe", L"C:\\Program Files\\Korvane"},
        {L"C:\\korvane.exe", L"C:\\"},
        {L"\\\\server\\share\\korvane.exe", L"\\\\server\\share"},
        {L"korvane.exe", L""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(toolkit::win32::DirectoryOf(row.path), row.directory);
    }
}

TEST(Directories, AreTheProgramsFolderAndTheSystemsWithItsNotepad) {
    Win32Services services;
    const std::string directory = services.ApplicationDirectory();
    std::wstring self(4096, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    EXPECT_EQ(Narrow(self), directory + "\\korvane_win32_tests.exe");
    const std::wstring notepad = Widen(services.SystemDirectory() + "\\notepad.exe");
    EXPECT_NE(GetFileAttributesW(notepad.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(StartProgram, RunsTheNamedProgramWithTheCommandLineAsGivenAndIgnoresAMissingOne) {
    Win32Services services;
    std::wstring folder(MAX_PATH + 1, L'\0');
    folder.resize(GetTempPathW(static_cast<DWORD>(folder.size()), folder.data()));
    folder += L"korvane-start-" + std::to_wstring(GetCurrentProcessId());
    // The first word names no program at all: only the full path given as the program to run
    // can have started cmd.exe, which then reads the rest of the line.
    services.StartProgram(services.SystemDirectory() + "\\cmd.exe",
                          "no-such-program.exe /c mkdir \"" + Narrow(folder) + "\"",
                          toolkit::kNormalFocus);
    bool made = false;
    for (int tries = 0; tries < 600 && !made; ++tries) {
        Sleep(50);
        made = GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    RemoveDirectoryW(folder.c_str());
    EXPECT_TRUE(made) << "the started program did not run its command line";
    EXPECT_NO_THROW(services.StartProgram("C:\\no\\such\\folder\\notepad.exe",
                                          "notepad.exe C:\\no\\readme.txt", toolkit::kNormalFocus));
}

TEST(FileDialogFilters, EndEachPartWithANulAndTheWholeWithAnother) {
    using namespace std::string_literals;
    EXPECT_EQ(toolkit::win32::FilterText({}), L"");
    EXPECT_EQ(toolkit::win32::FilterText({{"Bitmap (*.bmp)", "*.bmp"}, {"All (*.*)", "*.*"}}),
              L"Bitmap (*.bmp)\0*.bmp\0All (*.*)\0*.*\0\0"s);
    EXPECT_EQ(toolkit::win32::FilterText({{"Bild \xC3\xBC", "*.bmp;*.dib"}}),
              L"Bild \u00FC\0*.bmp;*.dib\0\0"s);
}

// A cancelled dialog is seen in the real window's tests.
TEST_F(OwnedServices, TheOpenDialogGivesTheChosenFilesFullPath) {
    std::wstring file(MAX_PATH + 1, L'\0');
    file.resize(GetTempPathW(static_cast<DWORD>(file.size()), file.data()));
    file += L"korvane-pick-" + std::to_wstring(GetCurrentProcessId()) + L".bmp";
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    std::vector<std::wstring> types;
    DialogAnswer answer(GetCurrentThreadId(), IDOK, [&](HWND dialog) {
        for (const int id : {0x47C, 0x480}) {  // the file name box: cmb13 or edt1
            if (HWND box = GetDlgItem(dialog, id)) {
                SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
                break;
            }
        }
        HWND typeList = GetDlgItem(dialog, 0x470);  // cmb1
        for (LRESULT i = 0; i < SendMessageW(typeList, CB_GETCOUNT, 0, 0); ++i) {
            std::wstring item(SendMessageW(typeList, CB_GETLBTEXTLEN, i, 0) + 1, L'\0');
            SendMessageW(typeList, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
            types.emplace_back(item.c_str());
        }
    });
    const auto chosen =
        services_.OpenFileDialog({{"Bitmap (*.bmp)", "*.bmp"}, {"All (*.*)", "*.*"}});
    DeleteFileW(file.c_str());
    ASSERT_TRUE(answer.Join()) << "no file dialog appeared";
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(_wcsicmp(Widen(*chosen).c_str(), file.c_str()), 0) << *chosen;
    EXPECT_EQ(types, (std::vector<std::wstring>{L"Bitmap (*.bmp)", L"All (*.*)"}));
}

}  // namespace

// The platform services on Win32, against the real system: the message box as the user sees
// it (answered from a helper thread, as a user would), the program's directory, starting a
// program by its full path, and the file-open dialog.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cwchar>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "tests/win32/toolkit_test_host.h"
#include "toolkit/win32/module_path.h"
#include "toolkit/win32/text_encoding.h"
#include "toolkit/win32/win32_services.h"

namespace {

using toolkit::win32::Narrow;
using toolkit::win32::Widen;
using toolkit::win32::Win32Services;
using toolkit_test::WindowText;

// Waits for a dialog of this process to appear, never longer than `limit`.
HWND WaitForDialog(std::chrono::milliseconds limit) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < until) {
        struct Search {
            HWND found = nullptr;
        } search;
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                wchar_t name[16] = {};
                GetClassNameW(window, name, 16);
                if (process == GetCurrentProcessId() && std::wstring(name) == L"#32770" &&
                    IsWindowVisible(window)) {
                    reinterpret_cast<Search*>(data)->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            return search.found;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return nullptr;
}

// What the helper saw of a message box before it pressed a button.
struct SeenBox {
    bool found = false;
    std::wstring title;
    std::vector<std::wstring> texts;  // every static text
    bool hasOk = false;
    bool hasCancel = false;
    bool showsIcon = false;
    HWND owner = nullptr;
};

// Answers the next dialog with `button`, after `look` has seen it.
class DialogAnswer {
public:
    DialogAnswer(WPARAM button, std::function<void(HWND)> look)
        : thread_([this, button, look = std::move(look)] {
              HWND dialog = WaitForDialog(std::chrono::seconds(30));
              if (dialog == nullptr) {
                  return;
              }
              found_ = true;
              look(dialog);
              PostMessageW(dialog, WM_COMMAND, button, 0);
          }) {}
    ~DialogAnswer() { Join(); }

    // Waits for the helper; true when it found a dialog.
    bool Join() {
        if (thread_.joinable()) {
            thread_.join();
        }
        return found_;
    }

private:
    std::atomic<bool> found_{false};
    std::thread thread_;
};

SeenBox Look(HWND dialog) {
    SeenBox seen;
    seen.found = true;
    seen.title = WindowText(dialog);
    seen.owner = GetWindow(dialog, GW_OWNER);
    seen.hasOk = GetDlgItem(dialog, IDOK) != nullptr;
    seen.hasCancel = GetDlgItem(dialog, IDCANCEL) != nullptr;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        if (std::wstring(name) != L"Static") {
            continue;
        }
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if ((style & SS_TYPEMASK) == SS_ICON) {
            seen.showsIcon = seen.showsIcon ||
                             (IsWindowVisible(child) && SendMessageW(child, STM_GETICON, 0, 0));
        } else if (GetWindowTextLengthW(child) > 0) {
            seen.texts.push_back(WindowText(child));
        }
    }
    return seen;
}

struct MessageRow {
    const char* name;
    const char* prompt;
    std::optional<std::string> title;
    const wchar_t* shownTitle;
    const wchar_t* shownPrompt;
};

void PrintTo(const MessageRow& row, std::ostream* out) {
    *out << row.name;
}

const MessageRow kMessageRows[] = {
    {"WithoutATitleCarriesTheApplicationsTitle", "You need to restart.", std::nullopt, L"Korvane",
     L"You need to restart."},
    {"WithItsOwnTitle", "Error: 13. Type mismatch", std::string("Form_Load"), L"Form_Load",
     L"Error: 13. Type mismatch"},
    {"TextOutsideAscii",
     "Gr\xC3\xBC\xC3\x9F"
     "e \xE2\x82\xAC",
     std::string("\xC3\x9C"), L"\u00DC", L"Gr\u00FC\u00DFe \u20AC"},
    {"TwoLines", "line one\r\nline two", std::nullopt, L"Korvane", L"line one\r\nline two"},
};

class MessageBoxes : public testing::TestWithParam<MessageRow> {};

TEST_P(MessageBoxes, ShowThePromptWithOkOnlyAndNoIcon) {
    const auto& row = GetParam();
    toolkit_test::TestHost owner;
    Win32Services services;
    services.SetOwner(owner.hwnd());
    SeenBox seen;
    DialogAnswer answer(IDOK, [&seen](HWND dialog) { seen = Look(dialog); });

    const int result = services.ShowMessage(row.prompt, toolkit::kOkOnly, row.title);

    ASSERT_TRUE(answer.Join()) << "no message box appeared";
    EXPECT_EQ(result, toolkit::kResultOk);
    EXPECT_EQ(seen.title, row.shownTitle);
    EXPECT_EQ(seen.texts, std::vector<std::wstring>{row.shownPrompt});
    EXPECT_TRUE(seen.hasOk);
    EXPECT_FALSE(seen.hasCancel);
    EXPECT_FALSE(seen.showsIcon);
    EXPECT_EQ(seen.owner, owner.hwnd()) << "modal to the program's window";
}

INSTANTIATE_TEST_SUITE_P(Rows, MessageBoxes, testing::ValuesIn(kMessageRows),
                         [](const auto& info) { return std::string(info.param.name); });

struct DirectoryRow {
    const wchar_t* path;
    const wchar_t* directory;
};

void PrintTo(const DirectoryRow& row, std::ostream* out) {
    *out << Narrow(row.path);
}

class DirectoryOfAPath : public testing::TestWithParam<DirectoryRow> {};

TEST_P(DirectoryOfAPath, HasATrailingBackslashOnlyAtADriveRoot) {
    EXPECT_EQ(toolkit::win32::DirectoryOf(GetParam().path), GetParam().directory);
}

INSTANTIATE_TEST_SUITE_P(Rows, DirectoryOfAPath,
                         testing::Values(DirectoryRow{L"C:\\Program Files\\Korvane\\korvane.exe",
                                                      L"C:\\Program Files\\Korvane"},
                                         DirectoryRow{L"C:\\korvane.exe", L"C:\\"},
                                         DirectoryRow{L"D:\\Tools\\korvane.exe", L"D:\\Tools"},
                                         DirectoryRow{L"\\\\server\\share\\korvane.exe",
                                                      L"\\\\server\\share"},
                                         DirectoryRow{L"korvane.exe", L""}));

TEST(ApplicationDirectory, IsTheFolderOfTheRunningProgram) {
    Win32Services services;
    const std::string directory = services.ApplicationDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_NE(directory.back(), '\\');
    const std::wstring wide = Widen(directory);
    EXPECT_NE(GetFileAttributesW(wide.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_NE(GetFileAttributesW(wide.c_str()), INVALID_FILE_ATTRIBUTES);

    std::wstring self(4096, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    EXPECT_EQ(Narrow(self), directory + "\\korvane_win32_tests.exe");
}

TEST(SystemDirectory, HoldsTheSystemsOwnPrograms) {
    Win32Services services;
    const std::string directory = services.SystemDirectory();
    ASSERT_FALSE(directory.empty());
    const std::wstring notepad = Widen(directory + "\\notepad.exe");
    EXPECT_NE(GetFileAttributesW(notepad.c_str()), INVALID_FILE_ATTRIBUTES);
}

// A fresh folder name under the temporary folder, removed again at the end.
class ScratchFolder {
public:
    ScratchFolder() {
        std::wstring temp(MAX_PATH + 1, L'\0');
        temp.resize(GetTempPathW(static_cast<DWORD>(temp.size()), temp.data()));
        path_ = temp + L"korvane-start-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(GetTickCount64());
    }
    ~ScratchFolder() { RemoveDirectoryW(path_.c_str()); }
    const std::wstring& path() const { return path_; }
    bool Exists() const { return GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES; }

private:
    std::wstring path_;
};

bool WaitUntil(const std::function<bool()>& done, std::chrono::seconds limit) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < until) {
        if (done()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return done();
}

TEST(StartProgram, RunsTheNamedProgramWithTheCommandLineAsGiven) {
    Win32Services services;
    ScratchFolder folder;
    const std::string cmd = services.SystemDirectory() + "\\cmd.exe";
    // The first word names no program at all: only the full path given as the program to run
    // can have started cmd.exe, which then reads the rest of the line.
    services.StartProgram(cmd, "no-such-program.exe /c mkdir \"" + Narrow(folder.path()) + "\"",
                          toolkit::kNormalFocus);
    EXPECT_TRUE(WaitUntil([&] { return folder.Exists(); }, std::chrono::seconds(30)))
        << "the started program did not run its command line";
}

TEST(StartProgram, AProgramThatIsNotThereIsNotReported) {
    Win32Services services;
    EXPECT_NO_THROW(services.StartProgram("C:\\no\\such\\folder\\notepad.exe",
                                          "notepad.exe C:\\no\\readme.txt", toolkit::kNormalFocus));
}

struct FilterRow {
    const char* name;
    std::vector<toolkit::FileFilter> filters;
    std::wstring text;
};

void PrintTo(const FilterRow& row, std::ostream* out) {
    *out << row.name;
}

class FileDialogFilters : public testing::TestWithParam<FilterRow> {};

TEST_P(FileDialogFilters, EndEachPartWithANulAndTheWholeWithAnother) {
    EXPECT_EQ(toolkit::win32::FilterText(GetParam().filters), GetParam().text);
}

// The text with every "|" turned into a NUL.
std::wstring Nuls(std::wstring text) {
    for (auto& c : text) {
        if (c == L'|') {
            c = L'\0';
        }
    }
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FileDialogFilters,
    testing::Values(FilterRow{"None", {}, L""},
                    FilterRow{
                        "One", {{"Bitmap (*.bmp)", "*.bmp"}}, Nuls(L"Bitmap (*.bmp)|*.bmp||")},
                    FilterRow{"Two",
                              {{"Bitmap (*.bmp)", "*.bmp"}, {"All (*.*)", "*.*"}},
                              Nuls(L"Bitmap (*.bmp)|*.bmp|All (*.*)|*.*||")},
                    FilterRow{"OutsideAscii",
                              {{"Bild \xC3\xBC", "*.bmp;*.dib"}},
                              Nuls(L"Bild \u00FC|*.bmp;*.dib||")}),
    [](const auto& info) { return std::string(info.param.name); });

// A file that exists for as long as the object lives.
class ScratchFile {
public:
    ScratchFile() {
        std::wstring temp(MAX_PATH + 1, L'\0');
        temp.resize(GetTempPathW(static_cast<DWORD>(temp.size()), temp.data()));
        path_ = temp + L"korvane-pick-" + std::to_wstring(GetCurrentProcessId()) + L".bmp";
        HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        CloseHandle(file);
    }
    ~ScratchFile() { DeleteFileW(path_.c_str()); }
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
};

// The file name box of the open dialog: an edit, alone or inside a combo box.
HWND FileNameBox(HWND dialog) {
    for (const int id : {0x47C, 0x480}) {  // cmb13, edt1
        if (HWND box = GetDlgItem(dialog, id)) {
            return box;
        }
    }
    return nullptr;
}

TEST(OpenFileDialog, GivesTheChosenFilesFullPath) {
    toolkit_test::TestHost owner;
    Win32Services services;
    services.SetOwner(owner.hwnd());
    ScratchFile file;
    std::vector<std::wstring> types;
    DialogAnswer answer(IDOK, [&](HWND dialog) {
        if (HWND box = FileNameBox(dialog)) {
            SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.path().c_str()));
        }
        HWND typeList = GetDlgItem(dialog, 0x470);  // cmb1
        const auto count = SendMessageW(typeList, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            std::wstring item(
                static_cast<std::size_t>(SendMessageW(typeList, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
            item.resize(static_cast<std::size_t>(
                SendMessageW(typeList, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
            types.push_back(item);
        }
    });

    const auto chosen =
        services.OpenFileDialog({{"Bitmap (*.bmp)", "*.bmp"}, {"All (*.*)", "*.*"}});

    ASSERT_TRUE(answer.Join()) << "no file dialog appeared";
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(_wcsicmp(Widen(*chosen).c_str(), file.path().c_str()), 0) << *chosen;
    EXPECT_EQ(types, (std::vector<std::wstring>{L"Bitmap (*.bmp)", L"All (*.*)"}));
}

TEST(OpenFileDialog, GivesNothingWhenCancelled) {
    toolkit_test::TestHost owner;
    Win32Services services;
    services.SetOwner(owner.hwnd());
    DialogAnswer answer(IDCANCEL, [](HWND) {});
    const auto chosen = services.OpenFileDialog({{"Bitmap (*.bmp)", "*.bmp"}});
    ASSERT_TRUE(answer.Join()) << "no file dialog appeared";
    EXPECT_FALSE(chosen.has_value());
}

}  // namespace

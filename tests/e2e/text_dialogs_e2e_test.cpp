// The two "..." buttons: the system's file-open dialog for the toolbar bitmap, cancelled and
// confirmed like a user, and the shell's folder browser for the download directory.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/harness.h"
#include "tests/e2e/text_convert.h"

namespace e2e {
namespace {

using ::testing::Contains;
using ::testing::IsEmpty;

constexpr const char* kDirectoryValue = "Download Directory";

// A file of a few bytes for the dialog to find, removed with the object.
class ScratchFile {
public:
    explicit ScratchFile(std::string path) : path_(std::move(path)) {
        const OwnedHandle file(CreateFileW(Widen(path_).c_str(), GENERIC_WRITE, 0, nullptr,
                                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        // The start of a bitmap's header is enough: the program only names the file.
        DWORD written = 0;
        if (file.get() == INVALID_HANDLE_VALUE ||
            !WriteFile(file.get(), "BM", 2, &written, nullptr)) {
            throw HarnessError("cannot create the file " + path_);
        }
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    ~ScratchFile() { DeleteFileW(Widen(path_).c_str()); }

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Opens the dialog of the "..." button `button` and returns it.
HWND OpenDialog(const Korvane& korvane, const char* button) {
    Click(korvane.Control(button));
    return AwaitDialog(korvane.pid(), std::string("the dialog of ") + button);
}

// Cancels the dialog and checks that nothing changed and nothing was said.
void CancelChangesNothing(const Korvane& korvane, HWND dialog) {
    const ProgramKeys beforeCancel;
    PressButton(dialog, IDCANCEL);
    AwaitClosed(dialog, "the cancelled dialog");
    korvane.Settle();
    EXPECT_THAT(beforeCancel.Changes(), IsEmpty()) << "the cancel wrote";
    EXPECT_THAT(DialogsOf(korvane.pid()), IsEmpty()) << "the cancel showed a box";
}

class TextDialogs : public KorvaneTest {
protected:
    TextDialogs() {
        // The file dialog remembers the last folder it opened.
        GuardTree(HKEY_CURRENT_USER,
                  "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32");
        SeedVersion(Sz("6.0.2800.1106"));
        Seed(HKEY_CURRENT_USER, kToolbarKey, "BackBitmap", Sz("C:\\old.bmp"));
        Seed(HKEY_CURRENT_USER, kBrowserKey, kDirectoryValue, Sz("C:\\seeded"));
    }

    ScratchFile bitmap_{"C:\\korvane-e2e toolbar caf\xC3\xA9.bmp"};
};

TEST_F(TextDialogs, BitmapDialogCancelChangesNothingAndAChosenFileIsShownAndWritten) {
    const std::string& bitmap = bitmap_.path();
    Korvane& korvane = StartShown();
    const HWND box = korvane.Control("txtBackground");
    ASSERT_EQ(Text(box), "C:\\old.bmp");

    HWND dialog = OpenDialog(korvane, "cmdBackground");
    // One filter, for bitmaps only.
    const HWND types = FileTypeBox(dialog);
    EXPECT_EQ(SendWithLimit(types, CB_GETCOUNT), 1);
    EXPECT_EQ(Text(types), "Bitmap (*.bmp)");
    CancelChangesNothing(korvane, dialog);
    EXPECT_EQ(Text(box), "C:\\old.bmp");

    dialog = OpenDialog(korvane, "cmdBackground");
    ChooseFile(dialog, bitmap);
    AwaitClosed(dialog, "the file-open dialog");
    EXPECT_EQ(AwaitText(box, bitmap), bitmap);
    EXPECT_EQ(AwaitValue(HKEY_CURRENT_USER, kToolbarKey, "BackBitmap", Sz(bitmap)), Sz(bitmap));
    EXPECT_EQ(TooltipText(korvane.pid(), box), bitmap);
    EXPECT_THAT(DialogsOf(korvane.pid()), IsEmpty());
    EXPECT_NE(korvane.CloseAndWait(), ProgramProcess::kTerminatedCode);
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kToolbarKey, "BackBitmap"), Sz(bitmap));
}

TEST_F(TextDialogs, FolderPickerComesUpTitledAndItsCancelChangesNothing) {
    Korvane& korvane = StartShown();
    const HWND picker = OpenDialog(korvane, "cmdDir");
    std::vector<std::string> texts;
    for (HWND child : DescendantWindows(picker)) {
        texts.push_back(Text(child));
    }
    EXPECT_THAT(texts, Contains("Pick A Folder"));
    CancelChangesNothing(korvane, picker);
    EXPECT_EQ(Text(korvane.Control("txtDefaultDir")), "C:\\seeded");
    EXPECT_NE(korvane.CloseAndWait(), ProgramProcess::kTerminatedCode);
}

TEST_F(TextDialogs, ClosingTheWindowWhileThePickerIsOpenEndsTheProgram) {
    Seed(HKEY_CURRENT_USER, kToolbarKey, "BackBitmap", std::nullopt);
    Korvane& korvane = StartShown();
    const HWND picker = OpenDialog(korvane, "cmdDir");

    // The picker has no owner, so the window can still be closed.
    Close(korvane.mainWindow());
    const auto code = korvane.process().WaitForExit(kExitLimit);
    ASSERT_TRUE(code.has_value()) << "the program did not end; the picker is "
                                  << (IsWindow(picker) ? "still there" : "gone");
    EXPECT_EQ(*code, 0u);
    // The unload ran (an untouched bitmap box writes the empty text), and the picker's return
    // wrote nothing.
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kToolbarKey, "BackBitmap"), Sz(""));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kBrowserKey, kDirectoryValue), Sz("C:\\seeded"));
}

}  // namespace
}  // namespace e2e

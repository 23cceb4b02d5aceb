// The two "..." buttons: the system's file-open dialog for the toolbar bitmap and the shell's
// folder browser for the download directory, driven like a user, cancelled and confirmed.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/e2e/harness.h"
#include "tests/e2e/shell_dialogs.h"
#include "tests/e2e/text_test_support.h"
#include "tests/e2e/tooltip_query.h"

namespace e2e {
namespace {

using ::testing::IsEmpty;

constexpr const char* kScratchPath = "C:\\korvane-e2e-text";

class BitmapDialog : public KorvaneTest {
protected:
    // The dialog remembers the last folder it opened.
    RegistryTreeGuard dialogHistory_{
        HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32"};
    ScratchFolder scratch_{kScratchPath};

    HWND OpenDialog(Korvane& korvane) {
        Click(korvane.Control("cmdBackground"));
        return AwaitDialogWith(korvane.pid(), L"SHELLDLL_DefView", "the file-open dialog");
    }
};

TEST_F(BitmapDialog, CancelChangesNothingAndAChosenFileIsShownAndWritten) {
    const std::string bitmap = scratch_.AddFile("toolbar caf\xC3\xA9.bmp");
    SeedVersion(Sz("6.0.2800.1106"));
    Seed(HKEY_CURRENT_USER, kToolbarKey, "BackBitmap", Sz("C:\\old.bmp"));
    Korvane& korvane = StartShown();
    const HWND box = korvane.Control("txtBackground");
    ASSERT_EQ(Text(box), "C:\\old.bmp");
    const ProgramKeys afterStart;

    HWND dialog = OpenDialog(korvane);
    // One filter, for bitmaps only.
    const HWND types = FileTypeBox(dialog);
    EXPECT_EQ(SendWithLimit(types, CB_GETCOUNT), 1);
    EXPECT_EQ(Text(types), "Bitmap (*.bmp)");
    PressCancel(dialog);
    AwaitClosed(dialog, "the cancelled file-open dialog");
    AwaitIdle(korvane);
    EXPECT_EQ(Text(box), "C:\\old.bmp");
    EXPECT_EQ(TooltipText(korvane.pid(), box), "C:\\old.bmp");
    EXPECT_THAT(afterStart.Changes(), IsEmpty()) << "the cancel wrote";
    EXPECT_TRUE(MessageBoxesOf(korvane.pid()).empty()) << "the cancel showed a box";

    dialog = OpenDialog(korvane);
    ChooseFile(dialog, bitmap);
    AwaitClosed(dialog, "the file-open dialog");
    EXPECT_EQ(AwaitText(box, bitmap), bitmap);
    EXPECT_EQ(AwaitValue(HKEY_CURRENT_USER, kToolbarKey, "BackBitmap", Sz(bitmap)), Sz(bitmap));
    EXPECT_EQ(TooltipText(korvane.pid(), box), bitmap);

    // Someone else changes the value; choosing the file the box already shows writes it again.
    WriteValue(HKEY_CURRENT_USER, kToolbarKey, "BackBitmap", Sz("C:\\elsewhere.bmp"));
    dialog = OpenDialog(korvane);
    ChooseFile(dialog, bitmap);
    AwaitClosed(dialog, "the file-open dialog");
    EXPECT_EQ(AwaitValue(HKEY_CURRENT_USER, kToolbarKey, "BackBitmap", Sz(bitmap)), Sz(bitmap));
    EXPECT_EQ(Text(box), bitmap);

    EXPECT_TRUE(MessageBoxesOf(korvane.pid()).empty());
    EXPECT_NE(korvane.CloseAndWait(), ProgramProcess::kTerminatedCode);
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kToolbarKey, "BackBitmap"), Sz(bitmap));
}

// A folder reached in the browser's tree, one item text after another, and the path the
// program is to show and store for it.
struct FolderPick {
    const char* label;
    std::vector<std::string> below;  // items below the drive
    std::string path;
};

class FolderPicker : public KorvaneTest {
protected:
    static constexpr const char* kDirectoryValue = "Download Directory";

    HWND OpenPicker(Korvane& korvane) {
        Click(korvane.Control("cmdDir"));
        return AwaitDialogWith(korvane.pid(), L"SysTreeView32", "the folder browser");
    }

    // Walks the tree from the desktop to drive C: and then down `below`; the last item.
    static HTREEITEM Reach(const RemoteTree& tree, const std::vector<std::string>& below) {
        HTREEITEM computer = tree.ExpandTo(
            tree.Root(),
            [](const std::string& text) {
                return text == "My Computer" || text == "Computer" || text == "This PC";
            },
            "computer");
        HTREEITEM item = tree.ExpandTo(
            computer,
            [](const std::string& text) { return text.find("(C:)") != std::string::npos; },
            "drive C:");
        for (const auto& name : below) {
            item = tree.ExpandTo(
                item, [&](const std::string& text) { return text == name; }, "\"" + name + "\"");
        }
        return item;
    }

    ScratchFolder scratch_{kScratchPath};
};

TEST_F(FolderPicker, CancelChangesNothingAndAPickedFolderIsShownAndWritten) {
    // A leading space is part of the folder's name and stays in the path.
    const std::string folder =
        " T\xC3\xA9l\xC3\xA9"
        "chargements";
    scratch_.AddFolder(folder);
    SeedVersion(Sz("6.0.2800.1106"));
    Seed(HKEY_CURRENT_USER, kBrowserKey, kDirectoryValue, Sz("C:\\seeded"));
    Seed(HKEY_CURRENT_USER, kMainKey, "Window Title", std::nullopt);
    Korvane& korvane = StartShown();
    const HWND box = korvane.Control("txtDefaultDir");
    ASSERT_EQ(Text(box), "C:\\seeded");

    HWND picker = OpenPicker(korvane);
    std::vector<std::string> texts;
    for (HWND child : ChildWindows(picker)) {
        texts.push_back(Text(child));
    }
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Pick A Folder"), texts.end())
        << "the picker does not show its title";
    // No owner: the main window stays usable while the picker is open.
    EXPECT_EQ(GetWindow(picker, GW_OWNER), nullptr);
    EXPECT_TRUE(IsEnabled(korvane.mainWindow()));
    // Only file-system folders can be confirmed.
    {
        const RemoteTree tree(DescendantOfClass(picker, L"SysTreeView32"), korvane.pid());
        const HTREEITEM trash = tree.ExpandTo(
            tree.Root(), [](const std::string& text) { return text == "Trash"; }, "the trash");
        tree.Select(trash);
        EXPECT_FALSE(IsEnabled(GetDlgItem(picker, IDOK))) << "OK is enabled on the trash";
    }
    // The window's handlers run while the picker waits.
    const HWND title = korvane.Control("txtIETitle");
    MouseClick(title);
    Type(title, "z");
    EXPECT_EQ(AwaitValue(HKEY_CURRENT_USER, kMainKey, "Window Title", Sz("z")), Sz("z"));
    const ProgramKeys beforeCancel;
    PressCancel(picker);
    AwaitClosed(picker, "the cancelled folder browser");
    AwaitIdle(korvane);
    EXPECT_EQ(Text(box), "C:\\seeded");
    EXPECT_THAT(beforeCancel.Changes(), IsEmpty()) << "the cancel wrote";
    EXPECT_TRUE(MessageBoxesOf(korvane.pid()).empty()) << "the cancel showed a box";

    const FolderPick picks[] = {
        {"a folder whose name begins with a space and has accents",
         {"korvane-e2e-text", folder},
         std::string(kScratchPath) + "\\" + folder},
        {"the drive's root", {}, "C:\\"},
    };
    for (const auto& pick : picks) {
        picker = OpenPicker(korvane);
        const RemoteTree tree(DescendantOfClass(picker, L"SysTreeView32"), korvane.pid());
        tree.Select(Reach(tree, pick.below));
        Click(GetDlgItem(picker, IDOK));
        AwaitClosed(picker, "the folder browser");
        ASSERT_EQ(AwaitText(box, pick.path), pick.path) << pick.label;
        EXPECT_EQ(AwaitValue(HKEY_CURRENT_USER, kBrowserKey, kDirectoryValue, Sz(pick.path)),
                  Sz(pick.path))
            << pick.label;
        EXPECT_EQ(TooltipText(korvane.pid(), box), pick.path) << pick.label;
    }

    EXPECT_TRUE(MessageBoxesOf(korvane.pid()).empty());
    EXPECT_NE(korvane.CloseAndWait(), ProgramProcess::kTerminatedCode);
}

TEST_F(FolderPicker, ClosingTheWindowWhileThePickerIsOpenEndsTheProgram) {
    SeedVersion(Sz("6.0.2800.1106"));
    Seed(HKEY_CURRENT_USER, kBrowserKey, kDirectoryValue, Sz("C:\\seeded"));
    Seed(HKEY_CURRENT_USER, kToolbarKey, "BackBitmap", std::nullopt);
    Korvane& korvane = StartShown();
    const HWND picker = OpenPicker(korvane);

    // The picker has no owner, so the window can still be closed.
    Close(korvane.mainWindow());
    const auto code = korvane.process().WaitForExit(kExitLimit);
    ASSERT_TRUE(code.has_value()) << "the program did not end; the picker is "
                                  << (IsWindow(picker) ? "still there" : "gone");
    EXPECT_EQ(*code, 0u);
    // The unload ran, and the picker's return wrote nothing.
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kToolbarKey, "BackBitmap"), Sz(""));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kBrowserKey, kDirectoryValue), Sz("C:\\seeded"));
}

}  // namespace
}  // namespace e2e

// The "?" button: Notepad opens on the readme beside the program, and the program goes on.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

std::vector<HWND> NotepadWindows() {
    std::vector<HWND> found;
    for (HWND window = FindWindowExW(nullptr, nullptr, L"Notepad", nullptr); window != nullptr;
         window = FindWindowExW(nullptr, window, L"Notepad", nullptr)) {
        found.push_back(window);
    }
    return found;
}

// Line ends as Notepad shows them, and no trailing blank lines.
std::string Normalized(std::string out) {
    std::erase(out, '\r');
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) {
        out.pop_back();
    }
    return out;
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

class HelpCommand : public KorvaneTest {};

TEST_F(HelpCommand, QuestionMarkOpensTheReadmeInNotepad) {
    // Notepad keeps its own settings when it closes.
    GuardTree(HKEY_CURRENT_USER, "Software\\Microsoft\\Notepad");
    SeedVersion(Sz("6.0.2800.1106"));
    Korvane& korvane = StartShown();
    const std::string readmePath = DirectoryOf(Options().korvaneExe) + "\\readme.txt";
    const std::string readme = ReadFile(readmePath);
    ASSERT_FALSE(readme.empty()) << "no readme at " << readmePath;

    const auto before = NotepadWindows();
    Click(korvane.Control("cmdHelp"));
    HWND notepad = nullptr;
    Await(
        [&] {
            for (HWND window : NotepadWindows()) {
                if (std::find(before.begin(), before.end(), window) == before.end() &&
                    IsVisible(window)) {
                    notepad = window;
                }
            }
            return notepad != nullptr;
        },
        kStartLimit, "a Notepad window");
    ProgramProcess editor = ProgramProcess::OfWindow(notepad);
    EXPECT_NE(editor.id(), korvane.pid());

    EXPECT_NE(Text(notepad).find("readme.txt"), std::string::npos)
        << "Notepad's title: " << Text(notepad);
    HWND edit = FindWindowExW(notepad, nullptr, L"Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(Normalized(Text(edit)), Normalized(readme));

    // The program did not wait for the editor: it still answers and its window is there.
    EXPECT_NO_THROW(SendWithLimit(korvane.mainWindow(), WM_NULL));
    EXPECT_TRUE(DialogsOf(korvane.pid()).empty());

    Close(notepad);
    EXPECT_TRUE(editor.WaitForExit(kExitLimit).has_value()) << "Notepad did not close";
    EXPECT_NE(korvane.CloseAndWait(), ProgramProcess::kTerminatedCode);
}

}  // namespace
}  // namespace e2e

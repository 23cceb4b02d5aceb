#include "tests/e2e/harness.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace e2e {

namespace {

constexpr wchar_t kMainWindowClass[] = L"KorvaneMainWindow";

struct KeyTree {
    HKEY root;
    const char* path;
};

// Every key below which the program reads, writes or deletes anything.
const std::array<KeyTree, 6> kTouchedKeys = {{
    {HKEY_CURRENT_USER, kBrowserKey},
    {HKEY_CURRENT_USER, kAutoCompleteKey},
    {HKEY_CURRENT_USER, kSettingsKey},
    {HKEY_CURRENT_USER, kPolicyKey},
    {HKEY_LOCAL_MACHINE, kBrowserKey},
    {HKEY_LOCAL_MACHINE, kProtocolKey},
}};

// Whether `path` is `tree` or below it; registry names ignore case.
bool IsWithin(std::string_view path, std::string_view tree) {
    auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    };
    return path.size() >= tree.size() && std::equal(tree.begin(), tree.end(), path.begin(), same) &&
           (path.size() == tree.size() || path[tree.size()] == '\\');
}

}  // namespace

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

ProgramKeys::ProgramKeys() {
    for (const auto& key : kTouchedKeys) {
        snapshots_.emplace_back(key.root, key.path);
    }
}

std::vector<std::string> ProgramKeys::Changes() const {
    std::vector<std::string> changes;
    for (const auto& snapshot : snapshots_) {
        for (auto& change : snapshot.Changes()) {
            changes.push_back(std::move(change));
        }
    }
    return changes;
}

Korvane Korvane::Start() {
    const std::string& exe = Options().korvaneExe;
    Korvane korvane(ProgramProcess::Start(exe, DirectoryOf(exe)));
    // A program that ends (a refused start) or blocks in a box before it is idle is fine.
    korvane.process_.WaitForIdle(std::chrono::duration_cast<std::chrono::milliseconds>(
        WaitEnd(kStartLimit) - std::chrono::steady_clock::now()));
    return korvane;
}

std::optional<HWND> Korvane::FindMainWindow() const {
    const auto windows = TopLevelWindows(pid(), kMainWindowClass);
    return windows.empty() ? std::nullopt : std::optional(windows.front());
}

HWND Korvane::AwaitMainWindow() {
    HWND box = nullptr;
    const bool shown = WaitUntil(
        [&] {
            const auto boxes = DialogsOf(pid());
            box = boxes.empty() ? nullptr : boxes.front();
            const auto main = FindMainWindow();
            main_ = main && IsVisible(*main) ? *main : nullptr;
            return main_ != nullptr || box != nullptr || !process_.running();
        },
        kStartLimit);
    if (main_ != nullptr) {
        return main_;
    }
    if (box != nullptr) {
        const MessageBoxView view = ReadMessageBox(box);
        throw HarnessError("a message box came instead of the window: \"" + view.title + "\": \"" +
                           view.prompt + "\"");
    }
    throw HarnessError(shown ? "the program ended without showing its window"
                             : "timed out waiting for the main window");
}

HWND Korvane::mainWindow() const {
    if (main_ == nullptr) {
        throw HarnessError("the main window has not been shown");
    }
    return main_;
}

HWND Korvane::Control(std::string_view name) const {
    const app::ControlLayout* row = app::FindLayout(name);
    if (row == nullptr) {
        throw HarnessError("no layout row is named " + std::string(name));
    }
    // The ID of a row is 1000 + its index in the table.
    const int id = 1000 + static_cast<int>(row - app::kLayout.data());
    for (HWND window : DescendantWindows(mainWindow())) {
        if (GetDlgCtrlID(window) == id) {
            return window;
        }
    }
    throw HarnessError("the window has no control " + std::string(name));
}

void Korvane::Settle() const {
    const HWND marker = Control("txtAddDomain");
    const std::string before = Text(marker);
    Type(marker, "|");
    Await([&] { return Text(marker) != before; }, kReactLimit, "the program to handle its input");
}

DWORD Korvane::CloseAndWait() {
    Close(mainWindow());
    const auto code = process_.WaitForExit(kExitLimit);
    if (!code) {
        const auto boxes = DialogsOf(pid());
        throw HarnessError(boxes.empty() ? "the program did not end after its window was closed"
                                         : "a message box kept the program from ending: \"" +
                                               ReadMessageBox(boxes.front()).prompt + "\"");
    }
    main_ = nullptr;
    return *code;
}

std::string AwaitText(HWND control, std::string_view expected) {
    std::string text;
    WaitUntil(
        [&] {
            text = Text(control);
            return text == expected;
        },
        kReactLimit);
    return text;
}

std::optional<StoredValue> AwaitValue(HKEY root, std::string_view path, std::string_view name,
                                      const std::optional<StoredValue>& expected) {
    std::optional<StoredValue> value;
    WaitUntil(
        [&] {
            value = ReadValue(root, path, name);
            return value == expected;
        },
        kReactLimit);
    return value;
}

KorvaneTest::KorvaneTest() {
    for (const auto& key : kTouchedKeys) {
        GuardTree(key.root, key.path);
    }
}

void KorvaneTest::GuardTree(HKEY root, std::string path) {
    auto guard = std::make_unique<RegistryTreeGuard>(root, path);
    trees_.push_back({root, std::move(path), std::move(guard)});
}

void KorvaneTest::Seed(HKEY root, std::string_view path, std::string_view name,
                       const std::optional<StoredValue>& value) {
    // Only what a guard puts back may be changed: the prefix outlives the test.
    if (std::none_of(trees_.begin(), trees_.end(), [&](const Guarded& tree) {
            return tree.root == root && IsWithin(path, tree.path);
        })) {
        throw HarnessError("no guard puts back " + std::string(path));
    }
    if (value) {
        WriteValue(root, path, name, *value);
    } else {
        DeleteValue(root, path, name);
    }
}

void KorvaneTest::SeedVersion(const std::optional<StoredValue>& value) {
    Seed(HKEY_LOCAL_MACHINE, kBrowserKey, "Version", value);
}

void KorvaneTest::SeedToolbarPolicy(bool on) {
    Seed(HKEY_CURRENT_USER, kPolicyKey, "NoToolbarCustomize", Dword(on ? 1 : 0));
}

Korvane& KorvaneTest::Start() {
    korvane_.reset();
    korvane_.emplace(Korvane::Start());
    return *korvane_;
}

Korvane& KorvaneTest::StartShown() {
    Korvane& korvane = Start();
    korvane.AwaitMainWindow();
    return korvane;
}

}  // namespace e2e

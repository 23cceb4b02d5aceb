#include "tests/e2e/harness.h"

#include <array>

namespace e2e {

namespace {

struct KeyTree {
    HKEY root;
    const char* path;
};

// Every key below which the program reads, writes or deletes anything.
const std::array<KeyTree, 6> kTouchedKeys = {{
    {HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer"},
    {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete"},
    {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings"},
    {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer"},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Internet Explorer"},
    {HKEY_LOCAL_MACHINE,
     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\ProtocolDefaults"},
}};

}  // namespace

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int ControlId(std::string_view name) {
    const app::ControlLayout* row = app::FindLayout(name);
    if (row == nullptr) {
        throw HarnessError("no layout row is named " + std::string(name));
    }
    return 1000 + static_cast<int>(row - app::kLayout.data());
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
    Korvane korvane(ProgramProcess::Start(exe, {}, DirectoryOf(exe)));
    // A program that ends (a refused start) or blocks in a box before it is idle is fine.
    korvane.process_.WaitForIdle(std::chrono::duration_cast<std::chrono::milliseconds>(
        WaitEnd(kStartLimit) - std::chrono::steady_clock::now()));
    return korvane;
}

std::optional<HWND> Korvane::FindMainWindow() const {
    auto windows = TopLevelWindows(pid(), kMainWindowClass);
    if (windows.empty()) {
        return std::nullopt;
    }
    return windows.front();
}

HWND Korvane::AwaitMainWindow() {
    HWND box = nullptr;
    const bool shown = WaitUntil(
        [&] {
            auto boxes = MessageBoxesOf(pid());
            box = boxes.empty() ? nullptr : boxes.front();
            auto main = FindMainWindow();
            if (main && IsVisible(*main)) {
                main_ = *main;
            }
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
    const int id = ControlId(name);
    for (HWND window : DescendantWindows(mainWindow())) {
        if (GetDlgCtrlID(window) == id) {
            return window;
        }
    }
    throw HarnessError("the window has no control " + std::string(name) + " (ID " +
                       std::to_string(id) + ")");
}

HWND Korvane::AwaitMessageBox() const {
    return e2e::AwaitMessageBox(pid(), kReactLimit);
}

DWORD Korvane::CloseAndWait() {
    Close(mainWindow());
    auto code = process_.WaitForExit(kExitLimit);
    if (!code) {
        auto boxes = MessageBoxesOf(pid());
        throw HarnessError(boxes.empty() ? "the program did not end after its window was closed"
                                         : "a message box kept the program from ending: \"" +
                                               ReadMessageBox(boxes.front()).prompt + "\"");
    }
    main_ = nullptr;
    return *code;
}

KorvaneTest::KorvaneTest() {
    for (const auto& key : kTouchedKeys) {
        trees_.push_back(std::make_unique<RegistryTreeGuard>(key.root, key.path));
    }
}

KorvaneTest::~KorvaneTest() {
    // The program first, then the seeds newest first, then the trees.
    korvane_.reset();
    while (!seeds_.empty()) {
        seeds_.pop_back();
    }
    while (!trees_.empty()) {
        trees_.pop_back();
    }
}

void KorvaneTest::Seed(HKEY root, std::string path, std::string name,
                       std::optional<StoredValue> value) {
    seeds_.push_back(
        std::make_unique<ValueSeed>(root, std::move(path), std::move(name), std::move(value)));
}

void KorvaneTest::SeedVersion(std::optional<StoredValue> value) {
    Seed(HKEY_LOCAL_MACHINE, kBrowserKey, "Version", std::move(value));
}

void KorvaneTest::SeedToolbarPolicy(bool on) {
    Seed(HKEY_CURRENT_USER, kExplorerPolicyKey, "NoToolbarCustomize", Dword(on ? 1 : 0));
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

// The end-to-end harness: the real korvane.exe started on a seeded registry in the test
// prefix, its window and controls found by their layout names, and everything the program
// may have changed in the registry put back when a test ends.
// Input is posted, as a user's would be: korvane.Settle() waits until the program has
// handled it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/layout.h"
#include "tests/e2e/dialogs.h"
#include "tests/e2e/driver_options.h"
#include "tests/e2e/program_process.h"
#include "tests/e2e/registry_access.h"
#include "tests/e2e/registry_snapshot.h"
#include "tests/e2e/user_input.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_query.h"

namespace e2e {

// The system DPI of this process (the driver is DPI-aware, so it sees real pixels).
int SystemDpi();

inline constexpr const char* kBrowserKey = "Software\\Microsoft\\Internet Explorer";
inline constexpr const char* kMainKey = "Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr const char* kToolbarKey = "Software\\Microsoft\\Internet Explorer\\Toolbar";
inline constexpr const char* kPolicyKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
inline constexpr const char* kAutoCompleteKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete";
inline constexpr const char* kSettingsKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
inline constexpr const char* kZone0Key =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\0";
inline constexpr const char* kCacheKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Cache";
inline constexpr const char* kProtocolKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\ZoneMap\\ProtocolDefaults";

// A snapshot of every key the program may touch, to see what a run changed.
class ProgramKeys {
public:
    ProgramKeys();
    // One line per value or key added, deleted or changed since the snapshot.
    std::vector<std::string> Changes() const;

private:
    std::vector<RegistrySnapshot> snapshots_;
};

// One run of korvane.exe.
class Korvane {
public:
    // Starts the program from its own directory and waits until it waits for input.
    static Korvane Start();

    DWORD pid() const { return process_.id(); }
    ProgramProcess& process() { return process_; }

    // Any main window of the process, shown or not.
    std::optional<HWND> FindMainWindow() const;
    // Waits for the main window to be visible. When a message box comes instead, the error
    // names its title and prompt.
    HWND AwaitMainWindow();
    HWND mainWindow() const;
    // The control of layout row `name`, at any depth below the main window.
    HWND Control(std::string_view name) const;
    // Returns once the program has handled every message posted to it so far: a character
    // posted to the domain box, whose changes do nothing, comes after them and is awaited.
    void Settle() const;
    // Closes the main window like its close box and waits for the program to end; its exit
    // code. A HarnessError when it does not end.
    DWORD CloseAndWait();

private:
    explicit Korvane(ProgramProcess process) : process_(std::move(process)) {}

    ProgramProcess process_;
    HWND main_ = nullptr;
};

// Waits for the control's text to become `expected`; its last text either way.
std::string AwaitText(HWND control, std::string_view expected);
// Waits for the value to become `expected` (nothing: absent); the last value read either way.
std::optional<StoredValue> AwaitValue(HKEY root, std::string_view path, std::string_view name,
                                      const std::optional<StoredValue>& expected);

// The base of every end-to-end test: guards each registry key the program may touch, seeds
// values for one test, and ends the program before anything is put back.
class KorvaneTest : public ::testing::Test {
protected:
    KorvaneTest();

    // Puts the tree back as it is now when the test ends, after the program has ended.
    void GuardTree(HKEY root, std::string path);
    // Seeds `name` with `value` (nothing: no such value) below a guarded tree.
    void Seed(HKEY root, std::string_view path, std::string_view name,
              const std::optional<StoredValue>& value);
    // Seeds HKLM's browser version.
    void SeedVersion(const std::optional<StoredValue>& value);
    // Seeds the toolbar policy; on, the 22 toolbar button boxes are enabled after start-up.
    void SeedToolbarPolicy(bool on);
    // Starts the program; it is ended at the latest when the test ends.
    Korvane& Start();
    // Starts the program and waits for its main window.
    Korvane& StartShown();

private:
    struct Guarded {
        HKEY root;
        std::string path;
        std::unique_ptr<RegistryTreeGuard> guard;
    };
    std::vector<Guarded> trees_;
    std::optional<Korvane> korvane_;  // last: ended before any tree is put back
};

}  // namespace e2e

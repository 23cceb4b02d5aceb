// The end-to-end harness: the real korvane.exe started on a seeded registry in the test
// prefix, its window and controls found by their layout names, and everything the program
// may have changed in the registry put back when a test ends.
//
// A test of a setting, for one:
//
//   class Downloads : public e2e::KorvaneTest {};
//   TEST_F(Downloads, MissingLimitShowsTwoAndWritesBoth) {
//       SeedVersion(Sz("6.0.2800.1106"));
//       Seed(HKEY_CURRENT_USER, kSettingsKey, "MaxConnectionsPerServer", std::nullopt);
//       Korvane& korvane = StartShown();
//       EXPECT_EQ(Text(korvane.Control("txtDownload")), "2");
//       EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kSettingsKey, "MaxConnectionsPerServer"),
//                 Dword(2));
//       MouseClick(korvane.Control("txtDownload"));   // then Type(...), Click(...)
//       // WaitUntil(...) for the effect: input is posted, never waited for.
//   }
//
// A box the program shows: korvane.AwaitMessageBox(), ReadMessageBox(box), PressOk(box).
// Startup boxes come before the window: Start(), answer them, then AwaitMainWindow().
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/layout.h"
#include "tests/e2e/driver_options.h"
#include "tests/e2e/message_box.h"
#include "tests/e2e/program_process.h"
#include "tests/e2e/registry_access.h"
#include "tests/e2e/registry_snapshot.h"
#include "tests/e2e/user_input.h"
#include "tests/e2e/value_seed.h"
#include "tests/e2e/wait.h"
#include "tests/e2e/window_query.h"

namespace e2e {

// The system DPI of this process (the driver is DPI-aware, so it sees real pixels).
int SystemDpi();

inline constexpr wchar_t kMainWindowClass[] = L"KorvaneMainWindow";
inline constexpr const char* kBrowserKey = "Software\\Microsoft\\Internet Explorer";
inline constexpr const char* kToolbarKey = "Software\\Microsoft\\Internet Explorer\\Toolbar";
inline constexpr const char* kExplorerPolicyKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

// The control ID of a layout row: 1000 + its index in the table.
int ControlId(std::string_view name);

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
    // The main window found by AwaitMainWindow.
    HWND mainWindow() const;
    // The control of layout row `name`, at any depth below the main window.
    HWND Control(std::string_view name) const;
    // Waits for a message box of this program.
    HWND AwaitMessageBox() const;
    // Closes the main window like its close box and waits for the program to end; its exit
    // code. A HarnessError when it does not end.
    DWORD CloseAndWait();

private:
    explicit Korvane(ProgramProcess process) : process_(std::move(process)) {}

    ProgramProcess process_;
    HWND main_ = nullptr;
};

// The base of every end-to-end test: guards each registry key the program may touch, seeds
// values for one test, and ends the program before anything is put back.
class KorvaneTest : public ::testing::Test {
protected:
    KorvaneTest();
    ~KorvaneTest() override;

    // Seeds `name` with `value` (nothing: no such value) for this test.
    void Seed(HKEY root, std::string path, std::string name, std::optional<StoredValue> value);
    // Seeds HKLM's browser version.
    void SeedVersion(std::optional<StoredValue> value);
    // Seeds the toolbar policy; on, the 22 toolbar button boxes are enabled after start-up.
    void SeedToolbarPolicy(bool on);
    // Starts the program; it is ended at the latest when the test ends.
    Korvane& Start();
    // Starts the program and waits for its main window.
    Korvane& StartShown();

private:
    std::vector<std::unique_ptr<RegistryTreeGuard>> trees_;  // every key of ProgramKeys
    std::vector<std::unique_ptr<ValueSeed>> seeds_;
    std::optional<Korvane> korvane_;  // last: ended before any value is put back
};

}  // namespace e2e

// The "?" button starts the system's Notepad on the readme beside the program.
#include <gtest/gtest.h>

#include "app/help_command.h"
#include "toolkit/scripted_services.h"

namespace {

TEST(HelpCommand, CommandLineOfADriveRoot) {
    // A drive root keeps its backslash, so two stand before readme.txt.
    EXPECT_EQ(app::HelpCommandLine("C:\\"), "notepad.exe C:\\\\readme.txt");
}

TEST(HelpCommand, StartsTheSystemsNotepadWithANormalWindowEachClick) {
    toolkit::ScriptedServices services;
    services.applicationDirectory = "C:\\Program Files\\Tools";
    services.systemDirectory = "C:\\windows\\system32";
    app::cmdHelp_Click(services);
    app::cmdHelp_Click(services);
    ASSERT_EQ(services.started.size(), 2u);
    for (const auto& started : services.started) {
        EXPECT_EQ(started.program, "C:\\windows\\system32\\notepad.exe");
        EXPECT_EQ(started.commandLine, "notepad.exe C:\\Program Files\\Tools\\readme.txt");
        EXPECT_EQ(started.windowStyle, 1);
    }
    EXPECT_TRUE(services.messages.empty());
}

TEST(HelpCommand, ASystemDirectoryWithItsBackslashGetsNoSecond) {
    toolkit::ScriptedServices services;
    services.systemDirectory = "C:\\";
    app::cmdHelp_Click(services);
    ASSERT_EQ(services.started.size(), 1u);
    EXPECT_EQ(services.started[0].program, "C:\\notepad.exe");
}

}  // namespace

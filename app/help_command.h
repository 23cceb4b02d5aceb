// The "?" button: the readme beside the program, opened in the system's Notepad.
#pragma once

#include <string>

#include "toolkit/services.h"

namespace app {

// "notepad.exe " + directory + "\readme.txt", unquoted: Notepad takes the rest of its command
// line as the file name, spaces included.
std::string HelpCommandLine(const std::string& applicationDirectory);

// Starts the system's own Notepad, by its full path so that no notepad.exe in the program's
// folder or the current directory is run, with the help command line and a normal window.
// Does not wait for it.
void cmdHelp_Click(toolkit::PlatformServices& services);

}  // namespace app

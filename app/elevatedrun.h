#pragma once
// The elevated run of a change: no window, no profile store, only what the change names.
#include <string>
#include <vector>

#include "app/mainformunit.h"  // ConnectServicesFunction

// The program's arguments after its name, as the shell passed them.
std::vector<std::string> ProgramArguments();
// The arguments after the program's name in a command line, split as Windows splits it
// (CommandLineToArgvW).
std::vector<std::string> CommandLineArguments(const std::wstring& commandLine);
// Whether the arguments ask for an elevated run at all (their first is the switch).
bool ElevatedRunRequested(const std::vector<std::string>& arguments);
// Makes the change the arguments describe and returns the exit code that carries its result;
// kElevatedMalformed, touching nothing, for arguments it does not fully understand.
int RunElevatedChange(const std::vector<std::string>& arguments, const ConnectServicesFunction& connectServices);

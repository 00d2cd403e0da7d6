#pragma once
// The program's start-up sequence, shared by both program entries; they differ only in the
// services the main window connects to.
#include <functional>
#include <string>
#include <vector>

#include "app/mainformunit.h"

// What an entry makes ready for the run, called once the run is known to be one that goes on
// (the tray program, or an elevated run of one change), never by a second start, which ends:
// returns how the main window connects to its services.
using PrepareServicesFunction = std::function<ConnectServicesFunction()>;

// How long a second start waits for the first program's window while the first is starting.
inline constexpr DWORD kSecondStartPatience = 5000;
// How long a command waits for it: the first publishes its window before it connects to WMI,
// but its own start may be slow at logon too; two minutes covers a WMI service that answers a
// minute late.
inline constexpr DWORD kCommandPatience = 120000;

// Initialises COM and the common controls, creates the hidden welcome dialog and the hidden
// main window, and runs the message loop until the program ends. Returns the exit code.
// `arguments`: the program's, after its name (ProgramArguments()).
int RunVelmora(const PrepareServicesFunction& prepareServices, const std::vector<std::string>& arguments);

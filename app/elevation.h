#pragma once
// Rights for one change: the tray program runs with the user's rights (Windows does not start
// a program that asks for elevation from the Run key), and a change that needs administrator
// rights runs this program once more, elevated through the shell's "runas" verb, for that
// change alone.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "core/processrights.h"

struct ElevatedRun {
    enum class Outcome {
        Finished,   // the elevated run ended with `exitCode`
        Declined,   // the user said No at the prompt
        Failed,     // it could not be started: `error`
        Abandoned,  // the program is ending and stopped waiting
    };
    Outcome outcome = Outcome::Failed;
    DWORD exitCode = 0;
    DWORD error = 0;
};

// Starts the program elevated with `parameters` and waits for it to end, handling the
// program's messages meanwhile, so that the tray and the windows keep answering.
ElevatedRun RunElevated(const std::string& parameters);

// What starts the elevated run: by default the shell's "runas" on ElevatedProgram(). Tests
// replace it; returns the previous one, and an empty function restores the shell.
using ElevatedLauncher = std::function<ElevatedRun(const std::string& program, const std::string& parameters)>;
ElevatedLauncher SetElevatedLauncher(ElevatedLauncher launcher);

// The program run elevated: this process's own file unless set (tests run the simulated
// program's build). Returns the previous setting.
std::string SetElevatedProgram(std::string path);
std::string ElevatedProgram();

struct ElevatedChange;
// Runs `change` elevated and returns the run's exit code. Returns none, after telling the user
// why in a message box over `owner`, when the change was not made: the prompt was declined,
// the run could not start or failed; and returns none quietly when the program is ending.
std::optional<DWORD> RunChangeElevated(HWND owner, const ElevatedChange& change);

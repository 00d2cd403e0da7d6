#pragma once
// Rights for one change: the tray program runs with the user's rights (Windows does not start
// a program that asks for elevation from the Run key), and a change that needs administrator
// rights runs this program once more, elevated through the shell's "runas" verb, for that
// change alone.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <optional>
#include <string>

#include "core/processrights.h"
#include "profiles/changepipeline.h"  // ElevatedAnswer

struct ElevatedRun {
    enum class Outcome {
        Finished,  // the elevated run ended with `exitCode`
        Declined,  // the user said No at the prompt
        Failed,    // it could not be started: `error`
    };
    Outcome outcome = Outcome::Failed;
    DWORD exitCode = 0;
    DWORD error = 0;
};

// Starts the program elevated with `parameters` and waits for it to end; Windows' consent
// prompt, owned by `owner`, waits for the user meanwhile. It takes as long as the user does:
// the caller is a thread of its own, never the user-interface thread.
ElevatedRun RunElevated(const std::string& parameters, HWND owner);

// What starts the elevated run: by default the shell's "runas" on ElevatedProgram(). Tests
// replace it; returns the previous one, and an empty function restores the shell.
using ElevatedLauncher = std::function<ElevatedRun(const std::string& program, const std::string& parameters)>;
ElevatedLauncher SetElevatedLauncher(ElevatedLauncher launcher);

// The shell call itself, which returns only once the consent prompt is answered. It runs on a
// thread of its own; tests replace it to play a prompt that takes its time. Returns the
// previous one; an empty function restores ShellExecuteExA.
using ShellExecuteCall = std::function<BOOL(SHELLEXECUTEINFOA& info)>;
ShellExecuteCall SetShellExecuteCall(ShellExecuteCall call);

// The program run elevated: this process's own file unless set (tests run the simulated
// program's build). Returns the previous setting.
std::string SetElevatedProgram(std::string path);
std::string ElevatedProgram();

// Runs `change` elevated (as RunElevated, on a thread of its own) and returns what it made, as
// the same change made in the program reports it; or, in words, why the run gave no result: the
// prompt was declined, the run could not start, or it ended in any other way than with its
// result (not understood, failed, crashed, ended from outside).
ElevatedAnswer RunChangeElevated(HWND owner, const ElevatedChange& change);

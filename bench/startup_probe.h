#pragma once
// Measures a program from the inside: when its tray icon went into the notification area, when
// its message loop first ran idle after that, and what it holds once idle. Writes one line to
// the file named by VELMORA_BENCH_OUT and ends the process.
#include <windows.h>
#include <shellapi.h>

#include <string>

// The notification area as the program calls it: the real one, with the measurement attached.
BOOL ProbedNotifyArea(DWORD message, NOTIFYICONDATAA& record);

// A start shows no message box: one that appears ends the process with this code, its text
// written to the file named by VELMORA_BENCH_OUT with ".box" added, for the benchmark to fail with.
constexpr DWORD kMessageBoxExitCode = 3;
[[noreturn]] void EndOnMessageBox(const std::string& text);

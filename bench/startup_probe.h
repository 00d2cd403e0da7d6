#pragma once
// Measures a program from the inside: when its tray icon went into the notification area, when
// its message loop first ran idle after that, and what it holds once idle. Writes one line to
// the file named by VELMORA_BENCH_OUT and ends the process.
#include <windows.h>
#include <shellapi.h>

// The notification area as the program calls it: the real one, with the measurement attached.
BOOL ProbedNotifyArea(DWORD message, NOTIFYICONDATAA& record);

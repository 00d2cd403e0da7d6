#pragma once
// How a thread waits while a simulated WMI call takes its time: as it waits for the answer of
// an out-of-process COM server, which the real WMI service is.
#include <windows.h>

// Blocks the calling thread for `milliseconds` (not at all for 0). In a single-threaded
// apartment it waits in COM's modal loop, as CoWaitForMultipleHandles does with no flags:
// messages sent from other threads are handled meanwhile; posted messages, timers and input wait
// in the queue until the call returns. In the multithreaded apartment, or without COM, it is a
// plain wait.
void WaitAsForComServer(DWORD milliseconds);

#pragma once
// Waiting without going deaf. Windows' configuration calls take seconds, and a thread that
// makes such a call waits in its apartment's modal loop, which dispatches none of the user's
// input, posted messages or timers (CoWaitForMultipleHandles, "single-threaded apartments"):
// the tray and the windows would not answer. So the calls run on a thread of their own, and
// the user-interface thread waits for them here, handling its messages as the message loop
// would. Everything the program shows stays on the user-interface thread.
#include <windows.h>

#include <functional>

enum class WaitEnd {
    Signalled,
    TimedOut,
    Failed,         // the wait itself failed (GetLastError's code in `error`)
    ProgramEnding,  // "Exit" was chosen meanwhile: no more messages were handled
};

// Waits until `object` is signalled or `milliseconds` have passed (INFINITE: no limit), handling
// the program's messages meanwhile. Once the program is ending it stops handling them and, when
// `finishWhenEnding`, goes on waiting for the object without a limit, so that what it waits for
// is never cut off half-way; otherwise it returns ProgramEnding at once.
WaitEnd WaitHandlingMessages(HANDLE object, DWORD milliseconds, bool finishWhenEnding, DWORD* error = nullptr);

// Lets `milliseconds` pass while the program's messages are handled; false when the program is
// ending (at once, or by then).
bool PauseHandlingMessages(DWORD milliseconds);

// Runs `work` on a thread of its own, in COM's multithreaded apartment, and waits for it as
// WaitHandlingMessages does: `work` always ends before this returns, also when the program is
// ending meanwhile (ProgramEnding). An exception `work` raises is raised here. `work` must touch
// nothing the user-interface thread may change meanwhile: only what it was given and its result.
WaitEnd RunInBackground(const std::function<void()>& work);

#pragma once
// Work that ends by a message. Windows' configuration calls take seconds, and a thread that
// makes such a call waits in its apartment's modal loop, which dispatches none of the user's
// input, posted messages or timers (CoWaitForMultipleHandles, "single-threaded apartments"). So
// the calls run on a thread of their own, and what follows them runs on the user-interface
// thread from whichever message loop runs next, posted to a message-only window of the owner's
// own: no handler waits in a loop of its own, and no message re-enters a handler half-way.
//
// Each owner of state that such work changes has one LoopWork; every continuation it is given
// runs inside the error boundary, its error shown once it has returned.
#include <windows.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <memory>

#include "core/handles.h"

class LoopWork {
public:
    LoopWork();
    // Waits for the threads still running whose work may reach what the owner lends them
    // (Background's `finish`); a continuation not yet run is dropped.
    ~LoopWork();
    LoopWork(const LoopWork&) = delete;
    LoopWork& operator=(const LoopWork&) = delete;

    // How the background work's thread ends: waited for by the destructor, or left to end on
    // its own (work that holds only what it was given, such as a first connection that Windows
    // may hold up for minutes while the program is asked to end).
    enum class AtEnd { Finish, Leave };

    // Runs `work` on a thread of its own, in COM's multithreaded apartment; the thread ends with
    // it. Then `ended` runs here with the exception `work` raised, or none. `work` must touch
    // nothing the user-interface thread may change meanwhile: only what it captured by value.
    void Background(std::function<void()> work, std::function<void(std::exception_ptr)> ended,
                    AtEnd atEnd = AtEnd::Finish);
    // Runs `then` once the handler that asks has returned.
    void Post(std::function<void()> then);
    // Runs `then` once `milliseconds` have passed. Only one waits at a time: a new one replaces it.
    void After(DWORD milliseconds, std::function<void()> then);

    // A function any thread may call, as often as it likes, to have `then` run here from the
    // message loop; calls that come before it has run are run once (Windows' notifications come
    // in bursts). Calling it after this LoopWork has gone does nothing.
    std::function<void()> FromAnyThread(std::function<void()> then);

    // Continuations waiting for their message (posted, timed, or background work not ended).
    bool Pending() const noexcept { return !m_jobs.empty() || !m_posted.empty() || m_afterThen != nullptr; }

private:
    struct Job;
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static DWORD WINAPI JobThread(void* context);
    void JobEnded(uint64_t ticket);
    void RunPosted(uint64_t ticket);
    void RunAfter();

    UniqueHwnd m_window;
    uint64_t m_nextTicket = 1;
    std::map<uint64_t, std::shared_ptr<Job>> m_jobs;
    std::map<uint64_t, std::function<void()>> m_posted;
    std::function<void()> m_afterThen;  // set while a timed continuation waits
    struct Signal;
    std::map<uint64_t, std::shared_ptr<Signal>> m_signals;
    void RunSignal(uint64_t ticket);
};

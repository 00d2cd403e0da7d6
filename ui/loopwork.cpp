#include "ui/loopwork.h"

#include <objbase.h>

#include <atomic>
#include <utility>

#include "core/check.h"
#include "core/errorbox.h"
#include "core/privatemessages.h"

namespace {
constexpr char kLoopWorkClass[] = "VelmoraLoopWork";
constexpr UINT_PTR kAfterTimer = 1;

// A continuation runs inside the boundary; its error is shown once it has returned, from the
// message loop, so that the box's own loop never runs inside the owner's half-made change.
void RunGuarded(const std::function<void()>& then)
{
    Guarded(
        [&] {
            if (then) then();
            return true;
        },
        false, ErrorShown::Later);
}
}  // namespace

// What the thread and the owner share: the thread ends with its own reference, so a job whose
// owner has gone is freed by its thread.
struct LoopWork::Job {
    std::function<void()> work;
    std::function<void(std::exception_ptr)> ended;
    std::exception_ptr raised;
    HWND window = nullptr;
    uint64_t ticket = 0;
    UniqueHandle thread;
    AtEnd atEnd = AtEnd::Finish;
};

LoopWork::LoopWork()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &LoopWork::WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kLoopWorkClass;
    RegisterClassA(&windowClass);  // fails harmlessly when already registered
    m_window.reset(CreateWindowExA(0, kLoopWorkClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleA(nullptr), nullptr));
    CheckWin32(m_window.get() != nullptr, "CreateWindowExA");
    SetWindowLongPtrA(m_window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

LoopWork::~LoopWork()
{
    SetWindowLongPtrA(m_window.get(), GWLP_USERDATA, 0);
    for (auto& [ticket, job] : m_jobs) {
        // The work may reach what the owner lent it: the owner stays until it has ended. No
        // message is handled meanwhile, and its continuation is dropped.
        if (job->atEnd == AtEnd::Finish && job->thread) WaitForSingleObject(job->thread.get(), INFINITE);
    }
}

void LoopWork::Background(std::function<void()> work, std::function<void(std::exception_ptr)> ended, AtEnd atEnd)
{
    auto job = std::make_shared<Job>();
    job->work = std::move(work);
    job->ended = std::move(ended);
    job->window = m_window.get();
    job->ticket = m_nextTicket++;
    job->atEnd = atEnd;
    auto* context = new std::shared_ptr<Job>(job);
    job->thread.reset(CreateThread(nullptr, 0, &LoopWork::JobThread, context, 0, nullptr));
    if (!job->thread) {
        const DWORD error = GetLastError();
        delete context;
        RaiseCallError(error, "CreateThread", std::source_location::current());
    }
    m_jobs[job->ticket] = std::move(job);
}

DWORD WINAPI LoopWork::JobThread(void* context)
{
    const std::unique_ptr<std::shared_ptr<Job>> owned(static_cast<std::shared_ptr<Job>*>(context));
    Job& job = **owned;
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    try {
        job.work();
    } catch (...) {
        job.raised = std::current_exception();
    }
    // What the work captured goes with this thread, not with the owner's continuation.
    job.work = nullptr;
    if (com) CoUninitialize();
    // A window gone (its owner too) takes no message: the job is freed here.
    PostMessageA(job.window, kWorkEndedMessage, static_cast<WPARAM>(job.ticket), 0);
    return 0;
}

void LoopWork::Post(std::function<void()> then)
{
    const uint64_t ticket = m_nextTicket++;
    m_posted[ticket] = std::move(then);
    if (!PostMessageA(m_window.get(), kRunPostedMessage, static_cast<WPARAM>(ticket), 0)) {
        const DWORD error = GetLastError();
        m_posted.erase(ticket);
        RaiseCallError(error, "PostMessageA", std::source_location::current());
    }
}

void LoopWork::After(DWORD milliseconds, std::function<void()> then)
{
    m_afterThen = std::move(then);
    CheckWin32(SetTimer(m_window.get(), kAfterTimer, milliseconds, nullptr) != 0, "SetTimer");
}

// What a caller on another thread and the owner share: one message on its way at a time.
struct LoopWork::Signal {
    std::function<void()> then;
    std::atomic<bool> posted{false};
};

std::function<void()> LoopWork::FromAnyThread(std::function<void()> then)
{
    const uint64_t ticket = m_nextTicket++;
    auto signal = std::make_shared<Signal>();
    signal->then = std::move(then);
    m_signals[ticket] = signal;
    return [window = m_window.get(), ticket, weak = std::weak_ptr<Signal>(signal)] {
        const std::shared_ptr<Signal> alive = weak.lock();
        if (alive && !alive->posted.exchange(true))
            PostMessageA(window, kRunSignalMessage, static_cast<WPARAM>(ticket), 0);
    };
}

void LoopWork::RunSignal(uint64_t ticket)
{
    const auto found = m_signals.find(ticket);
    if (found == m_signals.end()) return;
    const std::shared_ptr<Signal> signal = found->second;
    signal->posted = false;
    RunGuarded(signal->then);
}

void LoopWork::JobEnded(uint64_t ticket)
{
    const auto found = m_jobs.find(ticket);
    if (found == m_jobs.end()) return;
    const std::shared_ptr<Job> job = std::move(found->second);
    m_jobs.erase(found);
    // The thread has posted its last word; it ends by itself.
    RunGuarded([&] {
        if (job->ended) job->ended(job->raised);
    });
}

void LoopWork::RunPosted(uint64_t ticket)
{
    const auto found = m_posted.find(ticket);
    if (found == m_posted.end()) return;
    const std::function<void()> then = std::move(found->second);
    m_posted.erase(found);
    RunGuarded(then);
}

void LoopWork::RunAfter()
{
    KillTimer(m_window.get(), kAfterTimer);
    const std::function<void()> then = std::exchange(m_afterThen, nullptr);
    RunGuarded(then);
}

LRESULT CALLBACK LoopWork::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* owner = reinterpret_cast<LoopWork*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (owner != nullptr) {
        switch (message) {
        case kWorkEndedMessage: owner->JobEnded(static_cast<uint64_t>(wParam)); return 0;
        case kRunPostedMessage: owner->RunPosted(static_cast<uint64_t>(wParam)); return 0;
        case kRunSignalMessage: owner->RunSignal(static_cast<uint64_t>(wParam)); return 0;
        case WM_TIMER:
            if (wParam == kAfterTimer) {
                owner->RunAfter();
                return 0;
            }
            break;
        default: break;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

#include "ui/messagewait.h"

#include <objbase.h>

#include <exception>
#include <memory>

#include "core/check.h"
#include "core/error.h"
#include "core/handles.h"
#include "ui/application.h"

namespace {
bool ProgramEnding()
{
    const TApplication* application = TApplication::Current();
    MSG quit;
    // A quit stays posted for the loop that owns it: seen here, it ends the waiting.
    return (application != nullptr && application->Terminated()) ||
           PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE);
}

void HandleMessages()
{
    if (TApplication* application = TApplication::Current()) {
        application->ProcessMessages();
        return;
    }
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

struct BackgroundWork {
    std::function<void()> work;
    std::exception_ptr raised;
};

DWORD WINAPI BackgroundThread(void* context)
{
    auto& background = *static_cast<BackgroundWork*>(context);
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    try {
        background.work();
    } catch (...) {
        background.raised = std::current_exception();
    }
    if (com) CoUninitialize();
    return 0;
}
}  // namespace

WaitEnd WaitHandlingMessages(HANDLE object, DWORD milliseconds, bool finishWhenEnding, DWORD* error)
{
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        if (ProgramEnding()) {
            if (!finishWhenEnding) return WaitEnd::ProgramEnding;
            // Nothing is handled any more: the program goes once this has ended.
            const DWORD last = WaitForSingleObject(object, INFINITE);
            if (last == WAIT_FAILED && error != nullptr) *error = GetLastError();
            return last == WAIT_FAILED ? WaitEnd::Failed : WaitEnd::ProgramEnding;
        }
        DWORD left = INFINITE;
        if (milliseconds != INFINITE) {
            const ULONGLONG waited = GetTickCount64() - start;
            if (waited >= milliseconds) return WaitEnd::TimedOut;
            left = static_cast<DWORD>(milliseconds - waited);
        }
        // MWMO_INPUTAVAILABLE: a message already looked at (the quit check above peeks at the
        // queue) must wake the wait too, or a pending timer waits for the object
        // (MsgWaitForMultipleObjectsEx).
        const DWORD woken = MsgWaitForMultipleObjectsEx(
            object != nullptr ? 1 : 0, object != nullptr ? &object : nullptr, left, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken == WAIT_OBJECT_0 && object != nullptr) return WaitEnd::Signalled;
        if (woken == WAIT_TIMEOUT) return WaitEnd::TimedOut;
        if (woken == WAIT_FAILED) {
            if (error != nullptr) *error = GetLastError();
            return WaitEnd::Failed;
        }
        HandleMessages();
    }
}

bool PauseHandlingMessages(DWORD milliseconds)
{
    return WaitHandlingMessages(nullptr, milliseconds, false) == WaitEnd::TimedOut;
}

WaitEnd RunInBackground(const std::function<void()>& work)
{
    // The thread's data lives in this frame: this function returns only once the thread ended.
    BackgroundWork background{work, nullptr};
    UniqueHandle thread(CreateThread(nullptr, 0, &BackgroundThread, &background, 0, nullptr));
    CheckWin32(thread.get() != nullptr, "CreateThread");
    DWORD error = 0;
    WaitEnd end = WaitHandlingMessages(thread.get(), INFINITE, true, &error);
    if (end == WaitEnd::Failed) {
        // The thread still uses this frame: it must end before the frame goes.
        WaitForSingleObject(thread.get(), INFINITE);
        RaiseError(SystemMessageText(error));
    }
    if (background.raised) std::rethrow_exception(background.raised);
    return end;
}

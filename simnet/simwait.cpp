#include "simnet/simwait.h"

#include <objbase.h>

#include <chrono>

#include "core/handles.h"

namespace {
bool InSingleThreadedApartment()
{
    // CoGetApartmentType: APTTYPE_MAINSTA is the process's first single-threaded apartment.
    APTTYPE type = APTTYPE_CURRENT;
    APTTYPEQUALIFIER qualifier = APTTYPEQUALIFIER_NONE;
    if (FAILED(CoGetApartmentType(&type, &qualifier))) return false;  // CO_E_NOTINITIALIZED: no COM here
    return type == APTTYPE_STA || type == APTTYPE_MAINSTA;
}
}  // namespace

void WaitAsForComServer(DWORD milliseconds)
{
    if (milliseconds == 0) return;
    // An event nobody sets: only the time ends the wait.
    const UniqueHandle never(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!never) return;
    HANDLE handle = never.get();
    const bool sta = InSingleThreadedApartment();
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (auto now = std::chrono::steady_clock::now(); now < end; now = std::chrono::steady_clock::now()) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - now).count();
        if (sta) {
            // A thread calling another process's COM server waits in the COM modal loop
            // (CoWaitForMultipleHandles, Remarks: in a single-threaded apartment it "enters the
            // COM modal loop", in the multithreaded apartment it calls WaitForMultipleObjectsEx).
            // With no flags it dispatches no window messages: COWAIT_FLAGS enumeration,
            // COWAIT_DISPATCH_WINDOW_MESSAGES: "default in STA is only a small set of
            // special-cased messages dispatched". Messages sent from other threads are handled
            // meanwhile (Wine does so too, and no posted message, timer or input).
            DWORD signalled = 0;
            CoWaitForMultipleHandles(0, static_cast<DWORD>(left), 1, &handle, &signalled);
        } else {
            WaitForSingleObject(handle, static_cast<DWORD>(left));
        }
    }
}

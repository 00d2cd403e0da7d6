#include "startup_probe.h"

#include <psapi.h>

#include <cstdio>
#include <cstdlib>

namespace {
double g_iconMs = 0;
double g_readyMs = 0;

double MsSinceProcessStart()
{
    FILETIME creation, exitTime, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &creation, &exitTime, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(now) - ticks(creation)) / 10000.0;
}

void CALLBACK Idle(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    const char* out = std::getenv("VELMORA_BENCH_OUT");
    if (out != nullptr) {
        if (FILE* file = std::fopen(out, "a")) {
            std::fprintf(file, "%.3f %.3f %zu %zu %lu %lu %lu\n", g_iconMs, g_readyMs,
                         (memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage) / 1024,
                         memory.WorkingSetSize / 1024, GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                         GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), handles);
            std::fclose(file);
        }
    }
    ExitProcess(0);
}

void CALLBACK Ready(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    g_readyMs = MsSinceProcessStart();
    const char* idle = std::getenv("VELMORA_BENCH_IDLE_MS");
    SetTimer(nullptr, 0, idle != nullptr ? static_cast<UINT>(std::atoi(idle)) : 1000, &Idle);
}
}  // namespace

BOOL ProbedNotifyArea(DWORD message, NOTIFYICONDATAA& record)
{
    const BOOL done = Shell_NotifyIconA(message, &record);
    if (message == NIM_ADD && g_iconMs == 0) {
        g_iconMs = MsSinceProcessStart();
        // Fires once the message loop runs: the program has finished starting.
        SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &Ready);
    }
    return done;
}

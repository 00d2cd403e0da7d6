#include "startup_probe.h"

#include <psapi.h>

#include <cstdio>
#include <cstdint>
#include <cstdlib>

namespace {
double g_iconMs = 0;
double g_readyMs = 0;
DWORD g_windowsAtIcon = 0;

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

// Wine's GetProcessHandleCount answers 0: then count the handle values that name an object.
DWORD HandleCount()
{
    DWORD handles = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &handles) && handles != 0) return handles;
    for (uintptr_t value = 4; value < 65536; value += 4) {
        DWORD flags = 0;
        handles += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
    }
    return handles;
}

BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<DWORD*>(count);
    return TRUE;
}

BOOL CALLBACK CountOwnWindow(HWND window, LPARAM count)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return TRUE;
    ++*reinterpret_cast<DWORD*>(count);
    EnumChildWindows(window, &CountChild, count);
    return TRUE;
}

// Wine's GetGuiResources answers 0 for USER objects: then count the windows, the bulk of them.
DWORD UserObjectCount()
{
    DWORD count = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (count == 0) EnumWindows(&CountOwnWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

void CALLBACK Idle(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    const char* out = std::getenv("VELMORA_BENCH_OUT");
    if (out != nullptr) {
        if (FILE* file = std::fopen(out, "a")) {
            std::fprintf(file, "%.3f %.3f %zu %zu %lu %lu %lu %lu\n", g_iconMs, g_readyMs,
                         (memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage) / 1024,
                         memory.WorkingSetSize / 1024, GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                         UserObjectCount(), HandleCount(), g_windowsAtIcon);
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
        // Every window the start made before it could show its icon, child windows included.
        EnumWindows(&CountOwnWindow, reinterpret_cast<LPARAM>(&g_windowsAtIcon));
        // Fires once the message loop runs: the program has finished starting.
        SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &Ready);
    }
    return done;
}

void EndOnMessageBox(const std::string& text)
{
    const char* out = std::getenv("VELMORA_BENCH_OUT");
    if (out != nullptr) {
        if (FILE* file = std::fopen((std::string(out) + ".box").c_str(), "w")) {
            std::fputs(text.c_str(), file);
            std::fclose(file);
        }
    }
    ExitProcess(kMessageBoxExitCode);
}

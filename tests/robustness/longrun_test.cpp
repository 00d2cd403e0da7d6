// The main window on the simulated network driven through many activations, refreshes,
// showings and tray menus, as weeks in the tray would: after a warm-up, the process's memory,
// kernel handles and windows must stay where they were.
//
// VELMORA_SOAK_ITERATIONS sets the length (scripts/soak.sh runs 10,000); CI runs the default.
// Wine's GetGuiResources answers 0, so GDI and USER objects are not counted directly: the
// windows of the process stand for the USER side, and a GDI object that leaked would show in
// the process's memory.
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "profiles/iprofile.h"
#include "simnet/simnetwork.h"
#include "support/boxes.h"
#include "support/mainwindowdriver.h"
#include "support/seams.h"
#include "support/tempfolder.h"
#include "tray/trayicon.h"
#include "ui/shell.h"

namespace {
struct Sample {
    SIZE_T memory = 0;  // private bytes; the page-file usage where Wine reports no private bytes
    DWORD handles = 0;
    int windows = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        ++*reinterpret_cast<int*>(count);
        EnumChildWindows(window, CountChild, count);
    }
    return TRUE;
}

Sample Measure()
{
    Sample sample;
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    sample.memory = counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
    // Wine's GetProcessHandleCount answers 0: count the handle values that name an object.
    for (uintptr_t value = 4; value < 65536; value += 4) {
        DWORD flags = 0;
        sample.handles += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
    }
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&sample.windows));
    return sample;
}

int Iterations()
{
    const char* text = std::getenv("VELMORA_SOAK_ITERATIONS");
    const int n = text ? std::atoi(text) : 0;
    return n > 0 ? n : 300;
}

const char* const kStore =
    "[0]\r\nip=192.168.1.10\r\nmask=255.255.255.0\r\ngw=192.168.1.1\r\ndns1=192.168.1.1\r\ndns2=8.8.8.8\r\n"
    "name=Office\r\ndhcp=0\r\n"
    "[1]\r\nip=\r\nmask=\r\ngw=\r\ndns1=\r\ndns2=\r\nname=Home\r\ndhcp=1\r\n"
    "[2]\r\nip=10.0.0.5\r\nmask=255.0.0.0\r\ngw=\r\ndns1=\r\ndns2=\r\nname=Lab\r\ndhcp=0\r\n";
}  // namespace

TEST(LongRun, ActivationsRefreshesShowingsAndMenusLeaveMemoryHandlesAndWindowsAsAfterWarmUp)
{
    // Boxes are counted, not shown; the tray is a stand-in that keeps nothing.
    MessageBoxRecorder boxes;
    const SeamGuard<ShellOpenFunction> shell(SetShellOpen, [](const std::string&) {});
    const SeamGuard<TTrayIcon::NotifyAreaFunction> area(TTrayIcon::SetNotifyArea,
                                                        [](DWORD, NOTIFYICONDATAA&) { return TRUE; });
    TempFolder folder;
    WriteFileBytes(folder.File("profiles.ini"), kStore);
    const ValueGuard<std::string> store(ProfileIniPath, folder.File("profiles.ini"));

    SimNetwork network = MakeDemoNetwork(8);
    Sample warm, last;
    int menusShown = 0;
    const int iterations = Iterations();
    const int warmUp = iterations / 10 < 30 ? 30 : iterations / 10;
    {
        MainWindowDriver window;
        TForm1& form = *(window.form = &window.application.CreateForm<TForm1>([&] { return network.Services(); }));
        window.Settle();
        for (int i = 0; i < warmUp + iterations; ++i) {
            if (i == warmUp) warm = Measure();
            // The simulated network logs every call for tests to read: that log is the test's
            // memory, not the program's.
            network.ClearCalls();
            window.Choose(form.Profiles->ApplyNextProfile1);  // an activation, which ends in a refresh
            form.refreshdata();
            if (i % 10 == 0) {
                window.Choose(form.Configuration1);  // the window shown, with its own refresh
                window.Click(*form.Button2);         // and hidden by "Cancel"
                menusShown += window.PressTrayIcon(WM_RBUTTONDOWN);
            }
        }
        last = Measure();
        ASSERT_TRUE(IsWindow(form.Handle()));
        EXPECT_FALSE(window.application.Terminated());
    }

    std::printf("long run: %d iterations after %d of warm-up, %d tray menus shown\n", iterations, warmUp, menusShown);
    std::printf("  memory  %zu -> %zu bytes\n  handles %lu -> %lu\n  windows %d -> %d\n", warm.memory, last.memory,
                warm.handles, last.handles, warm.windows, last.windows);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(menusShown, (warmUp + iterations + 9) / 10);
    EXPECT_EQ(last.handles, warm.handles);
    EXPECT_EQ(last.windows, warm.windows);
    // The heap may settle by a page or two after the warm-up; a leak of even a few bytes per
    // iteration would pass this bound only on very short runs.
    EXPECT_LE(last.memory, warm.memory + 64 * 1024);
}

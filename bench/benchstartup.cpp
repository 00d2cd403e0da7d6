// Start-up, from process start until the tray icon is in the notification area (and until
// the message loop first runs idle), and what the program holds idle in the tray; each beside
// a bare program with one window and one tray icon.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "benchstoredata.h"
#include "benchtiming.h"
#include "profiles/iprofile.h"

namespace {
struct Figures {
    double iconMs = 0, readyMs = 0, privateKb = 0, workingKb = 0, gdi = 0, user = 0, handles = 0, windowsAtIcon = 0;
};

std::string ProgramFile(const std::string& name) { return ProgramFolder() + name; }

struct Setup {
    std::string copy;  // the program, copied into its own folder
    std::string folder;
    std::string figures;  // where each start appends its line of figures
    int adapters;
    int idleMs;  // how long a start idles in the tray before it counts its memory and ends
};

Setup Prepare(const std::string& program, const std::string& folder, int profiles, int adapters, int idleMs)
{
    CreateDirectoryA(folder.c_str(), nullptr);
    Setup setup{folder + "program.exe", folder, folder + "figures.txt", adapters, idleMs};
    CopyFileA(program.c_str(), setup.copy.c_str(), FALSE);
    if (profiles > 0) WriteBenchStore(folder + "profiles.ini", profiles);
    DeleteFileA(setup.figures.c_str());
    return setup;
}

void StartOnce(const Setup& setup)
{
    SetEnvironmentVariableA("VELMORA_BENCH_OUT", setup.figures.c_str());
    SetEnvironmentVariableA("VELMORA_BENCH_ADAPTERS", std::to_string(setup.adapters).c_str());
    SetEnvironmentVariableA("VELMORA_BENCH_IDLE_MS", std::to_string(setup.idleMs).c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string command = "\"" + setup.copy + "\"";
    if (!CreateProcessA(setup.copy.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, setup.folder.c_str(),
                        &startup, &process)) {
        std::printf("cannot start %s\n", setup.copy.c_str());
        return;
    }
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

Figures Collect(const Setup& setup)
{
    std::vector<double> columns[8];
    if (FILE* file = std::fopen(setup.figures.c_str(), "r")) {
        double v[8];
        while (std::fscanf(file, "%lf %lf %lf %lf %lf %lf %lf %lf", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6],
                           &v[7]) == 8) {
            for (int c = 0; c < 8; ++c)
                columns[c].push_back(v[c]);
        }
        std::fclose(file);
    }
    return {Median(columns[0]), Median(columns[1]), Median(columns[2]), Median(columns[3]),
            Median(columns[4]), Median(columns[5]), Median(columns[6]), Median(columns[7])};
}

struct Compared {
    Figures program, bare, platform;  // platform: the bare program with COM and the common controls
};

// The program and the bare ones start by turns, so that a machine busier in one stretch of the
// run weighs on all alike.
Compared Compare(const std::string& name, int profiles, int adapters, int idleMs, const std::string& folder, int runs)
{
    const Setup program =
        Prepare(ProgramFile("velmora-bench-startup.exe"), folder + name + "\\", profiles, adapters, idleMs);
    const Setup bare = Prepare(ProgramFile("velmora-bench-bare.exe"), folder + name + "-bare\\", 0, 0, idleMs);
    const Setup platform =
        Prepare(ProgramFile("velmora-bench-bare-platform.exe"), folder + name + "-platform\\", 0, 0, idleMs);
    for (int i = 0; i < runs; ++i) {
        StartOnce(bare);
        StartOnce(platform);
        StartOnce(program);
    }
    return {Collect(program), Collect(bare), Collect(platform)};
}

constexpr char kAgainstPlatform[] = "  the same, against the bare one with COM and comctl32";
}  // namespace

void BenchStartup(const std::string& folder, int runs)
{
    PrintHeading("Start-up under Wine (median of " + std::to_string(runs) +
                 " starts; reference: one window and one tray icon, started by turns with it)");
    for (int profiles : {10, 1000}) {
        for (int adapters : {8, 64}) {
            const std::string name = std::to_string(profiles) + " profiles, " + std::to_string(adapters) + " adapters";
            // Folder names like "10p8a".
            const std::string tag = std::to_string(profiles) + "p" + std::to_string(adapters) + "a";
            const Compared c = Compare(tag, profiles, adapters, 0, folder, runs);
            PrintRow("to tray icon, " + name, c.program.iconMs, c.bare.iconMs);
            PrintRow(kAgainstPlatform, c.program.iconMs, c.platform.iconMs);
            PrintRow("to first idle, " + name, c.program.readyMs, c.bare.readyMs);
            PrintRow("  windows made before the tray icon", c.program.windowsAtIcon, c.bare.windowsAtIcon, "");
        }
    }

    // Idle a while, as in the tray all day, before counting what the program holds.
    const Compared idle = Compare("idle", 100, 8, 1000, folder, (runs + 1) / 2);
    PrintHeading("Idle in the tray, 100 profiles, 8 adapters (reference: the bare program)");
    PrintRow("private bytes", idle.program.privateKb, idle.bare.privateKb, "KB");
    PrintRow(kAgainstPlatform, idle.program.privateKb, idle.platform.privateKb, "KB");
    PrintRow("working set", idle.program.workingKb, idle.bare.workingKb, "KB");
    PrintRow(kAgainstPlatform, idle.program.workingKb, idle.platform.workingKb, "KB");
    PrintRow("GDI objects (Wine counts none)", idle.program.gdi, idle.bare.gdi, "");
    PrintRow("USER objects (under Wine: windows)", idle.program.user, idle.bare.user, "");
    PrintRow("kernel handles", idle.program.handles, idle.bare.handles, "");
}

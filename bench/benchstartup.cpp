// Start-up, from process start until the tray icon is in the notification area (and until
// the message loop first runs idle), and what the program holds idle in the tray; each beside
// a bare program with one window and one tray icon.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "benchstoredata.h"
#include "benchtiming.h"
#include "core/handles.h"
#include "profiles/iprofile.h"
#include "startup_probe.h"

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

Setup Prepare(const std::string& program, const std::string& folder, int profiles, int adapters, int idleMs,
              bool located = false)
{
    CreateDirectoryA(folder.c_str(), nullptr);
    Setup setup{folder + "program.exe", folder, folder + "figures.txt", adapters, idleMs};
    CopyFileA(program.c_str(), setup.copy.c_str(), FALSE);
    if (profiles > 0) WriteBenchStore(folder + "profiles.ini", profiles, located);
    DeleteFileA(setup.figures.c_str());
    DeleteFileA((setup.figures + ".box").c_str());
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
    const UniqueHandle thread(process.hThread);
    const UniqueHandle started(process.hProcess);
    if (WaitForSingleObject(started.get(), 60000) != WAIT_OBJECT_0) TerminateProcess(started.get(), 1);
    DWORD exitCode = 0;
    GetExitCodeProcess(started.get(), &exitCode);
    if (exitCode == kMessageBoxExitCode) {
        std::string text;
        if (FILE* file = std::fopen((setup.figures + ".box").c_str(), "r")) {
            char line[1024];
            while (std::fgets(line, sizeof line, file) != nullptr)
                text += line;
            std::fclose(file);
        }
        FailBenchmark("a message box appeared at start-up in " + setup.folder + ": " + text);
    }
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
    Figures earlier;                  // an earlier build of the program, when one is compared
    bool hasEarlier = false;
};

// The program and the bare ones (and an earlier build of the program, when `earlierProgram`
// names one) start by turns, so that a machine busier in one stretch of the run weighs on all alike.
Compared Compare(const std::string& name, int profiles, int adapters, int idleMs, const std::string& folder, int runs,
                 const std::string& earlierProgram)
{
    const Setup program =
        Prepare(ProgramFile("velmora-bench-startup.exe"), folder + name + "\\", profiles, adapters, idleMs);
    const Setup bare = Prepare(ProgramFile("velmora-bench-bare.exe"), folder + name + "-bare\\", 0, 0, idleMs);
    const Setup platform =
        Prepare(ProgramFile("velmora-bench-bare-platform.exe"), folder + name + "-platform\\", 0, 0, idleMs);
    const bool hasEarlier = !earlierProgram.empty();
    const Setup earlier =
        hasEarlier ? Prepare(earlierProgram, folder + name + "-earlier\\", profiles, adapters, idleMs) : Setup{};
    for (int i = 0; i < runs; ++i) {
        StartOnce(bare);
        StartOnce(platform);
        if (hasEarlier) StartOnce(earlier);
        StartOnce(program);
    }
    return {Collect(program), Collect(bare), Collect(platform), hasEarlier ? Collect(earlier) : Figures{}, hasEarlier};
}

// This build's figure beside the reference's; with an earlier build compared, its figure beside them.
void Row(const Compared& c, const std::string& what, double Figures::*field, const Figures& reference,
         const std::string& unit = "ms")
{
    if (c.hasEarlier) {
        PrintTurnsRow(what, c.earlier.*field, c.program.*field, reference.*field, unit);
    } else {
        PrintRow(what, c.program.*field, reference.*field, unit);
    }
}

void Heading(const std::string& title, bool withEarlier)
{
    if (withEarlier) {
        PrintTurnsHeading(title);
    } else {
        PrintHeading(title);
    }
}

constexpr char kAgainstPlatform[] = "  the same, against the bare one with COM and comctl32";
}  // namespace

void BenchStartup(const std::string& folder, int runs, const std::string& earlierFolder)
{
    const bool withEarlier = !earlierFolder.empty();
    const std::string earlierProgram = withEarlier ? earlierFolder + "velmora-bench-startup.exe" : "";
    const std::string byTurns = withEarlier ? " and with the earlier build" : "";
    Heading("Start-up under Wine (median of " + std::to_string(runs) +
                " starts; reference: one window and one tray icon, started by turns with it" + byTurns + ")",
            withEarlier);
    // Profiles and adapters; 10,000 profiles make more tray menu items than menu commands have ids.
    const std::pair<int, int> starts[] = {{10, 8}, {10, 64}, {1000, 8}, {1000, 64}, {10000, 8}};
    for (const auto& [profiles, adapters] : starts) {
        const std::string name = std::to_string(profiles) + " profiles, " + std::to_string(adapters) + " adapters";
        // Folder names like "10p8a".
        const std::string tag = std::to_string(profiles) + "p" + std::to_string(adapters) + "a";
        const Compared c = Compare(tag, profiles, adapters, 0, folder, runs, earlierProgram);
        Row(c, "to tray icon, " + name, &Figures::iconMs, c.bare);
        Row(c, kAgainstPlatform, &Figures::iconMs, c.platform);
        Row(c, "to first idle, " + name, &Figures::readyMs, c.bare);
        Row(c, kAgainstPlatform, &Figures::readyMs, c.platform);
        Row(c, "  windows made before the tray icon", &Figures::windowsAtIcon, c.bare, "");
    }
    // Profiles that say where they belong, started by turns with the same profiles without: the
    // place is read once Windows answers, on a thread of its own, so the start takes as long.
    const std::string startup = ProgramFile("velmora-bench-startup.exe");
    const Setup plain = Prepare(startup, folder + "10p8a-plain\\", 10, 8, 0);
    const Setup located = Prepare(startup, folder + "10p8a-located\\", 10, 8, 0, true);
    for (int i = 0; i < runs; ++i) {
        StartOnce(plain);
        StartOnce(located);
    }
    const Figures withLocations = Collect(located);
    const Figures without = Collect(plain);
    Heading("Start-up with locations (reference: the same 10 profiles without, started by turns)", false);
    PrintRow("to tray icon, 10 profiles with locations, 8 adapters", withLocations.iconMs, without.iconMs);
    PrintRow("to first idle, 10 profiles with locations, 8 adapters", withLocations.readyMs, without.readyMs);

    // Idle a while, as in the tray all day, before counting what the program holds.
    const Compared idle = Compare("idle", 100, 8, 1000, folder, (runs + 1) / 2, earlierProgram);
    Heading("Idle in the tray, 100 profiles, 8 adapters (reference: the bare program)", withEarlier);
    Row(idle, "private bytes", &Figures::privateKb, idle.bare, "KB");
    Row(idle, kAgainstPlatform, &Figures::privateKb, idle.platform, "KB");
    Row(idle, "working set", &Figures::workingKb, idle.bare, "KB");
    Row(idle, kAgainstPlatform, &Figures::workingKb, idle.platform, "KB");
    Row(idle, "GDI objects (Wine counts none)", &Figures::gdi, idle.bare, "");
    Row(idle, "USER objects (under Wine: windows)", &Figures::user, idle.bare, "");
    Row(idle, "kernel handles", &Figures::handles, idle.bare, "");
}

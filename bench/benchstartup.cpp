// Start-up, from process start until the tray icon is in the notification area (and until
// the message loop first runs idle), and what the program holds idle in the tray; each beside
// a bare program with one window and one tray icon.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "benchtiming.h"
#include "profiles/iprofile.h"

namespace {
struct Figures {
    double iconMs = 0, readyMs = 0, privateKb = 0, workingKb = 0, gdi = 0, user = 0, handles = 0;
};

std::string ProgramFile(const std::string& name) { return ProgramFolder() + name; }

void WriteStore(const std::string& path, int count)
{
    TListItems list;
    for (int i = 0; i < count; ++i) {
        auto profile = std::make_unique<Tprofile>(list);
        profile->ip = "10.1." + std::to_string(i / 250) + "." + std::to_string(i % 250 + 1);
        profile->mask = "255.255.0.0";
        profile->gw = "10.1.0.1";
        profile->name = "Site " + std::to_string(i);
        list.Append(std::move(profile));
    }
    SaveProfilesTo(list, path);
}

Figures Run(const std::string& program, const std::string& folder, int profiles, int adapters, int runs)
{
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string copy = folder + "program.exe";
    CopyFileA(program.c_str(), copy.c_str(), FALSE);
    if (profiles > 0) WriteStore(folder + "profiles.ini", profiles);
    const std::string out = folder + "figures.txt";
    DeleteFileA(out.c_str());
    SetEnvironmentVariableA("VELMORA_BENCH_OUT", out.c_str());
    SetEnvironmentVariableA("VELMORA_BENCH_ADAPTERS", std::to_string(adapters).c_str());
    for (int i = 0; i < runs; ++i) {
        STARTUPINFOA startup{sizeof startup};
        PROCESS_INFORMATION process{};
        std::string command = "\"" + copy + "\"";
        if (!CreateProcessA(copy.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                            &process)) {
            std::printf("cannot start %s\n", copy.c_str());
            return {};
        }
        if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    std::vector<double> columns[7];
    if (FILE* file = std::fopen(out.c_str(), "r")) {
        double v[7];
        while (std::fscanf(file, "%lf %lf %lf %lf %lf %lf %lf", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6]) == 7) {
            for (int c = 0; c < 7; ++c) columns[c].push_back(v[c]);
        }
        std::fclose(file);
    }
    return {Median(columns[0]), Median(columns[1]), Median(columns[2]), Median(columns[3]),
            Median(columns[4]), Median(columns[5]), Median(columns[6])};
}
}  // namespace

void BenchStartup(const std::string& folder, int runs)
{
    const Figures bare = Run(ProgramFile("velmora-bench-bare.exe"), folder + "bare\\", 0, 0, runs);
    PrintHeading("Start-up under Wine (median of " + std::to_string(runs) +
                 " starts; reference: one window and one tray icon)");
    for (int profiles : {10, 1000}) {
        for (int adapters : {8, 64}) {
            const std::string name = std::to_string(profiles) + " profiles, " + std::to_string(adapters) + " adapters";
            const Figures f = Run(ProgramFile("velmora-bench-startup.exe"),
                                  folder + "p" + std::to_string(profiles) + "a" + std::to_string(adapters) + "\\",
                                  profiles, adapters, runs);
            PrintRow("to tray icon, " + name, f.iconMs, bare.iconMs);
            PrintRow("to first idle, " + name, f.readyMs, bare.readyMs);
        }
    }

    const Figures idle = Run(ProgramFile("velmora-bench-startup.exe"), folder + "idle\\", 100, 8, runs);
    PrintHeading("Idle in the tray, 100 profiles, 8 adapters (reference: the bare program)");
    PrintRow("private bytes", idle.privateKb, bare.privateKb, "KB");
    PrintRow("working set", idle.workingKb, bare.workingKb, "KB");
    PrintRow("GDI objects", idle.gdi, bare.gdi, "");
    PrintRow("USER objects", idle.user, bare.user, "");
    PrintRow("handles", idle.handles, bare.handles, "");
}

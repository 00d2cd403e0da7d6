// velmora-bench: the store, the main window and start-up, each beside a reference measured in
// the same run, printed as one table. Run it under Wine: scripts/bench.sh.
//
//   velmora-bench [store] [window] [startup] [file] [--earlier FOLDER]
//
// runs the sections named (all when none is); with --earlier, the start-up section also starts
// the velmora-bench-startup.exe in FOLDER, an earlier build's, by turns with this one.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "benchtiming.h"
#include "profiles/iprofile.h"

void BenchStore(const std::string& folder);
void BenchWindow(int runs);
void BenchPlaces(int runs);
void BenchStartup(const std::string& folder, int runs, const std::string& earlierFolder);

namespace {
const std::vector<std::string> kSections{"store", "window", "places", "startup", "file"};

double FileKb(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.nFileSizeLow / 1024.0;
}

void BenchProgramFile(const std::string& earlierFolder)
{
    const double size = FileKb(ProgramFolder() + "velmora.exe");
    if (earlierFolder.empty()) {
        PrintHeading("Program file");
        PrintRow("velmora.exe", size, 0, "KB");
    } else {
        PrintTurnsHeading("Program file");
        PrintTurnsRow("velmora.exe", FileKb(earlierFolder + "velmora.exe"), size, 0, "KB");
    }
}
}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> sections;
    std::string earlierFolder;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--earlier" && i + 1 < argc) {
            earlierFolder = argv[++i];
            if (earlierFolder.back() != '\\' && earlierFolder.back() != '/') earlierFolder += '\\';
        } else if (std::find(kSections.begin(), kSections.end(), argument) != kSections.end()) {
            sections.push_back(argument);
        } else {
            std::fprintf(stderr,
                         "usage: velmora-bench [store] [window] [places] [startup] [file] [--earlier FOLDER]\n");
            return 2;
        }
    }
    const auto wanted = [&sections](const char* section) {
        return sections.empty() || std::find(sections.begin(), sections.end(), section) != sections.end();
    };

    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "velmora-bench\\";
    CreateDirectoryA(folder.c_str(), nullptr);

    if (wanted("store")) BenchStore(folder);
    if (wanted("window")) BenchWindow(7);
    if (wanted("places")) BenchPlaces(5);
    if (wanted("startup")) BenchStartup(folder, 11, earlierFolder);
    if (wanted("file")) BenchProgramFile(earlierFolder);
    CoUninitialize();
    return 0;
}

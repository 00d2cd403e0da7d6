// velmora-bench: the store, the main window and start-up, each beside a reference measured in
// the same run, printed as one table. Run it under Wine: scripts/bench.sh.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <string>

#include "benchtiming.h"
#include "profiles/iprofile.h"

void BenchStore(const std::string& folder);
void BenchWindow(int runs);
void BenchStartup(const std::string& folder, int runs);

int main()
{
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "velmora-bench\\";
    CreateDirectoryA(folder.c_str(), nullptr);

    BenchStore(folder);
    BenchWindow(7);
    BenchStartup(folder, 11);

    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA((ProgramFolder() + "velmora.exe").c_str(), GetFileExInfoStandard, &data);
    PrintHeading("Program file");
    PrintRow("velmora.exe", data.nFileSizeLow / 1024.0, 0, "KB");
    CoUninitialize();
    return 0;
}

// Velmora as it starts, on a simulated network of VELMORA_BENCH_ADAPTERS adapters (8 when
// unset), timed by the start-up probe.
#include <windows.h>

#include <cstdlib>

#include "app/startup.h"
#include "core/messagebox.h"
#include "simnet/simnetwork.h"
#include "simnet/simplaces.h"
#include "startup_probe.h"
#include "tray/trayicon.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    SetMessageBoxHandler([](HWND, const std::string& text, const std::string& caption, UINT) -> int {
        EndOnMessageBox(caption + ": " + text);
    });

    const char* count = std::getenv("VELMORA_BENCH_ADAPTERS");
    SimNetwork network = MakeDemoNetwork(count != nullptr ? std::atoi(count) : 8);
    TTrayIcon::SetNotifyArea(&ProbedNotifyArea);
    // Where the laptop is, as the simulated network tells it.
    SetPlaceReaders(SimPlaceReaders(network));
    return RunVelmora([&network] { return ConnectServicesFunction([&network] { return network.Services(); }); }, {});
}

// Velmora on the simulated network, for machines whose network must not change.
#include <windows.h>

#include <exception>
#include <optional>

#include "app/startup.h"
#include "simnet/simnetwork.h"
#include "simnet/simregistry.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // The network lives as long as the program; the main window holds its services object.
    SimNetwork network = MakeDemoNetwork();
    // The registry keeps the simulated adapters' stored settings as Windows keeps a real
    // adapter's. Without the right to write HKLM the program still runs, on WMI's values alone.
    std::optional<SimRegistryMirror> registry;
    try {
        registry.emplace(network);
        registry->Attach();
    } catch (const std::exception&) {
        registry.reset();
    }
    return RunVelmora([&network] { return network.Services(); });
}

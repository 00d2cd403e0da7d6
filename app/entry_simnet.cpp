// Velmora on the simulated network, for machines whose network must not change.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <optional>
#include <string>

#include "app/elevatedrun.h"
#include "app/startup.h"
#include "core/processrights.h"
#include "profiles/iprofile.h"
#include "simnet/simnetwork.h"
#include "simnet/simregistry.h"

namespace {
bool EnvironmentSays(const char* name, const char* value)
{
    const char* text = std::getenv(name);
    return text != nullptr && std::strcmp(text, value) == 0;
}

// What Windows takes: a change of addressing seconds (the stack is reconfigured), the other
// methods and a query a fraction of one, a DHCP lease a few seconds after EnableDHCP.
// VELMORA_SIMNET_TIMING=0 takes no time at all. VELMORA_SIMNET_LOGON=<seconds> makes the first
// connection take that long, as at logon while the WMI service starts (not in an elevated run,
// which comes later).
void TakeWindowsTime(SimNetwork& network, bool elevatedRun)
{
    if (EnvironmentSays("VELMORA_SIMNET_TIMING", "0")) return;
    network.SetCallTime(L"EnableStatic", 3000);
    network.SetCallTime(L"EnableDHCP", 2500);
    network.SetCallTime(L"SetGateWays", 400);
    network.SetCallTime(L"setDNSServerSearchOrder", 400);
    network.SetCallTime(L"ExecQuery", 150);
    network.SetLeaseTime(4000);
    const char* logon = std::getenv("VELMORA_SIMNET_LOGON");
    if (logon != nullptr && !elevatedRun) {
        const unsigned long seconds = std::strtoul(logon, nullptr, 10);
        network.SetConnectTime(static_cast<DWORD>(std::min(seconds, 3600ul) * 1000));
    }
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // The simulated machine lives in a file beside the program while it runs, so that the
    // program's elevated run of a change reaches the same machine, as on Windows.
    const std::string sharedState = ProgramFolder() + "velmora-simnet.state";
    const bool elevatedRun = ElevatedRunRequested(ProgramArguments());
    SimNetwork network;
    std::optional<SimRegistryMirror> registry;
    bool made = false;
    // Made only for the run that goes on: a second start ends at once, and must leave the
    // running program's machine, its shared file and its registry keys as they are.
    const int exitCode = RunVelmora(
        [&]() -> ConnectServicesFunction {
            made = true;
            if (!elevatedRun || !network.JoinSharedState(sharedState)) {
                network = MakeDemoNetwork();
                network.ShareState(sharedState);
            }
            TakeWindowsTime(network, elevatedRun);
            // VELMORA_SIMNET_STANDARD_USER=1 plays a standard user under UAC: the configuration
            // calls answer 91 until an elevated run makes them. Wine starts every process elevated,
            // so the tray program is told it is not; its elevated run, started through "runas", is.
            if (!elevatedRun && std::getenv("VELMORA_SIMNET_STANDARD_USER") != nullptr) {
                network.RefuseUnelevated(true);
                SetElevationQuery([] { return false; });
            }
            // The registry keeps the simulated adapters' stored settings as Windows keeps a real
            // adapter's. Without the right to write HKLM the program still runs, on WMI's values
            // alone.
            try {
                registry.emplace(network);
                if (elevatedRun) {
                    registry->Follow();
                } else {
                    registry->Attach();
                }
            } catch (const std::exception&) {
                registry.reset();
            }
            return [&network] { return network.Services(); };
        },
        ProgramArguments());
    if (made && !elevatedRun) DeleteFileA(sharedState.c_str());
    return exitCode;
}

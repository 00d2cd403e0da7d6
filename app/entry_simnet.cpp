// Velmora on the simulated network, for machines whose network must not change.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "adapters/networkplace.h"
#include "app/console.h"
#include "app/elevatedrun.h"
#include "app/startup.h"
#include "core/processrights.h"
#include "profiles/iprofile.h"
#include "simnet/laptopremote.h"
#include "simnet/simnetwork.h"
#include "simnet/simplaces.h"
#include "simnet/simregistry.h"

namespace {
bool EnvironmentSays(const char* name, const char* value)
{
    const char* text = std::getenv(name);
    return text != nullptr && std::strcmp(text, value) == 0;
}

bool TimingOn() { return !EnvironmentSays("VELMORA_SIMNET_TIMING", "0"); }

// What Windows takes: a change of addressing seconds (the stack is reconfigured), the other
// methods and a query a fraction of one, a DHCP lease a few seconds after EnableDHCP.
// VELMORA_SIMNET_TIMING=0 takes no time at all. VELMORA_SIMNET_LOGON=<seconds> makes the first
// connection take that long, as at logon while the WMI service starts (not in an elevated run,
// which comes later). A laptop that moves is off the air a second and a half before it joins
// the next Wi-Fi.
void TakeWindowsTime(SimNetwork& network, bool elevatedRun)
{
    if (!TimingOn()) return;
    network.SetCallTime(L"EnableStatic", 3000);
    network.SetCallTime(L"EnableDHCP", 2500);
    network.SetCallTime(L"SetGateWays", 400);
    network.SetCallTime(L"setDNSServerSearchOrder", 400);
    network.SetCallTime(L"ExecQuery", 150);
    network.SetLeaseTime(4000);
    network.SetMoveTime(1500);
    const char* logon = std::getenv("VELMORA_SIMNET_LOGON");
    if (logon != nullptr && !elevatedRun) {
        const unsigned long seconds = std::strtoul(logon, nullptr, 10);
        network.SetConnectTime(static_cast<DWORD>(std::min(seconds, 3600ul) * 1000));
    }
}

// Link flaps from outside come within ten seconds, as a weak signal drops and finds the network.
constexpr DWORD kFlapWithinMs = 10000;
constexpr int kMostFlaps = 50;
constexpr int kBadArgumentExit = 2;
constexpr int kNoLaptopExit = 6;

std::string PlaceList()
{
    std::string list;
    for (const std::string& name : SimPlaceNames())
        list += (list.empty() ? "" : ", ") + name;
    return list;
}

// "--move <place>" and "--flap <count>" tell the laptop the running copy simulates to move or to
// lose its Wi-Fi link a while; none when the arguments are not one of these.
std::optional<int> RunLaptopCommand(const std::vector<std::string>& arguments)
{
    if (arguments.empty() || (arguments[0] != "--move" && arguments[0] != "--flap")) return std::nullopt;
    const std::string argument = arguments.size() == 2 ? arguments[1] : std::string();
    std::string request, told;
    if (arguments[0] == "--move") {
        const std::vector<std::string>& places = SimPlaceNames();
        if (std::find(places.begin(), places.end(), argument) == places.end()) {
            WriteToConsole("There is no place \"" + argument + "\": " + PlaceList() + ".");
            return kBadArgumentExit;
        }
        request = "move " + argument;
        told = "The simulated laptop moves to " + argument + ".";
    } else {
        const int count = std::atoi(argument.c_str());
        if (count < 1 || count > kMostFlaps || argument != std::to_string(count)) {
            WriteToConsole("--flap takes a count of link flaps from 1 to " + std::to_string(kMostFlaps) + ".");
            return kBadArgumentExit;
        }
        request = "flap " + argument;
        told = "The simulated laptop's Wi-Fi link drops " + argument + (count == 1 ? " time" : " times") +
               " within 10 seconds.";
    }
    if (!SendLaptopRequest(ProgramFolder(), request)) {
        WriteToConsole("No simulated laptop runs.");
        return kNoLaptopExit;
    }
    WriteToConsole(told);
    return 0;
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (const std::optional<int> exitCode = RunLaptopCommand(ProgramArguments())) return *exitCode;

    // The simulated machine lives in a file beside the program while it runs, so that the
    // program's elevated run of a change reaches the same machine, as on Windows.
    const std::string sharedState = ProgramFolder() + "velmora-simnet.state";
    const bool elevatedRun = ElevatedRunRequested(ProgramArguments());
    SimNetwork network;
    std::optional<SimRegistryMirror> registry;
    std::optional<LaptopRemote> remote;
    bool made = false;
    // Made only for the run that goes on: a second start ends at once, and must leave the
    // running program's machine, its shared file and its registry keys as they are.
    const int exitCode = RunVelmora(
        [&]() -> ConnectServicesFunction {
            made = true;
            if (!elevatedRun || !network.JoinSharedState(sharedState)) {
                network = MakeDemoNetwork();
                // The laptop starts at home, its lease there already in hand (no time set yet).
                MoveLaptop(network, "home");
                network.ShareState(sharedState);
            }
            TakeWindowsTime(network, elevatedRun);
            SetPlaceReaders(SimPlaceReaders(network));
            // VELMORA_SIMNET_WITHHOLD_WIFI=1 plays Windows 11 without the user's location consent.
            network.WithholdWifiNames(EnvironmentSays("VELMORA_SIMNET_WITHHOLD_WIFI", "1"));
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
            if (!elevatedRun) remote.emplace(network, ProgramFolder(), TimingOn() ? kFlapWithinMs : 0);
            return [&network] { return network.Services(); };
        },
        ProgramArguments());
    // A move in progress ends before the machine's file goes and the registry mirror lets go.
    remote.reset();
    if (made && !elevatedRun) DeleteFileA(sharedState.c_str());
    return exitCode;
}

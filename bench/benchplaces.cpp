// Switching by location on the simulated laptop, in this process: from the last notification
// of a move to the switch's first configuration call, which is the settling time plus what the
// program itself takes to read the place and start the change.
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/mainformunit.h"
#include "benchtiming.h"
#include "core/messagebox.h"
#include "profiles/iprofile.h"
#include "profiles/location.h"
#include "simnet/simplaces.h"
#include "tray/trayicon.h"
#include "ui/application.h"

namespace {
constexpr int32_t kWifi = 2;  // the demo laptop's Wi-Fi adapter

size_t MethodCalls(const SimNetwork& network)
{
    size_t count = 0;
    for (const SimCall& call : network.CallsSoFar())
        count += call.adapterIndex >= 0 ? 1 : 0;
    return count;
}

// Handles messages until `done`; fails the benchmark after a minute.
template <typename Done>
void HandleUntil(const Done& done)
{
    const double start = NowMs();
    while (!done()) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        if (NowMs() - start > 60000) FailBenchmark("a move gave no switch within a minute");
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

// Moves the laptop on a thread of its own, as Windows' notifications come; the time its last
// step was told, and the time of the switch's first call seen from the message loop.
double MoveToSwitch(TForm1& form, SimNetwork& network, const std::string& place)
{
    const size_t before = MethodCalls(network);
    std::atomic<double> lastEvent{0};
    std::thread mover([&] {
        MoveLaptop(network, place);
        lastEvent = NowMs();
    });
    HandleUntil([&] { return MethodCalls(network) > before; });
    const double firstCall = NowMs();
    mover.join();
    HandleUntil([&] { return !form.Changes->Busy() && !form.WorkPending() && !form.Places->Pending(); });
    return firstCall - lastEvent;
}
}  // namespace

void BenchPlaces(int runs)
{
    PrintHeading("Switching by location, \"Apply the matching profile\" (median of " + std::to_string(runs) +
                 " moves each way)");
    auto previousBoxes =
        SetMessageBoxHandler([](HWND, const std::string& text, const std::string& caption, UINT) -> int {
            FailBenchmark("a message box appeared: " + caption + ": " + text);
        });
    auto previousArea = TTrayIcon::SetNotifyArea([](DWORD, NOTIFYICONDATAA&) { return TRUE; });
    const PlaceMode previousMode = ReadPlaceMode();
    WritePlaceMode(PlaceMode::Apply);
    const std::string store = ProgramFolder() + "profiles.ini";
    {
        TListItems list;
        auto& office = static_cast<Tprofile&>(list.Append(std::make_unique<Tprofile>(list)));
        office.ip = "10.0.0.5";
        office.mask = "255.0.0.0";
        office.gw = "10.0.0.1";
        office.name = "Office";
        office.location.wifiName = "Office LAN";
        auto& home = static_cast<Tprofile&>(list.Append(std::make_unique<Tprofile>(list)));
        home.name = "Home";
        home.dhcp = true;
        home.location.wifiName = "Home Wi-Fi";
        SaveProfilesTo(list, store);
    }
    {
        SimNetwork network = MakeDemoNetwork(8);
        SetPlaceReaders(SimPlaceReaders(network));
        TApplication application;
        TForm1& form = application.CreateForm<TForm1>([&network] { return network.Services(); });
        HandleUntil([&] { return form.Changes->GetState() == ChangeController::State::Idle; });
        form.SelectedAdapterIndex = kWifi;
        form.Places->AdapterChosen();
        std::vector<double> toOffice;
        std::vector<double> toHome;
        for (int i = 0; i < runs; ++i) {
            toOffice.push_back(MoveToSwitch(form, network, "office"));
            toHome.push_back(MoveToSwitch(form, network, "home"));
        }
        PrintRow("last network event to the switch's first call, to the office", Median(toOffice), kPlaceSettleTime);
        PrintRow("last network event to the switch's first call, home", Median(toHome), kPlaceSettleTime);
        SetPlaceReaders(WindowsPlaceReaders());
    }
    DeleteFileA(store.c_str());
    WritePlaceMode(previousMode);
    TTrayIcon::SetNotifyArea(previousArea);
    SetMessageBoxHandler(previousBoxes);
}

// The details refresh and "Apply Next Profile" on the real main window, in this process, with
// the simulated network at 8 and 64 adapters; the WMI calls each makes are counted.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "app/mainformunit.h"
#include "benchstoredata.h"
#include "benchtiming.h"
#include "core/handles.h"
#include "core/messagebox.h"
#include "profiles/iprofile.h"
#include "simnet/simnetwork.h"
#include "tray/trayicon.h"
#include "ui/menu.h"
#include "ui/application.h"

namespace {
size_t Methods(const SimNetwork& network, size_t from)
{
    size_t count = 0;
    for (size_t i = from; i < network.Calls().size(); ++i)
        count += network.Calls()[i].adapterIndex >= 0;
    return count;
}

size_t Queries(const SimNetwork& network, size_t from)
{
    size_t count = 0;
    for (size_t i = from; i < network.Calls().size(); ++i)
        count += network.Calls()[i].adapterIndex < 0;
    return count;
}

// No row expects a message box: one that appears ends the benchmark, failed, with its text,
// rather than being answered unseen.
int FailOnMessageBox(HWND, const std::string& text, const std::string& caption, UINT)
{
    FailBenchmark("a message box appeared: " + caption + ": " + text);
}

// Handles the window's messages until what it started has ended: its first connection made, no
// change under way or waiting, nothing posted left to run. A change ends by a message, so this
// is where its time is spent.
void Settle(TForm1& form)
{
    const double start = NowMs();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        const bool waiting = form.Changes->GetState() == ChangeController::State::WaitingForWindows;
        if (!waiting && !form.Changes->Busy() && !form.WorkPending()) return;
        if (NowMs() - start > 60000) FailBenchmark("a change did not end within a minute");
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    }
}

// A command of the tray menu as a user chooses it: the menu opened, then the item's command,
// until what it started has ended.
void ChooseInTray(TForm1& form, const TMenuItem& item)
{
    form.PopupMenu1->OpeningMenu();
    SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(item.Command(), 0), 0);
    Settle(form);
}

// "Open Configurator" from the tray menu until the window is painted.
void OpenConfigurator(TForm1& form)
{
    ChooseInTray(form, *form.Configuration1);
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
}

// The tray menu as a right click opens it: its items brought up to date, then its native
// menu. The first opening builds that menu; later ones bring it up to date where it changed.
void TrayMenuRows(TForm1& form, int profiles, int runs)
{
    const auto open = [&] {
        if (form.PopupMenu1->onPopup) form.PopupMenu1->onPopup();
        form.PopupMenu1->OpeningMenu();
    };
    const std::string name = std::to_string(profiles) + " profiles";
    const double first = NowMs();
    open();
    PrintRow("tray menu, first opening, " + name, NowMs() - first, 0);
    PrintRow("tray menu, each later opening, " + name, MedianMs(runs, nullptr, open), 0);
    // The "Profiles" submenu is filled when it opens, as Windows tells its owner: the submenu
    // and the position of the entry opening it.
    // Its place: "Undo" comes before it once there is something to go back to.
    const HMENU top = form.PopupMenu1->OpeningMenu();
    int position = 0;
    for (char caption[64] = {}; position < GetMenuItemCount(top); ++position) {
        GetMenuStringA(top, static_cast<UINT>(position), caption, sizeof caption, MF_BYPOSITION);
        if (std::string(caption) == "Profiles") break;
    }
    const HMENU submenuHandle = GetSubMenu(top, position);
    const double submenu = NowMs();
    SendMessageA(form.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(submenuHandle), MAKELPARAM(position, 0));
    const double submenuMs = NowMs() - submenu;
    PrintRow("  its \"Profiles\" submenu, first opening", submenuMs, 0);
    int listed = GetMenuItemCount(submenuHandle);
    // A long list is listed in parts, each opening the list's part it names: the last part's
    // first opening is what a user pointing at it waits for. Then every part is counted.
    if (static_cast<size_t>(profiles) > kMostMenuEntries) {
        const int parts = listed;
        const HMENU partHandle = GetSubMenu(submenuHandle, 0);
        const auto openPart = [&](int part) {
            SendMessageA(form.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(partHandle), MAKELPARAM(part, 0));
        };
        const double part = NowMs();
        openPart(parts - 1);
        PrintRow("  its last part, first opening", NowMs() - part, 0);
        listed = 0;
        for (int i = 0; i < parts; ++i) {
            openPart(i);
            listed += GetMenuItemCount(partHandle);
        }
    }
    // A figure for fewer entries than profiles would measure a shorter list than the row names.
    if (listed != profiles) {
        FailBenchmark("the \"Profiles\" submenu lists " + std::to_string(listed) + " entries for " +
                      std::to_string(profiles) + " profiles");
    }
}
// The main window answers another program's posted message while Windows works on a change:
// Velmora.BenchPing sets the poster's event, and the poster reports the longest wait.
LRESULT CALLBACK AnswerPing(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR event)
{
    if (message == RegisterWindowMessageA("Velmora.BenchPing")) {
        SetEvent(reinterpret_cast<HANDLE>(event));
        return 0;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void AnswerRow(TForm1& form, SimNetwork& network)
{
    constexpr DWORD kCallTime = 5000;
    const std::string eventName = "Local\\VelmoraBenchPing." + std::to_string(GetCurrentProcessId());
    UniqueHandle answered(CreateEventA(nullptr, TRUE, FALSE, eventName.c_str()));
    SetWindowSubclass(form.Handle(), &AnswerPing, 1, reinterpret_cast<DWORD_PTR>(answered.get()));
    network.SetCallTime(L"EnableStatic", kCallTime);
    std::string command = "\"";
    command += ProgramFolder();
    command += "velmora-bench-poster.exe\" ";
    command += std::to_string(reinterpret_cast<uintptr_t>(form.Handle()));
    command += ' ';
    command += eventName;
    command += " 80";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        FailBenchmark("velmora-bench-poster.exe did not start");
    UniqueHandle poster(process.hProcess);
    const UniqueHandle thread(process.hThread);
    const double start = NowMs();
    // The window answers the poster's messages from its message loop while the change runs.
    ChooseInTray(form, *form.Profiles->ApplyNextProfile1);
    const double change = NowMs() - start;
    // The poster's last messages come after the change: the window answers them as ever.
    while (WaitForSingleObject(poster.get(), 0) == WAIT_TIMEOUT) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 100, QS_ALLINPUT);
    }
    DWORD longest = 0;
    GetExitCodeProcess(poster.get(), &longest);
    RemoveWindowSubclass(form.Handle(), &AnswerPing, 1);
    network.SetCallTime(L"EnableStatic", 0);
    PrintRow("Apply Next Profile with a 5 s EnableStatic, click to refreshed details", change, 0);
    PrintRow("  another program's message answered within (longest wait)", static_cast<double>(longest) / 1000, 0);
}
}  // namespace

void BenchWindow(int runs)
{
    PrintHeading("Main window on the simulated network (median of " + std::to_string(runs) + " runs)");
    auto previousBoxes = SetMessageBoxHandler(&FailOnMessageBox);
    auto previousArea = TTrayIcon::SetNotifyArea([](DWORD, NOTIFYICONDATAA&) { return TRUE; });
    const std::string store = ProgramFolder() + "profiles.ini";
    WriteBenchStore(store, 10);
    for (int adapters : {8, 64}) {
        SimNetwork network = MakeDemoNetwork(adapters);
        TApplication application;
        TForm1& form = application.CreateForm<TForm1>([&network] { return network.Services(); });
        Settle(form);
        const std::string name = std::to_string(adapters) + " adapters";

        size_t before = network.Calls().size();
        const double refresh = MedianMs(runs, nullptr, [&] { form.refreshdata(); });
        PrintRow("details refresh, " + name, refresh, 0);
        PrintRow("  WMI queries per refresh", static_cast<double>(Queries(network, before)) / runs, 0, "");

        before = network.Calls().size();
        const double apply = MedianMs(runs, nullptr, [&] { ChooseInTray(form, *form.Profiles->ApplyNextProfile1); });
        PrintRow("Apply Next Profile, click to refreshed details, " + name, apply, 0);
        PrintRow("  WMI method calls per activation", static_cast<double>(Methods(network, before)) / runs, 0, "");
        PrintRow("  WMI queries per activation", static_cast<double>(Queries(network, before)) / runs, 0, "");

        // "Open Configurator" until the window is painted, then hidden again by "Cancel".
        const double show = MedianMs(
            runs, [&] { form.Hide(); }, [&] { OpenConfigurator(form); });
        PrintRow("Open Configurator, to the painted window, " + name, show, 0);
        const double hide = MedianMs(
            runs, [&] { form.Show(); }, [&] { form.Button2Click(); });
        form.Hide();
        PrintRow("Cancel, to the hidden window, " + name, hide, 0);
        if (adapters == 8) {
            TrayMenuRows(form, 10, runs);
            AnswerRow(form, network);
        }
        // The first opening after a start in the tray, each on a window just made (last: each
        // new application takes the place of the current one).
        std::unique_ptr<TApplication> fresh;
        TForm1* started = nullptr;
        const double first = MedianMs(
            runs,
            [&] {
                fresh.reset();
                fresh = std::make_unique<TApplication>();
                started = &fresh->CreateForm<TForm1>([&network] { return network.Services(); });
                Settle(*started);
            },
            [&] { OpenConfigurator(*started); });
        fresh.reset();
        PrintRow("Open Configurator, first opening after the start, " + name, first, 0);
    }
    for (int profiles : {1000, 10000}) {
        WriteBenchStore(store, profiles);
        SimNetwork network = MakeDemoNetwork(8);
        TApplication application;
        TForm1& form = application.CreateForm<TForm1>([&network] { return network.Services(); });
        Settle(form);
        TrayMenuRows(form, profiles, runs);
    }
    DeleteFileA(store.c_str());
    TTrayIcon::SetNotifyArea(previousArea);
    SetMessageBoxHandler(previousBoxes);
}

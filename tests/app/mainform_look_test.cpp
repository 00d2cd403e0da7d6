// Not a check but a look: shows the main window on each of its tabs and saves what the screen
// shows, for a person to judge layout, texts and fonts. Disabled in normal runs; run with
//   VELMORA_SHOTS=C:\some\folder test_app.exe --gtest_also_run_disabled_tests --gtest_filter=*Look*
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/mainformunit.h"
#include "support/mainwindowdriver.h"
#include "simnet/simnetwork.h"
#include "simnet/simregistry.h"
#include "support/screenshot.h"
#include "support/timedsteps.h"
#include "ui/application.h"
#include "ui/linkfocus.h"

TEST(MainWindowLook, DISABLED_SavesEachTab)
{
    const char* folder = std::getenv("VELMORA_SHOTS");
    ASSERT_NE(folder, nullptr) << "VELMORA_SHOTS names the folder for the pictures";
    // The demo laptop, with the registry keys Windows keeps for its adapters.
    SimNetwork laptop = MakeDemoNetwork();
    SimRegistryMirror registry(laptop);
    registry.Attach();
    TApplication application;
    TForm1& form = application.CreateForm<TForm1>([&] { return laptop.Services(); });
    SettleMainWindow(form);
    form.Configuration1->Click();
    const char* names[] = {"network", "general", "profiles", "about"};
    for (int tab = 0; tab < 4; ++tab) {
        form.PageControl1->SetActivePageIndex(tab);
        RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        application.ProcessMessages();
        SaveWindow(form.Handle(), std::string(folder) + "\\mainwindow-" + names[tab] + ".bmp");
    }
    // The About tab with the keyboard on its first link, its focus shown as after a Tab.
    SendMessageA(form.Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    SetFocus(form.Label7->FocusWindow().Handle());
    application.ProcessMessages();
    SaveWindow(form.Handle(), std::string(folder) + "\\mainwindow-about-linkfocus.bmp");
    // The tray menu, opened where the tray icon would open it, saved while it is open.
    form.Button2->Click();
    TimedSteps shoot({[&] {
                         SaveScreenCorner(260, 230, std::string(folder) + "\\traymenu.bmp");
                         EndMenu();
                     }},
                     50);
    RECT screen;
    GetWindowRect(GetDesktopWindow(), &screen);
    SetForegroundWindow(form.Handle());
    form.PopupMenu1->Popup(screen.right - 120, screen.bottom - 40);
}

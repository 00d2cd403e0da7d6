// Not a check but a look: the Profiles tab with profiles in it, the list's context menu, the
// tray menu with its "Profiles" submenu open, and the welcome dialog, each saved as the screen
// shows it, for a person to judge. Disabled in normal runs; run with
//   VELMORA_SHOTS=C:\some\folder test_app.exe --gtest_also_run_disabled_tests --gtest_filter=*ProfilesLook*
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "app/mainformunit.h"
#include "simnet/simnetwork.h"
#include "simnet/simregistry.h"
#include "profiles/iprofile.h"
#include "profiles/starttip.h"
#include "support/mainwindowdriver.h"
#include "support/screenshot.h"
#include "support/seams.h"
#include "support/tempfolder.h"
#include "support/timedsteps.h"
#include "ui/application.h"
#include "ui/modal.h"

namespace {
// Runs `steps` one after the other from a timer while a menu or dialog holds the thread.
class Script : public TimedSteps {
public:
    explicit Script(std::vector<Step> steps) : TimedSteps(std::move(steps), 150) {}
};

void Key(UINT key)
{
    HWND menu = FindWindowA("#32768", nullptr);
    PostMessageA(menu, WM_KEYDOWN, key, 0);
}
}  // namespace

TEST(ProfilesLook, DISABLED_SavesTheProfilesViews)
{
    const char* env = std::getenv("VELMORA_SHOTS");
    ASSERT_NE(env, nullptr) << "VELMORA_SHOTS names the folder for the pictures";
    const std::string folder = env;
    const std::string store = ProgramFolder() + "profiles.ini";
    WriteFileBytes(store, "[0]\r\nip=192.168.1.10\r\nmask=255.255.255.0\r\ngw=192.168.1.1\r\ndns1=192.168.1.1\r\n"
                          "name=Office\r\n[1]\r\nip=10.0.0.5\r\nmask=255.0.0.0\r\ndns1=10.0.0.1\r\n"
                          "[2]\r\nip=\r\nname=Home\r\ndhcp=1\r\n");
    {
        // The demo laptop, with the registry keys Windows keeps for its adapters.
        SimNetwork laptop = MakeDemoNetwork();
        SimRegistryMirror registry(laptop);
        registry.Attach();
        MainWindowDriver window;
        TForm1& form = *(window.form = &window.application.CreateForm<TForm1>([&] { return laptop.Services(); }));
        window.Settle();
        DeleteFileA(store.c_str());
        ProfileAt(*ProfileList, 2).SetImageIndex(1);
        form.Configuration1->Click();
        window.SetSelected(1);
        RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        window.application.ProcessMessages();
        SaveWindow(form.Handle(), folder + "\\profiles-tab.bmp");

        // The context menu over the selected profile.
        POINT at = window.ItemCentre(1);
        ClientToScreen(window.List(), &at);
        {
            Script script(
                {[&] { SaveWindow(form.Handle(), folder + "\\profiles-contextmenu.bmp"); }, [] { EndMenu(); }});
            SendMessageA(form.Profiles->ListView1->Handle(), WM_CONTEXTMENU, 0, MAKELPARAM(at.x, at.y));
        }

        // The tray menu with "Profiles" and the first profile's commands open.
        form.Button2->Click();
        RECT screen;
        GetWindowRect(GetDesktopWindow(), &screen);
        {
            Script script({[] { Key(VK_DOWN); }, [] { Key(VK_DOWN); }, [] { Key(VK_RIGHT); }, [] { Key(VK_RIGHT); },
                           [&] { SaveScreenCorner(420, 260, folder + "\\profiles-traymenu.bmp"); }, [] { EndMenu(); }});
            SetForegroundWindow(form.Handle());
            form.PopupMenu1->Popup(screen.right - 120, screen.bottom - 40);
        }
    }

    // The welcome dialog as a first start shows it.
    TApplication application;
    TForm4& welcome = application.Own(std::make_unique<TForm4>());
    const SeamGuard<ModalHandler> modal(SetModalHandler, [&](const ModalRequest&, const std::function<int()>& run) {
        Script script({[&] { SaveWindow(welcome.Handle(), folder + "\\welcome.bmp"); },
                       [&] {
                           welcome.SetModalResult(mrCancel);
                           PostMessageA(welcome.Handle(), WM_NULL, 0, 0);
                       }});
        return run();
    });
    welcome.ShowModal();
}

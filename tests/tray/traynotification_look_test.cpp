// Not a check but a look: a balloon from the icon as the notification area of the Wine desktop
// shows it, saved for a person to judge. Disabled in normal runs; run with
//   VELMORA_SHOTS=C:\some\folder test_tray.exe --gtest_also_run_disabled_tests --gtest_filter=*Look*
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "resources/resource.h"
#include "support/screenshot.h"
#include "support/timedsteps.h"
#include "tray/trayicon.h"

namespace {
// Explorer draws the balloon in its own process, as a tooltip window.
bool BalloonShown()
{
    for (HWND w = FindWindowExA(nullptr, nullptr, "tooltips_class32", nullptr); w != nullptr;
         w = FindWindowExA(nullptr, w, "tooltips_class32", nullptr)) {
        DWORD process = 0;
        GetWindowThreadProcessId(w, &process);
        if (IsWindowVisible(w) && process != GetCurrentProcessId()) return true;
    }
    return false;
}
}  // namespace

TEST(TrayNotificationLook, DISABLED_SavesABalloon)
{
    const char* folder = std::getenv("VELMORA_SHOTS");
    ASSERT_NE(folder, nullptr) << "VELMORA_SHOTS names the folder for the picture";
    TTrayIcon tray(nullptr);
    tray.SetIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_VELMORA)));
    tray.Loaded();
    ASSERT_TRUE(tray.IconVisible()) << "no notification area: run it inside the Wine desktop";
    ASSERT_TRUE(tray.ShowNotification("\"Office\" applied to Intel(R) PRO/1000 MT Desktop Adapter",
                                      "Address 192.168.1.10 / 255.255.255.0\nGateway 192.168.1.1\n"
                                      "DNS servers 192.168.1.1, 8.8.8.8",
                                      NotificationKind::Info));
    // The picture once the balloon shows, or after five seconds without one.
    int ticks = 0;
    TimedSteps shoot({[&] {
                         RECT screen;
                         GetWindowRect(GetDesktopWindow(), &screen);
                         SaveScreenArea({screen.right - 480, screen.bottom - 260, screen.right, screen.bottom},
                                        std::string(folder) + "\\balloon.bmp");
                         PostQuitMessage(0);
                     }},
                     100, [&] { return ++ticks > 50 || BalloonShown(); });
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    EXPECT_LE(ticks, 50) << "no balloon appeared";
}

// The main window in the notification area: its icon goes in when the window is built, both
// mouse buttons open the tray menu at the pointer, and the icon leaves with the window.
#include "app/mainwindow.h"

#include <algorithm>

#include "tray/trayicon.h"

using MainWindowTrayTest = MainWindowTest;

TEST_F(MainWindowTrayTest, IconGoesInWithTheWindowWithItsOwnImageAndTip)
{
    Create();
    ASSERT_GE(area.Count(NIM_ADD), 1);
    const NotifyCall& added =
        *std::find_if(area.calls.begin(), area.calls.end(), [](const NotifyCall& c) { return c.message == NIM_ADD; });
    EXPECT_STREQ(added.record.szTip, "V.M.R.");
    EXPECT_NE(added.record.hIcon, nullptr);
    EXPECT_EQ(added.record.hWnd, form->TrayIcon1->MessageWindow());
    EXPECT_TRUE(form->TrayIcon1->LeftPopup());
    EXPECT_TRUE(form->TrayIcon1->MinimizeToTray());
    EXPECT_EQ(form->TrayIcon1->PopupMenu(), form->PopupMenu1.get());
}

TEST_F(MainWindowTrayTest, BothButtonsOpenTheTrayMenuAndItRunsItsPopupHandlerFirst)
{
    Create();
    int popups = 0;
    form->PopupMenu1->onPopup = [&] { ++popups; };
    EXPECT_TRUE(PressTrayIcon(WM_RBUTTONDOWN));
    EXPECT_TRUE(PressTrayIcon(WM_LBUTTONDOWN));
    EXPECT_EQ(popups, 2);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindowTrayTest, MinimisingSendsTheWindowToTheTrayAndOpenConfiguratorBringsItBack)
{
    Create();
    Choose(form->Configuration1);
    ShowWindow(form->Handle(), SW_MINIMIZE);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(form->TrayIcon1->IconVisible());

    Choose(form->Configuration1);
    application.ProcessMessages();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(IsIconic(form->Handle()));
}

TEST(MainWindowTrayIcon, LeavesTheNotificationAreaWithTheWindow)
{
    RecordingNotifyArea area;
    MessageBoxRecorder boxes;
    {
        TApplication application;
        SimNetwork network;
        SettleMainWindow(application.CreateForm<TForm1>([&] { return network.Services(); }));
        EXPECT_EQ(area.Count(NIM_DELETE), 0);
    }
    EXPECT_EQ(area.Count(NIM_DELETE), 1);
}

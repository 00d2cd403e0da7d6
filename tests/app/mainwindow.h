#pragma once
// What the main window's tests share: the main window's driver, the message boxes, the shell
// and the notification area recorded instead of used, a simulated network (empty unless a
// test adds adapters) that logs every call, and the profile store the window writes
// (profiles.ini beside the test program) and the adapter it remembers removed before and after.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "simnet/simnetwork.h"
#include "support/boxes.h"
#include "support/mainwindowdriver.h"
#include "support/notifyrecorder.h"
#include "support/seams.h"
#include "ui/shell.h"

class MainWindowTest : public testing::Test, public MainWindowDriver {
protected:
    MainWindowTest();
    ~MainWindowTest() override;

    // Creates the main window as the program does; `connect` defaults to `network`.
    TForm1& Create(ConnectServicesFunction connect = {});
    // Starts on a store holding `store`, the window open on its Profiles tab.
    void StartOnProfilesTab(const std::string& store);
    static std::string StorePath();
    bool StoreWritten() const;
    // Makes the next saves fail: a folder stands where the file must go.
    void BlockStore();
    void UnblockStore();

    // The tip the notification area was last given.
    std::string ShownTip() const;
    // The titles of the notifications shown so far.
    std::vector<std::string> Notifications() const;
    // Adapter queries made so far.
    size_t QueryCount() const;

    SimNetwork network;
    MessageBoxRecorder boxes;
    std::vector<std::string> opened;
    RecordingNotifyArea area;

private:
    SeamGuard<ShellOpenFunction> m_shell{SetShellOpen,
                                         [this](const std::string& address) { opened.push_back(address); }};
};

#pragma once
// What the main window's tests share: an application of their own, the message boxes and
// shell calls recorded instead of shown, a counting services object, and the profile store
// the window writes (profiles.ini beside the test program) and the adapter it remembers
// removed before and after.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/fakeservices.h"
#include "app/mainformunit.h"
#include "core/messagebox.h"
#include "ui/application.h"
#include "ui/shell.h"

struct ShownBox {
    std::string text;
    std::string caption;
    UINT flags;
};

class MainWindowTest : public testing::Test {
protected:
    MainWindowTest();
    ~MainWindowTest() override;

    // Creates the main window as the program does; `connect` defaults to the counting services.
    TForm1& Create(ConnectServicesFunction connect = {});
    static std::string StorePath();
    bool StoreWritten() const;
    // Makes the next saves fail: a folder stands where the file must go.
    void BlockStore();
    void UnblockStore();

    // The user's actions, as the messages they send.
    void Choose(TMenuItem* item);  // a tray menu command
    void Click(const TButton& button);
    void CloseButton();  // the caption's close button
    LRESULT QueryEndSession();
    void SelectTab(int index);  // a click on a tab
    int SelectedTab() const;

    TApplication application;
    TForm1* form = nullptr;
    CountingServices* services = nullptr;
    Variant servicesHolder;
    std::vector<ShownBox> boxes;
    std::vector<std::string> opened;

private:
    MessageBoxHandler m_previousBoxes;
    ShellOpenFunction m_previousShell;
};

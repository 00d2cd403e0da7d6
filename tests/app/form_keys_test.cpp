// Enter and Esc in the main window and the welcome dialog, pressed in the control that has the
// focus: Enter presses the window's default button, Esc its cancel button; the grid keeps Enter
// for its own row editor.
#include <windows.h>

#include <functional>
#include <string>

#include "app/mainwindow.h"
#include "profiles/starttip.h"
#include "support/welcomedriver.h"

namespace {
void PostKeyPress(HWND control, WORD key)
{
    PostKey(control, key);
    PostKey(control, key, false);
}

struct MainWindowKey {
    const char* name;
    int tab;
    std::function<HWND(TForm1&)> focused;
    WORD key;
    bool hidden;  // the key pressed "Ok" or "Cancel"
    bool saved;   // "Ok" writes the profile store
};

const MainWindowKey kMainWindowKeys[] = {
    {"EnterInTheProfilePathPressesOk", TForm1::kGeneralTab, [](TForm1& f) { return f.Edit1->Handle(); }, VK_RETURN,
     true, true},
    {"EscapeInTheProfilePathPressesCancel", TForm1::kGeneralTab, [](TForm1& f) { return f.Edit1->Handle(); }, VK_ESCAPE,
     true, false},
    {"EnterOnTheAutostartBoxPressesOk", TForm1::kGeneralTab, [](TForm1& f) { return f.CheckBox2->Handle(); }, VK_RETURN,
     true, true},
    {"EnterInTheAdapterGridStaysInTheGrid", TForm1::kNetworkConfigurationTab,
     [](TForm1& f) { return f.proplist->Handle(); }, VK_RETURN, false, false},
};

void PrintTo(const MainWindowKey& c, std::ostream* out) { *out << c.name; }

class MainWindowKeyTest : public MainWindowTest, public testing::WithParamInterface<MainWindowKey> {};

struct WelcomeKey {
    const char* name;
    WORD key;
    int result;
};

const WelcomeKey kWelcomeKeys[] = {
    {"EnterCreatesTheProfile", VK_RETURN, mrOk},
    {"EscapeCloses", VK_ESCAPE, mrCancel},
};

void PrintTo(const WelcomeKey& c, std::ostream* out) { *out << c.name; }

class WelcomeKeyTest : public MainWindowTest, public testing::WithParamInterface<WelcomeKey> {
protected:
    WelcomeDriver driver{application};
};
}  // namespace

TEST_P(MainWindowKeyTest, PressesTheButtonTheKeyStandsFor)
{
    const MainWindowKey& c = GetParam();
    StartOnProfilesTab("[0]\r\nip=10.0.0.1\r\nname=A\r\n");
    DeleteFileA(StorePath().c_str());
    SelectTab(c.tab);
    const HWND control = c.focused(*form);
    SetFocus(control);
    EXPECT_EQ(GetFocus(), control);
    PostKeyPress(control, c.key);
    application.ProcessMessages();
    EXPECT_EQ(!IsWindowVisible(form->Handle()), c.hidden);
    EXPECT_EQ(StoreWritten(), c.saved);
    EXPECT_TRUE(boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(MainWindow, MainWindowKeyTest, testing::ValuesIn(kMainWindowKeys),
                         [](const testing::TestParamInfo<MainWindowKey>& info) {
                             return std::string(info.param.name);
                         });

TEST_P(WelcomeKeyTest, PressesTheButtonTheKeyStandsFor)
{
    const WelcomeKey& c = GetParam();
    driver.answer = [&c](TForm4& welcome) { PostKeyPress(welcome.CheckBox1->Handle(), c.key); };
    Create();
    EXPECT_EQ(driver.runs, 1);
    EXPECT_EQ(driver.result, c.result);
    EXPECT_FALSE(driver.welcome->CheckBox1->Checked()) << "the key went past the focused box";
}

INSTANTIATE_TEST_SUITE_P(Welcome, WelcomeKeyTest, testing::ValuesIn(kWelcomeKeys),
                         [](const testing::TestParamInfo<WelcomeKey>& info) { return std::string(info.param.name); });

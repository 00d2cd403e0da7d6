// The first start: an empty store shows the main window with the welcome dialog, whose
// buttons, title-bar close and "Don't show this notice again." are pressed as a user would.
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>

#include "app/mainwindow.h"
#include "profiles/iprofile.h"
#include "profiles/starttip.h"
#include "support/tempfolder.h"
#include "support/timedsteps.h"
#include "support/welcomedriver.h"

namespace {
class FirstStartTest : public MainWindowTest {
protected:
    // Starts as the program does; `answer` runs as the welcome's modal run is about to start.
    void Start(std::function<void(TForm4& welcome)> answer)
    {
        driver.answer = std::move(answer);
        Create();
    }

    static void Press(const TControl& control) { PostMessageA(control.Handle(), BM_CLICK, 0, 0); }

    WelcomeDriver driver{application};
    TForm4*& welcome = driver.welcome;
};
}  // namespace

TEST_F(FirstStartTest, CloseShowsTheWindowAndLeavesListAndSubmenuEmpty)
{
    Start([](TForm4& dialog) { Press(*dialog.Button1); });
    EXPECT_EQ(driver.made, 1);
    EXPECT_EQ(driver.runs, 1);
    EXPECT_TRUE(driver.mainWindowShown);
    // Over the main window while it runs, which then is usable again.
    EXPECT_EQ(driver.owner, form->Handle());
    EXPECT_EQ(driver.result, 2);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    EXPECT_FALSE(IsWindowVisible(welcome->Handle()));
    EXPECT_EQ(form->Profiles->ListView1->Items().Count(), 0);
    EXPECT_EQ(form->Profiles->prfs->Count(), 0);
    EXPECT_EQ(driver.otherRuns, 0);
    EXPECT_FALSE(WelcomeNoticeHidden());
}

TEST_F(FirstStartTest, ActivatingTheMainWindowBringsTheWelcomeBackToTheFront)
{
    HWND foreground = nullptr;
    std::optional<TimedSteps> steps;
    Start([&](TForm4&) {
        steps.emplace(std::vector<Step>{[&] { SetForegroundWindow(form->Handle()); },
                                        [&] {
                                            foreground = GetForegroundWindow();
                                            Press(*welcome->Button1);
                                        }},
                      20);
    });
    EXPECT_EQ(foreground, welcome->Handle());
    EXPECT_EQ(driver.result, 2);
}

TEST_F(FirstStartTest, TitleBarCloseEndsTheWelcomeAsClose)
{
    Start([](TForm4& dialog) { PostMessageA(dialog.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(driver.result, 2);
    EXPECT_EQ(form->Profiles->ListView1->Items().Count(), 0);
    EXPECT_EQ(driver.otherRuns, 0);
}

TEST_F(FirstStartTest, CreateNewProfileThenCancellingTheEditorLeavesNothing)
{
    Start([](TForm4& dialog) { Press(*dialog.Button2); });
    EXPECT_EQ(driver.result, 1);
    EXPECT_EQ(form->Profiles->ListView1->Items().Count(), 0);
    EXPECT_EQ(SendMessageA(form->Profiles->ListView1->Handle(), LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(form->Profiles->prfs->Count(), 0);
}

TEST_F(FirstStartTest, DontShowAgainKeepsLaterStartsInTheTray)
{
    Start([](TForm4& dialog) {
        Press(*dialog.CheckBox1);
        Press(*dialog.Button1);
    });
    EXPECT_EQ(driver.runs, 1);
    EXPECT_TRUE(WelcomeNoticeHidden());

    // The next start with an empty store: neither the welcome nor the main window.
    form->Hide();
    form->Profiles->ReloadProfiles();
    EXPECT_EQ(driver.runs, 1);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(form->Profiles->ListView1->Items().Count(), 0);
}

TEST_F(FirstStartTest, AStoreWithProfilesShowsNoWelcome)
{
    WriteFileBytes(StorePath(), "[0]\r\nip=10.0.0.5\r\n");
    form = &application.CreateForm<TForm1>([this] { return network.Services(); });
    Settle();
    EXPECT_EQ(driver.runs + driver.otherRuns, 0);
    EXPECT_EQ(driver.made, 0) << "a start with profiles makes no welcome dialog";
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(form->Profiles->ListView1->Items().Count(), 1);
}

// "Exit" from the tray while the welcome is up ends the program as it would later; without it,
// the close button of the shown window still only hides it.
TEST_F(FirstStartTest, ExitWhileTheWelcomeIsUpEndsTheProgram)
{
    Start([](TForm4&) {
        const UINT exit = OpenTo(*Form1->PopupMenu1, *Form1->Exit1, Form1->Handle());
        PostMessageA(Form1->Handle(), WM_COMMAND, MAKEWPARAM(exit, 0), 0);
    });
    EXPECT_EQ(driver.runs, 1);
    EXPECT_EQ(driver.result, mrCancel);
    EXPECT_EQ(driver.otherRuns, 0);
    EXPECT_TRUE(application.Terminated());
}

TEST_F(FirstStartTest, AfterTheWelcomeTheCloseButtonHides)
{
    Start([](TForm4& dialog) { Press(*dialog.Button1); });
    ASSERT_TRUE(IsWindowVisible(form->Handle()));
    CloseButton();
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(application.Terminated());
}

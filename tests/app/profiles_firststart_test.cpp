// The first start: an empty store shows the main window with the welcome dialog, whose
// buttons, title-bar close and "Don't show this notice again." are pressed as a user would.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "app/mainwindow.h"
#include "profiles/iprofile.h"
#include "profiles/starttip.h"
#include "support/tempfolder.h"
#include "ui/modal.h"
#include "ui/timer.h"

namespace {
class FirstStartTest : public MainWindowTest {
protected:
    // The user's choice in the test prefix is put back as it was.
    FirstStartTest() : m_wasHidden(WelcomeNoticeHidden()) { ShowWelcomeNoticeAgain(); }
    ~FirstStartTest() override
    {
        SetWelcomeMaker(nullptr);
        SetModalHandler(m_previousModal);
        if (m_wasHidden) {
            HideWelcomeNotice();
        } else {
            ShowWelcomeNoticeAgain();
        }
    }

    // Starts as the program does: the welcome dialog is made when the main window first needs
    // it. `answer` runs while the welcome's modal run is about to start and may post the
    // user's action.
    void MakeWelcomeOnDemand()
    {
        SetWelcomeMaker([this]() -> TForm4& {
            ++welcomesMade;
            welcome = &application.Own(std::make_unique<TForm4>());
            return *welcome;
        });
    }
    void Start(std::function<void(TForm4& welcome)> answer)
    {
        MakeWelcomeOnDemand();
        m_previousModal = SetModalHandler([this, answer](const ModalRequest& request, const std::function<int()>& run) {
            if (request.name == "Form4") {
                ++welcomeRuns;
                mainWindowShown = IsWindowVisible(Form1->Handle()) != FALSE;
                welcomeOwner = GetWindow(welcome->Handle(), GW_OWNER);
                answer(*welcome);
                welcomeResult = run();
                return welcomeResult;
            }
            ++editorRuns;
            return static_cast<int>(mrCancel);
        });
        Create();
    }

    static void Press(const TControl& control) { PostMessageA(control.Handle(), BM_CLICK, 0, 0); }

    TForm4* welcome = nullptr;
    int welcomesMade = 0;
    int welcomeRuns = 0;
    int editorRuns = 0;
    int welcomeResult = -1;
    bool mainWindowShown = false;
    HWND welcomeOwner = nullptr;

private:
    bool m_wasHidden;
    ModalHandler m_previousModal;
};
}  // namespace

TEST_F(FirstStartTest, CloseShowsTheWindowAndLeavesListAndSubmenuEmpty)
{
    Start([](TForm4& dialog) { Press(*dialog.Button1); });
    EXPECT_EQ(welcomesMade, 1);
    EXPECT_EQ(welcomeRuns, 1);
    EXPECT_TRUE(mainWindowShown);
    // Over the main window while it runs, which then is usable again.
    EXPECT_EQ(welcomeOwner, form->Handle());
    EXPECT_EQ(welcomeResult, 2);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(IsWindowEnabled(form->Handle()));
    EXPECT_FALSE(IsWindowVisible(welcome->Handle()));
    EXPECT_EQ(form->ListView1->Items().Count(), 0);
    EXPECT_EQ(form->prfs->Count(), 0);
    EXPECT_EQ(editorRuns, 0);
    EXPECT_FALSE(WelcomeNoticeHidden());
}

TEST_F(FirstStartTest, ActivatingTheMainWindowBringsTheWelcomeBackToTheFront)
{
    HWND foreground = nullptr;
    TTimer steps;
    int step = 0;
    steps.onTimer = [&] {
        if (step++ == 0) {
            SetForegroundWindow(form->Handle());
            return;
        }
        steps.SetEnabled(false);
        foreground = GetForegroundWindow();
        Press(*welcome->Button1);
    };
    Start([&](TForm4&) {
        steps.SetInterval(20);
        steps.SetEnabled(true);
    });
    EXPECT_EQ(foreground, welcome->Handle());
    EXPECT_EQ(welcomeResult, 2);
}

TEST_F(FirstStartTest, TitleBarCloseEndsTheWelcomeAsClose)
{
    Start([](TForm4& dialog) { PostMessageA(dialog.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(welcomeResult, 2);
    EXPECT_EQ(form->ListView1->Items().Count(), 0);
    EXPECT_EQ(editorRuns, 0);
}

TEST_F(FirstStartTest, CreateNewProfileThenCancellingTheEditorLeavesNothing)
{
    Start([](TForm4& dialog) { Press(*dialog.Button2); });
    EXPECT_EQ(welcomeResult, 1);
    EXPECT_EQ(form->ListView1->Items().Count(), 0);
    EXPECT_EQ(SendMessageA(form->ListView1->Handle(), LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(form->prfs->Count(), 0);
}

TEST_F(FirstStartTest, DontShowAgainKeepsLaterStartsInTheTray)
{
    Start([](TForm4& dialog) {
        Press(*dialog.CheckBox1);
        Press(*dialog.Button1);
    });
    EXPECT_EQ(welcomeRuns, 1);
    EXPECT_TRUE(WelcomeNoticeHidden());

    // The next start with an empty store: neither the welcome nor the main window.
    form->Hide();
    form->ReloadProfiles();
    EXPECT_EQ(welcomeRuns, 1);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(form->ListView1->Items().Count(), 0);
}

TEST_F(FirstStartTest, AStoreWithProfilesShowsNoWelcome)
{
    WriteFileBytes(StorePath(), "[0]\r\nip=10.0.0.5\r\n");
    MakeWelcomeOnDemand();
    int runs = 0;
    ModalHandler previous = SetModalHandler([&](const ModalRequest&, const std::function<int()>&) {
        ++runs;
        return static_cast<int>(mrCancel);
    });
    form = &application.CreateForm<TForm1>([this] { return servicesHolder.Copy(); });
    SetModalHandler(previous);
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(welcomesMade, 0) << "a start with profiles makes no welcome dialog";
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(form->ListView1->Items().Count(), 1);
}

// "Exit" from the tray while the welcome is up ends the program as it would later; without it,
// the close button of the shown window still only hides it.
TEST_F(FirstStartTest, ExitWhileTheWelcomeIsUpEndsTheProgram)
{
    Start([](TForm4&) { PostMessageA(Form1->Handle(), WM_COMMAND, MAKEWPARAM(Form1->Exit1->Command(), 0), 0); });
    EXPECT_EQ(welcomeRuns, 1);
    EXPECT_EQ(welcomeResult, mrCancel);
    EXPECT_EQ(editorRuns, 0);
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

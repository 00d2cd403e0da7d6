// One program per user session: a second start finds the first through the session's named
// object and asks its main window to come forward, which shows it as "Open Configurator" does.
#include "app/mainwindow.h"

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/singleinstance.h"
#include "app/startup.h"
#include "core/messagefilter.h"

namespace {
// A name of this test's own, so that a program running in the prefix is not disturbed.
std::string TestName() { return "Local\\Velmora.test." + std::to_string(GetCurrentProcessId()); }
}  // namespace

TEST_F(MainWindowTest, ASecondStartBringsTheFirstProgramsWindowForward)
{
    const std::string name = TestName();
    SingleInstance first(name);
    ASSERT_TRUE(first.First());
    SingleInstance early(name);
    EXPECT_FALSE(early.First());
    EXPECT_FALSE(early.BringFirstForward()) << "the first has no window yet";

    Create();
    first.Publish(form->Handle());
    SingleInstance second(name);
    EXPECT_FALSE(second.First());
    // It may read where the window is, and may not change it.
    EXPECT_FALSE(UniqueHandle(OpenFileMappingA(FILE_MAP_WRITE, FALSE, name.c_str())));
    EXPECT_TRUE(second.BringFirstForward());
    application.ProcessMessages();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(application.Terminated());

    // Another user, or another session, has a name of its own.
    EXPECT_TRUE(SingleInstance(name + ".other").First());
}

// One copy per logon session, whoever starts it: the name is the session's alone. Under Wine
// every process is the session's user, which the program must find so.
TEST(SessionInstanceNameTest, IsTheSessionsOwnWhoeverStartsIt)
{
    EXPECT_EQ(SessionInstanceName(), "Local\\Velmora");
    EXPECT_TRUE(RunsAsSessionUser());
}

// A copy started as another account than the session's says that Velmora runs for the
// signed-in user, and ends before it makes or claims anything.
TEST(SessionInstanceNameTest, ACopyOfAnotherAccountSaysSoAndTouchesNothing)
{
    const SeamGuard<SessionUserQuery> otherAccount(SetSessionUserQuery, [] { return false; });
    MessageBoxRecorder boxes;
    bool prepared = false;
    // A run that went on would end at its message loop's first look, rather than hang the test.
    PostQuitMessage(0);
    ScopeExit quitTaken([] {
        MSG quit;
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    });
    EXPECT_EQ(RunVelmora(
                  [&] {
                      prepared = true;
                      return ConnectServicesFunction();
                  },
                  {}),
              kExitNotMade);
    EXPECT_FALSE(prepared);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{kOtherUserText});
    EXPECT_TRUE(SingleInstance(SessionInstanceName()).First()) << "the session's name was not claimed";
}

// Only a mapping this start made makes it the first: an elevated first copy's mapping is refused
// to an unelevated start, another kind of object may hold the name. Whatever the answer, a later
// start finds the first's window: through the mapping, or by its class and caption.
TEST_F(MainWindowTest, EveryAnswerButAMappingMadeMeansAnotherCopyRuns)
{
    Create();
    SingleInstance first(TestName());
    first.Publish(form->Handle());
    const std::tuple<bool, DWORD, bool> answers[] = {{true, ERROR_SUCCESS, true},
                                                     {true, ERROR_ALREADY_EXISTS, false},
                                                     {false, ERROR_ACCESS_DENIED, false},
                                                     {false, ERROR_INVALID_HANDLE, false}};
    for (const auto& [made, error, isFirst] : answers) {
        SCOPED_TRACE(error);
        SeamGuard<SingleInstance::CreateMappingFunction> answer{
            SingleInstance::SetCreateMapping, [&](const std::string&, SECURITY_ATTRIBUTES*) {
                return SingleInstance::MappingAnswer{
                    made ? CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 8, nullptr) : nullptr,
                    error};
            }};
        SingleInstance later(TestName());
        EXPECT_EQ(later.First(), isFirst);
        EXPECT_TRUE(isFirst || later.BringFirstForward());
    }
    UniqueHandle event(CreateEventA(nullptr, TRUE, FALSE, (TestName() + ".event").c_str()));
    SingleInstance held(TestName() + ".event");
    EXPECT_FALSE(held.First());
    EXPECT_TRUE(held.BringFirstForward());
}

// An elevated first copy hears a later unelevated start only when its main window lets the
// message through.
TEST_F(MainWindowTest, TheMainWindowLetsALaterStartsMessageThrough)
{
    std::vector<std::pair<HWND, UINT>> allowed;
    SeamGuard<MessageFilterFunction> filter{SetMessageFilter, [&](HWND window, UINT message, DWORD) {
                                                allowed.emplace_back(window, message);
                                                return TRUE;
                                            }};
    Create();
    EXPECT_NE(std::find(allowed.begin(), allowed.end(), std::pair{form->Handle(), OpenConfiguratorMessage()}),
              allowed.end());
    // And a command from the command line, elevated or not.
    EXPECT_NE(std::find(allowed.begin(), allowed.end(), std::pair{form->Handle(), static_cast<UINT>(WM_COPYDATA)}),
              allowed.end());
}

// One program per user session: a second start finds the first through the session's named
// object and asks its main window to come forward, which shows it as "Open Configurator" does.
#include "app/mainwindow.h"

#include <string>

#include "app/singleinstance.h"

TEST_F(MainWindowTest, ASecondStartBringsTheFirstProgramsWindowForward)
{
    // A name of this test's own, so that a program running in the prefix is not disturbed.
    const std::string name = "Local\\Velmora.test." + std::to_string(GetCurrentProcessId());
    SingleInstance first(name);
    ASSERT_TRUE(first.First());
    SingleInstance early(name);
    EXPECT_FALSE(early.First());
    EXPECT_FALSE(early.BringFirstForward()) << "the first has no window yet";

    Create();
    first.Publish(form->Handle());
    SingleInstance second(name);
    EXPECT_FALSE(second.First());
    EXPECT_TRUE(second.BringFirstForward());
    application.ProcessMessages();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(application.Terminated());

    // Another user, or another session, has a name of its own.
    EXPECT_TRUE(SingleInstance(name + ".other").First());
}

TEST(SessionInstanceNameTest, IsInTheSessionNamespaceAndNamesTheUser)
{
    const std::string name = SessionInstanceName();
    EXPECT_EQ(name.rfind("Local\\Velmora.S-1-", 0), 0u) << name;
}

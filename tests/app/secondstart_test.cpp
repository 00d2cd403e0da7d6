// A second start makes nothing of its own: it waits a few seconds for the window of a first
// that is still starting and brings it forward, or says that the program runs when none comes.
#include "app/mainwindow.h"

#include <functional>
#include <numeric>
#include <stdexcept>
#include <vector>

#include "app/singleinstance.h"
#include "app/startup.h"

TEST_F(MainWindowTest, ASecondStartWaitsAFewSecondsForTheFirstsWindow)
{
    SingleInstance first(SessionInstanceName());
    ASSERT_TRUE(first.First());
    std::vector<DWORD> pauses;
    std::function<void()> meanwhile = [] {};
    SeamGuard<SingleInstance::PauseFunction> pause{SingleInstance::SetPause, [&](DWORD milliseconds) {
                                                       pauses.push_back(milliseconds);
                                                       meanwhile();
                                                   }};
    const auto startAgain = [] {
        return RunVelmora([]() -> Variant { throw std::runtime_error("a second start connected to services"); });
    };

    EXPECT_EQ(startAgain(), 0);
    const DWORD waited = std::accumulate(pauses.begin(), pauses.end(), DWORD{0});
    EXPECT_TRUE(waited >= 2000 && waited <= 10000) << waited;
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>{"Velmora is already running: open it from its icon in the notification area."});

    Create();
    pauses.clear();
    meanwhile = [&] { first.Publish(form->Handle()); };
    EXPECT_EQ(startAgain(), 0);
    EXPECT_EQ(pauses.size(), 1u);
    application.ProcessMessages();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(boxes.size(), 1u);
}

// A second start makes nothing of its own: it waits a few seconds for the window of a first
// that is still starting and brings it forward, or says that the program runs when none comes;
// the simulated program's second start leaves the running one's simulated machine alone.
#include "app/mainwindow.h"

#include <functional>
#include <numeric>
#include <optional>
#include <stdexcept>
#include <vector>

#include "adapters/reg.h"
#include "app/singleinstance.h"
#include "app/startup.h"
#include "core/handles.h"
#include "core/text.h"
#include "profiles/iprofile.h"
#include "support/registrykeys.h"
#include "support/startedprogram.h"
#include "support/tempfolder.h"
#include "ui/form.h"

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
        return RunVelmora([]() -> ConnectServicesFunction { throw std::runtime_error("a second start made services"); },
                          {});
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

// With the simulated program in the tray, a user starts it again: the second start ends and
// leaves the running program's machine as it was, its shared file (which that program's
// elevated runs join) and the adapters' settings in the registry included.
TEST(SimulatedProgramTest, ASecondStartLeavesTheRunningProgramsMachineAlone)
{
    // A copy of its own, so that its profiles and its shared machine live in the test's folder.
    TempFolder folder;
    const std::string program = folder.File("velmora-simnet.exe");
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "..\\velmora-simnet.exe").c_str(), program.c_str(), FALSE));
    WriteFileBytes(folder.File("profiles.ini"), "[0]\r\nip=10.0.0.5\r\nname=Office\r\n");  // no welcome
    const std::string wired = kTcpipInterfacesKey + AnsiFromWide(MakeDemoNetwork().AdapterAt(0).settingId);
    // A start rewrites a present autostart entry with its own path: what was there goes back.
    const char runKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    const std::optional<RegistryData> autostart = ReadRaw(runKey, "V.M.R.");
    ScopeExit restore([&] {
        if (autostart) WriteRaw(runKey, "V.M.R.", autostart->type, autostart->bytes);
    });

    StartedProgram running(program);
    ASSERT_TRUE(running.IdleWithin(60000));  // in its message loop, its window published
    StartedProgram again(program);
    ASSERT_TRUE(again.EndsWithin(60000));
    EXPECT_EQ(again.ExitCode(), 0u);
    EXPECT_TRUE(FileExists(folder.File("velmora-simnet.state")));
    EXPECT_TRUE(ReadRaw(wired, "IPAddress"));

    // Posted behind the second start's request: the first close hides the window it showed, the
    // second ends the program.
    HWND window = FindWindowA(kFormWindowClass, kMainWindowCaption);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    ASSERT_EQ(owner, running.Id());
    PostMessageA(window, WM_CLOSE, 0, 0);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(running.EndsWithin(60000));
}

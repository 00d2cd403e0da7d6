// A standard user's change: refused in the program (91), made by one elevated run of the
// program on the same simulated machine, and its result shown as an in-process change's would
// be; a declined prompt changes and marks nothing; an elevated program makes no second run.
#include <memory>

#include "adapters/elevatedchange.h"
#include "app/elevation.h"
#include "app/netconfig_fixture.h"
#include "core/handles.h"
#include "core/processrights.h"
#include "profiles/iprofile.h"
#include "support/profiledata.h"
#include "simnet/simregistry.h"
#include "support/tempfolder.h"

namespace {
class ElevationTest : public NetconfigTest {
protected:
    ElevationTest() { network.RefuseUnelevated(true); }
    ~ElevationTest() override { DeleteFileA(SharedState().c_str()); }

    static std::string SimulatedProgram() { return ProgramFolder() + "..\\velmora-simnet.exe"; }
    static std::string SharedState() { return ProgramFolder() + "..\\velmora-simnet.state"; }

    void StartWith(const std::vector<ProfileData>& profiles)
    {
        Create();
        for (const ProfileData& data : profiles)
            AppendCaptioned(*ProfileList, data);
        boxes.clear();
    }

    // Every launch, answered by `answer` instead of the shell.
    void Launches(std::function<ElevatedRun()> answer)
    {
        SetElevatedLauncher([this, answer](const std::string&, const std::string& parameters) {
            launched.push_back(parameters);
            return answer();
        });
    }

    bool elevated = false;
    std::vector<std::string> launched;

private:
    SeamGuard<ElevationQuery> m_query{SetElevationQuery, [this] { return elevated; }};
    // The simulated program's build stands in for this one: tests run as test_app.exe.
    SeamGuard<std::string> m_program{SetElevatedProgram, SimulatedProgram()};
    SeamGuard<ElevatedLauncher> m_launcher{SetElevatedLauncher, nullptr};  // the shell until Launches
};

const ProfileData kOffice{"10.0.0.5", "255.0.0.0", "10.0.0.1", "10.0.0.2", "", "Office", false};
}  // namespace

// The whole way, with a real second process: velmora-simnet.exe, started with "runas" (which
// Wine runs as it is), joins the machine this test shares and makes the change there.
TEST_F(ElevationTest, ARefusedActivationIsMadeByOneElevatedRun)
{
    network.ShareState(SharedState());
    SimRegistryMirror registry(network);
    registry.Attach();
    StartWith({kOffice});
    Choose(form->ApplyNextProfile1);
    EXPECT_TRUE(boxes.empty()) << (boxes.empty() ? "" : boxes[0].text);
    EXPECT_EQ(form->ActiveProfileIndex, 0);
    EXPECT_EQ(ProfileAt(*ProfileList, 0).ImageIndex(), 1);
    // The window's refresh took in what the elevated run changed.
    EXPECT_EQ(network.Adapter(Wired)->ipAddresses, std::vector<std::wstring>{L"10.0.0.5"});
    EXPECT_EQ(form->ValueListEditor2->Values("IP:").rfind("10.0.0.5", 0), 0u);
    EXPECT_EQ(ShownTip().rfind("VMR. IP:10.0.0.5", 0), 0u);
}

TEST_F(ElevationTest, ADeclinedPromptMakesAndMarksNothing)
{
    Launches([] { return ElevatedRun{ElevatedRun::Outcome::Declined, 0, ERROR_CANCELLED}; });
    StartWith({kOffice});
    form->ActiveProfileIndex = 5;
    form->ApplyProfile(0);
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(launched[0].rfind("--elevated-change apply-profile adapter=3 ", 0), 0u) << launched[0];
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "Velmora needs administrator rights to change the network settings; the change was not made.");
    EXPECT_EQ(form->ActiveProfileIndex, 5);
    EXPECT_EQ(ProfileAt(*ProfileList, 0).ImageIndex(), 0);
    EXPECT_EQ(network.Adapter(Wired)->ipAddresses, std::vector<std::wstring>{L"192.168.1.10"});
}

TEST_F(ElevationTest, AnElevatedRunsRefusalIsToldAsTheProgramsOwn)
{
    Launches([] { return ElevatedRun{ElevatedRun::Outcome::Finished, PackRefusal({2, 71})}; });
    StartWith({kOffice});
    form->ApplyProfile(0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("Default gateway: Invalid gateway IP address (71)"), std::string::npos)
        << boxes[0].text;
    EXPECT_EQ(form->ActiveProfileIndex, -1);
}

TEST_F(ElevationTest, ApplyChangesGoesToAnElevatedRunToo)
{
    Launches([] { return ElevatedRun{ElevatedRun::Outcome::Declined, 0, ERROR_CANCELLED}; });
    StartWith({});
    Choose(form->Configuration1);
    Click(*form->Button1);
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(launched[0].rfind("--elevated-change apply-details adapter=3 addresses=192.168.1.10 ", 0), 0u)
        << launched[0];
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("needs administrator rights"), std::string::npos);
}

TEST_F(ElevationTest, AnElevatedProgramMakesNoSecondRun)
{
    elevated = true;
    Launches([] { return ElevatedRun{ElevatedRun::Outcome::Failed, 0, ERROR_ACCESS_DENIED}; });
    network.RefuseUnelevated(false);
    network.SetMethodResult(Wired, L"EnableStatic", 91);
    StartWith({kOffice});
    form->ApplyProfile(0);
    EXPECT_TRUE(launched.empty());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("Access denied (91)"), std::string::npos) << boxes[0].text;
}

// The elevated run refuses what it does not fully understand, before it touches anything.
TEST_F(ElevationTest, TheElevatedRunRefusesMalformedArguments)
{
    network.ShareState(SharedState());
    const std::string before = ReadFileBytes(SharedState());
    for (const char* arguments : {"--elevated-change apply-profile adapter=3",
                                  "--elevated-change autostart entry=on path=C:\\evil.exe",
                                  "--elevated-change apply-details adapter=3 addresses=1.2.3.4; masks= gateways= "
                                  "servers="}) {
        SCOPED_TRACE(arguments);
        std::string command = std::string(1, '"').append(SimulatedProgram()).append("\" ").append(arguments);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &process));
        UniqueHandle owned(process.hProcess);
        CloseHandle(process.hThread);
        ASSERT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
        DWORD exitCode = 0;
        GetExitCodeProcess(process.hProcess, &exitCode);
        EXPECT_EQ(exitCode, kElevatedMalformed);
    }
    EXPECT_EQ(ReadFileBytes(SharedState()), before);
}

// A standard user's change: refused in the program (91), made by one elevated run of the
// program on the same simulated machine, and its result shown as an in-process change's would
// be; a declined prompt changes and marks nothing; an elevated program makes no second run.
#include <memory>

#include "adapters/elevatedchange.h"
#include "app/elevatedrun.h"
#include "app/elevation.h"
#include "app/netconfig_fixture.h"
#include "core/handles.h"
#include "core/processrights.h"
#include "profiles/iprofile.h"
#include "core/text.h"
#include "support/profiledata.h"
#include "support/seams.h"
#include "support/simcalls.h"
#include "ui/timer.h"
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

    // Every launch made here, in this process, by the elevated run's own code on the same
    // machine with the rights it would have; the calls it makes are kept in `elevatedCalls`.
    void LaunchesHere()
    {
        Launches([this] {
            ValueGuard<bool> rights(elevated, true);
            network.RefuseUnelevated(false);
            network.ClearCalls();
            const std::vector<std::string> arguments =
                CommandLineArguments(L"velmora.exe " + WideFromAnsi(launched.back()));
            const int exitCode = RunElevatedChange(arguments, [this] { return network.Services(); });
            elevatedCalls = SeenCalls(network);
            network.RefuseUnelevated(true);
            return ElevatedRun{ElevatedRun::Outcome::Finished, static_cast<DWORD>(exitCode)};
        });
    }

    bool elevated = false;
    std::vector<std::string> launched;
    std::vector<SeenCall> elevatedCalls;

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
    Choose(form->Profiles->ApplyNextProfile1);
    EXPECT_TRUE(boxes.empty()) << (boxes.empty() ? "" : boxes[0].text);
    EXPECT_EQ(form->ActiveProfileIndex, 0);
    EXPECT_EQ(ProfileAt(*ProfileList, 0).ImageIndex(), 1);
    // The window's refresh took in what the elevated run changed.
    EXPECT_EQ(network.Adapter(Wired)->ipAddresses, std::vector<std::wstring>{L"10.0.0.5"});
    EXPECT_EQ(form->Profiles->ValueListEditor2->Values("IP:").rfind("10.0.0.5", 0), 0u);
    EXPECT_EQ(ShownTip().rfind("VMR. IP:10.0.0.5", 0), 0u);
}

TEST_F(ElevationTest, ADeclinedPromptMakesAndMarksNothing)
{
    Launches([] { return ElevatedRun{ElevatedRun::Outcome::Declined, 0, ERROR_CANCELLED}; });
    StartWith({kOffice});
    form->ActiveProfileIndex = 5;
    form->Profiles->ApplyProfile(0);
    Settle();
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
    form->Profiles->ApplyProfile(0);
    Settle();
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
    EXPECT_EQ(launched[0].rfind("--elevated-change apply-details adapter=3 addresses=192.168.1.10, ", 0), 0u)
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
    form->Profiles->ApplyProfile(0);
    Settle();
    EXPECT_TRUE(launched.empty());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("Access denied (91)"), std::string::npos) << boxes[0].text;
}

// The elevated run refuses what it does not fully understand, before it touches anything.
TEST_F(ElevationTest, TheElevatedRunRefusesMalformedArguments)
{
    network.ShareState(SharedState());
    const std::string before = ReadFileBytes(SharedState());
    for (const char* arguments :
         {"--elevated-change apply-profile adapter=3", "--elevated-change autostart entry=on path=C:\\evil.exe",
          "--elevated-change apply-details adapter=3 addresses=1.2.3.4; masks= gateways= "
          "servers=",
          // Another adapter's stored settings named for this one.
          "--elevated-change apply-profile adapter=3 setting=%7B00000000-0000-0000-0000-000000000000%7D dhcp=1 "
          "ip= mask= gw= dns1= dns2="}) {
        SCOPED_TRACE(arguments);
        std::string command = std::string(1, '"').append(SimulatedProgram()).append("\" ").append(arguments);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(
            CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
        UniqueHandle owned(process.hProcess);
        const UniqueHandle thread(process.hThread);
        ASSERT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
        DWORD exitCode = 0;
        GetExitCodeProcess(process.hProcess, &exitCode);
        EXPECT_EQ(exitCode, kElevatedMalformed);
    }
    EXPECT_EQ(ReadFileBytes(SharedState()), before);
}

// A run that ends without its result (it did not understand the change, failed, crashed or
// was ended from outside) is told with its code, and nothing is marked as made.
TEST_F(ElevationTest, ARunThatEndsWithoutItsResultIsToldWithItsCode)
{
    struct Case {
        DWORD exitCode;
        const char* says;
    };
    for (const Case c :
         {Case{kElevatedMalformed, "it did not understand the change (exit code 1)"},
          Case{kElevatedFailed, "the change failed (exit code 2)"}, Case{0, "it ended unexpectedly (exit code 0)"},
          Case{0xC0000005, "it ended unexpectedly (exit code 0xC0000005)"}}) {
        SCOPED_TRACE(c.says);
        Launches([c] { return ElevatedRun{ElevatedRun::Outcome::Finished, c.exitCode}; });
        StartWith({kOffice});
        const std::string told =
            std::string("Velmora could not change the network settings with administrator rights: ") + c.says + ".";
        form->Profiles->ApplyProfile(0);
        Settle();
        Click(*form->Button1);
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[0].text, told) << "activation";
        EXPECT_EQ(boxes[1].text, told) << "Apply Changes";
        EXPECT_EQ(ProfileAt(*ProfileList, 0).ImageIndex(), 0);
        EXPECT_EQ(form->ActiveProfileIndex, -1);
    }
}

// The elevated run makes exactly the calls that the same change makes in the program, whatever
// the rows hold: an empty gateway row makes no call, an empty DNS row a call without a list.
TEST_F(ElevationTest, ApplyChangesMakesTheSameCallsElevatedAsInTheProgram)
{
    struct Rows {
        const char *address, *mask, *gateways, *servers;
    };
    const Rows rows[] = {
        {"10.0.0.5", "255.0.0.0", "10.0.0.1", "10.0.0.2 10.0.0.3"},
        {"10.0.0.5", "255.0.0.0", "", "10.0.0.2"},
        {"10.0.0.5", "255.0.0.0", "10.0.0.1", ""},
        {"10.0.0.5 10.0.0.6", "255.0.0.0 255.0.0.0", "", ""},
        {"", "", "", ""},
    };
    LaunchesHere();
    StartWith({});
    for (const Rows& row : rows) {
        SCOPED_TRACE(std::string(row.address) + "|" + row.mask + "|" + row.gateways + "|" + row.servers);
        const auto send = [&] {
            EditValue("IP Address", row.address);
            EditValue("IP Subnet Mask", row.mask);
            EditValue("Default Gateways", row.gateways);
            EditValue("DNS Servers", row.servers);
            Click(*form->Button1);
        };
        network.RefuseUnelevated(false);
        network.ClearCalls();
        send();
        const std::vector<SeenCall> inProgram = SeenCalls(network);
        const std::vector<std::string> inProgramBoxes = boxes.Texts();
        boxes.clear();

        network.RefuseUnelevated(true);
        elevatedCalls.clear();
        send();
        EXPECT_EQ(elevatedCalls, inProgram);
        EXPECT_EQ(boxes.Texts(), inProgramBoxes) << "the same result is told";
        boxes.clear();
    }
    EXPECT_EQ(launched.size(), std::size(rows));
}

// Windows' consent prompt waits for the user for as long as the user takes: meanwhile the
// program goes on answering its messages (a timer stands for them here).
TEST_F(ElevationTest, TheProgramAnswersWhileWindowsAsksForRights)
{
    const UniqueHandle answered(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    bool answeredDuringPrompt = false;
    const SeamGuard<ShellExecuteCall> prompt(SetShellExecuteCall, [&](SHELLEXECUTEINFOA&) {
        answeredDuringPrompt = WaitForSingleObject(answered.get(), 10000) == WAIT_OBJECT_0;
        SetLastError(ERROR_CANCELLED);
        return FALSE;
    });
    TTimer messages;
    messages.onTimer = [&] { SetEvent(answered.get()); };
    messages.SetInterval(10);
    StartWith({kOffice});
    messages.SetEnabled(true);
    form->Profiles->ApplyProfile(0);
    Settle();
    EXPECT_TRUE(answeredDuringPrompt);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{
                                 "Velmora needs administrator rights to change the network settings; the change was "
                                 "not made."});
}

// Undo asks for rights as a profile does: a standard user's way back is made by the elevated
// run, on the same machine.
TEST_F(ElevationTest, UndoGoesToTheElevatedRunToo)
{
    LaunchesHere();
    StartWith({kOffice});
    form->Profiles->ApplyProfile(0);
    Settle();
    ASSERT_EQ(network.Adapter(Wired)->ipAddresses, std::vector<std::wstring>{L"10.0.0.5"});
    form->PopupMenu1Popup();
    Choose(form->Profiles->Undo1);
    EXPECT_TRUE(boxes.empty()) << boxes[0].text;
    ASSERT_EQ(launched.size(), 2u);
    EXPECT_EQ(launched[1].rfind("--elevated-change restore adapter=3 ", 0), 0u) << launched[1];
    EXPECT_EQ(network.Adapter(Wired)->ipAddresses, std::vector<std::wstring>{L"192.168.1.10"});
}

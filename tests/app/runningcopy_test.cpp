// The simulated program in the tray, sent commands by other starts as scripts send them: an
// --exit while a change runs lets the change end and be recorded first, and a copy that waits
// for Windows at logon still answers.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/commandline.h"
#include "core/handles.h"
#include "core/history.h"
#include "core/text.h"
#include "profiles/iprofile.h"
#include "profiles/undorecord.h"
#include "simnet/simnetwork.h"
#include "support/programrun.h"
#include "support/registrykeys.h"
#include "support/startedprogram.h"
#include "support/tempfolder.h"

namespace {
// A copy of the simulated program in a folder of its own, holding one profile, so that its
// store, history and shared machine are the test's; the autostart entry that a start rewrites
// is put back afterwards.
class RunningCopyTest : public testing::Test {
protected:
    RunningCopyTest()
    {
        program = folder.File("velmora-simnet.exe");
        CopyFileA((ProgramFolder() + "..\\velmora-simnet.exe").c_str(), program.c_str(), FALSE);
        WriteFileBytes(folder.File("profiles.ini"), "[0]\r\nip=10.0.0.5\r\nmask=255.0.0.0\r\nname=Office\r\n");
        ForgetUndoRecord();
    }
    ~RunningCopyTest() override
    {
        if (m_autostart) WriteRaw(kRunKey, "V.M.R.", m_autostart->type, m_autostart->bytes);
        ForgetUndoRecord();
    }

    // Looks every 50 ms until `done`, up to `limit`.
    static bool PollUntil(const std::function<bool()>& done, DWORD limit)
    {
        for (const ULONGLONG start = GetTickCount64(); !done(); Sleep(50))
            if (GetTickCount64() - start > limit) return false;
        return true;
    }

    TempFolder folder;
    std::string program;

private:
    static constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    std::optional<RegistryData> m_autostart = ReadRaw(kRunKey, "V.M.R.");
};
}  // namespace

// --apply, then --exit while its EnableStatic takes its 3 s: the change ends, is kept in the
// history and for Undo, its start exits 0 with its notice, and then the program ends.
TEST_F(RunningCopyTest, AnExitDuringAChangeAnswersTheChangeFirstAndThenEnds)
{
    const std::string wired = kTcpipInterfacesKey + AnsiFromWide(MakeDemoNetwork().AdapterAt(0).settingId);
    // With the time Windows takes (the tests' own runs take none).
    SetEnvironmentVariableA("VELMORA_SIMNET_TIMING", "windows");
    StartedProgram running(program);
    SetEnvironmentVariableA("VELMORA_SIMNET_TIMING", "0");
    ASSERT_TRUE(running.IdleWithin(60000));
    ProgramRun apply(program, L"--apply Office");
    // The change has begun once the stored gateway list is emptied, before its first call.
    ASSERT_TRUE(PollUntil(
        [&] {
            const std::optional<RegistryData> stored = ReadRaw(wired, "DefaultGateway");
            return stored && stored->bytes.find_first_not_of('\0') == std::string::npos;
        },
        30000));
    const Finished exit = RunProgram(program, L"--exit");
    const Finished applied = apply.Wait();
    EXPECT_EQ(applied.exitCode, static_cast<DWORD>(kExitDone)) << applied.output;
    EXPECT_NE(applied.output.find("Office applied"), std::string::npos) << applied.output;
    EXPECT_EQ(exit.exitCode, static_cast<DWORD>(kExitDone)) << exit.output;
    EXPECT_TRUE(running.EndsWithin(60000));
    EXPECT_NE(ReadFileBytes(folder.File(kHistoryFileName)).find("command line: --apply"), std::string::npos);
    ASSERT_TRUE(ReadUndoRecord());
    EXPECT_EQ(ReadUndoRecord()->expected.addresses, std::vector<std::string>{"10.0.0.5"});
}

// --apply of a profile Windows refuses: its start is answered (1070) with its box still up in
// the running program, and an --apply sent meanwhile is made and answered with its own result.
TEST_F(RunningCopyTest, EachStartHearsItsOwnResultWhileABoxIsUp)
{
    WriteFileBytes(folder.File("profiles.ini"), "[0]\r\nip=10.0.0.5\r\nmask=255.0.0.0\r\nname=Office\r\n"
                                                "[1]\r\nip=10.0.0.300\r\nmask=255.0.0.0\r\nname=Bad\r\n");
    StartedProgram running(program);
    ASSERT_TRUE(running.IdleWithin(60000));
    ProgramRun bad(program, L"--apply Bad");
    const Finished refused = bad.Wait(20000);
    EXPECT_EQ(refused.exitCode, static_cast<DWORD>(kExitRefusedBase + 70)) << refused.output;
    // The refusal's box, in the running program.
    HWND box = nullptr;
    EXPECT_TRUE(PollUntil(
        [&] {
            box = FindWindowA("#32770", "Velmora");
            DWORD owner = 0;
            GetWindowThreadProcessId(box, &owner);
            return box != nullptr && owner == running.Id();
        },
        20000));
    const Finished good = RunProgram(program, L"--apply Office");
    EXPECT_EQ(good.exitCode, static_cast<DWORD>(kExitDone)) << good.output;
    EXPECT_TRUE(IsWindow(box)) << "the box waits for its click";
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(RunProgram(program, L"--exit").exitCode, static_cast<DWORD>(kExitDone));
    EXPECT_TRUE(running.EndsWithin(20000));
}

// At logon WMI may answer a minute late: a copy waiting 30 s for it still answers --list at
// once, and --exit ends it without waiting for Windows.
TEST_F(RunningCopyTest, ACopyThatWaitsForWindowsAnswersAtOnce)
{
    SetEnvironmentVariableA("VELMORA_SIMNET_TIMING", "windows");
    SetEnvironmentVariableA("VELMORA_SIMNET_LOGON", "30");
    StartedProgram running(program);
    SetEnvironmentVariableA("VELMORA_SIMNET_LOGON", nullptr);
    SetEnvironmentVariableA("VELMORA_SIMNET_TIMING", "0");
    ASSERT_TRUE(running.IdleWithin(60000));
    const ULONGLONG start = GetTickCount64();
    const Finished listed = RunProgram(program, L"--list");
    EXPECT_EQ(listed.exitCode, static_cast<DWORD>(kExitDone)) << listed.output;
    EXPECT_NE(listed.output.find("#1 Office: 10.0.0.5/255.0.0.0"), std::string::npos) << listed.output;
    const Finished exit = RunProgram(program, L"--exit");
    EXPECT_EQ(exit.exitCode, static_cast<DWORD>(kExitDone)) << exit.output;
    EXPECT_TRUE(running.EndsWithin(20000));
    EXPECT_LT(GetTickCount64() - start, 20000u) << "answered before Windows did";
}

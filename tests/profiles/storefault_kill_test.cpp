// A program killed in the middle of a save: a child process saves two different lists in
// turn as fast as it can and is terminated at random moments. Each time, the store must be
// the one list's file or the other's, byte for byte, never a mix or empty.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "core/handles.h"
#include "profiles/iprofile.h"
#include "support/profiledata.h"
#include "support/tempfolder.h"

namespace {
const char* const kTargetVariable = "VELMORA_SAVE_LOOP_TARGET";
const char* const kReadyVariable = "VELMORA_SAVE_LOOP_READY";

// The two lists differ in size by far, so a cut file could not pass for either.
void FillList(TListItems& list, bool large)
{
    const int count = large ? 300 : 2;
    for (int i = 0; i < count; ++i) {
        AppendProfile(list, {"10.2.0." + std::to_string(i % 250), "255.255.255.0", large ? "10.2.0.1" : "", "10.2.0.2",
                             "", (large ? "Large " : "Small ") + std::to_string(i), i % 3 == 0});
    }
}

std::string StoreBytes(bool large)
{
    TempFolder folder;
    TListItems list;
    FillList(list, large);
    SaveProfilesTo(list, folder.File("profiles.ini"));
    return ReadFileBytes(folder.File("profiles.ini"));
}

std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}
}  // namespace

// Run only as the child of the test below, which names the target and the ready event.
TEST(StoreFaultChild, DISABLED_SavesForever)
{
    const std::string target = Variable(kTargetVariable);
    ASSERT_FALSE(target.empty());
    TListItems small, large;
    FillList(small, false);
    FillList(large, true);
    const UniqueHandle ready(OpenEventA(EVENT_MODIFY_STATE, FALSE, Variable(kReadyVariable).c_str()));
    ASSERT_TRUE(ready);
    for (unsigned n = 0;; ++n) {
        SaveProfilesTo(n % 2 ? large : small, target);
        if (n == 1) SetEvent(ready.get());
    }
}

TEST(StoreFaults, AProgramKilledInTheMiddleOfASaveLeavesTheOldOrTheNewStoreWhole)
{
    TempFolder folder;
    const std::string target = folder.File("profiles.ini");
    const std::string smallBytes = StoreBytes(false);
    const std::string largeBytes = StoreBytes(true);
    WriteFileBytes(target, smallBytes);

    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    const std::string eventName = "VelmoraSaveLoopReady-" + std::to_string(GetCurrentProcessId());
    const UniqueHandle ready(CreateEventA(nullptr, FALSE, FALSE, eventName.c_str()));
    SetEnvironmentVariableA(kTargetVariable, target.c_str());
    SetEnvironmentVariableA(kReadyVariable, eventName.c_str());

    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const UniqueFile quiet(
        CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, OPEN_EXISTING, 0, nullptr));
    std::mt19937 random(12345);
    std::uniform_int_distribution<DWORD> moment(0, 40);
    int seenSmall = 0, seenLarge = 0;
    const int kills = 25;
    for (int kill = 0; kill < kills; ++kill) {
        std::string line = std::string("\"") + program +
                           "\" --gtest_also_run_disabled_tests --gtest_filter=StoreFaultChild.DISABLED_SavesForever";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;  // the child's test report is of no interest
        startup.hStdOutput = startup.hStdError = quiet.get();
        PROCESS_INFORMATION info{};
        ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info));
        const UniqueHandle process(info.hProcess);
        const UniqueHandle thread(info.hThread);
        // Killed after both lists have been written at least once, at a random moment of the
        // loop: the wait on the child is the random part, and it ends early only if the child
        // died on its own, which is a failure.
        const HANDLE started[] = {ready.get(), process.get()};
        ASSERT_EQ(WaitForMultipleObjects(2, started, FALSE, 30000), WAIT_OBJECT_0) << "the saving child did not start";
        ASSERT_EQ(WaitForSingleObject(process.get(), moment(random)), static_cast<DWORD>(WAIT_TIMEOUT))
            << "the saving child ended on its own";
        TerminateProcess(process.get(), 9);
        WaitForSingleObject(process.get(), INFINITE);

        const std::string after = ReadFileBytes(target);
        ASSERT_TRUE(after == smallBytes || after == largeBytes)
            << "kill " << kill << ": a store of " << after.size() << " bytes is neither list's file";
        (after == smallBytes ? seenSmall : seenLarge)++;
    }
    SetEnvironmentVariableA(kTargetVariable, nullptr);
    // Both outcomes turned up, so the kills fell at different points of the loop.
    EXPECT_GT(seenSmall, 0);
    EXPECT_GT(seenLarge, 0);
}

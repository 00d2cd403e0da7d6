// "Load on StartUp": the "V.M.R." entry under the machine's Run key, read at start and written
// or deleted by the box. The tests work on the real key of the test's Wine prefix and put back
// whatever entry was there before.
#include "app/mainwindow.h"

#include <aclapi.h>

#include <optional>
#include <vector>

#include "adapters/elevatedchange.h"
#include "app/elevatedrun.h"
#include "app/elevation.h"
#include "core/handles.h"
#include "core/processrights.h"
#include "core/text.h"
#include "support/registrykeys.h"
#include "support/seams.h"

namespace {
constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kEntryName[] = "V.M.R.";

using RawValue = RegistryData;

// The entry as the plain registry functions see it; none when absent.
std::optional<RawValue> ReadEntry() { return ReadRaw(kRunKey, kEntryName); }
void WriteEntry(const RawValue& value) { WriteRaw(kRunKey, kEntryName, value.type, value.bytes); }
void RemoveEntry() { DeleteRaw(kRunKey, kEntryName); }
RawValue Text(const std::string& text) { return {REG_SZ, StringBytes(text)}; }

// The running test program between double quotes, as the entry must hold it.
std::string QuotedProgramPath()
{
    char path[MAX_PATH * 4] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string("\"") + path + "\"";
}

// For as long as it lives, nobody may change the Run key: no value written or deleted, no key
// opened for full access. The key's own permissions come back afterwards.
class LockedRunKey {
public:
    LockedRunKey()
    {
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, READ_CONTROL | WRITE_DAC, m_key.put()) != ERROR_SUCCESS)
            return;
        const HKEY key = m_key.get();
        DWORD size = 0;
        RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
        m_saved.resize(size);
        if (RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, m_saved.data(), &size) != ERROR_SUCCESS) return;
        // Deny before allow: the deny wins for the rights it names.
        EXPLICIT_ACCESSA rules[2] = {};
        char everyone[] = "EVERYONE";
        BuildExplicitAccessWithNameA(&rules[0], everyone, KEY_SET_VALUE | KEY_CREATE_SUB_KEY, DENY_ACCESS, 0);
        BuildExplicitAccessWithNameA(&rules[1], everyone, KEY_READ | READ_CONTROL | WRITE_DAC, GRANT_ACCESS, 0);
        UniqueLocalAs<PACL> locked;
        if (SetEntriesInAclA(2, rules, nullptr, locked.put()) != ERROR_SUCCESS) return;
        SECURITY_DESCRIPTOR descriptor;
        InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
        SetSecurityDescriptorDacl(&descriptor, TRUE, locked.get(), FALSE);
        m_locked = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
    }
    ~LockedRunKey()
    {
        if (m_locked) RegSetKeySecurity(m_key.get(), DACL_SECURITY_INFORMATION, m_saved.data());
    }
    LockedRunKey(const LockedRunKey&) = delete;
    LockedRunKey& operator=(const LockedRunKey&) = delete;

    bool Locked() const { return m_locked; }

private:
    UniqueHkey m_key;
    std::vector<char> m_saved;
    bool m_locked = false;
};

class AutostartTest : public MainWindowTest {
protected:
    // Whatever the prefix held is put back afterwards; Wine starts the programs named under
    // Run, so no entry of a test may be left behind.
    AutostartTest() : m_saved(ReadEntry()) { RemoveEntry(); }
    ~AutostartTest() override
    {
        RemoveEntry();
        if (m_saved) WriteEntry(*m_saved);
    }

    void ClickLoadOnStartUp()
    {
        SendMessageA(form->CheckBox2->Handle(), BM_CLICK, 0, 0);
        Settle();
    }

private:
    std::optional<RawValue> m_saved;
};
}  // namespace

TEST_F(AutostartTest, StartWithoutEntryLeavesBoxUncheckedAndWritesNothing)
{
    Create();
    EXPECT_FALSE(form->CheckBox2->Checked());
    EXPECT_FALSE(ReadEntry());
    EXPECT_TRUE(boxes.empty());
}

// Any present entry checks the box at start and is pointed at the program that runs now.
class AutostartFoundTest : public AutostartTest, public testing::WithParamInterface<RawValue> {};

TEST_P(AutostartFoundTest, StartChecksBoxAndRewritesEntryToThisProgram)
{
    WriteEntry(GetParam());
    Create();
    EXPECT_TRUE(form->CheckBox2->Checked());
    const std::optional<RawValue> now = ReadEntry();
    ASSERT_TRUE(now);
    EXPECT_EQ(now->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(now->bytes, Text(QuotedProgramPath()).bytes);
    EXPECT_TRUE(boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Entries, AutostartFoundTest,
                         testing::Values(Text("\"C:\\Old Place\\velmora.exe\""), Text("C:\\Old\\velmora.exe /tray"),
                                         RawValue{REG_EXPAND_SZ, Text("%ProgramFiles%\\velmora.exe").bytes}));

TEST_F(AutostartTest, EmptyEntryCountsAsAbsent)
{
    WriteEntry(Text(""));
    Create();
    EXPECT_FALSE(form->CheckBox2->Checked());
    const std::optional<RawValue> now = ReadEntry();
    ASSERT_TRUE(now);
    EXPECT_EQ(now->bytes, std::string(1, '\0'));  // left as it was
}

TEST_F(AutostartTest, CheckingWritesTheQuotedProgramPathAndUncheckingDeletesIt)
{
    Create();
    ClickLoadOnStartUp();
    EXPECT_TRUE(form->CheckBox2->Checked());
    const std::optional<RawValue> written = ReadEntry();
    ASSERT_TRUE(written);
    EXPECT_EQ(written->type, static_cast<DWORD>(REG_SZ));
    // The path between double quotes, nothing else: no arguments, no spaces.
    EXPECT_EQ(written->bytes, Text(QuotedProgramPath()).bytes);

    ClickLoadOnStartUp();
    EXPECT_FALSE(form->CheckBox2->Checked());
    EXPECT_FALSE(ReadEntry());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(AutostartTest, UncheckingAfterTheEntryWasRemovedElsewhereSaysSo)
{
    Create();
    ClickLoadOnStartUp();
    RemoveEntry();
    ClickLoadOnStartUp();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Failed to Delete RegistryKey ");
    EXPECT_EQ(boxes[0].flags & (MB_ICONMASK | MB_TYPEMASK), static_cast<UINT>(MB_OK));  // a plain box
    EXPECT_FALSE(form->CheckBox2->Checked());
    EXPECT_FALSE(ReadEntry());
}

// A user who may not change the Run key: the box shows the entry that is there without
// rewriting it; unchecking it says the entry could not go, checking it fails with the
// registry's error and stays checked.
TEST_F(AutostartTest, LockedRunKeyIsNeitherRewrittenNorChanged)
{
    const RawValue elsewhere = Text("\"C:\\Elsewhere\\velmora.exe\"");
    WriteEntry(elsewhere);
    {
        LockedRunKey lock;
        ASSERT_TRUE(lock.Locked());
        Create();
        EXPECT_TRUE(form->CheckBox2->Checked());
        EXPECT_TRUE(boxes.empty());

        ClickLoadOnStartUp();
        EXPECT_FALSE(form->CheckBox2->Checked());
        ClickLoadOnStartUp();
        EXPECT_TRUE(form->CheckBox2->Checked());
    }
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Failed to Delete RegistryKey ");
    EXPECT_EQ(boxes[1].text, "Failed to create key SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
    EXPECT_EQ(boxes[1].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    const std::optional<RawValue> now = ReadEntry();
    ASSERT_TRUE(now);
    EXPECT_EQ(now->bytes, elsewhere.bytes);
}

// A standard user checking the box: the write the Run key refuses goes to an elevated run of
// the program, and a declined prompt leaves the box as the entry still is.
TEST_F(AutostartTest, AStandardUsersChangeIsMadeElevatedOrLeftAsItWas)
{
    const SeamGuard<ElevationQuery> standardUser(SetElevationQuery, [] { return false; });
    std::optional<LockedRunKey> lock;
    lock.emplace();
    ASSERT_TRUE(lock->Locked());
    Create();
    bool declines = true;
    std::vector<std::string> launched;
    const SeamGuard<ElevatedLauncher> launcher(
        SetElevatedLauncher, [&](const std::string&, const std::string& parameters) {
            launched.push_back(parameters);
            if (declines) return ElevatedRun{ElevatedRun::Outcome::Declined, 0, ERROR_CANCELLED};
            // Elevated, the run has the right the lock denies this process: made here with it lifted.
            lock.reset();
            const std::vector<std::string> arguments = CommandLineArguments(L"velmora.exe " + WideFromAnsi(parameters));
            return ElevatedRun{ElevatedRun::Outcome::Finished,
                               static_cast<DWORD>(RunElevatedChange(arguments, [] { return Variant(); }))};
        });

    ClickLoadOnStartUp();
    EXPECT_FALSE(form->CheckBox2->Checked());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "Velmora needs administrator rights to change the autostart entry; the change was not made.");
    EXPECT_FALSE(ReadEntry());

    declines = false;
    ClickLoadOnStartUp();
    EXPECT_TRUE(form->CheckBox2->Checked());
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(launched, (std::vector<std::string>{"--elevated-change autostart entry=on",
                                                  "--elevated-change autostart entry=on"}));
    EXPECT_TRUE(ReadEntry());
}

// A standard user unchecking an entry removed elsewhere: Windows did not refuse for want of
// rights, so no rights are asked for; the deletion's failure is told as it is.
TEST_F(AutostartTest, AFailureOtherThanAccessDeniedAsksNoRights)
{
    const SeamGuard<ElevationQuery> standardUser(SetElevationQuery, [] { return false; });
    WriteEntry(Text(QuotedProgramPath()));
    Create();
    std::vector<std::string> launched;
    const SeamGuard<ElevatedLauncher> launcher(
        SetElevatedLauncher, [&](const std::string&, const std::string& parameters) {
            launched.push_back(parameters);
            return ElevatedRun{ElevatedRun::Outcome::Declined, 0, ERROR_CANCELLED};
        });
    RemoveEntry();
    ClickLoadOnStartUp();
    EXPECT_TRUE(launched.empty());
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Failed to Delete RegistryKey "});
    EXPECT_FALSE(form->CheckBox2->Checked());
}

// An elevated run that ends without its result (here it crashed once it had written the
// entry, then failed before deleting it): the user is told with its code, and the box shows
// what the Run key really holds.
TEST_F(AutostartTest, ARunWithoutItsResultIsToldAndTheBoxShowsTheRunKey)
{
    const SeamGuard<ElevationQuery> standardUser(SetElevationQuery, [] { return false; });
    std::optional<LockedRunKey> lock;
    lock.emplace();
    ASSERT_TRUE(lock->Locked());
    Create();
    const SeamGuard<ElevatedLauncher> launcher(SetElevatedLauncher, [&](const std::string&, const std::string&) {
        lock.reset();
        if (!ReadEntry()) {
            WriteEntry(Text(QuotedProgramPath()));
            return ElevatedRun{ElevatedRun::Outcome::Finished, 0xC0000005};
        }
        return ElevatedRun{ElevatedRun::Outcome::Finished, kElevatedFailed};
    });

    ClickLoadOnStartUp();
    EXPECT_TRUE(form->CheckBox2->Checked());
    lock.emplace();
    ClickLoadOnStartUp();
    EXPECT_TRUE(form->CheckBox2->Checked());
    EXPECT_TRUE(ReadEntry());
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{
                                 "Velmora could not change the autostart entry with administrator rights: it "
                                 "ended unexpectedly (exit code 0xC0000005).",
                                 "Velmora could not change the autostart entry with administrator rights: the "
                                 "change failed (exit code 2).",
                             }));
}

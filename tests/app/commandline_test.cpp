// The command line: arguments read strictly; a command carried out by the window as the same
// action from the tray, answered with an exit code; and the real program handing a command to
// the copy that runs, or carrying it out itself.
#include <windows.h>

#include <string>
#include <vector>

#include "adapters/reg.h"
#include <shobjidl.h>
#include <wrl/client.h>

#include "app/commandline.h"
#include "app/elevatedrun.h"
#include "app/netconfig_fixture.h"
#include "core/handles.h"
#include "core/text.h"
#include "profiles/iprofile.h"
#include "profiles/shortcut.h"
#include "simnet/simnetwork.h"
#include "support/profiledata.h"
#include "support/registrykeys.h"
#include "app/remotecommand.h"
#include "core/processrights.h"
#include "profiles/undorecord.h"
#include "support/programrun.h"
#include "support/seams.h"
#include "support/startanswers.h"
#include "support/startedprogram.h"
#include "support/tempfolder.h"
#include "ui/form.h"

using Microsoft::WRL::ComPtr;

TEST(CommandLineTest, ReadsEachCommandAndRefusesAnythingElse)
{
    struct Case {
        std::vector<std::string> arguments;
        bool understood;
        Command::Action action = Command::Action::Start;
        std::string profile = {};
        bool once = false;
    };
    const Case cases[] = {
        {{}, true},
        {{"--apply", "Home Net"}, true, Command::Action::Apply, "Home Net"},
        {{"--apply", "#2", "--once"}, true, Command::Action::Apply, "#2", true},
        {{"--once", "--next"}, true, Command::Action::Next, "", true},
        {{"--undo"}, true, Command::Action::Undo},
        {{"--open"}, true, Command::Action::Open},
        {{"--exit"}, true, Command::Action::Exit},
        {{"--list"}, true, Command::Action::List},
        {{"/?"}, true, Command::Action::Help},
        {{"--apply"}, false},
        {{"--apply", ""}, false},
        {{"--next", "--undo"}, false},
        {{"--once"}, false},
        {{"Office"}, false},
        {{"--APPLY", "Office"}, false},
    };
    for (const Case& c : cases) {
        const ParsedCommand parsed = ParseCommand(c.arguments);
        SCOPED_TRACE(c.arguments.empty() ? "(none)" : c.arguments[0]);
        ASSERT_EQ(parsed.command.has_value(), c.understood) << parsed.error;
        if (!c.understood) {
            EXPECT_NE(parsed.error.find("velmora --help"), std::string::npos);
            continue;
        }
        EXPECT_EQ(parsed.command->action, c.action);
        EXPECT_EQ(parsed.command->profile, c.profile);
        EXPECT_EQ(parsed.command->once, c.once);
        // As it travels to the running copy and back.
        const std::optional<Command> back = CommandFromText(CommandText(*parsed.command));
        ASSERT_TRUE(back);
        EXPECT_EQ(back->action, c.action);
        EXPECT_EQ(back->profile, c.profile);
        EXPECT_EQ(back->once, c.once);
    }
}

namespace {
const ProfileData kOffice{"10.0.0.5", "255.0.0.0", "10.0.0.1", "", "", "Office"};
const ProfileData kHome{"192.168.1.10", "255.255.255.0", "", "", "", "Home Net"};

class CommandTest : public NetconfigTest {
protected:
    int Run(const Command& command)
    {
        form->CommandExitCode = -1;
        form->QueueCommand(command, nullptr);
        Settle();
        return form->CommandExitCode;
    }
};
}  // namespace

TEST_F(CommandTest, EachCommandIsCarriedOutAsFromTheTrayAndAnsweredWithItsCode)
{
    Create();
    AppendCaptioned(*ProfileList, kOffice);
    AppendCaptioned(*ProfileList, kHome);
    boxes.clear();
    const auto apply = [](std::string profile) { return Command{Command::Action::Apply, std::move(profile)}; };

    EXPECT_EQ(Run(apply("home net")), kExitDone);  // letter case aside
    EXPECT_EQ(network.Adapter(Wired)->ipAddresses.front(), L"192.168.1.10");
    EXPECT_EQ(Run(Command{Command::Action::Next, {}}), kExitDone);
    EXPECT_EQ(network.Adapter(Wired)->ipAddresses.front(), L"10.0.0.5");
    EXPECT_EQ(Run(Command{Command::Action::Undo, {}}), kExitDone);
    EXPECT_EQ(network.Adapter(Wired)->ipAddresses.front(), L"192.168.1.10");
    EXPECT_EQ(Run(apply("#3")), kExitNoSuchProfile);
    EXPECT_EQ(Run(apply("Library")), kExitNoSuchProfile);
    EXPECT_TRUE(boxes.empty());

    // A refusal is told in the tray's box and answered with the method's code.
    network.SetMethodResult(Wired, L"EnableStatic", 70);
    EXPECT_EQ(Run(apply("#1")), kExitRefusedBase + 70);
    EXPECT_EQ(boxes.size(), 1u);
    network.SetMethodResult(Wired, L"EnableStatic", 0);  // "done", with nothing changed
    EXPECT_EQ(Run(apply("Office")), kExitDiffers);

    // A call that could not be made at all (-1, which Windows gives no code for): nothing was made.
    network.FailMethod(Wired, L"EnableStatic", E_FAIL);
    EXPECT_EQ(Run(apply("Office")), kExitNotMade);
    network.ClearScripts();

    // An adapter that is gone since: told in the tray's error box.
    boxes.clear();
    form->SelectedAdapterIndex = 4242;
    EXPECT_EQ(Run(apply("Home Net")), kExitNoAdapter);
    EXPECT_EQ(boxes.size(), 1u);
    // Undo to an adapter that is gone: told once, then there is nothing to undo.
    UndoRecord gone = *form->Changes->Undo();
    gone.settingId = "{00000000-0000-0000-0000-000000000000}";
    form->Changes->SetUndo(gone);
    EXPECT_EQ(Run(Command{Command::Action::Undo, {}}), kExitNoAdapter);
    EXPECT_EQ(Run(Command{Command::Action::Undo, {}}), kExitNotMade);
    EXPECT_FALSE(ReadUndoRecord());
}

// Every answer is the truth: --exit with profiles that cannot be saved says so (7) and Velmora
// goes on, taking the next command; a start of its own with --once ends with its command's
// result all the same.
TEST_F(CommandTest, AnExitThatCannotSaveSaysSoAndTheQueueGoesOn)
{
    Create();
    AppendCaptioned(*ProfileList, kOffice);
    BlockStore();
    StartAnswers exit, list;
    form->QueueCommand({Command::Action::Exit, {}}, exit.Window());
    form->QueueCommand({Command::Action::List, {}}, list.Window());
    Settle();
    ASSERT_EQ(exit.answers.size(), 1u);
    EXPECT_EQ(exit.answers[0].exitCode, kExitNotSaved);
    EXPECT_NE(exit.answers[0].text.find("could not be saved"), std::string::npos) << exit.answers[0].text;
    EXPECT_FALSE(application.Terminated());
    ASSERT_EQ(list.answers.size(), 1u);
    EXPECT_EQ(list.answers[0].exitCode, kExitDone);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(Run(Command{Command::Action::Apply, "Office", true}), kExitDone);
    EXPECT_TRUE(application.Terminated());
}

// A read-only store that holds the profiles already needs no save: --exit ends the program.
TEST_F(CommandTest, AReadOnlyStoreThatHoldsTheProfilesLetsTheProgramEnd)
{
    Create();
    AppendCaptioned(*ProfileList, kOffice);
    ASSERT_TRUE(SaveProfiles());
    SetFileAttributesA(StorePath().c_str(), FILE_ATTRIBUTE_READONLY);
    ScopeExit writable([] { SetFileAttributesA(StorePath().c_str(), FILE_ATTRIBUTE_NORMAL); });
    StartAnswers exit;
    form->QueueCommand({Command::Action::Exit, {}}, exit.Window());
    Settle();
    ASSERT_EQ(exit.answers.size(), 1u);
    EXPECT_EQ(exit.answers[0].exitCode, kExitDone);
    EXPECT_TRUE(application.Terminated());
    EXPECT_TRUE(boxes.empty());
}

// An elevated copy takes from a process of lower rights only what brings it forward: any other
// command is answered that it must come from an elevated prompt, and nothing is made. A command
// that names another kind of window to answer is not taken at all.
TEST_F(CommandTest, ALowerProcessOnlyBringsAnElevatedCopyForward)
{
    Create();
    AppendCaptioned(*ProfileList, kOffice);
    boxes.clear();
    const SeamGuard<IntegrityQuery> levels(SetIntegrityQuery, [](void* window) -> unsigned long {
        return window == nullptr ? SECURITY_MANDATORY_HIGH_RID : SECURITY_MANDATORY_MEDIUM_RID;
    });
    for (const Command::Action action : {Command::Action::Apply, Command::Action::Undo, Command::Action::Exit}) {
        const std::optional<CommandAnswer> answer = SendCommand(form->Handle(), {action, "Office"});
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->exitCode, kExitNotMade);
        EXPECT_NE(answer->text.find("from an elevated prompt"), std::string::npos) << answer->text;
    }
    EXPECT_EQ(network.Adapter(Wired)->ipAddresses.front(), L"192.168.1.10");
    EXPECT_FALSE(application.Terminated());
    const std::optional<CommandAnswer> open = SendCommand(form->Handle(), {Command::Action::Open, {}});
    ASSERT_TRUE(open);
    EXPECT_EQ(open->exitCode, kExitDone);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));

    std::string text = CommandText({Command::Action::Exit, {}});
    COPYDATASTRUCT data{kCommandData, static_cast<DWORD>(text.size()), text.data()};
    EXPECT_FALSE(ReceiveCommand(reinterpret_cast<WPARAM>(form->Handle()), reinterpret_cast<LPARAM>(&data)));
    EXPECT_TRUE(boxes.empty());
}

// A command that comes while a change runs waits its turn, and its start hears why; a waiting
// request whose profile is deleted meanwhile is answered as no such profile.
TEST_F(CommandTest, ACommandDuringAChangeWaitsItsTurnAndFindsItsProfileGone)
{
    Create();
    AppendCaptioned(*ProfileList, kOffice);
    AppendCaptioned(*ProfileList, kHome);
    network.SetCallTime(L"EnableStatic", 300);
    StartAnswers first, second;
    form->QueueCommand({Command::Action::Apply, "Office"}, first.Window());
    form->QueueCommand({Command::Action::Apply, "Home Net"}, second.Window());
    ASSERT_TRUE(HandleMessagesUntil([&] { return form->Changes->Waiting().size() == 1; }));
    EXPECT_EQ(second.notes,
              std::vector<std::string>{"Velmora is busy (Applying Office...): the command runs after it."});
    form->Profiles->RemoveProfile(1);
    Settle();
    ASSERT_EQ(second.answers.size(), 1u);
    EXPECT_EQ(second.answers[0].exitCode, kExitNoSuchProfile);
    ASSERT_EQ(first.answers.size(), 1u);
    EXPECT_EQ(first.answers[0].exitCode, kExitDone);
    EXPECT_TRUE(boxes.empty());
}

namespace {
// A shortcut's program and arguments, as the shell reads them.
std::pair<std::wstring, std::wstring> ShortcutCommand(const std::string& path)
{
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    wchar_t target[MAX_PATH]{};
    wchar_t arguments[1024]{};
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))) &&
        SUCCEEDED(link.As(&file)) && SUCCEEDED(file->Load(WideFromAnsi(path).c_str(), STGM_READ))) {
        link->GetPath(target, MAX_PATH, nullptr, 0);
        link->GetArguments(arguments, 1024);
    }
    return {target, arguments};
}

}  // namespace

TEST(SimulatedProgramTest, ACommandGoesToTheRunningCopyOrIsCarriedOutByItsOwnStart)
{
    TempFolder folder;
    const std::string program = folder.File("velmora-simnet.exe");
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "..\\velmora-simnet.exe").c_str(), program.c_str(), FALSE));
    // A title outside ASCII, in the ANSI code page as the store keeps it.
    WriteFileBytes(folder.File("profiles.ini"),
                   "[0]\r\nip=10.0.0.5\r\nmask=255.0.0.0\r\nname=Office\r\n"
                   "[1]\r\nip=192.168.1.10\r\nmask=255.255.255.0\r\nname=B\xFCro Nord\r\n");
    const std::string wired = kTcpipInterfacesKey + AnsiFromWide(MakeDemoNetwork().AdapterAt(0).settingId);
    const auto storedAddress = [&] {
        const std::optional<RegistryData> value = ReadRaw(wired, "IPAddress");
        return value ? std::string(value->bytes.c_str()) : std::string();
    };
    const char runKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    const std::optional<RegistryData> autostart = ReadRaw(runKey, "V.M.R.");
    ScopeExit restore([&] {
        if (autostart) WriteRaw(runKey, "V.M.R.", autostart->type, autostart->bytes);
    });

    // None runs: arguments not understood change nothing; a command with --once is carried out
    // by this start, which ends.
    Finished bad = RunProgram(program, L"--apply");
    EXPECT_EQ(bad.exitCode, static_cast<DWORD>(kExitBadArguments));
    EXPECT_NE(bad.output.find("--apply needs a profile"), std::string::npos) << bad.output;
    EXPECT_FALSE(FileExists(folder.File("velmora-simnet.state")));
    Finished exit = RunProgram(program, L"--exit");
    EXPECT_EQ(exit.exitCode, static_cast<DWORD>(kExitDone));
    EXPECT_NE(exit.output.find("Velmora is not running."), std::string::npos) << exit.output;
    Finished own = RunProgram(program, L"--apply Office --once");
    EXPECT_EQ(own.exitCode, static_cast<DWORD>(kExitDone)) << own.output;
    EXPECT_NE(own.output.find("Office applied"), std::string::npos) << own.output;
    Finished ownNext = RunProgram(program, L"--next --once");
    EXPECT_EQ(ownNext.exitCode, static_cast<DWORD>(kExitDone)) << ownNext.output;
    EXPECT_NE(ownNext.output.find("Office applied"), std::string::npos) << "a new start begins at the first";
    Finished ownList = RunProgram(program, L"--list --once");
    EXPECT_EQ(ownList.exitCode, static_cast<DWORD>(kExitDone));
    EXPECT_NE(ownList.output.find("#1 Office: 10.0.0.5/255.0.0.0"), std::string::npos) << ownList.output;

    // One runs: the command goes to it, and it does the work.
    StartedProgram running(program);
    ASSERT_TRUE(running.IdleWithin(60000));
    Finished listed = RunProgram(program, L"--list");
    EXPECT_EQ(listed.exitCode, static_cast<DWORD>(kExitDone));
    EXPECT_NE(listed.output.find("#2 B\xFCro Nord: 192.168.1.10/255.255.255.0"), std::string::npos) << listed.output;
    Finished applied = RunProgram(program, L"--apply \"B\u00FCro Nord\"");
    EXPECT_EQ(applied.exitCode, static_cast<DWORD>(kExitDone)) << applied.output;
    EXPECT_EQ(storedAddress(), "192.168.1.10");
    Finished next = RunProgram(program, L"--next");
    EXPECT_EQ(next.exitCode, static_cast<DWORD>(kExitDone)) << next.output;
    EXPECT_EQ(storedAddress(), "10.0.0.5");
    Finished missing = RunProgram(program, L"--apply #7");
    EXPECT_EQ(missing.exitCode, static_cast<DWORD>(kExitNoSuchProfile)) << missing.output;
    // A shortcut "Create Shortcut" makes, run as the desktop runs it: its program with its
    // arguments.
    TempFolder desktop;
    const ShortcutFolderFunction previous =
        SetShortcutFolder([&] { return desktop.Path().substr(0, desktop.Path().size() - 1); });
    ScopeExit restoreFolder([&] { SetShortcutFolder(previous); });
    const auto [target, arguments] = ShortcutCommand(CreateProfileShortcut("B\xFCro Nord", program));
    EXPECT_EQ(target, WideFromAnsi(program));
    Finished opened = RunProgram(AnsiFromWide(target), arguments);
    EXPECT_EQ(opened.exitCode, static_cast<DWORD>(kExitDone)) << opened.output;
    EXPECT_EQ(storedAddress(), "192.168.1.10");

    EXPECT_FALSE(running.EndsWithin(0));
    Finished ended = RunProgram(program, L"--exit");
    EXPECT_EQ(ended.exitCode, static_cast<DWORD>(kExitDone)) << ended.output;
    EXPECT_TRUE(running.EndsWithin(60000));
}

TEST(ShortcutTest, ArgumentsComeBackAsTheyWereQuoted)
{
    for (const std::wstring argument : {L"Office", L"Home Net", L"say \"hi\"", L"ends\\", L"a\\\"b", L"B\u00FCro"}) {
        const std::vector<std::string> read = CommandLineArguments(L"velmora.exe " + QuotedArgument(argument));
        ASSERT_EQ(read.size(), 1u);
        EXPECT_EQ(read[0], AnsiFromWide(argument));
    }
}

// "Create Shortcut" on a profile of the tray and of the Profiles list: a shortcut on the desktop,
// named after the profile, that runs the program with the arguments that apply it.
TEST_F(CommandTest, AShortcutMadeForAProfileAppliesIt)
{
    TempFolder desktop;
    const ShortcutFolderFunction previous =
        SetShortcutFolder([&] { return desktop.Path().substr(0, desktop.Path().size() - 1); });
    ScopeExit restore([&] { SetShortcutFolder(previous); });
    StartOnProfilesTab("[0]\r\nip=10.0.0.5\r\nmask=255.0.0.0\r\nname=Office\r\n"
                       "[1]\r\nip=192.168.7.7\r\nmask=255.255.255.0\r\nname=Lab \"7\": north\r\n"
                       "[2]\r\nip=10.0.0.9\r\nmask=255.0.0.0\r\nname=Office\r\n");
    // Of two profiles with one title, the shortcut applies the first, and says so.
    ChooseInTray(2, "Create Shortcut");
    EXPECT_NE(std::string(area.calls.back().record.szInfo).find("applies the first profile of that title"),
              std::string::npos)
        << area.calls.back().record.szInfo;
    ChooseInTray(1, "Create Shortcut");
    const std::string path = desktop.File("Lab _7__ north.lnk");
    ASSERT_TRUE(FileExists(path));

    const auto [target, arguments] = ShortcutCommand(path);
    wchar_t program[MAX_PATH]{};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    EXPECT_EQ(target, std::wstring(program));
    // What the program makes of the shortcut's arguments when it runs.
    const ParsedCommand parsed = ParseCommand(CommandLineArguments(L"velmora.exe " + arguments));
    ASSERT_TRUE(parsed.command) << parsed.error;
    EXPECT_EQ(Run(*parsed.command), kExitDone);
    EXPECT_EQ(network.Adapter(Wired)->ipAddresses.front(), L"192.168.7.7");
}

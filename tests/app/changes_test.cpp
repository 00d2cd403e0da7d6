// What comes around every change of the adapter: the check of what Windows then holds, the
// notification, the history, and Undo, which brings back the configuration before the change,
// also after a restart, and tells rather than overwrites an adapter changed since or gone.
#include <algorithm>
#include <functional>

#include "adapters/multistring.h"
#include "app/netconfig_fixture.h"
#include "core/handles.h"
#include "core/history.h"
#include "core/messagebox.h"
#include "core/text.h"
#include "profiles/iprofile.h"
#include "profiles/undorecord.h"
#include "simnet/simregistry.h"
#include "support/profiledata.h"
#include "support/registrykeys.h"
#include "support/seams.h"
#include "support/tempfolder.h"
#include "ui/timer.h"

namespace {
class ChangesTest : public NetconfigTest {
protected:
    void StartWith(const std::vector<ProfileData>& profiles)
    {
        Create();
        for (const ProfileData& data : profiles)
            AppendCaptioned(*ProfileList, data);
        boxes.clear();
        area.calls.clear();
    }
    // The notifications shown, as "title | text".
    std::vector<std::string> Notifications() const
    {
        std::vector<std::string> shown;
        for (const NotifyCall& call : area.calls)
            if ((call.record.uFlags & NIF_INFO) != 0)
                shown.push_back(std::string(call.record.szInfoTitle) + " | " + call.record.szInfo);
        return shown;
    }
    std::string StoredGateway()
    {
        const std::string key = kTcpipInterfacesKey + AnsiFromWide(network.Adapter(Wired)->settingId);
        const std::optional<RegistryData> value = ReadRaw(key, "DefaultGateway");
        std::string lines;
        for (const std::string& line :
             WalkMultiString(value ? value->bytes : std::string(), value ? value->bytes.size() : 0))
            if (!line.empty()) lines += line + "|";
        return lines;
    }
};

const ProfileData kOffice{"10.0.0.5", "255.0.0.0", "10.0.0.1", "10.0.0.2", "", "Office"};
const ProfileData kHome{"", "", "", "", "", "Home", true};
}  // namespace

// A change Windows accepts but does not make is told in words, and not marked as applied.
TEST_F(ChangesTest, AReadBackThatDiffersIsToldAndNotMarked)
{
    StartWith({kOffice});
    network.SetMethodResult(Wired, L"EnableStatic", 0);  // "done", with nothing changed
    form->Profiles->ApplyProfile(0);
    Settle();
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Windows reports 192.168.1.10 where Office asked for 10.0.0.5."});
    EXPECT_EQ(ProfileAt(*ProfileList, 0).ImageIndex(), 0);
    EXPECT_EQ(form->ActiveProfileIndex, -1);
    EXPECT_EQ(Notifications(),
              std::vector<std::string>{
                  "Office: not as asked | Windows reports 192.168.1.10 where Office asked for 10.0.0.5."});
}

// Every change ends with a notification of what the adapter has now, or of the calls as the box
// tells them, and with an entry in the history.
TEST_F(ChangesTest, EachChangeIsNotifiedAndKeptInTheHistory)
{
    const std::string history = ProgramFolder() + "changes-test-history.txt";
    DeleteFileA(history.c_str());
    const SeamGuard<std::string> path(SetHistoryPath, history);
    StartWith({kOffice, kHome});
    Choose(form->Profiles->ApplyNextProfile1);
    network.SetMethodResult(Wired, L"EnableDHCP", 65);
    Choose(form->Profiles->ApplyNextProfile1);
    EXPECT_EQ(Notifications(),
              (std::vector<std::string>{
                  "Office applied | " + std::string(WiredName) + ": 10.0.0.5/255.0.0.0, gateway 10.0.0.1, DNS 10.0.0.2",
                  "Home: not applied | Obtain an address automatically (DHCP): Unknown failure (65).\nDNS servers: "
                  "not sent.",
              }));
    const std::string text = ReadFileBytes(history);
    DeleteFileA(history.c_str());
    for (const char* part :
         {"Trigger:  tray: Apply next\r\n  Applied:  Office", "Trigger:  tray: Apply next\r\n  Applied:  Home",
          "Before:   192.168.1.10/255.255.255.0, gateway 192.168.1.1",
          "After:    10.0.0.5/255.0.0.0, gateway 10.0.0.1, DNS 10.0.0.2", "Outcome:  made",
          "Outcome:  refused: Obtain an address automatically (DHCP): Unknown failure (65).", "Elevated: no"})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
}

// Undo brings back the configuration before the change, in WMI and in the registry, through
// the same road; what it goes back to is kept per user, so a new start offers it too.
TEST_F(ChangesTest, UndoBringsBackWhatWasThereAlsoAfterARestart)
{
    SimRegistryMirror registry(network);
    registry.Attach();
    StartWith({kOffice});
    form->PopupMenu1Popup();
    EXPECT_FALSE(form->Profiles->Undo1->Visible()) << "nothing to go back to yet";
    const SimAdapter before = *network.Adapter(Wired);
    const std::string storedBefore = StoredGateway();
    form->Profiles->ApplyProfile(0);
    Settle();
    ASSERT_EQ(network.Adapter(Wired)->ipAddresses, std::vector<std::wstring>{L"10.0.0.5"});

    // A new start of the program, which finds what Undo goes back to where the first left it.
    Create();
    form->PopupMenu1Popup();
    ASSERT_TRUE(form->Profiles->Undo1->Visible());
    EXPECT_EQ(form->Profiles->Undo1->Caption(), "Undo: back to 192.168.1.10");
    Choose(form->Profiles->Undo1);
    EXPECT_TRUE(boxes.empty()) << boxes[0].text;
    const SimAdapter& after = *network.Adapter(Wired);
    EXPECT_EQ(after.ipAddresses, before.ipAddresses);
    EXPECT_EQ(after.subnets, before.subnets);
    EXPECT_EQ(after.gateways, before.gateways);
    EXPECT_EQ(after.dnsServers, before.dnsServers);
    EXPECT_EQ(StoredGateway(), storedBefore);
    // Undo can be undone.
    form->PopupMenu1Popup();
    EXPECT_EQ(form->Profiles->Undo1->Caption(), "Undo: back to 10.0.0.5");
}

// An adapter changed by someone else since the change is told, and changed again only when
// the user says so; an adapter that is gone is told, and nothing is changed.
TEST_F(ChangesTest, UndoAsksBeforeOverwritingAChangeOfSomeoneElsesAndTellsAGoneAdapter)
{
    StartWith({kOffice});
    form->Profiles->ApplyProfile(0);
    Settle();
    network.MutableAdapter(Wired)->ipAddresses = {L"10.0.0.77"};
    int answer = IDNO;
    std::vector<std::string> asked;
    const SeamGuard<MessageBoxHandler> user(SetMessageBoxHandler,
                                            [&](HWND, const std::string& text, const std::string&, UINT) {
                                                asked.push_back(text);
                                                return answer;
                                            });
    form->PopupMenu1Popup();
    Choose(form->Profiles->Undo1);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NE(asked[0].find("have changed since Velmora changed them: it now has 10.0.0.77/255.0.0.0"),
              std::string::npos)
        << asked[0];
    EXPECT_EQ(network.Adapter(Wired)->ipAddresses, std::vector<std::wstring>{L"10.0.0.77"});
    answer = IDYES;
    Choose(form->Profiles->Undo1);
    EXPECT_EQ(network.Adapter(Wired)->ipAddresses, std::vector<std::wstring>{L"192.168.1.10"});

    // Already where it would go back to (as after a new start of a machine that lost the
    // change): nothing to do, and said so.
    UndoRecord there = *form->Changes->Undo();
    there.backTo = there.expected;
    form->Changes->SetUndo(there);
    asked.clear();
    Choose(form->Profiles->Undo1);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NE(asked[0].find("has 192.168.1.10/255.255.255.0"), std::string::npos) << asked[0];
    EXPECT_NE(asked[0].find("already: there is nothing to go back to."), std::string::npos) << asked[0];
    EXPECT_EQ(network.Adapter(Wired)->ipAddresses, std::vector<std::wstring>{L"192.168.1.10"});

    UndoRecord gone = *form->Changes->Undo();
    gone.settingId = "{00000000-0000-0000-0000-000000000000}";
    form->Changes->SetUndo(gone);
    asked.clear();
    Choose(form->Profiles->Undo1);
    EXPECT_EQ(asked, std::vector<std::string>{"The adapter \"" + std::string(WiredName) +
                                              "\" is not there any more, so Velmora did not go back to 192.168.1.10."});
    EXPECT_EQ(network.Adapter(Wired)->ipAddresses, std::vector<std::wstring>{L"192.168.1.10"});
}

TEST(UndoRecordTest, ComesBackWholeAndNothingElseIsTakenForOne)
{
    AdapterConfiguration dhcp;
    dhcp.dhcp = true;
    dhcp.dnsServers = {"10.0.0.1"};
    dhcp.dnsByHand = true;
    dhcp.storedGateway = {true, true, {REG_MULTI_SZ, std::string("10.0.0.1\0\0", 10)}};
    AdapterConfiguration fixed;
    fixed.addresses = {"10.0.0.5", "10.0.0.6"};
    fixed.masks = {"255.0.0.0", "255.255.0.0"};
    fixed.gateways = {"10.0.0.1"};
    fixed.metrics = {5};
    const UndoRecord record{"{5D1C2E3A-1111}", "Name with spaces, \"quotes\" and %", dhcp, fixed};
    EXPECT_EQ(UndoRecordFromText(UndoRecordText(record)), record);
    const std::string text = UndoRecordText(record);
    for (const std::string& broken :
         {std::string(), text.substr(0, text.size() - 1) + "Z", "setting= " + text, text + " extra=1"})
        EXPECT_FALSE(UndoRecordFromText(broken)) << broken;
}

// While Windows works the program answers at once: the menu and the tip say what is being
// applied and what waits, and a second change waits its turn and is made after the first.
TEST_F(ChangesTest, WhileACallRunsTheMenuAndTipSayWhatIsAppliedAndASecondChangeWaitsItsTurn)
{
    StartWith({kOffice, kHome});
    network.SetCallTime(L"EnableStatic", 500);
    form->Profiles->ApplyProfile(0);
    form->Profiles->ApplyProfile(1, "test");
    form->PopupMenu1Popup();
    EXPECT_EQ(form->Profiles->ApplyNextProfile1->Caption(), "Applying Office... then Home");
    EXPECT_FALSE(form->Profiles->ApplyNextProfile1->Enabled());
    EXPECT_EQ(ShownTip(), "Applying Office...");
    Settle();
    EXPECT_TRUE(boxes.empty()) << boxes[0].text;
    EXPECT_EQ(Notifications().size(), 2u);
    EXPECT_TRUE(network.Adapter(Wired)->dhcpEnabled) << "the second ran after the first";
    EXPECT_EQ(form->ActiveProfileIndex, 1);
    form->PopupMenu1Popup();
    EXPECT_EQ(form->Profiles->ApplyNextProfile1->Caption(), "Apply next: Office");
    EXPECT_TRUE(form->Profiles->ApplyNextProfile1->Enabled());
}

// Ok in the editor on the profile being applied: what was sent is not what the profile holds,
// so it is not marked, the lone-DNS rule leaves the new values alone, and the notification
// says why.
TEST_F(ChangesTest, AProfileEditedWhileItIsAppliedIsNotMarked)
{
    StartWith({kOffice});
    network.SetCallTime(L"EnableStatic", 300);
    form->Profiles->ApplyProfile(0);
    Tprofile& office = ProfileAt(*ProfileList, 0);
    office.ip = "10.0.0.9";  // as the editor's Ok writes it
    office.dns1.clear();
    office.dns2 = "10.0.0.3";
    Settle();
    EXPECT_EQ(network.Adapter(Wired)->ipAddresses, std::vector<std::wstring>{L"10.0.0.5"});
    EXPECT_EQ(office.ImageIndex(), 0);
    EXPECT_EQ(form->ActiveProfileIndex, -1);
    EXPECT_EQ(office.dns1, "");
    EXPECT_EQ(office.dns2, "10.0.0.3");
    ASSERT_EQ(Notifications().size(), 1u);
    EXPECT_NE(Notifications()[0].find("Office was edited meanwhile, so it is not marked as applied."),
              std::string::npos)
        << Notifications()[0];
}

// A DHCP profile waits for its lease, saying so in the tip, and shows the address that came; a
// lease that does not come within the limit is told, and the profile is not marked.
TEST_F(ChangesTest, ADhcpChangeWaitsForItsLeaseAndTellsOneThatDoesNotCome)
{
    const DWORD previous = ChangePipeline::SetLeaseWait(2000);
    ScopeExit wait([previous] { ChangePipeline::SetLeaseWait(previous); });
    network.SetLeaseTime(600);
    StartWith({kHome});
    network.MutableAdapter(Wired)->dhcpServer = false;
    form->Profiles->ApplyProfile(0);
    Settle();
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"No address came from DHCP within 2 seconds."});
    EXPECT_EQ(ProfileAt(*ProfileList, 0).ImageIndex(), 0);

    boxes.clear();
    network.MutableAdapter(Wired)->dhcpServer = true;
    std::vector<std::string> tips;
    form->Pipeline->onProgress = [&] { tips.push_back(form->Pipeline->Progress()); };
    form->Profiles->ApplyProfile(0);
    Settle();
    EXPECT_TRUE(boxes.empty()) << boxes[0].text;
    EXPECT_EQ(ProfileAt(*ProfileList, 0).ImageIndex(), 1);
    // A static gateway outlasts EnableDHCP, as on Windows; the servers set by hand are handed
    // back, and the lease's come.
    EXPECT_EQ(Notifications().back(), "Home applied | " + std::string(WiredName) +
                                          ": DHCP, 10.0.3.100, gateway 10.0.3.1 192.168.1.1, DNS 10.0.3.1");
    EXPECT_NE(std::find(tips.begin(), tips.end(), "Waiting for an address from DHCP..."), tips.end());
}

// "Exit" and the end of the session during a call let the change end first: it is marked, kept
// in the history and for Undo, and told; meanwhile Windows is asked to wait, naming the change,
// and may go on once it has ended; then the profiles are saved and the program ends.
class EndDuringAChangeTest : public ChangesTest, public testing::WithParamInterface<bool> {};

TEST_P(EndDuringAChangeTest, CarriesTheChangeToItsEnd)
{
    const std::string history = ProgramFolder() + "changes-test-history.txt";
    DeleteFileA(history.c_str());
    const SeamGuard<std::string> path(SetHistoryPath, history);
    std::vector<std::string> reasons;
    const SeamGuard<ShutdownBlockFunction> block(SetShutdownBlock, [&](HWND, const std::optional<std::string>& reason) {
        reasons.push_back(reason.value_or("(released)"));
    });
    StartWith({kOffice});
    network.SetCallTime(L"EnableStatic", 300);
    form->Profiles->ApplyProfile(0);
    if (GetParam()) {
        EXPECT_EQ(QueryEndSession(), FALSE);
    } else {
        Choose(form->Exit1);
    }
    Settle();
    EXPECT_TRUE(application.Terminated());
    EXPECT_EQ(ProfileAt(*ProfileList, 0).ImageIndex(), 1);
    EXPECT_EQ(LoadedFrom(StorePath()).size(), 1u);
    EXPECT_NE(ReadFileBytes(history).find("10.0.0.5/255.0.0.0"), std::string::npos);
    ASSERT_TRUE(ReadUndoRecord());
    EXPECT_EQ(ReadUndoRecord()->expected.addresses, std::vector<std::string>{"10.0.0.5"});
    EXPECT_EQ(reasons, (std::vector<std::string>{"Applying Office...", "(released)"}));
    EXPECT_EQ(Notifications().size(), 1u);
    EXPECT_TRUE(boxes.empty());
    DeleteFileA(history.c_str());
}

INSTANTIATE_TEST_SUITE_P(ExitOrEndOfSession, EndDuringAChangeTest, testing::Bool());

// A box up during a change holds nothing back: the change ends, is recorded and told while
// the box waits for its click.
TEST_F(ChangesTest, ABoxUpDuringAChangeHoldsNothingBack)
{
    StartWith({kOffice, kHome});
    network.SetCallTime(L"EnableStatic", 300);
    size_t toldWhileUp = 0;
    boxes.whileShown = [&](const ShownBox&) {
        // The box's own loop runs the program's messages, as MessageBox's does.
        HandleMessagesUntil([&] { return !form->Changes->Busy(); }, 5000);
        toldWhileUp = Notifications().size();
    };
    // The user's box comes from the message loop while the call runs.
    TTimer timer;
    timer.onTimer = [&] {
        timer.SetEnabled(false);
        ShowMessageBox(form->Handle(), "A box of the user's", "Velmora", MB_OK);
    };
    timer.SetInterval(100);
    timer.SetEnabled(true);
    form->Profiles->ApplyProfile(0);
    Settle();
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"A box of the user's"});
    EXPECT_EQ(toldWhileUp, 1u);
    EXPECT_EQ(form->ActiveProfileIndex, 0);
}

// At logon the WMI service may answer late: meanwhile the tray menu says so and what waits,
// the window opens, a profile made meanwhile is kept, and what was asked is made once Windows
// answers.
TEST_F(ChangesTest, WhileWindowsIsNotReadyRequestsWaitAndNothingIsLost)
{
    network.SetConnectTime(1000);
    WriteFileBytes(StorePath(), "[0]\r\nip=10.0.0.5\r\nmask=255.0.0.0\r\nname=Office\r\n");
    form = &application.CreateForm<TForm1>([this] { return network.Services(); });
    form->Profiles->ApplyNextProfile1Click(*form->Profiles->ApplyNextProfile1);  // as the icon's double click would
    form->PopupMenu1Popup();
    EXPECT_EQ(form->Profiles->ApplyNextProfile1->Caption(), "Waiting for Windows... then the next profile");
    EXPECT_FALSE(form->Profiles->ApplyNextProfile1->Enabled());
    form->Configuration1Click(*form->Configuration1);
    EXPECT_EQ(SelectorEntries(), std::vector<std::string>{"Waiting for Windows..."});
    AppendCaptioned(*ProfileList, kHome);  // as New and the editor's Ok make it
    Settle();
    EXPECT_TRUE(boxes.empty()) << boxes[0].text;
    EXPECT_EQ(ListCaptions(), (std::vector<std::string>{"Office", "Home"}));
    EXPECT_EQ(form->ActiveProfileIndex, 0);
    EXPECT_EQ(network.Adapter(Wired)->ipAddresses, std::vector<std::wstring>{L"10.0.0.5"});
    form->PopupMenu1Popup();
    EXPECT_EQ(form->Profiles->ApplyNextProfile1->Caption(), "Apply next: Home");
}

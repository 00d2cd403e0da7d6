// Creating and editing profiles through the real editor, opened from the Profiles tab, the
// tray's profile entries, the list's context menu and the first start, on the simulated
// network. The editor is driven inside its own modal run, one step per timer tick.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "adapters/reg.h"
#include "app/netconfig_fixture.h"
#include "profiles/iprofile.h"
#include "profiles/profedit.h"
#include "profiles/starttip.h"
#include "simnet/configmethods.h"
#include "simnet/simregistry.h"
#include "support/editordriver.h"
#include "support/profiledata.h"
#include "support/tempfolder.h"
#include "support/welcomedriver.h"

namespace {
using Texts = std::vector<std::string>;

const char kThreeProfiles[] =
    "[0]\r\nip=10.0.0.1\r\nname=A\r\n[1]\r\nip=10.0.0.2\r\nname=B\r\n[2]\r\nip=10.0.0.3\r\nname=C\r\n";

class ProfilesEditorTest : public NetconfigTest {
protected:
    TForm2& Editor() const { return editor.Editor(); }
    // A right click on the item at `index`, choosing "Edit..." in the context menu.
    void EditFromContextMenu(int index) { RightClick(ItemCentre(index), "Edit..."); }
    Texts TrayCaptions() const { return Captions(TrayProfiles()); }

    EditorDriver editor{Form2};
};
}  // namespace

TEST_F(ProfilesEditorTest, NewThenCancelLeavesNeitherItemNorTrayEntry)
{
    StartOnProfilesTab(kThreeProfiles);
    Texts listWhileOpen, trayWhileOpen;
    int32_t idWhileOpen = -1;
    editor.Script({[&] {
                       listWhileOpen = ListCaptions();
                       trayWhileOpen = TrayCaptions();
                       idWhileOpen = Editor().EditedProfile->id;
                   },
                   editor.Cancel()});
    Click(*form->Profiles->SpeedButton5);
    EXPECT_EQ(editor.Runs(), 1);
    // The new profile is in both places while the editor shows it, numbered by its position.
    EXPECT_EQ(listWhileOpen, (Texts{"A", "B", "C", ""}));
    EXPECT_EQ(trayWhileOpen, (Texts{"A", "B", "C", ""}));
    EXPECT_EQ(idWhileOpen, 3);
    EXPECT_EQ(ListCaptions(), (Texts{"A", "B", "C"}));
    EXPECT_EQ(TrayCaptions(), (Texts{"A", "B", "C"}));
}

TEST_F(ProfilesEditorTest, NewThenOkAddsTheProfileAtTheEndUnderItsTitleOrAddress)
{
    StartOnProfilesTab(kThreeProfiles);
    editor.Script({editor.Title("Lab"), editor.Ok()});
    Click(*form->Profiles->SpeedButton5);
    EXPECT_EQ(ListCaptions(), (Texts{"A", "B", "C", "Lab"}));
    EXPECT_EQ(TrayCaptions(), (Texts{"A", "B", "C", "Lab"}));
    ASSERT_NE(FindProfile(3), nullptr);
    EXPECT_EQ(FindProfile(3)->name, "Lab");
    EXPECT_EQ(form->Profiles->prfs->Item(3).Tag(), 3);

    // Without a title, the address stands in for it.
    editor.Script({[this] { Editor().ip->SetText("10.0.0.9"); }, editor.Ok()});
    Click(*form->Profiles->SpeedButton5);
    EXPECT_EQ(ListCaptions(), (Texts{"A", "B", "C", "Lab", "10.0.0.9"}));
    EXPECT_EQ(TrayCaptions(), (Texts{"A", "B", "C", "Lab", "10.0.0.9"}));
}

// Renaming B through each of the three ways, confirmed or cancelled.
enum class EditWay { EditButton, TrayEdit, ContextEdit };
struct RenameCase {
    EditWay way;
    bool confirm;
};

std::string RenameCaseName(const testing::TestParamInfo<RenameCase>& info)
{
    const char* const ways[] = {"EditButton", "TrayEdit", "ContextEdit"};
    return std::string(ways[static_cast<int>(info.param.way)]) + (info.param.confirm ? "Ok" : "Cancel");
}

class RenameTest : public ProfilesEditorTest, public testing::WithParamInterface<RenameCase> {};

TEST_P(RenameTest, BothCaptionsFollowAConfirmedRenameAndNeitherACancelledOne)
{
    const RenameCase& c = GetParam();
    StartOnProfilesTab(kThreeProfiles);
    std::string shown;
    editor.Script({[&] { shown = Editor().EditedProfile != nullptr ? Editor().EditedProfile->name : "(none)"; },
                   editor.Title("Renamed"), c.confirm ? editor.Ok() : editor.Cancel()});
    SetSelected(1);
    switch (c.way) {
    case EditWay::EditButton: Click(*form->Profiles->SpeedButton2); break;
    case EditWay::TrayEdit: ChooseInTray(1, "Edit..."); break;
    case EditWay::ContextEdit: EditFromContextMenu(1); break;
    }
    EXPECT_EQ(editor.Runs(), 1);
    EXPECT_EQ(shown, "B");
    const Texts expected = c.confirm ? Texts{"A", "Renamed", "C"} : Texts{"A", "B", "C"};
    EXPECT_EQ(ListCaptions(), expected);
    EXPECT_EQ(TrayCaptions(), expected);
    // The selected profile's details show the title it has now.
    EXPECT_EQ(form->Profiles->ValueListEditor1->Values("Title:"), expected[1]);
}

INSTANTIATE_TEST_SUITE_P(Ways, RenameTest,
                         testing::Values(RenameCase{EditWay::EditButton, true}, RenameCase{EditWay::EditButton, false},
                                         RenameCase{EditWay::TrayEdit, true}, RenameCase{EditWay::TrayEdit, false},
                                         RenameCase{EditWay::ContextEdit, true},
                                         RenameCase{EditWay::ContextEdit, false}),
                         RenameCaseName);

TEST_F(ProfilesEditorTest, TrayDeleteOfTheProfileOpenInTheEditorIsRefused)
{
    StartOnProfilesTab(kThreeProfiles);
    Texts listAfterDelete, trayAfterDelete;
    bool stillOpen = false;
    editor.Script({[&] { ChooseInTray(1, "Delete"); },
                   [&] {
                       listAfterDelete = ListCaptions();
                       trayAfterDelete = TrayCaptions();
                       stillOpen = Editor().Modal();
                   },
                   editor.Title("Kept"), editor.Ok()});
    SetSelected(1);
    Click(*form->Profiles->SpeedButton2);
    EXPECT_EQ(listAfterDelete, (Texts{"A", "B", "C"}));
    EXPECT_EQ(trayAfterDelete, (Texts{"A", "B", "C"}));
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>{"The profile \"B\" is open in the editor, so it was not deleted."});
    EXPECT_EQ(boxes[0].owner, Editor().Handle());
    // The editor's Ok still reaches the profile and both captions.
    EXPECT_EQ(ListCaptions(), (Texts{"A", "Kept", "C"}));
    EXPECT_EQ(TrayCaptions(), (Texts{"A", "Kept", "C"}));

    // Once the editor is closed the same command deletes it.
    ChooseInTray(1, "Delete");
    application.ProcessMessages();
    EXPECT_EQ(ListCaptions(), (Texts{"A", "C"}));
}

TEST_F(ProfilesEditorTest, DeletingAnotherProfileWhileTheEditorIsOpenRenumbersUnderIt)
{
    StartOnProfilesTab(kThreeProfiles);
    Texts listAfterDelete;
    editor.Script({[&] { ChooseInTray(0, "Delete"); }, [&] { listAfterDelete = ListCaptions(); }, editor.Title("C2"),
                   editor.Ok()});
    SetSelected(2);
    Click(*form->Profiles->SpeedButton2);
    EXPECT_EQ(listAfterDelete, (Texts{"B", "C"}));
    EXPECT_EQ(ListCaptions(), (Texts{"B", "C2"}));
    EXPECT_EQ(TrayCaptions(), (Texts{"B", "C2"}));
    EXPECT_EQ(form->Profiles->prfs->Item(1).Tag(), 1);
    EXPECT_EQ(FindProfile(1)->name, "C2");
}

// A profile being created is the user's only once the editor confirms it: meanwhile neither
// "Apply Next Profile" nor its own "Activate" applies it, and an "Exit" saves the others and
// ends the program, taking the editor with it.
TEST_F(ProfilesEditorTest, TheProfileBeingCreatedIsNeitherAppliedNorSaved)
{
    StartOnProfilesTab(kThreeProfiles);
    size_t callsWhileOpen = 99;
    editor.Script({[&] {
        network.ClearCalls();
        form->ActiveProfileIndex = 2;  // "Apply next" comes to the new one, number 3
        Choose(form->Profiles->ApplyNextProfile1);
        ChooseInTray(3, "Activate");
        callsWhileOpen = network.Calls().size();
        Choose(form->Exit1);
    }});
    Click(*form->Profiles->SpeedButton5);
    EXPECT_EQ(callsWhileOpen, 0u);
    EXPECT_EQ(form->ActiveProfileIndex, 2);
    EXPECT_TRUE(application.Terminated());
    EXPECT_FALSE(Editor().Modal());
    EXPECT_EQ(ListCaptions(), (Texts{"A", "B", "C"}));
    EXPECT_EQ(LoadedFrom(StorePath()).size(), 3u);
}

// The first start's "Create New Profile": what the editor is given for the chosen adapter
// (the first one, Wired), and what stays after Ok.
class DefaultProfileTest : public ProfilesEditorTest {
protected:
    ~DefaultProfileTest() override { AdapterList().clear(); }

    // Starts with an empty store, answers the welcome with "Create New Profile" and the
    // editor with Ok, noting the profile the editor was given.
    void StartFirstTime()
    {
        welcome.answer = [](TForm4& dialog) { PostMessageA(dialog.Button2->Handle(), BM_CLICK, 0, 0); };
        editor.Script({[this] {
                           const Tprofile& p = *Editor().EditedProfile;
                           given = {p.name, p.ip, p.mask, p.gw, p.dns1, p.dns2};
                           givenDhcp = p.dhcp;
                       },
                       editor.Ok()});
        Create();
    }

    WelcomeDriver welcome{application};
    Texts given;
    bool givenDhcp = false;
};

TEST_F(DefaultProfileTest, TakesTheAdaptersPresentSettingsFromWmi)
{
    StartFirstTime();
    EXPECT_EQ(given, (Texts{"Default", "192.168.1.10", "255.255.255.0", "192.168.1.1", "192.168.1.1", "8.8.8.8"}));
    EXPECT_FALSE(givenDhcp);
    // Ok keeps it, numbered 0, with the addresses as the editor reads them back.
    EXPECT_EQ(ListCaptions(), (Texts{"Default"}));
    EXPECT_EQ(TrayCaptions(), (Texts{"Default"}));
    ASSERT_NE(FindProfile(0), nullptr);
    EXPECT_EQ(FindProfile(0)->ip, "192.168.1.10");
}

TEST_F(DefaultProfileTest, StoredSettingsTakePrecedenceOverWmi)
{
    SimRegistryMirror registry(network, 9701);
    registry.Attach();
    // WMI's live state moves on; the stored settings stay as they were written.
    SimAdapter& live = *network.MutableAdapter(Wired);
    live.ipAddresses = {L"192.168.1.77"};
    live.dnsServers = {L"192.168.1.53"};
    StartFirstTime();
    EXPECT_EQ(given, (Texts{"Default", "192.168.1.10", "255.255.255.0", "192.168.1.1", "192.168.1.1", "8.8.8.8"}));
    EXPECT_FALSE(givenDhcp);
}

TEST_F(DefaultProfileTest, StoredDhcpMakesADhcpProfile)
{
    PutOnDhcp(*network.MutableAdapter(Wired));
    SimRegistryMirror registry(network, 9701);
    registry.Attach();
    StartFirstTime();
    // Windows stores 0.0.0.0 as the address of an adapter on DHCP; the profile gets the lease.
    EXPECT_EQ(given, (Texts{"Default", "10.0.3.100", "255.255.255.0", "10.0.3.1", "", ""}));
    EXPECT_TRUE(givenDhcp);
}

// The first start on the demo laptop, whose adapters list IPv6 entries after the IPv4 ones:
// the "Default" profile holds the IPv4 address, mask and gateway, with the registry's stored
// settings or without them, on the static wired adapter and on the Wi-Fi's DHCP lease.
struct LaptopCase {
    bool registry, wifi;
    Texts given;
    bool dhcp;
};

class DefaultProfileOnLaptopTest : public DefaultProfileTest, public testing::WithParamInterface<LaptopCase> {};

TEST_P(DefaultProfileOnLaptopTest, HoldsTheIpv4AddressMaskAndGateway)
{
    const LaptopCase& c = GetParam();
    network = MakeDemoNetwork();
    network.MutableAdapter(1)->mediaConnected = !c.wifi;  // the first IP-enabled adapter is chosen
    std::optional<SimRegistryMirror> registry;
    if (c.registry) registry.emplace(network, 9701).Attach();
    StartFirstTime();
    EXPECT_EQ(given, c.given);
    EXPECT_EQ(givenDhcp, c.dhcp);
    // Ok stores what the address fields show.
    ASSERT_NE(FindProfile(0), nullptr);
    EXPECT_EQ(FindProfile(0)->mask, c.given[2]);
    EXPECT_EQ(FindProfile(0)->gw, c.given[3]);
}

INSTANTIATE_TEST_SUITE_P(
    WiredAndWifi, DefaultProfileOnLaptopTest,
    testing::Values(
        LaptopCase{
            false, false, {"Default", "192.168.1.20", "255.255.255.0", "192.168.1.1", "192.168.1.1", "8.8.8.8"}, false},
        LaptopCase{
            true, false, {"Default", "192.168.1.20", "255.255.255.0", "192.168.1.1", "192.168.1.1", "8.8.8.8"}, false},
        LaptopCase{false, true, {"Default", "10.0.2.100", "255.255.255.0", "10.0.2.1", "10.0.2.1", ""}, false},
        LaptopCase{true, true, {"Default", "10.0.2.100", "255.255.255.0", "10.0.2.1", "", ""}, true}));

TEST_F(DefaultProfileTest, WithoutAnAdapterTheEditorGetsAnEmptyProfileWithoutName)
{
    network.MutableAdapter(Wired)->ipEnabled = false;
    network.MutableAdapter(Wireless)->ipEnabled = false;
    StartFirstTime();
    EXPECT_EQ(given, (Texts{"", "", "", "", "", ""}));
}

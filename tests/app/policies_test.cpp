// What the organisation sets through policies, as the main window shows and keeps it: the shared
// profile file and its fallback, managed profiles, and options the user may not change.
#include <string>
#include <vector>

#include "app/commandline.h"
#include "app/netconfig_fixture.h"
#include "profiles/iprofile.h"
#include "profiles/location.h"
#include "profiles/profedit.h"
#include "profiles/starttip.h"
#include "support/profiledata.h"
#include "support/registrykeys.h"
#include "support/startanswers.h"
#include "support/tempfolder.h"

namespace {
using Texts = std::vector<std::string>;
const HKEY kMachine = HKEY_LOCAL_MACHINE;
const HKEY kUser = HKEY_CURRENT_USER;

class PolicyTest : public NetconfigTest {
protected:
    // Set to be seen, whichever tab is up.
    static bool Shown(const TBaseControl& control) { return control.VisibleFlag(); }
    static bool Usable(const TBaseControl& control) { return control.Enabled(); }

    ScopedPolicies policies;
    TempFolder share;
};
}  // namespace

TEST_F(PolicyTest, TheOrganisationsFileIsLoadedShownGreyedAndSavedAsTheProgramsOwnCopy)
{
    const std::string shared = share.File("profiles.ini");
    WriteFileBytes(shared, kTwoProfileStore);
    policies.SetText(kUser, "ProfilesFile", shared);
    StartOnProfilesTab("[0]\r\nip=10.1.1.1\r\nname=Own copy\r\n");
    EXPECT_EQ(ListCaptions(), (Texts{"Office", "Home"}));
    EXPECT_EQ(form->Edit1->Text(), shared);
    EXPECT_FALSE(Usable(*form->Edit1));
    EXPECT_FALSE(Usable(*form->Button4));
    EXPECT_TRUE(Shown(*form->Label25));
    EXPECT_TRUE(Notifications().empty());
    // The save goes where it always goes: the copy for a start that cannot reach the share.
    Click(*form->Button3);
    EXPECT_EQ(LoadedFrom(StorePath()), kTwoProfiles);
    EXPECT_EQ(ReadFileBytes(shared), kTwoProfileStore);
}

TEST_F(PolicyTest, AFileThatCannotBeReachedGivesTheLastCopyAndSaysSoOnce)
{
    policies.SetText(kMachine, "ProfilesFile", share.File("gone\\profiles.ini"));
    StartOnProfilesTab(kTwoProfileStore);
    EXPECT_EQ(ListCaptions(), (Texts{"Office", "Home"}));
    EXPECT_EQ(form->Edit1->Text(), share.File("gone\\profiles.ini"));
    EXPECT_EQ(Notifications(), Texts{"Velmora uses its own copy of the profiles"});
}

TEST_F(PolicyTest, ManagedProfilesAreAppliedButNeverMadeEditedOrDeletedAnywhere)
{
    policies.SetNumber(kUser, "LockProfiles", 1);
    StartOnProfilesTab(kTwoProfileStore);
    TProfilesView& view = *form->Profiles;
    EXPECT_FALSE(Shown(*view.SpeedButton5) || Shown(*view.SpeedButton2) || Shown(*view.SpeedButton3));
    EXPECT_TRUE(Shown(*view.ManagedNote));
    EXPECT_FALSE(Usable(*form->Button1));  // Apply Changes

    // The tray: each profile is applied or given a shortcut, and the submenu says why no more.
    const std::vector<MenuEntry> tray = TrayProfiles();
    ASSERT_EQ(Captions(tray), (Texts{"Office", "Home", kProfilesManagedText}));
    EXPECT_EQ(Captions(tray[0].items), (Texts{"Activate", "Create Shortcut"}));
    EXPECT_NE(tray[2].state & MFS_DISABLED, 0u);
    EXPECT_EQ(Captions(RightClick(ItemCentre(0))), (Texts{"Activate", "Create Shortcut"}));

    // Neither the keys nor the editor asked directly change anything.
    SetSelected(0);
    for (const WORD key : {VK_INSERT, VK_F2, VK_DELETE})
        view.ListView1KeyDown(key);
    EXPECT_FALSE(view.OpenProfileEditor(&ProfileAt(*ProfileList, 1)));
    EXPECT_FALSE(form->Profiles->ProfileEditor->Visible());
    EXPECT_EQ(ListCaptions(), (Texts{"Office", "Home"}));

    // Applying still works, from the tray and the command line, and --list says they are managed.
    ChooseInTray(0, "Activate");
    EXPECT_EQ(network.Adapter(Wired)->ipAddresses.front(), L"192.168.1.10");
    StartAnswers apply, list;
    form->QueueCommand({Command::Action::Apply, "Home"}, apply.Window());
    form->QueueCommand({Command::Action::List, {}}, list.Window());
    Settle();
    ASSERT_EQ(apply.answers.size(), 1u);
    EXPECT_EQ(apply.answers[0].exitCode, kExitDone);
    EXPECT_TRUE(network.Adapter(Wired)->dhcpEnabled);
    ASSERT_EQ(list.answers.size(), 1u);
    EXPECT_TRUE(list.answers[0].text.ends_with(kProfilesManagedText)) << list.answers[0].text;
}

TEST_F(PolicyTest, ManagedProfilesWithNoneStoredOfferNoWelcome)
{
    policies.SetNumber(kMachine, "LockProfiles", 1);
    int welcomes = 0;
    SetWelcomeMaker([&]() -> TForm4& {
        ++welcomes;
        return application.Own(std::make_unique<TForm4>());
    });
    Create();
    SetWelcomeMaker(nullptr);
    EXPECT_EQ(welcomes, 0);
    EXPECT_FALSE(form->Visible());
}

TEST_F(PolicyTest, OptionsTheOrganisationSetsAreShownGreyedAndTheMachinesValueWins)
{
    const std::optional<RegistryData> entry = ReadRaw("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "V.M.R.");
    ASSERT_FALSE(entry) << "an autostart entry is left from elsewhere";
    WriteUserString(kUserSettingsKey, kPlaceModeValue, "nothing");
    policies.SetText(kUser, "WhenNetworkChanges", "ask");
    policies.SetText(kMachine, "WhenNetworkChanges", "apply");
    policies.SetNumber(kMachine, "LoadOnStartup", 1);
    Create();
    EXPECT_EQ(ReadPlaceMode(), PlaceMode::Apply);
    EXPECT_EQ(form->ComboBox2->ItemIndex(), 2);
    EXPECT_FALSE(Usable(*form->ComboBox2));
    EXPECT_TRUE(form->CheckBox2->Checked());
    EXPECT_FALSE(Usable(*form->CheckBox2));
    EXPECT_TRUE(Shown(*form->Label24));
    EXPECT_TRUE(ReadRaw("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "V.M.R."));
    DeleteRaw("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "V.M.R.");
    DeleteUserValue(kUserSettingsKey, kPlaceModeValue);
}

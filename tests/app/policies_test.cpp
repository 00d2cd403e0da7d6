// What the organisation sets through policies, as the main window shows and keeps it: the shared
// profile file and its fallback, managed profiles, and options the user may not change.
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
constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

class PolicyTest : public NetconfigTest {
protected:
    ScopedPolicies policies;
    TempFolder share;
};
}  // namespace

TEST_F(PolicyTest, TheOrganisationsFileIsLoadedShownGreyedAndSavedAsTheProgramsOwnCopy)
{
    const std::string shared = share.File("profiles.ini");
    WriteFileBytes(shared, kTwoProfileStore);
    policies.Set(HKEY_CURRENT_USER, "ProfilesFile", REG_SZ, shared);
    StartOnProfilesTab("[0]\r\nip=10.1.1.1\r\nname=Own copy\r\n");
    EXPECT_EQ(ListCaptions(), (Texts{"Office", "Home"}));
    EXPECT_EQ(form->Edit1->Text(), shared);
    EXPECT_FALSE(form->Edit1->Enabled() || form->Button4->Enabled());
    EXPECT_TRUE(form->Label25->VisibleFlag());
    EXPECT_TRUE(Notifications().empty());
    // The save goes where it always goes: the copy for a start that cannot reach the file.
    Click(*form->Button3);
    EXPECT_EQ(LoadedFrom(StorePath()), kTwoProfiles);
    EXPECT_EQ(ReadFileBytes(shared), kTwoProfileStore);
    // A change of the user's is made, and said once to last until the file is loaded again.
    for (int deleted = 0; deleted < 2; ++deleted) {
        SetSelected(0);
        form->Profiles->SpeedButton3Click();
    }
    EXPECT_EQ(ListCaptions(), Texts{});
    EXPECT_EQ(Notifications(), Texts{"Your change lasts until Velmora starts again"});
}

TEST_F(PolicyTest, AFileThatCannotBeReachedGivesTheLastCopyAndSaysSoOnce)
{
    policies.Set(HKEY_LOCAL_MACHINE, "ProfilesFile", REG_SZ, share.File("gone\\profiles.ini"));
    StartOnProfilesTab(kTwoProfileStore);
    EXPECT_EQ(ListCaptions(), (Texts{"Office", "Home"}));
    EXPECT_EQ(Notifications(), Texts{"Velmora uses its own copy of the profiles"});
}

TEST_F(PolicyTest, ManagedProfilesAreAppliedButNeverMadeEditedOrDeletedAnywhere)
{
    policies.Set(HKEY_CURRENT_USER, "LockProfiles", REG_DWORD, "1");
    StartOnProfilesTab(kTwoProfileStore);
    TProfilesView& view = *form->Profiles;
    EXPECT_FALSE(view.SpeedButton5->VisibleFlag() || view.SpeedButton2->VisibleFlag() ||
                 view.SpeedButton3->VisibleFlag());
    EXPECT_TRUE(view.ManagedNote->VisibleFlag());
    EXPECT_FALSE(form->Button1->Enabled());  // Apply Changes

    const std::vector<MenuEntry> tray = TrayProfiles();
    ASSERT_EQ(Captions(tray), (Texts{"Office", "Home", kProfilesManagedText}));
    EXPECT_EQ(Captions(tray[0].items), (Texts{"Activate", "Create Shortcut"}));
    EXPECT_NE(tray[2].state & MFS_DISABLED, 0u);
    EXPECT_EQ(Captions(RightClick(ItemCentre(0))), (Texts{"Activate", "Create Shortcut"}));
    // Neither the keys nor the editor asked for directly change anything.
    SetSelected(0);
    for (const WORD key : {VK_INSERT, VK_F2, VK_DELETE})
        view.ListView1KeyDown(key);
    EXPECT_FALSE(view.OpenProfileEditor(&ProfileAt(*ProfileList, 1)));
    EXPECT_EQ(ListCaptions(), (Texts{"Office", "Home"}));

    // Applying still works, from the tray and the command line; --list says they are managed.
    ChooseInTray(0, "Activate");
    EXPECT_EQ(network.Adapter(Wired)->ipAddresses.front(), L"192.168.1.10");
    StartAnswers apply, list;
    form->QueueCommand({Command::Action::Apply, "Home"}, apply.Window());
    form->QueueCommand({Command::Action::List, {}}, list.Window());
    Settle();
    ASSERT_TRUE(apply.answers.size() == 1 && list.answers.size() == 1);
    EXPECT_EQ(apply.answers[0].exitCode, kExitDone);
    EXPECT_TRUE(network.Adapter(Wired)->dhcpEnabled);
    EXPECT_TRUE(list.answers[0].text.ends_with(kProfilesManagedText)) << list.answers[0].text;
    // A copy that cannot be written stops nothing: nothing of the user's is lost.
    BlockStore();
    boxes.clear();
    Click(*form->Button3);
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(form->Visible());
}

TEST_F(PolicyTest, ManagedProfilesWithNoneStoredOfferNoWelcome)
{
    policies.Set(HKEY_LOCAL_MACHINE, "LockProfiles", REG_DWORD, "1");
    int welcomes = 0;
    SetWelcomeMaker([&]() -> TForm4& { return ++welcomes, application.Own(std::make_unique<TForm4>()); });
    Create();
    SetWelcomeMaker(nullptr);
    EXPECT_EQ(welcomes, 0);
    EXPECT_FALSE(form->Visible());
}

TEST_F(PolicyTest, OptionsTheOrganisationSetsAreShownGreyedAndTheMachinesValueWins)
{
    ASSERT_FALSE(ReadRaw(kRunKey, "V.M.R.")) << "an autostart entry is left from elsewhere";
    WriteUserString(kUserSettingsKey, kPlaceModeValue, "nothing");
    policies.Set(HKEY_CURRENT_USER, "WhenNetworkChanges", REG_SZ, "ask");
    policies.Set(HKEY_LOCAL_MACHINE, "WhenNetworkChanges", REG_SZ, "apply");
    policies.Set(HKEY_LOCAL_MACHINE, "LoadOnStartup", REG_DWORD, "1");
    Create();
    EXPECT_EQ(ReadPlaceMode(), PlaceMode::Apply);
    EXPECT_EQ(form->ComboBox2->ItemIndex(), 2);
    EXPECT_TRUE(form->CheckBox2->Checked());
    EXPECT_FALSE(form->ComboBox2->Enabled() || form->CheckBox2->Enabled());
    EXPECT_TRUE(form->Label24->VisibleFlag());
    EXPECT_TRUE(ReadRaw(kRunKey, "V.M.R."));
    DeleteRaw(kRunKey, "V.M.R.");
    DeleteUserValue(kUserSettingsKey, kPlaceModeValue);
}

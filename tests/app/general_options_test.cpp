// "Show only IP Enabled" and the profile file's path field of the General tab.
#include "app/netconfig_fixture.h"

#include "profiles/iprofile.h"
#include "support/tempfolder.h"

// Off lists every configuration and keeps the choice; on again drops the chosen adapter
// without IP and moves the choice to the first one listed.
TEST_F(NetconfigTest, ShowOnlyIpEnabledRefreshesWithTheQueryItNames)
{
    Create();
    ASSERT_TRUE(form->CheckBox1->Checked());
    ASSERT_EQ(SelectorEntries(), (std::vector<std::string>{WiredName, WirelessName}));
    PressDownInSelector();
    ASSERT_EQ(form->SelectedAdapterIndex, Wireless);

    size_t queries = QueryCount();
    Click(*form->CheckBox1);
    EXPECT_FALSE(form->IpEnabledOnly);
    EXPECT_EQ(QueryCount(), queries + 1);
    EXPECT_EQ(SelectorEntries(), (std::vector<std::string>{WiredName, WirelessName, BluetoothName}));
    EXPECT_EQ(form->SelectedAdapterIndex, Wireless);
    EXPECT_EQ(SelectedEntry(), 1);

    PressDownInSelector();
    ASSERT_EQ(form->SelectedAdapterIndex, Bluetooth);
    queries = QueryCount();
    Click(*form->CheckBox1);
    EXPECT_TRUE(form->IpEnabledOnly);
    EXPECT_EQ(QueryCount(), queries + 1);
    EXPECT_EQ(SelectorEntries(), (std::vector<std::string>{WiredName, WirelessName}));
    EXPECT_EQ(form->SelectedAdapterIndex, Wired);
    EXPECT_EQ(SelectedEntry(), 0);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainWindowTest, PathFieldStartsAtTheProgramFoldersStore)
{
    ProfileIniPath = "C:\\left\\from\\before.ini";
    Create();
    const std::string expected = ProgramFolder() + "profiles.ini";
    EXPECT_EQ(form->Edit1->Text(), expected);
    EXPECT_EQ(form->OpenDialog1->FileName(), expected);
    EXPECT_EQ(ProfileIniPath, expected);
}

// A path typed later in the run is kept, but neither loads it nor moves the save.
TEST_F(MainWindowTest, TypedPathIsTakenButNeitherReloadsNorMovesTheSave)
{
    TempFolder folder;
    const std::string other = folder.File("other.ini");
    const std::string otherText = "[0]\r\nip=10.1.1.1\r\nname=Elsewhere\r\n[1]\r\nip=10.1.1.2\r\n";
    WriteFileBytes(other, otherText);
    Create();
    const int loaded = form->Profiles->ListView1->Items().Count();

    TypeInto(form->Edit1->Handle(), other.c_str());
    EXPECT_EQ(ProfileIniPath, other);
    EXPECT_EQ(form->Profiles->ListView1->Items().Count(), loaded);

    Click(*form->Button3);  // "Ok" saves
    EXPECT_TRUE(StoreWritten());
    EXPECT_EQ(ReadFileBytes(other), otherText);
}

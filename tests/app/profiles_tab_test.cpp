// The Profiles tab and the tray's "Profiles" submenu, driven as a user drives them: the list
// through the list view's own messages, menus through their commands, buttons by BM_CLICK.
// What they show is read back from the controls and from the menus as they would open.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "app/netconfig_fixture.h"
#include "profiles/iprofile.h"
#include "support/tempfolder.h"

namespace {
struct StoredProfile {
    std::string name;
    std::string ip;
    std::string dns1;
    std::string dns2;
};

std::string StoreText(const std::vector<StoredProfile>& profiles)
{
    std::string text;
    for (size_t i = 0; i < profiles.size(); ++i) {
        const StoredProfile& p = profiles[i];
        text += "[";
        text += std::to_string(i);
        text += "]\r\nip=" + p.ip + "\r\nmask=255.255.255.0\r\ngw=\r\ndns1=" + p.dns1 + "\r\ndns2=" + p.dns2 +
                "\r\nname=" + p.name + "\r\ndhcp=0\r\n";
    }
    return text;
}

using Texts = std::vector<std::string>;

class ProfilesTabTest : public NetconfigTest {
protected:
    void Start(const std::vector<StoredProfile>& profiles) { StartOnProfilesTab(StoreText(profiles)); }
};

const std::vector<StoredProfile> kOfficeAndAddress = {{"Office", "192.168.1.10", "", ""}, {"", "10.0.0.5", "", ""}};
const std::vector<StoredProfile> kThree = {
    {"A", "10.0.0.1", "", ""}, {"B", "10.0.0.2", "", ""}, {"C", "10.0.0.3", "", ""}};
}  // namespace

TEST_F(ProfilesTabTest, StoredProfilesShowAsListItemsAndTrayEntriesByTitleOrAddress)
{
    Start(kOfficeAndAddress);
    EXPECT_EQ(ListCaptions(), (Texts{"Office", "10.0.0.5"}));
    const std::vector<MenuEntry> entries = TrayProfiles();
    ASSERT_EQ(Captions(entries), (Texts{"Office", "10.0.0.5"}));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(Captions(entries[static_cast<size_t>(i)].items),
                  (Texts{"Activate", "Edit...", "Delete", "Create Shortcut", "Use here"}));
        EXPECT_EQ(form->Profiles->prfs->Item(i).Tag(), i);
        EXPECT_EQ(form->Profiles->prfs->Item(i).ImageIndex(), 2);
        EXPECT_EQ(form->Profiles->prfs->Item(i).Item(0).ImageIndex(), 8);
        EXPECT_EQ(form->Profiles->prfs->Item(i).Item(1).ImageIndex(), 7);
        EXPECT_EQ(form->Profiles->prfs->Item(i).Item(2).ImageIndex(), 6);
    }
}

TEST_F(ProfilesTabTest, TrayDeleteRemovesEntryAndItemOnceTheCommandHasReturned)
{
    Start(kOfficeAndAddress);
    ChooseInTray(0, "Delete", false);
    // The clicked entry's parent is still there while the command is being handled.
    EXPECT_EQ(Captions(TrayProfiles()), (Texts{"Office", "10.0.0.5"}));
    Settle();
    EXPECT_EQ(Captions(TrayProfiles()), (Texts{"10.0.0.5"}));
    EXPECT_EQ(ListCaptions(), (Texts{"10.0.0.5"}));
    // Nothing reaches the file before the next save.
    EXPECT_NE(ReadFileBytes(StorePath()).find("name=Office"), std::string::npos);
}

// Deleting one of A, B, C with another one applied last: numbers, tray tags and the next
// profile to apply all follow the list.
struct DeletionCase {
    int deleted;
    int32_t activeBefore;
    int32_t activeAfter;
    const char* next;  // what "Apply Next Profile" would take now
};

class ProfileNumberingTest : public ProfilesTabTest, public testing::WithParamInterface<DeletionCase> {};

TEST_P(ProfileNumberingTest, NumbersStayListPositionsAfterATrayDelete)
{
    const DeletionCase& c = GetParam();
    Start(kThree);
    form->ActiveProfileIndex = c.activeBefore;
    ChooseInTray(c.deleted, "Delete");
    application.ProcessMessages();

    ASSERT_EQ(ProfileList->Count(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(ProfileAt(*ProfileList, i).id, i);
        EXPECT_EQ(form->Profiles->prfs->Item(i).Tag(), i);
        EXPECT_EQ(form->Profiles->prfs->Item(i).Caption(), ProfileAt(*ProfileList, i).name);
        EXPECT_EQ(FindProfile(i), &ProfileAt(*ProfileList, i));
    }
    EXPECT_EQ(form->ActiveProfileIndex, c.activeAfter);
    ASSERT_NE(NextProfile(form->ActiveProfileIndex), nullptr);
    EXPECT_EQ(NextProfile(form->ActiveProfileIndex)->name, c.next);
}

INSTANTIATE_TEST_SUITE_P(Deletions, ProfileNumberingTest,
                         testing::Values(DeletionCase{0, -1, -1, "B"},  // nothing applied yet
                                         DeletionCase{0, 1, 0, "C"},    // B applied: C follows it
                                         DeletionCase{0, 0, -1, "B"},   // A itself applied: B followed it
                                         DeletionCase{1, 1, 0, "C"},    // B applied and deleted: C followed it
                                         DeletionCase{1, 2, 1, "A"},    // C applied, the last: back to A
                                         DeletionCase{2, 0, 0, "B"}));  // before the applied one: unchanged

TEST_F(ProfilesTabTest, DeleteButtonRemovesOnlyTheFirstSelectedProfile)
{
    Start(kThree);
    SetSelected(1, true);
    SetSelected(2, true);
    Click(*form->Profiles->SpeedButton3);
    EXPECT_EQ(ListCaptions(), (Texts{"A", "C"}));
    EXPECT_EQ(Captions(TrayProfiles()), (Texts{"A", "C"}));
    EXPECT_EQ(FindProfile(1)->name, "C");
}

TEST_F(ProfilesTabTest, ButtonsDoNothingWithNothingSelected)
{
    Start(kThree);
    for (TButton* button :
         {form->Profiles->SpeedButton1.get(), form->Profiles->SpeedButton2.get(), form->Profiles->SpeedButton3.get()}) {
        Click(*button);
    }
    application.ProcessMessages();
    EXPECT_EQ(ListCaptions(), (Texts{"A", "B", "C"}));
    EXPECT_EQ(Captions(TrayProfiles()), (Texts{"A", "B", "C"}));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ProfilesTabTest, ContextMenuOnAnEmptyPlaceOffersOnlySelectAllWhichSelectsEveryProfile)
{
    Start(kThree);
    const std::vector<MenuEntry> shown = RightClick(EmptyPlace(), "Select All");
    EXPECT_EQ(Captions(shown), (Texts{"Select All"}));
    EXPECT_EQ(SelectedCount(), 3);
    // Each item reported its selection; the last one shows in the details.
    EXPECT_EQ(Detail("Title:"), "C");
}

TEST_F(ProfilesTabTest, ContextMenuOnAProfileOffersActivateEditDeleteForThatProfile)
{
    Start(kThree);
    const std::vector<MenuEntry> shown = RightClick(ItemCentre(1), "Delete");
    ASSERT_EQ(Captions(shown), (Texts{"Activate", "Edit...", "Delete", "Create Shortcut"}));
    EXPECT_NE(shown[0].state & MFS_DEFAULT, 0u);
    EXPECT_EQ(form->Profiles->PopupMenu2->Items().Tag(), 1);
    EXPECT_EQ(ListCaptions(), (Texts{"A", "C"}));
    EXPECT_EQ(Captions(TrayProfiles()), (Texts{"A", "C"}));

    // And over an empty place again afterwards, only "Select All".
    EXPECT_EQ(Captions(RightClick(EmptyPlace())), (Texts{"Select All"}));
}

struct DetailCase {
    StoredProfile profile;
    const char* title;
    const char* dns;
};

class SelectedDetailsTest : public ProfilesTabTest, public testing::WithParamInterface<DetailCase> {};

TEST_P(SelectedDetailsTest, SelectingOrUnselectingAProfileShowsItsDetails)
{
    const DetailCase& c = GetParam();
    Start({{"Other", "10.9.9.9", "10.9.9.1", "10.9.9.2"}, c.profile});
    for (bool selected : {true, false}) {
        SetSelected(0);
        SetSelected(0, false);
        SetSelected(1, selected);
        EXPECT_EQ(Detail("Title:"), c.title);
        EXPECT_EQ(Detail("IP:"), c.profile.ip);
        EXPECT_EQ(Detail("Mask:"), "255.255.255.0");
        EXPECT_EQ(Detail("GW:"), "");
        EXPECT_EQ(Detail("DNS:"), c.dns);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, SelectedDetailsTest,
                         testing::Values(DetailCase{{"", "10.0.0.9", "10.0.0.1", ""}, "None", "10.0.0.1 "},
                                         DetailCase{{"Office", "10.0.0.8", "", "8.8.8.8"}, "Office", " 8.8.8.8"},
                                         DetailCase{{"Lab", "", "", ""}, "Lab", " "}));

TEST_F(ProfilesTabTest, ACaptionOrIconChangeRepaintsThatProfile)
{
    Start(kThree);
    application.ProcessMessages();
    RECT item{};
    item.left = LVIR_BOUNDS;
    SendMessageA(List(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    for (const auto& change : std::vector<std::function<void(Tprofile&)>>{[](Tprofile& p) { p.SetCaption("Renamed"); },
                                                                          [](Tprofile& p) { p.SetImageIndex(1); }}) {
        UpdateWindow(List());
        change(ProfileAt(*ProfileList, 1));
        RECT dirty{};
        ASSERT_TRUE(GetUpdateRect(List(), &dirty, FALSE));
        RECT common{};
        EXPECT_TRUE(IntersectRect(&common, &dirty, &item));
    }
}

TEST_F(ProfilesTabTest, HandCursorOverProfilesOnly)
{
    Start(kThree);
    auto cursorAt = [&](POINT at) {
        ClientToScreen(List(), &at);
        EXPECT_TRUE(MovePointer(at)) << "the pointer did not stay at " << at.x << ", " << at.y;
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        SendMessageA(List(), WM_SETCURSOR, reinterpret_cast<WPARAM>(List()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    EXPECT_EQ(cursorAt(ItemCentre(0)), LoadCursor(nullptr, IDC_HAND));
    EXPECT_NE(cursorAt(EmptyPlace()), LoadCursor(nullptr, IDC_HAND));
}

TEST_F(ProfilesTabTest, GridsShowValuesOnly)
{
    Start(kThree);
    SetSelected(0, true);
    for (TValueListEditor* grid : {form->Profiles->ValueListEditor1.get(), form->Profiles->ValueListEditor2.get()}) {
        const int x = grid->KeyColumnWidth() + 10;
        const int y = grid->RowHeight() + grid->RowHeight() / 2;
        SendMessageA(grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(grid->Handle(), WM_KEYDOWN, VK_F2, 0);
        EXPECT_FALSE(grid->Editing());
    }
    EXPECT_EQ(Detail("IP:"), "10.0.0.1");

    // "Selected Profile Details" selects whole rows: a click on a key shows its row selected.
    TValueListEditor& selected = *form->Profiles->ValueListEditor1;
    SendMessageA(selected.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, selected.RowHeight() / 2));
    UpdateWindow(selected.Handle());
    const WindowDc dc(selected.Handle());
    EXPECT_EQ(GetPixel(dc.get(), 1, 1), GetSysColor(COLOR_HIGHLIGHT));
}

// The three ways to apply one profile: "Apply" with it selected first, "Activate" under its
// tray entry, "Activate" in the context menu over it.
enum class ApplyWay { ApplyButton, TrayActivate, ContextActivate };

std::string ApplyWayName(const testing::TestParamInfo<ApplyWay>& info)
{
    const char* const ways[] = {"ApplyButton", "TrayActivate", "ContextActivate"};
    return ways[static_cast<int>(info.param)];
}

class ProfileApplyTest : public ProfilesTabTest, public testing::WithParamInterface<ApplyWay> {};

TEST_P(ProfileApplyTest, AppliesThatProfileToTheChosenAdapterAndMarksIt)
{
    Start(kThree);
    form->ActiveProfileIndex = -1;
    switch (GetParam()) {
    case ApplyWay::ApplyButton:
        SetSelected(1, true);
        SetSelected(2, true);  // only the first selected one is applied
        Click(*form->Profiles->SpeedButton1);
        break;
    case ApplyWay::TrayActivate:
        ChooseInTray(1, "Activate");
        application.ProcessMessages();
        break;
    case ApplyWay::ContextActivate: RightClick(ItemCentre(1), "Activate"); break;
    }
    ASSERT_NE(network.Adapter(Wired), nullptr);
    EXPECT_EQ(network.Adapter(Wired)->ipAddresses, std::vector<std::wstring>{L"10.0.0.2"});
    EXPECT_EQ(form->ActiveProfileIndex, 1);
    EXPECT_EQ(ListImage(0), 0);
    EXPECT_EQ(ListImage(1), 1);
    EXPECT_EQ(ListImage(2), 0);
}

INSTANTIATE_TEST_SUITE_P(Ways, ProfileApplyTest,
                         testing::Values(ApplyWay::ApplyButton, ApplyWay::TrayActivate, ApplyWay::ContextActivate),
                         ApplyWayName);

TEST_F(ProfilesTabTest, TheIconsCloseUpAfterADelete)
{
    Start(kThree);
    const auto position = [&](int index) {
        POINT at{};
        SendMessageA(form->Profiles->ListView1->Handle(), LVM_GETITEMPOSITION, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&at));
        return std::pair{at.x, at.y};
    };
    const auto first = position(0);
    SetSelected(0, true);
    Click(*form->Profiles->SpeedButton3);
    ChooseInTray(0, "Delete");
    application.ProcessMessages();
    ASSERT_EQ(ListCaptions(), (Texts{"C"}));
    EXPECT_EQ(position(0), first);
}

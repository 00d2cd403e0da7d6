// The main window's profile views: the Profiles tab's list and grids, and the tray menu's
// "Profiles" submenu.
#include "app/mainformunit.h"
#include "profiles/iprofile.h"

void TForm1::BuildProfilesTab()
{
    HWND page = PageControl1->Page(ProfilesTab).Handle();
    ProfilesToolbar = std::make_unique<TPanel>(PanelArgs{page, {0, 0, 489, 49}});
    ProfilesPanel =
        std::make_unique<TPanel>(PanelArgs{page, {0, 49, 489, 251}, TPanelBevel::bvNone, RGB(255, 255, 255)});
    GroupBox8 = std::make_unique<TGroupBox>(
        GroupBoxArgs{ProfilesPanel->Handle(), {144, 3, 337, 246}, "Profiles", RGB(255, 255, 255)});
    ListViewArgs list;
    list.parent = GroupBox8->Handle();
    list.bounds = {8, 16, 321, 222};
    list.textColor = RGB(0, 0, 255);
    ListView1 = std::make_unique<TListView>(list);
    // The profile list is this list's items from the start, so a save before the first load
    // (after a failed creation step) writes an empty store rather than failing.
    ProfileList = &ListView1->Items();
}

void TForm1::SwitchOffGridEditors()
{
    // The two detail grids of the Profiles tab show values only; they come with the tab.
}

void TForm1::ReloadProfiles()
{
    ProfileList = &ListView1->Items();
    // Repainting resumes however the load ends.
    struct Updating {
        TListView& list;
        explicit Updating(TListView& view) : list(view) { list.BeginUpdate(); }
        ~Updating() { list.EndUpdate(); }
    } updating(*ListView1);
    ProfileList->Clear();
    LoadProfiles();
}

// The main window's profile views: the Profiles tab's list and grids, and the tray menu's
// "Profiles" submenu.
#include "app/mainformunit.h"
#include "app/pending_profiles.h"

namespace {
// The Profiles list's items until the tab's list view exists.
TListItems& ProfileItems()
{
    static TListItems items;
    return items;
}
}  // namespace

void TForm1::SwitchOffGridEditors()
{
    // The two detail grids of the Profiles tab show values only; they come with the tab.
}

void TForm1::ReloadProfiles()
{
    ProfileList = &ProfileItems();
    ProfileList->Clear();
    LoadProfiles();
}

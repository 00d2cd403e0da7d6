// Applying a profile from the Profiles tab's "Apply" and from the "Activate" entries of the
// tray's profile entries and of the list's context menu.
#include "profiles/profilesview.h"
#include "profiles/iprofile.h"

void TProfilesView::setIP(TMenuItem& sender)
{
    if (sender.Parent() == nullptr) return;
    const bool fromList = sender.Parent() == &PopupMenu2->Items();
    ApplyProfile(sender.Parent()->Tag(), fromList ? "Profiles list: Activate" : "tray: Activate");
}

void TProfilesView::SpeedButton1Click()
{
    // The first selected profile in list order, whatever else is selected.
    for (int i = 0; i < ProfileList->Count(); ++i) {
        if (!ProfileList->Item(i).Selected()) continue;
        ApplyProfile(ProfileAt(*ProfileList, i).id);
        Refresh();
        return;
    }
}

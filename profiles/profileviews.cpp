// The main window's profile views: loading them, and creating, editing and deleting profiles
// from the Profiles tab. A profile's number is kept equal to its position in the list, so
// that FindProfile, the menus and "Apply Next Profile" always agree.
#include <windows.h>

#include "profiles/profileswindow.h"
#include "core/handles.h"
#include "core/messagebox.h"
#include "profiles/iprofile.h"
#include "profiles/profedit.h"
#include "ui/menutext.h"

namespace {
// The first selected profile in list order, or none.
Tprofile* FirstSelected(const TListItems& items)
{
    for (int i = 0; i < items.Count(); ++i) {
        if (items.Item(i).Selected()) return dynamic_cast<Tprofile*>(&items.Item(i));
    }
    return nullptr;
}
}  // namespace

TProfilesWindow::TProfilesWindow(const FormArgs& args) : TForm(args) {}

TProfilesWindow::~TProfilesWindow()
{
    if (ListView1 && ProfileList == &ListView1->Items()) ProfileList = nullptr;
}

std::string TProfilesWindow::ProfileCaption(const Tprofile& profile) { return CaptionOf(profile); }

void TProfilesWindow::ReloadProfiles()
{
    ProfileList = &ListView1->Items();
    {
        ListUpdate updating(*ListView1);
        ProfileList->Clear();
        prfs->Clear();
        LoadProfiles();
    }
    // The welcome and the editor it may open are shown with the list painting as usual.
    if (ProfileList->Count() == 0) firststart();
    ListUpdate updating(*ListView1);
    for (int i = 0; i < ProfileList->Count(); ++i)
        AddProfileMenuEntry(ProfileAt(*ProfileList, i));
}

void TProfilesWindow::SpeedButton5Click()
{
    Tprofile& profile = AppendNewProfile(*ProfileList);
    // The new profile and its entry go again unless the editor confirms them, however it ends.
    ScopeExit discard([this, &profile] {
        if (!profile.confirmed) RemoveProfile(profile.id);
    });
    AddProfileMenuEntry(profile);
    if (!OpenProfileEditor(&profile)) return;
    profile.confirmed = true;
    ShowEditedProfile(profile);
}

void TProfilesWindow::SpeedButton2Click()
{
    Tprofile* profile = FirstSelected(ListView1->Items());
    if (profile != nullptr && OpenProfileEditor(profile)) ShowEditedProfile(*profile);
}

void TProfilesWindow::ShowEditedProfile(Tprofile& profile)
{
    const std::string caption = ProfileCaption(profile);
    profile.SetCaption(caption);
    if (TMenuItem* entry = ProfileMenuEntry(profile.id)) entry->SetCaption(MenuText(caption));
    if (profile.Selected()) ListView1SelectItem(profile, true);
}

void TProfilesWindow::SpeedButton3Click()
{
    // One profile per click, whatever the selection; no confirmation.
    if (Tprofile* profile = FirstSelected(ListView1->Items())) RemoveProfile(profile->id);
}

void TProfilesWindow::ListView1KeyDown(WORD key)
{
    switch (key) {
    case VK_INSERT: SpeedButton5Click(); break;
    case VK_F2: SpeedButton2Click(); break;
    case VK_DELETE: SpeedButton3Click(); break;
    case VK_F5: Label12Click(); break;  // "Refresh Network Details"
    default: break;
    }
}

void TProfilesWindow::RemoveProfile(int32_t number)
{
    Tprofile* profile = FindProfile(number);
    // The open editor writes into this profile when it is confirmed; an activation in a nested
    // message loop still reads and marks it. The user asked for the deletion and hears why not.
    const bool editing = profile != nullptr && ProfileEditor && ProfileEditor->Editing(*profile);
    if (editing || (profile != nullptr && profile == ApplyingProfile)) {
        std::string text = "The profile \"" + profile->Caption() + "\" ";
        text += editing ? "is open in the editor" : "is being applied";
        text += ", so it was not deleted.";
        // Over the editor, which is where the user's eyes are while it is open.
        ShowMessageBox(editing ? ProfileEditor->Handle() : Handle(), text, "Velmora", MB_OK | MB_ICONWARNING);
        return;
    }
    if (TMenuItem* entry = ProfileMenuEntry(number)) prfs->Remove(*entry);
    if (profile == nullptr) return;
    ProfileList->Delete(profile->Index());
    for (int i = 0; i < ProfileList->Count(); ++i) {
        Tprofile& later = ProfileAt(*ProfileList, i);
        if (later.id > number) --later.id;
    }
    for (int i = 0; i < prfs->Count(); ++i) {
        TMenuItem& entry = prfs->Item(i);
        if (entry.Tag() > number) entry.SetTag(entry.Tag() - 1);
    }
    // "Apply Next Profile" goes on with the profile that followed the one applied last, and
    // with the one that followed the deleted profile when that was the one applied last.
    if (ActiveProfileIndex >= number) --ActiveProfileIndex;
}

void TProfilesWindow::ListView1SelectItem(TListItem& item, bool)
{
    auto* profile = dynamic_cast<Tprofile*>(&item);
    if (profile == nullptr) return;
    ValueListEditor1->SetValues("Title:", profile->name.empty() ? "None" : profile->name);
    ValueListEditor1->SetValues("IP:", profile->ip);
    ValueListEditor1->SetValues("Mask:", profile->mask);
    ValueListEditor1->SetValues("DNS:", profile->dns1 + " " + profile->dns2);
    ValueListEditor1->SetValues("GW:", profile->gw);
}

void TProfilesWindow::SelectAll1Click(TMenuItem&) { ListView1->SelectAll(); }

void TProfilesWindow::Label12Click() { refreshdata(); }

void TProfilesWindow::ValueListEditor2SelectCell(int, int, bool& canSelect) { canSelect = false; }

// The main window's profile views: loading them, and creating, editing and deleting profiles
// from the Profiles tab. A profile's number is kept equal to its position in the list, so
// that FindProfile, the menus and "Apply Next Profile" always agree.
#include <windows.h>

#include <cstdint>

#include "profiles/profilesview.h"
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

TProfilesView::TProfilesView(TForm& window, MainWindowState& state, ChangeController& changes, TWinControl* page,
                             TPopupMenu& trayMenu)
    : m_window(window), m_state(state), m_changes(changes)
{
    BuildTrayEntries(trayMenu);
    BuildProfilesTab(page);
}

TProfilesView::~TProfilesView()
{
    for (int id : m_hotKeyIds)
        UnregisterHotKey(m_window.Handle(), id);
    if (ListView1 && ProfileList == &ListView1->Items()) ProfileList = nullptr;
}

void TProfilesView::Refresh()
{
    if (onRefresh) onRefresh();
}

void TProfilesView::Notify(const ChangeNotice& notice)
{
    if (onNotify) onNotify(notice);
}

std::string TProfilesView::ProfileCaption(const Tprofile& profile) { return CaptionOf(profile); }

void TProfilesView::ReloadProfiles()
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
    if (m_locked) {
        // Below the profiles, numbered as none of them is.
        TMenuItem& note = prfs->Add(kProfilesManagedText);
        note.SetTag(INT32_MIN);
        note.SetEnabled(false);
    }
    RegisterProfileHotKeys();
}

void TProfilesView::SpeedButton5Click()
{
    if (m_locked) return;
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

void TProfilesView::SpeedButton2Click()
{
    if (m_locked) return;
    Tprofile* profile = FirstSelected(ListView1->Items());
    if (profile != nullptr && OpenProfileEditor(profile)) ShowEditedProfile(*profile);
}

void TProfilesView::ShowEditedProfile(Tprofile& profile)
{
    const std::string caption = ProfileCaption(profile);
    profile.SetCaption(caption);
    if (TMenuItem* entry = ProfileMenuEntry(profile.id)) entry->SetCaption(MenuText(caption));
    if (profile.Selected()) ListView1SelectItem(profile, true);
    RegisterProfileHotKeys();
    if (onEdited) onEdited();
}

void TProfilesView::SpeedButton3Click()
{
    // One profile per click, whatever the selection; no confirmation.
    if (m_locked) return;
    if (Tprofile* profile = FirstSelected(ListView1->Items())) {
        RemoveProfile(profile->id);
        if (onEdited) onEdited();
    }
}

void TProfilesView::ListView1KeyDown(WORD key)
{
    switch (key) {
    case VK_INSERT: SpeedButton5Click(); break;
    case VK_F2: SpeedButton2Click(); break;
    case VK_DELETE: SpeedButton3Click(); break;
    case VK_F5: Label12Click(); break;  // "Refresh Network Details"
    default: break;
    }
}

void TProfilesView::RemoveProfile(int32_t number)
{
    if (m_locked) return;
    Tprofile* profile = FindProfile(number);
    // The open editor writes into this profile when it is confirmed. The user asked for the
    // deletion and hears why not. (A change of it that runs or waits finds it gone, by its key.)
    if (profile != nullptr && ProfileEditor && ProfileEditor->Editing(*profile)) {
        // Over the editor, which is where the user's eyes are while it is open.
        ShowMessageBox(ProfileEditor->Handle(),
                       "The profile \"" + profile->Caption() + "\" is open in the editor, so it was not deleted.",
                       "Velmora", MB_OK | MB_ICONWARNING);
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
    if (m_state.ActiveProfileIndex >= number) --m_state.ActiveProfileIndex;
    RegisterProfileHotKeys();
}

void TProfilesView::ListView1SelectItem(TListItem& item, bool)
{
    auto* profile = dynamic_cast<Tprofile*>(&item);
    if (profile == nullptr) return;
    ValueListEditor1->SetValues("Title:", profile->name.empty() ? "None" : profile->name);
    ValueListEditor1->SetValues("IP:", profile->ip);
    ValueListEditor1->SetValues("Mask:", profile->mask);
    ValueListEditor1->SetValues("DNS:", profile->dns1 + " " + profile->dns2);
    ValueListEditor1->SetValues("GW:", profile->gw);
}

void TProfilesView::SelectAll1Click(TMenuItem&) { ListView1->SelectAll(); }

void TProfilesView::Label12Click() { Refresh(); }

void TProfilesView::ValueListEditor2SelectCell(int, int, bool& canSelect) { canSelect = false; }

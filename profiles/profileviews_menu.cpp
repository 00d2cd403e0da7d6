// The menus that stand for profiles: one entry per profile in the tray's "Profiles" submenu,
// and the Profiles list's context menu. Each entry, or the context menu's root, carries the
// profile's number in its tag; the commands beneath it read it from there.
#include "profiles/profilesview.h"
#include "profiles/iprofile.h"
#include "profiles/profedit.h"
#include "profiles/shortcut.h"
#include "ui/menutext.h"

TMenuItem* TProfilesView::ProfileMenuEntry(int32_t number) const
{
    for (int i = 0; i < prfs->Count(); ++i) {
        if (prfs->Item(i).Tag() == number) return &prfs->Item(i);
    }
    return nullptr;
}

TMenuItem& TProfilesView::AddProfileMenuEntry(Tprofile& profile)
{
    const std::string caption = ProfileCaption(profile);
    profile.SetCaption(caption);
    TMenuItem& entry = prfs->Add(MenuText(caption));
    entry.SetTag(profile.id);
    entry.SetImageIndex(2);
    TMenuItem& activate = entry.Add("Activate");
    activate.SetImageIndex(8);
    activate.onClick = [this](TMenuItem& sender) { setIP(sender); };
    if (!m_locked) {
        TMenuItem& edit = entry.Add("Edit...");
        edit.SetImageIndex(7);
        edit.onClick = [this](TMenuItem& sender) { editprofile(sender); };
        TMenuItem& remove = entry.Add("Delete");
        remove.SetImageIndex(6);
        remove.onClick = [this](TMenuItem& sender) { deleteprofile(sender); };
    }
    TMenuItem& shortcut = entry.Add("Create Shortcut");
    shortcut.onClick = [this](TMenuItem& sender) { createshortcut(sender); };
    // "Use here" writes where the profile belongs into it: a change of the profile too.
    if (m_locked) return entry;
    TMenuItem& useHere = entry.Add("Use here");
    useHere.onClick = [this](TMenuItem& sender) {
        if (sender.Parent() != nullptr && onUseHere) onUseHere(sender.Parent()->Tag());
    };
    return entry;
}

std::string OfferCaption(const std::string& profileCaption, const std::string& placeName)
{
    return "Apply " + profileCaption + " (you are at " + placeName + ")";
}

void TProfilesView::OfferProfiles(std::vector<uint64_t> keys, std::string placeName)
{
    m_offered = std::move(keys);
    m_offeredPlace = std::move(placeName);
}

void TProfilesView::ApplyOffered(size_t position)
{
    if (position >= m_offered.size()) return;
    const Tprofile* profile = FindProfileByKey(m_offered[position]);
    if (profile == nullptr) return;
    m_offered.clear();
    ApplyForPlace(*profile, m_offeredPlace, true);
}

void TProfilesView::ApplyForPlace(const Tprofile& profile, const std::string& placeName, bool asked)
{
    ChangeAsk ask =
        TrayAsk(ChangeAsk::Kind::Profile, profile.Caption(), "location: " + placeName + (asked ? " (asked)" : ""));
    // Made unasked, it is told by its notification alone.
    if (!asked) ask.answer = nullptr;
    ask.profileKey = profile.key;
    ask.reason = "you are at " + placeName;
    m_changes.Submit(std::move(ask));
}

void TProfilesView::editprofile(TMenuItem& sender)
{
    if (sender.Parent() == nullptr) return;
    Tprofile* profile = FindProfile(sender.Parent()->Tag());
    if (!OpenProfileEditor(profile)) return;
    // With no profile of that number the editor took the list item under the pointer.
    if (profile == nullptr) profile = ProfileEditor->EditedProfile;
    if (profile != nullptr) ShowEditedProfile(*profile);
}

void TProfilesView::deleteprofile(TMenuItem& sender)
{
    if (sender.Parent() == nullptr) return;
    // From the tray, the entry to remove is the clicked entry's own parent: it goes once this
    // command has returned to the menu code that dispatched it.
    m_later.Post([this, number = sender.Parent()->Tag()] {
        RemoveProfile(number);
        if (onEdited) onEdited();
    });
}

void TProfilesView::ListView1ContextPopup(POINT point, bool&)
{
    auto* profile = dynamic_cast<Tprofile*>(ListView1->ItemAt(point));
    SelectAll1->SetVisible(profile == nullptr);
    Delete1->SetVisible(profile != nullptr && !m_locked);
    Edit4->SetVisible(profile != nullptr && !m_locked);
    Activate1->SetVisible(profile != nullptr);
    CreateShortcut1->SetVisible(profile != nullptr);
    if (profile == nullptr) return;
    PopupMenu2->Items().SetTag(profile->id);
    Activate1->onClick = [this](TMenuItem& sender) { setIP(sender); };
    Edit4->onClick = [this](TMenuItem& sender) { editprofile(sender); };
    Delete1->onClick = [this](TMenuItem& sender) { deleteprofile(sender); };
    CreateShortcut1->onClick = [this](TMenuItem& sender) { createshortcut(sender); };
}

void TProfilesView::createshortcut(TMenuItem& sender)
{
    if (sender.Parent() == nullptr) return;
    const Tprofile* profile = FindProfile(sender.Parent()->Tag());
    if (profile == nullptr) return;
    CreateProfileShortcut(profile->Caption());
    // The shortcut names the profile by its title: of two with one title it applies the first.
    const bool shared = ProfilesCaptioned(*ProfileList, profile->Caption()) > 1;
    Notify({"Shortcut made",
            "\"" + profile->Caption() + "\" is on the desktop: opening it applies " +
                (shared ? "the first profile of that title." : "the profile."),
            shared});
}

// Applying a profile to the chosen adapter: from the Profiles tab's "Apply", the two menus'
// "Activate", hot keys, commands and the tray's "Apply Next Profile", which steps through the
// profiles in turn. Each hands the change controller a request; at its turn the profile's
// settings are copied into the change, and when it has ended the profile is marked as applied
// only if it still holds what was sent.
#include <windows.h>

#include <optional>
#include <string>

#include "adapters/configure.h"
#include "adapters/reg.h"
#include "adapters/wmiworks.h"
#include "core/dispatch.h"
#include "core/errorbox.h"
#include "core/messagebox.h"
#include "profiles/iprofile.h"
#include "profiles/profilesview.h"
#include "ui/menutext.h"

namespace {
ProfileSettings SettingsOf(const Tprofile& profile)
{
    return {profile.dhcp, profile.ip, profile.mask, profile.gw, profile.dns1, profile.dns2};
}

bool SameProfileSettings(const ProfileSettings& a, const ProfileSettings& b)
{
    return a.dhcp == b.dhcp && a.ip == b.ip && a.mask == b.mask && a.gw == b.gw && a.dns1 == b.dns1 && a.dns2 == b.dns2;
}

// The requests waiting their turn, for the tray menu: "then Home, Undo".
std::string WaitingText(const std::deque<ChangeAsk>& waiting)
{
    std::string text;
    for (const ChangeAsk& ask : waiting)
        text += (text.empty() ? " then " : ", ") + ask.title;
    return text;
}
}  // namespace

void TProfilesView::ApplyProfile(int32_t number, const std::string& trigger)
{
    Tprofile* profile = FindProfile(number);
    // A profile the editor has not confirmed is not the user's yet.
    if (profile != nullptr && !profile->confirmed) {
        MessageBeep(0);
        return;
    }
    ChangeAsk ask = TrayAsk(ChangeAsk::Kind::Profile, profile != nullptr ? profile->Caption() : std::string(), trigger);
    ask.profileKey = profile != nullptr ? profile->key : 0;
    m_changes.Submit(std::move(ask));
}

void TProfilesView::ApplyNextProfile1Click(TMenuItem&)
{
    m_changes.Submit(TrayAsk(ChangeAsk::Kind::Next, "the next profile", "tray: Apply next"));
}

ChangeAsk TProfilesView::TrayAsk(ChangeAsk::Kind kind, std::string title, std::string trigger)
{
    ChangeAsk ask;
    ask.kind = kind;
    ask.title = std::move(title);
    ask.trigger = std::move(trigger);
    ask.answer = [this](const ChangeAnswer& ended) { TellLater(ended); };
    return ask;
}

PreparedChange TProfilesView::PrepareChange(const ChangeAsk& ask)
{
    return ask.kind == ChangeAsk::Kind::Undo ? PrepareUndo(ask) : PrepareProfile(ask);
}

PreparedChange TProfilesView::PrepareProfile(const ChangeAsk& ask)
{
    PreparedChange prepared;
    prepared.refusal.kind = ChangeAnswer::Kind::NoSuchProfile;
    Tprofile* profile = nullptr;
    if (ask.kind == ChangeAsk::Kind::Next) {
        // "Next" is the one after the profile applied last when its turn comes.
        profile = NextProfile(m_state.ActiveProfileIndex);
        prepared.refusal.text = "There is no profile to apply.";
        if (profile == nullptr) return prepared;
    } else {
        profile = FindProfileByKey(ask.profileKey);
        // Deleted while the request waited, or never there.
        prepared.refusal.text = "There is no profile \"" + ask.title + "\".";
    }
    for (int i = 0; i < ProfileList->Count(); ++i)
        ProfileList->Item(i).SetImageIndex(0);
    BuildAdapterList();
    if (profile == nullptr || !profile->confirmed) return prepared;

    ChangeRequest request;
    request.kind = ChangeRequest::Kind::Profile;
    request.title = profile->Caption();
    request.trigger = ask.trigger;
    request.reason = ask.reason;
    request.adapterIndex = m_state.SelectedAdapterIndex;
    request.profile = SettingsOf(*profile);
    request.profileKey = profile->key;
    const Variant adapter = FindAdapterConfiguration(m_state.AdapterCollection, m_state.SelectedAdapterIndex);
    // Raises "Invalid variant operation" when no adapter is chosen, as reading "no adapter" does.
    request.settingId = VariantText(GetMember(adapter, L"SettingID").get());
    const std::optional<Variant> description = TryGetMember(adapter, L"Description");
    request.adapterName = description ? TryVariantText(description->get()).value_or("") : "";
    prepared.request = std::move(request);
    return prepared;
}

void TProfilesView::ChangeEnded(ChangeAnswer& answer)
{
    if (answer.kind != ChangeAnswer::Kind::Ended && answer.kind != ChangeAnswer::Kind::Failed) return;
    const ChangeRequest& request = answer.request;
    const ChangeOutcome& outcome = answer.outcome;
    if (answer.kind == ChangeAnswer::Kind::Ended && request.kind == ChangeRequest::Kind::Profile && outcome.ended) {
        // What was sent is what is marked: a profile edited meanwhile holds settings that never
        // reached the adapter, and a deleted one is gone.
        if (Tprofile* profile = FindProfileByKey(request.profileKey)) {
            if (SameProfileSettings(SettingsOf(*profile), request.profile)) {
                if (DnsServersSent(request.profile, outcome.refusal))
                    MoveLoneAlternateServerUp(profile->dns1, profile->dns2);
                if (outcome.Made()) {
                    m_state.ActiveProfileIndex = profile->id;
                    profile->SetImageIndex(1);
                }
            } else {
                answer.editedMeanwhile = outcome.Made();
            }
        }
    }
    // Whatever happened, the window shows what the adapter holds now.
    Refresh();
}

void TProfilesView::TellLater(const ChangeAnswer& answer)
{
    std::string text;
    UINT icon = MB_ICONWARNING;
    switch (answer.kind) {
    case ChangeAnswer::Kind::Ended:
        text = answer.outcome.ended ? OutcomeBoxText(answer.request, answer.outcome) : answer.outcome.whyNot;
        break;
    case ChangeAnswer::Kind::NotMade:
    case ChangeAnswer::Kind::NoAdapter:
        text = answer.text;
        if (!answer.warning) icon = MB_ICONINFORMATION;
        break;
    case ChangeAnswer::Kind::AskFirst: {
        // Asked once the answer is given: the controller goes on meanwhile, and Yes asks anew.
        const std::string question =
            answer.text + "\n\nGo back to " + DescribeConfiguration(answer.request.target) + " all the same?";
        m_later.Post([this, question, trigger = answer.request.trigger] {
            if (ShowMessageBox(m_window.Handle(), question, "Velmora", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
            ChangeAsk ask = TrayAsk(ChangeAsk::Kind::Undo, "Undo", trigger);
            ask.confirmed = true;
            m_changes.Submit(std::move(ask));
        });
        return;
    }
    case ChangeAnswer::Kind::Failed: ReportError(answer.error, ErrorShown::Later); return;
    case ChangeAnswer::Kind::NoSuchProfile:
    case ChangeAnswer::Kind::Cancelled: return;
    }
    if (text.empty()) return;
    m_later.Post([this, text, icon] { ShowMessageBox(m_window.Handle(), text, "Velmora", MB_OK | icon); });
}

void TProfilesView::PopupMenu1Popup()
{
    // While Windows works, the menu says on what and what waits, and offers no change of its own.
    const bool waiting = m_changes.GetState() == ChangeController::State::WaitingForWindows;
    const bool busy = waiting || m_changes.Busy();
    if (waiting) {
        ApplyNextProfile1->SetCaption(MenuText("Waiting for Windows..." + WaitingText(m_changes.Waiting())));
    } else if (m_changes.Busy()) {
        ApplyNextProfile1->SetCaption(MenuText(m_changes.Progress() + WaitingText(m_changes.Waiting())));
    } else {
        const Tprofile* next = NextProfile(m_state.ActiveProfileIndex);
        ApplyNextProfile1->SetCaption(MenuText("Apply next: " + (next != nullptr ? next->Caption() : std::string())));
    }
    ApplyNextProfile1->SetEnabled(!busy);
    for (size_t i = 0; i < PlaceOffers.size(); ++i) {
        const Tprofile* offered = i < m_offered.size() ? FindProfileByKey(m_offered[i]) : nullptr;
        PlaceOffers[i]->SetVisible(offered != nullptr && !busy);
        if (offered != nullptr) PlaceOffers[i]->SetCaption(MenuText(OfferCaption(offered->Caption(), m_offeredPlace)));
    }
    const std::optional<UndoRecord>& undo = m_changes.Undo();
    Undo1->SetVisible(undo.has_value());
    if (undo) Undo1->SetCaption("Undo: back to " + ShortDescription(undo->backTo));
    Undo1->SetEnabled(!busy);
}

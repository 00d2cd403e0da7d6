// Applying a profile to the chosen adapter: from the Profiles tab's "Apply", the two menus'
// "Activate", and the tray's "Apply Next Profile", which steps through the profiles in turn.
#include <windows.h>

#include <optional>
#include <string>

#include "adapters/configure.h"
#include "adapters/reg.h"
#include "adapters/elevatedchange.h"
#include "core/processrights.h"
#include "adapters/wmiworks.h"
#include "profiles/profileswindow.h"
#include "core/dispatch.h"
#include "core/handles.h"
#include "core/history.h"
#include "core/messagebox.h"
#include "profiles/iprofile.h"
#include "ui/cursor.h"
#include "ui/menutext.h"

bool TProfilesWindow::RefusedWhileBusy()
{
    // Each change reads and writes what the one before it left: one at a time, and none before
    // WMI answers.
    std::string text;
    if (WaitingForWindows) {
        text = "Velmora is still waiting for Windows to answer.\n\nTry again in a moment.";
    } else if (Changes->Busy()) {
        text = "Velmora is still busy: " + Changes->Progress() + "\n\nTry again when it has ended.";
    } else {
        return false;
    }
    ShowMessageBox(Handle(), text, "Velmora", MB_OK | MB_ICONINFORMATION);
    return true;
}

std::optional<ChangeOutcome> TProfilesWindow::MakeChange(const ChangeRequest& request)
{
    if (RefusedWhileBusy()) return std::nullopt;
    LastRequest = request;
    LastOutcome.reset();
    ChangeOutcome outcome = Changes->Run(request);
    LastOutcome = outcome;
    if (!outcome.ended) return outcome;
    AppendToHistory(ChangeEntry{request.trigger,
                                request.adapterName,
                                {DescribeConfiguration(outcome.before)},
                                {DescribeConfiguration(outcome.after)},
                                OutcomeSummary(request, outcome),
                                outcome.elevated});
    // Whatever the change made, Undo goes back to what was there before it.
    if (!outcome.NothingMade()) {
        Undo = UndoRecord{request.settingId, request.adapterName, outcome.before, outcome.after};
        WriteUndoRecord(*Undo);
    }
    ShowNotification(OutcomeNotice(request, outcome));
    return outcome;
}

void TProfilesWindow::ChangeAndTell(const ChangeRequest& request,
                                    const std::function<void(const ChangeOutcome&)>& ended)
{
    std::optional<ChangeOutcome> outcome;
    try {
        outcome = MakeChange(request);
        if (outcome && outcome->ended && ended) ended(*outcome);
    } catch (...) {
        refreshdata();
        throw;
    }
    refreshdata();
    const std::string text = outcome ? OutcomeBoxText(request, *outcome) : std::string();
    if (!text.empty()) ShowMessageBox(Handle(), text, "Velmora", MB_OK | MB_ICONWARNING);
}

void TProfilesWindow::ApplyProfile(int32_t number, const std::string& trigger)
{
    Tprofile* profile = FindProfile(number);
    // A profile the editor has not confirmed is not the user's yet.
    if (profile != nullptr && !profile->confirmed) {
        MessageBeep(0);
        return;
    }
    BusyCursor busy(TCursor::crAppStart);
    if (RefusedWhileBusy()) return;
    for (int i = 0; i < ProfileList->Count(); ++i)
        ProfileList->Item(i).SetImageIndex(0);
    BuildAdapterList();
    if (profile == nullptr) return;
    // Held until the activation is over; RemoveProfile refuses it meanwhile.
    ApplyingProfile = profile;
    ScopeExit applied([this] { ApplyingProfile = nullptr; });

    ChangeRequest request;
    request.kind = ChangeRequest::Kind::Profile;
    request.title = profile->Caption();
    request.trigger = trigger;
    request.adapterIndex = SelectedAdapterIndex;
    request.profile = {profile->dhcp, profile->ip, profile->mask, profile->gw, profile->dns1, profile->dns2};
    try {
        const Variant adapter = FindAdapterConfiguration(AdapterCollection, SelectedAdapterIndex);
        request.settingId = VariantText(GetMember(adapter, L"SettingID").get());
        const std::optional<Variant> description = TryGetMember(adapter, L"Description");
        request.adapterName = description ? TryVariantText(description->get()).value_or("") : "";
    } catch (...) {
        // Whatever happened, the window shows what the adapter holds now.
        refreshdata();
        throw;
    }
    ChangeAndTell(request, [&](const ChangeOutcome& outcome) {
        if (DnsServersSent(request.profile, outcome.refusal)) MoveLoneAlternateServerUp(profile->dns1, profile->dns2);
        if (outcome.Made()) {
            ActiveProfileIndex = profile->id;
            profile->SetImageIndex(1);
        }
    });
}

void TProfilesWindow::ApplyNextProfile1Click(TMenuItem&)
{
    if (RefusedWhileBusy()) return;
    BusyCursor busy(TCursor::crAppStart);
    if (Tprofile* next = NextProfile(ActiveProfileIndex)) ApplyProfile(next->id, "tray: Apply next");
}

void TProfilesWindow::PopupMenu1Popup()
{
    // While Windows works, the menu says on what, and offers no change of its own.
    const bool busy = WaitingForWindows || Changes->Busy();
    if (WaitingForWindows) {
        ApplyNextProfile1->SetCaption("Waiting for Windows...");
    } else if (Changes->Busy()) {
        ApplyNextProfile1->SetCaption(MenuText(Changes->Progress()));
    } else {
        const Tprofile* next = NextProfile(ActiveProfileIndex);
        ApplyNextProfile1->SetCaption(MenuText("Apply next: " + (next != nullptr ? next->Caption() : std::string())));
    }
    ApplyNextProfile1->SetEnabled(!busy);
    Undo1->SetVisible(Undo.has_value());
    if (Undo) Undo1->SetCaption("Undo: back to " + ShortDescription(Undo->backTo));
    Undo1->SetEnabled(!busy);
}

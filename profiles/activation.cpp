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
#include "core/messagebox.h"
#include "profiles/iprofile.h"
#include "ui/cursor.h"

namespace {
// Which steps the adapter took and which it refused: once a call has changed the adapter,
// nothing of it is undone, so the user is told what it holds of the profile.
std::string RefusalText(const Tprofile& profile, const ProfileSettings& settings, const ConfigurationRefusal& refusal)
{
    std::string text = "The profile \"" + profile.Caption() + "\" was ";
    text += refusal.step == kAddressStep ? "not applied.\n" : "applied only in part.\n";
    for (const int step : ConfigurationSteps(settings)) {
        text += '\n';
        text += ConfigurationStepName(settings, step);
        text += ": ";
        if (step < refusal.step) {
            text += "made.";
        } else if (step == refusal.step) {
            text += ConfigurationResultText(refusal.code) + " (" + std::to_string(refusal.code) + ").";
        } else {
            text += "not sent.";
        }
    }
    if (refusal.code == 91)
        text += "\n\nChanging the adapter needs administrator rights, which Windows did not give.";
    return text;
}
}  // namespace

void TProfilesWindow::ApplyProfile(int32_t number)
{
    Tprofile* profile = FindProfile(number);
    // A profile the editor has not confirmed is not the user's yet, and one activation at a
    // time: a second would start inside the first's nested message loops.
    if ((profile != nullptr && !profile->confirmed) || ApplyingProfile != nullptr) {
        MessageBeep(0);
        return;
    }
    BusyCursor busy(TCursor::crAppStart);
    for (int i = 0; i < ProfileList->Count(); ++i)
        ProfileList->Item(i).SetImageIndex(0);
    BuildAdapterList();
    if (profile == nullptr) return;
    // Held until the activation is over; RemoveProfile refuses it meanwhile.
    ApplyingProfile = profile;
    ScopeExit applied([this] { ApplyingProfile = nullptr; });

    std::string refusalText;
    try {
        const Variant adapter = FindAdapterConfiguration(AdapterCollection, SelectedAdapterIndex);
        const std::string settingId = VariantText(GetMember(adapter, L"SettingID").get());
        const ProfileSettings settings{profile->dhcp, profile->ip,   profile->mask,
                                       profile->gw,   profile->dns1, profile->dns2};
        std::optional<ConfigurationRefusal> refusal = ApplyProfileSettings(adapter, settingId, settings);
        // A standard user is refused everything: the same change goes to an elevated run of
        // the program, which asks Windows for the rights once, for this change.
        if (refusal->code == 91 && !ProcessElevated()) {
            ElevatedChange change;
            change.kind = ElevatedChange::Kind::ApplyProfile;
            change.adapter = SelectedAdapterIndex;
            change.settingId = settingId;
            change.profile = settings;
            const std::optional<ElevatedResult> elevated = RunElevated(change);
            refusal = elevated ? std::optional(elevated->refusal) : std::nullopt;
        }
        // None: the elevated run made nothing that can be told, and the user has been told why.
        if (refusal) {
            if (DnsServersSent(settings, *refusal)) MoveLoneAlternateServerUp(profile->dns1, profile->dns2);
            if (*refusal) {
                refusalText = RefusalText(*profile, settings, *refusal);
            } else {
                ActiveProfileIndex = profile->id;
                profile->SetImageIndex(1);
            }
        }
    } catch (...) {
        // Whatever happened, the window shows what the adapter holds now.
        refreshdata();
        throw;
    }
    refreshdata();
    if (!refusalText.empty()) ShowMessageBox(Handle(), refusalText, "Velmora", MB_OK | MB_ICONWARNING);
}

void TProfilesWindow::ApplyNextProfile1Click(TMenuItem&)
{
    BusyCursor busy(TCursor::crAppStart);
    if (Tprofile* next = NextProfile(ActiveProfileIndex)) ApplyProfile(next->id);
}

void TProfilesWindow::PopupMenu1Popup()
{
    const Tprofile* next = NextProfile(ActiveProfileIndex);
    ApplyNextProfile1->SetCaption("Apply next: " + (next != nullptr ? next->Caption() : std::string()));
}

// Applying a profile to the chosen adapter: from the Profiles tab's "Apply", the two menus'
// "Activate", and the tray's "Apply Next Profile", which steps through the profiles in turn.
#include <windows.h>

#include <optional>
#include <string>

#include "adapters/reg.h"
#include "adapters/wmiworks.h"
#include "app/mainformunit.h"
#include "core/dispatch.h"
#include "core/handles.h"
#include "core/messagebox.h"
#include "profiles/iprofile.h"
#include "ui/cursor.h"

namespace {
// The first configuration call the adapter refused, named for the user; empty when it took
// them all.
struct Refusal {
    std::string call;
    int32_t code = 0;
    explicit operator bool() const { return !call.empty(); }
};

bool Accepted(int32_t code) { return code == 0 || code == 1; }

// Sends the profile's configuration, in the order the adapter needs it, and stops at the
// first call the adapter refuses: what was sent before it stays.
Refusal SendProfile(const Variant& adapter, Tprofile& profile)
{
    if (profile.dhcp) {
        const int32_t code = AdapterEnableDHCP(adapter);
        return Accepted(code) ? Refusal{} : Refusal{"Obtain an address automatically (DHCP)", code};
    }
    tIPSettings address{TextArray({profile.ip}), TextArray({profile.mask})};
    const int32_t staticCode = AdapterEnableStatic(adapter, address);
    // 81: Windows says so when the adapter was static already, and makes the change all the same.
    if (!Accepted(staticCode) && staticCode != 81) return {"IP address and subnet mask", staticCode};

    tGWSettings gateway{TextArray({profile.gw}), IntArray({1})};
    const int32_t gatewayCode = AdapterSetGateways(adapter, gateway);
    if (!Accepted(gatewayCode)) return {"Default gateway", gatewayCode};

    // A lone alternate server moves up to preferred, in the profile too.
    if (profile.dns1.empty() && !profile.dns2.empty()) {
        profile.dns1 = profile.dns2;
        profile.dns2.clear();
    }
    std::vector<std::string> servers{profile.dns1};
    if (!profile.dns2.empty()) servers.push_back(profile.dns2);
    const int32_t dnsCode = AdapterSetDnsServers(adapter, tDNSsettings{TextArray(servers)});
    if (!Accepted(dnsCode)) return {"DNS servers", dnsCode};
    return {};
}

std::string RefusalText(const Tprofile& profile, const Refusal& refusal)
{
    std::string text = "The profile \"" + profile.Caption() + "\" was not applied.\n\n" + refusal.call + ": " +
                       ConfigurationResultText(refusal.code) + " (" + std::to_string(refusal.code) + ").";
    if (refusal.code == 91)
        text += "\n\nChanging the adapter needs administrator rights: run Velmora as administrator.";
    return text;
}
}  // namespace

void TForm1::ApplyProfile(int32_t number)
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

    Refusal refusal;
    try {
        const Variant adapter = FindAdapterConfiguration(AdapterCollection, SelectedAdapterIndex);
        const std::string settingId = VariantText(GetMember(adapter, L"SettingID").get());
        // The stored gateway list is emptied first, for DHCP profiles too: a gateway left there
        // from an earlier static setting would come back with the next start of the adapter.
        // A refused activation puts it back, or the adapter would lose its gateway at the next
        // restart without having taken the profile.
        // A copy: a refresh in a nested message loop rebuilds the adapter list.
        const tadapter* found = FindAdapterBySettingID(settingId);
        const std::optional<tadapter> stored = found != nullptr ? std::optional<tadapter>(*found) : std::nullopt;
        const tadapter* record = stored ? &*stored : nullptr;
        const StoredGateway previousGateway = ReadStoredGateway(record);
        if (record != nullptr) WriteDefaultGateway(record, tGWSettings{});
        refusal = SendProfile(adapter, *profile);
        if (refusal) {
            RestoreStoredGateway(record, previousGateway);
        } else {
            ActiveProfileIndex = profile->id;
            profile->SetImageIndex(1);
        }
    } catch (...) {
        // Whatever happened, the window shows what the adapter holds now.
        refreshdata();
        throw;
    }
    refreshdata();
    if (refusal) ShowMessageBox(Handle(), RefusalText(*profile, refusal), "Velmora", MB_OK | MB_ICONWARNING);
}

void TForm1::ApplyNextProfile1Click(TMenuItem&)
{
    BusyCursor busy(TCursor::crAppStart);
    if (Tprofile* next = NextProfile(ActiveProfileIndex)) ApplyProfile(next->id);
}

void TForm1::PopupMenu1Popup()
{
    const Tprofile* next = NextProfile(ActiveProfileIndex);
    ApplyNextProfile1->SetCaption("Apply next: " + (next != nullptr ? next->Caption() : std::string()));
}

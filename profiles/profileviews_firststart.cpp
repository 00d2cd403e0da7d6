// The first start: with no profile stored, the main window shows itself with the welcome
// dialog, which offers a profile named "Default" holding the chosen adapter's settings.
#include "adapters/reg.h"
#include "adapters/shownaddress.h"
#include "adapters/wmiworks.h"
#include "profiles/profilesview.h"
#include "core/dispatch.h"
#include "core/handles.h"
#include "profiles/iprofile.h"
#include "profiles/starttip.h"

namespace {
// The adapter's present settings: one address, mask and gateway (ShownAddress: the first IPv4
// ones, or what Windows stores for the adapter), and the DNS servers, from the registry where
// it knows the adapter and from WMI where it does not.
void CopyAdapterSettings(const Variant& adapter, Tprofile& profile)
{
    const std::string settingId = VariantText(GetMember(adapter, L"SettingID").get());
    const tadapter* record = FindAdapterBySettingID(settingId);
    const AdapterAddress shown = ShownAddress(record, adapter);
    profile.ip = shown.address;
    profile.mask = shown.mask;
    profile.gw = shown.gateway;
    if (record != nullptr) {
        profile.dns1 = record->Dns1;
        profile.dns2 = record->Dns2;
        profile.dhcp = record->DhcpEnabled == 1;
    } else if (const auto servers = VariantToStringList(GetMember(adapter, L"DNSServerSearchOrder"))) {
        if (!servers->empty()) profile.dns1 = (*servers)[0];
        if (servers->size() >= 2) profile.dns2 = (*servers)[1];
    }
    profile.name = "Default";
}
}  // namespace

void TProfilesView::firststart()
{
    // The start stays in the tray when the user asked not to be welcomed again, and when
    // there is no welcome dialog: the program's start-up provides one, a main window made on
    // its own (tests, benchmarks) has none.
    // Nor is there anything to welcome to when the organisation manages the profiles: the
    // welcome's one offer is to make one.
    if (m_locked || WelcomeNoticeHidden()) return;
    TForm4* welcome = WelcomeDialog();
    if (welcome == nullptr) return;
    m_window.Show();
    const int result = welcome->ShowModalOver(m_window.Handle());
    if (welcome->CheckBox1->Checked()) HideWelcomeNotice();
    if (result == mrCancel) return;

    Tprofile& profile = AppendNewProfile(*ProfileList);
    // The profile stays only when the editor confirms it, however the steps between end.
    TListItems& list = *ProfileList;
    ScopeExit discard([&list, &profile] {
        if (list.IndexOf(profile) >= 0 && !profile.confirmed) list.Delete(profile.Index());
    });

    // Without an adapter query result there is no adapter to copy either.
    if (m_state.AdapterCollection.HoldsObject()) {
        const Variant adapter = FindAdapterConfiguration(m_state.AdapterCollection, m_state.SelectedAdapterIndex);
        if (adapter.HoldsObject()) CopyAdapterSettings(adapter, profile);
    }
    if (OpenProfileEditor(&profile)) profile.confirmed = true;
}

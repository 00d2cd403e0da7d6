// The profile editor's handlers: filling the dialog from the profile, the title mirrored in
// the caption, the mode buttons, Ok, Cancel, Escape and "Get System Settings".
#include <string>

#include "adapters/reg.h"
#include "profiles/hotkey.h"
#include "adapters/shownaddress.h"
#include "adapters/wmiworks.h"
#include "core/dispatch.h"
#include "core/messagebox.h"
#include "profiles/iprofile.h"
#include "profiles/profedit.h"

bool TForm2::Editing(const Tprofile& profile) const { return Modal() && EditedProfile == &profile; }

namespace {
// A value of where the profile belongs, without the blanks around it.
std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}
}  // namespace

void TForm2::ProfileRemoved(const Tprofile& profile)
{
    if (EditedProfile == &profile) EditedProfile = nullptr;
}

void TForm2::FormCreate() {}

void TForm2::FormShow()
{
    if (EditedProfile != nullptr) {
        const Tprofile& profile = *EditedProfile;
        proftitle->SetText(profile.name);
        SetText(profile.name);
        ip->SetText(profile.ip);
        mask->SetText(profile.mask);
        gw->SetText(profile.gw);
        dns1->SetText(profile.dns1);
        dns2->SetText(profile.dns2);
        // Checking one unchecks the other.
        if (profile.dhcp) {
            RadioButton1->SetChecked(true);
        } else {
            RadioButton2->SetChecked(true);
        }
        const std::optional<HotKey> hotKey = HotKeyFromText(profile.hotkey);
        HotKey1->SetValue(hotKey ? ControlValueOf(*hotKey) : 0);
        wifiName->SetText(profile.location.wifiName);
        gatewayMac->SetText(profile.location.gatewayMac);
        dhcpServer->SetText(profile.location.dhcpServer);
        dnsSuffix->SetText(profile.location.dnsSuffix);
        profileid->SetCaption(std::to_string(profile.id));
        profileidTag = profile.id;
    }
    // The window is not yet active here: the activation hands the focus on to the title.
    SetActiveControl(proftitle->Handle());
    proftitle->SetFocus();
}

bool TForm2::FormShortCut(WORD key)
{
    // Escape closes as Cancel whatever Shift, Ctrl or Alt is held with it.
    if (key != VK_ESCAPE) return false;
    Close();
    return true;
}

void TForm2::proftitleEnter() {}

void TForm2::proftitleExit() { SetText(proftitle->Text()); }

void TForm2::proftitleKeyUp(WORD) { SetText(proftitle->Text()); }

void TForm2::RadioButton1Click() { RadioButton2->SetChecked(false); }

void TForm2::RadioButton2Click() { RadioButton1->SetChecked(false); }

void TForm2::Button1Click()
{
    if (EditedProfile != nullptr) {
        Tprofile& profile = *EditedProfile;
        // One key applies one profile: a key another profile has is named, and not taken.
        const std::string hotkey = EditedHotKey(profile.hotkey);
        if (const Tprofile* other = ProfileWithHotKey(hotkey, profile)) {
            ShowMessageBox(Handle(),
                           hotkey + " is the shortcut key of \"" + other->Caption() + "\": choose another, or none.",
                           "Velmora", MB_OK | MB_ICONWARNING);
            HotKey1->SetFocus();
            return;
        }
        profile.ip = NormaliseAddressText(ip->Text());
        profile.mask = NormaliseAddressText(mask->Text());
        profile.gw = NormaliseAddressText(gw->Text());
        profile.dns1 = NormaliseAddressText(dns1->Text());
        profile.dns2 = NormaliseAddressText(dns2->Text());
        profile.name = proftitle->Text();  // as typed, not trimmed
        profile.dhcp = RadioButton1->Checked();
        profile.hotkey = EditedHotKey(profile.hotkey);
        profile.location = {Trimmed(wifiName->Text()), Trimmed(gatewayMac->Text()), Trimmed(dhcpServer->Text()),
                            Trimmed(dnsSuffix->Text())};
        profile.SetCaption(CaptionOf(profile));
    }
    SetModalResult(mrOk);
}

void TForm2::Button2Click() { SetModalResult(mrCancel); }

void TForm2::UseHere1Click()
{
    if (!readPlace) return;
    // The reading takes a moment; it fills the fields if the editor still shows this profile.
    readPlace([this, shown = EditedProfile](const NetworkPlace& place) {
        if (!Visible() || EditedProfile != shown) return;
        if (place.Empty()) {
            ShowMessageBox(Handle(), "The chosen adapter is on no network that Velmora can tell.", "Velmora",
                           MB_OK | MB_ICONINFORMATION);
            return;
        }
        wifiName->SetText(place.wifiName);
        gatewayMac->SetText(place.gatewayMac);
        dhcpServer->SetText(place.dhcpServer);
        dnsSuffix->SetText(place.dnsSuffix);
    });
}

const Tprofile* TForm2::ProfileWithHotKey(const std::string& hotkey, const Tprofile& edited)
{
    const std::optional<HotKey> wanted = HotKeyFromText(hotkey);
    for (int i = 0; wanted && ProfileList != nullptr && i < ProfileList->Count(); ++i) {
        const Tprofile& other = ProfileAt(*ProfileList, i);
        if (&other != &edited && other.confirmed && HotKeyFromText(other.hotkey) == wanted) return &other;
    }
    return nullptr;
}

std::string TForm2::EditedHotKey(const std::string& kept) const
{
    if (const std::optional<HotKey> typed = HotKeyFromControlValue(HotKey1->Value())) return HotKeyText(*typed);
    // The control cannot show a key with the Windows key, set in the file by hand: it stays.
    const std::optional<HotKey> stored = HotKeyFromText(kept);
    return stored && (stored->modifiers & MOD_WIN) != 0 ? kept : std::string();
}

void TForm2::Button3Click()
{
    if (!EditorAdapter.HoldsObject()) return;
    const std::string settingId = VariantText(GetMember(EditorAdapter, L"SettingID").get());
    // The settings stored in the registry come first; WMI's live ones only when there are none.
    // One address each: laid out whole, a list such as "10.1.1.5 fe80::1" would put the start
    // of its second element into the last group (10.1.1.5f).
    if (const tadapter* stored = FindAdapterBySettingID(settingId)) {
        const AdapterAddress shown = ShownAddress(stored, EditorAdapter);
        ip->SetText(shown.address);
        dns1->SetText(stored->Dns1);
        dns2->SetText(stored->Dns2);
        gw->SetText(shown.gateway);
        mask->SetText(shown.mask);
        return;
    }
    ip->SetText(FirstIPv4Element(GetMember(EditorAdapter, L"IPAddress")));
    // A DNS field that gets no server keeps its text; a Null list leaves both.
    if (const auto servers = VariantToStringList(GetMember(EditorAdapter, L"DNSServerSearchOrder"))) {
        if (servers->size() >= 1) dns1->SetText((*servers)[0]);
        if (servers->size() >= 2) dns2->SetText((*servers)[1]);
    }
    gw->SetText(FirstIPv4Element(GetMember(EditorAdapter, L"DefaultIPGateway")));
    mask->SetText(FirstIPv4Element(GetMember(EditorAdapter, L"IPSubnet")));
}

// The Network Configuration tab: the picture, the description with its link to the Profiles
// tab, the adapter selector, and the chosen adapter's property list under its header strip;
// the details refresh that fills them, the Profiles tab's current details and the tray hint;
// and the property list's settings as "Apply Changes" sends them (mainform_changes.cpp).
#include "app/mainformunit.h"

#include <oaidl.h>
#include <wrl/client.h>

#include <exception>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "adapters/configure.h"
#include "adapters/reg.h"
#include "adapters/shownaddress.h"
#include "adapters/wmiworks.h"
#include "app/adaptermemory.h"
#include "core/check.h"
#include "core/dispatch.h"
#include "core/messagebox.h"
#include "resources/resource.h"
#include "tray/trayicon.h"
#include "ui/cursor.h"

namespace {
// Rows of the property list, top to bottom. The header strip lies over the first one.
constexpr char kSpacerKey[] = " ";
constexpr char kMacAddressKey[] = "MACAddress";
constexpr char kDhcpKey[] = "DHCP";
constexpr char kIpAddressKey[] = "IP Address";
constexpr char kSubnetMaskKey[] = "IP Subnet Mask";
constexpr char kGatewaysKey[] = "Default Gateways";
constexpr char kDnsServersKey[] = "DNS Servers";

std::string PropertyText(const Variant& object, const wchar_t* name) { return VariantToText(GetMember(object, name)); }

bool PropertyIsTrue(const Variant& object, const wchar_t* name)
{
    const Variant value = GetMember(object, name);
    if (value.Type() == VT_BOOL) return value.get().boolVal != VARIANT_FALSE;
    return VariantInt(value.get()) != 0;
}

std::string EnabledText(bool enabled) { return enabled ? "Enabled" : "Disabled"; }

// One address as VariantToText writes a list of one: followed by a space.
std::string AsListed(const std::string& address) { return address.empty() ? address : address + " "; }

bool SameTextIgnoringCase(const std::string& a, const std::string& b)
{
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_EQUAL;
}

// A property's text or number, none when it cannot be read: a configuration that will not
// say what it is still gets its place in the selector, as "Error".
std::optional<std::string> TryPropertyText(const Variant& object, const wchar_t* name)
{
    const std::optional<Variant> value = NoneOnFailure([&] { return GetMember(object, name); });
    if (!value) return std::nullopt;
    return value->IsArray() ? VariantToText(*value) : TryVariantText(value->get());
}

std::optional<int32_t> TryPropertyInt(const Variant& object, const wchar_t* name)
{
    const std::optional<Variant> value = NoneOnFailure([&] { return GetMember(object, name); });
    return value ? TryVariantInt(value->get()) : std::nullopt;
}

// The configuration's SettingID, or empty when it cannot be read: remembering the chosen
// adapter is a convenience and never fails a refresh or a choice.
std::string SettingIdOf(const Variant& configuration)
{
    return TryPropertyText(configuration, L"SettingID").value_or("");
}

// The chosen adapter's settings, each row read as it is added: a read that fails ends the
// fill and leaves the rows before it. The selector's change handler fills it without "DHCP".
void FillPropertyList(TValueListEditor& list, const Variant& adapter, bool withDhcp)
{
    list.Clear();
    list.AddRow(kSpacerKey, " ");
    list.AddRow(kMacAddressKey, PropertyText(adapter, L"MACAddress"), true);
    if (withDhcp) list.AddRow(kDhcpKey, EnabledText(PropertyIsTrue(adapter, L"DHCPEnabled")));
    list.AddRow(kIpAddressKey, PropertyText(adapter, L"IPAddress"));
    list.AddRow(kSubnetMaskKey, PropertyText(adapter, L"IPSubnet"));
    list.AddRow(kGatewaysKey, PropertyText(adapter, L"DefaultIPGateway"));
    list.AddRow(kDnsServersKey, PropertyText(adapter, L"DNSServerSearchOrder"));
}

// IPv6 entries (and the prefix lengths such as "64" WMI lists after the masks) are not the
// IPv4 methods' to take: sent back unedited they would make the adapter refuse the row.
bool IsIpv6Entry(const std::string& element)
{
    return element.find(':') != std::string::npos || element.find_first_not_of("0123456789") == std::string::npos;
}

// A row's text as the adapter takes it: one element per IPv4 address (the refresh puts a
// space after each). A row with no address is one empty element, which the gateway call
// skips and the DNS call sends as no list.
std::vector<std::string> AddressElements(const std::string& text)
{
    std::vector<std::string> elements;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        if (end > start && !IsIpv6Entry(text.substr(start, end - start)))
            elements.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (elements.empty()) elements.emplace_back();
    return elements;
}

// The Profiles tab's current details and the tray tip as one refresh leaves them: each row
// and the tip is written once, with the last value the refresh gave it.
class DetailsWrite {
public:
    void Set(const std::string& key, const std::string& value)
    {
        for (auto& row : m_rows) {
            if (row.first == key) {
                row.second = value;
                return;
            }
        }
        m_rows.emplace_back(key, value);
    }
    void SetTip(const std::string& tip) { m_tip = tip; }
    void WriteTo(TValueListEditor& details, TTrayIcon& tray) const
    {
        for (const auto& [key, value] : m_rows)
            details.SetValues(key, value);
        if (m_tip) tray.SetHint(*m_tip);
    }

private:
    std::vector<std::pair<std::string, std::string>> m_rows;
    std::optional<std::string> m_tip;
};

void ReadDetails(DetailsWrite& details, const Variant& adapter, const tadapter* stored)
{
    // One address, mask and gateway, the first IPv4 ones, written as a one-element list is
    // (with its space); the DNS list stays whole.
    const AdapterAddress live = ShownAddress(nullptr, adapter);
    details.Set("DNS:", PropertyText(adapter, L"DNSServerSearchOrder"));
    details.Set("GW:", AsListed(live.gateway));
    details.Set("Mask:", AsListed(live.mask));
    details.Set("IP:", AsListed(live.address));
    details.Set("DHCP:", EnabledText(PropertyIsTrue(adapter, L"DHCPEnabled")));
    details.Set("Card:", PropertyText(adapter, L"ServiceName"));

    details.SetTip("VMR. IP:" + AsListed(live.address));

    // What Windows stores for the adapter stands before the live values, except in the
    // property list (and a DHCP adapter's lease before its stored 0.0.0.0).
    if (stored == nullptr) return;
    const AdapterAddress shown = ShownAddress(stored, adapter);
    details.SetTip("VMR. IP:" + shown.address);
    details.Set("IP:", shown.address);
    details.Set("DNS:", stored->Dns1 + " " + stored->Dns2);
    details.Set("GW:", shown.gateway);
    details.Set("Mask:", shown.mask);
    details.Set("DHCP:", EnabledText(stored->DhcpEnabled == 1));
}
}  // namespace

void TForm1::BuildNetworkConfigurationTab()
{
    TWinControl* page = &PageControl1->Page(kNetworkConfigurationTab);
    Image1 = std::make_unique<TPicture>(
        PictureArgs{page, {40, 1, 73, 57}, IDB_NETWORK, RGB(255, 255, 255), IDB_NETWORK_150, IDB_NETWORK_200});
    GroupBox2 = std::make_unique<TGroupBox>(GroupBoxArgs{page, {8, 64, 129, 233}, "Description"});

    LabelArgs description;
    description.parent = GroupBox2.get();
    description.bounds = {8, 16, 113, 209};
    description.autoSize = false;
    Label16 = std::make_unique<TLabel>(description);

    LabelArgs link;
    link.parent = GroupBox2.get();
    link.bounds = {8, 172, 0, 0};  // over its words in the description (PlaceProfilesLink)
    link.caption = "Profiles Tab";
    Label22 = std::make_unique<TLinkLabel>(link);
    Label22->onClick = [this] { Label22Click(); };
    // The link lies over the description's last paragraph and must stay clickable.
    Label22->BringToFront();

    // The frame's children are placed relative to it (the frame is at 144, 0 on the page).
    GroupBox1 = std::make_unique<TGroupBox>(GroupBoxArgs{page, {144, 0, 337, 297}, "&Network Connection Details"});
    TWinControl* frame = GroupBox1.get();

    ComboBoxArgs selector;
    selector.parent = frame;
    selector.bounds = {8, 20, 321, 21};
    selector.dropDownCount = 6;
    ComboBox1 = std::make_unique<TComboBox>(selector);
    ComboBox1->onChange = [this] { ComboBox1Change(); };

    // Made before the grid, so it lies above the grid's first row.
    HeaderControl1 =
        std::make_unique<THeaderControl>(HeaderArgs{.parent = frame, .bounds = {10, 49, 317, 20}, .borderWidth = 1});
    HeaderControl1->AddSection("Property", 150);
    HeaderControl1->AddSection("Value", 10000);

    ValueListArgs properties;
    properties.parent = frame;
    properties.bounds = {8, 48, 321, 241};
    properties.keyColumnWidth = 150;
    proplist = std::make_unique<TValueListEditor>(properties);

    // The keyboard reaches the description's link, low on the left, after the selector and grid.
    GroupBox2->SendToBack();

    HeaderControl1->onSectionResize = [this](int section) { HeaderControl1SectionResize(section); };
    HeaderControl1->onResize = [this] { HeaderControl1Resize(); };
}

void TForm1::SetDescriptionText()
{
    // Paragraphs are separated the way the text was designed: line feed, carriage return, twice.
    Label16->SetWordWrap(true);
    Label16->SetCaption("Select The Network adapter you want to use by default.\n\r\n\r"
                        "Please note: All profile settings will be applied to the selected Network Adapter.\n\r\n\r"
                        "Tip: If proper Adapter already selected you can go directly to the Profiles Tab to manage "
                        "your network settings and profiles.");
    PlaceProfilesLink();
}

void TForm1::PlaceProfilesLink()
{
    // The link lies over its own words in the description, wherever the font wraps them; when
    // the wrap would split them, they begin a line of their own.
    const std::string linkText = Label22->Text();
    std::string text = Label16->Text();
    size_t begin = text.find(linkText);
    if (begin == std::string::npos) return;
    std::optional<POINT> place = Label16->TextPosition(begin, begin + linkText.size());
    if (!place && begin > 0 && text[begin - 1] == ' ') {
        text[begin - 1] = '\n';
        Label16->SetCaption(text);
        place = Label16->TextPosition(begin, begin + linkText.size());
    }
    if (!place) return;
    const Bounds description = Label16->GetBounds();
    Bounds bounds = Label22->GetBounds();
    bounds.left = description.left + place->x;
    bounds.top = description.top + place->y;
    Label22->SetBounds(bounds);
}

bool TForm1::WaitingForWindows() const
{
    // The connection's own continuation refreshes before requests stop waiting.
    return Changes->GetState() == ChangeController::State::WaitingForWindows && !WmiServices.HoldsObject();
}

void TForm1::refreshdata()
{
    // Until WMI answers there is nothing to query: the selector says so.
    if (WaitingForWindows()) {
        ComboBox1->ClearItems();
        ComboBox1->AddItem("Waiting for Windows...");
        ComboBox1->SetItemIndex(0);
        return;
    }
    // The query follows "Show only IP Enabled" on the General tab.
    IpEnabledOnly = CheckBox1->Checked();
    AdapterCollection = QueryAdapterConfigurations(WmiServices, IpEnabledOnly);
    BuildAdapterList();

    // With nothing chosen yet (the first refresh), the adapter the user chose in an earlier
    // run is chosen again when it is listed.
    const std::string remembered = SelectedAdapterIndex == -1 ? RememberedAdapter() : std::string();
    std::optional<int32_t> rememberedIndex;

    // One entry per configuration, its description or "Error"; the table holds the Index
    // listed at each position (0 for "Error").
    ComboBox1->ClearItems();
    std::vector<int32_t> positions;
    ForEachConfiguration(AdapterCollection, [&](const Variant& configuration) {
        const std::optional<std::string> description = TryPropertyText(configuration, L"Description");
        const std::optional<int32_t> index = description ? TryPropertyInt(configuration, L"Index") : std::nullopt;
        if (!index) {
            ComboBox1->AddItem("Error");
            positions.push_back(0);
            return;
        }
        ComboBox1->AddItem(*description);
        positions.push_back(*index);
        if (SelectedAdapterIndex == -1) SelectedAdapterIndex = *index;
        if (!remembered.empty() && !rememberedIndex && SameTextIgnoringCase(SettingIdOf(configuration), remembered))
            rememberedIndex = *index;
    });
    if (rememberedIndex) SelectedAdapterIndex = *rememberedIndex;

    // The chosen adapter, or else the one listed first; with none, everything else keeps
    // what it showed.
    Variant adapter = FindAdapterConfiguration(AdapterCollection, SelectedAdapterIndex);
    if (!adapter.HoldsObject()) {
        SelectedAdapterIndex = positions.empty() ? 0 : positions.front();
        adapter = FindAdapterConfiguration(AdapterCollection, SelectedAdapterIndex);
        if (ComboBox1->ItemCount() > 0) ComboBox1->SetItemIndex(0);
    }
    if (!adapter.HoldsObject()) return;

    // The stored settings belong to the adapter list, which nothing rebuilds before they are
    // used below.
    const tadapter* stored = FindAdapterBySettingID(PropertyText(adapter, L"SettingID"));
    if (ComboBox1->ItemCount() == 0) return;

    // The first position that lists the chosen adapter, or no entry.
    int selected = -1;
    for (size_t position = 0; position < positions.size() && position <= 1000; ++position) {
        if (positions[position] == SelectedAdapterIndex) {
            selected = static_cast<int>(position);
            break;
        }
    }
    ComboBox1->SetItemIndex(selected);

    FillPropertyList(*proplist, adapter, true);

    // A read that fails ends the refresh; the details read before it are still shown.
    DetailsWrite details;
    try {
        ReadDetails(details, adapter, stored);
    } catch (...) {
        details.WriteTo(*Profiles->ValueListEditor2, *TrayIcon1);
        throw;
    }
    details.WriteTo(*Profiles->ValueListEditor2, *TrayIcon1);
}

void TForm1::ComboBox1Change()
{
    if (WaitingForWindows()) return;
    // The last query's result, no new one; the last configuration described so wins.
    const std::string chosen = ComboBox1->ChosenText();
    bool named = false;
    ForEachConfiguration(AdapterCollection, [&](const Variant& configuration) {
        const std::optional<std::string> description = TryPropertyText(configuration, L"Description");
        if (description && !SameTextIgnoringCase(*description, chosen)) return;
        // A configuration that cannot say its description or Index chooses none.
        const std::optional<int32_t> index = description ? TryPropertyInt(configuration, L"Index") : std::nullopt;
        SelectedAdapterIndex = index.value_or(0);
        named = index.has_value();
    });
    const Variant adapter = FindAdapterConfiguration(AdapterCollection, SelectedAdapterIndex);
    if (!adapter.HoldsObject()) return;
    // Only an adapter the user named is kept for the next start: text that names none leaves
    // the earlier choice, which may only be missing from this run's list.
    if (named) {
        const std::string settingId = SettingIdOf(adapter);
        if (!settingId.empty()) RememberAdapter(settingId);
    }
    // The current details and the tray hint stay as the last refresh left them.
    FillPropertyList(*proplist, adapter, false);
    Places->AdapterChosen();
}

void TForm1::HeaderControl1SectionResize(int) { HeaderControl1Resize(); }

void TForm1::HeaderControl1Resize()
{
    // The strip reports its first size while it is being made, before the grid exists.
    if (!proplist) return;
    proplist->SetKeyColumnWidth(HeaderControl1->SectionWidth(0));
    HeaderControl1->SetSectionWidth(1, proplist->ValueColumnWidth());
}

PreparedChange TForm1::PrepareDetails(const ChangeAsk& ask)
{
    ChangeRequest request;
    request.kind = ChangeRequest::Kind::Details;
    request.title = "Apply Changes";
    request.trigger = ask.trigger;
    request.adapterIndex = ask.adapterIndex;
    request.details = ask.details;
    const Variant adapter = FindAdapterConfiguration(AdapterCollection, ask.adapterIndex);
    if (adapter.HoldsObject()) {
        request.settingId = SettingIdOf(adapter);
        request.adapterName = TryPropertyText(adapter, L"Description").value_or("");
    }
    return {request, {}};
}

DetailSettings TForm1::PropertyListSettings() const
{
    DetailSettings settings;
    settings.gateways = AddressElements(proplist->Values(kGatewaysKey));
    settings.addresses = AddressElements(proplist->Values(kIpAddressKey));
    settings.masks = AddressElements(proplist->Values(kSubnetMaskKey));
    settings.servers = AddressElements(proplist->Values(kDnsServersKey));
    return settings;
}

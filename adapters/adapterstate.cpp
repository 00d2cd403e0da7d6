#include "adapters/adapterstate.h"

#include "adapters/addresstext.h"
#include "adapters/wiretext.h"
#include "adapters/wmiworks.h"
#include "core/dispatch.h"
#include "core/text.h"

namespace {
std::vector<std::string> ListOf(const Variant& object, const wchar_t* member)
{
    return VariantToStringList(GetMember(object, member)).value_or(std::vector<std::string>());
}

bool TrueProperty(const Variant& object, const wchar_t* member)
{
    const Variant value = GetMember(object, member);
    if (value.Type() == VT_BOOL) return value.get().boolVal != VARIANT_FALSE;
    return VariantInt(value.get()) != 0;
}

std::string Joined(const std::vector<std::string>& values)
{
    return JoinedBy(values, ' ', [](const std::string& value) { return value; });
}

std::string StoredText(const StoredGateway& stored)
{
    if (!stored.known) return "-";
    if (!stored.present) return "none";
    return std::to_string(stored.data.type) + ":" + HexEncode(stored.data.bytes);
}

std::optional<StoredGateway> StoredFromText(const std::string& text)
{
    StoredGateway stored;
    if (text == "-") return stored;
    stored.known = true;
    if (text == "none") return stored;
    const size_t colon = text.find(':');
    if (colon == std::string::npos) return std::nullopt;
    const std::optional<int32_t> type = DecodeInt(text.substr(0, colon));
    const std::optional<std::string> bytes = HexDecode(text.substr(colon + 1));
    if (!type || *type < 0 || !bytes) return std::nullopt;
    stored.present = true;
    stored.data.type = static_cast<DWORD>(*type);
    stored.data.bytes = *bytes;
    return stored;
}
}  // namespace

bool AdapterConfiguration::operator==(const AdapterConfiguration& other) const
{
    return dhcp == other.dhcp && addresses == other.addresses && masks == other.masks && gateways == other.gateways &&
           metrics == other.metrics && dnsServers == other.dnsServers && dnsByHand == other.dnsByHand &&
           storedGateway.known == other.storedGateway.known && storedGateway.present == other.storedGateway.present &&
           storedGateway.data.type == other.storedGateway.data.type &&
           storedGateway.data.bytes == other.storedGateway.data.bytes;
}

bool SameSettings(const AdapterConfiguration& a, const AdapterConfiguration& b)
{
    if (a.dhcp != b.dhcp || a.dnsByHand != b.dnsByHand) return false;
    if (a.dnsByHand && a.dnsServers != b.dnsServers) return false;
    return a.dhcp || (a.addresses == b.addresses && a.masks == b.masks && a.gateways == b.gateways);
}

AdapterConfiguration ReadAdapterConfiguration(const Variant& adapter)
{
    AdapterConfiguration configuration;
    configuration.dhcp = TrueProperty(adapter, L"DHCPEnabled");
    // WMI pairs the lists by position: each address with the mask (or IPv6 prefix length) at
    // the same place, each gateway with its metric.
    const std::vector<std::string> addresses = ListOf(adapter, L"IPAddress");
    const std::vector<std::string> masks = ListOf(adapter, L"IPSubnet");
    for (size_t i = 0; i < addresses.size(); ++i) {
        if (!IsIPv4Text(addresses[i])) continue;
        configuration.addresses.push_back(addresses[i]);
        configuration.masks.push_back(i < masks.size() ? masks[i] : std::string());
    }
    const std::vector<std::string> gateways = ListOf(adapter, L"DefaultIPGateway");
    const std::vector<std::string> metrics = ListOf(adapter, L"GatewayCostMetric");
    for (size_t i = 0; i < gateways.size(); ++i) {
        if (!IsIPv4Text(gateways[i])) continue;
        configuration.gateways.push_back(gateways[i]);
        configuration.metrics.push_back(i < metrics.size() ? DecodeInt(metrics[i]).value_or(1) : 1);
    }
    configuration.dnsServers = ListOf(adapter, L"DNSServerSearchOrder");
    // Without the registry's word, servers on a static adapter can only have been set by hand.
    configuration.dnsByHand = !configuration.dhcp && !configuration.dnsServers.empty();
    return configuration;
}

void AddStoredSettings(AdapterConfiguration& configuration, const tadapter* stored)
{
    if (stored == nullptr) return;
    configuration.dnsByHand = !stored->Dns1.empty();
    configuration.storedGateway = ReadStoredGateway(stored);
}

std::optional<std::string> LeasedAddress(const AdapterConfiguration& configuration)
{
    if (configuration.addresses.empty()) return std::nullopt;
    const std::string& address = configuration.addresses.front();
    if (address == "0.0.0.0" || address.rfind("169.254.", 0) == 0) return std::nullopt;
    return address;
}

std::string DescribeConfiguration(const AdapterConfiguration& configuration)
{
    std::string text;
    if (configuration.dhcp) {
        text = "DHCP";
        if (const std::optional<std::string> leased = LeasedAddress(configuration)) text += ", " + *leased;
    } else {
        for (size_t i = 0; i < configuration.addresses.size(); ++i) {
            if (i != 0) text += ' ';
            text += configuration.addresses[i] + "/" + configuration.masks[i];
        }
        if (text.empty()) text = "no address";
    }
    if (!configuration.gateways.empty()) text += ", gateway " + Joined(configuration.gateways);
    if (!configuration.dnsServers.empty()) text += ", DNS " + Joined(configuration.dnsServers);
    return text;
}

std::string ShortDescription(const AdapterConfiguration& configuration)
{
    if (configuration.dhcp) return "DHCP";
    return configuration.addresses.empty() ? std::string("no address") : configuration.addresses.front();
}

std::vector<std::string> ConfigurationLines(const AdapterConfiguration& configuration)
{
    std::vector<std::string> metrics;
    for (const int32_t metric : configuration.metrics)
        metrics.push_back(std::to_string(metric));
    return {
        std::string("dhcp=") + (configuration.dhcp ? "1" : "0"),
        "addresses=" + EncodeList(configuration.addresses),
        "masks=" + EncodeList(configuration.masks),
        "gateways=" + EncodeList(configuration.gateways),
        "metrics=" + EncodeList(metrics),
        "servers=" + EncodeList(configuration.dnsServers),
        std::string("byhand=") + (configuration.dnsByHand ? "1" : "0"),
        "stored=" + StoredText(configuration.storedGateway),
    };
}

std::optional<AdapterConfiguration> ConfigurationFromLines(const std::vector<std::string>& lines)
{
    const std::vector<std::string> expected = ConfigurationLines({});
    if (lines.size() != expected.size()) return std::nullopt;
    std::vector<std::string> values;
    for (size_t i = 0; i < lines.size(); ++i) {
        // The keys in their order, each once.
        const std::string key = expected[i].substr(0, expected[i].find('=') + 1);
        if (lines[i].rfind(key, 0) != 0) return std::nullopt;
        values.push_back(lines[i].substr(key.size()));
    }
    AdapterConfiguration configuration;
    const std::optional<bool> dhcp = DecodeFlag(values[0], "1", "0");
    const auto addresses = DecodeList(values[1]);
    const auto masks = DecodeList(values[2]);
    const auto gateways = DecodeList(values[3]);
    const auto metrics = DecodeList(values[4]);
    const auto servers = DecodeList(values[5]);
    const std::optional<bool> byHand = DecodeFlag(values[6], "1", "0");
    const std::optional<StoredGateway> stored = StoredFromText(values[7]);
    if (!dhcp || !addresses || !masks || !gateways || !metrics || !servers || !byHand || !stored) return std::nullopt;
    if (masks->size() != addresses->size() || metrics->size() != gateways->size()) return std::nullopt;
    configuration.dhcp = *dhcp;
    configuration.addresses = *addresses;
    configuration.masks = *masks;
    configuration.gateways = *gateways;
    for (const std::string& metric : *metrics) {
        const std::optional<int32_t> value = DecodeInt(metric);
        if (!value) return std::nullopt;
        configuration.metrics.push_back(*value);
    }
    configuration.dnsServers = *servers;
    configuration.dnsByHand = *byHand;
    configuration.storedGateway = *stored;
    return configuration;
}

#include "adapters/configure.h"

#include <optional>
#include <vector>

#include "adapters/reg.h"
#include "adapters/wmiworks.h"

bool ConfigurationAccepted(int32_t code) { return code == 0 || code == 1; }

namespace {
// What was sent before a refused call stays.
ConfigurationRefusal SendProfileSettings(const Variant& adapter, const ProfileSettings& settings)
{
    if (settings.dhcp) {
        const int32_t code = AdapterEnableDHCP(adapter);
        return ConfigurationAccepted(code) ? ConfigurationRefusal{} : ConfigurationRefusal{kAddressStep, code};
    }
    tIPSettings address{TextArray({settings.ip}), TextArray({settings.mask})};
    const int32_t staticCode = AdapterEnableStatic(adapter, address);
    // 81: Windows says so when the adapter was static already, and makes the change all the same.
    if (!ConfigurationAccepted(staticCode) && staticCode != 81) return {kAddressStep, staticCode};

    tGWSettings gateway{TextArray({settings.gw}), IntArray({1})};
    const int32_t gatewayCode = AdapterSetGateways(adapter, gateway);
    if (!ConfigurationAccepted(gatewayCode)) return {kGatewayStep, gatewayCode};

    std::string dns1 = settings.dns1;
    std::string dns2 = settings.dns2;
    MoveLoneAlternateServerUp(dns1, dns2);
    std::vector<std::string> servers{dns1};
    if (!dns2.empty()) servers.push_back(dns2);
    const int32_t dnsCode = AdapterSetDnsServers(adapter, tDNSsettings{TextArray(servers)});
    if (!ConfigurationAccepted(dnsCode)) return {kDnsStep, dnsCode};
    return {};
}
}  // namespace

ConfigurationRefusal ApplyProfileSettings(const Variant& adapter, const std::string& settingId,
                                          const ProfileSettings& settings)
{
    // The stored gateway list is emptied first, for DHCP profiles too: a gateway left there
    // from an earlier static setting would come back with the next start of the adapter.
    // A change refused at its first call puts it back, or the adapter would lose its gateway
    // at the next restart without having taken anything. Once a call has changed the adapter,
    // the list is what Windows holds for the new settings (SetGateWays writes it), and an
    // earlier profile's gateway put back would come up with the new address. A copy of the
    // record: a refresh in a nested message loop rebuilds the adapter list.
    const tadapter* found = FindAdapterBySettingID(settingId);
    const std::optional<tadapter> stored = found != nullptr ? std::optional<tadapter>(*found) : std::nullopt;
    const tadapter* record = stored ? &*stored : nullptr;
    const StoredGateway previousGateway = ReadStoredGateway(record);
    if (record != nullptr) WriteDefaultGateway(record, tGWSettings{});
    const ConfigurationRefusal refusal = SendProfileSettings(adapter, settings);
    if (refusal.step == kAddressStep) RestoreStoredGateway(record, previousGateway);
    return refusal;
}

std::vector<int> ConfigurationSteps(const ProfileSettings& settings)
{
    if (settings.dhcp) return {kAddressStep};
    if (settings.gw.empty()) return {kAddressStep, kDnsStep};
    return {kAddressStep, kGatewayStep, kDnsStep};
}

std::string ConfigurationStepName(const ProfileSettings& settings, int step)
{
    switch (step) {
    case kAddressStep: return settings.dhcp ? "Obtain an address automatically (DHCP)" : "IP address and subnet mask";
    case kGatewayStep: return "Default gateway";
    case kDnsStep: return "DNS servers";
    default: return {};
    }
}

bool DnsServersSent(const ProfileSettings& settings, const ConfigurationRefusal& refusal)
{
    return !settings.dhcp && (!refusal || refusal.step == kDnsStep);
}

void MoveLoneAlternateServerUp(std::string& dns1, std::string& dns2)
{
    if (!dns1.empty() || dns2.empty()) return;
    dns1 = std::move(dns2);
    dns2.clear();
}

DetailResults SendDetailSettings(const Variant& adapter, const DetailSettings& settings)
{
    tGWSettings gateways{TextArray(settings.gateways), IntArray(std::vector<int32_t>(settings.gateways.size(), 1))};
    DetailResults results;
    results.gateways = AdapterSetGateways(adapter, gateways);
    results.address =
        AdapterEnableStatic(adapter, tIPSettings{TextArray(settings.addresses), TextArray(settings.masks)});
    // SetGateways works on a static adapter only (64 on DHCP, Win32_NetworkAdapterConfiguration's
    // SetGateways page): once EnableStatic has made the adapter static, the gateways go again.
    if (results.gateways == 64 && (ConfigurationAccepted(results.address) || results.address == 81))
        results.gateways = AdapterSetGateways(adapter, gateways);
    results.servers = AdapterSetDnsServers(adapter, tDNSsettings{TextArray(settings.servers)});
    return results;
}

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
        return ConfigurationAccepted(code) ? ConfigurationRefusal{} : ConfigurationRefusal{1, code};
    }
    tIPSettings address{TextArray({settings.ip}), TextArray({settings.mask})};
    const int32_t staticCode = AdapterEnableStatic(adapter, address);
    // 81: Windows says so when the adapter was static already, and makes the change all the same.
    if (!ConfigurationAccepted(staticCode) && staticCode != 81) return {1, staticCode};

    tGWSettings gateway{TextArray({settings.gw}), IntArray({1})};
    const int32_t gatewayCode = AdapterSetGateways(adapter, gateway);
    if (!ConfigurationAccepted(gatewayCode)) return {2, gatewayCode};

    std::vector<std::string> servers{settings.dns1};
    if (!settings.dns2.empty()) servers.push_back(settings.dns2);
    const int32_t dnsCode = AdapterSetDnsServers(adapter, tDNSsettings{TextArray(servers)});
    if (!ConfigurationAccepted(dnsCode)) return {3, dnsCode};
    return {};
}
}  // namespace

ConfigurationRefusal ApplyProfileSettings(const Variant& adapter, const std::string& settingId,
                                          const ProfileSettings& settings)
{
    // The stored gateway list is emptied first, for DHCP profiles too: a gateway left there
    // from an earlier static setting would come back with the next start of the adapter.
    // A refused change puts it back, or the adapter would lose its gateway at the next
    // restart without having taken the profile. A copy of the record: a refresh in a nested
    // message loop rebuilds the adapter list.
    const tadapter* found = FindAdapterBySettingID(settingId);
    const std::optional<tadapter> stored = found != nullptr ? std::optional<tadapter>(*found) : std::nullopt;
    const tadapter* record = stored ? &*stored : nullptr;
    const StoredGateway previousGateway = ReadStoredGateway(record);
    if (record != nullptr) WriteDefaultGateway(record, tGWSettings{});
    const ConfigurationRefusal refusal = SendProfileSettings(adapter, settings);
    if (refusal) RestoreStoredGateway(record, previousGateway);
    return refusal;
}

std::string RefusedCallName(const ProfileSettings& settings, const ConfigurationRefusal& refusal)
{
    switch (refusal.step) {
    case 1: return settings.dhcp ? "Obtain an address automatically (DHCP)" : "IP address and subnet mask";
    case 2: return "Default gateway";
    case 3: return "DNS servers";
    default: return {};
    }
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

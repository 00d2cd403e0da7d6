#include "adapters/configure.h"

#include <optional>
#include <vector>

#include "adapters/reg.h"
#include "adapters/wmiworks.h"

bool ConfigurationAccepted(int32_t code) { return code == 0 || code == 1; }

ConfigurationRefusal SendProfileSettings(const Variant& adapter, const ProfileSettings& settings)
{
    if (settings.dhcp) {
        const int32_t code = AdapterEnableDHCP(adapter);
        if (!ConfigurationAccepted(code)) return {kAddressStep, code};
        // A DHCP profile takes the whole configuration from DHCP, its DNS servers too; Windows
        // keeps servers set by hand through EnableDHCP, and a call without a list hands them
        // back ("setDNSServerSearchOrder method of the Win32_NetworkAdapterConfiguration class").
        const int32_t dns = AdapterSetDnsServers(adapter, tDNSsettings{TextArray({std::string()})});
        if (!ConfigurationAccepted(dns)) return {kDnsStep, dns};
        return {};
    }
    tIPSettings address{TextArray({settings.ip}), TextArray({settings.mask})};
    const int32_t staticCode = AdapterEnableStatic(adapter, address);
    if (!ConfigurationAccepted(staticCode) && staticCode != kAlreadyStatic) return {kAddressStep, staticCode};

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

ConfigurationRefusal ApplyProfileSettings(const Variant& adapter, const std::string& settingId,
                                          const ProfileSettings& settings)
{
    const StoredGatewayChange stored = EmptyStoredGateway(settingId);
    const ConfigurationRefusal refusal = SendProfileSettings(adapter, settings);
    FinishStoredGateway(stored, refusal);
    return refusal;
}

StoredGatewayChange EmptyStoredGateway(const std::string& settingId)
{
    // The stored gateway list is emptied first, for DHCP profiles too: a gateway left there
    // from an earlier static setting would come back with the next start of the adapter.
    // A change refused at its first call puts it back, or the adapter would lose its gateway
    // at the next restart without having taken anything. Once a call has changed the adapter,
    // the list is what Windows holds for the new settings (SetGateWays writes it), and an
    // earlier profile's gateway put back would come up with the new address.
    StoredGatewayChange change;
    if (const tadapter* found = FindAdapterBySettingID(settingId)) change.record = *found;
    const tadapter* record = change.record ? &*change.record : nullptr;
    change.previous = ReadStoredGateway(record);
    if (record != nullptr) WriteDefaultGateway(record, tGWSettings{});
    return change;
}

void FinishStoredGateway(const StoredGatewayChange& change, const std::optional<ConfigurationRefusal>& refusal)
{
    if (!refusal || refusal->step == kAddressStep)
        RestoreStoredGateway(change.record ? &*change.record : nullptr, change.previous);
}

ConfigurationRefusal RestoreAdapterConfiguration(const Variant& adapter, const std::string& settingId,
                                                 const AdapterConfiguration& configuration)
{
    const StoredGatewayChange stored = EmptyStoredGateway(settingId);
    const ConfigurationRefusal refusal = SendConfiguration(adapter, configuration);
    PutStoredGateway(stored, configuration);
    return refusal;
}

ConfigurationRefusal SendConfiguration(const Variant& adapter, const AdapterConfiguration& configuration)
{
    if (configuration.dhcp) {
        const int32_t code = AdapterEnableDHCP(adapter);
        if (!ConfigurationAccepted(code)) return {kAddressStep, code};
    } else {
        const int32_t code =
            AdapterEnableStatic(adapter, {TextArray(configuration.addresses), TextArray(configuration.masks)});
        if (!ConfigurationAccepted(code) && code != kAlreadyStatic) return {kAddressStep, code};
        if (!configuration.gateways.empty()) {
            const int32_t gateways =
                AdapterSetGateways(adapter, {TextArray(configuration.gateways), IntArray(configuration.metrics)});
            if (!ConfigurationAccepted(gateways)) return {kGatewayStep, gateways};
        }
    }
    // Servers a lease gave go with the lease: only those set by hand are set again.
    std::vector<std::string> servers = configuration.dnsByHand ? configuration.dnsServers : std::vector<std::string>();
    if (servers.empty()) servers.emplace_back();  // a call without a list: the servers come from DHCP
    const int32_t dns = AdapterSetDnsServers(adapter, tDNSsettings{TextArray(servers)});
    if (!ConfigurationAccepted(dns)) return {kDnsStep, dns};
    return {};
}

void PutStoredGateway(const StoredGatewayChange& change, const AdapterConfiguration& configuration)
{
    RestoreStoredGateway(change.record ? &*change.record : nullptr, configuration.storedGateway);
}

std::vector<int> ConfigurationSteps(const ProfileSettings& settings)
{
    if (settings.dhcp) return {kAddressStep, kDnsStep};
    if (settings.gw.empty()) return {kAddressStep, kDnsStep};
    return {kAddressStep, kGatewayStep, kDnsStep};
}

std::vector<int> ConfigurationSteps(const AdapterConfiguration& configuration)
{
    if (configuration.dhcp || configuration.gateways.empty()) return {kAddressStep, kDnsStep};
    return {kAddressStep, kGatewayStep, kDnsStep};
}

std::string ConfigurationStepName(bool dhcp, int step)
{
    switch (step) {
    case kAddressStep: return dhcp ? "Obtain an address automatically (DHCP)" : "IP address and subnet mask";
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
    if (results.gateways == kMethodNotSupported &&
        (ConfigurationAccepted(results.address) || results.address == kAlreadyStatic))
        results.gateways = AdapterSetGateways(adapter, gateways);
    results.servers = AdapterSetDnsServers(adapter, tDNSsettings{TextArray(settings.servers)});
    return results;
}

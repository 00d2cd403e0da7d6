#include "simnet/configmethods.h"

#include <algorithm>
#include <string>

#include "simnet/ipv4rules.h"
#include "simnet/simargs.h"

namespace {
using namespace config_result;

constexpr int32_t MinMetric = 1;
constexpr int32_t MaxMetric = 9999;

const SimArg* ArgAt(const std::vector<SimArg>& args, size_t position)
{
    if (position >= args.size() || args[position].kind == SimArg::Kind::Omitted) return nullptr;
    return &args[position];
}

std::wstring OwnServerAddress(const SimAdapter& adapter, int host)
{
    const int subnet = adapter.index & 0xFF;
    return L"10.0." + std::to_wstring(subnet) + L"." + std::to_wstring(host);
}

// What the server on the adapter's network gives: the place's offer, or the simulation's own.
SimDhcpOffer OfferFor(const SimAdapter& adapter)
{
    if (!adapter.dhcpOffer.address.empty()) return adapter.dhcpOffer;
    const std::wstring router = OwnServerAddress(adapter, 1);
    return {OwnServerAddress(adapter, 100), L"255.255.255.0", router, router, L"", {router}};
}

// EnableStatic: "enables static TCP/IP addressing for the target network adapter. As a
// result, DHCP for this network adapter is disabled." What came with the lease goes with it:
// its gateway and the DNS servers it gave. DefaultIPGateway maps to the interface's stored
// "DefaultGateway" (the class's MappingStrings), so a static gateway left there routes again.
// Remarks: on an adapter already static it answers 81 and makes the change all the same.
// The page's examples are IPv4 only; an address that is not IPv4 unicast answering 70 and a
// mask that is no contiguous IPv4 mask 66 are this simulation's reading of the code list.
MethodOutcome EnableStatic(SimAdapter& adapter, const std::vector<SimArg>& args)
{
    const SimArg* addresses = ArgAt(args, 0);
    const SimArg* masks = ArgAt(args, 1);
    if (addresses == nullptr || masks == nullptr || !IsTextList(*addresses) || !IsTextList(*masks) ||
        addresses->texts.empty()) {
        return {InvalidInput, false};
    }
    for (const std::wstring& address : addresses->texts) {
        if (!IsUnicastIPv4(address)) return {InvalidAddress, false};
    }
    if (masks->texts.size() != addresses->texts.size()) return {InvalidSubnetMask, false};
    for (const std::wstring& mask : masks->texts) {
        if (!IsSubnetMask(mask)) return {InvalidSubnetMask, false};
    }
    const bool wasDhcp = adapter.dhcpEnabled;
    adapter.dhcpEnabled = false;
    adapter.leaseDue = 0;
    adapter.ipAddresses = addresses->texts;
    adapter.subnets = masks->texts;
    adapter.gateways = adapter.storedGateways;
    adapter.gatewayMetrics = adapter.storedGatewayMetrics;
    if (wasDhcp && !adapter.staticDns) adapter.dnsServers.clear();
    // The lease's server and DNS suffix go with it.
    if (wasDhcp) {
        adapter.dhcpServerAddress.clear();
        adapter.dnsDomain.clear();
    }
    return {wasDhcp ? Success : DhcpServiceUnavailable, true};
}

// SetGateways: "This method only works when the NIC is in the static IP mode" (64 "Method
// not supported when the NIC is in DHCP mode"); more than five gateways is 69; metrics range
// from 1 to 9999, the default 1; "To clear gateways, set the gateway to the same IP used on
// EnableStatic." What it sets is the stored "DefaultGateway" and the live list alike.
MethodOutcome SetGateWays(SimAdapter& adapter, const std::vector<SimArg>& args)
{
    const SimArg* gateways = ArgAt(args, 0);
    const SimArg* metrics = ArgAt(args, 1);
    if (gateways == nullptr || !IsTextList(*gateways)) return {InvalidInput, false};
    if (metrics != nullptr && !IsIntList(*metrics)) return {InvalidInput, false};
    if (adapter.dhcpEnabled) return {NotSupported, false};
    if (gateways->texts.size() > static_cast<size_t>(MaxGateways)) return {TooManyGateways, false};
    for (const std::wstring& gateway : gateways->texts) {
        if (!IsUnicastIPv4(gateway)) return {InvalidGateway, false};
    }
    std::vector<int32_t> costs(gateways->texts.size(), MinMetric);
    for (size_t i = 0; metrics != nullptr && i < costs.size() && i < metrics->ints.size(); ++i) {
        if (metrics->ints[i] < MinMetric || metrics->ints[i] > MaxMetric) return {InvalidInput, false};
        costs[i] = metrics->ints[i];
    }
    const bool clears = gateways->texts.size() == 1 && std::find(adapter.ipAddresses.begin(), adapter.ipAddresses.end(),
                                                                 gateways->texts[0]) != adapter.ipAddresses.end();
    adapter.storedGateways = clears ? std::vector<std::wstring>{} : gateways->texts;
    adapter.storedGatewayMetrics = clears ? std::vector<int32_t>{} : costs;
    adapter.gateways = adapter.storedGateways;
    adapter.gatewayMetrics = adapter.storedGatewayMetrics;
    return {Success, true, StoredGateways::Written};
}

bool HasLease(const SimAdapter& adapter) { return adapter.dhcpEnabled && !adapter.ipAddresses.empty(); }

// EnableDHCP: "This method does not clear any static default gateways present on the
// machine": the stored list stays and routes beside the lease's gateway. A DNS list set by
// hand stays too: only setDNSServerSearchOrder without servers hands DNS back to DHCP.
// The lease comes later, from a server. Until then the adapter has no IPv4 address: the class
// page's IPAddress is "all of the IP addresses associated with the current network adapter",
// and there is none yet (the registry's DhcpIPAddress reads 0.0.0.0, see simregistry.h). An
// adapter on DHCP already keeps the lease it holds.
MethodOutcome EnableDHCP(SimAdapter& adapter, uint64_t leaseDue)
{
    if (HasLease(adapter)) {
        GiveDhcpLease(adapter);
        return {Success, true};
    }
    DropDhcpLease(adapter);
    adapter.dhcpEnabled = true;
    adapter.leaseDue = leaseDue;
    return {Success, true};
}

// SetDNSServerSearchOrder Remarks: after static DNS servers were set, the method called
// without its in parameter makes the adapter use DHCP's servers again.
MethodOutcome SetDnsServerSearchOrder(SimAdapter& adapter, const std::vector<SimArg>& args)
{
    const SimArg* servers = ArgAt(args, 0);
    if (servers == nullptr || (IsTextList(*servers) && servers->texts.empty())) {
        adapter.staticDns = false;
        adapter.dnsServers = HasLease(adapter) ? OfferFor(adapter).dnsServers : std::vector<std::wstring>{};
        return {Success, true};
    }
    if (!IsTextList(*servers)) return {InvalidInput, false};
    for (const std::wstring& server : servers->texts) {
        if (!IsUnicastIPv4(server)) return {InvalidAddress, false};
    }
    adapter.staticDns = true;
    adapter.dnsServers = servers->texts;
    return {Success, true};
}
}  // namespace

size_t ParameterCount(ConfigMethod method)
{
    switch (method) {
    case ConfigMethod::EnableStatic: return 2;
    case ConfigMethod::SetGateWays: return 2;
    case ConfigMethod::EnableDHCP: return 0;
    case ConfigMethod::SetDnsServerSearchOrder: return 1;
    }
    return 0;
}

MethodOutcome RunConfigurationMethod(ConfigMethod method, SimAdapter& adapter, const std::vector<SimArg>& args,
                                     uint64_t leaseDue)
{
    // 84 "IP not enabled on adapter": TCP/IP unbound, or the link down. That a disconnected
    // adapter reads as not IP-enabled is how Windows reports it, not written on the class page.
    if (!ReportsIpEnabled(adapter)) return {IpNotEnabled, false};
    switch (method) {
    case ConfigMethod::EnableStatic: return EnableStatic(adapter, args);
    case ConfigMethod::SetGateWays: return SetGateWays(adapter, args);
    case ConfigMethod::EnableDHCP: return EnableDHCP(adapter, leaseDue);
    case ConfigMethod::SetDnsServerSearchOrder: return SetDnsServerSearchOrder(adapter, args);
    }
    return {InvalidInput, false};
}

void GiveDhcpLease(SimAdapter& adapter)
{
    const SimDhcpOffer offer = OfferFor(adapter);
    adapter.ipAddresses = {offer.address};
    adapter.subnets = {offer.mask};
    adapter.gateways.clear();
    adapter.gatewayMetrics.clear();
    if (!offer.gateway.empty()) {
        adapter.gateways = {offer.gateway};
        adapter.gatewayMetrics = {1};
    }
    adapter.gateways.insert(adapter.gateways.end(), adapter.storedGateways.begin(), adapter.storedGateways.end());
    adapter.gatewayMetrics.insert(adapter.gatewayMetrics.end(), adapter.storedGatewayMetrics.begin(),
                                  adapter.storedGatewayMetrics.end());
    if (!adapter.staticDns) adapter.dnsServers = offer.dnsServers;
    adapter.dhcpServerAddress = offer.server;
    adapter.dnsDomain = offer.dnsDomain;
}

void DropDhcpLease(SimAdapter& adapter)
{
    adapter.leaseDue = 0;
    adapter.ipAddresses.clear();
    adapter.subnets.clear();
    adapter.gateways = adapter.storedGateways;
    adapter.gatewayMetrics = adapter.storedGatewayMetrics;
    if (!adapter.staticDns) adapter.dnsServers.clear();
    adapter.dhcpServerAddress.clear();
    // A suffix set by hand on a static adapter is not the lease's.
    if (adapter.dhcpEnabled) adapter.dnsDomain.clear();
}

bool TakeDueLease(SimAdapter& adapter, uint64_t now)
{
    if (adapter.leaseDue == 0 || now < adapter.leaseDue) return false;
    adapter.leaseDue = 0;
    // No server to answer, or no link to answer on: the request lapses.
    if (!adapter.dhcpEnabled || !adapter.dhcpServer || !ReportsIpEnabled(adapter)) return false;
    GiveDhcpLease(adapter);
    return true;
}

void PutOnDhcp(SimAdapter& adapter)
{
    adapter.dhcpEnabled = true;
    adapter.staticDns = false;
    adapter.storedGateways.clear();
    adapter.storedGatewayMetrics.clear();
    GiveDhcpLease(adapter);
}

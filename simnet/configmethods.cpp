#include "simnet/configmethods.h"

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

std::wstring LeaseAddress(const SimAdapter& adapter, int host)
{
    const int subnet = adapter.index & 0xFF;
    return L"10.0." + std::to_wstring(subnet) + L"." + std::to_wstring(host);
}

std::vector<std::wstring> LeaseDnsServers(const SimAdapter& adapter) { return {LeaseAddress(adapter, 1)}; }

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
    const int32_t code = adapter.dhcpEnabled ? Success : DhcpServiceUnavailable;
    adapter.dhcpEnabled = false;
    adapter.ipAddresses = addresses->texts;
    adapter.subnets = masks->texts;
    return {code, true};
}

MethodOutcome SetGateWays(SimAdapter& adapter, const std::vector<SimArg>& args)
{
    const SimArg* gateways = ArgAt(args, 0);
    const SimArg* metrics = ArgAt(args, 1);
    if (gateways == nullptr || !IsTextList(*gateways)) return {InvalidInput, false};
    if (metrics != nullptr && !IsIntList(*metrics)) return {InvalidInput, false};
    if (gateways->texts.size() > static_cast<size_t>(MaxGateways)) return {TooManyGateways, false};
    for (const std::wstring& gateway : gateways->texts) {
        if (!IsUnicastIPv4(gateway)) return {InvalidGateway, false};
    }
    std::vector<int32_t> costs(gateways->texts.size(), MinMetric);
    for (size_t i = 0; metrics != nullptr && i < costs.size() && i < metrics->ints.size(); ++i) {
        if (metrics->ints[i] < MinMetric || metrics->ints[i] > MaxMetric) return {InvalidInput, false};
        costs[i] = metrics->ints[i];
    }
    adapter.gateways = gateways->texts;
    adapter.gatewayMetrics = costs;
    return {Success, true};
}

MethodOutcome EnableDHCP(SimAdapter& adapter)
{
    adapter.dhcpEnabled = true;
    GiveDhcpLease(adapter);
    return {Success, true};
}

MethodOutcome SetDnsServerSearchOrder(SimAdapter& adapter, const std::vector<SimArg>& args)
{
    const SimArg* servers = ArgAt(args, 0);
    if (servers == nullptr || (IsTextList(*servers) && servers->texts.empty())) {
        // No list: the servers set by hand go; DHCP's own take their place.
        adapter.staticDns = false;
        adapter.dnsServers = adapter.dhcpEnabled ? LeaseDnsServers(adapter) : std::vector<std::wstring>{};
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

MethodOutcome RunConfigurationMethod(ConfigMethod method, SimAdapter& adapter, const std::vector<SimArg>& args)
{
    if (!adapter.ipEnabled) return {IpNotEnabled, false};
    switch (method) {
    case ConfigMethod::EnableStatic: return EnableStatic(adapter, args);
    case ConfigMethod::SetGateWays: return SetGateWays(adapter, args);
    case ConfigMethod::EnableDHCP: return EnableDHCP(adapter);
    case ConfigMethod::SetDnsServerSearchOrder: return SetDnsServerSearchOrder(adapter, args);
    }
    return {InvalidInput, false};
}

void GiveDhcpLease(SimAdapter& adapter)
{
    adapter.ipAddresses = {LeaseAddress(adapter, 100)};
    adapter.subnets = {L"255.255.255.0"};
    adapter.gateways = {LeaseAddress(adapter, 1)};
    adapter.gatewayMetrics = {1};
    if (!adapter.staticDns) adapter.dnsServers = LeaseDnsServers(adapter);
}

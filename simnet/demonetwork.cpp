// A laptop for the simulated build of the program, its tests and the benchmarks.
#include <cstdio>
#include <string>

#include "simnet/configmethods.h"
#include "simnet/simnetwork.h"

namespace {
std::wstring Hex(unsigned value, int digits)
{
    wchar_t text[16];
    std::swprintf(text, 16, L"%0*X", digits, value);
    return text;
}

// Windows names adapter configurations by a GUID; these are made up but stable per index.
std::wstring SettingIdFor(int32_t index)
{
    const unsigned n = static_cast<unsigned>(index);
    return L"{" + Hex(0x6A3C1E00u + n * 0x101u, 8) + L"-" + Hex(0x4B2Du + n, 4) + L"-4F1A-9C3E-" + Hex(0x0050B6u, 6) +
           Hex(n * 0x2F1u & 0xFFFFFFu, 6) + L"}";
}

std::wstring MacFor(int32_t index)
{
    const unsigned n = static_cast<unsigned>(index);
    return L"00:1B:21:" + Hex((n >> 16) & 0xFF, 2) + L":" + Hex((n >> 8) & 0xFF, 2) + L":" + Hex(n & 0xFF, 2);
}

SimAdapter Adapter(int32_t index, const wchar_t* description, const wchar_t* serviceName, bool withMac)
{
    SimAdapter adapter;
    adapter.index = index;
    adapter.description = description;
    adapter.serviceName = serviceName;
    adapter.settingId = SettingIdFor(index);
    if (withMac) adapter.macAddress = MacFor(index);
    return adapter;
}

// Every adapter with IPv6 bound has a link-local address (prefix length 64); routers
// announce themselves from their own link-local address, usually fe80::1.
void WithLinkLocal(SimAdapter& adapter, const wchar_t* address)
{
    adapter.ipv6Addresses.emplace_back(address);
    adapter.ipv6Prefixes.emplace_back(L"64");
}

SimAdapter StaticEthernet(int32_t index)
{
    SimAdapter adapter = Adapter(index, L"Intel(R) Ethernet Connection (7) I219-V", L"e1dexpress", true);
    adapter.ipAddresses = {L"192.168.1.20"};
    adapter.subnets = {L"255.255.255.0"};
    adapter.gateways = {L"192.168.1.1"};
    adapter.gatewayMetrics = {1};
    adapter.dnsServers = {L"192.168.1.1", L"8.8.8.8"};
    adapter.staticDns = true;
    WithLinkLocal(adapter, L"fe80::5c3a:91ff:fe2e:4b10");
    adapter.ipv6Gateways = {L"fe80::1"};
    adapter.neighbours = {{L"192.168.1.1", L"B0-BE-76-C0-A8-01"}};
    return adapter;
}

SimAdapter DhcpWifi(int32_t index)
{
    SimAdapter adapter = Adapter(index, L"Intel(R) Wi-Fi 6 AX201 160MHz", L"Netwtw10", true);
    // Joined to a network of the simulation's own DHCP server (10.0.<index>.x), the lease that
    // tests of the first start expect; MoveLaptop takes it to the places of simplaces.h.
    adapter.wireless = true;
    adapter.wifiName = L"Demo Wi-Fi";
    PutOnDhcp(adapter);
    adapter.neighbours = {{adapter.gateways.front(), L"02-00-0A-00-02-01"}};
    // A home router hands out a global IPv6 prefix besides the IPv4 lease.
    adapter.ipv6Addresses = {L"2001:db8:4d2:10::1a4", L"fe80::8d1:7eff:fe03:22c9"};
    adapter.ipv6Prefixes = {L"64", L"64"};
    adapter.ipv6Gateways = {L"fe80::1"};
    return adapter;
}

// The virtual switch Hyper-V makes for its default network: a fixed address, no gateway. The
// host is the one that hands out addresses there, so no DHCP server answers the host's side.
SimAdapter VirtualSwitch(int32_t index)
{
    SimAdapter adapter = Adapter(index, L"Hyper-V Virtual Ethernet Adapter", L"VMSMP", true);
    adapter.dhcpServer = false;
    adapter.ipAddresses = {L"172.28.80.1"};
    adapter.subnets = {L"255.255.240.0"};
    WithLinkLocal(adapter, L"fe80::a4e1:3cff:fe7b:90d2");
    return adapter;
}

// A VPN client's adapter while the VPN is off: set to DHCP, with no lease and no link.
SimAdapter VpnNotConnected(int32_t index)
{
    SimAdapter adapter = Adapter(index, L"TAP-Windows Adapter V9", L"tap0901", true);
    adapter.dhcpEnabled = true;
    adapter.mediaConnected = false;
    return adapter;
}

SimAdapter NotIpEnabled(int32_t index, const wchar_t* description, const wchar_t* serviceName, bool withMac)
{
    SimAdapter adapter = Adapter(index, description, serviceName, withMac);
    adapter.ipEnabled = false;
    return adapter;
}

SimAdapter MachineAdapter(int position)
{
    const int32_t index = position + 1;
    switch (position) {
    case 0: return StaticEthernet(index);
    case 1: return DhcpWifi(index);
    case 2: return VirtualSwitch(index);
    case 3: return VpnNotConnected(index);
    case 4: return NotIpEnabled(index, L"Microsoft Kernel Debug Network Adapter", L"kdnic", false);
    case 5: return NotIpEnabled(index, L"Bluetooth Device (Personal Area Network)", L"BthPan", true);
    case 6: return NotIpEnabled(index, L"WAN Miniport (IP)", L"NdisWan", false);
    case 7: return NotIpEnabled(index, L"WAN Miniport (IPv6)", L"NdisWan", false);
    default: break;
    }
    // Beyond the machine's own: numbered virtual adapters, every other one IP-enabled, as a
    // host with many virtual switches has.
    const std::wstring number = std::to_wstring(position - 6);  // the first extra is "#2"
    SimAdapter adapter = Adapter(index, L"", L"VMSMP", true);
    adapter.description = L"Hyper-V Virtual Ethernet Adapter #" + number;
    if (position % 2 == 0) {
        adapter.ipAddresses = {L"172.16." + std::to_wstring(index & 0xFF) + L".1"};
        adapter.subnets = {L"255.255.255.0"};
    } else {
        adapter.ipEnabled = false;
    }
    return adapter;
}
}  // namespace

SimNetwork MakeDemoNetwork(int adapterCount)
{
    SimNetwork network;
    for (int position = 0; position < adapterCount; ++position)
        network.AddAdapter(MachineAdapter(position));
    return network;
}

#include "app/netconfig_fixture.h"

#include "core/text.h"

const char* const NetconfigTest::WiredName = "Realtek PCIe GbE Family Controller";
const char* const NetconfigTest::WirelessName = "Intel(R) Wi-Fi 6 AX201 160MHz";
const char* const NetconfigTest::BluetoothName = "Bluetooth Device (Personal Area Network)";

namespace {
// The n-th adapter of the machine, numbered `index` by WMI.
SimAdapter Adapter(wchar_t n, int32_t index, const char* description, const wchar_t* service)
{
    const std::wstring number = std::to_wstring(index);
    SimAdapter adapter;
    adapter.index = index;
    adapter.description = WideFromAnsi(description);
    adapter.settingId = L"{5D1C2E3A-" + std::wstring(4, n) + L"-4F1A-9C3E-0050B600000" + number + L"}";
    adapter.macAddress = L"00:1B:21:00:00:0" + number;
    adapter.serviceName = service;
    return adapter;
}
}  // namespace

NetconfigTest::NetconfigTest()
{
    SimAdapter wired = Adapter(L'1', Wired, WiredName, L"rt640x64");
    wired.ipAddresses = {L"192.168.1.10"};
    wired.subnets = {L"255.255.255.0"};
    wired.gateways = {L"192.168.1.1"};
    wired.gatewayMetrics = {1};
    wired.dnsServers = {L"192.168.1.1", L"8.8.8.8"};
    wired.staticDns = true;
    network.AddAdapter(wired);

    SimAdapter wireless = Adapter(L'2', Wireless, WirelessName, L"Netwtw10");
    wireless.dhcpEnabled = true;
    wireless.ipAddresses = {L"10.0.7.100", L"10.0.7.101"};
    wireless.subnets = {L"255.255.255.0", L"255.255.255.0"};
    wireless.gateways = {L"10.0.7.1"};
    wireless.gatewayMetrics = {1};
    wireless.dnsServers = {L"10.0.7.1"};
    network.AddAdapter(wireless);

    SimAdapter bluetooth = Adapter(L'3', Bluetooth, BluetoothName, L"BthPan");
    bluetooth.ipEnabled = false;
    network.AddAdapter(bluetooth);
}

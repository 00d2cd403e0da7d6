// The DHCP lease comes some time after EnableDHCP, in WMI and in the registry, and never on an
// adapter without a DHCP server or one whose link went down meanwhile.
#include <gtest/gtest.h>

#include "core/dispatch.h"
#include "core/text.h"
#include "simclient.h"
#include "simnet/simregistry.h"
#include "support/registrykeys.h"

using namespace std::string_literals;
using Texts = std::vector<std::wstring>;

TEST(SimLease, ComesAfterItsTimeOnlyWhereAServerAnswersOnAConnectedAdapter)
{
    const struct {
        const char* what;
        DWORD leaseTime;
        bool dhcpServer, linkDropped, leasedAtOnce, leasedLater;
    } cases[] = {
        {"no lease time: at once", 0, true, false, true, true},
        {"after its time", 600, true, false, false, true},
        {"no DHCP server", 600, false, false, false, false},
        {"link down meanwhile", 600, true, true, false, false},
    };
    const std::wstring settingId = L"{5E1F0A00-VELM-0RA0-SIMT-000000000004}";
    const std::string key = kTcpipInterfacesKey + AnsiFromWide(settingId);
    const auto leaseInRegistry = [&] { return ReadRaw(key, "DhcpIPAddress").value_or(RegistryData{}).bytes; };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SimAdapter adapter = TestAdapter(4);  // static 192.168.4.10, gateway .1
        adapter.settingId = settingId;
        adapter.ipv6Addresses = {L"fe80::4"};
        adapter.ipv6Prefixes = {L"64"};
        adapter.dhcpServer = c.dhcpServer;
        SimNetwork network;
        network.AddAdapter(adapter);
        SimRegistryMirror mirror(network, 9801);
        mirror.Attach();
        network.SetLeaseTime(c.leaseTime);

        EXPECT_EQ(CallCode(QueryAdapter(network, 4), L"EnableDHCP"), 0);
        // Until the lease comes: DHCP on, no IPv4 address, the static gateway kept.
        const Variant shown = QueryAdapter(network, 4);
        const Texts addresses = c.leasedAtOnce ? Texts{L"10.0.4.100", L"fe80::4"} : Texts{L"fe80::4"};
        const Texts gateways = c.leasedAtOnce ? Texts{L"10.0.4.1", L"192.168.4.1"} : Texts{L"192.168.4.1"};
        EXPECT_EQ(GetMember(shown, L"DHCPEnabled").get().boolVal, VARIANT_TRUE);
        EXPECT_EQ(ArrayTexts(GetMember(shown, L"IPAddress")), addresses);
        EXPECT_EQ(ArrayTexts(GetMember(shown, L"DefaultIPGateway")), gateways);
        EXPECT_EQ(leaseInRegistry(), c.leasedAtOnce ? "10.0.4.100\0"s : "0.0.0.0\0"s);
        if (c.linkDropped) {
            network.MutableAdapter(4)->mediaConnected = false;
            network.AdapterChanged(4);
        }

        // A query that ends after the lease time finds the lease come, or not.
        network.SetCallTime(L"ExecQuery", c.leaseTime + 50);
        RunQuery(network);
        EXPECT_EQ(network.Adapter(4)->ipAddresses, c.leasedLater ? Texts{L"10.0.4.100"} : Texts{});
        EXPECT_EQ(leaseInRegistry(), c.leasedLater ? "10.0.4.100\0"s : "0.0.0.0\0"s);
    }
}

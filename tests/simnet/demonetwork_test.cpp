// The demo laptop that velmora-simnet.exe, the look tests and the benchmarks run on.
#include <gtest/gtest.h>

#include <set>

#include "core/dispatch.h"
#include "simclient.h"

namespace {
using Texts = std::vector<std::wstring>;

Texts Listed(const Variant& item, const wchar_t* name)
{
    const Variant value = GetMember(item, name);
    return value.IsNull() ? Texts{} : ArrayTexts(value);
}
}  // namespace

TEST(SimDemoNetwork, IsALaptopWithIpv6BesideIpv4)
{
    SimNetwork laptop = MakeDemoNetwork();
    // Wired (static), Wi-Fi (DHCP) and the virtual switch are IP-enabled; the VPN is not
    // connected and reads as not IP-enabled.
    EXPECT_EQ(ItemIndexes(RunQuery(laptop, kIpEnabledQuery)), (std::vector<int32_t>{1, 2, 3}));

    const Variant wired = QueryAdapter(laptop, 1);
    EXPECT_FALSE(GetMember(wired, L"DHCPEnabled").get().boolVal);
    const Texts wiredAddresses = Listed(wired, L"IPAddress");
    ASSERT_EQ(wiredAddresses.size(), 2u);
    EXPECT_EQ(wiredAddresses[0], L"192.168.1.20");
    EXPECT_EQ(wiredAddresses[1].substr(0, 5), L"fe80:");
    EXPECT_EQ(Listed(wired, L"IPSubnet"), (Texts{L"255.255.255.0", L"64"}));
    EXPECT_EQ(Listed(wired, L"DefaultIPGateway"), (Texts{L"192.168.1.1", L"fe80::1"}));

    const Variant wireless = QueryAdapter(laptop, 2);
    EXPECT_TRUE(GetMember(wireless, L"DHCPEnabled").get().boolVal);
    EXPECT_EQ(Listed(wireless, L"IPAddress").size(), 3u);  // the lease, a global and a link-local IPv6
    EXPECT_EQ(Listed(wireless, L"IPSubnet"), (Texts{L"255.255.255.0", L"64", L"64"}));

    const Variant vpn = QueryAdapter(laptop, 4);
    EXPECT_FALSE(GetMember(vpn, L"IPEnabled").get().boolVal);
    EXPECT_TRUE(Listed(vpn, L"IPAddress").empty());
    EXPECT_EQ(CallCode(vpn, L"EnableDHCP", {ArgOmitted()}), 84);
}

TEST(SimDemoNetwork, HasDistinctAdaptersAtAnySizeThatTakeTheMethods)
{
    for (int count : {0, 8, 300}) {
        SCOPED_TRACE(count);
        SimNetwork network = MakeDemoNetwork(count);
        ASSERT_EQ(network.AdapterCount(), static_cast<size_t>(count));
        std::set<int32_t> indexes;
        std::set<std::wstring> settingIds, descriptions;
        for (size_t i = 0; i < network.AdapterCount(); ++i) {
            const SimAdapter& adapter = network.AdapterAt(i);
            indexes.insert(adapter.index);
            settingIds.insert(adapter.settingId);
            descriptions.insert(adapter.description);
            EXPECT_EQ(adapter.settingId.size(), 38u) << adapter.index;  // "{8-4-4-4-12}"
        }
        EXPECT_EQ(indexes.size(), network.AdapterCount());
        EXPECT_EQ(settingIds.size(), network.AdapterCount());
        EXPECT_EQ(descriptions.size(), network.AdapterCount());  // Windows numbers look-alikes "#2", ...
    }

    SimNetwork machine = MakeDemoNetwork();
    for (const Variant& item : Items(RunQuery(machine, kIpEnabledQuery))) {
        Variant addresses = WideTexts({L"10.20.30.40"});
        Variant masks = WideTexts({L"255.255.0.0"});
        const int32_t code = CallCode(item, L"EnableStatic", {ArgByRef(addresses), ArgByRef(masks)});
        EXPECT_TRUE(code == 0 || code == 81) << code;
        EXPECT_EQ(CallCode(item, L"EnableDHCP", {ArgOmitted()}), 0);
    }
}

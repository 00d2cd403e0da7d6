// The demo machine that velmora-simnet.exe and the benchmarks run on.
#include <gtest/gtest.h>

#include <set>

#include "core/dispatch.h"
#include "simclient.h"

namespace {
bool LooksLikeGuid(const std::wstring& text)
{
    if (text.size() != 38 || text.front() != L'{' || text.back() != L'}') return false;
    for (size_t i = 1; i < 37; ++i) {
        const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
        if (dash ? text[i] != L'-' : !iswxdigit(text[i])) return false;
    }
    return true;
}
}  // namespace

TEST(SimDemoNetwork, LooksLikeAWorkstation)
{
    SimNetwork network = MakeDemoNetwork();
    ASSERT_EQ(network.AdapterCount(), 8u);
    const SimAdapter& ethernet = network.AdapterAt(0);
    EXPECT_TRUE(ethernet.ipEnabled);
    EXPECT_FALSE(ethernet.dhcpEnabled);
    EXPECT_FALSE(ethernet.gateways.empty());
    const SimAdapter& wifi = network.AdapterAt(1);
    EXPECT_TRUE(wifi.ipEnabled);
    EXPECT_TRUE(wifi.dhcpEnabled);
    EXPECT_FALSE(wifi.ipAddresses.empty());
    size_t ipEnabled = 0;
    for (size_t i = 0; i < network.AdapterCount(); ++i) ipEnabled += network.AdapterAt(i).ipEnabled ? 1 : 0;
    EXPECT_GT(ipEnabled, 1u);
    EXPECT_LT(ipEnabled, network.AdapterCount());
    EXPECT_EQ(ItemIndexes(RunQuery(network, kIpEnabledQuery)).size(), ipEnabled);
}

TEST(SimDemoNetwork, AnyCountGivesDistinctAdaptersThatTakeEveryMethod)
{
    for (int count : {0, 1, 8, 300}) {
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
            EXPECT_TRUE(LooksLikeGuid(adapter.settingId)) << adapter.index;
        }
        EXPECT_EQ(indexes.size(), network.AdapterCount());
        EXPECT_EQ(settingIds.size(), network.AdapterCount());
        // Windows numbers adapters with the same name ("... #2"), so descriptions differ too.
        EXPECT_EQ(descriptions.size(), network.AdapterCount());
    }
    SimNetwork network = MakeDemoNetwork();
    for (const Variant& item : Items(RunQuery(network, kIpEnabledQuery))) {
        Variant addresses = WideTexts({L"10.20.30.40"});
        Variant masks = WideTexts({L"255.255.0.0"});
        const int32_t code = CallCode(item, L"EnableStatic", {ArgByRef(addresses), ArgByRef(masks)});
        EXPECT_TRUE(code == 0 || code == 81) << code;
        EXPECT_EQ(CallCode(item, L"EnableDHCP", {ArgOmitted()}), 0);
    }
}

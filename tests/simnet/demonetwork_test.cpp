// The demo machine that velmora-simnet.exe and the benchmarks run on.
#include <gtest/gtest.h>

#include <set>

#include "core/dispatch.h"
#include "simclient.h"

TEST(SimDemoNetwork, LooksLikeAWorkstationAtAnySize)
{
    SimNetwork machine = MakeDemoNetwork();
    ASSERT_EQ(machine.AdapterCount(), 8u);
    EXPECT_TRUE(machine.AdapterAt(0).ipEnabled && !machine.AdapterAt(0).dhcpEnabled && !machine.AdapterAt(0).gateways.empty());
    EXPECT_TRUE(machine.AdapterAt(1).ipEnabled && machine.AdapterAt(1).dhcpEnabled);
    EXPECT_FALSE(machine.AdapterAt(3).ipEnabled);

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

    for (const Variant& item : Items(RunQuery(machine, kIpEnabledQuery))) {
        Variant addresses = WideTexts({L"10.20.30.40"});
        Variant masks = WideTexts({L"255.255.0.0"});
        const int32_t code = CallCode(item, L"EnableStatic", {ArgByRef(addresses), ArgByRef(masks)});
        EXPECT_TRUE(code == 0 || code == 81) << code;
        EXPECT_EQ(CallCode(item, L"EnableDHCP", {ArgOmitted()}), 0);
    }
}

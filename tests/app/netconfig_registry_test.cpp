// The settings Windows stores for the chosen adapter stand before WMI's in the tray tip and
// the current details, never in the property list.
#include "app/netconfig_fixture.h"

#include "adapters/reg.h"
#include "simnet/simregistry.h"

namespace {
class NetconfigRegistryTest : public NetconfigTest {
protected:
    NetconfigRegistryTest() : registry(network, 9601) { registry.Attach(); }
    void TearDown() override { AdapterList().clear(); }

    SimRegistryMirror registry;
};
}  // namespace

TEST_F(NetconfigRegistryTest, StoredSettingsGoToTheTipAndTheCurrentDetails)
{
    // WMI's live state moves on, the stored settings stay as they were written.
    SimAdapter& wired = *network.MutableAdapter(Wired);
    wired.ipAddresses = {L"192.168.1.77"};
    wired.dnsServers = {L"192.168.1.53"};
    CreateOnNetwork();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(form->TrayIcon1->Hint(), "VMR. IP:192.168.1.10");
    EXPECT_EQ(ShownTip(), "VMR. IP:192.168.1.10");
    EXPECT_EQ(GridRows(*form->ValueListEditor2), (Rows{{"Card:", "rt640x64"},
                                                       {"IP:", "192.168.1.10"},
                                                       {"Mask:", "255.255.255.0"},
                                                       {"GW:", "192.168.1.1"},
                                                       {"DNS:", "192.168.1.1 8.8.8.8"},
                                                       {"DHCP:", "Disabled"}}));
    EXPECT_EQ(form->proplist->Values("IP Address"), "192.168.1.77 ");
    EXPECT_EQ(form->proplist->Values("DNS Servers"), "192.168.1.53 ");
}

TEST_F(NetconfigRegistryTest, DhcpAdapterShowsWhatWindowsStoresForIt)
{
    network.MutableAdapter(Wired)->ipEnabled = false;
    CreateOnNetwork();
    ASSERT_EQ(form->SelectedAdapterIndex, Wireless);
    // On DHCP, Windows stores no address of its own and no name server set by hand.
    EXPECT_EQ(ShownTip(), "VMR. IP:0.0.0.0");
    EXPECT_EQ(form->ValueListEditor2->Values("IP:"), "0.0.0.0");
    EXPECT_EQ(form->ValueListEditor2->Values("DNS:"), " ");
    EXPECT_EQ(form->ValueListEditor2->Values("DHCP:"), "Enabled");
    EXPECT_EQ(form->proplist->Values("IP Address"), "10.0.7.100 10.0.7.101 ");
}

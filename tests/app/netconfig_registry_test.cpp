// The settings Windows stores for the chosen adapter stand before WMI's in the tray tip and
// the current details, never in the property list.
#include "app/netconfig_fixture.h"

#include "adapters/reg.h"
#include "core/text.h"
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
    Create();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(form->TrayIcon1->Hint(), "VMR. IP:192.168.1.10");
    EXPECT_EQ(ShownTip(), "VMR. IP:192.168.1.10");
    EXPECT_EQ(GridRows(*form->Profiles->ValueListEditor2), (Rows{{"Card:", "rt640x64"},
                                                                 {"IP:", "192.168.1.10"},
                                                                 {"Mask:", "255.255.255.0"},
                                                                 {"GW:", "192.168.1.1"},
                                                                 {"DNS:", "192.168.1.1 8.8.8.8"},
                                                                 {"DHCP:", "Disabled"}}));
    EXPECT_EQ(form->proplist->Values("IP Address"), "192.168.1.77 ");
    EXPECT_EQ(form->proplist->Values("DNS Servers"), "192.168.1.53 ");
}

TEST_F(NetconfigRegistryTest, DhcpAdapterShowsItsLeaseWhereWindowsStoresNoAddress)
{
    network.MutableAdapter(Wired)->ipEnabled = false;
    Create();
    ASSERT_EQ(form->SelectedAdapterIndex, Wireless);
    // On DHCP, Windows stores 0.0.0.0 as the address and keeps the lease apart; no name server
    // is set by hand.
    EXPECT_EQ(ShownTip(), "VMR. IP:10.0.7.100");
    EXPECT_EQ(GridRows(*form->Profiles->ValueListEditor2), (Rows{{"Card:", "Netwtw10"},
                                                                 {"IP:", "10.0.7.100"},
                                                                 {"Mask:", "255.255.255.0"},
                                                                 {"GW:", "10.0.7.1"},
                                                                 {"DNS:", " "},
                                                                 {"DHCP:", "Enabled"}}));
    EXPECT_EQ(form->proplist->Values("IP Address"), "10.0.7.100 10.0.7.101 ");

    // Without a lease in the registry, WMI's first IPv4 address stands in for it.
    const std::string key = kTcpipInterfacesKey + AnsiFromWide(network.Adapter(Wireless)->settingId);
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), "DhcpIPAddress");
    network.MutableAdapter(Wireless)->ipAddresses = {L"10.0.7.123"};
    network.MutableAdapter(Wireless)->ipv6Addresses = {L"fe80::7"};
    form->refreshdata();
    EXPECT_EQ(ShownTip(), "VMR. IP:10.0.7.123");
}

// WMI's live values and then the stored settings give the details: each row and the tip is
// still written once, with the stored value.
TEST_F(NetconfigRegistryTest, RefreshWritesEachDetailAndTheTipOnce)
{
    network.MutableAdapter(Wired)->ipAddresses = {L"192.168.1.77"};
    Create();
    const TValueListEditor& details = *form->Profiles->ValueListEditor2;
    const int rowWrites = details.ValueWrites();
    const int iconCalls = area.Count(NIM_MODIFY);
    form->refreshdata();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(details.ValueWrites() - rowWrites, details.RowCount());
    EXPECT_EQ(area.Count(NIM_MODIFY) - iconCalls, 1);
    EXPECT_EQ(ShownTip(), "VMR. IP:192.168.1.10");
    EXPECT_EQ(details.Values("IP:"), "192.168.1.10");
}

// A read that fails ends the refresh before the stored settings: the live details read before
// it are shown, the tip stays.
TEST_F(NetconfigRegistryTest, FailedReadShowsTheLiveDetailsReadBeforeIt)
{
    Create();
    network.MutableAdapter(Wired)->ipAddresses = {L"192.168.1.77"};
    network.FailProperty(Wired, L"ServiceName", E_FAIL, L"Generic failure");
    Choose(form->Configuration1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(form->Profiles->ValueListEditor2->Values("IP:"), "192.168.1.77 ");
    EXPECT_EQ(form->Profiles->ValueListEditor2->Values("Card:"), "rt640x64");
    EXPECT_EQ(form->TrayIcon1->Hint(), "VMR. IP:192.168.1.10");
}

#include <gtest/gtest.h>

#include "adapters/reg.h"
#include "adapters/wmiworks.h"
#include "core/dispatch.h"
#include "support/boxes.h"
#include "support/registrykeys.h"
#include "simnet/simregistry.h"

using namespace std::string_literals;
using Texts = std::vector<std::string>;

namespace {
// Card numbers and setting identifiers of this test only.
constexpr int kFirstCard = 9701;
const std::wstring kStaticId = L"{5E1F0A00-VELM-0RA0-SIMR-000000000001}";
const std::wstring kDhcpId = L"{5E1F0A00-VELM-0RA0-SIMR-000000000002}";
const std::wstring kAddedId = L"{5E1F0A00-VELM-0RA0-SIMR-000000000003}";

// The Interfaces key itself, without the trailing backslash.
std::string InterfacesKey()
{
    const std::string withSeparator = kTcpipInterfacesKey;
    return withSeparator.substr(0, withSeparator.size() - 1);
}

std::string Interface(const std::wstring& settingId)
{
    return kTcpipInterfacesKey + std::string(settingId.begin(), settingId.end());
}

SimAdapter StaticAdapter()
{
    SimAdapter adapter;
    adapter.index = 7;
    adapter.description = L"Simulated Ethernet";
    adapter.settingId = kStaticId;
    adapter.serviceName = L"e1dexpress";
    adapter.ipAddresses = {L"192.168.1.20", L"192.168.1.21"};
    adapter.subnets = {L"255.255.255.0", L"255.255.255.0"};
    adapter.gateways = {L"192.168.1.1"};
    adapter.gatewayMetrics = {1};
    adapter.dnsServers = {L"192.168.1.1", L"8.8.8.8"};
    adapter.staticDns = true;
    return adapter;
}

SimAdapter DhcpAdapter()
{
    SimAdapter adapter;
    adapter.index = 8;
    adapter.description = L"Simulated Wi-Fi";
    adapter.settingId = kDhcpId;
    adapter.dhcpEnabled = true;
    adapter.ipAddresses = {L"10.0.8.100"};
    adapter.subnets = {L"255.255.255.0"};
    adapter.gateways = {L"10.0.8.1"};
    adapter.dnsServers = {L"10.0.8.1"};
    return adapter;
}

class SimRegistryTest : public testing::Test {
protected:
    SimRegistryTest()
    {
        m_network.AddAdapter(StaticAdapter());
        m_network.AddAdapter(DhcpAdapter());
    }
    void TearDown() override { AdapterList().clear(); }

    // What the program would read for the adapter, as on Windows.
    const tadapter* Stored(const std::wstring& settingId)
    {
        BuildAdapterList();
        return FindAdapterBySettingID(std::string(settingId.begin(), settingId.end()));
    }
    Variant Configuration(int32_t index)
    {
        return FindAdapterConfiguration(QueryAdapterConfigurations(m_network.Services(), false), index);
    }

    SimNetwork m_network;
    MessageBoxRecorder m_boxes;
};
}  // namespace

TEST_F(SimRegistryTest, GivesEachAdapterTheKeysWindowsKeeps)
{
    SimRegistryMirror mirror(m_network, kFirstCard);
    mirror.Attach();

    const std::optional<RegistryData> serviceName = ReadRaw(mirror.CardKey(0), "ServiceName");
    ASSERT_TRUE(serviceName);
    EXPECT_EQ(serviceName->bytes, "{5E1F0A00-VELM-0RA0-SIMR-000000000001}\0"s);
    EXPECT_EQ(ReadRaw(mirror.CardKey(1), "Description")->bytes, "Simulated Wi-Fi\0"s);

    const tadapter* wired = Stored(kStaticId);
    ASSERT_NE(wired, nullptr);
    EXPECT_EQ(StoredSettings(*wired),
              (Texts{"192.168.1.20", "255.255.255.0", "192.168.1.1", "192.168.1.1", "8.8.8.8", "0"}));
    EXPECT_EQ(ReadRaw(Interface(kStaticId), "NameServer")->bytes, "192.168.1.1,8.8.8.8\0"s);
    EXPECT_EQ(ReadRaw(Interface(kStaticId), "DefaultGatewayMetric")->bytes, "1\0\0"s);

    // With DHCP on, Windows keeps the lease apart and the static addresses read 0.0.0.0.
    const tadapter* wireless = Stored(kDhcpId);
    ASSERT_NE(wireless, nullptr);
    EXPECT_EQ(StoredSettings(*wireless), (Texts{"0.0.0.0", "0.0.0.0", "", "", "", "1"}));
    EXPECT_EQ(ReadRaw(Interface(kDhcpId), "DhcpIPAddress")->bytes, "10.0.8.100\0"s);
    EXPECT_EQ(ReadRaw(Interface(kDhcpId), "DhcpDefaultGateway")->bytes, "10.0.8.1\0\0"s);
    EXPECT_EQ(ReadRaw(Interface(kDhcpId), "DhcpNameServer")->bytes, "10.0.8.1\0"s);
    EXPECT_TRUE(m_boxes.Calls().empty());
}

TEST_F(SimRegistryTest, FollowsTheConfigurationMethods)
{
    SimRegistryMirror mirror(m_network, kFirstCard);
    mirror.Attach();
    const Variant adapter = Configuration(7);
    ASSERT_TRUE(adapter.HoldsObject());

    tIPSettings ip{TextArray({"10.1.1.5"}), TextArray({"255.0.0.0"})};
    EXPECT_EQ(AdapterEnableStatic(adapter, ip), 81);  // already static: Windows still changes it
    tGWSettings gateways{TextArray({"10.1.1.1"}), IntArray({1})};
    EXPECT_EQ(AdapterSetGateways(adapter, gateways), 0);
    tDNSsettings dns{TextArray({"10.1.1.2", "10.1.1.3"})};
    EXPECT_EQ(AdapterSetDnsServers(adapter, dns), 0);

    const tadapter* stored = Stored(kStaticId);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(StoredSettings(*stored), (Texts{"10.1.1.5", "255.0.0.0", "10.1.1.1", "10.1.1.2", "10.1.1.3", "0"}));
    EXPECT_EQ(mirror.LastFailure(), "");
}

TEST_F(SimRegistryTest, KeepsTheStaticGatewayThroughTheSwitchToDhcpUntilTheProgramEmptiesIt)
{
    SimRegistryMirror mirror(m_network, kFirstCard);
    mirror.Attach();
    const Variant adapter = Configuration(7);
    EXPECT_EQ(AdapterEnableDHCP(adapter), 0);

    const tadapter* stored = Stored(kStaticId);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->DhcpEnabled, 1);
    EXPECT_EQ(stored->Address, "0.0.0.0");
    EXPECT_EQ(stored->Gateway, "192.168.1.1");

    WriteDefaultGateway(stored, tGWSettings{});
    EXPECT_EQ(ReadRaw(Interface(kStaticId), "DefaultGateway")->bytes, "\0\0"s);
    EXPECT_EQ(Stored(kStaticId)->Gateway, "");

    // Only SetGateways writes the value on Windows: after the other methods it keeps the bytes
    // the program wrote, where a list of the mirror's own would be a lone terminator.
    tIPSettings ip{TextArray({"192.168.1.30"}), TextArray({"255.255.255.0"})};
    tDNSsettings dns{TextArray({"192.168.1.2"})};
    EXPECT_EQ(AdapterEnableDHCP(Configuration(7)), 0);
    EXPECT_EQ(AdapterSetDnsServers(Configuration(7), dns), 0);
    EXPECT_EQ(AdapterEnableStatic(Configuration(7), ip), 0);
    EXPECT_EQ(ReadRaw(Interface(kStaticId), "DefaultGateway")->bytes, "\0\0"s);
    tGWSettings gateways{TextArray({"192.168.1.254"}), IntArray({2})};
    EXPECT_EQ(AdapterSetGateways(Configuration(7), gateways), 0);
    EXPECT_EQ(ReadRaw(Interface(kStaticId), "DefaultGateway")->bytes, "192.168.1.254\0\0"s);
    EXPECT_EQ(ReadRaw(Interface(kStaticId), "DefaultGatewayMetric")->bytes, "2\0\0"s);
}

TEST_F(SimRegistryTest, WritesAdaptersAddedLaterAndRemovesEverythingOnDetach)
{
    const bool interfacesExisted = KeyExists(InterfacesKey());
    SimRegistryMirror mirror(m_network, kFirstCard);
    mirror.Attach();
    SimAdapter added = StaticAdapter();
    added.index = 9;
    added.settingId = kAddedId;
    m_network.AddAdapter(added);
    EXPECT_TRUE(KeyExists(mirror.CardKey(2)));
    ASSERT_NE(Stored(kAddedId), nullptr);

    mirror.Detach();
    for (size_t position = 0; position < 3; ++position)
        EXPECT_FALSE(KeyExists(mirror.CardKey(position)));
    for (const std::wstring& id : {kStaticId, kDhcpId, kAddedId})
        EXPECT_FALSE(KeyExists(Interface(id)));
    EXPECT_EQ(KeyExists(InterfacesKey()), interfacesExisted);

    // Detached, it no longer follows the network.
    m_network.MutableAdapter(7)->ipAddresses = {L"10.9.9.9"};
    m_network.AdapterChanged(7);
    EXPECT_FALSE(KeyExists(Interface(kStaticId)));
}

TEST_F(SimRegistryTest, WritesNoInterfaceKeyForAnIdentifierThatIsNoKeyName)
{
    SimAdapter nameless = StaticAdapter();
    nameless.index = 10;
    nameless.settingId = L"";
    m_network.AddAdapter(nameless);
    SimAdapter nested = StaticAdapter();
    nested.index = 11;
    nested.settingId = L"..\\..\\Services";
    m_network.AddAdapter(nested);
    SimRegistryMirror mirror(m_network, kFirstCard);
    mirror.Attach();

    EXPECT_FALSE(KeyExists(mirror.CardKey(2)));
    EXPECT_FALSE(KeyExists(mirror.CardKey(3)));
    EXPECT_FALSE(ReadRaw(InterfacesKey(), "IPAddress"));
}

TEST_F(SimRegistryTest, MovesTheInterfaceKeyWhenTheIdentifierChanges)
{
    SimRegistryMirror mirror(m_network, kFirstCard);
    mirror.Attach();
    m_network.MutableAdapter(7)->settingId = kAddedId;
    m_network.AdapterChanged(7);

    EXPECT_FALSE(KeyExists(Interface(kStaticId)));
    EXPECT_EQ(ReadRaw(mirror.CardKey(0), "ServiceName")->bytes, "{5E1F0A00-VELM-0RA0-SIMR-000000000003}\0"s);
    const tadapter* stored = Stored(kAddedId);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->Address, "192.168.1.20");
    mirror.Detach();
    EXPECT_FALSE(KeyExists(Interface(kAddedId)));
}

// EnableDHCP "does not clear any static default gateways", and what is stored as
// "DefaultGateway" is what the next static change routes through: the program's emptying of
// that value, written to the registry, is what keeps an old gateway from coming back.
TEST_F(SimRegistryTest, TheStoredGatewayIsWhatTheNextStaticChangeRoutesThrough)
{
    SimRegistryMirror mirror(m_network, kFirstCard);
    mirror.Attach();
    const auto gatewaysShown = [&] { return VariantToText(GetMember(Configuration(7), L"DefaultIPGateway")); };
    tIPSettings ip{TextArray({"192.168.1.30"}), TextArray({"255.255.255.0"})};

    EXPECT_EQ(AdapterEnableDHCP(Configuration(7)), 0);
    EXPECT_EQ(gatewaysShown(), "10.0.7.1 192.168.1.1 ");
    // SetGateways is for static adapters only, and never writes the DHCP values.
    EXPECT_EQ(AdapterSetGateways(Configuration(7), tGWSettings{TextArray({"10.0.7.254"}), IntArray({1})}), 64);
    EXPECT_EQ(ReadRaw(Interface(kStaticId), "DhcpDefaultGateway")->bytes, "10.0.7.1\0\0"s);
    EXPECT_EQ(AdapterEnableStatic(Configuration(7), ip), 0);
    EXPECT_EQ(gatewaysShown(), "192.168.1.1 ");

    WriteDefaultGateway(Stored(kStaticId), tGWSettings{});
    EXPECT_EQ(AdapterEnableDHCP(Configuration(7)), 0);
    EXPECT_EQ(gatewaysShown(), "10.0.7.1 ");
    WriteDefaultGateway(Stored(kStaticId), tGWSettings{});
    EXPECT_EQ(AdapterEnableStatic(Configuration(7), ip), 0);
    EXPECT_EQ(gatewaysShown(), "");
    EXPECT_EQ(Stored(kStaticId)->DhcpEnabled, 0);
    EXPECT_EQ(Stored(kStaticId)->Address, "192.168.1.30");
    EXPECT_EQ(m_boxes.Calls().size(), 0u);
}

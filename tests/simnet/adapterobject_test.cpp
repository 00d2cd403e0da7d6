// Adapter configuration objects: property forms, names, scripts and snapshots.
#include <gtest/gtest.h>

#include "core/dispatch.h"
#include "simclient.h"

namespace {
using Texts = std::vector<std::wstring>;
std::wstring Text(const Variant& value) { return value.Type() == VT_BSTR ? value.get().bstrVal : L"<not text>"; }
bool Bool(const Variant& value) { return value.Type() == VT_BOOL && value.get().boolVal == VARIANT_TRUE; }
}  // namespace

TEST(SimAdapterObject, PropertiesComeInTheFormsWindowsGives)
{
    SimNetwork network;
    SimAdapter adapter = TestAdapter(2);
    adapter.dnsServers = {L"192.168.2.1", L"9.9.9.9"};
    adapter.gatewayMetrics = {25};
    network.AddAdapter(adapter);
    SimAdapter bare;
    bare.index = 9;
    bare.ipEnabled = false;
    network.AddAdapter(bare);
    Variant item = QueryAdapter(network, 2);

    EXPECT_EQ(GetMember(item, L"Index").Type(), VT_I4);
    EXPECT_EQ(Text(GetMember(item, L"SettingID")), L"{SETTING-2}");
    EXPECT_EQ(Text(GetMember(item, L"MACAddress")), L"02:00:00:00:00:12");
    EXPECT_EQ(Text(GetMember(item, L"ServiceName")), L"testnic");
    EXPECT_TRUE(Bool(GetMember(item, L"IPEnabled")));
    EXPECT_EQ(GetMember(item, L"DHCPEnabled").Type(), VT_BOOL);
    EXPECT_EQ(ArrayTexts(GetMember(item, L"IPAddress")), Texts{L"192.168.2.10"});
    EXPECT_EQ(ArrayTexts(GetMember(item, L"IPSubnet")), Texts{L"255.255.255.0"});
    EXPECT_EQ(ArrayTexts(GetMember(item, L"DefaultIPGateway")), Texts{L"192.168.2.1"});
    EXPECT_EQ(ArrayTexts(GetMember(item, L"DNSServerSearchOrder")), (Texts{L"192.168.2.1", L"9.9.9.9"}));
    Variant metrics = GetMember(item, L"GatewayCostMetric");
    ASSERT_EQ(metrics.Type(), VT_ARRAY | VT_I4);
    EXPECT_EQ(VariantInt(ArrayElement(metrics.get(), 0).get()), 25);

    // Empty lists, and a missing MAC address, are Null as on Windows.
    Variant empty = QueryAdapter(network, 9);
    for (const wchar_t* name : {L"IPAddress", L"IPSubnet", L"DefaultIPGateway", L"DNSServerSearchOrder",
                                L"GatewayCostMetric", L"MACAddress"}) {
        EXPECT_TRUE(GetMember(empty, name).IsNull()) << std::string(name, name + wcslen(name));
    }
}

// A disconnected adapter (a VPN not connected, a cable out) reads as Windows reports it: not
// IP-enabled, no addresses, left out of the IP-enabled query.
TEST(SimAdapterObject, DisconnectedAdapterReadsAsNotIpEnabledWithoutAddresses)
{
    SimNetwork network;
    SimAdapter vpn = TestAdapter(5, true);
    vpn.mediaConnected = false;
    network.AddAdapter(vpn);
    Variant item = QueryAdapter(network, 5);
    EXPECT_FALSE(Bool(GetMember(item, L"IPEnabled")));
    for (const wchar_t* name : {L"IPAddress", L"IPSubnet", L"DefaultIPGateway", L"DNSServerSearchOrder"})
        EXPECT_TRUE(GetMember(item, name).IsNull());
    EXPECT_TRUE(ItemIndexes(RunQuery(network, kIpEnabledQuery)).empty());
}

TEST(SimAdapterObject, NamesMatchInAnyLetterCaseOnlyForReading)
{
    SimNetwork network;
    network.AddAdapter(TestAdapter(1));
    Variant item = QueryAdapter(network, 1);
    EXPECT_EQ(ArrayTexts(GetMember(item, L"dnsserversearchorder")), Texts{L"192.168.1.1"});
    EXPECT_EQ(CallCode(item, L"ENABLEDHCP"), 0);
    EXPECT_EQ(InvokeMember(item, L"IPAddresses", DISPATCH_PROPERTYGET).hr, DISP_E_UNKNOWNNAME);
    EXPECT_EQ(InvokeMember(item, L"Index", DISPATCH_PROPERTYPUT).hr, DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(InvokeMember(item, L"EnableDHCP", DISPATCH_PROPERTYGET).hr, DISP_E_MEMBERNOTFOUND);
}

TEST(SimAdapterObject, ScriptsApplyPerAdapterPerPropertyAndToEarlierResults)
{
    SimNetwork network;
    network.AddAdapter(TestAdapter(1));
    network.AddAdapter(TestAdapter(2));
    Variant first = QueryAdapter(network, 1);
    Variant second = QueryAdapter(network, 2);

    network.OverrideProperty(1, L"ipaddress", Variant::Null());
    network.OverrideProperty(1, L"Index", Variant::FromWide(L"one"));
    network.FailProperty(1, L"SettingID", static_cast<HRESULT>(0x80041010L), L"Invalid class");
    network.FailProperty(1, L"Description", E_ACCESSDENIED);
    network.FailProperty(1, L"ServiceName", DISP_E_UNKNOWNNAME);

    EXPECT_TRUE(GetMember(first, L"IPAddress").IsNull());
    EXPECT_EQ(Text(GetMember(first, L"Index")), L"one");
    InvokeOutcome described = InvokeMember(first, L"SettingID", DISPATCH_PROPERTYGET);
    EXPECT_EQ(described.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(described.scode, static_cast<HRESULT>(0x80041010L));
    EXPECT_EQ(described.description, L"Invalid class");
    EXPECT_EQ(InvokeMember(first, L"Description", DISPATCH_PROPERTYGET).hr, E_ACCESSDENIED);
    EXPECT_EQ(InvokeMember(first, L"ServiceName", DISPATCH_PROPERTYGET).hr, DISP_E_UNKNOWNNAME);

    EXPECT_EQ(ArrayTexts(GetMember(second, L"IPAddress")), Texts{L"192.168.2.10"});
    EXPECT_EQ(Text(GetMember(second, L"SettingID")), L"{SETTING-2}");
    EXPECT_EQ(Text(GetMember(second, L"ServiceName")), L"testnic");

    network.ClearScripts();
    EXPECT_EQ(Text(GetMember(first, L"SettingID")), L"{SETTING-1}");
}

TEST(SimAdapterObject, ResultsAreSnapshotsAndMethodsActOnTheLiveAdapter)
{
    SimNetwork network;
    network.AddAdapter(TestAdapter(4, true));
    Variant before = RunQuery(network);
    Variant item = std::move(Items(before).at(0));

    Variant addresses = WideTexts({L"10.1.1.5"});
    Variant masks = WideTexts({L"255.0.0.0"});
    EXPECT_EQ(CallCode(item, L"EnableStatic", {ArgByRef(addresses), ArgByRef(masks)}), 0);
    EXPECT_EQ(network.Adapter(4)->ipAddresses, Texts{L"10.1.1.5"});
    // The object the call went through, and a fresh walk of the old result, keep the old values.
    EXPECT_EQ(ArrayTexts(GetMember(item, L"IPAddress")), Texts{L"192.168.4.10"});
    EXPECT_TRUE(Bool(GetMember(Items(before).at(0), L"DHCPEnabled")));
    // A new query sees the change.
    Variant after = QueryAdapter(network, 4);
    EXPECT_EQ(ArrayTexts(GetMember(after, L"IPAddress")), Texts{L"10.1.1.5"});
    EXPECT_FALSE(Bool(GetMember(after, L"DHCPEnabled")));
    // The old snapshot still reaches the live adapter, now static.
    EXPECT_EQ(CallCode(item, L"EnableStatic", {ArgByRef(addresses), ArgByRef(masks)}), 81);
}

// Adapter configuration objects: property forms, names, scripts and snapshots.
#include <gtest/gtest.h>

#include "core/dispatch.h"
#include "simclient.h"

namespace {
std::wstring Text(const Variant& value) { return value.Type() == VT_BSTR ? value.get().bstrVal : L"<not text>"; }
}  // namespace

TEST(SimAdapterObject, PropertiesComeInTheFormsWindowsGives)
{
    SimNetwork network;
    SimAdapter adapter = TestAdapter(2);
    adapter.dnsServers = {L"192.168.2.1", L"9.9.9.9"};
    adapter.gatewayMetrics = {25};
    network.AddAdapter(adapter);
    Variant item = QueryAdapter(network, 2);

    EXPECT_EQ(GetMember(item, L"Index").Type(), VT_I4);
    EXPECT_EQ(Text(GetMember(item, L"Description")), L"Test adapter 2");
    EXPECT_EQ(Text(GetMember(item, L"SettingID")), L"{SETTING-2}");
    EXPECT_EQ(Text(GetMember(item, L"MACAddress")), L"02:00:00:00:00:12");
    EXPECT_EQ(Text(GetMember(item, L"ServiceName")), L"testnic");
    Variant ipEnabled = GetMember(item, L"IPEnabled");
    EXPECT_EQ(ipEnabled.Type(), VT_BOOL);
    EXPECT_EQ(ipEnabled.get().boolVal, VARIANT_TRUE);
    Variant dhcp = GetMember(item, L"DHCPEnabled");
    EXPECT_EQ(dhcp.Type(), VT_BOOL);
    EXPECT_EQ(dhcp.get().boolVal, VARIANT_FALSE);
    EXPECT_EQ(ArrayTexts(GetMember(item, L"IPAddress")), std::vector<std::wstring>{L"192.168.2.10"});
    EXPECT_EQ(ArrayTexts(GetMember(item, L"IPSubnet")), std::vector<std::wstring>{L"255.255.255.0"});
    EXPECT_EQ(ArrayTexts(GetMember(item, L"DefaultIPGateway")), std::vector<std::wstring>{L"192.168.2.1"});
    EXPECT_EQ(ArrayTexts(GetMember(item, L"DNSServerSearchOrder")), (std::vector<std::wstring>{L"192.168.2.1", L"9.9.9.9"}));
    Variant metrics = GetMember(item, L"GatewayCostMetric");
    ASSERT_EQ(metrics.Type(), VT_ARRAY | VT_I4);
    LONG lower = -1, upper = -1;
    ArrayBounds(metrics.get(), lower, upper);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, 0);
    EXPECT_EQ(VariantInt(ArrayElement(metrics.get(), 0).get()), 25);
}

TEST(SimAdapterObject, EmptyListsAndAbsentMacAreNull)
{
    SimNetwork network;
    SimAdapter adapter;
    adapter.index = 9;
    adapter.ipEnabled = false;
    network.AddAdapter(adapter);
    Variant item = QueryAdapter(network, 9);
    for (const wchar_t* name : {L"IPAddress", L"IPSubnet", L"DefaultIPGateway", L"DNSServerSearchOrder",
                                L"GatewayCostMetric", L"MACAddress"}) {
        EXPECT_TRUE(GetMember(item, name).IsNull()) << std::string(name, name + wcslen(name));
    }
}

TEST(SimAdapterObject, NamesMatchInAnyLetterCaseAndUnknownNamesAreRefused)
{
    SimNetwork network;
    network.AddAdapter(TestAdapter(1));
    Variant item = QueryAdapter(network, 1);
    ASSERT_TRUE(item.HoldsObject());
    IDispatch* object = item.get().pdispVal;
    auto idOf = [&](const wchar_t* name, DISPID& id) {
        LPOLESTR text = const_cast<LPOLESTR>(name);
        return object->GetIDsOfNames(IID_NULL, &text, 1, 0, &id);
    };
    DISPID expected = 0, id = 0;
    ASSERT_EQ(idOf(L"DNSServerSearchOrder", expected), S_OK);
    EXPECT_EQ(idOf(L"dnsserversearchorder", id), S_OK);
    EXPECT_EQ(id, expected);
    ASSERT_EQ(idOf(L"SetGateWays", expected), S_OK);
    EXPECT_EQ(idOf(L"SETGATEWAYS", id), S_OK);
    EXPECT_EQ(id, expected);
    EXPECT_EQ(idOf(L"IPAddresses", id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);

    EXPECT_EQ(InvokeMember(item, L"Index", DISPATCH_PROPERTYPUT).hr, DISP_E_MEMBERNOTFOUND);
    Variant arg = Variant::FromInt(1);
    EXPECT_EQ(InvokeMember(item, L"Index", DISPATCH_PROPERTYGET, {ArgByValue(arg)}).hr, DISP_E_BADPARAMCOUNT);
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

    EXPECT_EQ(ArrayTexts(GetMember(second, L"IPAddress")), std::vector<std::wstring>{L"192.168.2.10"});
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

    EXPECT_EQ(network.Adapter(4)->ipAddresses, std::vector<std::wstring>{L"10.1.1.5"});
    EXPECT_FALSE(network.Adapter(4)->dhcpEnabled);
    // The object the call went through, and a fresh walk of the old result, keep the old values.
    EXPECT_EQ(ArrayTexts(GetMember(item, L"IPAddress")), std::vector<std::wstring>{L"192.168.4.10"});
    Variant again = std::move(Items(before).at(0));
    EXPECT_EQ(GetMember(again, L"DHCPEnabled").get().boolVal, VARIANT_TRUE);
    // A new query sees the change.
    Variant after = QueryAdapter(network, 4);
    EXPECT_EQ(ArrayTexts(GetMember(after, L"IPAddress")), std::vector<std::wstring>{L"10.1.1.5"});
    EXPECT_EQ(GetMember(after, L"DHCPEnabled").get().boolVal, VARIANT_FALSE);
    // Methods on the old snapshot still reach the live adapter.
    EXPECT_EQ(CallCode(item, L"EnableStatic", {ArgByRef(addresses), ArgByRef(masks)}), 81);
}

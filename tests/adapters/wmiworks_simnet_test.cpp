// The WMI door driven against the simulated network: what it sends, and what it makes of
// what comes back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <functional>
#include <optional>

#include "adapters/wmiworks.h"
#include "core/dispatch.h"
#include "core/error.h"
#include "simnet/simnetwork.h"
#include "support/simcalls.h"

namespace {
using Texts = std::vector<std::wstring>;

SimAdapter MakeAdapter(int32_t index, const wchar_t* description, bool ipEnabled = true, bool dhcp = false)
{
    SimAdapter adapter;
    adapter.index = index;
    adapter.description = description;
    adapter.settingId = L"{ID-" + std::to_wstring(index) + L"}";
    adapter.macAddress = L"02:00:00:00:00:0" + std::to_wstring(index);
    adapter.ipEnabled = ipEnabled;
    adapter.dhcpEnabled = dhcp;
    if (ipEnabled) {
        adapter.ipAddresses = {L"192.168.0." + std::to_wstring(index)};
        adapter.subnets = {L"255.255.255.0"};
        adapter.dnsServers = {L"192.168.0.1", L"9.9.9.9"};
        adapter.staticDns = true;
    }
    return adapter;
}

// Adapters 1 (static) and 2 (DHCP) IP-enabled, 3 not.
SimNetwork SmallNetwork()
{
    SimNetwork network;
    network.AddAdapter(MakeAdapter(1, L"Ethernet"));
    network.AddAdapter(MakeAdapter(2, L"Wi-Fi", true, true));
    network.AddAdapter(MakeAdapter(3, L"Miniport", false));
    return network;
}

Variant Adapter(const SimNetwork& network, int32_t index)
{
    return FindAdapterConfiguration(QueryAdapterConfigurations(network.Services(), false), index);
}

std::string Description(const Variant& adapter) { return VariantText(GetMember(adapter, L"Description").get()); }

bool IsIntegerZero(const Variant& value) { return value.Type() == VT_I4 && value.get().lVal == 0; }

tIPSettings IpSettings(const std::vector<std::string>& addresses, const std::vector<std::string>& masks)
{
    return {TextArray(addresses), TextArray(masks)};
}
tGWSettings GwSettings(const std::vector<std::string>& gateways, LONG lowerBound = 1)
{
    return {TextArray(gateways, lowerBound), IntArray(std::vector<int32_t>(gateways.size(), 1), lowerBound)};
}
tDNSsettings DnsSettings(const std::vector<std::string>& servers, LONG lowerBound = 1)
{
    return {TextArray(servers, lowerBound)};
}
}  // namespace

TEST(WmiworksOnSimnet, QueriesSendTheTwoTextsByteForByte)
{
    struct Case {
        bool ipEnabledOnly;
        const wchar_t* text;
        std::vector<int32_t> found;
    };
    const Case cases[] = {
        {false, L"Select * from Win32_NetworkAdapterConfiguration ", {1, 2, 3}},
        {true, L"Select * from Win32_NetworkAdapterConfiguration where IPEnabled=TRUE", {1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ipEnabledOnly);
        SimNetwork network = SmallNetwork();
        Variant collection = QueryAdapterConfigurations(network.Services(), c.ipEnabledOnly);
        ASSERT_EQ(network.Calls().size(), 1u);
        const SimCall& call = network.Calls()[0];
        EXPECT_EQ(call.member, L"ExecQuery");
        ASSERT_EQ(call.args.size(), 1u);
        EXPECT_EQ(call.args[0].kind, SimArg::Kind::ByValue);
        EXPECT_EQ(call.args[0].type, VT_BSTR);
        EXPECT_EQ(call.args[0].texts, Texts{c.text});
        for (int32_t index : {1, 2, 3}) {
            const bool expected = std::find(c.found.begin(), c.found.end(), index) != c.found.end();
            EXPECT_EQ(!IsIntegerZero(FindAdapterConfiguration(collection, index)), expected) << index;
        }
    }
}

TEST(WmiworksOnSimnet, FailingQueryRaisesWithWmisDescription)
{
    SimNetwork network = SmallNetwork();
    network.FailQuery(kWbemInvalidQuery, L"Invalid query");
    try {
        QueryAdapterConfigurations(network.Services(), true);
        ADD_FAILURE() << "no error raised";
    } catch (const AppError& error) {
        EXPECT_STREQ(error.what(), "Calling \"ExecQuery\" failed: Invalid query");
    }
    EXPECT_THROW(QueryAdapterConfigurations(Variant::FromInt(0), true), AppError);
}

TEST(WmiworksOnSimnet, FindAdapterConfigurationPicksTheLaterMatchOrIntegerZero)
{
    SimNetwork network = SmallNetwork();
    network.AddAdapter(MakeAdapter(1, L"Ethernet again"));
    Variant collection = QueryAdapterConfigurations(network.Services(), false);

    EXPECT_EQ(Description(FindAdapterConfiguration(collection, 1)), "Ethernet again");
    EXPECT_EQ(Description(FindAdapterConfiguration(collection, 3)), "Miniport");
    // The same collection again: every search is a fresh enumeration.
    EXPECT_EQ(Description(FindAdapterConfiguration(collection, 2)), "Wi-Fi");
    Variant none = FindAdapterConfiguration(collection, 42);
    EXPECT_TRUE(IsIntegerZero(none));
    EXPECT_THROW(FindAdapterConfiguration(Variant::FromInt(0), 1), AppError);
}

TEST(WmiworksOnSimnet, AFailedIndexReadResetsTheResultToZero)
{
    struct Case {
        const char* name;
        std::function<void(SimNetwork&)> script;
        int32_t wanted;
        bool found;
    };
    const Case cases[] = {
        {"read fails after the match", [](SimNetwork& n) { n.FailProperty(2, L"Index", E_FAIL); }, 1, false},
        {"read fails with a description",
         [](SimNetwork& n) { n.FailProperty(3, L"Index", E_FAIL, L"Generic failure"); }, 2, false},
        {"Index is Null", [](SimNetwork& n) { n.OverrideProperty(3, L"Index", Variant::Null()); }, 1, false},
        {"Index is not a number", [](SimNetwork& n) { n.OverrideProperty(2, L"Index", Variant::FromWide(L"two")); }, 1,
         false},
        {"read fails before the match", [](SimNetwork& n) { n.FailProperty(1, L"Index", E_FAIL); }, 3, true},
        {"Index as text still converts",
         [](SimNetwork& n) { n.OverrideProperty(3, L"Index", Variant::FromWide(L"3")); }, 3, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimNetwork network = SmallNetwork();
        c.script(network);
        Variant found = FindAdapterConfiguration(QueryAdapterConfigurations(network.Services(), false), c.wanted);
        EXPECT_EQ(found.HoldsObject(), c.found);
        if (!c.found) {
            EXPECT_TRUE(IsIntegerZero(found));
        }
    }
}

TEST(WmiworksOnSimnet, MethodsSendTheirArgumentsInTheProgramsForms)
{
    SimNetwork network = SmallNetwork();
    Variant adapter = Adapter(network, 2);
    network.ClearCalls();

    EXPECT_EQ(AdapterEnableStatic(adapter, IpSettings({"10.1.1.9"}, {"255.255.0.0"})), 0);
    EXPECT_EQ(AdapterSetGateways(adapter, GwSettings({"10.1.1.1"})), 0);
    EXPECT_EQ(AdapterSetDnsServers(adapter, DnsSettings({"10.1.1.1", "8.8.8.8"})), 0);
    EXPECT_EQ(AdapterEnableDHCP(adapter), 0);

    const std::vector<SimCall>& calls = network.Calls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].member, L"EnableStatic");
    ASSERT_EQ(calls[0].args.size(), 2u);
    ExpectArrayByRef(calls[0].args[0], VT_BSTR);
    EXPECT_EQ(calls[0].args[0].texts, Texts{L"10.1.1.9"});
    ExpectArrayByRef(calls[0].args[1], VT_BSTR);
    EXPECT_EQ(calls[0].args[1].texts, Texts{L"255.255.0.0"});

    EXPECT_EQ(calls[1].member, L"SetGateWays");
    ASSERT_EQ(calls[1].args.size(), 2u);
    ExpectArrayByRef(calls[1].args[0], VT_BSTR);
    EXPECT_EQ(calls[1].args[0].texts, Texts{L"10.1.1.1"});
    ExpectArrayByRef(calls[1].args[1], VT_I4);
    EXPECT_EQ(calls[1].args[1].ints, std::vector<int32_t>{1});

    EXPECT_EQ(calls[2].member, L"setDNSServerSearchOrder");
    ASSERT_EQ(calls[2].args.size(), 1u);
    ExpectArrayByRef(calls[2].args[0], VT_BSTR);
    EXPECT_EQ(calls[2].args[0].texts, (Texts{L"10.1.1.1", L"8.8.8.8"}));

    EXPECT_EQ(calls[3].member, L"EnableDHCP");
    ASSERT_EQ(calls[3].args.size(), 1u);
    EXPECT_EQ(calls[3].args[0].kind, SimArg::Kind::Omitted);
    for (const SimCall& call : calls)
        EXPECT_EQ(call.adapterIndex, 2);

    const SimAdapter& live = *network.Adapter(2);
    EXPECT_TRUE(live.dhcpEnabled);
    EXPECT_EQ(live.dnsServers, (Texts{L"10.1.1.1", L"8.8.8.8"}));  // set by hand, kept by DHCP
}

TEST(WmiworksOnSimnet, ElementOneDecidesWhetherGatewaysAndDnsServersAreSent)
{
    struct Case {
        const char* name;
        std::vector<std::string> items;
        LONG lowerBound;
        int32_t gatewaysResult;
        size_t gatewayCalls;
        int32_t dnsResult;
        std::optional<SimArg::Kind> dnsArg;  // the DNS call's argument, when a call is made
    };
    const Case cases[] = {
        {"empty first element", {""}, 1, 0, 0, 0, SimArg::Kind::Omitted},
        {"from 0, one element: element 1 is out of range", {"10.0.0.1"}, 0, -1, 0, -1, std::nullopt},
        {"from 0, second element empty", {"10.0.0.1", ""}, 0, 0, 0, 0, SimArg::Kind::Omitted},
        {"from 0, second element set", {"", "10.0.0.1"}, 0, 71, 1, 70, SimArg::Kind::ByRef},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimNetwork network = SmallNetwork();
        Variant adapter = Adapter(network, 1);
        network.ClearCalls();
        EXPECT_EQ(AdapterSetGateways(adapter, GwSettings(c.items, c.lowerBound)), c.gatewaysResult);
        EXPECT_EQ(network.Calls().size(), c.gatewayCalls);
        network.ClearCalls();
        EXPECT_EQ(AdapterSetDnsServers(adapter, DnsSettings(c.items, c.lowerBound)), c.dnsResult);
        ASSERT_EQ(network.Calls().size(), c.dnsArg ? 1u : 0u);
        if (c.dnsArg) {
            ASSERT_EQ(network.Calls()[0].args.size(), 1u);
            EXPECT_EQ(network.Calls()[0].args[0].kind, *c.dnsArg);
        }
        if (c.dnsArg == SimArg::Kind::Omitted) {
            EXPECT_TRUE(network.Adapter(1)->dnsServers.empty());  // the list set by hand is gone
        }
    }
}

TEST(WmiworksOnSimnet, MethodOperationsOnIntegerZeroReturnMinusOne)
{
    const Variant zero = Variant::FromInt(0);
    EXPECT_EQ(AdapterEnableStatic(zero, IpSettings({"10.0.0.2"}, {"255.0.0.0"})), -1);
    EXPECT_EQ(AdapterSetGateways(zero, GwSettings({"10.0.0.1"})), -1);
    EXPECT_EQ(AdapterEnableDHCP(zero), -1);
    EXPECT_EQ(AdapterSetDnsServers(zero, DnsSettings({"10.0.0.1"})), -1);
}

TEST(WmiworksOnSimnet, ResultCodesPassThroughAndFailedCallsGiveMinusOne)
{
    using Operation = std::function<int32_t(const Variant&)>;
    const std::pair<const wchar_t*, Operation> operations[] = {
        {L"EnableStatic",
         [](const Variant& a) { return AdapterEnableStatic(a, IpSettings({"10.0.0.2"}, {"255.0.0.0"})); }},
        {L"SetGateWays", [](const Variant& a) { return AdapterSetGateways(a, GwSettings({"10.0.0.1"})); }},
        {L"EnableDHCP", [](const Variant& a) { return AdapterEnableDHCP(a); }},
        {L"setDNSServerSearchOrder",
         [](const Variant& a) { return AdapterSetDnsServers(a, DnsSettings({"10.0.0.1"})); }},
    };
    for (const auto& [method, operation] : operations) {
        SCOPED_TRACE(testing::Message() << std::string(method, method + wcslen(method)));
        for (int32_t code : {1, 70, 81, 91, 97}) {
            SimNetwork network = SmallNetwork();
            network.SetMethodResult(1, method, code);
            EXPECT_EQ(operation(Adapter(network, 1)), code);
        }
        SimNetwork network = SmallNetwork();
        network.FailMethod(1, method, static_cast<HRESULT>(0x80041001L), L"Generic failure");
        EXPECT_EQ(operation(Adapter(network, 1)), -1);
        network.FailMethod(1, method, E_ACCESSDENIED);
        EXPECT_EQ(operation(Adapter(network, 1)), -1);
        // Missing from the object, as the methods are from Wine's WMI.
        network.FailMethod(1, method, DISP_E_UNKNOWNNAME);
        EXPECT_EQ(operation(Adapter(network, 1)), -1);
        // The adapter's own refusal is a code, not a failure.
        EXPECT_EQ(operation(Adapter(network, 3)), 84);
    }
}

TEST(WmiworksOnSimnet, PropertyTextsAndStringLists)
{
    SimNetwork network = SmallNetwork();
    Variant ethernet = Adapter(network, 1);
    Variant miniport = Adapter(network, 3);

    EXPECT_EQ(VariantToText(GetMember(ethernet, L"IPAddress")), "192.168.0.1 ");
    EXPECT_EQ(VariantToText(GetMember(ethernet, L"DNSServerSearchOrder")), "192.168.0.1 9.9.9.9 ");
    EXPECT_EQ(VariantToText(GetMember(miniport, L"IPAddress")), "");
    EXPECT_EQ(VariantToText(GetMember(ethernet, L"MACAddress")), "02:00:00:00:00:01");
    EXPECT_EQ(VariantToText(GetMember(ethernet, L"DHCPEnabled")), "False");
    // A lower-bound-1 array read from 0: element 0 fails; going on after it or stopping
    // there are both allowed, but what came before the failure never shows.
    const std::string fromOneText = VariantToText(TextArray({"a", "b"}));
    EXPECT_TRUE(fromOneText == "a b " || fromOneText.empty()) << fromOneText;

    EXPECT_EQ(VariantToStringList(GetMember(ethernet, L"DNSServerSearchOrder")),
              (std::vector<std::string>{"192.168.0.1", "9.9.9.9"}));
    EXPECT_FALSE(VariantToStringList(GetMember(miniport, L"DNSServerSearchOrder")).has_value());
    EXPECT_EQ(VariantToStringList(GetMember(ethernet, L"Description")), std::vector<std::string>{"Ethernet"});
    const std::optional<std::vector<std::string>> fromOne = VariantToStringList(TextArray({"a", "b"}));
    ASSERT_TRUE(fromOne.has_value());
    EXPECT_TRUE(*fromOne == (std::vector<std::string>{"a", "b"}) || fromOne->empty());
    EXPECT_EQ(VariantToStringList(Variant()), std::vector<std::string>{""});
}
